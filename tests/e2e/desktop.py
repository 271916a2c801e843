"""Helpers for end-to-end tests: the real program under Xvfb with openbox,
driven with xdotool and inspected with xprop, xwininfo and ImageMagick."""

import os
import re
import sqlite3
import subprocess
import tempfile
import time

SETTINGS_KEY = "software\\quillmoor\\deckfall"


def run(*args, **kwargs):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kwargs).stdout


def eventually(condition, timeout=5.0):
    """Whether condition() comes true within timeout seconds: a window manager under load
    may take a while to place, frame or maximise a window."""
    deadline = time.time() + timeout
    while not condition():
        if time.time() > deadline:
            return False
        time.sleep(0.1)
    return True


def ensure_display(argv):
    """Re-runs this script under a fresh Xvfb with a window manager when there is no display."""
    if os.environ.get("DECKFALL_E2E_DISPLAY") != "ready":
        env = dict(os.environ, DECKFALL_E2E_DISPLAY="ready")
        env.pop("QT_QPA_PLATFORM", None)
        os.execvpe("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1280x800x24", *argv], env)
    wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.time() + 10
    while time.time() < deadline:
        if "_NET_SUPPORTING_WM_CHECK(WINDOW)" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"):
            return wm
        time.sleep(0.1)
    raise AssertionError("openbox did not start")


class Deckfall:
    """One run of the program with its own settings folder."""

    def __init__(self, program, config_home):
        self.program = program
        self.config_home = config_home
        self.process = None
        self.window = None

    @property
    def store_path(self):
        return os.path.join(self.config_home, "Quillmoor", "Deckfall", "settings.db")

    def start(self, close_welcome=True, settle=0.5):
        """Starts the program; unless told otherwise, waits for the welcome dialog that opens over
        the first game (the option is on unless a test turned it off) and closes it; then waits
        settle seconds for the window manager."""
        env = dict(os.environ, XDG_CONFIG_HOME=self.config_home, SDL_AUDIODRIVER="dummy")
        env.pop("QT_QPA_PLATFORM", None)
        self.stderr = tempfile.TemporaryFile(mode="w+")
        self.process = subprocess.Popen([self.program], cwd=os.path.dirname(self.program), env=env,
                                        stderr=self.stderr)
        # Paused while the welcome dialog is open.
        self.window = self.wait_for_window("^Deckfall( - Paused)?$")
        if close_welcome:
            welcome = self.wait_for_window("^Welcome to Deckfall!$")
            run("xdotool", "windowactivate", "--sync", welcome)
            run("xdotool", "key", "Return")
            self.wait_for_title("Deckfall")
        time.sleep(settle)  # let the window manager settle the frame
        return self

    def wait_for_title(self, title, timeout=10):
        deadline = time.time() + timeout
        while self.title() != title:
            assert time.time() < deadline, f"title {self.title()!r}, waited for {title!r}"
            time.sleep(0.1)

    def wait_for_window(self, name, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                                   capture_output=True, text=True).stdout.split()
            if found:
                return found[0]
            assert self.process.poll() is None, f"deckfall exited early with {self.process.returncode}"
            time.sleep(0.1)
        raise AssertionError(f"no window named {name}")

    def wait_exit(self, timeout=15):
        code = self.process.wait(timeout=timeout)
        self.stderr.seek(0)
        return code, self.stderr.read()

    def key(self, keys):
        run("xdotool", "windowactivate", "--sync", self.window)
        run("xdotool", "key", "--clearmodifiers", *keys.split())

    def title(self):
        return run("xdotool", "getwindowname", self.window).strip()

    def is_maximised(self):
        state = run("xprop", "-id", self.window, "_NET_WM_STATE")
        return "_NET_WM_STATE_MAXIMIZED_VERT" in state and "_NET_WM_STATE_MAXIMIZED_HORZ" in state

    def outer_rect(self, window=None):
        """(left, top, width, height) of the window (the main one unless given) with its frame, in
        screen pixels."""
        window = window or self.window
        info = run("xwininfo", "-id", window)
        x = int(re.search(r"Absolute upper-left X:\s+(-?\d+)", info).group(1))
        y = int(re.search(r"Absolute upper-left Y:\s+(-?\d+)", info).group(1))
        w = int(re.search(r"Width:\s+(\d+)", info).group(1))
        h = int(re.search(r"Height:\s+(\d+)", info).group(1))
        extents = run("xprop", "-id", window, "_NET_FRAME_EXTENTS")
        left, right, top, bottom = (int(v) for v in re.findall(r"\d+", extents.split("=")[-1]))
        return x - left, y - top, w + left + right, h + top + bottom

    def pixel(self, x, y):
        """The colour at screen (x, y) as (r, g, b)."""
        text = run("import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-")
        r, g, b = (int(v) for v in re.search(r"\((\d+),(\d+),(\d+)", text).groups())
        return r, g, b

    def screenshot(self, path):
        run("import", "-window", "root", path)

    def capture(self):
        """The whole screen as a Picture."""
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], check=True,
                              capture_output=True).stdout
        return Picture(data)


class Picture:
    """A screenshot in memory, read from binary PPM."""

    def __init__(self, ppm):
        fields, offset = [], 0
        while len(fields) < 4:
            while ppm[offset:offset + 1].isspace():
                offset += 1
            end = offset
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[offset:end])
            offset = end
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = ppm[offset + 1:]

    def rgb(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def find_runs(self, y, colour_test):
        """The [start, end) x ranges on row y where colour_test holds."""
        runs, start = [], None
        for x in range(self.width):
            hit = colour_test(self.rgb(x, y))
            if hit and start is None:
                start = x
            elif not hit and start is not None:
                runs.append((start, x))
                start = None
        if start is not None:
            runs.append((start, self.width))
        return runs


def write_values(store_path, key_path, values):
    """Stores values (name → text or number) under the key, making the key and those above it as
    the program does."""
    with sqlite3.connect(store_path) as db:
        key = None
        parts = key_path.split("\\")
        for end in range(1, len(parts) + 1):
            path = "\\".join(parts[:end])
            row = db.execute("SELECT id FROM registry_key WHERE path = ?", (path,)).fetchone()
            key = row[0] if row else db.execute("INSERT INTO registry_key (parent, path) VALUES (?, ?)",
                                                (key, path)).lastrowid
        db.executemany("INSERT OR REPLACE INTO registry_value (key, name, type, data) VALUES (?, ?, ?, ?)",
                       [(key, name, 1, value.encode()) if isinstance(value, str) else (key, name, 4, value)
                        for name, value in values.items()])


def read_settings(store_path, key_path=SETTINGS_KEY):
    """Every value of the key: lower-cased name → number, or text as UTF-8 bytes."""
    with sqlite3.connect(store_path) as db:
        rows = db.execute(
            "SELECT v.name, v.data FROM registry_value v JOIN registry_key k ON v.key = k.id "
            "WHERE lower(k.path) = ?", (key_path.lower(),)).fetchall()
    return {name.lower(): data for name, data in rows}
