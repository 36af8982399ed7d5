#!/bin/sh
# Builds the disc image writer for the host (with the sanitizers) and checks
# its images with isoinfo, xorriso/osirrox and 7z.
#
#   run_disc.sh BUILD_DIR [gtest arguments]
#
# It shares BUILD_DIR/tests with run.sh (GoogleTest is built once).
#
# TLK_DEMO_DIR names the built demo disc folder for the demo case.
set -eu
if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR [gtest arguments]" >&2
    exit 2
fi
build=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
for tool in isoinfo xorriso osirrox 7z; do
    command -v "$tool" >/dev/null || { echo "missing $tool (packages genisoimage, xorriso, p7zip-full)" >&2; exit 1; }
done
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cmake -S "$here" -B "$build/tests" ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build/tests" --parallel 2 --target disc_native_tests >/dev/null
"$build/tests/disc_native_tests" "$@"
