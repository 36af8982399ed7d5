#!/bin/bash
# Where the tests run the 64-bit build, the 32-bit programs and packages that
# users get are still built and checked as far as can be done without running
# them: 32-bit Windows GUI programs, only system DLLs imported, the version
# resources, and the same bytes from a second build.
#   shipped_i686.sh <source folder> <build folder> <python> <version> <product> <company> <player size limit>
set -euo pipefail
src=$1 build=$2 python=$3 version=$4 product=$5 company=$6 player_max=$7
i686="$build/i686"
objdump=i686-w64-mingw32-objdump
# Compiled with the same warnings as the tested build, and free of them.
log="$build/i686-release.log"
TLK_ARCH=i686 TLK_BUILD="$i686" "$src/tools/release.sh" >"$log" 2>&1 || { cat "$log"; exit 1; }
if grep -q "warning:" "$log"; then
    grep "warning:" "$log"
    echo "FAILED: the i686 build has warnings"
    exit 1
fi
setup="$i686/release/${product// /-}-$version-setup.exe"
zip="$i686/release/${product// /-}-$version.zip"
status=0
step() { "$@" || { echo "FAILED: $*"; status=1; }; }
step test -f "$zip"
player_size=$(stat -c %s "$i686/dist/autorun.exe")
echo "autorun.exe: $player_size bytes (at most $player_max)"
step test "$player_size" -le "$player_max"
step "$src/tests/check_pe.sh" "$objdump" i686 "$i686/dist/autorun.exe" "$i686/dist/tlkedit.exe" "$setup"
step "$src/tests/check_imports.sh" "$objdump" "$i686/dist/autorun.exe"
step "$src/tests/check_imports.sh" "$objdump" "$i686/dist/tlkedit.exe"
step "$src/tests/check_imports.sh" "$objdump" "$setup" OLE32.dll
step "$python" "$src/tests/installer/test_versions.py" "$version" "$product" "$company" \
     "$i686/dist/autorun.exe" "$i686/dist/tlkedit.exe" "$setup"
# The zip holds exactly these programs.
for exe in autorun.exe tlkedit.exe; do
    step "$python" -c 'import sys, zipfile
sys.exit(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]) != open(sys.argv[3], "rb").read())' \
        "$zip" "$product/$exe" "$i686/dist/$exe"
done
step "$src/tests/installer/reproducible.sh" "$src" "$i686" "$build/i686-second"
exit $status
