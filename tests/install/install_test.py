#!/usr/bin/env python3
"""`cmake --install` into a staging folder lays the game out as a Linux desktop expects, its
desktop entry and AppStream file validate, and the staged program runs from there as it is."""

import os
import subprocess
import sys
import tempfile

from installed import check_started

APP_ID = "org.quillmoor.Deckfall"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def installed_files(root):
    return {os.path.relpath(os.path.join(folder, name), root)
            for folder, _, names in os.walk(root) for name in names}


def check_layout(usr, libdir):
    files = installed_files(usr)
    wanted = {"bin/deckfall", f"{libdir}/libcards32.so", "share/deckfall/DeckfallHelp.htm",
              "share/deckfall/song1.mid", f"share/applications/{APP_ID}.desktop",
              f"share/metainfo/{APP_ID}.metainfo.xml", f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
              "share/man/man6/deckfall.6.gz", "share/doc/deckfall/copyright", "share/doc/deckfall/changelog.gz"}
    wanted |= {f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png" for size in ICON_SIZES}
    missing = wanted - files
    assert not missing, f"not installed: {sorted(missing)}"
    # Nothing in the system's library path, nothing of the build's own tools.
    stray = sorted(f for f in files if f.startswith("lib/") and not f.startswith(f"{libdir}/")
                   or f.startswith("bin/") and f != "bin/deckfall")
    assert not stray, f"installed where it does not belong: {stray}"
    for size in ICON_SIZES:
        info = subprocess.run(["file", "-b", f"{usr}/share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png"],
                              capture_output=True, text=True, check=True).stdout
        assert f"{size} x {size}" in info, f"the {size}-pixel icon is {info}"
    subprocess.run(["desktop-file-validate", f"{usr}/share/applications/{APP_ID}.desktop"], check=True)
    subprocess.run(["appstreamcli", "validate", "--no-net", f"{usr}/share/metainfo/{APP_ID}.metainfo.xml"],
                   check=True)


def main():
    build, libdir = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as stage:
        subprocess.run(["cmake", "--install", build, "--prefix", "/usr"], env=dict(os.environ, DESTDIR=stage),
                       check=True, stdout=subprocess.DEVNULL)
        usr = os.path.join(stage, "usr")
        check_layout(usr, libdir)
        check_started(f"{usr}/bin/deckfall", f"{usr}/share/deckfall", f"{usr}/{libdir}")
    print("install: layout, desktop entry, AppStream file and a start from another folder")


if __name__ == "__main__":
    main()
