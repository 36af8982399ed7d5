#!/bin/bash
# Installs what is missing, builds, and runs the whole test suite under
# Wine in a private X display.
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/common.sh"
tlk_build
tlk_stop_wine
tlk_start_xvfb
trap 'timeout 30 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null; tlk_stop_xvfb' EXIT
# Start the wineserver once so the first test does not pay for it.
"$here/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
cd "$build"
ctest --output-on-failure "$@"
