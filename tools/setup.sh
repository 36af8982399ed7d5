#!/bin/bash
# Installs what the build and the tests need, once. Safe to run again:
# every step checks first and does nothing when its work is already done.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

packages=(cmake make python3 g++-mingw-w64-i686 wine wine32:i386 xvfb xauth
          fonts-liberation fonts-wine imagemagick x11-apps xdotool googletest g++
          nsis
          genisoimage xorriso p7zip-full)

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
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    # A mirror in mid-sync can fail one index (its size does not match the
    # Release file) while every package is still there: go on without it.
    apt-get update -qq || echo "setup: some package indexes failed; going on with the others" >&2
    export DEBIAN_FRONTEND=noninteractive
    if ! apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
        # With one suite's index older than another's, the amd64 and i386
        # halves of a multi-arch package can come from different versions and
        # the install cannot resolve; the main archive's versions always match.
        echo "setup: retrying with the main archive's versions" >&2
        suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
        apt-get install -y -qq --no-install-recommends -t "$suite" "${missing[@]}"
    fi
fi

# The private Wine prefix lives in the build folder and is set up once.
prefix="${TLK_BUILD:-$root/build}/wineprefix"
stamp="$prefix/.tlk-ready"
if [ ! -f "$stamp" ]; then
    echo "setup: creating the Wine prefix"
    mkdir -p "$(dirname "$prefix")"
    export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wineboot --init >/dev/null 2>&1 || true
    "$here/wine-run.sh" regedit /S "$(winepath -w "$here/wine-settings.reg" 2>/dev/null)" >/dev/null 2>&1
    # Caption buttons draw as letters without these fonts in the prefix.
    for f in /usr/share/fonts/truetype/wine/marlett.ttf /usr/share/fonts/truetype/wine/tahoma*.ttf \
             /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma*.ttf; do
        [ -f "$f" ] && cp -f "$f" "$prefix/drive_c/windows/Fonts/" || true
    done
    timeout 30 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null || true
    touch "$stamp"
fi
