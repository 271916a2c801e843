#!/usr/bin/env python3
"""The help document as the program finds it: beside the program in the build's bin folder,
valid HTML5 that needs no network, with a section for every topic, and every figure it
states taken from the game's own code, so that the help cannot drift from the rules.

Usage: help_test.py <build>/bin/DeckfallHelp.htm <source root>
"""

import math
import os
import re
import shutil
import subprocess
import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}
SECTIONS = ["aim", "board", "keys", "trading", "hands", "money", "levels", "end", "scores", "options", "files",
            "other-rules"]
# The controls of the Options dialog, as the player reads them.
OPTIONS = ["Music", "Sound effects", "Play upside down", "Deal next card above last stack",
           "Show welcome screen on startup", "Change Foreground Color", "Change Background Color",
           "Stud Poker", "Draw Poker", "7 Card Poker", "Deal from a deck of 52 cards",
           "Stuff collapsed cards back into deck", "End game when the deck is emptied",
           "Drop cards faster as level gets higher", "Clear stacks at the beginning of each level"]
KEYS = ["F2", "F3", "Ctrl", "N", "X", "Space", "Num Lock", "\u2190", "\u2192", "\u2191", "\u2193", "2", "4", "5",
        "6", "8"]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


class Node:
    def __init__(self, tag, attrs, parent):
        self.tag, self.attrs, self.parent, self.children, self.parts = tag, dict(attrs), parent, [], []

    def text(self):
        return "".join(part if isinstance(part, str) else part.text() for part in self.parts)

    def walk(self):
        yield self
        for child in self.children:
            yield from child.walk()

    def find_all(self, tag=None, **attrs):
        return [node for node in self.walk() if (tag is None or node.tag == tag) and
                all(node.attrs.get(name.replace("_", "-")) == value for name, value in attrs.items())]

    def classes(self):
        return self.attrs.get("class", "").split()


