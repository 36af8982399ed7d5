#!/usr/bin/env python3
"""Makes the release packages from the installation folder:
<name>-<version>-setup.exe (with makensis) and <name>-<version>.zip, or
<name>-<version>-x64-setup.exe and <name>-<version>-x64.zip for a 64-bit
build.

Both are reproducible: files go in sorted order, the zip carries one fixed
date and fixed permissions, and the setup program gets no file dates (the
script turns them off) and no build clock.

With TLK_SIGN_PFX in the environment (see tools/sign.sh) the release is
signed: the two programs in both packages, the uninstaller and the setup
program. The certificate is checked before anything is made, and a failure
at any step leaves no package of this version behind.
"""
import argparse
import os
import shutil
import subprocess
import sys
import zipfile

ZIP_DATE = (1980, 1, 1, 0, 0, 0)


def is_work_file(rel):
    """The editor's work files (the menu being edited) in its own folder: they
    appear when the editor has run from the folder and are no part of a
    package."""
    name = rel.lower()
    return "/" not in name and (name == "autorun.bmp" or name.endswith(".wav")
                                or (name.startswith("auto") and name.endswith(".tdf")))


def dist_files(dist):
    """Relative paths (with '/') of every file in the installation folder,
    without work files, sorted."""
    out = []
    for top, dirs, files in os.walk(dist):
        dirs.sort()
        for f in files:
            rel = os.path.relpath(os.path.join(top, f), dist).replace(os.sep, "/")
            if not is_work_file(rel):
                out.append(rel)
    return sorted(out, key=lambda p: (p.count("/"), p.lower()))


def esc(text):
    """Text for inside an NSIS string in double quotes."""
    return text.replace("$", "$$").replace('"', '$\\"')


def win(rel):
    return esc(rel.replace("/", "\\"))


