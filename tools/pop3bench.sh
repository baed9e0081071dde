#!/usr/bin/env bash
# Measures Pellaro's POP3 checks under Wine: 1, 10 and 100 mailboxes checked at once against
# a Dovecot on 127.0.0.1 (started and stopped here with the tests' fixture script), then 100
# at once against a slow server that waits two seconds before each answer. Prints wall time
# and the process CPU time of each run. Then network latency: a delay relay
# (pop3bench/delay_relay.py) holds every chunk PELLARO_BENCH_DELAY ms (default 25) in each
# direction in front of the Dovecot, and 1 and 100 checks at once run through it, by
# Pellaro and by a plain threaded Python client for comparison (PELLARO_BENCH_ROUNDS rounds,
# default 5, medians). Runs as root (Dovecot's folders are chowned).
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

delay=${PELLARO_BENCH_DELAY:-25}
rounds=${PELLARO_BENCH_ROUNDS:-5}
relayPid=
trap 'bash "$fixture" stop "$dir" "$port"; [ -n "$relayPid" ] && kill "$relayPid" 2>/dev/null' EXIT

status=0
echo "== Dovecot on 127.0.0.1:$port, mailbox of 3 messages"
"$root/scripts/wine-run.sh" "$exe" check 127.0.0.1 "$port" three secret 1 10 100 || status=1
echo "== Slow server: two seconds before each answer"
"$root/scripts/wine-run.sh" "$exe" slow 100 2000 || status=1

# From here on the Dovecot keeps its POP3 processes for the next login instead of starting
# one per login: 100 logins at once would otherwise measure the server's process starts (on
# a machine of two cores, more than the network) rather than the client.
cat >>"$dir/dovecot.conf" <<'CONF'
service pop3 {
  service_count = 0
  process_min_avail = 100
}
service pop3-login {
  service_count = 0
  client_limit = 1000
}
CONF
doveadm -c "$dir/dovecot.conf" reload && sleep 2
echo "== Where a check's CPU time goes (no delay)"
"$root/scripts/wine-run.sh" "$exe" cpu 127.0.0.1 "$port" three secret 300 || status=1

# The relay listens on a port the system picks (the Dovecot fixture uses the ports after its
# own for its secured listeners).
ready=$(mktemp)
python3 "$root/tools/pop3bench/delay_relay.py" 0 "$port" "$delay" >"$ready" &
relayPid=$!
for _ in $(seq 100); do grep -q ready "$ready" && break; sleep 0.1; done
relayPort=$(sed -n 's/^ready //p' "$ready")
rm -f "$ready"
if [ -z "$relayPort" ]; then
  echo "the delay relay did not start" >&2
  exit 1
fi
echo "== Latency: $delay ms each way through a delay relay on 127.0.0.1:$relayPort"
"$root/scripts/wine-run.sh" "$exe" latency 127.0.0.1 "$relayPort" three secret "$delay" "$rounds" || status=1
python3 "$root/tools/pop3bench/reference_client.py" "$relayPort" three secret "$delay" "$rounds" || status=1
exit $status
