#!/bin/bash
# Fuzzes the readers of a disc's files (bitmap, definition, AutoRun file)
# for longer than the test suite does, one target after the other, going on
# from what earlier runs found.
#
#   tools/fuzz.sh [SECONDS]    each target SECONDS long (default 600)
#
# The corpora grow in build/native/fuzz/corpus/; an input that crashes a
# reader or breaks a check is kept in build/native/fuzz/crashes/ and belongs,
# once fixed, among the cases of tests/native/test_*.cpp.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build="${TLK_BUILD:-$root/build}"
seconds=${1:-600}
"$here/setup.sh" --no-wine
bash "$root/tests/native/run_fuzz.sh" "$build/native" --build
KEEP_CORPUS=1 bash "$root/tests/native/run_fuzz.sh" "$build/native" "$seconds"
