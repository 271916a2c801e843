#!/usr/bin/env python3
"""`cpack -G DEB` makes deckfall_2.4_amd64.deb: what it holds, what it depends on (the
libraries opened with dlopen and the data included), no error from lintian, and the program
unpacked from it runs from another folder."""

import os
import subprocess
import sys
import tempfile

from installed import check_started

DEPENDS = ("libqt6widgets6", "libqt6svg6", "libsqlite3-0", "libsdl2-2.0-0", "libfluidsynth3", "qt6-qpa-plugins",
           "gnome-cards-data", "timgm6mb-soundfont", "fonts-liberation")


def field(deb, name):
    return subprocess.run(["dpkg-deb", "-f", deb, name], capture_output=True, text=True, check=True).stdout.strip()


def main():
    build, libdir = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as out:
        subprocess.run(["cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", out],
                       check=True, stdout=subprocess.DEVNULL)
        deb = os.path.join(out, "deckfall_2.4_amd64.deb")
        assert os.path.isfile(deb), f"no package: {os.listdir(out)}"
        assert (field(deb, "Package"), field(deb, "Version"), field(deb, "Architecture")) == ("deckfall", "2.4", "amd64")
        depends = {entry.split()[0] for entry in field(deb, "Depends").split(", ")}
        missing = [package for package in DEPENDS if package not in depends]
        assert not missing, f"not depended on: {missing}; Depends: {sorted(depends)}"

        contents = subprocess.run(["dpkg-deb", "-c", deb], capture_output=True, text=True, check=True).stdout
        for path in ("./usr/bin/deckfall", f"./usr/{libdir}/libcards32.so", "./usr/share/deckfall/song1.mid",
                     "./usr/share/applications/org.quillmoor.Deckfall.desktop",
                     "./usr/share/doc/deckfall/copyright", "./usr/share/doc/deckfall/changelog.gz"):
            assert f" {path}\n" in contents, f"{path} is not in the package"
        assert " root/root " in contents and not any(
            line.split()[1] != "root/root" for line in contents.splitlines()), "files not owned by root"

        lintian = subprocess.run(["lintian", "--tag-display-limit", "0", deb], capture_output=True, text=True)
        errors = [line for line in lintian.stdout.splitlines() if line.startswith("E:")]
        assert "maintscript" not in lintian.stdout, f"the package has maintainer scripts: {lintian.stdout}"
        assert not errors and lintian.returncode in (0, 2), f"lintian: {lintian.stdout}{lintian.stderr}"

        root = os.path.join(out, "root")
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        usr = os.path.join(root, "usr")
        check_started(f"{usr}/bin/deckfall", f"{usr}/share/deckfall", f"{usr}/{libdir}")
    print("package: contents, dependencies, lintian, and the unpacked program starts")


if __name__ == "__main__":
    main()
