#!/usr/bin/env bash
# Builds Pellaro's release files into build/dist/:
#   Pellaro-<version>-setup.exe     installer (current user or all users, Start-menu
#                                   shortcut, start at sign-in, uninstaller; English and
#                                   Hungarian)
#   Pellaro-<version>-portable.zip  Pellaro.exe, README.txt and LICENSE.txt
#   Pellaro-<version>.debug         the debug information the released Pellaro.exe lacks
#   SHA256SUMS                      checksums of the three
#   winget/                         winget manifests (version, installer, en-US, hu-HU)
#   scoop/pellaro.json              Scoop manifest of the portable zip
# and prints each file's size. On a fresh Debian 12 machine it first installs what it needs
# (scripts/install-deps.sh, which includes nsis, zip and the mingw-w64 binutils), then builds
# the Pellaro target of the Windows configuration in build/win and packs build/win/Pellaro.exe
# without its debug information (tools/installer/make-dist.sh); build/win/Pellaro.exe stays
# as built. The manifests are checked against the published schemas kept in
# tools/installer/schemas/ (tools/installer/validate-manifests.py).
# PELLARO_BUILD_DIR and PELLARO_DIST_DIR choose other folders; PELLARO_DOWNLOAD_URL and
# PELLARO_HOMEPAGE the addresses the manifests give (tools/installer/make-manifests.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${PELLARO_JOBS:-$(nproc)}
build_dir=${PELLARO_BUILD_DIR:-$root/build/win}
dist_dir=${PELLARO_DIST_DIR:-$root/build/dist}

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build_dir" -j "$jobs" --target Pellaro
bash "$root/tools/installer/make-dist.sh" "$build_dir/Pellaro.exe" "$dist_dir"
python3 "$root/tools/installer/validate-manifests.py" "$root/tools/installer/schemas" "$dist_dir"
