"""End-to-end scenarios: the real program, a real X server, real keys and clicks.

Run one scenario:  QUILLET_PROGRAM=build/bin/quillet python3 scenarios.py Generate
"""

import os
import re
import subprocess
import sys
import time
import unittest

from harness import Session, wait_for

PROGRAM = os.environ.get("QUILLET_PROGRAM", "")
ARTIFACTS = os.environ.get("QUILLET_E2E_ARTIFACTS", os.path.join(os.getcwd(), "e2e-artifacts"))

IDEAS = ("the night is long and the light is strong tonight we fight for the right "
         "to sing of day and way and say the words we play in the bright sky")

SAVE_QUESTION = "Closing document"


def lyric_lines(text):
    return [line for line in text.split("\n") if line]


def expected_document(ideas, history, rules, lyric):
    """The document file as the program writes it."""
    def esc(t):
        return (t.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
                 .replace('"', "&quot;").replace("'", "&apos;"))
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<quillet>"]
    for i, idea in enumerate(ideas):
        out.append('  <text id="%d" data="%s"></text>' % (i + 1, esc(idea)))
    for i, entry in enumerate(history):
        out.append('  <history id="%d" data="%s"></history>' % (i, esc(entry)))
    for i, rule in enumerate(rules):
        out.append('  <rule id="%d" data="%s"></rule>' % (i, esc(rule)))
    out.append('  <editor data="%s"></editor>' % esc(lyric))
    out.append("</quillet>")
    return ("\n".join(out) + "\n").encode("utf-8")


