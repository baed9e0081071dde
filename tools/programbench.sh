#!/usr/bin/env bash
# The whole-program benchmark (tools/programbench): Pellaro.exe as its own process under
# Wine, beside a minimal tray program and a plain POP3 client, against a Dovecot on port 110
# of a loopback address of its own (the program always speaks to port 110), started and
# stopped here with the tests' fixture script. Runs as root, in a Wine prefix of its own
# (made on first use, then warm), inside Xvfb unless DISPLAY is set. The figures go to the
# standard output.
#   tools/programbench.sh [windows build tree] [checks per figure] [starts]
# The server's address is PELLARO_BENCH_ADDRESS, default 127.0.0.110; the prefix is
# PELLARO_BENCH_PREFIX, default <build tree>/programbench-prefix; the program measured is
# PELLARO_BENCH_PROGRAM, default <build tree>/Pellaro.exe (so that two builds can be
# compared with the same benchmark).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd) || exit 1
checks=${2:-5}
starts=${3:-5}
address=${PELLARO_BENCH_ADDRESS:-127.0.0.110}
exe=$build/tools/programbench.exe
program=${PELLARO_BENCH_PROGRAM:-$build/Pellaro.exe}
dir=$build/tools/programbench-dovecot
fixture=$root/tests/mail/dovecot/dovecot-fixture.sh
export WINEPREFIX=${PELLARO_BENCH_PREFIX:-$build/programbench-prefix}

for file in "$exe" "$program"; do
  if [ ! -f "$file" ]; then
    echo "$file is missing: cmake --build $build --target programbench Pellaro" >&2
    exit 1
  fi
done
bash "$fixture" start "$dir" 110 "$address" || exit 1
trap 'bash "$fixture" stop "$dir" 110 "$address"' EXIT
run=("$root/scripts/wine-run.sh" "$exe" "$program" "$address" "$checks" "$starts")
if [ -n "${DISPLAY:-}" ]; then
  "${run[@]}"
else
  xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}"
fi
