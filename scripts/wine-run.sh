#!/usr/bin/env bash
# Runs a Windows executable under Wine with a prefix of its own inside the build tree.
# WINEPREFIX may be set by the caller; otherwise the prefix lives beside the executable's
# build tree (found by walking up to the folder holding CMakeCache.txt).
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
      wineboot -i >/dev/null 2>&1
      wineserver -w >/dev/null 2>&1
      touch "$WINEPREFIX/.pellaro-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