class Scenario(unittest.TestCase):
    def setUp(self):
        self.assertTrue(PROGRAM and os.access(PROGRAM, os.X_OK), "QUILLET_PROGRAM must name the built program")
        self.s = Session(PROGRAM)
        self.addCleanup(self.s.close)

    def _callTestMethod(self, method):
        # A picture of the screen at the moment of failure tells more than the assertion.
        try:
            method()
        except BaseException:
            os.makedirs(ARTIFACTS, exist_ok=True)
            self.s.save_screenshot(os.path.join(ARTIFACTS, "failed-%s.png" % self._testMethodName))
            raise

    # --- shared steps --------------------------------------------------------

    def start_program(self, *args):
        process = self.s.start(*args)
        window = self.s.wait_window("^Quillet$")
        # The splash stands over the window at first; wait until it has gone so
        # clicks land on the workspace.
        self.s.wait_no_window("brackwater quillet", timeout=10)
        self.s.xdotool("windowactivate", "--sync", window, check=False)
        rect = wait_for(self.try_workspace_rect, 10, what="the workspace")
        return process, window, rect

    def try_workspace_rect(self):
        try:
            return self.s.workspace_rect()
        except AssertionError:
            return None

    def documents_folder(self):
        return os.path.join(self.s.home, "Documents", "brackwater", "quillet")

    def type_into(self, control, text, rect):
        """Replaces a box's text by typing. On a loaded machine keys can arrive
        before the click that gives the box the focus has been handled, so the
        text is read back (select all, copy) and typed again when it differs."""
        for _ in range(3):
            self.s.click_control(control, rect)
            self.s.key("ctrl+a", "BackSpace")
            if text:
                self.s.type_text(text)
            if not text:
                return
            self.s.key("ctrl+a", "ctrl+c")
            try:
                wait_for(lambda: self.s.clipboard() == text, 3, what="the typed text in " + control)
                return
            except AssertionError:
                continue
        self.fail("could not type into " + control)

    def generate(self, rect, previous=None, presses=3, wait=5):
        """Presses "Create Lyrics --->" and returns the new lyric it put on the
        clipboard. On a loaded machine a press can arrive while the program is
        still busy with the typing before it; pressing again is harmless."""
        for _ in range(presses):
            self.s.click_control("createLyricsButton", rect)
            try:
                return wait_for(lambda: self.new_lyric(previous), wait, what="a new lyric on the clipboard")
            except AssertionError:
                continue
        self.fail("no new lyric on the clipboard after %d presses" % presses)

    def new_lyric(self, previous):
        text = self.s.clipboard()
        if text and text != previous and text.endswith(".\n"):
            return text
        return None

    def generate_different(self, rect, previous):
        # Generation is seeded by the time in seconds: a press within the same
        # second gives the same lyric, so press again in the next second.
        return self.generate(rect, previous, presses=5, wait=1.5)

    def press_in_box(self, title, key="Return"):
        box = self.s.wait_window(title)
        self.s.xdotool("windowactivate", "--sync", box, check=False)
        self.s.key(key)
        self.s.wait_no_window(title)

    def choose_file_in_dialog(self, title, path):
        dialog = self.s.wait_window(title)
        self.s.xdotool("windowactivate", "--sync", dialog, check=False)
        # The chooser's "file:" box runs along the bottom, above the buttons; a full
        # path typed there is taken as it stands.
        x, y, w, h = self.s.geometry(dialog)
        self.s.click(x + w * 0.6, y + h - 62)
        self.s.key("ctrl+a")
        self.s.type_text(path)
        # Return in that box only selects the file; the button at the bottom right confirms.
        self.s.click(x + w - 55, y + h - 25)

    def open_file_menu_item(self, window, downs):
        x, y, w, h = self.s.geometry(window)
        rect = self.s.workspace_rect()
        # The menu bar is the strip right under the window's title bar; "File" is its first item.
        title_bar = 26
        self.s.click(x + 18, y + title_bar + 10)
        time.sleep(0.3)
        for _ in range(downs):
            self.s.key("Down")
        self.s.key("Return")
        return rect

    def wait_exit(self, process, timeout=15):
        wait_for(lambda: process.poll() is not None, timeout, what="the program to end")
        return process.returncode

    # --- scenarios -----------------------------------------------------------

    def test_Start(self):
        process = self.s.start()
        window = self.s.wait_window("^Quillet$")
        self.assertEqual(self.s.geometry(window)[2:], (835, 585))
        shown_at = time.monotonic()
        self.s.wait_window("brackwater quillet", timeout=5)
        self.s.wait_no_window("brackwater quillet", timeout=10)
        shown_for = time.monotonic() - shown_at
        self.assertGreater(shown_for, 3.0)
        self.assertLess(shown_for, 6.5)
        self.assertTrue(os.path.isdir(self.documents_folder()))
        rect = self.s.workspace_rect()
        self.assertGreater(rect[2], 400)
        self.assertIsNone(process.poll())

    def test_NoDisplay(self):
        # A display that no server answers (with none named at all the framework tries ":0").
        env = self.s.env()
        env["DISPLAY"] = next(":%d" % n for n in range(4242, 4342) if not os.path.exists("/tmp/.X11-unix/X%d" % n))
        started = time.monotonic()
        result = subprocess.run([PROGRAM], env=env, capture_output=True, timeout=20)
        self.assertEqual(result.returncode, 1)
        self.assertIn(b"no graphical display", result.stderr)
        self.assertLess(time.monotonic() - started, 10)

    def test_Generate(self):
        _, _, rect = self.start_program()
        self.type_into("ideaEditor1", IDEAS, rect)
        lyric = self.generate(rect)
        lines = lyric_lines(lyric)
        self.assertEqual(len(lines), 4, lyric)
        for i, line in enumerate(lines):
            self.assertEqual(len(line[:-1].split(" ")), 4, line)
            self.assertEqual(line[-1], "." if i == 3 else ",", line)
        os.makedirs(ARTIFACTS, exist_ok=True)
        self.s.save_screenshot(os.path.join(ARTIFACTS, "main-window.png"))

        self.type_into("ideaEditor1", "", rect)
        self.s.click_control("createLyricsButton", rect)
        self.press_in_box("You must first enter some ideas!")

    def test_Rule(self):
        _, _, rect = self.start_program()
        self.type_into("ruleComboBox", "3 3 3", rect)
        self.type_into("ideaEditor1", IDEAS, rect)   # leaving the rule box applies it
        lyric = self.generate(rect)
        lines = lyric_lines(lyric)
        self.assertEqual(len(lines), 3, lyric)
        for line in lines:
            self.assertEqual(len(line[:-1].split(" ")), 3, line)

    def test_History(self):
        _, window, rect = self.start_program()
        self.type_into("ideaEditor1", IDEAS, rect)
        first = self.generate(rect)
        self.s.click_control("addButton", rect)
        second = self.generate_different(rect, first)
        self.s.click_control("addButton", rect)          # history: first, second (selected)
        self.s.click_control("moveUpButton", rect)       # second, first (second selected)
        self.s.click_control("deleteButton", rect)       # first
        self.s.click_control("addButton", rect)          # first, second

        target = os.path.join(self.s.home, "exported.txt")
        self.open_file_menu_item(window, 6)              # New, Open..., Close, Save, Save As..., Export...
        self.choose_file_in_dialog("Please decide where to export", target)
        self.press_in_box("Exported!")
        with open(target, "rb") as f:
            data = f.read()
        self.assertEqual(data, (first + "\r\n" + "\r\n" + second + "\r\n").encode("utf-8"))

    def test_SaveAndReopen(self):
        process, window, rect = self.start_program()
        self.type_into("ideaEditor1", IDEAS, rect)
        lyric = self.generate(rect)
        self.s.click_control("addButton", rect)
        self.s.key("ctrl+s")
        saved = os.path.join(self.documents_folder(), "untitled.quillet")
        wait_for(lambda: os.path.exists(saved), 10, what=saved)
        expected = expected_document([IDEAS, "", ""], [lyric], ["4 4 4 4", "4 5 4 5"], lyric)
        wait_for(lambda: open(saved, "rb").read() == expected, 5, what="the saved document's bytes")

        self.s.key("ctrl+q")
        self.assertEqual(self.wait_exit(process), 0)
        settings = os.path.join(self.s.home, ".config", "quillet", "quillet.dat")
        with open(settings, encoding="utf-8") as f:
            self.assertIn(saved, f.read())

        _, window, rect = self.start_program(saved)
        # Save the reopened document elsewhere: the same bytes prove that ideas,
        # history, rules and lyric were all read back.
        copy = os.path.join(self.s.home, "copy.quillet")
        self.s.key("shift+ctrl+s")
        self.choose_file_in_dialog("Choose a quillet file to save as", copy)
        wait_for(lambda: os.path.exists(copy), 10, what=copy)
        wait_for(lambda: open(copy, "rb").read() == expected, 5, what="the reopened document's bytes")

    def test_SecondLaunch(self):
        document = os.path.join(self.s.home, "song.quillet")
        with open(document, "wb") as f:
            f.write(expected_document(["second launch ideas", "", ""], ["Entry one."], ["4 4 4 4", "4 5 4 5"],
                                      "Entry one.\n"))
        first, _, _ = self.start_program()
        started = time.monotonic()
        second = self.s.start(document)
        self.assertEqual(self.wait_exit(second, timeout=5), 0)
        self.assertLess(time.monotonic() - started, 3.0)
        self.assertIsNone(first.poll())
        self.s.key("ctrl+q")
        self.assertEqual(self.wait_exit(first), 0)
        settings = os.path.join(self.s.home, ".config", "quillet", "quillet.dat")
        with open(settings, encoding="utf-8") as f:
            self.assertIn(document, f.read())

    def test_UnsavedWork(self):
        process, _, rect = self.start_program()
        self.type_into("ideaEditor1", IDEAS, rect)
        self.generate(rect)                               # a press marks the document changed
        self.s.key("ctrl+q")
        self.press_in_box(SAVE_QUESTION, key="Escape")
        time.sleep(0.5)
        self.assertIsNone(process.poll())
        self.assertTrue(self.s.find_windows("^Quillet$"))

    def test_LookUp(self):
        _, _, rect = self.start_program()
        self.type_into("ideaEditor1", IDEAS, rect)
        lyric = self.generate(rect)
        first_word = lyric.split(" ")[0]
        # Right-click on the first character of the lyric: its first word.
        x, y = self.s.control_point("lyricsEditor", rect, fx=0.0, fy=0.0)
        self.s.click(x + 8, y + 9, button=3)
        time.sleep(0.3)
        self.s.key("Down", "Down", "Return")              # "Lock Word", "Thesaurus - ..."
        launches = wait_for(self.s.opened_addresses, 10, what="a browser launch")
        self.assertEqual(launches[0]["argc"], 1)
        site = os.path.realpath(os.path.join(os.path.dirname(PROGRAM), "..", "share", "quillet", "site"))
        self.assertEqual(launches[0]["args"][0],
                         "file://" + site + "/tools/quillet/thesaurus.html#https://www.thesaurus.com/browse/"
                         + first_word)

    def test_Import(self):
        text_file = os.path.join(self.s.home, "notes.txt")
        with open(text_file, "w", encoding="utf-8") as f:
            f.write("Roses are red,\nViolets are blue.\n\nSugar is sweet\n\n\nAnd so are you!\n")
        _, _, rect = self.start_program(text_file)
        first = "Roses are red\nViolets are blue\n"
        # The lyric editor shows the entry in lyric form, and that is what goes on the clipboard.
        shown = "Roses are red,\nViolets are blue.\n"
        wait_for(lambda: self.s.clipboard() == shown, 10, what="the first paragraph on the clipboard")
        copy = os.path.join(self.s.home, "imported.quillet")
        self.s.key("shift+ctrl+s")
        self.choose_file_in_dialog("Choose a quillet file to save as", copy)
        wait_for(lambda: os.path.exists(copy), 10, what=copy)
        data = open(copy, "rb").read().decode("utf-8")
        history = re.findall(r'<history id="\d+" data="([^"]*)"></history>', data)
        self.assertEqual(history, [first, "Sugar is sweet\n", "And so are you!\n"])
        self.assertIn('<text id="1" data="Roses are red\nViolets are blue\nSugar is sweet\nAnd so are you!\n">', data)


if __name__ == "__main__":
    names = sys.argv[1:]
    suite = unittest.TestSuite(Scenario("test_" + n) for n in names) if names else \
        unittest.defaultTestLoader.loadTestsFromTestCase(Scenario)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
