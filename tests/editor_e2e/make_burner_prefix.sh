#!/bin/sh
# make_burner_prefix.sh PREFIX NEW STANDIN: makes the Wine prefix NEW from
# PREFIX with STANDIN as Windows' disc image burner, isoburn.exe, in its
# system folder. NEW has its own registry and its own system folder, whose
# other files link to PREFIX's; the rest of drive C is PREFIX's, linked
# rather than copied (half a gigabyte otherwise).
set -eu
src=$1
dst=$2
standin=$3
[ -f "$src/user.reg" ] || { echo "no Wine prefix at $src" >&2; exit 1; }
WINEPREFIX="$dst" timeout 30 "$(dirname "$0")/../../tools/wine-run.sh" --server -k 2>/dev/null || true
rm -rf "$dst"
mkdir -p "$dst/dosdevices" "$dst/drive_c/windows/system32"
cp "$src/system.reg" "$src/user.reg" "$src/userdef.reg" "$src/.update-timestamp" "$dst/"
# Every level down to the system folder is a folder of links but that one.
link_all_but() {
    for entry in "$1"/* "$1"/.[!.]*; do
        [ -e "$entry" ] || [ -L "$entry" ] || continue
        [ "$(basename "$entry")" = "$3" ] && continue
        ln -s "$entry" "$2/"
    done
}
link_all_but "$src/drive_c" "$dst/drive_c" windows
link_all_but "$src/drive_c/windows" "$dst/drive_c/windows" system32
link_all_but "$src/drive_c/windows/system32" "$dst/drive_c/windows/system32" isoburn.exe
cp "$standin" "$dst/drive_c/windows/system32/isoburn.exe"
ln -s ../drive_c "$dst/dosdevices/c:"
ln -s / "$dst/dosdevices/z:"
