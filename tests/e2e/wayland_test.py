#!/usr/bin/env python3
"""The real program on Wayland. Under Weston's headless compositor: its first frame, the card
falling, and SIGTERM closing it as the close box does, exit code 0, with the size and the
maximised state saved and the position, which a Wayland window never learns, kept as stored.

The focus needs a seat, and the headless backend has none: Weston 10 offers no wl_seat there
under any of its shells, and its desktop and kiosk shells activate a window only for a seat, so
no window is ever activated or deactivated. The focus is therefore moved under Weston's X11
backend, in an X server of the test's own that feeds its seat, with xdotool: the keys reach the
game (F3 pauses and resumes, as do Alt and the menus), it pauses when another client's window is
mapped (the shell activates a new window), and resumes when the other window goes or its own
window is clicked. Dragged by its corner, the window stops at its minimum size.
The pause is read from the title in the shell's scene graph (weston-debug). The other window is
Weston's own smallest client, weston-simple-shm; it is never clicked, as once the game's window
is raised over it, its random place may leave none of it uncovered."""

import contextlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(__file__))
from desktop import SETTINGS_KEY, read_settings, write_values  # noqa: E402

SKIP = 77


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def wait_until(condition, message, timeout=15):
    deadline = time.time() + timeout
    while not condition():
        check(time.time() < deadline, message)
        time.sleep(0.05)


class XServer:
    """An Xvfb on the first free display, with no window manager: a window of it lies at (0, 0)."""

    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x800x24",
                                         "-nolisten", "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as number:
            self.display = ":" + number.read().strip()
        check(self.display != ":", "Xvfb did not start")

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


# A top-level window in Weston's scene graph: its title, its application's id and its place.
WINDOW = re.compile(r"top-level window '(.*)' of (\S+),.*\n\s*position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)")


