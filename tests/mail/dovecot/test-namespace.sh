#!/usr/bin/env bash
# Runs a command (a test program under Wine) in a mount namespace of its own, where two
# host files differ from the machine's, so that nothing else sees the change:
# - the certificate bundle also holds the test authority of this run. Wine builds its
#   "Root" store from the host's bundle when a program starts and keeps nothing added to
#   that store, so this is how a Wine program is made to trust an authority;
# - /etc/hosts also names pellaro-dual.test, with two addresses: ::1 first, then 127.0.0.1.
#   Wine resolves names through the host and ignores the prefix's own hosts file.
#   test-namespace.sh <authority.pem> <command...>
# Needs root (as the Dovecot fixture does) and unshare(1). Fails - never skips - without.
set -u
authority=${1:-}
shift || true
bundle=/etc/ssl/certs/ca-certificates.crt
hosts=/etc/hosts
if [ -z "$authority" ] || [ $# -eq 0 ]; then
  echo "usage: $0 <authority.pem> <command...>" >&2
  exit 2
fi
if [ ! -f "$authority" ] || [ ! -f "$bundle" ] || [ ! -f "$hosts" ]; then
  echo "missing $authority, $bundle or $hosts" >&2
  exit 1
fi
if ! command -v unshare >/dev/null 2>&1; then
  echo "unshare is not installed (util-linux)" >&2
  exit 1
fi
bundleCopy=$(mktemp "${TMPDIR:-/tmp}/pellaro-bundle.XXXXXX") || exit 1
hostsCopy=$(mktemp "${TMPDIR:-/tmp}/pellaro-hosts.XXXXXX") || { rm -f "$bundleCopy"; exit 1; }
trap 'rm -f "$bundleCopy" "$hostsCopy"' EXIT
cat "$bundle" "$authority" >"$bundleCopy"
{ cat "$hosts"; printf '::1 pellaro-dual.test\n127.0.0.1 pellaro-dual.test\n'; } >"$hostsCopy"
chmod 644 "$bundleCopy" "$hostsCopy"
unshare --mount --propagation private -- \
  sh -c 'mount --bind "$1" "$2" && mount --bind "$3" "$4" || exit 1; shift 4; exec "$@"' \
  sh "$bundleCopy" "$bundle" "$hostsCopy" "$hosts" "$@"
