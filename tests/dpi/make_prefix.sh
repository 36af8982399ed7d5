#!/bin/sh
# make_prefix.sh PREFIX DPI...: next to the Wine prefix PREFIX, makes
# PREFIX-dpiDPI for each DPI: its own registry (a copy of PREFIX's with the
# display's LogPixels set) and PREFIX's drive C, shared rather than copied
# (half a gigabyte each otherwise). Programs started with WINEPREFIX set to
# it run at that display scale.
set -eu
src=$1
shift
[ -f "$src/user.reg" ] || { echo "no Wine prefix at $src" >&2; exit 1; }
for dpi in "$@"; do
    dst="$src-dpi$dpi"
    WINEPREFIX="$dst" timeout 30 "$(dirname "$0")/../../tools/wine-run.sh" --server -k 2>/dev/null || true
    rm -rf "$dst"
    mkdir -p "$dst/dosdevices"
    cp "$src/system.reg" "$src/userdef.reg" "$src/.update-timestamp" "$dst/"
    ln -s "$src/drive_c" "$dst/drive_c"
    ln -s ../drive_c "$dst/dosdevices/c:"
    ln -s / "$dst/dosdevices/z:"
    hex=$(printf '%08x' "$dpi")
    # The value goes right after the key's time stamp line.
    awk -v v="\"LogPixels\"=dword:$hex" '
        { print }
        /^\[Control Panel\\\\Desktop\]/ { key = 1; next }
        key { print v; key = 0 }
    ' "$src/user.reg" | grep -v '^"LogPixels"=dword:00000060$' >"$dst/user.reg"
    grep -q "\"LogPixels\"=dword:$hex" "$dst/user.reg" || { echo "LogPixels not set in $dst" >&2; exit 1; }
done
