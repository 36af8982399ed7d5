#!/bin/bash
# Installs what is missing, builds, and writes the release packages: the
# setup program and the installation folder as a zip, both named with the
# project version. Two runs on the same sources give byte-identical files.
#
# What users get is 32-bit, so this makes the i686 packages on any machine
# (compiling and makensis run no Windows program). TLK_ARCH=x86_64 makes the
# 64-bit pair, named ...-x64-setup.exe and ...-x64.zip.
#
# The packages go to build/release/ when build/ holds (or can hold) that
# architecture, else to build/<arch>/release/; TLK_BUILD names the folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
arch=${TLK_ARCH:-i686}
case "$arch" in
i686|x86_64) ;;
*) echo "TLK_ARCH=$arch: not an architecture this project builds (i686 or x86_64)" >&2; exit 1 ;;
esac
if [ -z "${TLK_BUILD:-}" ]; then
    TLK_BUILD="$root/build"
    cache="$TLK_BUILD/CMakeCache.txt"
    if [ -f "$cache" ] && ! grep -qx "TLK_ARCH:INTERNAL=$arch" "$cache"; then
        TLK_BUILD="$root/build/$arch"
    fi
fi
export TLK_BUILD
# Nothing here runs a Windows program, so any machine builds either kind.
export TLK_ARCH_RESOLVED=$arch TLK_ARCH=$arch
source "$here/common.sh"
echo "release: building the $arch packages"
"$here/setup.sh" --no-wine
tlk_configure "$build" "$arch"
cmake --build "$build" -j "$(nproc)" --target packages
