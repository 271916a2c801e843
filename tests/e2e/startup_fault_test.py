#!/usr/bin/env python3
"""A fault while the program starts, before its window exists (the settings store's
library faults on open), ends it as every fault does: as an uncaught CSEHException,
the runtime's abort, rather than a plain SIGSEGV that nothing translated."""

import os
import signal
import subprocess
import sys
import tempfile


def main():
    program, shim = (os.path.abspath(path) for path in sys.argv[1:3])
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, XDG_CONFIG_HOME=home, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy",
                   LD_PRELOAD=shim)
        result = subprocess.run([program], cwd=os.path.dirname(program), env=env, capture_output=True,
                                text=True, timeout=60)
    if result.returncode != -signal.SIGABRT or "CSEHException" not in result.stderr:
        raise AssertionError(f"ended with {result.returncode}, wanted the abort of an uncaught CSEHException; "
                             f"stderr: {result.stderr!r}")
    print("start-up fault: ended as an uncaught CSEHException")


if __name__ == "__main__":
    main()
