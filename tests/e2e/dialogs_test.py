#!/usr/bin/env python3
"""The dialogs of the real program on a real desktop (Xvfb and openbox): a first
start shows the welcome dialog centred over the maximised window with the game
paused behind it; a game that beats the tenth stored score asks for a name,
which is kept; after a restart the list opened from the menu shows it."""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Deckfall, ensure_display, eventually, read_settings, run, write_values  # noqa: E402

HIGH_SCORES_KEY = "Software\\Quillmoor\\Deckfall\\HighScores"
NAME = "Zoë Жукова"


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def first_start_shows_the_welcome(program, home, shots):
    game = Deckfall(program, home).start(close_welcome=False)
    welcome = game.wait_for_window("^Welcome to Deckfall!$")
    time.sleep(0.5)
    game.screenshot(os.path.join(shots, "welcome.png"))
    check(game.title() == "Deckfall - Paused", f"the game waits behind the welcome: {game.title()!r}")
    check(eventually(game.is_maximised), "the first start is maximised")

    def centred():
        left, top, width, height = game.outer_rect()
        w_left, w_top, w_width, w_height = game.outer_rect(welcome)
        # Before it is shown a dialog's frame can only be estimated, from its owner's: a few pixels' slack.
        return abs((w_left + w_width / 2) - (left + width / 2)) <= 4 and abs((w_top + w_height / 2) - (top + height / 2)) <= 4

    check(eventually(centred), f"the welcome at {game.outer_rect(welcome)} is centred over the window at {game.outer_rect()}")
    w_left, w_top, w_width, w_height = game.outer_rect(welcome)
    check(w_width > w_height, f"shortened below its OK button: {w_width} x {w_height}")
    run("xdotool", "windowactivate", "--sync", welcome)
    run("xdotool", "key", "Escape")
    game.wait_for_title("Deckfall")
    game.key("ctrl+x")
    check(game.wait_exit()[0] == 0, "Exit ends with 0")
    return game.store_path


def qualifying_game_takes_a_name(program, home, store_path, shots):
    # Ten stored entries far below any real game: the game about to end beats the tenth.
    write_values(store_path, HIGH_SCORES_KEY, {**{f"Name{i}": f"Seed {i}" for i in range(10)},
                                              **{f"Score{i}": "$-100000" for i in range(10)}})

    game = Deckfall(program, home).start()
    # Every card is dealt above the last stack: dropping them all there fills it.
    for _ in range(60):
        game.key("Down")
        time.sleep(0.15)
        if subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Game Over$"], capture_output=True).stdout:
            break
    box = game.wait_for_window("^Game Over$", timeout=1)
    game.screenshot(os.path.join(shots, "congratulations.png"))
    run("xdotool", "windowactivate", "--sync", box)
    run("xdotool", "key", "Return")
    scores = game.wait_for_window("^High Score List$")
    run("xdotool", "windowactivate", "--sync", scores)
    run("xdotool", "type", "--delay", "100", NAME)
    time.sleep(0.3)
    game.screenshot(os.path.join(shots, "name-typed.png"))
    run("xdotool", "key", "Return")
    game.wait_for_title("Deckfall - Game Over")
    stored = {name: bytes(text).decode() for name, text in read_settings(store_path, HIGH_SCORES_KEY).items()}
    check((stored["name0"], stored["name1"]) == (NAME, "Seed 0"), f"the name first, the seeds below: {stored}")
    check(int(stored["score0"][1:]) > -100000, f"the game's score is stored: {stored['score0']!r}")
    game.key("ctrl+x")
    check(game.wait_exit()[0] == 0, "Exit ends with 0")


def name_is_in_the_list_after_a_restart(program, home, shots):
    game = Deckfall(program, home).start()
    game.key("alt+g")
    time.sleep(0.3)
    run("xdotool", "key", "Down", "Return")  # New, then High Score List...
    scores = game.wait_for_window("^High Score List$")
    check(game.title() == "Deckfall - Paused", "the list pauses the game")
    run("xdotool", "windowactivate", "--sync", scores)
    # From OK the tab goes to the first row's name, read-only but selectable.
    run("xdotool", "key", "Tab", "ctrl+a", "ctrl+c")
    time.sleep(0.3)
    game.screenshot(os.path.join(shots, "list-after-restart.png"))
    shown = run("xclip", "-o", "-selection", "clipboard")
    check(shown == NAME, f"the first row shows {shown!r}")
    run("xdotool", "key", "Escape")
    game.wait_for_title("Deckfall")
    game.key("ctrl+x")
    check(game.wait_exit()[0] == 0, "Exit ends with 0")


def main():
    program = os.path.abspath(sys.argv[1])
    shots = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp()
    os.makedirs(shots, exist_ok=True)
    wm = ensure_display([sys.executable, *sys.argv])
    try:
        with tempfile.TemporaryDirectory() as home:
            store_path = first_start_shows_the_welcome(program, home, shots)
            qualifying_game_takes_a_name(program, home, store_path, shots)
            name_is_in_the_list_after_a_restart(program, home, shots)
    finally:
        wm.terminate()
    print("end-to-end dialogs: all checks passed")


if __name__ == "__main__":
    main()
