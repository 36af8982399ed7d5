#!/usr/bin/env python3
"""End-to-end test of the setup program and the uninstaller under Wine, in a
prefix of its own (a fresh copy of the test prefix on every run).

    test_installer.py <setup.exe> <installation folder> <test prefix> <work prefix>
                      <check_imports.sh> <objdump> <wine-run.sh>

Wine is started through the project's wine-run.sh, which picks the Wine of
the architecture in TLK_ARCH (the setup program's own).

One user's road, checked step by step: silent install into the default
folder, the editor started from there, a silent install over it, a silent
uninstall that keeps the user's own files, an install into a chosen folder
with a desktop shortcut, and a folder that cannot be written.
"""
import configparser
import os
import re
import subprocess
import sys
import time
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from wine_prefix import Checks, Prefix, tree  # noqa: E402

SETUP, DIST, TEST_PREFIX, PREFIX, CHECK_IMPORTS, OBJDUMP, WINE_RUN = sys.argv[1:8]
PRODUCT = "TLK Autoplay Varrow"
KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + PRODUCT
SHORTCUT = PRODUCT + ".lnk"
VERSION = re.search(r"-(\d+(?:\.\d+)*)(?:-x64)?-setup\.exe$", SETUP).group(1)

prefix = Prefix(TEST_PREFIX, PREFIX, WINE_RUN)
wine, wineserver, winvar, unix = prefix.wine, prefix.server, prefix.winvar, prefix.unix
check = Checks()


def registry():
    """Values of the uninstall key as name -> (type, text), or None without the key."""
    code, out = wine("reg", "query", KEY)
    if code != 0:
        return None
    values = {}
    for line in out.splitlines():
        m = re.match(r"^\s+(\S+)\s+(REG_\w+)\s+(.*?)\s*$", line)
        if m:
            values[m.group(1)] = (m.group(2), m.group(3))
    return values


def install(*args, folder=None):
    # The setup program takes "/D=" last and unquoted, spaces and all: Wine
    # joins the pieces with spaces and quotes none of them.
    if folder:
        args += tuple(("/D=" + folder).split(" "))
    start = time.monotonic()
    code = wine(SETUP, "/S", *args)[0]
    return code, time.monotonic() - start


def uninstall(folder_win):
    # The uninstaller copies itself away, starts the copy and returns at once;
    # the copy removes the registry key last of all.
    start = time.monotonic()
    code = wine(folder_win + "\\uninstall.exe", "/S")[0]
    while registry() is not None and time.monotonic() - start < 60:
        time.sleep(0.2)
    time.sleep(0.5)
    return code, time.monotonic() - start


def shortcut_points_at(path, folder_win):
    if not os.path.isfile(path):
        return False
    data = open(path, "rb").read()
    target = (folder_win + "\\tlkedit.exe").lower()
    return target.encode("latin-1") in data.lower() or target.encode("utf-16-le") in data.lower()


def check_installation(folder_win, folder, start_menu, what):
    dist = tree(DIST)
    got = tree(folder)
    check("uninstall.exe" in got, what + ": the uninstaller is there")
    program = {k: v for k, v in got.items() if k != "uninstall.exe"}
    missing = sorted(set(dist) - set(program))
    wrong = sorted(k for k in dist if k in program and program[k] != dist[k])
    check(not missing and not wrong, what + ": files equal the installation folder's"
          + (" (missing %s, differing %s)" % (missing[:3], wrong[:3]) if missing or wrong else ""))
    check(got.get("autorun.inf") == dist["autorun.inf"],
          what + ": the setup program installs autorun.inf byte for byte")
    check(shortcut_points_at(os.path.join(start_menu, SHORTCUT), folder_win),
          what + ": Start menu shortcut to tlkedit.exe")
    reg = registry() or {}
    quoted = '"%s\\uninstall.exe"' % folder_win
    expected = {
        "DisplayName": ("REG_SZ", PRODUCT),
        "DisplayVersion": ("REG_SZ", VERSION),
        "Publisher": ("REG_SZ", PRODUCT + " project"),
        "DisplayIcon": ("REG_SZ", folder_win + "\\tlkedit.exe"),
        "InstallLocation": ("REG_SZ", folder_win),
        "UninstallString": ("REG_SZ", quoted),
        "QuietUninstallString": ("REG_SZ", quoted + " /S"),
        "NoModify": ("REG_DWORD", "0x1"),
        "NoRepair": ("REG_DWORD", "0x1"),
    }
    for name, value in expected.items():
        check(reg.get(name) == value, "%s: registry %s = %s (got %s)" % (what, name, value[1], reg.get(name)))
    kb = sum(len(v) for v in dist.values()) / 1024
    size = reg.get("EstimatedSize", ("", "0x0"))
    check(size[0] == "REG_DWORD" and 0.9 * kb <= int(size[1], 16) <= 1.1 * kb + 64,
          "%s: registry EstimatedSize near %d KB (got %s)" % (what, kb, size[1]))


