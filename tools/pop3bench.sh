#!/usr/bin/env bash
# Measures Pellaro's POP3 checks under Wine: 1, 10 and 100 mailboxes checked at once against
# a Dovecot on 127.0.0.1 (started and stopped here with the tests' fixture script), then 100
# at once against a slow server that waits two seconds before each answer. Prints wall time
# and the process CPU time of each run. Runs as root (Dovecot's folders are chowned).
#   tools/pop3bench.sh [windows build tree]        default: build/win
# The port of the Dovecot is PELLARO_BENCH_PORT, default 21120.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd) || exit 1
exe=$build/tools/pop3bench.exe
port=${PELLARO_BENCH_PORT:-21120}
dir=$build/tools/pop3bench-dovecot
fixture=$root/tests/mail/dovecot/dovecot-fixture.sh

if [ ! -f "$exe" ]; then
  echo "$exe is missing: cmake --build $build --target pop3bench" >&2
  exit 1
fi
bash "$fixture" start "$dir" "$port" || exit 1
trap 'bash "$fixture" stop "$dir" "$port"' EXIT

status=0
echo "== Dovecot on 127.0.0.1:$port, mailbox of 3 messages"
"$root/scripts/wine-run.sh" "$exe" check 127.0.0.1 "$port" three secret 1 10 100 || status=1
echo "== Slow server: two seconds before each answer"
"$root/scripts/wine-run.sh" "$exe" slow 100 2000 || status=1
exit $status
