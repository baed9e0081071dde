#!/usr/bin/env bash
# Runs a command with PELLARO_SMALL_DISK naming (as a Wine path) a folder on a fresh 256 KiB
# file system, which is removed afterwards. Making one needs root (a tmpfs mount); without it
# the command runs without the variable and the tests that need it say they were skipped.
#   small-disk.sh <command> [arguments...]
set -u
mnt=$(mktemp -d "${TMPDIR:-/tmp}/pellaro-small-disk.XXXXXX") || exit 1
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=256k,mode=0777 pellaro-small "$mnt" 2>/dev/null; then
  export PELLARO_SMALL_DISK="Z:${mnt//\//\\}"
  "$@"
  status=$?
  umount "$mnt"
else
  echo "small-disk.sh: cannot mount a small file system here (not root, or mount refused)" >&2
  "$@"
  status=$?
fi
rmdir "$mnt"
exit $status
