#!/usr/bin/env bash
# The release's package manifests against their published schemas:
#   manifests-test.sh <work folder>
# Writes the manifests (tools/installer/make-manifests.sh) for stand-in release files and
# checks them with tools/installer/validate-manifests.py and the schema copies in
# tools/installer/schemas/: they must pass, and each of a set of broken copies must fail for
# its own fault, so a validator that lets everything through fails here too. (The release
# test validates the manifests of the real release files as well.)
# Prints every failed check and exits non-zero when there was one.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -ne 1 ]; then
  echo "usage: $0 <work folder>" >&2
  exit 2
fi
work=$1
source "$here/checks.sh"
schemas="$root/tools/installer/schemas"
validate() { python3 "$root/tools/installer/validate-manifests.py" "$schemas" "$1"; }

rm -rf "$work"
mkdir -p "$work/good"
good="$work/good"
printf 'stand-in installer' >"$good/Pellaro-9.8-setup.exe"
printf 'stand-in zip' >"$good/Pellaro-9.8-portable.zip"
if ! bash "$root/tools/installer/make-manifests.sh" "$good" 9.8; then
  echo "FAILED: the manifests could not be written"
  exit 1
fi
winget="$good/winget"
files=$(cd "$good" && find winget scoop -type f | LC_ALL=C sort | tr '\n' ' ')
check "the manifests are winget's version, installer and two locale files and Scoop's" \
  test "$files" = "scoop/pellaro.json winget/Pellaro.Pellaro.installer.yaml winget/Pellaro.Pellaro.locale.en-US.yaml winget/Pellaro.Pellaro.locale.hu-HU.yaml winget/Pellaro.Pellaro.yaml "
validate "$good" >"$work/good.log" 2>&1
status=$?
cat "$work/good.log"
check "the manifests follow their schemas and name the files' SHA-256" test $status -eq 0
check "the validator says so for all five" test "$(grep -c '^ok: ' "$work/good.log")" -eq 5
check "the Hungarian locale is Hungarian" \
  grep -q '^ShortDescription: .*postafiókjait' "$winget/Pellaro.Pellaro.locale.hu-HU.yaml"
check "the installer is offered for the current user and for all users" \
  test "$(grep -c '^  Scope: \(user\|machine\)$' "$winget/Pellaro.Pellaro.installer.yaml")" -eq 2
check "the download addresses can be set" bash -c "
  mkdir -p '$work/address' && cp '$good'/Pellaro-* '$work/address/' &&
  PELLARO_DOWNLOAD_URL=https://downloads.example.org/pellaro/ \
    bash '$root/tools/installer/make-manifests.sh' '$work/address' 9.8 &&
  grep -q '\"url\": \"https://downloads.example.org/pellaro/Pellaro-9.8-portable.zip\"' \
    '$work/address/scoop/pellaro.json'"

# A broken copy must fail, and the validator must name the fault.
broken() {  # <name> <what the validator must say> <command run in the copy's folder>
  local name=$1 says=$2 copy="$work/$1"
  shift 2
  cp -r "$good" "$copy"
  (cd "$copy" && "$@") || { fail "$name: the copy could not be broken"; return; }
  if validate "$copy" >"$copy.log" 2>&1; then
    fail "$name: the validator let it through"
  elif grep -q -- "$says" "$copy.log"; then
    echo "ok: $name is refused ($(grep -m1 -- "$says" "$copy.log"))"
  else
    fail "$name: refused for another reason:"
    cat "$copy.log"
  fi
}
edit() {  # <file> <sed expression>
  sed -i -e "$2" "$1" && ! cmp -s "$1" "$good/${1#./}"
}
broken changed-installer "the SHA-256 of Pellaro-9.8-setup.exe" \
  bash -c 'printf x >>Pellaro-9.8-setup.exe'
broken changed-zip "the SHA-256 of Pellaro-9.8-portable.zip" \
  bash -c 'printf x >>Pellaro-9.8-portable.zip'
broken short-installer-hash "InstallerSha256" \
  edit ./winget/Pellaro.Pellaro.installer.yaml 's/^\(  InstallerSha256: \).\(.*\)$/\1\2/'
broken unknown-installer-type "'nsis' is not one of" \
  edit ./winget/Pellaro.Pellaro.installer.yaml 's/^InstallerType: nullsoft$/InstallerType: nsis/'
broken misspelt-key "unknown key PackageVerison" \
  edit ./winget/Pellaro.Pellaro.yaml 's/^PackageVersion:/PackageVerison:/'
broken no-locale "'PackageLocale' is a required property" \
  edit ./winget/Pellaro.Pellaro.locale.hu-HU.yaml '/^PackageLocale:/d'
broken version-as-number "is not of type 'string'" \
  edit ./winget/Pellaro.Pellaro.yaml 's/^PackageVersion: "9.8"$/PackageVersion: 9.8/'
broken two-versions "differ in PackageVersion" \
  edit ./winget/Pellaro.Pellaro.locale.hu-HU.yaml 's/^PackageVersion: "9.8"$/PackageVersion: "9.9"/'
broken wrong-default-locale "names en-GB as default locale" \
  edit ./winget/Pellaro.Pellaro.yaml 's/^DefaultLocale: en-US$/DefaultLocale: en-GB/'
broken address-of-no-file "names no file of the dist folder" \
  edit ./winget/Pellaro.Pellaro.installer.yaml 's|/Pellaro-9.8-setup.exe$|/Pellaro-9.8-setup.msi|'
broken scoop-without-licence "'license' is a required property" \
  edit ./scoop/pellaro.json '/"license":/d'
broken scoop-unknown-property "Additional properties are not allowed" \
  edit ./scoop/pellaro.json 's/"extract_dir":/"extract_folder":/'
broken scoop-other-version "the winget package is 9.8" \
  edit ./scoop/pellaro.json 's/"version": "9.8"/"version": "9.7"/'

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all manifest checks passed"
