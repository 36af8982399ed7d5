#!/bin/bash
# Installs what is missing, builds, and starts the product on the bundled
# demo disc. Without a display it plays the disc in a private X display,
# saves a screenshot and prints where it is.
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/common.sh"
tlk_build
disc="$build/demo-disc"
rm -rf "$disc"; mkdir -p "$disc"
cp -r "$build/demo/." "$disc/"
cp "$build/dist/autorun.exe" "$disc/"
if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    exec "$here/wine-run.sh" "$disc/autorun.exe"
fi
tlk_stop_wine
tlk_start_xvfb
trap 'wineserver -k 2>/dev/null; tlk_stop_xvfb' EXIT
"$here/wine-run.sh" "$disc/autorun.exe" &
sleep 4
shot="$build/demo-screenshot.png"
import -window root "$shot"
echo "The demo disc is playing in a private display; screenshot: $shot"
