#!/usr/bin/env bash
# Installs, on Debian 12, the packages that building and testing Pellaro need. Packages
# already present are left alone; apt-get runs only when something is missing.
set -euo pipefail
packages=(
  cmake make g++ googletest
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  wine wine64 xvfb xauth
  dovecot-core dovecot-pop3d
  openssl
  nsis zip unzip x11-utils binutils-mingw-w64-x86-64
  python3-yaml python3-jsonschema
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
