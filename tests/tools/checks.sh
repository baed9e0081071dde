# Check helpers for the shell tests of this folder (sourced): each check prints "ok: ..." or
# "FAILED: ...", and `failures` counts the failed ones.
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check() {  # <description> <command...>: the command must succeed
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else fail "$what"; fi
}
check_not() {  # <description> <command...>: the command must fail
  local what=$1; shift
  if "$@"; then fail "$what"; else echo "ok: $what"; fi
}
# Waits, bounded, until the command succeeds; false when it never did.
wait_for() {  # <seconds> <command...>
  local until=$((SECONDS + $1)); shift
  while ! "$@"; do
    [ $SECONDS -ge $until ] && return 1
    sleep 0.5
  done
}
