"""Runs an installed Deckfall the way a player starts it: from a folder of their own, with
nothing beside the program, under a virtual display."""

import os
import signal
import subprocess
import tempfile
import time


def check_started(program, data, library):
    """Starts program from another folder under Xvfb and, once its first frame is out, checks
    that it runs in the data folder (where the songs and the help are opened by name) and
    loads the card library (just after the first frame) from the library folder."""
    with tempfile.TemporaryDirectory() as home, tempfile.TemporaryDirectory() as elsewhere:
        env = dict(os.environ, XDG_CONFIG_HOME=home, SDL_AUDIODRIVER="dummy", DECKFALL_TRACE_STARTUP="1")
        env.pop("QT_QPA_PLATFORM", None)
        # xvfb-run runs the program as its child; the program's own process is found by its cwd.
        runner = subprocess.Popen(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", program], cwd=elsewhere,
                                  env=env, stderr=subprocess.PIPE, text=True, start_new_session=True)
        said, pid = [], None
        try:
            for line in runner.stderr:
                said.append(line)
                if line.startswith("first-frame"):
                    break
            assert said and said[-1].startswith("first-frame"), f"no first frame; stderr: {''.join(said)}"
            pid = _process_of(program)
            cwd = os.readlink(f"/proc/{pid}/cwd")
            loaded = _wait_for_library(pid)
        finally:
            # Ending the program alone lets xvfb-run take its server down and clean up after it.
            if pid:
                os.kill(int(pid), signal.SIGKILL)
            else:
                os.killpg(runner.pid, signal.SIGKILL)
            runner.communicate()
    assert os.path.realpath(cwd) == os.path.realpath(data), f"runs in {cwd}, not in {data}"
    for name in ("song1.mid", "DeckfallHelp.htm"):
        assert os.path.isfile(os.path.join(cwd, name)), f"{name} is not in {cwd}"
    wanted = os.path.realpath(os.path.join(library, "libcards32.so"))
    assert loaded == {wanted}, f"card library loaded from {loaded}, wanted {wanted}"


def _wait_for_library(pid, timeout=30):
    """Where the card library was mapped from, once it is; empty if it never is."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        with open(f"/proc/{pid}/maps") as maps:
            loaded = {line.split()[-1] for line in maps if "libcards32.so" in line}
        if loaded:
            return loaded
        time.sleep(0.1)
    return set()


def _process_of(program):
    wanted = os.path.realpath(program)
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if os.readlink(f"/proc/{pid}/exe") == wanted:
                return pid
        except OSError:
            pass
    raise AssertionError(f"{program} is not running")
