#!/usr/bin/env bash
# Makes the certificates of the secured POP3 tests in <dir>: a test authority of this run
# (ca.pem; only the test run's Wine prefix is told to trust it, by the tests themselves)
# and four server certificates with their keys:
#   good      for localhost, 127.0.0.1 and ::1, signed by the test authority
#   wrongname for mail.pellaro-test.invalid only, signed by the test authority
#   expired   for localhost, signed by the test authority, valid only during 2020
#   untrusted for localhost, signed by itself
#   make-test-certificates.sh <dir>
set -eu
dir=$1
mkdir -p "$dir"
cd "$dir"
rm -rf ca-db && mkdir ca-db
: >ca-db/index.txt
echo 1000 >ca-db/serial

cat >ca.cnf <<CONF
[ ca ]
default_ca = test_ca
[ test_ca ]
dir = $dir/ca-db
database = \$dir/index.txt
serial = \$dir/serial
new_certs_dir = \$dir
certificate = $dir/ca.pem
private_key = $dir/ca.key
default_md = sha256
policy = any_name
copy_extensions = none
unique_subject = no
[ any_name ]
commonName = supplied
[ req ]
distinguished_name = req_name
prompt = no
[ req_name ]
CN = Pellaro Test Authority
[ authority ]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[ server_localhost ]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:localhost, IP:127.0.0.1, IP:::1
authorityKeyIdentifier = keyid
[ server_wrongname ]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:mail.pellaro-test.invalid
authorityKeyIdentifier = keyid
[ self_signed ]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment, keyCertSign
extendedKeyUsage = serverAuth
subjectAltName = DNS:localhost, IP:127.0.0.1, IP:::1
CONF

quiet() { "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; "$@"; exit 1; }; }

quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 30 \
  -config ca.cnf -extensions authority -subj "/CN=Pellaro Test Authority"

sign() {  # <name> <common name> <extensions> [start end]
  quiet openssl req -new -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "/CN=$2"
  if [ $# -ge 5 ]; then
    quiet openssl ca -batch -config ca.cnf -extensions "$3" -in "$1.csr" -out "$1.pem" \
      -startdate "$4" -enddate "$5" -notext
  else
    quiet openssl ca -batch -config ca.cnf -extensions "$3" -in "$1.csr" -out "$1.pem" \
      -days 30 -notext
  fi
}
sign good localhost server_localhost
sign wrongname mail.pellaro-test.invalid server_wrongname
sign expired localhost server_localhost 20200101000000Z 20201231000000Z
quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout untrusted.key -out untrusted.pem \
  -days 30 -config ca.cnf -extensions self_signed -subj "/CN=localhost"
# The CA's certificate in DER as well, for the store import of the tests.
quiet openssl x509 -in ca.pem -outform DER -out ca.der
chmod 644 ./*.pem ./*.der
chmod 640 ./*.key
chgrp dovecot ./*.key 2>/dev/null || true
echo "test certificates in $dir"
