#!/bin/bash
# Goes through the setup program's pages and the uninstaller's in a private
# X display, in a Wine prefix of its own, and saves a picture of each page to
# build/screenshots/installer/ (for looking at, not for tests).
set -euo pipefail
source "$(dirname "$0")/common.sh"
tlk_begin "installer screenshots: building and running"
tlk_build >/dev/null
cmake --build "$build" --target packages >/dev/null
setup=$(ls "$build"/release/*-setup.exe | head -1)

export WINEPREFIX="$build/screenshot-installer-prefix"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
locked="$WINEPREFIX/drive_c/Locked"
tlk_stop_wine
[ -d "$locked" ] && chattr -i "$locked" 2>/dev/null || true
rm -rf "$WINEPREFIX"
cp -a "$build/wineprefix" "$WINEPREFIX"
# Keep the desktop inside the prefix (Wine links it to the Linux home).
for d in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$d" ]; then rm "$d"; mkdir "$d"; fi
done
# A folder nobody can write to, not even root (it is made immutable, and
# made mutable again at the end so that the build folder can be removed).
mkdir "$locked"
can_lock=yes
chattr +i "$locked" 2>/dev/null || can_lock=no

tlk_start_xvfb
trap 'tlk_stop_wine; tlk_stop_xvfb; chattr -i "$locked" 2>/dev/null || true' EXIT
out="$build/screenshots/installer"
rm -rf "$out"; mkdir -p "$out"

shot() {  # file name: the whole screen, trimmed to the windows on it
    sleep 1
    import -window root png:- | convert - -trim +repage "$out/$1.png"
}
wait_for() {  # window name pattern
    local w=""
    for _ in $(seq 60); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$w" ] && break
        sleep 0.5
    done
    echo "$w"
}
key() { xdotool key --window "$win" "$@"; sleep 1; }

tlk_wine "$setup" &
win=$(wait_for "Setup$")
shot 1-welcome
key Return
shot 2-folder
if [ $can_lock = yes ]; then
    key ctrl+a BackSpace; xdotool type --delay 20 'c:\Locked\TLK Autoplay Varrow'; sleep 0.5
    key Return
    shot 3-folder-refused
    xdotool key Return; sleep 1
fi
key ctrl+a BackSpace; xdotool type --delay 20 'c:\Tools\TLK Autoplay Varrow'; sleep 0.5
key Return
shot 4-components
# Tick the desktop shortcut, the second line of the list.
xdotool mousemove --window "$win" 188 186 click 1; sleep 0.5
shot 5-components-desktop
key Return
sleep 2
shot 6-finish
key Return   # Finish, with "Start tlkedit" ticked
editor=$(wait_for "^TLK Autoplay Varrow$")
shot 7-editor-started
tlk_stop_wine; sleep 1

tlk_wine 'C:\Tools\TLK Autoplay Varrow\uninstall.exe' &
win=$(wait_for "Uninstall$")
shot 8-uninstall-confirm
key Return
sleep 2
shot 9-uninstall-done
key Return
ls "$out"