class Document(HTMLParser):
    """A tree of the document that insists on every element being closed in order."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = Node("#document", [], None)
        self.current = self.root
        self.doctype = None

    def handle_decl(self, decl):
        self.doctype = decl

    def handle_starttag(self, tag, attrs):
        node = Node(tag, attrs, self.current)
        self.current.children.append(node)
        self.current.parts.append(node)
        if tag not in VOID:
            self.current = node

    def handle_startendtag(self, tag, attrs):
        check(tag in VOID, f"<{tag}/> is not a void element")
        self.handle_starttag(tag, attrs)

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        check(self.current.tag == tag, f"</{tag}> closes <{self.current.tag}> (line {self.getpos()[0]})")
        # After a fault, close up to the element named, so that one fault is reported once.
        node = self.current
        while node.parent and node.tag != tag:
            node = node.parent
        if node.parent:
            self.current = node.parent

    def handle_data(self, data):
        self.current.parts.append(data)


def read(root, path):
    with open(os.path.join(root, path), encoding="utf-8") as source:
        return source.read()


def number(pattern, text, where):
    found = re.search(pattern, text)
    check(found, f"{where}: no match for {pattern!r}; has the code changed shape? Update the help and this test")
    return found.groups() if found else None


def dollars(text):
    return int(text.strip().lstrip("$").replace(",", ""))


def check_markup(path, document):
    tidy = shutil.which("tidy")
    check(tidy, "tidy is not installed (tools/install-deps installs it)")
    if tidy:
        result = subprocess.run([tidy, "-e", "-q", path], capture_output=True, text=True)
        check(result.returncode == 0 and not result.stderr.strip(), f"tidy finds fault:\n{result.stderr}")
    check(document.doctype and document.doctype.lower() == "doctype html", "no HTML5 doctype")
    check(document.current is document.root, f"<{document.current.tag}> is never closed")
    html = document.root.find_all("html")
    check(html and html[0].attrs.get("lang") == "en", "<html> does not say its language")
    check(document.root.find_all("meta", charset="utf-8"), "no <meta charset=\"utf-8\">")
    check(len(document.root.find_all("style")) == 1, "not exactly one stylesheet")
    check(not document.root.find_all("script"), "a script")
    check(not document.root.find_all("link"), "an outside stylesheet or link")
    ids = [node.attrs["id"] for node in document.root.walk() if "id" in node.attrs]
    check(len(ids) == len(set(ids)), "an id is used twice")
    for node in document.root.walk():
        for name in ("href", "src"):
            target = node.attrs.get(name)
            if target is None:
                continue
            check(not re.match(r"^(\w+:|//)", target), f"{name}={target} needs the network")
            if target.startswith("#"):
                check(target[1:] in ids, f"{name}={target} points nowhere")
    style = " ".join(node.text() for node in document.root.find_all("style"))
    check("@import" not in style and "url(" not in style, "the stylesheet fetches something")


def check_topics(document):
    sections = {node.attrs.get("id") for node in document.root.find_all("section")}
    for section in SECTIONS:
        check(section in sections, f"no section {section}")
    options = " ".join(node.text() for node in document.root.find_all("dt"))
    for option in OPTIONS:
        check(option in options, f"the option {option!r} is not explained")
    keys = {node.text() for node in document.root.find_all("kbd")}
    for key in KEYS:
        check(key in keys, f"the key {key!r} is not shown")
    files = document.root.find_all("section", id="files")[0].text() if "files" in sections else ""
    check("${XDG_CONFIG_HOME:-~/.config}/Quillmoor/Deckfall/settings.db" in files, "the settings file is not named")


def figure(document, name):
    found = document.root.find_all(data_figure=name)
    check(found, f"the help states no {name}")
    return [node.text() for node in found]


def check_figures(document, root):
    rules = read(root, "cards/CCardStackRules.cpp")
    codes = {name: int(value) for name, value in re.findall(r"(\w+) = (\d+),", read(root, "cards/HandCode.h"))}
    payouts = number(r"kHandPayout = \{([\d, ]+)\}", rules, "cards/CCardStackRules.cpp")
    if not codes or not payouts:
        return
    pays = [int(value) for value in payouts[0].split(",")]
    pay_of = {name: pays[code] for name, code in codes.items()}

    table = document.root.find_all("table", id="pay-table")
    listed = set()
    for row in table[0].find_all("tr") if table else []:
        hand = row.attrs.get("data-hand")
        if hand is None:
            continue
        listed.add(hand)
        check(hand in pay_of, f"the pay table names an unknown hand {hand}")
        pay = "".join(cell.text() for cell in row.find_all("td") if "pay" in cell.classes())
        check(pay and dollars(pay) == pay_of.get(hand), f"{hand} does not pay {pay or 'anything'}")
    for hand, pay in pay_of.items():
        check(pay == 0 or hand in listed, f"the pay table leaves out {hand}")

    divisor = number(r"sum / (\d+)\.0 \+ 1\.0", rules, "cards/CCardStackRules.cpp")
    if divisor:
        divisor = int(divisor[0])
        check(all(int(text) == divisor for text in figure(document, "bonus-divisor")), "wrong bonus divisor")
        for row in document.root.find_all("tr"):
            if "data-points" not in row.attrs:
                continue
            points, hand = int(row.attrs["data-points"]), row.attrs["data-hand"]
            total = "".join(cell.text() for cell in row.find_all("td") if "total" in cell.classes()) or "$-1"
            expected = math.trunc(pay_of[hand] * (points / divisor + 1.0))
            check(dollars(total) == expected, f"{hand} of {points} points pays ${expected}, not {total}")

    playfield = read(root, "engine/CPlayfield.cpp")
    constants = dict(re.findall(r"constexpr [\w:]+ (k\w+) = (\d+);", playfield))
    for name, key in (("card-cost", "kCardCost"), ("swap-cost", "kSwapCost")):
        check(all(dollars(text) == int(constants.get(key, -1)) for text in figure(document, name)), f"wrong {name}")
    check(all(int(text) == int(constants.get("kCardsPerLevel", -1)) for text in figure(document, "cards-per-level")),
          "wrong number of cards in a level")
    step = number(r"1\.0 \+ ([\d.]+) \* level", playfield, "engine/CPlayfield.cpp")
    rule = number(r"if \(interval > (\d+)\)\s*interval -= (\d+);\s*else if \(interval > (\d+)\)\s*"
                  r"interval = interval \* (\d+) / (\d+);\s*else\s*interval = (\d+);", playfield,
                  "engine/CPlayfield.cpp")
    if step and rule and "kFirstInterval" in constants:
        above, less, faster_above, times, by, restart = (int(value) for value in rule)
        interval = int(constants["kFirstInterval"])
        levels = document.root.find_all("table", id="level-table")
        rows = [row for row in levels[0].find_all("tr") if "data-level" in row.attrs] if levels else []
        check(len(rows) >= 9, "the level table does not show a whole cycle of speeds")
        for level, row in enumerate(rows):
            check(int(row.attrs["data-level"]) == level + 1, "the levels are not in order")
            cells = {cls: cell.text() for cell in row.find_all("td") for cls in cell.classes()}
            multiplier = 1.0 + float(step[0]) * level
            check(math.isclose(float(cells["multiplier"]), multiplier), f"level {level + 1} pays x{multiplier}")
            cost = math.trunc(multiplier * int(constants["kCardCost"]))
            check(dollars(cells["cost"]) == cost, f"a card costs ${cost} on level {level + 1}")
            check(cells["interval"] == f"{interval} ms", f"level {level + 1} steps every {interval} ms")
            interval = (interval - less if interval > above else
                        interval * times // by if interval > faster_above else restart)

    clearing = number(r"rank == kAce \? (\d+) : rank <= kNine \? (\d+) : (\d+);", read(root, "cards/CardValue.h"),
                      "cards/CardValue.h")
    if clearing:
        for name, value in zip(("clear-ace", "clear-low", "clear-high"), clearing):
            check(all(dollars(text) == int(value) for text in figure(document, name)), f"wrong {name}")
    twenty_one = number(r"return n == 2 \? (\d+) : (\d+);", rules, "cards/CCardStackRules.cpp")
    if twenty_one:
        for name, value in zip(("twenty-one-two", "twenty-one-more"), twenty_one):
            check(all(dollars(text) == int(value) for text in figure(document, name)), f"wrong {name}")
    bonus = number(r"AddWinnings\((\d+)\)", read(root, "app/CMainWindow.cpp"), "app/CMainWindow.cpp")
    if bonus:
        check(all(dollars(text) == int(bonus[0]) for text in figure(document, "perpetual-bonus")), "wrong bonus")


def main():
    path, root = sys.argv[1], sys.argv[2]
    if not os.path.isfile(path):
        print(f"FAIL: {path} is missing: the program would find no help beside it")
        return 1
    document = Document()
    with open(path, encoding="utf-8") as help_file:
        document.feed(help_file.read())
    document.close()
    check_markup(path, document)
    check_topics(document)
    check_figures(document, root)
    for failure in failures:
        print(f"FAIL: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
