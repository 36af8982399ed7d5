#!/bin/bash
# The architecture the scripts build and test, from what TLK_ARCH asks and
# what the probe found: both kinds of machine are covered here, whichever
# kind runs the test.
#   test_arch.sh <tools/arch.sh>
set -uo pipefail
source "$1"
tools=$(cd "$(dirname "$1")" && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# requested | probe | printed arch (or "refused")
while IFS='|' read -r requested can32 expected; do
    out=$(tlk_decide_arch "$requested" "$can32" 2>/tmp/arch-err.$$)
    status=$?
    err=$(cat /tmp/arch-err.$$)
    if [ "$expected" = refused ]; then
        [ $status -ne 0 ] || fail "TLK_ARCH='$requested', 32-bit=$can32: accepted as '$out'"
        [ -z "$out" ] || fail "TLK_ARCH='$requested', 32-bit=$can32: printed '$out' on refusal"
        [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] && [ -n "$err" ] ||
            fail "TLK_ARCH='$requested', 32-bit=$can32: refusal is not one line: '$err'"
    else
        [ $status -eq 0 ] && [ "$out" = "$expected" ] ||
            fail "TLK_ARCH='$requested', 32-bit=$can32: got '$out' ($status), want '$expected'"
        [ -z "$err" ] || fail "TLK_ARCH='$requested', 32-bit=$can32: said '$err'"
    fi
done <<'TABLE'
|yes|i686
|no|x86_64
i686|yes|i686
i686|no|refused
x86_64|yes|x86_64
x86_64|no|x86_64
i386|yes|refused
amd64|no|refused
TABLE
rm -f /tmp/arch-err.$$
[[ "$(tlk_decide_arch i686 no 2>&1)" == *"cannot run 32-bit programs"* ]] ||
    fail "the refusal of i686 does not say why"

# The probe answers yes or no, and the same twice.
p1=$(tlk_probe_32bit) p2=$(tlk_probe_32bit)
[ "$p1" = yes ] || [ "$p1" = no ] || fail "probe printed '$p1'"
[ "$p1" = "$p2" ] || fail "probe changed its answer: $p1, then $p2"
echo "this machine runs 32-bit programs: $p1"

# The scripts stop at once on an architecture they cannot build: the same
# path an impossible i686 takes.
out=$(cd /tmp && TLK_ARCH=sparc TLK_ARCH_RESOLVED= bash -c "source '$tools/common.sh'; echo went-on" 2>&1)
[ $? -ne 0 ] || fail "common.sh went on with TLK_ARCH=sparc"
case "$out" in
*went-on*) fail "common.sh went on with TLK_ARCH=sparc" ;;
*"TLK_ARCH=sparc"*) ;;
*) fail "common.sh did not say why: '$out'" ;;
esac
if [ "$p1" = no ]; then
    out=$(cd /tmp && TLK_ARCH=i686 TLK_ARCH_RESOLVED= bash -c "source '$tools/common.sh'; echo went-on" 2>&1)
    [ "$(printf '%s\n' "$out" | wc -l)" = 1 ] && [[ "$out" == *"cannot run 32-bit programs"* ]] ||
        fail "TLK_ARCH=i686 on this machine: '$out'"
fi
[ $failures -eq 0 ] && echo "all architecture choices right"
exit $((failures > 0))
