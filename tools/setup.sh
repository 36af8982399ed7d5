#!/bin/bash
# Installs what the build and the tests need, once. Safe to run again:
# every step checks first and does nothing when its work is already done.
#
#   setup.sh            packages, and the Wine prefix of the architecture
#                       this machine tests (see arch.sh; TLK_ARCH overrides)
#   setup.sh --no-wine  packages only (a build that runs nothing, such as a
#                       release of the other architecture)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
source "$here/arch.sh"
can32=$(tlk_probe_32bit)
with_wine=yes
[ "${1:-}" = "--no-wine" ] && with_wine=no
if [ "$with_wine" = yes ]; then
    arch=$(tlk_decide_arch "${TLK_ARCH:-}" "$can32") || exit 1
fi

# Both compilers everywhere: the shipped programs are i686 on any machine.
# 64-bit Wine everywhere; 32-bit Wine only where 32-bit programs run.
packages=(cmake make python3 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64
          xvfb xauth fonts-liberation fonts-wine imagemagick x11-apps xdotool googletest g++
          nsis osslsigncode openssl genisoimage xorriso p7zip-full fonts-dejavu-core fonts-wqy-microhei locales)
if [ "$can32" = yes ]; then
    packages+=(wine wine32:i386)
fi
# The readers' fuzz targets: clang and its libFuzzer.
fuzz_packages=(clang libclang-rt-14-dev)
packages+=("${fuzz_packages[@]}")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    if [ "$(id -u)" != 0 ]; then
        echo "setup: packages are missing; run this as root (or with sudo)" >&2
        exit 1
    fi
    if [ "$can32" = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    # A mirror in mid-sync can fail one index (its size does not match the
    # Release file) while every package is still there: go on without it.
    apt-get update -qq || echo "setup: some package indexes failed; going on with the others" >&2
    export DEBIAN_FRONTEND=noninteractive
    if ! apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
        # With one suite's index older than another's, the amd64 and i386
        # halves of a multi-arch package (or a package and its libraries)
        # can come from different versions and the install cannot resolve;
        # the main archive's versions always match.
        echo "setup: retrying with the main archive's versions" >&2
        suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
        apt-get install -y -qq --no-install-recommends -t "$suite" "${missing[@]}"
    fi
fi
# Wine names files in the Linux locale's character set: the tests that run
# the programs under other languages (LANG=ru_RU.UTF-8, ja_JP.UTF-8, de_DE.UTF-8, fr_FR.UTF-8) need
# those locales, or every name beyond ASCII becomes unreachable.
for loc in ru_RU ja_JP de_DE fr_FR; do
    if ! locale -a 2>/dev/null | grep -qix "$loc.utf-\?8"; then
        if [ "$(id -u)" = 0 ]; then
            echo "setup: making the locale $loc.UTF-8"
            localedef -i "$loc" -f UTF-8 "$loc.UTF-8" || echo "setup: the locale $loc.UTF-8 could not be made" >&2
        else
            echo "setup: the locale $loc.UTF-8 is missing; run this as root to make it" >&2
        fi
    fi
done

[ "$with_wine" = yes ] || exit 0

# The private Wine prefix lives in the build folder and is set up once per
# architecture: a prefix of the other one is made afresh.
prefix="${TLK_BUILD:-$root/build}/wineprefix"
stamp="$prefix/.tlk-ready-$arch"
if [ ! -f "$stamp" ]; then
    echo "setup: creating the $arch Wine prefix"
    export TLK_ARCH=$arch WINEPREFIX="$prefix"
    "$here/wine-run.sh" --server -k 2>/dev/null || true
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    # wineboot can wait for ever on a dialog or a stuck service: bound it,
    # and try once more from scratch before giving up.
    ok=no
    for attempt in 1 2; do
        # The registry reaches its files when the server ends.
        if timeout 300 "$here/wine-run.sh" wineboot.exe --init >/dev/null 2>&1 &&
           timeout 120 "$here/wine-run.sh" --server -w 2>/dev/null && [ -f "$prefix/system.reg" ]; then
            ok=yes
            break
        fi
        echo "setup: creating the Wine prefix failed (attempt $attempt)" >&2
        timeout 30 "$here/wine-run.sh" --server -k 2>/dev/null || true
        rm -rf "$prefix"
    done
    [ "$ok" = yes ] || { echo "setup: could not create the Wine prefix" >&2; exit 1; }
    timeout 120 "$here/wine-run.sh" regedit /S "$("$here/wine-run.sh" --path -w "$here/wine-settings.reg" 2>/dev/null)" \
        >/dev/null 2>&1
    # Caption buttons draw as letters without these fonts in the prefix.
    for f in /usr/share/fonts/truetype/wine/marlett.ttf /usr/share/fonts/truetype/wine/tahoma*.ttf \
             /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma*.ttf; do
        [ -f "$f" ] && cp -f "$f" "$prefix/drive_c/windows/Fonts/" || true
    done
    timeout 30 "$here/wine-run.sh" --server -w 2>/dev/null || "$here/wine-run.sh" --server -k 2>/dev/null || true
    grep -q '"Managed"="N"' "$prefix/user.reg" || { echo "setup: the prefix's settings did not take" >&2; exit 1; }
    touch "$stamp"
fi
