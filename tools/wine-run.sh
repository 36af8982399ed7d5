#!/bin/sh
# Runs a Windows program under the project's private 32-bit Wine prefix.
# Used by CTest as the cross-compiling emulator and by the other scripts.
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=${TLK_BUILD:-$here/../build}/wineprefix}"
export WINEPREFIX
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
