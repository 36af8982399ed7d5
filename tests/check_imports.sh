#!/bin/sh
# Fails when an executable imports a DLL that does not ship with Windows.
# Further arguments name more system DLLs that this executable may import.
objdump=$1
exe=$2
shift 2
allowed="KERNEL32.dll USER32.dll GDI32.dll WINMM.dll SHELL32.dll COMDLG32.dll COMCTL32.dll ADVAPI32.dll msvcrt.dll $*"
# The editor also decodes pictures with GDI+, part of Windows since XP; the
# player, which runs from the disc on any PC, does without it.
case "$(basename "$exe" | tr A-Z a-z)" in
tlkedit.exe) allowed="$allowed gdiplus.dll" ;;
esac
dlls=$("$objdump" -p "$exe" | sed -n 's/.*DLL Name: //p')
[ -n "$dlls" ] || { echo "no imports found in $exe"; exit 1; }
status=0
for d in $dlls; do
    ok=no
    for a in $allowed; do
        if [ "$(echo "$d" | tr a-z A-Z)" = "$(echo "$a" | tr a-z A-Z)" ]; then ok=yes; fi
    done
    echo "$d: $ok"
    [ $ok = yes ] || status=1
done
exit $status
