#!/usr/bin/env python3
"""A few cards played for real with the keyboard (Xvfb, openbox, xdotool): the
first card enters above the middle column, moves without leaving a trace,
drops onto its stack and stays there, the title shows the pause, and New Game
asks before it throws a running game away."""

import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Deckfall, ensure_display, run  # noqa: E402

BACKGROUND = (0x40, 0x00, 0x40)
CARD_WIDTH, COLUMN_PITCH = 71, 91


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def is_card_face(rgb):
    return min(rgb) >= 200  # the white of a card face


def card_columns(picture, y):
    """Left edges of card-wide white runs on screen row y."""
    return [start for start, end in picture.find_runs(y, is_card_face)
            if CARD_WIDTH - 12 <= end - start <= CARD_WIDTH]


def face_rows(picture, left, top, bottom):
    """Rows in [top, bottom) where a card face fills most of the column starting at left."""
    return sum(1 for y in range(top, bottom)
               if sum(is_card_face(picture.rgb(x, y)) for x in range(left + 2, left + CARD_WIDTH - 2)) > 20)


def falling_card_row(picture, top, bottom):
    """The first screen row in [top, bottom) that crosses a card face, and the card's left edge."""
    for y in range(top, bottom):
        columns = card_columns(picture, y)
        if columns:
            return y, columns[0]
    return None, None


def main():
    program = os.path.abspath(sys.argv[1])
    shots = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp()
    os.makedirs(shots, exist_ok=True)
    wm = ensure_display([sys.executable, *sys.argv])
    try:
        with tempfile.TemporaryDirectory() as home:
            game = Deckfall(program, home).start()
            left, top, width, height = game.outer_rect()
            time.sleep(0.3)
            first = game.capture()
            row, card_x = falling_card_row(first, top, top + height // 3)
            check(row is not None, "a falling card is on the board")
            # The middle column of the seven lies under the centre of the window.
            centre = left + width // 2
            check(abs(card_x + CARD_WIDTH // 2 - centre) <= 3, f"the card enters above column 3: x {card_x}")
            game.screenshot(os.path.join(shots, "first-card.png"))

            game.key("Left Left")
            time.sleep(0.3)
            moved = game.capture()
            _, moved_x = falling_card_row(moved, top, top + height // 3)
            check(moved_x == card_x - 2 * COLUMN_PITCH, f"two columns left: {moved_x} from {card_x}")
            for y in range(row, row + 40):
                check(moved.rgb(card_x + CARD_WIDTH // 2, y) == BACKGROUND, "no trace where the card was")

            game.key("Down")
            time.sleep(0.5)
            landed = game.capture()
            game.screenshot(os.path.join(shots, "landed.png"))
            # The stacks' base line lies 288 pixels below where new cards enter (the card may have
            # fallen a step or two before the first picture): the dropped card is there, in its column.
            band = (row + 200, row + 400)
            check(face_rows(landed, moved_x, *band) >= 90, "the dropped card lies on its stack")
            check(face_rows(landed, card_x, *band) == 0, "the middle stack is still empty")

            check(game.title() == "Deckfall", f"running title {game.title()!r}")
            game.key("F3")
            time.sleep(0.2)
            check(game.title() == "Deckfall - Paused", f"paused title {game.title()!r}")
            game.key("F3")
            time.sleep(0.2)
            check(game.title() == "Deckfall", "F3 again resumes")

            game.key("ctrl+n")
            box = game.wait_for_window("^New Game$", timeout=5)
            run("xdotool", "windowactivate", "--sync", box)
            run("xdotool", "key", "Escape")
            time.sleep(0.3)
            check(game.title() == "Deckfall", "No keeps the game running")

            game.key("ctrl+x")
            check(game.wait_exit()[0] == 0, "Exit ends with 0")
    finally:
        wm.terminate()
    print("end-to-end play: all checks passed")


if __name__ == "__main__":
    main()
