#!/bin/bash
# Installs what is missing, builds, and starts the editor from the
# installation folder; "tools/run.sh demo" plays the bundled demo disc
# instead. Without a display it runs in a private X display, saves a
# screenshot and prints where it is.
set -euo pipefail
source "$(dirname "$0")/common.sh"
tlk_begin "run: building and starting"
tlk_build
if [ "${1:-}" = "demo" ]; then
    what="The demo disc is playing"
    folder="$build/demo-disc"
    rm -rf "$folder"; mkdir -p "$folder"
    cp -r "$build/demo/." "$folder/"
    cp "$build/dist/autorun.exe" "$folder/"
    program="$folder/autorun.exe"
else
    what="The editor is running"
    # The editor works in its own folder (it keeps the menu being edited
    # there), so it runs from a copy and the installation folder stays clean.
    folder="$build/editor"
    mkdir -p "$folder"
    cp -r "$build/dist/." "$folder/"
    program="$folder/tlkedit.exe"
fi
if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    exec "$here/wine-run.sh" "$program"
fi
tlk_stop_wine
tlk_start_xvfb
trap 'tlk_stop_wine; tlk_stop_xvfb' EXIT
"$here/wine-run.sh" "$program" &
sleep 4
shot="$build/run-screenshot.png"
import -window root png:- | convert - -trim +repage "$shot"
echo "$what in a private display; screenshot: $shot"
