#!/bin/sh
# Runs a Windows program in the project's private Wine prefix, with the Wine
# of the architecture being tested (TLK_ARCH: i686, the default, or x86_64).
# Used by CTest as the cross-compiling emulator and by the other scripts.
#
#   wine-run.sh PROGRAM [ARGS...]   start a Windows program
#   wine-run.sh --server ARGS...    the matching wineserver (-k, -w, -p)
#   wine-run.sh --path ARGS...      the matching winepath (-w, -u)
#
# Debian's generic wine, wineserver and winepath commands take the 32-bit
# loader whenever wine32 is installed, so 64-bit runs name their own.
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=${TLK_BUILD:-$here/../build}/wineprefix}"
export WINEPREFIX
export WINEDEBUG=-all
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEDLLOVERRIDES
case "${TLK_ARCH:-i686}" in
x86_64)
    export WINEARCH=win64
    loader=/usr/lib/wine/wine64
    server=/usr/lib/wine/wineserver64
    export WINELOADER="$loader" WINESERVER="$server" ;;
*)
    export WINEARCH=win32
    loader=wine
    server=wineserver ;;
esac
case "${1:-}" in
--server) shift; exec "$server" "$@" ;;
--path) shift; exec "$loader" winepath.exe "$@" ;;
*) exec "$loader" "$@" ;;
esac
