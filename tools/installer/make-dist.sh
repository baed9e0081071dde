#!/usr/bin/env bash
# Makes Pellaro's release files from a built Pellaro.exe:
#   tools/installer/make-dist.sh <Pellaro.exe> <dist folder>
# into the dist folder:
#   Pellaro-<version>-setup.exe     the installer (tools/installer/Pellaro.nsi, makensis)
#   Pellaro-<version>-portable.zip  Pellaro.exe, README.txt and LICENSE.txt
#   Pellaro-<version>.debug         the debug information of the program they carry
#   SHA256SUMS                      the SHA-256 of every other file in the folder
#   winget/, scoop/                 package manifests (tools/installer/make-manifests.sh)
# The installer and the zip carry the program without its debug information (about a tenth
# of the built file); the debug file keeps it, and the program names the debug file and its
# CRC in a debug link and shares its build id, so a crash address of a release can still be
# read: x86_64-w64-mingw32-addr2line -f -e Pellaro-<version>.debug <address>. The built
# program itself stays as it is, for the tests.
# The version is the file version in the exe's own version record, so the installer and
# the zip always name the program they carry. Earlier release files in the folder are
# replaced. Needs makensis (Debian's nsis), zip, sha256sum and the mingw-w64 binutils.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -ne 2 ]; then
  echo "usage: $0 <Pellaro.exe> <dist folder>" >&2
  exit 2
fi
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
dist=$2
objcopy=x86_64-w64-mingw32-objcopy
for tool in makensis zip sha256sum "$objcopy" numfmt; do
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
rm -rf "$dist"/Pellaro-*-setup.exe "$dist"/Pellaro-*-portable.zip "$dist"/Pellaro-*.debug \
       "$dist/SHA256SUMS" "$dist/winget" "$dist/scoop"
setup="$dist/Pellaro-$version-setup.exe"
portable="$dist/Pellaro-$version-portable.zip"
debug="$dist/Pellaro-$version.debug"

stage=$(mktemp -d "${TMPDIR:-/tmp}/pellaro-dist.XXXXXX")
trap 'rm -rf "$stage"' EXIT
# The debug information apart, then the program without it and with a link to it (the debug
# file's name and CRC-32).
release_exe="$stage/Pellaro.exe"
"$objcopy" --only-keep-debug "$exe" "$debug"
"$objcopy" --strip-all --add-gnu-debuglink="$debug" "$exe" "$release_exe"

# -WX: a warning (a text missing in one language, say) fails the build.
makensis -V2 -WX -INPUTCHARSET UTF8 \
  "-DPELLARO_EXE=$release_exe" "-DPELLARO_VERSION=$version" "-DPELLARO_FILE_VERSION=$file_version" \
  "-DPELLARO_LICENSE=$root/LICENSE" "-DPELLARO_OUTFILE=$setup" \
  "$here/Pellaro.nsi"

mkdir "$stage/Pellaro-$version"
cp "$release_exe" "$stage/Pellaro-$version/Pellaro.exe"
# Text files in Windows line ends, for Notepad.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/README.txt" >"$stage/Pellaro-$version/README.txt"
sed -e 's/$/\r/' "$root/LICENSE" >"$stage/Pellaro-$version/LICENSE.txt"
(cd "$stage" && zip -q -X -r "$portable" "Pellaro-$version")

(cd "$dist" && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | LC_ALL=C sort |
   xargs -r -d '\n' sha256sum -b >SHA256SUMS)
bash "$here/make-manifests.sh" "$dist" "$version"

size_line() {  # <bytes> <what>
  printf '%12s bytes %8s  %s\n' "$1" "$(numfmt --to=iec --suffix=B "$1")" "$2"
}
echo "Release files in $dist:"
(cd "$dist" && find . -type f -printf '%P\n' | LC_ALL=C sort) | while read -r file; do
  size_line "$(stat -c %s "$dist/$file")" "$file"
done
echo "Pellaro.exe:"
size_line "$(stat -c %s "$exe")" "as built, with its debug information"
size_line "$(stat -c %s "$release_exe")" "in the installer and the zip"
