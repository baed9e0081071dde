#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, AddressSanitizer and UndefinedBehaviorSanitizer) in a
# build tree of their own and runs each for a bounded time, then prints what each did:
# executions, executions per second, coverage (edges) and features, and the corpus size.
#   scripts/fuzz.sh [-t SECONDS] [HARNESS...]
# -t is the time per harness (default 30). HARNESS names are the parts after "fuzz_"
# (pop3_dialogue, settings_codec, ...); without names every built harness runs.
# The seed corpora live in tests/fuzz/corpus/<harness>/; what the fuzzer adds goes to
# <build>/corpus/<harness>/, and an input that breaks a rule to <build>/artifacts/.
# Build tree: $PELLARO_FUZZ_BUILD, default build/fuzz. Exits non-zero when a harness fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PELLARO_FUZZ_BUILD:-$root/build/fuzz}
seconds=30
if [ "${1:-}" = "-t" ]; then
  seconds=$2
  shift 2
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPELLARO_FUZZ=ON -DPELLARO_TESTS=OFF >/dev/null || exit 1
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for dir in "$root"/tests/fuzz/corpus/*/; do
    name=$(basename "$dir")
    # A harness whose library is not in the tree yet has no build rule.
    if grep -q "^fuzz_$name:" "$build/Makefile" 2>/dev/null; then
      harnesses+=("$name")
    fi
  done
fi
targets=()
for h in "${harnesses[@]}"; do targets+=("fuzz_$h"); done
cmake --build "$build" -j "${PELLARO_JOBS:-$(nproc)}" --target "${targets[@]}" >/dev/null || {
  cmake --build "$build" -j 1 --target "${targets[@]}" 2>&1 | tail -30
  exit 1
}

status=0
mkdir -p "$build/artifacts"
printf '%-16s %10s %8s %6s %7s %7s  %s\n' harness runs exec/s cov features corpus result
for h in "${harnesses[@]}"; do
  program="$build/tests/fuzz/fuzz_$h"
  work="$build/corpus/$h"
  mkdir -p "$work"
  log="$build/artifacts/$h.log"
  # -timeout: one input taking longer than 10 s is a hang and counts as a failure.
  "$program" "$work" "$root/tests/fuzz/corpus/$h" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/artifacts/$h-" \
    >"$log" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  last=$(grep -E '^#[0-9]+' "$log" | tail -1)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  corp=$(sed -n 's/.* corp: \([0-9]*\/[0-9a-zA-Z]*\).*/\1/p' <<<"$last")
  word=ok
  if [ $result -ne 0 ]; then
    word="FAILED (exit $result), see $log"
    status=1
  fi
  printf '%-16s %10s %8s %6s %7s %7s  %s\n' "$h" "${runs:-?}" "${rate:-?}" "${cov:-?}" \
    "${ft:-?}" "${corp:-?}" "$word"
  if [ $result -ne 0 ]; then
    grep -E 'broken rule|ERROR|SUMMARY|Test unit written' "$log" | head -8 | sed 's/^/    /'
  fi
done
exit $status
