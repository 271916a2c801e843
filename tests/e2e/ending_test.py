#!/usr/bin/env python3
"""The ways the real program ends other than by its own menu and close box: its X
server goes away (Qt then calls exit from inside the message loop) with the sound
device running, and nothing may run on freed state on the way out."""

import contextlib
import os
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Deckfall, ensure_display, run  # noqa: E402


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def sound_started(game, timeout=10):
    """Waits until the tone device's SDL audio thread runs: SDL has loaded and started its audio."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        for task in os.listdir(f"/proc/{game.process.pid}/task"):
            with contextlib.suppress(OSError), open(f"/proc/{game.process.pid}/task/{task}/comm") as comm:
                if comm.read().startswith("SDLAudio"):
                    return
        time.sleep(0.05)
    raise AssertionError("the sound device did not start")


@contextlib.contextmanager
def own_x_server():
    """An X server of this test's own, with a window manager, as DISPLAY meanwhile; yields its process."""
    ready_read, ready_write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(ready_write), "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], pass_fds=(ready_write,), stderr=subprocess.DEVNULL)
    os.close(ready_write)
    with os.fdopen(ready_read) as ready:
        number = ready.readline().strip()
    check(number, "Xvfb did not start")
    outer = os.environ["DISPLAY"]
    os.environ["DISPLAY"] = f":{number}"
    wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = time.time() + 10
        while "_NET_SUPPORTING_WM_CHECK(WINDOW)" not in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"):
            check(time.time() < deadline, "openbox did not start")
            time.sleep(0.05)
        yield server
    finally:
        os.environ["DISPLAY"] = outer
        wm.kill()
        server.kill()
        wm.wait()
        server.wait()


def x_server_gone_ends_without_a_crash(program, home):
    with own_x_server() as server:
        game = Deckfall(program, home).start()
        sound_started(game)
        server.terminate()
        code, said = game.wait_exit()
    check(code >= 0, f"killed by signal {-code} when its X server went away; stderr: {said!r}")


def main():
    program = os.path.abspath(sys.argv[1])
    wm = ensure_display([sys.executable, *sys.argv])
    try:
        with tempfile.TemporaryDirectory() as home:
            x_server_gone_ends_without_a_crash(program, home)
    finally:
        wm.terminate()
    print("end-to-end endings: all checks passed")


if __name__ == "__main__":
    main()
