#!/usr/bin/env bash
# Runs a command (a test program under Wine) that trusts the test authority of this run,
# and nothing else does: in a mount namespace of its own, the host's certificate bundle is
# replaced by a copy with the authority added. Wine builds its "Root" store from the
# host's bundle when a program starts and keeps no additions made to that store, so this
# is how a Wine program is made to trust an authority; other processes see no change.
#   with-test-authority.sh <authority.pem> <command...>
# Needs root (as the Dovecot fixture does) and unshare(1). Fails - never skips - without.
set -u
authority=${1:-}
shift || true
bundle=/etc/ssl/certs/ca-certificates.crt
if [ -z "$authority" ] || [ $# -eq 0 ]; then
  echo "usage: $0 <authority.pem> <command...>" >&2
  exit 2
fi
if [ ! -f "$authority" ] || [ ! -f "$bundle" ]; then
  echo "missing $authority or $bundle" >&2
  exit 1
fi
if ! command -v unshare >/dev/null 2>&1; then
  echo "unshare is not installed (util-linux)" >&2
  exit 1
fi
copy=$(mktemp "${TMPDIR:-/tmp}/pellaro-bundle.XXXXXX") || exit 1
trap 'rm -f "$copy"' EXIT
cat "$bundle" "$authority" >"$copy"
chmod 644 "$copy"
unshare --mount --propagation private -- \
  sh -c 'mount --bind "$1" "$2" || exit 1; shift 2; exec "$@"' sh "$copy" "$bundle" "$@"
