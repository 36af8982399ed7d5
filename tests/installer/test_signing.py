#!/usr/bin/env python3
"""A signed release, end to end, with a certificate made here for the test: a
CA and a code-signing certificate it issued, plus certificates that must be
refused (expired, not for code signing) and a wrong password.

    test_signing.py <source folder> <build folder> <test prefix> <work prefix> <sigcheck.exe>

The signed packages go to a folder of their own; the build's unsigned ones
stay as they are and serve as the reference.
"""
import glob
import os
import shutil
import subprocess
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from wine_prefix import Checks, Prefix  # noqa: E402

SRC, BUILD, TEST_PREFIX, PREFIX, SIGCHECK = sys.argv[1:6]
PRODUCT = "TLK Autoplay Varrow"
WORK = os.path.join(BUILD, "signing-test")
check = Checks()


def openssl(*args):
    subprocess.run(["openssl", *args], cwd=WORK, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def make_certificates():
    """ca.pem; good.pfx (code signing), web.pfx (server only) and old.pfx
    (expired), all issued by the CA with the password in password.txt."""
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
            "-days", "30", "-subj", "/CN=Release Test CA",
            "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    with open(os.path.join(WORK, "password.txt"), "w") as f:
        f.write("a pass phrase with spaces")
    with open(os.path.join(WORK, "wrong.txt"), "w") as f:
        f.write("not the pass phrase")
    leaves = {"good": ("codeSigning", "10"), "web": ("serverAuth", "10"), "old": ("codeSigning", "-1")}
    for name, (usage, days) in leaves.items():
        with open(os.path.join(WORK, name + ".cnf"), "w") as f:
            f.write("basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\n"
                    "extendedKeyUsage=%s\n" % usage)
        openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", name + ".key", "-out", name + ".csr",
                "-subj", "/CN=Release Test Signer " + name)
        openssl("x509", "-req", "-in", name + ".csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial",
                "-out", name + ".pem", "-days", days, "-extfile", name + ".cnf")
        openssl("pkcs12", "-export", "-inkey", name + ".key", "-in", name + ".pem", "-certfile", "ca.pem",
                "-out", name + ".pfx", "-passout", "file:password.txt")


def release(out, pfx, password="password.txt"):
    """tools/release.sh with a certificate; returns (exit code, output)."""
    env = dict(os.environ, TLK_BUILD=BUILD, TLK_RELEASE_DIR=out,
               TLK_SIGN_PFX=os.path.join(WORK, pfx), TLK_SIGN_PASSWORD_FILE=os.path.join(WORK, password),
               TLK_SIGN_CAFILE=os.path.join(WORK, "ca.pem"))
    r = subprocess.run([os.path.join(SRC, "tools", "release.sh")], env=env, capture_output=True, text=True)
    return r.returncode, r.stdout + r.stderr


def verified(path):
    r = subprocess.run(["osslsigncode", "verify", "-CAfile", os.path.join(WORK, "ca.pem"), "-in", path],
                       capture_output=True, text=True)
    return r.returncode == 0 and "Signature verification: ok" in r.stdout


