#!/bin/bash
# Signs Windows programs with Authenticode (SHA-256), in place, all or none:
# every program is signed into a copy and checked, and only when all of them
# are good do the copies replace the programs.
#
#   tools/sign.sh <exe>...       sign these programs
#   tools/sign.sh --check        only check the settings and the certificate
#
# Settings, from the environment:
#   TLK_SIGN_PFX             the certificate with its private key (PKCS#12)
#   TLK_SIGN_PASSWORD_FILE   a file holding the PKCS#12 password; the password
#                            is never put on a command line, where others
#                            could read it
#   TLK_SIGN_TIMESTAMP       optional: the address of an RFC 3161 time-stamp
#                            server, so that signatures outlive the certificate
#   TLK_SIGN_CAFILE          optional: more CA certificates (PEM) to check the
#                            signatures against, besides the system's and
#                            those in the PKCS#12 file
#
# Exit codes: 0 signed, 1 failed (nothing changed), 2 wrong command line.
set -euo pipefail
product="TLK Autoplay Varrow"

fail() { echo "sign: $*" >&2; exit 1; }

if [ $# -eq 0 ]; then
    echo "usage: sign.sh <exe>... | --check" >&2
    exit 2
fi
check_only=no
if [ "$1" = "--check" ]; then
    check_only=yes
    shift
fi

pfx=${TLK_SIGN_PFX:-}
pass=${TLK_SIGN_PASSWORD_FILE:-}
[ -n "$pfx" ] || fail "TLK_SIGN_PFX names no certificate"
[ -f "$pfx" ] && [ -r "$pfx" ] || fail "cannot read the certificate file $pfx"
[ -n "$pass" ] || fail "TLK_SIGN_PASSWORD_FILE names no password file"
[ -f "$pass" ] && [ -r "$pass" ] || fail "cannot read the password file $pass"
command -v osslsigncode >/dev/null || fail "osslsigncode is not installed (tools/setup.sh installs it)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The certificates in the file; files from older tools use ciphers that
# OpenSSL 3 keeps in its legacy provider.
read_pfx() {
    openssl pkcs12 -in "$pfx" -passin "file:$pass" -nokeys "$@" 2>/dev/null ||
        openssl pkcs12 -legacy -in "$pfx" -passin "file:$pass" -nokeys "$@" 2>/dev/null
}
read_pfx -out "$work/chain.pem" ||
    fail "cannot open $pfx: the password is wrong or it is not a PKCS#12 file"
read_pfx -clcerts -out "$work/leaf.pem" && grep -q "BEGIN CERTIFICATE" "$work/leaf.pem" ||
    fail "$pfx holds no certificate of its own"
subject=$(openssl x509 -in "$work/leaf.pem" -noout -subject -nameopt oneline | sed 's/^subject= *//')
openssl x509 -in "$work/leaf.pem" -noout -checkend 0 >/dev/null ||
    fail "the certificate ($subject) expired on $(openssl x509 -in "$work/leaf.pem" -noout -enddate | cut -d= -f2)"
not_before=$(openssl x509 -in "$work/leaf.pem" -noout -startdate | cut -d= -f2)
[ "$(date -d "$not_before" +%s)" -le "$(date +%s)" ] ||
    fail "the certificate ($subject) is not valid before $not_before"
# Windows accepts an Authenticode signature only from a certificate meant
# for code signing.
openssl x509 -in "$work/leaf.pem" -noout -ext extendedKeyUsage 2>/dev/null | grep -q "Code Signing" ||
    fail "the certificate ($subject) is not a code-signing certificate (no Code Signing in its extended key usage)"

# What a signature is checked against afterwards.
trust="$work/trust.pem"
cat "$work/chain.pem" >"$trust"
[ -f /etc/ssl/certs/ca-certificates.crt ] && cat /etc/ssl/certs/ca-certificates.crt >>"$trust"
if [ -n "${TLK_SIGN_CAFILE:-}" ]; then
    [ -r "$TLK_SIGN_CAFILE" ] || fail "cannot read TLK_SIGN_CAFILE $TLK_SIGN_CAFILE"
    cat "$TLK_SIGN_CAFILE" >>"$trust"
fi

if [ "$check_only" = yes ]; then
    echo "sign: certificate ready: $subject"
    exit 0
fi

timestamp=()
[ -n "${TLK_SIGN_TIMESTAMP:-}" ] && timestamp=(-ts "$TLK_SIGN_TIMESTAMP")
i=0
for exe in "$@"; do
    [ -f "$exe" ] || fail "no such program: $exe"
    i=$((i + 1))
    out="$work/signed-$i"
    osslsigncode sign -pkcs12 "$pfx" -readpass "$pass" -h sha256 -n "$product" \
        "${timestamp[@]}" -in "$exe" -out "$out" >"$work/log" 2>&1 ||
        fail "signing $exe failed: $(tail -1 "$work/log")"
    osslsigncode verify -CAfile "$trust" -in "$out" >"$work/log" 2>&1 ||
        fail "the signature of $exe does not verify: $(grep -m1 -i "fail\|error" "$work/log" || tail -1 "$work/log")"
done
# All good: now replace the programs.
i=0
for exe in "$@"; do
    i=$((i + 1))
    cat "$work/signed-$i" >"$exe"
    echo "sign: signed $exe"
done
