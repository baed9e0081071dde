#!/usr/bin/env bash
# Runs a Windows program under Wine on a display of <dpi> dots per inch:
#   scripts/wine-at-dpi.sh <dpi> <program.exe> [arguments...]
# The program runs in the Wine prefix scripts/dpi-prefix.sh makes for that dpi beside the
# program's build tree (the folder holding CMakeCache.txt), through scripts/wine-run.sh,
# with PELLARO_EXPECT_DPI set to the dpi so a test can tell what it runs at. The program's
# exit code is the script's.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
dpi=${1:?usage: wine-at-dpi.sh <dpi> <program.exe> [arguments...]}
shift
dir=$(cd "$(dirname "${1:?no program}")" && pwd)
while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
[ "$dir" = "/" ] && dir="$root/build/win"
prefix=$("$root/scripts/dpi-prefix.sh" "$dpi" "$dir") || exit 1
export WINEPREFIX="$prefix" PELLARO_EXPECT_DPI="$dpi"
exec "$root/scripts/wine-run.sh" "$@"