def write_file_lists(dist, files, path):
    """The two macros the installer script uses: one installs every file, the
    other deletes exactly those files and then the folders that are empty."""
    lines = ["; Generated from the installation folder: do not edit.", "!macro TLK_INSTALL_FILES"]
    folder = None
    for rel in files:
        sub = os.path.dirname(rel)
        if sub != folder:
            lines.append('    SetOutPath "$INSTDIR' + ("\\" + win(sub) if sub else "") + '"')
            folder = sub
        lines.append('    File "' + esc(os.path.join(dist, rel)) + '"')
    lines.append("!macroend")
    lines.append("!macro TLK_UNINSTALL_FILES")
    for rel in files:
        lines.append('    Delete "$INSTDIR\\' + win(rel) + '"')
    folders = sorted({os.path.dirname(r) for r in files if "/" in r}, key=lambda d: (-d.count("/"), d))
    for d in folders:
        lines.append('    RMDir "$INSTDIR\\' + win(d) + '"')
    lines.append("!macroend")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def write_zip(dist, files, top, path):
    tmp = path + ".tmp"
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        made = set()
        for rel in files:
            parts = rel.split("/")[:-1]
            for i in range(len(parts)):
                d = top + "/" + "/".join(parts[: i + 1]) + "/"
                if d not in made:
                    info = zipfile.ZipInfo(d, ZIP_DATE)
                    info.create_system = 0  # attributes as on Windows, whatever the build host
                    info.external_attr = 0x10  # folder
                    z.writestr(info, b"")
                    made.add(d)
            info = zipfile.ZipInfo(top + "/" + rel, ZIP_DATE)
            info.create_system = 0
            info.external_attr = 0x20  # archive
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(dist, rel), "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)
    os.replace(tmp, path)


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--dist", required=True, help="installation folder")
    ap.add_argument("--out", required=True, help="folder for the packages")
    ap.add_argument("--work", required=True, help="folder for intermediate files")
    ap.add_argument("--script", required=True, help="installer script")
    ap.add_argument("--icon", required=True)
    ap.add_argument("--version", required=True)
    ap.add_argument("--product", required=True)
    ap.add_argument("--company", required=True)
    ap.add_argument("--copyright", required=True)
    ap.add_argument("--makensis", default="makensis")
    ap.add_argument("--arch", default="i686", choices=("i686", "x86_64"),
                    help="architecture of the programs in the folder")
    ap.add_argument("--sign", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "sign.sh"),
                    help="the signing command, used when TLK_SIGN_PFX is set")
    a = ap.parse_args()

    dist = os.path.abspath(a.dist)
    # A folder of the caller's instead of the build's own release folder.
    a.out = os.environ.get("TLK_RELEASE_DIR") or a.out
    files = dist_files(dist)
    for needed in ("tlkedit.exe", "autorun.exe"):
        if needed not in files:
            sys.exit("package: %s is missing from %s" % (needed, dist))
    os.makedirs(a.out, exist_ok=True)
    os.makedirs(a.work, exist_ok=True)
    base = a.product.replace(" ", "-") + "-" + a.version
    arch_suffix = {"i686": "", "x86_64": "-x64"}
    current = {base + arch_suffix[k] + end for k in arch_suffix for end in ("-setup.exe", ".zip")}
    base += arch_suffix[a.arch]
    quad = ".".join((a.version.split(".") + ["0"] * 4)[:4])

    # Packages of other versions in the output folder are stale build output.
    prefix = a.product.replace(" ", "-") + "-"
    for old in os.listdir(a.out):
        if old.startswith(prefix) and (old.endswith("-setup.exe") or old.endswith(".zip")) \
                and old not in current:
            os.remove(os.path.join(a.out, old))

    setup_name = base + "-setup.exe"
    setup = os.path.join(os.path.abspath(a.out), setup_name)
    zip_path = os.path.join(a.out, base + ".zip")
    # Whatever happens next, no package of an earlier run passes for this one.
    for old in (setup, zip_path):
        if os.path.exists(old):
            os.remove(old)

    signing = bool(os.environ.get("TLK_SIGN_PFX"))
    if signing:
        if subprocess.run([a.sign, "--check"]).returncode != 0:
            sys.exit("package: the release is not signed and no package was made")
        # The programs are signed in a copy of the installation folder, which
        # itself stays as the build made it.
        staged = os.path.join(os.path.abspath(a.work), "signed")
        shutil.rmtree(staged, ignore_errors=True)
        for rel in files:
            os.makedirs(os.path.dirname(os.path.join(staged, rel)), exist_ok=True)
            shutil.copy2(os.path.join(dist, rel), os.path.join(staged, rel))
        if subprocess.run([a.sign] + [os.path.join(staged, p) for p in ("autorun.exe", "tlkedit.exe")]).returncode:
            sys.exit("package: the release is not signed and no package was made")
        dist = staged
    else:
        print("package: TLK_SIGN_PFX is not set: the packages are unsigned")

    lists = os.path.join(a.work, "files.nsh")
    write_file_lists(dist, files, lists)
    defines = {
        "VERSION": a.version, "VERSION_QUAD": quad, "PRODUCT": a.product,
        "COMPANY": a.company, "COPYRIGHT": a.copyright, "ICON": os.path.abspath(a.icon),
        "FILES": os.path.abspath(lists), "OUTFILE": setup, "OUTFILE_NAME": setup_name,
    }
    cmd = [a.makensis, "-V2", "-NOCD", "-INPUTCHARSET", "UTF8"]
    if a.arch == "x86_64":
        defines["AMD64"] = "1"
    if signing:
        defines["SIGN"] = os.path.abspath(a.sign)
    cmd += ["-D%s=%s" % kv for kv in sorted(defines.items())]
    cmd.append(os.path.abspath(a.script))
    if subprocess.run(cmd).returncode != 0:
        if os.path.exists(setup):
            os.remove(setup)
        sys.exit("package: makensis failed%s; no package was made" % (" or a signature failed" if signing else ""))

    write_zip(dist, files, a.product, zip_path)
    for p in (setup, zip_path):
        print("%s  %d bytes" % (p, os.path.getsize(p)))


if __name__ == "__main__":
    main()
