#!/bin/bash
# Plays the demo disc in each of the ten layouts, with a lit line and after a
# menu change, in a private X display, and saves screenshots to
# build/screenshots/ (for looking at, not for tests).
set -euo pipefail
source "$(dirname "$0")/common.sh"
tlk_begin "screenshots: building and running"
tlk_build >/dev/null
tlk_stop_wine
tlk_start_xvfb
trap 'tlk_stop_wine; tlk_stop_xvfb' EXIT
out="$build/screenshots"
rm -rf "$out"; mkdir -p "$out"
disc="$build/screenshot-disc"

play() {  # layout, name, [pointer x%, y%], [click], [keys]
    rm -rf "$disc"; mkdir -p "$disc"
    cp -r "$build/demo/." "$disc/"
    cp "$build/dist/autorun.exe" "$disc/"
    sed -i "s/^500=.*/500=$1/" "$disc/auto.tdf"
    "$here/wine-run.sh" "$disc/autorun.exe" &
    sleep 3
    local geo w h
    w=$(xdotool search --name "Demo Disc" | head -1)
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ -n "${6:-}" ]; then
        # Keys with the pointer outside the window, as a keyboard user has it.
        xdotool mousemove 0 $((Y + HEIGHT + 40))
        sleep 0.3
        xdotool key --delay 150 $6
        sleep 0.7
    fi
    if [ -n "${3:-}" ]; then
        xdotool mousemove $((X + WIDTH * $3 / 100)) $((Y + HEIGHT * $4 / 100))
        sleep 0.5
        xdotool mousemove $((X + WIDTH * $3 / 100 + 1)) $((Y + HEIGHT * $4 / 100))
        sleep 0.7
    fi
    if [ -n "${5:-}" ]; then
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out/$2-before.png"
        xdotool click 1
        sleep 1
    fi
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out/$2.png"
    tlk_stop_wine
    sleep 0.5
}

