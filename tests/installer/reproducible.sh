#!/bin/bash
# Builds the programs and the packages a second time, in a build folder of
# their own, and compares them byte for byte with the main build's.
#   reproducible.sh <source folder> <main build folder> <second build folder>
# The second build takes the main build's architecture.
set -euo pipefail
src=$1 main=$2 second=$3
arch=$(sed -n 's/^TLK_ARCH:INTERNAL=//p' "$main/CMakeCache.txt")
[ -n "$arch" ] || { echo "no architecture recorded in $main"; exit 1; }
echo "architecture: $arch"
cmake -S "$src" -B "$second" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-$arch.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$second" -j "$(nproc)" --target packages >/dev/null
status=0
compare() {
    if cmp -s "$1" "$2"; then echo "same: ${1#"$main"/}"; else echo "DIFFERENT: $1 $2"; status=1; fi
}
for f in "$main"/release/*; do compare "$f" "$second/release/$(basename "$f")"; done
for f in autorun.exe tlkedit.exe; do compare "$main/dist/$f" "$second/dist/$f"; done
[ "$(ls "$main"/release | wc -l)" -ge 2 ] || { echo "no packages in $main/release"; status=1; }
exit $status
