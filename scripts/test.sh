#!/usr/bin/env bash
# The one test command: installs what is needed, builds the host configuration (portable
# code under AddressSanitizer and UndefinedBehaviorSanitizer) and the Windows configuration
# (mingw-w64), then runs every test: natively, and under Wine inside Xvfb.
# Exits non-zero when anything fails. Build trees: build/host and build/win.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${PELLARO_JOBS:-$(nproc)}

# A cheap first step: no source includes a header from a layer above its own.
"$root/scripts/check-layers.sh" || exit 1

"$root/scripts/install-deps.sh" || exit 1

set -e
cmake -S "$root" -B "$root/build/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/host" -j "$jobs"
cmake -S "$root" -B "$root/build/win" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win" -j "$jobs"
set +e

status=0
echo "== Portable tests, native, with sanitizers"
ctest --test-dir "$root/build/host" --output-on-failure -j "$jobs" || status=1
echo "== All tests, Windows build under Wine"
export WINEPREFIX="$root/build/win/wineprefix"
# A Wine session left over from an interrupted run would keep the waits below from ending.
wineserver -k >/dev/null 2>&1 || true
# One Wine session for the whole run: a persistent wineserver does not exit in the gaps
# between tests, so Wine's start-up (wineboot, services) runs once, not again mid-run.
"$root/scripts/wine-run.sh" cmd /c exit >/dev/null 2>&1  # makes the prefix on first use
wineserver -w >/dev/null 2>&1
wineserver -p </dev/null >/dev/null 2>&1
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir "$root/build/win" --output-on-failure -j "$jobs" || status=1
wineserver -k >/dev/null 2>&1 || true

# Fuzzing, a step of its own: every harness for a bounded time (PELLARO_FUZZ_SECONDS, default
# 30) in build/fuzz; scripts/fuzz.sh alone runs them for as long as asked.
echo "== Fuzzing, ${PELLARO_FUZZ_SECONDS:-30} s per harness"
"$root/scripts/fuzz.sh" -t "${PELLARO_FUZZ_SECONDS:-30}" || status=1
exit $status
