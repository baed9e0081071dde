#!/usr/bin/env bash
# The demo, run as a newcomer runs it and ended with Ctrl+C:
#   demo-test.sh <Windows build tree> <work folder> <loopback address>
# Starts scripts/demo.sh in a process group of its own (with the programs already built, a
# delivery every second and the demo's folders in the work folder), then checks that
#  - Pellaro's first check - the one at start-up - logs in to both demo mailboxes and sees
#    their messages (the server's log records each session's message count);
#  - new messages arrive in the mailbox "one" and a later check sees them;
#  - the settings file the demo wrote lies inside the demo's folder;
#  - SIGINT to the group (what Ctrl+C sends) ends the script, and no process of the demo's
#    Wine prefix and no demo mail server is left.
# Prints every failed check and exits non-zero when there was one.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -ne 3 ]; then
  echo "usage: $0 <Windows build tree> <work folder> <loopback address>" >&2
  exit 2
fi
build_dir=$1
work=$2
address=$3
source "$here/checks.sh"

rm -rf "$work"
mkdir -p "$work"
demo_dir="$work/demo"
log="$demo_dir/dovecot/dovecot.log"
prefix="$demo_dir/wineprefix"

if [ -z "${DISPLAY:-}" ]; then
  echo "FAILED: no display (run under xvfb-run, as scripts/test.sh does)"
  exit 1
fi
# With job control the demo runs in a process group of its own and, unlike a plain
# background job, does not ignore SIGINT - as in a terminal.
set -m
PELLARO_BUILD_DIR="$build_dir" PELLARO_DEMO_NO_BUILD=1 PELLARO_DEMO_DIR="$demo_dir" \
PELLARO_DEMO_INTERVAL=1 PELLARO_DEMO_ADDRESS="$address" \
  bash "$root/scripts/demo.sh" </dev/null >"$work/demo.log" 2>&1 &
group=$!
set +m

# Message counts of the finished sessions of a mailbox, in order, from the server's log
# ("Logged out top=0/0, retr=0/0, del=0/<messages>, ...").
session_counts() {  # <user>
  grep -o "pop3($1)<[^ ]*: Info: Disconnected: Logged out .*del=0/[0-9]*" "$log" 2>/dev/null |
    sed 's|.*del=0/||'
}
checked_both() { [ -n "$(session_counts one)" ] && [ -n "$(session_counts three)" ]; }
# A later session of "one" that sees more than the first one did.
saw_delivery() {
  local counts
  counts=$(session_counts one)
  [ -n "$counts" ] && [ "$(tail -n 1 <<<"$counts")" -gt "$(head -n 1 <<<"$counts")" ]
}

notification_names() {  # <text>...: a window of the screen has all the texts in its name
  local names
  names=$(xwininfo -root -tree 2>/dev/null | tr '\n' ' ')
  for text in "$@"; do
    [[ $names == *"$text"* ]] || return 1
  done
}

if wait_for 240 checked_both; then
  echo "ok: Pellaro's first check reached both mailboxes"
  first_one=$(session_counts one | head -n 1)
  first_three=$(session_counts three | head -n 1)
  check "the first check sees the message of \"one\" ($first_one)" test "$first_one" -ge 1
  check "the first check sees the three messages of \"three\" ($first_three)" test "$first_three" -eq 3
  check "the first check comes from the demo's address" \
    grep -q "Login: user=<one>, .*lip=$address," "$log"
  # The notification box is a window whose text names each mailbox with new mail.
  check "the notification box announces the mail of both mailboxes" \
    wait_for 30 notification_names "one@$address has " "three@$address has 3 new mails!"
else
  fail "no check of both mailboxes within 240 s; the demo said:"
  cat "$work/demo.log"
fi
check "the demo delivers a new message every second" \
  wait_for 30 grep -q 'delivered demo message 3 to the mailbox "one"' "$work/demo.log"
check "the delivered messages are in the mailbox beside the first one" \
  test "$(find "$demo_dir/dovecot/mail/one/new" "$demo_dir/dovecot/mail/one/cur" -type f | wc -l)" -ge 4
settings=$(find "$demo_dir" -name .Pellaro.ini -print -quit)
check "the demo's settings file lies in the demo's folder ($settings)" test -n "$settings"
# Pellaro checks every minute at the shortest interval: the second check sees the new mail.
check "a later check of \"one\" sees the delivered mail" wait_for 150 saw_delivery

master=$(cat "$demo_dir/dovecot/run/master.pid" 2>/dev/null)
check "the demo's mail server runs" test -n "$master"

# Ctrl+C.
kill -INT -- -"$group" 2>/dev/null
if wait_for 60 bash -c "! kill -0 $group 2>/dev/null"; then
  echo "ok: the demo ends after Ctrl+C"
  wait "$group" 2>/dev/null
else
  fail "the demo still runs 60 s after Ctrl+C"
  kill -TERM -- -"$group" 2>/dev/null
  wait_for 60 bash -c "! kill -0 $group 2>/dev/null" || kill -KILL -- -"$group" 2>/dev/null
fi
wine_processes() {
  grep -lszxF "WINEPREFIX=$prefix" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3
}
check "no process of the demo's Wine prefix is left" wait_for 30 test -z "$(wine_processes)"
# Gone, or a zombie waiting for a parent that is not ours to reap it: either way it serves
# nothing. Dovecot's master takes a moment to end after the stop.
server_gone() {
  [ ! -e "/proc/$master" ] || [ "$(awk '{print $3}' "/proc/$master/stat" 2>/dev/null)" = Z ]
}
check "the demo's mail server has stopped" wait_for 30 server_gone
check "nothing listens on $address:110 any more" bash -c "! (exec 3<>/dev/tcp/$address/110) 2>/dev/null"
check "the demo said it stopped" grep -q "Stopping the demo" "$work/demo.log"

left=$(wine_processes)
if [ -n "$left" ]; then
  kill $left 2>/dev/null
fi
if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed; the demo's output:"
  cat "$work/demo.log"
  exit 1
fi
echo "all demo checks passed"
