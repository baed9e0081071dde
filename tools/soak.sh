#!/usr/bin/env bash
# The soak benchmark: 1000 check cycles of twenty mailboxes in one process under Wine
# (tools/soak), against a Dovecot on 127.0.0.1 (started and stopped here with the tests'
# fixture script) and the soak's own misbehaving servers. Prints GDI and USER objects,
# handles, threads and private memory after cycle 10, 100 and 1000. First the working
# threads and thread manager alone, then Pellaro's main window running the cycles (inside
# Xvfb; under Wine a cycle of it takes seconds, so give it fewer with APP_CYCLES; 0 skips
# a part, THREAD_CYCLES likewise for the first). Fails on an unexpected outcome, a cycle that
# did not end, or a connection that Dovecot saw reset by the client. Runs as root.
#   tools/soak.sh [windows build tree] [cycles]       default: build/win, 1000
# The port of the Dovecot is PELLARO_SOAK_PORT, default 21130.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd) || exit 1
cycles=${2:-1000}
exe=$build/tools/soak.exe
port=${PELLARO_SOAK_PORT:-21130}
dir=$build/tools/soak-dovecot
fixture=$root/tests/mail/dovecot/dovecot-fixture.sh

if [ ! -f "$exe" ]; then
  echo "$exe is missing: cmake --build $build --target soak" >&2
  exit 1
fi
bash "$fixture" start "$dir" "$port" || exit 1
trap 'bash "$fixture" stop "$dir" "$port"' EXIT
# Dovecot's log from here on: a connection the client reset (closed with the server's reply
# unread) is a check that gave up on a healthy server.
logStart=$(wc -l <"$dir/dovecot.log" 2>/dev/null || echo 0)
status=0
if [ "${THREAD_CYCLES:-$cycles}" != 0 ]; then
  echo "== Working threads and thread manager"
  "$root/scripts/wine-run.sh" "$exe" "$port" "${THREAD_CYCLES:-$cycles}" || status=1
fi
if [ "${APP_CYCLES:-$cycles}" != 0 ]; then
  echo "== Pellaro's main window"
  xvfb-run -a -s "-screen 0 1024x768x24" \
    "$root/scripts/wine-run.sh" "$exe" "$port" "${APP_CYCLES:-$cycles}" app || status=1
fi
resets=$(tail -n +"$((logStart + 1))" "$dir/dovecot.log" 2>/dev/null | grep -c "reset by peer")
echo "Dovecot: $resets connection(s) reset by the client"
[ "$resets" -eq 0 ] || status=1
exit $status