def stripped_equals(path, reference):
    out = path + ".stripped"
    subprocess.run(["osslsigncode", "remove-signature", "-in", path, "-out", out], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(out, "rb") as a, open(reference, "rb") as b:
        return a.read() == b.read()


def main():
    make_certificates()
    dist = os.path.join(BUILD, "dist")

    # Certificates that cannot sign: a clear message and no package.
    for pfx, password, says in (("good.pfx", "wrong.txt", "password is wrong"),
                                ("old.pfx", "password.txt", "expired"),
                                ("web.pfx", "password.txt", "not a code-signing certificate"),
                                ("missing.pfx", "password.txt", "cannot read the certificate")):
        out = os.path.join(WORK, "refused-" + pfx)
        code, text = release(out, pfx, password)
        check(code != 0 and says in text, "%s with %s: refused, saying \"%s\"" % (pfx, password, says))
        check(not glob.glob(os.path.join(out, "*")), "%s with %s: no package left behind" % (pfx, password))

    out = os.path.join(WORK, "release")
    code, text = release(out, "good.pfx")
    if not check(code == 0, "a release signed with a code-signing certificate"):
        print(text)
        return check.exit_code()
    setup = glob.glob(os.path.join(out, "*-setup.exe"))
    archive = glob.glob(os.path.join(out, "*.zip"))
    if not check(len(setup) == 1 and len(archive) == 1, "one setup program and one zip"):
        return check.exit_code()
    setup, archive = setup[0], archive[0]
    check(verified(setup), "the setup program's signature verifies against the CA")
    with zipfile.ZipFile(archive) as z:
        for name in ("autorun.exe", "tlkedit.exe"):
            with open(os.path.join(WORK, name), "wb") as f:
                f.write(z.read(PRODUCT + "/" + name))
    for name in ("autorun.exe", "tlkedit.exe"):
        signed = os.path.join(WORK, name)
        check(verified(signed), name + " in the zip: signature verifies against the CA")
        check(stripped_equals(signed, os.path.join(dist, name)),
              name + " without its signature equals the unsigned build")

    # Installed from the signed setup program: the signed programs, a signed
    # uninstaller, and an editor whose build copies the signed player.
    prefix = Prefix(TEST_PREFIX, PREFIX, os.path.join(SRC, "tools", "wine-run.sh"))
    prefix.make()
    prefix.server("-p")
    folder_win = "C:\\Signed"
    code = prefix.wine(setup, "/S", "/D=" + folder_win)[0]
    folder = os.path.join(PREFIX, "drive_c", "Signed")
    check(code == 0, "the signed setup program installs (exit code %d)" % code)
    for name in ("autorun.exe", "tlkedit.exe"):
        with open(os.path.join(folder, name), "rb") as a, open(os.path.join(WORK, name), "rb") as b:
            check(a.read() == b.read(), "installed " + name + " is the signed one")
    check(verified(os.path.join(folder, "uninstall.exe")), "the installed uninstaller's signature verifies")

    disc_set = os.path.join(WORK, "set")
    os.makedirs(disc_set, exist_ok=True)
    shutil.copy(os.path.join(BUILD, "demo", "auto.tdf"), os.path.join(disc_set, "menu.tdf"))
    disc = os.path.join(WORK, "disc")
    code, text = prefix.wine(os.path.join(folder, "tlkedit.exe"), "/build",
                             prefix.windows(os.path.join(disc_set, "menu.tdf")), prefix.windows(disc))
    with open(os.path.join(disc, "autorun.exe"), "rb") as a, open(os.path.join(WORK, "autorun.exe"), "rb") as b:
        check(code == 0 and a.read() == b.read(), "a disc folder built by the editor holds the signed autorun.exe")

    # What Windows itself says: a signature on each signed program, none on
    # the unsigned build.
    targets = [os.path.join(folder, n) for n in ("autorun.exe", "tlkedit.exe", "uninstall.exe")]
    targets += [setup, os.path.join(dist, "autorun.exe")]
    code, text = prefix.wine(SIGCHECK, *[prefix.windows(t) for t in targets])
    lines = [line.split("|") for line in text.splitlines() if line.count("|") == 3]
    check(len(lines) == len(targets), "WinVerifyTrust answered for every program")
    for target, fields in zip(targets, lines):
        signed = target != targets[-1]
        name = os.path.basename(target)
        if signed:
            check(fields[2] == "yes" and fields[3] == "Release Test Signer good",
                  "Windows finds the signature on %s (WinVerifyTrust %s, signer %s)" % (name, fields[1], fields[3]))
        else:
            check(fields[2] == "no" and fields[1] == "800b0100",
                  "Windows finds no signature on the unsigned %s (%s)" % (name, fields[1]))
    prefix.server("-k")

    sizes = ["%s +%d bytes" % (n, os.path.getsize(os.path.join(WORK, n)) - os.path.getsize(os.path.join(dist, n)))
             for n in ("autorun.exe", "tlkedit.exe")]
    print("signatures add: " + ", ".join(sizes))
    return check.exit_code()


if __name__ == "__main__":
    sys.exit(main())
