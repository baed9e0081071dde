#!/usr/bin/env bash
# Prints the file version of a Windows program from its version record, as a.b.c.d:
#   tools/installer/exe-version.sh <program.exe>
# The record's fixed part (VS_FIXEDFILEINFO) begins with the signature FEEF04BD and the
# structure version 1.0; the file version follows as two 32-bit numbers, high parts first.
# Fails when the program has no version record.
set -euo pipefail
exe=${1:?usage: exe-version.sh <program.exe>}
offset=$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe\x00\x00\x01\x00' "$exe" | head -n 1 | cut -d: -f1)
if [ -z "$offset" ]; then
  echo "$exe has no version record" >&2
  exit 1
fi
read -r ms ls < <(od --endian=little -An -tu4 -j $((offset + 8)) -N 8 "$exe")
echo "$((ms >> 16)).$((ms & 65535)).$((ls >> 16)).$((ls & 65535))"
