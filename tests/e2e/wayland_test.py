#!/usr/bin/env python3
"""The real program on Wayland, under Weston's headless compositor: its first frame, the card
falling, and SIGTERM closing it as the close box does, exit code 0,
with the size and the maximised state saved and the position, which a Wayland window never
learns, kept as stored. Weston's headless compositor has no seat: no key, pointer or change
of focus can be given to the program from outside."""

import os
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import SETTINGS_KEY, read_settings  # noqa: E402

SKIP = 77


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def wait_until(condition, message, timeout=15):
    deadline = time.time() + timeout
    while not condition():
        check(time.time() < deadline, message)
        time.sleep(0.05)


class Weston:
    """A headless Weston on a socket of its own, with its desktop shell."""

    def __init__(self, runtime):
        self.env = dict(os.environ, XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY="deckfall-test")
        for name in ("DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_SOCKET"):
            self.env.pop(name, None)
        self.process = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=deckfall-test", "--width=1280",
             "--height=800", "--idle-time=0"], env=self.env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        wait_until(lambda: os.path.exists(os.path.join(runtime, "deckfall-test")), "weston did not start")

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Run:
    """One run of the program on the compositor, its stderr read line by line."""

    def __init__(self, program, weston, config_home, **extra):
        env = dict(weston.env, QT_QPA_PLATFORM="wayland", XDG_CONFIG_HOME=config_home, SDL_AUDIODRIVER="dummy",
                   **extra)
        self.lines = []
        self.process = subprocess.Popen([program], cwd=os.path.dirname(program), env=env, stderr=subprocess.PIPE,
                                        text=True)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.process.stderr:
            self.lines.append(line.rstrip("\n"))

    def said(self, prefix):
        return [line for line in self.lines if line.startswith(prefix)]

    def wait_exit(self, timeout=15):
        code = self.process.wait(timeout=timeout)
        self.reader.join(timeout=5)
        return code


def store_path(config_home):
    return os.path.join(config_home, "Quillmoor", "Deckfall", "settings.db")


def write_dwords(path, values):
    with sqlite3.connect(path) as db:
        key = None
        parts = SETTINGS_KEY.split("\\")
        for end in range(1, len(parts) + 1):
            prefix = "\\".join(parts[:end])
            row = db.execute("SELECT id FROM registry_key WHERE path = ?", (prefix,)).fetchone()
            key = row[0] if row else db.execute("INSERT INTO registry_key (parent, path) VALUES (?, ?)",
                                                (key, prefix)).lastrowid
        db.executemany("INSERT OR REPLACE INTO registry_value (key, name, type, data) VALUES (?, ?, 4, ?)",
                       [(key, name, value) for name, value in values.items()])


def first_frame(program, weston, home):
    run = Run(program, weston, home, DECKFALL_TRACE_STARTUP="exit")
    check(run.wait_exit() == 0, f"the first-frame run failed: {run.lines}")
    frames = run.said("first-frame ")
    check(len(frames) == 1, f"no first frame on Wayland: {run.lines}")
    print(frames[0])


def plays_and_saves_at_sigterm(program, weston, home, maximised):
    placement = {"Left": 123, "Top": 45, "Width": 700, "Height": 560, "MinMax": 2 if maximised else 0}
    write_dwords(store_path(home), {"FirstBoot": 0, "ShowNagDlg": 0, "Music": 0, **placement})
    run = Run(program, weston, home, DECKFALL_TRACE_STARTUP="1", DECKFALL_TRACE_TIMERS="1")
    wait_until(lambda: run.said("first-frame "), f"no first frame: {run.lines}")

    ticks = lambda: len(run.said("timers "))  # noqa: E731
    wait_until(lambda: ticks() > 0, f"the card does not fall: {run.lines}")
    run.process.send_signal(signal.SIGTERM)
    code = run.wait_exit()
    check(code == 0, f"SIGTERM ended the program with {code}: {run.lines}")
    saved = read_settings(store_path(home))
    check({name.lower(): saved.get(name.lower()) for name in placement} ==
          {name.lower(): value for name, value in placement.items()},
          f"placement saved as {saved}, started from {placement}")


def main(program):
    if not shutil.which("weston"):
        print("weston is not installed")
        return SKIP
    with tempfile.TemporaryDirectory() as runtime, tempfile.TemporaryDirectory() as home:
        os.chmod(runtime, 0o700)
        weston = Weston(runtime)
        try:
            first_frame(program, weston, home)
            for maximised in (False, True):
                plays_and_saves_at_sigterm(program, weston, home, maximised)
        finally:
            weston.stop()
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
