#!/usr/bin/env bash
# Starts and ends Pellaro.exe many times under Wine, every other time while its check waits
# on a server that never answers, through the end-to-end test that does it (with its own
# Dovecot on port 110 of the build tree's end-to-end address). Fails when a run does not end
# by itself, ends with another code than 0 (a fault ends a Wine process with its exception
# code) or leaves a tray icon behind. Needs root (Dovecot) and Xvfb.
#   tools/startexit.sh [windows build tree] [runs]       default: build/win, 200
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd) || exit 1
runs=${2:-200}
exe=$build/tests/windows/endtoend_tests.exe
program=$build/Pellaro.exe
address=$(sed -n 's/^PELLARO_E2E_ADDRESS:STRING=//p' "$build/CMakeCache.txt")
dir=$build/tools/startexit-dovecot
fixture=$root/tests/mail/dovecot/dovecot-fixture.sh
if [ ! -f "$exe" ] || [ ! -f "$program" ] || [ -z "$address" ]; then
  echo "build $build first (targets endtoend_tests and Pellaro)" >&2
  exit 1
fi
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
bash "$fixture" start "$dir" 110 "$address" || exit 1
trap 'bash "$fixture" stop "$dir" 110 "$address"' EXIT
export PELLARO_E2E_PROGRAM=$program PELLARO_E2E_SERVER=$address PELLARO_START_EXIT_CYCLES=$runs
cd "$build/tests/windows" || exit 1
xvfb-run -a -s "-screen 0 1024x768x24" \
  "$root/scripts/wine-run.sh" "$exe" --gtest_filter='EndToEnd.StartAndExitManyTimes*'
