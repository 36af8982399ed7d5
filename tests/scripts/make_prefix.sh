#!/bin/sh
# make_prefix.sh PREFIX: next to the Wine prefix PREFIX, makes PREFIX-scripts,
# whose fonts draw every script the menu tests show, as Windows' own fonts
# and font linking do: the layouts' faces stand for DejaVu Sans (Latin,
# Greek, Cyrillic, Arabic and Hebrew, shaped and right to left), which links
# to WenQuanYi Micro Hei for Chinese and Japanese. Wine does no fallback of
# its own, and another face would change the metrics the other tests rely
# on, hence a prefix of its own: a copy of PREFIX's registry, sharing its
# drive C.
set -eu
src=$1
dst="$src-scripts"
run="$(dirname "$0")/../../tools/wine-run.sh"
[ -f "$src/user.reg" ] || { echo "no Wine prefix at $src" >&2; exit 1; }
for font in /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc; do
    [ -f "$font" ] || { echo "missing $font (packages fonts-dejavu-core, fonts-wqy-microhei)" >&2; exit 1; }
done
WINEPREFIX="$dst" timeout 30 "$run" --server -k 2>/dev/null || true
rm -rf "$dst"
mkdir -p "$dst/dosdevices"
cp "$src/system.reg" "$src/user.reg" "$src/userdef.reg" "$src/.update-timestamp" "$dst/"
ln -s "$src/drive_c" "$dst/drive_c"
ln -s ../drive_c "$dst/dosdevices/c:"
ln -s / "$dst/dosdevices/z:"
export WINEPREFIX="$dst"
for face in "Arial" "Times New Roman" "MS Sans Serif"; do
    timeout 60 "$run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "DejaVu Sans" /f >/dev/null
done
# The window captions' face links to the same font.
for face in "DejaVu Sans" "Tahoma"; do
    timeout 60 "$run" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f >/dev/null
done
# Edit controls find a font for a script by its usual Windows face.
for face in "MS Gothic" "MS UI Gothic" "MS PGothic" "SimSun" "Microsoft YaHei" "Meiryo"; do
    timeout 60 "$run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f >/dev/null
done
timeout 30 "$run" --server -w 2>/dev/null || "$run" --server -k 2>/dev/null || true
grep -q '"Arial"="DejaVu Sans"' "$dst/user.reg" || { echo "the font stand-ins did not take in $dst" >&2; exit 1; }
