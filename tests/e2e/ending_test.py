#!/usr/bin/env python3
"""SIGINT, SIGHUP and SIGTERM end the real program as its close box does, options and
placement saved, exit code 0: just after the window shows, once the sound device
runs, while a song plays, and while a message box waits for an answer. Exit while a
song plays ends it with 0 as well."""

import contextlib
import os
import shutil
import signal
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Deckfall, ensure_display, read_settings  # noqa: E402

SAVED_ON_CLOSE = ("firstboot", "top", "left", "width", "height", "minmax", "swapmode", "backgroundcolor")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def sound_started(game):
    """Waits for SDL's audio thread, which runs for a second or so after the first frame."""
    tasks, deadline = f"/proc/{game.process.pid}/task", time.time() + 10
    while True:
        with contextlib.suppress(OSError):
            if any(open(f"{tasks}/{task}/comm").read().startswith("SDLAudio") for task in os.listdir(tasks)):
                return
        check(time.time() < deadline, "the sound device did not start")
        time.sleep(0.05)


def ends_as_a_close(program, home, signal_number, before=lambda game: None):
    shutil.rmtree(os.path.join(home, "Quillmoor"), ignore_errors=True)
    game = Deckfall(program, home).start(settle=0)
    before(game)
    game.process.send_signal(signal_number)
    code, said = game.wait_exit()
    name = signal.Signals(signal_number).name
    check(code == 0, f"{name}: exit code {code}; stderr: {said!r}")
    stored = read_settings(game.store_path)
    check(all(value in stored for value in SAVED_ON_CLOSE) and stored["firstboot"] == 0, f"{name}: saved {stored}")


def song_playing(game):
    """Waits for the output to be the music's alone: the tones let it go a second after the
    first frame, and no card lands in the first seconds."""
    time.sleep(2.5)
    sound_started(game)


def exit_while_a_song_plays(program, home):
    shutil.rmtree(os.path.join(home, "Quillmoor"), ignore_errors=True)
    game = Deckfall(program, home).start(settle=0)
    song_playing(game)
    game.key("ctrl+x")
    code, said = game.wait_exit()
    check(code == 0, f"Exit while a song plays: exit code {code}; stderr: {said!r}")


def open_new_game_box(game):
    time.sleep(0.2)
    game.key("ctrl+n")
    game.wait_for_window("^New Game$", timeout=5)


def main():
    program = os.path.abspath(sys.argv[1])
    wm = ensure_display([sys.executable, *sys.argv])
    try:
        with tempfile.TemporaryDirectory() as home:
            ends_as_a_close(program, home, signal.SIGINT)
            ends_as_a_close(program, home, signal.SIGHUP)
            ends_as_a_close(program, home, signal.SIGTERM, sound_started)
            ends_as_a_close(program, home, signal.SIGTERM, song_playing)
            exit_while_a_song_plays(program, home)
            ends_as_a_close(program, home, signal.SIGTERM, open_new_game_box)
    finally:
        wm.terminate()
    print("end-to-end endings: all checks passed")


if __name__ == "__main__":
    main()
