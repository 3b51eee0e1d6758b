#!/usr/bin/env python3
"""Checks that the user guide names every menu item, sub-menu, button, group and
label of the program, as the program's sources spell them, so that a renamed or
added control shows up here until the guide follows.

    check_guide.py --source <repository root>
"""
import argparse
import html.parser
import os
import re
import sys

GUIDE = "site/tools/quillet/doc/index.html"

# Where the program's visible texts are made, what they are made by, and the
# least number of texts each file must give (so a changed call cannot make the
# check pass by matching nothing).
SOURCES = [
    ("src/app/ContentComp.cpp", [r'setInfo \("([^"]+)"', r'addSubMenu \("([^"]+)"'], 15),
    ("src/gui_shared/quilletComponent.cpp", [r'makeButton \(\w+, "([^"]+)"', r'makeGroup \("([^"]+)"',
                                             r'makeLabel \("([^"]+)"'], 14),
    ("src/gui_shared/lyricTextEditor.cpp", [r'translate \("([^"]+)"', r'addSubMenu \("([^"]+)"'], 7),
    ("src/gui_shared/searchableTextEditor.cpp", [r'translate \("([^"]+)"', r'addSubMenu \("([^"]+)"'], 7),
    # The highlight-search label both editors share.
    ("src/gui_shared/LookupMenuText.h", [r'translate \("([^"]+)"'], 1),
]
# The framework's own Quit command is not spelled in the program's sources.
FRAMEWORK_ITEMS = ["Quit"]


class TextOf(html.parser.HTMLParser):
    """The page's text, and the texts set apart as control names (class "label")."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.parts = []
        self.labels = set()
        self.open_labels = []

    def handle_starttag(self, tag, attrs):
        if tag == "span":
            self.open_labels.append([] if ("class", "label") in attrs else None)

    def handle_endtag(self, tag):
        if tag == "span" and self.open_labels:
            label = self.open_labels.pop()
            if label is not None:
                self.labels.add(normalise("".join(label)))

    def handle_data(self, data):
        self.parts.append(data)
        for label in self.open_labels:
            if label is not None:
                label.append(data)


def normalise(text):
    return re.sub(r"\s+", " ", text).strip()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    args = parser.parse_args()

    reader = TextOf()
    with open(os.path.join(args.source, GUIDE), encoding="utf-8") as guide:
        reader.feed(guide.read())
    # Tags split labels such as "Search highlight - (" from what follows them;
    # the text is compared with the tags taken out.
    guide_text = normalise("".join(reader.parts))

    passed = failed = 0
    for relative, patterns, least in SOURCES:
        path = os.path.join(args.source, relative)
        if not os.path.isfile(path):
            print(f"FAIL: {relative} is missing")
            failed += 1
            continue
        with open(path, encoding="utf-8") as source:
            code = source.read()
        labels = sorted({normalise(m) for p in patterns for m in re.findall(p, code)})
        if len(labels) < least:
            print(f"FAIL: only {len(labels)} texts found in {relative}: {labels}")
            failed += 1
        for label in labels:
            # Names as short as "^" or "v" are found anywhere; they must stand as a control name.
            if (label in reader.labels) if len(label) <= 2 else (label in guide_text):
                passed += 1
            else:
                print(f"FAIL: the guide does not mention \"{label}\" ({relative})")
                failed += 1

    for label in FRAMEWORK_ITEMS:
        if label in guide_text:
            passed += 1
        else:
            print(f"FAIL: the guide does not mention \"{label}\"")
            failed += 1

    print(f"guide: {passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
