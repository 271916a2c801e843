#!/usr/bin/env python3
"""`cpack -G DEB` makes deckfall_2.4_amd64.deb: what it holds, what it depends on (the
libraries opened with dlopen and the data included), and no error from lintian. Then, as root,
apt installs it into a throwaway copy of this machine's root, `deckfall` starts from another
folder, and apt removes it with nothing left behind. Where no throwaway root can be made (not
root, no overlay mounts), the program unpacked from the package is started instead."""

import os
import subprocess
import sys
import tempfile

# The exit status of a run that could not make its throwaway root.
NO_THROWAWAY_ROOT = 77

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

        if os.geteuid() == 0 and subprocess.run(["unshare", "--mount", "true"], capture_output=True).returncode == 0:
            run = subprocess.run(["unshare", "--mount", "--propagation", "private", sys.executable, __file__,
                                  "--in-throwaway-root", deb, libdir, out])
            if run.returncode == 0:
                print("package: contents, dependencies, lintian; apt installs it, it starts, apt removes it")
                return
            assert run.returncode == NO_THROWAWAY_ROOT, "the package failed in the throwaway root"

        root = os.path.join(out, "root")
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        usr = os.path.join(root, "usr")
        check_started(f"{usr}/bin/deckfall", f"{usr}/share/deckfall", f"{usr}/{libdir}")
    print("package: contents, dependencies, lintian, and the unpacked program starts (no throwaway root here)")


def enter_throwaway_root(scratch):
    """Makes this process's root an overlay of the machine's own, its changes kept in memory
    and gone with this mount namespace; the machine's packages are already there, so apt
    needs no network for the package's dependencies."""
    layers = {name: os.path.join(scratch, name) for name in ("changes", "work", "root")}
    mounts = [["mkdir", "-p", scratch], ["mount", "-t", "tmpfs", "tmpfs", scratch]]
    mounts += [["mkdir", *layers.values()]]
    mounts += [["mount", "-t", "overlay", "overlay", "-o",
                f"lowerdir=/,upperdir={layers['changes']},workdir={layers['work']}", layers["root"]]]
    mounts += [["mount", "--rbind", f"/{name}", os.path.join(layers["root"], name)] for name in ("proc", "sys", "dev")]
    for command in mounts:
        if subprocess.run(command, stderr=subprocess.DEVNULL).returncode != 0:
            print(f"no throwaway root: {' '.join(command)} failed", file=sys.stderr)
            sys.exit(NO_THROWAWAY_ROOT)
    os.chroot(layers["root"])
    os.chdir("/")


def apt_get(*arguments):
    run = subprocess.run(["apt-get", "-y", "-q", "--no-install-recommends", *arguments], capture_output=True,
                         text=True, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    assert run.returncode == 0, f"apt-get {' '.join(arguments)}: {run.stdout}{run.stderr}"


def install_start_remove(deb, libdir, scratch):
    with open(deb, "rb") as package:
        contents = package.read()
    enter_throwaway_root(scratch)
    deb = "/tmp/deckfall_2.4_amd64.deb"
    with open(deb, "wb") as package:
        package.write(contents)
    # The manual's index is rebuilt on every install; the throwaway root has no use for it.
    subprocess.run(["debconf-set-selections"], input="man-db man-db/auto-update boolean false\n", text=True,
                   check=True)
    apt_get("install", deb)
    installed = subprocess.run(["dpkg-query", "-L", "deckfall"], capture_output=True, text=True,
                               check=True).stdout.split()
    check_started("/usr/bin/deckfall", "/usr/share/deckfall", f"/usr/{libdir}")

    apt_get("remove", "deckfall")
    status = subprocess.run(["dpkg-query", "-W", "-f=${db:Status-Status}", "deckfall"], capture_output=True, text=True)
    assert status.stdout in ("", "not-installed"), f"after apt remove the package is {status.stdout}"
    own_folders = ("/usr/share/deckfall", f"/usr/{libdir}", "/usr/share/doc/deckfall")
    left = [path for path in installed if os.path.lexists(path) and (not os.path.isdir(path) or path in own_folders)]
    assert not left, f"left behind by apt remove: {left}"


if __name__ == "__main__":
    if sys.argv[1:2] == ["--in-throwaway-root"]:
        install_start_remove(sys.argv[2], sys.argv[3], os.path.join(sys.argv[4], "throwaway"))
    else:
        main()
