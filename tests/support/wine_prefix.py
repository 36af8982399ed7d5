"""Shared by the Python tests that run Windows programs in a Wine prefix of
their own: the prefix, the Wine commands of the tested architecture (through
tools/wine-run.sh, which reads TLK_ARCH), and a list of checks."""
import os
import shutil
import subprocess
import sys
import tempfile
import time


class Checks:
    """Prints each check as it is made and remembers the failures."""

    def __init__(self):
        self.failures = []
        self.started = time.monotonic()

    def __call__(self, ok, what):
        print("%5.1f %s %s" % (time.monotonic() - self.started, "ok  " if ok else "FAIL", what), flush=True)
        if not ok:
            self.failures.append(what)
        return ok

    def exit_code(self):
        if self.failures:
            print("%d check(s) failed" % len(self.failures))
            return 1
        return 0


class Prefix:
    """A Wine prefix made afresh from the test prefix."""

    def __init__(self, test_prefix, path, wine_run):
        self.test_prefix = test_prefix
        self.path = path
        self.wine_run = wine_run
        self.env = dict(os.environ, WINEPREFIX=path, WINEDEBUG="-all",
                        # No .desktop files in the Linux home for the shortcuts.
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")

    def make(self):
        self.server("-k")
        shutil.rmtree(self.path, ignore_errors=True)
        subprocess.run(["cp", "-a", self.test_prefix, self.path], check=True)
        # The user folders of a prefix lead into the Linux home: make them
        # folders of this prefix, so that shortcuts stay inside.
        users = os.path.join(self.path, "drive_c", "users")
        for user in os.listdir(users):
            for name in os.listdir(os.path.join(users, user)):
                p = os.path.join(users, user, name)
                if os.path.islink(p):
                    os.remove(p)
                    os.mkdir(p)

    def wine(self, *args, timeout=120):
        """Runs a program in the prefix; returns (exit code, its output). The
        output goes through a file: Wine's own background processes inherit
        a pipe and would hold it open until the server ends."""
        with tempfile.TemporaryFile() as out:
            code = subprocess.run([self.wine_run, *args], env=self.env, stdout=out,
                                  stderr=subprocess.DEVNULL, timeout=timeout).returncode
            out.seek(0)
            return code, out.read().decode(errors="replace")

    def start(self, *args):
        return subprocess.Popen([self.wine_run, *args], env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def server(self, flag):
        subprocess.run([self.wine_run, "--server", flag], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)

    def winvar(self, name):
        return self.wine("cmd", "/c", "echo %" + name + "%")[1].strip()

    def unix(self, winpath):
        return self.wine("--path", "-u", winpath)[1].strip()

    def windows(self, unixpath):
        return self.wine("--path", "-w", unixpath)[1].strip()


def tree(folder):
    """Relative path -> bytes of every file below folder."""
    out = {}
    for top, _, files in os.walk(folder):
        for f in files:
            p = os.path.join(top, f)
            with open(p, "rb") as fh:
                out[os.path.relpath(p, folder).replace(os.sep, "/")] = fh.read()
    return out
