#!/bin/sh
# Builds and runs the host sanitizer tests of the packed-bitmap reader.
#
#   run.sh BUILD_DIR                 configure, build, run the tests
#   run.sh BUILD_DIR --fuzz [SECS]   also build the libFuzzer target with
#                                    clang++ and run it for SECS (default 20)
#
# Extra CMake options (e.g. -DGTEST_SRC=...) can be passed in CMAKE_ARGS.
# Exit code is non-zero when anything fails.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR [--fuzz [SECONDS]]" >&2
    exit 2
fi
build=$1
fuzz=no
seconds=20
if [ $# -ge 2 ]; then
    [ "$2" = "--fuzz" ] || { echo "unknown option $2" >&2; exit 2; }
    fuzz=yes
    [ $# -ge 3 ] && seconds=$3
fi
here=$(cd "$(dirname "$0")" && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

cmake -S "$here" -B "$build/tests" ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build/tests" --parallel "$jobs" >/dev/null
"$build/tests/dib_native_tests"

if [ "$fuzz" = yes ]; then
    cmake -S "$here" -B "$build/fuzz" -DCMAKE_CXX_COMPILER=clang++ -DDIB_FUZZ=ON \
        ${CMAKE_ARGS:-} >/dev/null
    cmake --build "$build/fuzz" --parallel "$jobs" --target dib_fuzz dib_fuzz_seeds >/dev/null
    corpus="$build/fuzz/corpus"
    mkdir -p "$corpus"
    "$build/fuzz/dib_fuzz_seeds" "$corpus"
    "$build/fuzz/dib_fuzz" -max_total_time="$seconds" -max_len=4096 "$corpus"
fi
