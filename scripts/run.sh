#!/usr/bin/env bash
# Builds Pellaro.exe and runs it under Wine.
#
# On a fresh Debian 12 machine it first installs what it needs (the build and Wine packages
# of scripts/install-deps.sh; without a display also ImageMagick for the screenshot). It
# builds the Windows configuration in build/win (only the Pellaro target) and starts
# build/win/Pellaro.exe with a Wine prefix of its own, build/run/wineprefix, so the settings
# file it keeps is separate from the tests' prefixes:
#     build/run/wineprefix/drive_c/users/<user>/Documents/.Pellaro.ini
#
# With a display (DISPLAY set) Pellaro runs on it until you choose Exit in its tray menu.
# Without one it runs inside Xvfb: once its window is up the script saves a screenshot of
# the whole screen to build/run/pellaro-startup.png, says so, and ends Pellaro again.
# PELLARO_RUN_SECONDS=N keeps it running N more seconds before that end.
#
# `bash scripts/run.sh --demo` runs the demo instead (scripts/demo.sh): a local mail server,
# Pellaro watching two of its mailboxes, and new mail every 30 seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = "--demo" ]; then
  shift
  exec bash "$root/scripts/demo.sh" "$@"
fi
jobs=${PELLARO_JOBS:-$(nproc)}
# The build tree and the run folder; other places only for trying the script itself.
build_dir=${PELLARO_BUILD_DIR:-$root/build/win}
run_dir=${PELLARO_RUN_DIR:-$root/build/run}

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

bash "$root/scripts/install-deps.sh"
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
[ $headless -eq 1 ] && install_missing imagemagick x11-utils

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build_dir" -j "$jobs" --target Pellaro
exe="$build_dir/Pellaro.exe"

mkdir -p "$run_dir"
export WINEPREFIX="$run_dir/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree=;mshtml="

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

if [ $headless -eq 1 ]; then
  # A display of our own: the first free number from 90 on.
  display=90
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  trap cleanup EXIT
  for _ in $(seq 1 100); do
    xwininfo -root >/dev/null 2>&1 && break
    sleep 0.1
  done
fi

if [ ! -f "$WINEPREFIX/.pellaro-ready" ]; then
  echo "Making the Wine prefix $WINEPREFIX (once)"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  touch "$WINEPREFIX/.pellaro-ready"
fi
documents="$WINEPREFIX/drive_c/users/$(id -un)/Documents"
echo "Settings file: $documents/.Pellaro.ini"

if [ $headless -eq 0 ]; then
  echo "Starting Pellaro on $DISPLAY; it lives in the tray (Exit in its menu ends it)."
  exec wine "$exe"
fi

wine "$exe" >"$run_dir/wine.log" 2>&1 &
pellaro_pid=$!
# Start-up is over when the main window or the user's guide is on the screen.
up=0
for _ in $(seq 1 600); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Pellaro"\|"User.s Guide"\|"Haszn'; then
    up=1
    break
  fi
  kill -0 "$pellaro_pid" 2>/dev/null || break
  sleep 0.1
done
if [ $up -eq 0 ]; then
  echo "Pellaro did not show a window; Wine's output is in $run_dir/wine.log" >&2
  exit 1
fi
sleep 2  # let every window finish painting
shot="$run_dir/pellaro-startup.png"
import_cmd=/usr/bin/import
[ -x "$import_cmd" ] || import_cmd=import
"$import_cmd" -display "$DISPLAY" -window root "$shot"
echo "Screenshot after start-up: $shot"
if [ -n "${PELLARO_RUN_SECONDS:-}" ]; then
  echo "Pellaro keeps running for $PELLARO_RUN_SECONDS s"
  sleep "$PELLARO_RUN_SECONDS"
fi
echo "No display to work on: ending Pellaro."
