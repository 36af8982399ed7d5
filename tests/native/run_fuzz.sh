#!/bin/sh
# Builds the readers' fuzz targets with clang (every object they run with
# coverage, AddressSanitizer and UndefinedBehaviorSanitizer), writes their
# seed corpora, and runs targets for a fixed time each.
#
#   run_fuzz.sh BUILD_DIR --build              build and write the seeds only
#   run_fuzz.sh BUILD_DIR SECONDS [TARGET...]  run dib, profile, autorun (default all)
#
# A run starts from the seeds alone, and fails on a crash, a broken
# invariant, a hang or a leak (the input is kept in BUILD_DIR/fuzz/crashes/;
# replay it with BUILD_DIR/fuzz/fuzz_TARGET FILE), and when it reached no
# more coverage features than the seeds alone, as when the reader is built without
# coverage. With KEEP_CORPUS=1 it goes on from what earlier runs found
# (BUILD_DIR/fuzz/corpus/TARGET), and coverage need not grow. Extra CMake
# options go in CMAKE_ARGS.
set -eu
if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD_DIR --build | SECONDS [TARGET...]" >&2
    exit 2
fi
root=$1
build=$1/fuzz
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

if [ "$seconds" = --build ]; then
    command -v clang++ >/dev/null || { echo "missing clang++ (packages clang, libclang-rt-14-dev)" >&2; exit 1; }
    cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DFUZZ=ON ${CMAKE_ARGS:-} >/dev/null
    cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)" \
        --target fuzz_dib fuzz_profile fuzz_autorun make_seeds >/dev/null
    rm -rf "$build/seeds"
    mkdir -p "$build/seeds"
    "$build/make_seeds" "$build/seeds"
    cp "$here/../../resources/autorun.inf" "$build/seeds/autorun/shipped"
    exit 0
fi

[ $# -gt 0 ] || set -- dib profile autorun
failed=0
for target in "$@"; do
    [ -x "$build/fuzz_$target" ] || { echo "fuzz_$target is not built: run $0 $root --build first" >&2; exit 1; }
    corpus=$build/corpus/$target
    [ "${KEEP_CORPUS:-0}" = 1 ] || rm -rf "$corpus"
    mkdir -p "$corpus" "$build/crashes" "$build/logs"
    log=$build/logs/$target.log
    # Long enough for every form of every seed; longer inputs only run slower.
    case $target in
        dib) options=-max_len=4096 ;;
        profile) options=-max_len=16384 ;;
        *) options="" ;;
    esac
    status=0
    "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 $options \
        -artifact_prefix="$build/crashes/$target-" "$corpus" "$build/seeds/$target" >"$log" 2>&1 || status=$?
    # "INITED cov: N ft: N" after the seeds, "DONE cov: N ft: N" at the end.
    figures() { sed -n "s/.*$1 *cov: \([0-9]*\) ft: \([0-9]*\).*/\1 \2/p" "$log" | tail -n 1; }
    seeded=$(figures INITED)
    reached=$(figures DONE)
    echo "fuzz_$target: $seconds s, $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs;" \
         "at the start: cov ${seeded% *} ft ${seeded#* }; at the end: cov ${reached% *} ft ${reached#* }"
    if [ "$status" != 0 ]; then
        echo "fuzz_$target FAILED (exit $status):" >&2
        grep -E "invariant broken|ERROR|SUMMARY|Assertion|runtime error|Test unit written|#[0-9]+ in " "$log" | head -n 40 >&2
        failed=1
    # Features (edges with hit counts) grow within seconds wherever the
    # fuzzer sees the reader; new edges may take longer on a busy machine.
    elif [ "${KEEP_CORPUS:-0}" != 1 ] && { [ -z "$seeded" ] || [ -z "$reached" ] || [ "${reached#* }" -le "${seeded#* }" ]; }; then
        echo "fuzz_$target FAILED: no more coverage than the seeds alone" >&2
        failed=1
    fi
done
exit $failed
