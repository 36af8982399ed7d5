#!/bin/sh
# Fails unless each executable is a Windows GUI program of the architecture.
#   check_pe.sh <objdump> <i686|x86_64> <exe>...
objdump=$1
arch=$2
shift 2
case $arch in
i686) format=pei-i386 magic=PE32 ;;
x86_64) format=pei-x86-64 magic=PE32+ ;;
*) echo "unknown architecture $arch"; exit 1 ;;
esac
status=0
for exe in "$@"; do
    info=$("$objdump" -p "$exe" 2>&1)
    if echo "$info" | grep -q "file format $format\$" &&
       echo "$info" | grep -q "^Magic.*($magic)" &&
       echo "$info" | grep -q "^Subsystem.*(Windows GUI)"; then
        echo "$(basename "$exe"): $arch Windows GUI program"
    else
        echo "$(basename "$exe"): NOT a $arch Windows GUI program"
        echo "$info" | grep -E "file format|^Magic|^Subsystem"
        status=1
    fi
done
exit $status
