#!/usr/bin/env bash
# Writes the package manifests of a release, from its files in the dist folder:
#   tools/installer/make-manifests.sh <dist folder> <version>
# into the dist folder:
#   winget/Pellaro.Pellaro.yaml                version manifest
#   winget/Pellaro.Pellaro.installer.yaml      the installer, once for the current user and
#                                              once for all users
#   winget/Pellaro.Pellaro.locale.en-US.yaml   default locale, English
#   winget/Pellaro.Pellaro.locale.hu-HU.yaml   Hungarian
#   scoop/pellaro.json                         Scoop's manifest of the portable zip
# each naming its file with the file's SHA-256. The winget manifests are of manifest version
# 1.10.0; tools/installer/validate-manifests.py checks them and Scoop's against the
# schemas kept in tools/installer/schemas/.
# The addresses: PELLARO_DOWNLOAD_URL, the folder where the release files are published
# (the file names are added to it), and PELLARO_HOMEPAGE, the project's page. Both must be
# set to the real places before the manifests go to winget or a Scoop bucket; the default
# addresses below are placeholders in a domain that never exists.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 <dist folder> <version>" >&2
  exit 2
fi
dist=$(cd "$1" && pwd)
version=$2
download=${PELLARO_DOWNLOAD_URL:-https://pellaro.example.invalid/download/$version}
download=${download%/}
homepage=${PELLARO_HOMEPAGE:-https://pellaro.example.invalid/}
setup="Pellaro-$version-setup.exe"
portable="Pellaro-$version-portable.zip"
for file in "$setup" "$portable"; do
  [ -f "$dist/$file" ] || { echo "no $file in $dist" >&2; exit 1; }
done
sha256() { sha256sum -b "$dist/$1" | cut -d' ' -f1; }
setup_sha=$(sha256 "$setup" | tr a-f A-F)
portable_sha=$(sha256 "$portable")

id=Pellaro.Pellaro
manifest_version=1.10.0
publisher="The Pellaro developers"
winget="$dist/winget"
scoop="$dist/scoop"
rm -rf "$winget" "$scoop"
mkdir -p "$winget" "$scoop"

# The first lines of every winget manifest: who wrote it and which schema it follows.
header() {  # <schema name>
  echo "# Written by tools/installer/make-manifests.sh"
  echo "# yaml-language-server: \$schema=https://aka.ms/winget-manifest.$1.$manifest_version.schema.json"
  echo
  echo "PackageIdentifier: $id"
  echo "PackageVersion: \"$version\""
}

{
  header version
  echo "DefaultLocale: en-US"
  echo "ManifestType: version"
  echo "ManifestVersion: $manifest_version"
} >"$winget/$id.yaml"

# NSIS's silent switch (/S) and folder switch (/D=) are winget's own for "nullsoft"; the
# installer's scope switches choose for whom it installs.
installer() {  # <scope> <switch>
  echo "- Architecture: x64"
  echo "  Scope: $1"
  echo "  InstallerUrl: $download/$setup"
  echo "  InstallerSha256: $setup_sha"
  echo "  InstallerSwitches:"
  echo "    Custom: $2"
}
{
  header installer
  echo "InstallerType: nullsoft"
  echo "UpgradeBehavior: install"
  echo "ProductCode: Pellaro"
  echo "AppsAndFeaturesEntries:"
  echo "- DisplayName: Pellaro"
  echo "  Publisher: $publisher"
  echo "  DisplayVersion: \"$version\""
  echo "  ProductCode: Pellaro"
  echo "Installers:"
  installer user /CurrentUser
  installer machine /AllUsers
  echo "  ElevationRequirement: elevatesSelf"
  echo "ManifestType: installer"
  echo "ManifestVersion: $manifest_version"
} >"$winget/$id.installer.yaml"

{
  header defaultLocale
  cat <<EOF
PackageLocale: en-US
Publisher: $publisher
PackageName: Pellaro
PackageUrl: $homepage
License: MIT
Copyright: Copyright (c) 2026 $publisher
ShortDescription: Checks your POP3 mailboxes from the notification area and tells you about new mail.
Description: |-
  Pellaro sits in the Windows notification area and checks one or more POP3 mailboxes every
  1, 5, 10 or 15 minutes, over plain POP3, STLS or POP3S. When mail arrives it shows an
  envelope icon with a menu of the mailboxes that have new mail and a small notification box,
  and can open the mailbox's web-mail page. It speaks English and Hungarian and keeps its
  settings in one file in your Documents folder.
Moniker: pellaro
Tags:
- email
- mail-notifier
- pop3
- notification-area
- tray
ManifestType: defaultLocale
ManifestVersion: $manifest_version
EOF
} >"$winget/$id.locale.en-US.yaml"

{
  header locale
  cat <<EOF
PackageLocale: hu-HU
Publisher: $publisher
PackageName: Pellaro
License: MIT
ShortDescription: Az értesítési területről figyeli a POP3 postafiókjait, és szól, ha új levele érkezett.
Description: |-
  A Pellaro a Windows értesítési területén ül, és 1, 5, 10 vagy 15 percenként ellenőrzi egy
  vagy több POP3 postafiók leveleit, titkosítás nélkül, STLS-sel vagy POP3S-sel. Új levél
  érkezésekor egy boríték ikon jelenik meg az új levelet kapott postafiókok menüjével, és egy
  kis értesítő ablak is felugrik; kérésre megnyitja a postafiók webes levelezőjét. Angolul és
  magyarul beszél, a beállításait egyetlen fájlban tartja a Dokumentumok mappában.
Tags:
- e-mail
- levelezés
- pop3
- értesítés
- tálca
ManifestType: locale
ManifestVersion: $manifest_version
EOF
} >"$winget/$id.locale.hu-HU.yaml"

cat >"$scoop/pellaro.json" <<EOF
{
    "version": "$version",
    "description": "Checks your POP3 mailboxes from the notification area and tells you about new mail.",
    "homepage": "$homepage",
    "license": "MIT",
    "architecture": {
        "64bit": {
            "url": "$download/$portable",
            "hash": "$portable_sha"
        }
    },
    "extract_dir": "Pellaro-$version",
    "shortcuts": [
        [
            "Pellaro.exe",
            "Pellaro"
        ]
    ],
    "notes": "Pellaro keeps its settings in Documents\\\\.Pellaro.ini, which stays when Pellaro is uninstalled or updated."
}
EOF
