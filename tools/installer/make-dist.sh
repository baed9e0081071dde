#!/usr/bin/env bash
# Makes Pellaro's release files from a built Pellaro.exe:
#   tools/installer/make-dist.sh <Pellaro.exe> <dist folder>
# into the dist folder:
#   Pellaro-<version>-setup.exe     the installer (tools/installer/Pellaro.nsi, makensis)
#   Pellaro-<version>-portable.zip  Pellaro.exe, README.txt and LICENSE.txt
#   SHA256SUMS                      the SHA-256 of every other file in the folder
# The version is the file version in the exe's own version record, so the installer and
# the zip always name the program they carry. Earlier release files in the folder are
# replaced. Needs makensis (Debian's nsis), zip and sha256sum.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -ne 2 ]; then
  echo "usage: $0 <Pellaro.exe> <dist folder>" >&2
  exit 2
fi
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
dist=$2
for tool in makensis zip sha256sum; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
[ -f "$exe" ] || { echo "no program at $exe" >&2; exit 1; }

file_version=$(bash "$here/exe-version.sh" "$exe")
# The version people read: the file version without its trailing zero parts ("2.3.0.0" ->
# "2.3"), but always major.minor.
version=$file_version
while [[ $version == *.*.0 ]]; do version=${version%.0}; done

mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
rm -f "$dist"/Pellaro-*-setup.exe "$dist"/Pellaro-*-portable.zip "$dist/SHA256SUMS"
setup="$dist/Pellaro-$version-setup.exe"
portable="$dist/Pellaro-$version-portable.zip"

# -WX: a warning (a text missing in one language, say) fails the build.
makensis -V2 -WX -INPUTCHARSET UTF8 \
  "-DPELLARO_EXE=$exe" "-DPELLARO_VERSION=$version" "-DPELLARO_FILE_VERSION=$file_version" \
  "-DPELLARO_LICENSE=$root/LICENSE" "-DPELLARO_OUTFILE=$setup" \
  "$here/Pellaro.nsi"

stage=$(mktemp -d "${TMPDIR:-/tmp}/pellaro-dist.XXXXXX")
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Pellaro-$version"
cp "$exe" "$stage/Pellaro-$version/Pellaro.exe"
# Text files in Windows line ends, for Notepad.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/README.txt" >"$stage/Pellaro-$version/README.txt"
sed -e 's/$/\r/' "$root/LICENSE" >"$stage/Pellaro-$version/LICENSE.txt"
(cd "$stage" && zip -q -X -r "$portable" "Pellaro-$version")

(cd "$dist" && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | LC_ALL=C sort |
   xargs -r -d '\n' sha256sum -b >SHA256SUMS)
echo "Release files in $dist:"
(cd "$dist" && ls -l)
