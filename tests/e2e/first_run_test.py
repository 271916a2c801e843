#!/usr/bin/env python3
"""The real program on a real desktop (Xvfb and openbox): the first run opens
maximised in the background colour, closing writes the options and the
placement, the next run opens where the window was, the window never gets
smaller than its minimum, Exit writes nothing, and without a display the
program says how to run it."""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Deckfall, ensure_display, read_settings, run  # noqa: E402

BACKGROUND = (0x40, 0x00, 0x40)
DEFAULT_OPTIONS = {"beep": 1, "music": 1, "clearstacks": 0, "getfaster": 1, "swapmode": 1, "onedeck": 2,
                   "endonshuffle": 0, "laststack": 1, "updown": 1, "collapseregime": 2, "shownagdlg": 1,
                   "foregroundcolor": 0xFF80FF, "backgroundcolor": 0x400040}


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def without_display_says_how(program):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    result = subprocess.run([program], env=env, capture_output=True, text=True, timeout=30)
    lines = result.stderr.strip().splitlines()
    check(result.returncode != 0, "without a display the program must fail")
    check(len(lines) == 1 and "xvfb-run" in lines[0], f"one line naming xvfb-run, got {lines!r}")


def first_run_opens_maximised_and_close_saves(program, home, shots):
    game = Deckfall(program, home).start()
    check(game.title() == "Deckfall", f"title {game.title()!r}")
    check(game.is_maximised(), "the first run opens maximised")
    left, top, width, height = game.outer_rect()
    game.screenshot(os.path.join(shots, "first-run.png"))
    check(game.pixel(left + width // 2, top + height // 2) == BACKGROUND, "the board is the background colour")
    game.key("alt+F4")
    code, _ = game.wait_exit()
    check(code == 0, f"closing exits with 0, not {code}")
    stored = read_settings(game.store_path)
    check(stored.get("firstboot") == 0, "FirstBoot is 0 after a close")
    check(stored.get("minmax") == 2, "a maximised window saves MinMax 2")
    for name, value in DEFAULT_OPTIONS.items():
        check(stored.get(name) == value, f"{name} saved as {stored.get(name)}, wanted {value}")
    check((stored["left"], stored["top"], stored["width"], stored["height"]) == (0, 0, 640, 500),
          f"normal rectangle {stored['left'], stored['top'], stored['width'], stored['height']}")


def restored_window_keeps_its_place_and_minimum(program, home):
    game = Deckfall(program, home).start()
    check(game.is_maximised(), "MinMax 2 opens maximised again")
    # Un-maximise with the window manager (a double click on the title bar), then resize.
    left, top, width, _ = game.outer_rect()
    run("xdotool", "mousemove", str(left + width // 2), str(top + 8), "click", "--repeat", "2", "--delay", "80", "1")
    time.sleep(0.8)
    check(not game.is_maximised(), "the window is restored")
    check(game.outer_rect()[2:] == (640, 500), f"restored to 640 x 500, got {game.outer_rect()}")
    run("xdotool", "windowsize", game.window, "200", "150")
    time.sleep(0.8)
    _, _, width, height = game.outer_rect()
    check(width >= 629 and height >= 455, f"never smaller than 629 x 455, got {width} x {height}")
    run("xdotool", "windowsize", game.window, "700", "520")
    run("xdotool", "windowmove", game.window, "120", "90")
    time.sleep(0.8)
    placed = game.outer_rect()
    game.key("alt+F4")
    check(game.wait_exit()[0] == 0, "closing exits with 0")
    stored = read_settings(game.store_path)
    check(stored["minmax"] == 0, "a normal window saves MinMax 0")
    saved = (stored["left"], stored["top"], stored["width"], stored["height"])
    check(saved == placed, f"saved {saved}, the window was at {placed}")

    again = Deckfall(program, home).start()
    check(not again.is_maximised(), "MinMax 0 opens normal")
    check(again.outer_rect() == placed, f"reopened at {again.outer_rect()}, wanted {placed}")
    return again


def exit_command_writes_nothing(game):
    before = read_settings(game.store_path)
    game.key("ctrl+x")
    check(game.wait_exit()[0] == 0, "Exit ends with 0")
    check(read_settings(game.store_path) == before, "Exit leaves the store as it was")


def main():
    program = os.path.abspath(sys.argv[1])
    shots = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp()
    os.makedirs(shots, exist_ok=True)
    without_display_says_how(program)
    wm = ensure_display([sys.executable, *sys.argv])
    try:
        with tempfile.TemporaryDirectory() as home:
            first_run_opens_maximised_and_close_saves(program, home, shots)
            game = restored_window_keeps_its_place_and_minimum(program, home)
            exit_command_writes_nothing(game)
    finally:
        wm.terminate()
    print("end-to-end: all checks passed")


if __name__ == "__main__":
    main()
