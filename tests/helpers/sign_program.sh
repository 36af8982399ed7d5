#!/bin/sh
# sign_program.sh IN OUT: OUT is IN with an Authenticode signature of a
# certificate made for the purpose, for the tests that tell signed programs
# from unsigned ones (the signature need not check, only be there).
set -eu
in=$1
out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 30 \
    -subj "/CN=Test program signer" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
rm -f "$out"
osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -h sha256 -in "$in" -out "$out" >/dev/null
