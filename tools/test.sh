#!/bin/bash
# Installs what is missing, builds, and runs the whole test suite under
# Wine in a private X display, for the architecture this machine runs
# (i686 where 32-bit programs run, x86_64 elsewhere; TLK_ARCH overrides).
set -euo pipefail
source "$(dirname "$0")/common.sh"
tlk_begin "test: building and testing"
tlk_build
tlk_stop_wine
tlk_start_xvfb
trap 'tlk_end_wine; tlk_stop_xvfb' EXIT
# Start the wineserver once so the first test does not pay for it.
tlk_wine cmd /c exit >/dev/null 2>&1 || true
cd "$build"
ctest --output-on-failure "$@"