class Weston:
    """A Weston on a socket of its own, with its desktop shell: headless, or in the X server given."""

    def __init__(self, runtime, x_server=None):
        self.env = dict(os.environ, XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY="deckfall-test")
        for name in ("DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_SOCKET"):
            self.env.pop(name, None)
        self.x_env = dict(self.env, DISPLAY=x_server.display) if x_server else None
        # In X, drawn in software, and telling its scene graph to weston-debug.
        backend = ["--backend=x11-backend.so", "--use-pixman", "--debug"] if x_server else [
            "--backend=headless-backend.so"]
        self.process = subprocess.Popen(
            ["weston", *backend, "--socket=deckfall-test", "--width=1280", "--height=800", "--idle-time=0"],
            env=self.x_env or self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: os.path.exists(os.path.join(runtime, "deckfall-test")), "weston did not start")

    def windows(self):
        """Application id → (title, (left, top, right, bottom)) of each top-level window."""
        graph = subprocess.run(["weston-debug", "scene-graph"], env=self.env, capture_output=True, text=True,
                               timeout=10).stdout
        return {found[2]: (found[1], tuple(int(v) for v in found.groups()[2:])) for found in WINDOW.finditer(graph)}

    def click(self, x, y):
        # The X11 backend moves its own pointer by as much as the X pointer moved: through the far
        # corner to the near one, it stands at the output's origin, which is the screen's.
        subprocess.run(["xdotool", "mousemove", "1279", "799", "mousemove", "0", "0", "mousemove", str(x), str(y),
                        "click", "1"], env=self.x_env, check=True)

    def drag(self, start, end):
        # Qt's decoration hands the drag to the compositor at the first move; the compositor's
        # resize follows the moves after it.
        halfway = ((start[0] + end[0]) // 2, (start[1] + end[1]) // 2)
        subprocess.run(["xdotool", "mousemove", "1279", "799", "mousemove", "0", "0", "mousemove", *map(str, start),
                        "mousedown", "1", "mousemove", *map(str, halfway), "sleep", "0.3", "mousemove",
                        *map(str, end), "sleep", "0.5", "mouseup", "1"], env=self.x_env, check=True)

    def key(self, name):
        subprocess.run(["xdotool", "key", name], env=self.x_env, check=True)

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


def first_frame(program, weston, home):
    run = Run(program, weston, home, DECKFALL_TRACE_STARTUP="exit")
    check(run.wait_exit() == 0, f"the first-frame run failed: {run.lines}")
    frames = run.said("first-frame ")
    check(len(frames) == 1, f"no first frame on Wayland: {run.lines}")
    print(frames[0])


def falling(program, weston, home, maximised=False):
    """A run of the program with its card falling, started without the welcome dialog from a placement
    of the test's, maximised or not."""
    placement = {"Left": 123, "Top": 45, "Width": 700, "Height": 560, "MinMax": 2 if maximised else 0}
    write_values(store_path(home), SETTINGS_KEY, {"FirstBoot": 0, "ShowNagDlg": 0, "Music": 0, **placement})
    run = Run(program, weston, home, DECKFALL_TRACE_STARTUP="1", DECKFALL_TRACE_TIMERS="1")
    wait_until(lambda: run.said("first-frame "), f"no first frame: {run.lines}")
    wait_until(lambda: ticks(run) > 0, f"the card does not fall: {run.lines}")
    return run, placement


def ticks(run):
    return len(run.said("timers "))


def ends_at_sigterm_saving(run, placement, home):
    run.process.send_signal(signal.SIGTERM)
    code = run.wait_exit()
    check(code == 0, f"SIGTERM ended the program with {code}: {run.lines}")
    saved = read_settings(store_path(home))
    check({name.lower(): saved.get(name.lower()) for name in placement} ==
          {name.lower(): value for name, value in placement.items()},
          f"placement saved as {saved}, started from {placement}")


@contextlib.contextmanager
def other_window(weston):
    """Weston's own smallest client, whose window the shell activates as it maps it."""
    process = subprocess.Popen(["weston-simple-shm"], env=weston.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        yield
    finally:
        process.terminate()
        process.wait(timeout=10)


def pauses_and_resumes_with_the_focus(program, weston, home):
    game, placement = falling(program, weston, home)
    wait_until(weston.windows, "the game's window is not in the shell's scene graph")
    app_id = next(iter(weston.windows()))
    title = lambda: weston.windows().get(app_id, (None,))[0]  # noqa: E731

    def shows(expected, why):
        wait_until(lambda: title() == expected, f"{why}: the title is {title()!r}")

    # The keys reach the game: the shell gave it the focus as it mapped its window.
    weston.key("F3")
    shows("Deckfall - Paused", "F3 pauses")
    weston.key("F3")
    shows("Deckfall", "F3 resumes")

    # Menu mode pauses: the menu bar taking the keys at a tap of Alt, and a menu, which on
    # Wayland is a popup holding the compositor's grab. Esc closes the menu and leaves the
    # menu bar with the keys; a second Esc ends menu mode.
    weston.key("alt")
    shows("Deckfall - Paused", "Alt puts the menu bar in keyboard mode")
    weston.key("Escape")
    shows("Deckfall", "Esc ends the menu bar's keyboard mode")
    _, (left, top, _, _) = weston.windows()[app_id]
    weston.click(left + 27, top + 38)  # the Game menu's title, under Qt's title bar
    shows("Deckfall - Paused", "a click opens the Game menu")
    weston.key("Escape")
    weston.key("Escape")
    shows("Deckfall", "Esc twice ends menu mode")

    with other_window(weston):
        shows("Deckfall - Paused", "a new window took the focus")
    shows("Deckfall", "the other window went and the shell gave the focus back")

    with other_window(weston):
        shows("Deckfall - Paused", "a new window took the focus")
        windows = weston.windows()
        _, (left, top, right, bottom) = windows.pop(app_id)
        (_, cover), = windows.values()
        # Low in the board, at one of two places far enough apart that the small other window lies
        # over one at most.
        x, y = next((x, bottom - 40) for x in (left + 40, right - 40) if not cover[0] <= x < cover[2])
        weston.click(x, y)
        shows("Deckfall", "clicked, the game has the focus again")
        ticked = ticks(game)
        wait_until(lambda: ticks(game) > ticked, "the card falls again")

    # Dragged by its corner far smaller, the window stops at its minimum size, which it saves.
    _, (left, top, right, bottom) = weston.windows()[app_id]
    weston.drag((right - 2, bottom - 2), (left + 200, top + 150))
    wait_until(lambda: weston.windows()[app_id][1] != (left, top, right, bottom), "the window was not resized")
    _, (left, top, right, bottom) = weston.windows()[app_id]
    check((right - left, bottom - top) == (629, 455), f"resized to {right - left} x {bottom - top}, not 629 x 455")
    ends_at_sigterm_saving(game, dict(placement, Width=629, Height=455), home)


def main(program):
    missing = [tool for tool in ("weston", "weston-debug", "weston-simple-shm", "Xvfb", "xdotool")
               if not shutil.which(tool)]
    if missing:
        print(f"not installed: {' '.join(missing)}")
        return SKIP
    with tempfile.TemporaryDirectory() as runtime, tempfile.TemporaryDirectory() as home:
        os.chmod(runtime, 0o700)
        weston = Weston(runtime)
        try:
            first_frame(program, weston, home)
            for maximised in (False, True):
                ends_at_sigterm_saving(*falling(program, weston, home, maximised), home)
        finally:
            weston.stop()

        x_server = XServer()
        try:
            weston = Weston(runtime, x_server)
            try:
                pauses_and_resumes_with_the_focus(program, weston, home)
            finally:
                weston.stop()
        finally:
            x_server.stop()
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
