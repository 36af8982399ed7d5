#!/bin/bash
# Builds and runs the player's start-up benchmark and the wizard's in a private X display and
# prints the figures, with the size of autorun.exe.
set -euo pipefail
source "$(dirname "$0")/common.sh"
tlk_begin "bench: building and measuring"
tlk_build
# The benchmarks are not part of the usual build.
cmake --build "$build" --target startup_bench wizard_bench >/dev/null
tlk_stop_wine
tlk_start_xvfb
trap 'tlk_stop_wine; tlk_stop_xvfb' EXIT
dist_win="Z:$(echo "$build/dist" | tr / '\\')"
"$here/wine-run.sh" "$build/tests/startup_bench.exe" "$dist_win" "${1:-9}"
echo "autorun.exe: $(stat -c %s "$build/dist/autorun.exe") bytes"
"$here/wine-run.sh" "$build/tests/wizard_bench.exe" "$dist_win" "${2:-5}"
echo "tlkedit.exe: $(stat -c %s "$build/dist/tlkedit.exe") bytes"
