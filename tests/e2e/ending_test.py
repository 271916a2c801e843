#!/usr/bin/env python3
"""The ways the real program ends other than by its own menu and close box. SIGTERM,
SIGINT and SIGHUP end it as closing the window does, the options and the placement
saved and exit code 0: early, once the sound device runs, and while a message box
waits for an answer. When its X server goes away (Qt then calls exit from inside
the message loop) nothing may run on freed state on the way out."""

import contextlib
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import Deckfall, ensure_display, read_settings, run  # noqa: E402

SAVED_ON_CLOSE = ("firstboot", "top", "left", "width", "height", "minmax", "swapmode", "backgroundcolor", "beep")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def sound_started(game, timeout=10):
    """Waits until the tone device's SDL audio thread runs: SDL has loaded and started its audio.
    The thread goes again once the device has been idle a while."""
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


def ends_as_a_close(game, signal_number, why):
    os.kill(game.process.pid, signal_number)
    code, said = game.wait_exit()
    check(code == 0, f"{signal.Signals(signal_number).name} {why}: exit code {code}; stderr: {said!r}")
    stored = read_settings(game.store_path)
    missing = [name for name in SAVED_ON_CLOSE if name not in stored]
    check(not missing, f"{signal.Signals(signal_number).name} {why}: not saved: {missing}")
    check(stored["firstboot"] == 0, "FirstBoot is 0 after the close")


def signals_end_the_program_as_a_close(program, home):
    for signal_number in (signal.SIGINT, signal.SIGHUP):
        shutil.rmtree(os.path.join(home, "Quillmoor"), ignore_errors=True)
        ends_as_a_close(Deckfall(program, home).start(settle=0), signal_number, "just after the window showed")

    shutil.rmtree(os.path.join(home, "Quillmoor"), ignore_errors=True)
    # SDL's audio thread runs for a second or so after the first frame: look for it at once.
    game = Deckfall(program, home).start(settle=0)
    sound_started(game)
    ends_as_a_close(game, signal.SIGTERM, "with the sound device started")

    # The box's nested loop returns first, as if answered No; the game goes on from there, and
    # only then is the window closed and destroyed.
    shutil.rmtree(os.path.join(home, "Quillmoor"), ignore_errors=True)
    game = Deckfall(program, home).start(settle=0.2)
    game.key("ctrl+n")
    game.wait_for_window("^New Game$", timeout=5)
    ends_as_a_close(game, signal.SIGTERM, "while a message box waited for an answer")


def x_server_gone_ends_without_a_crash(program, home):
    with own_x_server() as server:
        game = Deckfall(program, home).start(settle=0)
        sound_started(game)
        server.terminate()
        code, said = game.wait_exit()
    check(code >= 0, f"killed by signal {-code} when its X server went away; stderr: {said!r}")


def main():
    program = os.path.abspath(sys.argv[1])
    wm = ensure_display([sys.executable, *sys.argv])
    try:
        with tempfile.TemporaryDirectory() as home:
            signals_end_the_program_as_a_close(program, home)
            x_server_gone_ends_without_a_crash(program, home)
    finally:
        wm.terminate()
    print("end-to-end endings: all checks passed")


if __name__ == "__main__":
    main()
