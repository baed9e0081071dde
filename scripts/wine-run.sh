#!/usr/bin/env bash
# Runs a Windows executable under Wine with a prefix of its own inside the build tree.
# WINEPREFIX may be set by the caller; otherwise the prefix lives beside the executable's
# build tree (found by walking up to the folder holding CMakeCache.txt).
#
# The program's output goes through files, not straight to our stdout/stderr: Wine's helper
# processes (wineserver, services.exe, rpcss.exe, winedevice.exe, explorer.exe /desktop ...)
# are started by whichever program first needs them and inherit its stderr. When that is a
# pipe read by ctest, ctest waits for every writer to close it, so the test "runs" until
# those helpers exit - minutes later, or never while other tests keep the Wine session alive.
# Here they inherit files that nobody waits on, and this script returns when the program
# itself exits, with its exit code.
set -u
if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ "$dir" = "/" ] && dir=$(pwd)
  export WINEPREFIX="$dir/wineprefix"
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEARCH=win64
# The first use creates the prefix; a lock keeps parallel tests from creating it twice.
if [ ! -f "$WINEPREFIX/.pellaro-ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.pellaro-ready" ]; then
      wineboot -i </dev/null >/dev/null 2>&1
      wineserver -w >/dev/null 2>&1
      # Wine links the user's folders to the Linux home. The prefix keeps a documents
      # folder of its own, so tests that write the settings file never touch the real
      # user's file, nor another prefix's.
      for profile in "$WINEPREFIX"/drive_c/users/*/; do
        if [ -L "$profile/Documents" ]; then
          rm -f "$profile/Documents"
          mkdir -p "$profile/Documents"
        fi
      done
      touch "$WINEPREFIX/.pellaro-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX") || exit 1
err=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX") || { rm -f "$out"; exit 1; }
wine "$@" >"$out" 2>"$err" &
pid=$!
# A timeout or ^C stops the program, not just this script.
trap 'kill -TERM "$pid" 2>/dev/null' TERM INT HUP
status=0
wait "$pid" || status=$?
# wait returns early (above 128) when a trapped signal arrives; then wait for the real end.
while kill -0 "$pid" 2>/dev/null; do
  wait "$pid"; status=$?
done
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $status
