#!/bin/bash
# Disc image benchmark: a 600 MB folder (thousands of small files and a few
# large ones), side by side in one run: the editor's "tlkedit /image" under
# Wine, a plain copy of the folder, and "xorriso -as mkisofs -J" of it.
# Prints the times (median of six runs), the editor's peak memory and its time
# against the copy; exits 1 when the image takes more than 1.2 times the copy.
#
#   tools/bench_image.sh [runs]
set -euo pipefail
source "$(dirname "$0")/common.sh"
tlk_begin "bench: building and measuring"
tlk_build >/dev/null
runs=${1:-6}
work="$build/bench-image"
src="$work/src"

# The folder is made once and kept: 3000 small files in 30 folders and five
# large files, about 600 MB of incompressible data.
if [ ! -f "$work/.ready" ]; then
    echo "bench: making the 600 MB folder"
    rm -rf "$work"
    mkdir -p "$src"
    head -c $((100 * 1024 * 1024)) /dev/urandom > "$work/pool"
    python3 - "$src" "$work/pool" <<'PY'
import os, sys, random
src, pool = sys.argv[1], sys.argv[2]
data = open(pool, 'rb').read()
rng = random.Random(7)
pos = 0
for i in range(3000):
    d = os.path.join(src, 'folder%02d' % (i % 30), 'sub%d' % (i % 3))
    os.makedirs(d, exist_ok=True)
    n = rng.randint(512, 64 * 1024)
    if pos + n > len(data): pos = 0
    with open(os.path.join(d, 'file %04d.dat' % i), 'wb') as f:
        f.write(data[pos:pos + n])
    pos += n
PY
    rm "$work/pool"
    for i in 1 2 3 4 5; do head -c $((100 * 1024 * 1024)) /dev/urandom > "$src/large$i.bin"; done
    touch "$work/.ready"
fi
echo "bench: $(du -sm "$src" | cut -f1) MB in $(find "$src" -type f | wc -l) files"

tlk_stop_wine
tlk_start_xvfb
trap 'tlk_end_wine; tlk_stop_xvfb; rm -rf "$work/out"' EXIT
"$here/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
# Every run reads from the page cache.
find "$src" -type f -exec cat {} + > /dev/null

mkdir -p "$work/out"
win_src=$(tlk_winepath -w "$src")
win_iso=$(tlk_winepath -w "$work/out")\\tlk.iso

# Each step is timed to the page cache and again until the data is on
# disk (with the sync after it); the steps take turns, median of the runs.
copy=() image=() ref=() copyd=() imaged=() refd=()
timed() {   # name command...: appends to name and name+d
    local name=$1 t0 t1 t2
    shift
    sync
    t0=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    t1=$(date +%s.%N)
    sync
    t2=$(date +%s.%N)
    eval "$name+=(\$(python3 -c \"print($t1 - $t0)\"))"
    eval "${name}d+=(\$(python3 -c \"print($t2 - $t0)\"))"
}
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

step() {
    case $1 in
    0) timed copy cp -r "$src" "$work/out/copy"; rm -rf "$work/out/copy" ;;
    1) timed ref xorriso -as mkisofs -J --norock -V BENCH -o "$work/out/ref.iso" "$src"; rm -f "$work/out/ref.iso" ;;
    2) timed image "$here/wine-run.sh" "$build/dist/tlkedit.exe" /image "$win_src" "$win_iso" /label BENCH
       rm -f "$work/out/tlk.iso" ;;
    esac
    # The disk is mounted with online discard: deleting 600 MB makes the
    # next large write slow for a moment, so let that pass first.
    sync
    sleep 3
}
# The three also take turns at being first.
for r in $(seq 0 $((runs - 1))); do
    for k in 0 1 2; do step $(( (r + k) % 3 )); done
done
# Peak memory of the editor's process in one more run.
/usr/bin/time -f '%M' -o "$work/peak" "$here/wine-run.sh" "$build/dist/tlkedit.exe" /image "$win_src" "$win_iso" \
    >/dev/null 2>&1
peak=$(tail -1 "$work/peak")
size=$(stat -c %s "$work/out/tlk.iso")

c=$(median "${copy[@]}") i=$(median "${image[@]}") r=$(median "${ref[@]}")
cd_=$(median "${copyd[@]}") id_=$(median "${imaged[@]}") rd_=$(median "${refd[@]}")
ratio=$(python3 -c "print($i / $c)")
ratiod=$(python3 -c "print($id_ / $cd_)")
echo "median of $runs runs       to page cache   until on disk"
printf 'plain copy (cp -r):            %6.2f s        %6.2f s\n' "$c" "$cd_"
printf 'xorriso -as mkisofs -J:        %6.2f s        %6.2f s\n' "$r" "$rd_"
printf 'tlkedit /image (under Wine):   %6.2f s        %6.2f s\n' "$i" "$id_"
printf 'image / copy:                  %6.2f          %6.2f     (limit 1.20)\n' "$ratio" "$ratiod"
echo "tlkedit peak memory: $peak KB; image: $size bytes; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "all runs (s): copy ${copy[*]}; xorriso ${ref[*]}; image ${image[*]}" | sed 's/\([0-9]\.[0-9][0-9]\)[0-9]*/\1/g'
python3 -c "import sys; sys.exit(0 if $ratio <= 1.2 else 1)"
