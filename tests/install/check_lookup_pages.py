#!/usr/bin/env python3
"""Opens Quillet's look-up pages in headless Chromium, as the program does:
<page>#<outside address>. A page must forward the browser to a web address
(http: or https:) and refuse anything else, showing its refusal text.

The outside site is played by a small HTTP server on 127.0.0.1 that records
every request, so a forward is seen both by the server and in the page the
browser ends on, and nothing leaves the machine.

    check_lookup_pages.py --site <folder holding tools/quillet/*.html>
"""
import argparse
import http.server
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import urllib.parse

LANDING_MARKER = "quillet-test-landing-page"
PAGES = ("thesaurus", "dictionary", "search")
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    # Lets the page's script and the forward run to the end before the DOM is dumped.
    "--virtual-time-budget=5000",
]


class RecordingHandler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if self.path != "/favicon.ico":
            self.server.requests.append(self.path)
        body = ("<!DOCTYPE html><html><head><title>landed</title></head>"
                f"<body><p id='landed'>{LANDING_MARKER}</p></body></html>").encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


class Checker:
    def __init__(self, site, chromium):
        self.site = site
        self.chromium = chromium
        self.passed = 0
        self.failed = 0

    def expect(self, condition, what, detail=""):
        if condition:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAIL: {what}" + (f"\n{detail}" if detail else ""))

    def open_page(self, page, fragment):
        """Loads <page>.html#<fragment> and returns the DOM the browser ends on."""
        path = os.path.join(self.site, "tools", "quillet", page + ".html")
        address = "file://" + urllib.parse.quote(os.path.abspath(path)) + "#" + fragment
        profile = tempfile.mkdtemp(prefix="quillet-chromium-")
        # Its own process group, so that a browser stuck on a page (a dialog that
        # a forwarded javascript: address opened, say) is ended with all its helpers.
        browser = subprocess.Popen([self.chromium, *CHROMIUM_FLAGS, f"--user-data-dir={profile}",
                                    "--dump-dom", address],
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                                   start_new_session=True)
        try:
            dom, errors = browser.communicate(timeout=30)
            if browser.returncode != 0:
                print(errors[-2000:])
        except subprocess.TimeoutExpired:
            os.killpg(browser.pid, signal.SIGKILL)
            browser.communicate()
            dom = ""
            print(f"Chromium did not finish with {address}")
        finally:
            shutil.rmtree(profile, ignore_errors=True)
        return dom

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--chromium", default=shutil.which("chromium") or "/usr/bin/chromium")
    args = parser.parse_args()

    if not os.access(args.chromium, os.X_OK):
        print(f"FAIL: no Chromium at {args.chromium} (scripts/install-deps.sh installs the package chromium)")
        return 1
    for page in PAGES:
        if not os.path.isfile(os.path.join(args.site, "tools", "quillet", page + ".html")):
            print(f"FAIL: {page}.html is not in {args.site}/tools/quillet (is the quillet_site target built?)")
            return 1

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), RecordingHandler)
    server.requests = []
    threading.Thread(target=server.serve_forever, daemon=True).start()
    outside = f"http://127.0.0.1:{server.server_address[1]}"
    check = Checker(args.site, args.chromium)

    try:
        # Forwarding: each page, with addresses as the program builds them (words
        # percent-encoded as UTF-8, search words joined by "+") and as a browser
        # may pass them on (the same words unescaped).
        forwards = [
            ("thesaurus", "/browse/caf%C3%A9", "/browse/caf%C3%A9"),
            ("thesaurus", "/browse/café", "/browse/caf%C3%A9"),
            ("dictionary", "/browse/rhyme", "/browse/rhyme"),
            # a word holding shell characters stays one escaped path segment
            ("dictionary", "/browse/%60touch%24%7BIFS%7Dx%60", "/browse/%60touch%24%7BIFS%7Dx%60"),
            # an escaped "%" stays escaped; a lone "%" is passed on as it is
            ("dictionary", "/browse/100%25", "/browse/100%25"),
            ("dictionary", "/browse/100%", "/browse/100%"),
            ("search", "/search?hl=en&lr=&as_qdr=all&q=love+is+blue&btnG=Search",
             "/search?hl=en&lr=&as_qdr=all&q=love+is+blue&btnG=Search"),
            # an escaped "&" in a query word does not start a new parameter
            ("search", "/search?hl=en&lr=&as_qdr=all&q=rock%26roll+caf%C3%A9&btnG=Search",
             "/search?hl=en&lr=&as_qdr=all&q=rock%26roll+caf%C3%A9&btnG=Search"),
        ]
        for page, sent, received in forwards:
            server.requests.clear()
            dom = check.open_page(page, outside + sent)
            check.expect(server.requests == [received],
                         f"{page}: {sent} forwards to {received}", f"requests seen: {server.requests}")
            check.expect(LANDING_MARKER in dom, f"{page}: {sent} ends on the outside page", dom[:1500])

        # Refusals: nothing is requested, the refusal text shows, and the refused
        # address appears only as text, never as a link.
        refused = {
            "thesaurus": ["javascript:alert(1)", "JavaScript:alert(document.domain)"],
            "dictionary": ["javascript:alert(1)", "file:///etc/passwd"],
            "search": ["javascript:alert(1)", "data:text/html,<b>x</b>", "ftp://127.0.0.1/x",
                       "  javascript:alert(1)", "not an address", f"//127.0.0.1:{server.server_address[1]}/x"],
        }
        for page, fragments in refused.items():
            for fragment in fragments:
                server.requests.clear()
                dom = check.open_page(page, fragment)
                what = f"{page}: refuses {fragment!r}"
                check.expect('data-state="refused"' in dom, what + " (refused state)", dom[:1500])
                check.expect("This address was not opened." in dom, what + " (refusal text)", dom[:1500])
                check.expect(server.requests == [], what + " (nothing requested)", str(server.requests))
                check.expect(LANDING_MARKER not in dom, what + " (stays on the page)")
                check.expect('id="target-link" href="#"' in dom, what + " (no link made)", dom[:1500])

        # No address at all.
        dom = check.open_page("search", "")
        check.expect('data-state="empty"' in dom and "No address was given." in dom,
                     "search: an empty fragment says that no address was given", dom[:1500])
    finally:
        server.shutdown()

    print(f"look-up pages: {check.passed} passed, {check.failed} failed")
    return 0 if check.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
