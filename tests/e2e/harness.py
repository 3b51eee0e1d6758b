"""Drives the real Quillet program in its own X server, as a person would.

Each session gets a private Xvfb display, a fresh HOME and runtime folder, and
a recording stand-in for the browser opener first on PATH. Controls are found
from the workspace's on-screen rectangle and the design layout (825 x 500)
scaled to it, the way the program itself scales them.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Design rectangles (x, y, w, h) of the workspace's controls at 825 x 500.
DESIGN_SIZE = (825, 500)
CONTROLS = {
    "createLyricsButton": (272, 80, 160, 32),
    "historyListBox": (312, 328, 488, 144),
    "replaceButton": (520, 291, 56, 24),
    "deleteButton": (664, 291, 64, 24),
    "deleteAllButton": (736, 291, 64, 24),
    "lyricsEditor": (448, 24, 352, 176),
    "ideaEditor1": (24, 48, 216, 136),
    "ideaEditor2": (24, 192, 216, 136),
    "ideaEditor3": (24, 336, 216, 136),
    "moveUpButton": (280, 336, 24, 24),
    "moveDownButton": (280, 448, 24, 24),
    "deleteRuleButton": (376, 176, 56, 24),
    "ruleComboBox": (280, 210, 521, 24),
    "addButton": (456, 291, 56, 24),
    "editButton": (592, 291, 56, 24),
}

WORKSPACE_BACKGROUND = (0xFC, 0xEF, 0xEF)

HERE = os.path.dirname(os.path.abspath(__file__))


def wait_for(predicate, timeout=10.0, interval=0.05, what="condition"):
    """Polls until predicate() gives a true value; fails after timeout seconds."""
    started = time.monotonic()
    deadline = started + timeout
    while True:
        value = predicate()
        if value:
            waited = time.monotonic() - started
            if waited > 2:
                # Slow waits are worth seeing in a verbose run even when they succeed.
                sys.stderr.write("waited %.1f s for %s\n" % (waited, what))
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


class Session:
    """One X server, one home folder, and the program processes started in them."""

    def __init__(self, program, width=1280, height=1024):
        self.program = program
        self.root = tempfile.mkdtemp(prefix="quillet-e2e-")
        self.home = os.path.join(self.root, "home")
        self.runtime = os.path.join(self.root, "runtime")
        self.bin = os.path.join(self.root, "bin")
        self.opener_log = os.path.join(self.root, "opened.log")
        for d in (self.home, self.runtime, self.bin):
            os.makedirs(d)
        os.chmod(self.runtime, 0o700)
        self._write_opener_stand_in()
        self.processes = []
        self.xvfb = None
        self.display = None
        self._start_xvfb(width, height)

    # --- set-up and clean-up -------------------------------------------------

    def _write_opener_stand_in(self):
        # Records each launch: the argument count, then each argument on its own line.
        path = os.path.join(self.bin, "xdg-open")
        with open(path, "w") as f:
            f.write('#!/bin/sh\n{ echo "argc=$#"; for a in "$@"; do printf "%%s\\n" "$a"; done; } >> "%s"\n'
                    % self.opener_log)
        os.chmod(path, 0o755)

    def _start_xvfb(self, width, height):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "%dx%dx24" % (width, height),
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_fd)
        if not number.strip():
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number.decode().strip()

    def env(self):
        env = dict(os.environ)
        env.update({
            "DISPLAY": self.display,
            "HOME": self.home,
            "XDG_RUNTIME_DIR": self.runtime,
            "PATH": self.bin + os.pathsep + env.get("PATH", "/usr/bin:/bin"),
        })
        for key in ("XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR", "XAUTHORITY"):
            env.pop(key, None)
        return env

    def close(self):
        for p in self.processes:
            if p.poll() is None:
                p.kill()
                p.wait()
        if self.xvfb and self.xvfb.poll() is None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
        shutil.rmtree(self.root, ignore_errors=True)

    # --- the program ---------------------------------------------------------

    def start(self, *args):
        p = subprocess.Popen([self.program, *args], env=self.env(), stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        self.processes.append(p)
        return p

    def run(self, *command, check=True, timeout=20, input=None):
        return subprocess.run(list(command), env=self.env(), check=check, timeout=timeout,
                              capture_output=True, input=input)

    def xdotool(self, *args, check=True):
        return self.run("xdotool", *args, check=check).stdout.decode().strip()

    def find_windows(self, name):
        out = self.run("xdotool", "search", "--onlyvisible", "--name", name, check=False)
        return [w for w in out.stdout.decode().split() if w]

    def wait_window(self, name, timeout=15):
        return wait_for(lambda: self.find_windows(name), timeout, what="window %r" % name)[0]

    def wait_no_window(self, name, timeout=15):
        wait_for(lambda: not self.find_windows(name), timeout, what="window %r to close" % name)

    def geometry(self, window):
        out = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    # --- input ---------------------------------------------------------------

    def click(self, x, y, button=1):
        self.xdotool("mousemove", "--sync", str(int(x)), str(int(y)))
        # Let the program see the pointer arrive before the press, as with a real hand.
        time.sleep(0.05)
        self.xdotool("click", str(button))

    def key(self, *keys):
        for k in keys:
            self.xdotool("key", "--clearmodifiers", k)

    def type_text(self, text):
        self.xdotool("type", "--delay", "5", "--clearmodifiers", text)

    # --- what the screen and the clipboard show ------------------------------

    def screenshot_ppm(self):
        """The whole screen as (width, height, bytes of RGB)."""
        return parse_ppm(self.run("import", "-window", "root", "-depth", "8", "ppm:-").stdout)

    def save_screenshot(self, path):
        self.run("import", "-window", "root", path)

    def clipboard(self):
        """The clipboard's text, or None when there is none or its owner did not
        answer in time (a busy program answers a later poll)."""
        try:
            out = self.run("xclip", "-o", "-selection", "clipboard", check=False, timeout=3)
        except subprocess.TimeoutExpired:
            return None
        return out.stdout.decode("utf-8") if out.returncode == 0 else None

    def opened_addresses(self):
        """Each launch of the stand-in opener as the list of arguments it got."""
        if not os.path.exists(self.opener_log):
            return []
        launches, current = [], None
        with open(self.opener_log, encoding="utf-8") as f:
            for line in f.read().splitlines():
                if line.startswith("argc="):
                    current = {"argc": int(line[5:]), "args": []}
                    launches.append(current)
                elif current is not None:
                    current["args"].append(line)
        return launches

    # --- the workspace -------------------------------------------------------

    def workspace_rect(self):
        """The visible workspace's screen rectangle: the block of rows painted in its
        background colour across most of the panel (tabs are narrower)."""
        width, height, pixels = self.screenshot_ppm()
        return find_background_block(width, height, pixels, WORKSPACE_BACKGROUND)

    def control_point(self, name, rect=None, fx=0.5, fy=0.5):
        """Screen point inside a control, at the fractions fx, fy of its rectangle."""
        x0, y0, w, h = rect or self.workspace_rect()
        dx, dy, dw, dh = CONTROLS[name]
        sx, sy = w / DESIGN_SIZE[0], h / DESIGN_SIZE[1]
        return x0 + int(dx * sx) + int(dw * sx) * fx, y0 + int(dy * sy) + int(dh * sy) * fy

    def click_control(self, name, rect=None, fx=0.5, fy=0.5, button=1):
        x, y = self.control_point(name, rect, fx, fy)
        self.click(x, y, button)


def parse_ppm(data):
    # P6 header: magic, width, height, maxval, each separated by white space.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    pos += 1
    assert fields[0] == b"P6", fields[0]
    return int(fields[1]), int(fields[2]), data[pos:]


def find_background_block(width, height, pixels, colour):
    target = bytes(colour)
    rows = []
    for y in range(height):
        row = pixels[y * width * 3:(y + 1) * width * 3]
        count = 0
        first = last = -1
        for x in range(0, width, 4):
            if row[x * 3:x * 3 + 3] == target:
                count += 1
                if first < 0:
                    first = x
                last = x
        rows.append((count, first, last))
    best = max(c for c, _, _ in rows)
    if best == 0:
        raise AssertionError("no workspace on screen")
    wide = [y for y, (c, _, _) in enumerate(rows) if c >= best * 0.6]
    top, bottom = wide[0], wide[-1]
    # Refine the left and right edges at full resolution on a row with the widest run.
    y = max(wide, key=lambda r: rows[r][0])
    row = pixels[y * width * 3:(y + 1) * width * 3]
    xs = [x for x in range(width) if row[x * 3:x * 3 + 3] == target]
    return xs[0], top, xs[-1] - xs[0] + 1, bottom - top + 1