for i in 0 1 2 3 4 5 6 7 8 9; do play "$i" "layout$i"; done
play 0 "lit-line" 50 46
play 0 "menu-change" 50 46 click
# The keyboard position on the bottom lines: End lands on line 12, Up on 11.
play 0 "keys-line12" "" "" "" "Down End"
play 7 "keys-line11" "" "" "" "End Up"
# ---- The editor ----------------------------------------------------------------
shot() {  # window id, file name
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out/$2.png"
}
editor="$build/screenshot-editor"
start_editor() {
    tlk_stop_wine
    rm -rf "$editor"; cp -r "$build/dist" "$editor"
    "$here/wine-run.sh" "$editor/tlkedit.exe" &
    sleep 4
    main=$(xdotool search --name "^TLK Autoplay Varrow$" | head -1)
}
start_editor
shot "$main" editor-main
# The about box from the system menu: Alt+Space, then the last item.
xdotool key --window "$main" alt+space; sleep 0.5; xdotool key Up Return; sleep 1
shot "$(xdotool search --name "^About tlkedit$" | head -1)" editor-about
xdotool key Return; sleep 0.5
# A test run of the demo disc (the editor clears its folder when it starts,
# so the definition goes in afterwards), with the pointer on a line.
cp "$build/demo/"{auto.tdf,autorun.bmp,*.wav} "$editor/"
xdotool key --window "$main" Tab Return; sleep 3
menu=$(xdotool search --name "Demo Disc" | head -1)
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * 46 / 100)); sleep 0.3
xdotool mousemove $((X + WIDTH / 2 + 1)) $((Y + HEIGHT * 46 / 100)); sleep 0.7
shot "$menu" editor-test-run
xdotool mousemove 0 0; xdotool key --window "$menu" Escape 2>/dev/null || true; sleep 1
start_editor
xdotool key --window "$main" Tab Tab Return; sleep 1.5
shot "$(xdotool search --name "^Build Information$" | head -1)" editor-build-dialog
# The wizard: every page, with a few choices made, and the action dialog.
start_editor
xdotool key --window "$main" Return; sleep 2
sheet=$(xdotool search --name "^Autoplay Wizard$" | head -1)
shot "$sheet" wizard-1-introduction
xdotool key alt+n; sleep 1.2; shot "$sheet" wizard-2-background
xdotool key alt+n; sleep 1.2; shot "$sheet" wizard-3-template
xdotool key alt+n; sleep 1.2
xdotool type --delay 20 "Welcome to the Summer Fair"; xdotool key Tab
xdotool type --delay 20 "Please choose"; xdotool key Tab
xdotool type --delay 20 "Install the game"; sleep 0.5
shot "$sheet" wizard-4-texts
xdotool key Tab space; sleep 1.5
shot "$(xdotool search --name "^Configure Actions$" | head -1)" wizard-action-dialog
xdotool key Escape; sleep 0.8
xdotool key alt+n; sleep 1.2
xdotool type --delay 20 "Summer Fair"; sleep 0.3
shot "$sheet" wizard-5-title-colours-sounds
xdotool key alt+n; sleep 1.2; shot "$sheet" wizard-6-finish
tlk_stop_wine
# The Make Disc Image dialog: findings of a folder without its player, then
# writing the image of a folder with a large (sparse) file.
imgdisc="$build/screenshot-image"
rm -rf "$imgdisc" "$imgdisc.iso"; mkdir -p "$imgdisc"
cp -r "$build/demo/." "$imgdisc/"
start_editor
xdotool key --window "$main" alt+f; sleep 0.5; xdotool key i; sleep 1.5
dialog=$(xdotool search --name "^Make Disc Image$" | head -1)
xdotool key --window "$dialog" ctrl+a; xdotool type --delay 5 "$(tlk_winepath -w "$imgdisc")"; sleep 1.5
shot "$dialog" editor-image-findings
cp "$build/dist/autorun.exe" "$imgdisc/"
truncate -s 3G "$imgdisc/movie.bin"
xdotool key --window "$dialog" ctrl+a; xdotool type --delay 5 "$(tlk_winepath -w "$imgdisc")"; sleep 1.5
xdotool key --window "$dialog" Tab ctrl+a; xdotool type --delay 5 "$(tlk_winepath -w "$imgdisc.iso")"
xdotool key --window "$dialog" alt+m; sleep 1.5
shot "$dialog" editor-image-writing
xdotool key --window "$dialog" Escape; sleep 1
tlk_stop_wine
rm -rf "$imgdisc" "$imgdisc.iso" "$imgdisc.iso.part"
for b in rainbow bluegrad fluff raised; do convert "$build/dist/BMPS/$b.bmp" "$out/stock-$b.png"; done

# ---- At 150 % and 200 % display scale --------------------------------------------
# Prefixes of their own (the test prefix's registry with another LogPixels).
"$root/tests/dpi/make_prefix.sh" "$build/wineprefix" 144 192
for dpi in 144 192; do
    (
        export WINEPREFIX="$build/wineprefix-dpi$dpi"
        play 3 "dpi$dpi-layout3"
        start_editor
        shot "$main" "dpi$dpi-editor-main"
        xdotool key --window "$main" Return; sleep 2
        sheet=$(xdotool search --name "^Autoplay Wizard$" | head -1)
        for page in 1 2 3 4 5 6; do
            shot "$sheet" "dpi$dpi-wizard-$page"
            xdotool key alt+n; sleep 1.5
        done
        tlk_stop_wine
    )
done

# ---- Every script ------------------------------------------------------------------
# The script tests with pauses: the editor's texts page and the menu on each
# code page, in the prefix whose fonts draw every script.
(
    cd "$build"
    watch_dir="$build/scripts"
    (
        for n in $(seq 1 600); do
            for ready in "$watch_dir"/*.ready; do
                [ -f "$ready" ] || continue
                name=$(basename "$ready" .ready)
                rm -f "$ready"
                sleep 0.5
                import -window root "$out/scripts-$name.png"
            done
            sleep 0.2
        done
    ) &
    watcher=$!
    TLK_SCRIPTS_SCREENSHOT=1 ctest -R '^scripts_' >/dev/null || echo "screenshots: a script test failed" >&2
    kill "$watcher" 2>/dev/null || true
)

ls "$out"
