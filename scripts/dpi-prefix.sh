#!/usr/bin/env bash
# Makes (once) a Wine prefix whose display has <dpi> dots per inch and prints its path:
#   scripts/dpi-prefix.sh <dpi> [<build tree>]
# The prefix is <build tree>/wineprefix-dpi<dpi> (build/win by default); the dpi is the
# display's LogPixels value in the prefix's registry (HKCU\Control Panel\Desktop), which
# Wine reads when a program starts: 96 is 100 %, 120 is 125 %, 144 is 150 %, 192 is 200 %.
# Wine gives every window that dpi. Safe to run from several tests at once: a lock keeps a
# second caller waiting until the prefix is ready.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dpi=${1:?usage: dpi-prefix.sh <dpi> [<build tree>]}
case "$dpi" in ''|*[!0-9]*) echo "dpi-prefix.sh: not a dpi: $dpi" >&2; exit 2 ;; esac
tree=${2:-$root/build/win}
prefix="$tree/wineprefix-dpi$dpi"
mkdir -p "$prefix"
(
  flock 9
  if [ ! -f "$prefix/.pellaro-dpi" ] || [ "$(cat "$prefix/.pellaro-dpi")" != "$dpi" ]; then
    export WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=win64
    # wine-run.sh makes the prefix on first use; then the dpi goes into its registry.
    "$root/scripts/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1 || true
    echo "$dpi" >"$prefix/.pellaro-dpi"
  fi
) 9>"$prefix.dpi-lock"
echo "$prefix"