def autorun_keys_ok(data):
    """The AutoRun file's keys as the shell reads them (names without regard to case)."""
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    try:
        parser.read_string(data.decode("ascii"))
    except (configparser.Error, UnicodeDecodeError):
        return False
    sections = {s.lower(): parser[s] for s in parser.sections()}
    run, content = sections.get("autorun", {}), sections.get("content", {})
    return (run.get("open") == "autorun.exe" and run.get("icon") == "autorun.exe,0"
            and run.get("shell\\menu") == "Open menu" and run.get("shell\\menu\\command") == "autorun.exe"
            and "useautoplay" not in run
            and all(content.get(k) == "false" for k in ("musicfiles", "picturefiles", "videofiles")))


def editor_window_shows(folder):
    """Starts the installed editor and waits for its main window on screen."""
    proc = prefix.start(os.path.join(folder, "tlkedit.exe"))
    found = False
    for _ in range(60):
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % PRODUCT],
                           capture_output=True, env=prefix.env)
        if r.stdout.strip():
            found = True
            break
        time.sleep(0.5)
    wineserver("-k")
    proc.wait(timeout=60)
    wineserver("-p")
    return found


def locked_folder(path, locked):
    """An immutable folder: not even root can create anything in it. Returns
    whether that could be arranged here."""
    try:
        return subprocess.run(["chattr", "+i" if locked else "-i", path], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0
    except OSError:
        return False


def main():
    locked = os.path.join(PREFIX, "drive_c", "Locked")
    if os.path.isdir(locked):
        locked_folder(locked, False)
    prefix.make()

    # The portable package: the installation folder in one folder of the zip.
    with zipfile.ZipFile(SETUP.replace("-setup.exe", ".zip")) as z:
        files = {i.filename: z.read(i) for i in z.infolist() if not i.is_dir()}
        dates = {i.date_time for i in z.infolist()}
    check(files == {PRODUCT + "/" + k: v for k, v in tree(DIST).items()},
          "the zip holds the installation folder's files under \"%s/\"" % PRODUCT)
    check(dates == {(1980, 1, 1, 0, 0, 0)}, "the zip carries no file dates of the build")
    inf = tree(DIST)["autorun.inf"]
    check(files.get(PRODUCT + "/autorun.inf") == inf, "the zip's autorun.inf is the installation folder's, byte for byte")
    check(autorun_keys_ok(inf), "autorun.inf starts the menu, offers \"Open menu\" and no media players")

    # One wine server for the whole run (each start costs a second or two).
    wineserver("-p")
    check(subprocess.run([CHECK_IMPORTS, OBJDUMP, SETUP, "OLE32.dll"]).returncode == 0,
          "the setup program imports only system DLLs")

    local = winvar("LOCALAPPDATA")
    profile = winvar("USERPROFILE")
    start_menu = unix(winvar("APPDATA") + "\\Microsoft\\Windows\\Start Menu\\Programs")
    desktop = unix(profile + "\\Desktop")
    default_win = local + "\\Programs\\" + PRODUCT
    default = unix(default_win)

    code, took = install()
    print("silent install: %.1f s" % took)
    check(code == 0, "silent install exits with 0 (got %d)" % code)
    check(os.path.isdir(default), "installed into the default folder " + default_win)
    check_installation(default_win, default, start_menu, "default folder")
    check(not os.path.exists(os.path.join(desktop, SHORTCUT)), "no desktop shortcut unless asked for")
    check(subprocess.run([CHECK_IMPORTS, OBJDUMP, os.path.join(default, "uninstall.exe"), "OLE32.dll"])
          .returncode == 0, "the uninstaller imports only system DLLs")

    # The editor works in its own folder: starting it there puts the empty
    # definition's picture beside it.
    check(editor_window_shows(default), "the installed tlkedit.exe shows its main window")
    nodef = open(os.path.join(default, "BMPS", "nodef.bmp"), "rb").read()
    work_bmp = os.path.join(default, "autorun.bmp")
    check(os.path.isfile(work_bmp) and open(work_bmp, "rb").read() == nodef,
          "the editor reset its work files in the installation folder")

    # The user's own files, the editor's work files, and a program file of
    # an "older version".
    mine = {"notes.txt": b"mine", "sounds/mine.wav": b"RIFF mine", "BMPS/my picture.bmp": b"BM mine"}
    for rel, data in mine.items():
        with open(os.path.join(default, rel), "wb") as f:
            f.write(data)
    for rel in ("auto.tdf", "theme.wav"):
        with open(os.path.join(default, rel), "wb") as f:
            f.write(b"work")
    with open(os.path.join(default, "tlkedit.exe"), "wb") as f:
        f.write(b"an older tlkedit")

    code, took = install()
    print("silent install over it: %.1f s" % took)
    check(code == 0, "silent install over it exits with 0 (got %d)" % code)
    check_installation(default_win, default, start_menu, "over an older one")
    check(all(open(os.path.join(default, r), "rb").read() == d for r, d in mine.items()),
          "installing over it keeps the user's files")

    code, took = uninstall(default_win)
    print("silent uninstall: %.1f s" % took)
    check(code == 0, "silent uninstall exits with 0 (got %d)" % code)
    left = tree(default) if os.path.isdir(default) else {}
    check(left == mine, "the uninstall leaves only the user's files (left: %s)" % sorted(left))
    check(not os.path.exists(os.path.join(start_menu, SHORTCUT)), "the uninstall removes the shortcut")
    check(registry() is None, "the uninstall removes the registry key")

    # A folder of the user's choice (with spaces), with a desktop shortcut.
    chosen_win = "C:\\Disc Tools\\" + PRODUCT
    chosen = unix(chosen_win)
    code, _ = install("/DESKTOP", folder=chosen_win)
    check(code == 0, "silent install with /D= exits with 0 (got %d)" % code)
    check(tree(default) == mine, "nothing went into the default folder")
    check_installation(chosen_win, chosen, start_menu, "chosen folder")
    check(shortcut_points_at(os.path.join(desktop, SHORTCUT), chosen_win), "/DESKTOP adds a desktop shortcut")
    code, _ = uninstall(chosen_win)
    check(code == 0 and not os.path.exists(chosen), "uninstalling an untouched folder removes the folder")
    check(os.path.isdir(unix("C:\\Disc Tools")), "the parent folder stays")
    check(not os.path.exists(os.path.join(desktop, SHORTCUT)), "the uninstall removes the desktop shortcut")

    # A folder that cannot be created (its parent is a file) is refused, and
    # does not turn into the default folder.
    with open(unix("C:\\blocker"), "wb") as f:
        f.write(b"a file, not a folder")
    code, _ = install(folder="C:\\blocker\\" + PRODUCT)
    check(code == 2, "a folder that cannot be written is refused (exit code %d)" % code)
    check(registry() is None, "a refused install registers nothing")
    check(not os.path.exists(os.path.join(start_menu, SHORTCUT)), "a refused install makes no shortcut")
    check(tree(default) == mine, "a refused install puts nothing into the default folder")

    # A folder that exists but cannot be written to (on Windows: one that
    # needs administrator rights) is refused with the setup program's check.
    os.mkdir(locked)
    if locked_folder(locked, True):
        try:
            code, _ = install(folder="C:\\Locked\\" + PRODUCT)
            check(code == 2, "a folder that cannot be written to is refused (exit code %d)" % code)
            check(registry() is None, "a refused install registers nothing")
        finally:
            locked_folder(locked, False)
    else:
        print("skipped: no immutable folders on this file system")

    wineserver("-k")
    return check.exit_code()


if __name__ == "__main__":
    sys.exit(main())
