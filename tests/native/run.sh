#!/bin/sh
# Builds and runs the host sanitizer tests of the readers of a disc's files
# (the packed-bitmap reader, the definition reader, the AutoRun file reader).
# run_fuzz.sh builds and runs their fuzz targets.
#
#   run.sh BUILD_DIR
#
# Extra CMake options (e.g. -DGTEST_SRC=...) can be passed in CMAKE_ARGS.
# Exit code is non-zero when anything fails.
set -eu

if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build=$1
here=$(cd "$(dirname "$0")" && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

cmake -S "$here" -B "$build/tests" ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build/tests" --parallel "$jobs" --target dib_native_tests text_native_tests >/dev/null
"$build/tests/dib_native_tests"
"$build/tests/text_native_tests"
