#!/usr/bin/env bash
# Starts or stops a POP3-only Dovecot on 127.0.0.1 for the mail tests, with its own
# configuration, users and maildirs in <dir> (a folder of the build tree). Runs as root.
# On 127.0.0.1 (no <address> given) it also offers STLS on <port> and POP3S on <port>+1,
# on further loopback addresses and on ::1, with certificates made in <dir>/certs (see
# dovecot-secure.conf.in).
#   dovecot-fixture.sh start <dir> <port> [<address>]
#   dovecot-fixture.sh stop  <dir> <port> [<address>]
# <address> is another loopback address to listen on instead of 127.0.0.1 (the program
# itself always speaks to port 110, so its tests use 110 on an address of their own).
# Test users (password "secret" for each): empty (0 messages), one (1), three (3),
# many (250). Fails - never skips - when Dovecot is not installed.
set -u
action=${1:-}
dir=${2:-}
port=${3:-}
address=${4:-127.0.0.1}
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "$action" ] || [ -z "$dir" ] || [ -z "$port" ]; then
  echo "usage: $0 start|stop <dir> <port>" >&2
  exit 2
fi

# True when something accepts connections on the port and greets like a POP3 server.
greets() {
  local line=""
  exec 3<>"/dev/tcp/$address/$port" 2>/dev/null || return 1
  IFS= read -r -t 2 line <&3 || true
  exec 3>&- 3<&-
  case "$line" in "+OK"*) return 0 ;; *) return 1 ;; esac
}

accepts() {
  (exec 3<>"/dev/tcp/$address/$port") 2>/dev/null
}

stop_server() {
  if [ -f "$dir/dovecot.conf" ] && [ -f "$dir/run/master.pid" ]; then
    doveadm -c "$dir/dovecot.conf" stop </dev/null >/dev/null 2>&1 || true
    # Wait, bounded, until the master process has gone and the port is free.
    for _ in $(seq 1 100); do
      if [ ! -f "$dir/run/master.pid" ] && ! accepts; then
        return 0
      fi
      sleep 0.1
    done
    echo "dovecot in $dir did not stop" >&2
    return 1
  fi
  return 0
}

make_message() {  # <file> <number>
  printf 'From: sender@example.invalid\r\nTo: user@example.invalid\r\nSubject: Test message %s\r\nDate: Mon, 7 Dec 2026 08:00:00 +0000\r\n\r\nBody of test message %s.\r\n' \
    "$2" "$2" >"$1"
}

make_mailbox() {  # <user> <count>
  local box="$dir/mail/$1"
  mkdir -p "$box/cur" "$box/new" "$box/tmp" "$dir/home/$1"
  for i in $(seq 1 "$2"); do
    # Delivered and already seen by a mail client once (cur/, no flags), so a login does
    # not have to move every file first.
    make_message "$box/cur/1796630400.M${i}P1.pellaro:2," "$i"
  done
  echo "$1:{PLAIN}secret" >>"$dir/users"
}

case "$action" in
start)
  if ! command -v dovecot >/dev/null 2>&1 || ! command -v doveadm >/dev/null 2>&1; then
    echo "Dovecot is not installed (scripts/install-deps.sh installs dovecot-core and dovecot-pop3d)" >&2
    exit 1
  fi
  if ! id dovecot >/dev/null 2>&1 || ! id dovenull >/dev/null 2>&1; then
    echo "the system users dovecot and dovenull are missing" >&2
    exit 1
  fi
  stop_server || exit 1
  if accepts; then
    echo "port $port on $address is already in use" >&2
    exit 1
  fi
  rm -rf "$dir"
  mkdir -p "$dir/run" "$dir/state" "$dir/mail" "$dir/home" || exit 1
  sed -e "s|@ROOT@|$dir|g" -e "s|@PORT@|$port|g" -e "s|127\.0\.0\.1|$address|g" \
    "$here/dovecot-loopback.conf.in" >"$dir/dovecot.conf"
  if [ "$address" = 127.0.0.1 ]; then
    # The mail tests' own server also speaks TLS, STLS and IPv6.
    bash "$here/make-test-certificates.sh" "$dir/certs" >/dev/null || exit 1
    sed -e "s|@ROOT@|$dir|g" -e "s|@PORT@|$port|g" -e "s|@TLSPORT@|$((port + 1))|g" \
      "$here/dovecot-secure.conf.in" >>"$dir/dovecot.conf"
  fi
  : >"$dir/users"
  make_mailbox empty 0
  make_mailbox one 1
  make_mailbox three 3
  make_mailbox many 250
  chmod 644 "$dir/users"
  chown -R dovecot:dovecot "$dir/mail" "$dir/home" || exit 1
  # The daemon must not hold on to the caller's output: ctest waits for it to close.
  if ! dovecot -c "$dir/dovecot.conf" </dev/null >>"$dir/dovecot-start.log" 2>&1; then
    echo "dovecot did not start:" >&2
    cat "$dir/dovecot-start.log" >&2
    exit 1
  fi
  # Wait, bounded, until the POP3 service greets.
  for _ in $(seq 1 150); do
    if greets; then
      echo "dovecot listens on $address:$port"
      exit 0
    fi
    sleep 0.1
  done
  echo "dovecot did not answer on $address:$port" >&2
  tail -n 20 "$dir/dovecot.log" >&2 2>/dev/null
  stop_server
  exit 1
  ;;
stop)
  stop_server
  ;;
*)
  echo "usage: $0 start|stop <dir> <port>" >&2
  exit 2
  ;;
esac
