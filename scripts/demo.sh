#!/usr/bin/env bash
# Pellaro's demo: a local mail server, Pellaro watching two of its mailboxes, and new mail
# arriving now and then. Started by `bash scripts/run.sh --demo` (or this script alone).
#
#  - Dovecot on port 110 of a loopback address of its own (PELLARO_DEMO_ADDRESS, default
#    127.0.0.60), with the mailboxes "one" (1 message) and "three" (3 messages), password
#    "secret" (tests/mail/dovecot/dovecot-fixture.sh; runs as root). Its folders and log are
#    in build/demo/dovecot.
#  - Pellaro under Wine with a prefix of its own, build/demo/wineprefix, whose user folders
#    lie in build/demo/home: your own settings file is never read or written. Its settings
#    file names both mailboxes and checks every minute; the first check runs at start-up.
#  - Every PELLARO_DEMO_INTERVAL seconds (default 30) a new message lands in "one", and the
#    next check announces it: the envelope icon and its menu, and the notification box.
# Ctrl+C (or Exit in Pellaro's tray menu) ends everything the demo started. Without a
# display it runs on an Xvfb screen of its own, which you can look at with a VNC viewer or
# the screenshots of scripts/screenshots.sh.
# PELLARO_BUILD_DIR chooses the Windows build tree (default build/win), PELLARO_DEMO_DIR the
# demo's folder; PELLARO_DEMO_NO_BUILD=1 uses the programs already built there;
# PELLARO_DEMO_LANGUAGE=hu starts Pellaro in Hungarian; PELLARO_DEMO_DPI=144 shows it on a
# display of 144 dpi (150 %; 120 is 125 %, 192 is 200 %; 96, 100 %, when not set).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${PELLARO_JOBS:-$(nproc)}
build_dir=${PELLARO_BUILD_DIR:-$root/build/win}
demo_dir=${PELLARO_DEMO_DIR:-$root/build/demo}
interval=${PELLARO_DEMO_INTERVAL:-30}
address=${PELLARO_DEMO_ADDRESS:-127.0.0.60}
fixture="$root/tests/mail/dovecot/dovecot-fixture.sh"
case "$interval" in
  ''|*[!0-9]*|0) echo "PELLARO_DEMO_INTERVAL must be a whole number of seconds above 0" >&2; exit 2 ;;
esac

if [ "${PELLARO_DEMO_NO_BUILD:-0}" != 1 ]; then
  bash "$root/scripts/install-deps.sh"
  cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build_dir" -j "$jobs" --target Pellaro settingswriter
fi
program="$build_dir/Pellaro.exe"
writer="$build_dir/tools/settingswriter.exe"
for file in "$program" "$writer"; do
  [ -f "$file" ] || { echo "$file is missing: build the Windows configuration first" >&2; exit 1; }
done

source "$root/scripts/wine-sandbox.sh" "$demo_dir"
mail_dir="$demo_dir/dovecot"
xvfb_pid=""
pellaro_pid=""
server_started=0

stop_all() {
  trap - INT TERM EXIT
  echo
  echo "Stopping the demo."
  # Only the processes of the demo's own Wine prefix: Pellaro and Wine's helpers.
  [ -n "$pellaro_pid" ] && wineserver -k >/dev/null 2>&1 || true
  [ -n "$pellaro_pid" ] && wait "$pellaro_pid" 2>/dev/null || true
  [ $server_started -eq 1 ] && bash "$fixture" stop "$mail_dir" 110 "$address" || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap 'stop_all; exit 130' INT
trap 'stop_all; exit 143' TERM
trap 'stop_all' EXIT

if [ -z "${DISPLAY:-}" ]; then
  display=90
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  echo "No display: Pellaro runs on the Xvfb screen $DISPLAY."
fi

echo "Starting the demo mail server on $address:110."
bash "$fixture" start "$mail_dir" 110 "$address" >/dev/null
server_started=1

# Delivers one message into a mailbox of the demo server, the way a mail server would: written
# in tmp/, then moved into new/.
delivered=0
deliver() {  # <user>
  local box="$mail_dir/mail/$1" name
  delivered=$((delivered + 1))
  name="$(date +%s).M${delivered}P$$.pellaro-demo"
  printf 'From: Pellaro demo <demo@example.invalid>\r\nTo: %s@example.invalid\r\nSubject: Demo message %s\r\nDate: %s\r\n\r\nNew mail number %s from the Pellaro demo.\r\n' \
    "$1" "$delivered" "$(LC_ALL=C date -R)" "$delivered" >"$box/tmp/$name"
  chown dovecot:dovecot "$box/tmp/$name"
  mv "$box/tmp/$name" "$box/new/$name"
  echo "$(date +%T) delivered demo message $delivered to the mailbox \"$1\""
}

if [ ! -f "$WINEPREFIX/.pellaro-ready" ]; then
  echo "Making the demo's Wine prefix $WINEPREFIX (once)."
fi
# The settings: both mailboxes, a check every minute (the shortest interval).
language=()
[ "${PELLARO_DEMO_LANGUAGE:-en}" = hu ] && language=(--hungarian)
write_settings() {
  bash "$root/scripts/wine-run.sh" "$writer" --interval 0 "${language[@]}" \
    --mailbox one "$address" secret --mailbox three "$address" secret
}
# A Wine prefix that has only just been made may still be settling (its wineserver ending, a
# late update of the prefix): a writer that fails then is given one more try once Wine is
# idle, and a second failure is said, with its exit code, before the demo ends.
written=$(write_settings) || {
  echo "The settings writer ended with $?; trying once more when Wine is idle."
  wineserver -w >/dev/null 2>&1 || true
  written=$(write_settings) || {
    status=$?
    echo "Could not write the demo's settings file (the settings writer ended with $status): $written" >&2
    exit 1
  }
}
echo "Settings file: $(readlink -f "$WINEPREFIX/drive_c/users/$(id -un)/Documents")/.Pellaro.ini"
# The display's dpi, which Wine reads from the prefix's registry when Pellaro starts.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${PELLARO_DEMO_DPI:-96}" \
  /f >/dev/null 2>&1 || echo "Could not set the display's dpi to ${PELLARO_DEMO_DPI:-96}." >&2

(cd "$demo_dir" && exec wine "$program" </dev/null >"$demo_dir/wine.log" 2>&1) &
pellaro_pid=$!
echo "Pellaro runs (its first check is at start-up, then one a minute)."
echo "A new message arrives in \"one\" every $interval s. Ctrl+C ends the demo."

next=$((SECONDS + interval))
while kill -0 "$pellaro_pid" 2>/dev/null; do
  if [ $SECONDS -ge $next ]; then
    deliver one
    next=$((SECONDS + interval))
  fi
  sleep 1 &
  wait $! || true
done
echo "Pellaro has ended."
