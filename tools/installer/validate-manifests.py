#!/usr/bin/env python3
"""Checks the package manifests of a release (tools/installer/make-manifests.sh):

    validate-manifests.py <schemas folder> <dist folder>

- every winget manifest in <dist>/winget/ against the published schema of its ManifestType
  and ManifestVersion (<schemas>/winget-<version>/manifest.<type>.<version>.json), and
  Scoop's manifests in <dist>/scoop/ against Scoop's schema (<schemas>/scoop/schema.json);
- no winget key that its schema does not know (the schemas let unknown keys through, winget
  does not);
- the winget files form one package: one version, one installer and one default-locale
  manifest, the same identifier, version and manifest version in each, the default locale
  the one the version manifest names;
- every SHA-256 is that of the file its address names, a file of the dist folder, and the
  Scoop manifest's version is the package's.

Prints one line per finding and "ok: ..." per manifest; exits 1 when anything failed.
Needs PyYAML and jsonschema (Debian: python3-yaml, python3-jsonschema).
"""
import hashlib
import json
import os
import sys
from urllib.parse import urlparse

import jsonschema
import yaml


class Checker:
    def __init__(self, schemas, dist):
        self.schemas = schemas
        self.dist = dist
        self.failures = 0

    def fail(self, text):
        print("FAILED: " + text)
        self.failures += 1

    def schema_errors(self, document, schema_file):
        with open(schema_file, encoding="utf-8-sig") as f:
            schema = json.load(f)
        validator = jsonschema.Draft7Validator(schema, format_checker=jsonschema.FormatChecker())
        errors = sorted(validator.iter_errors(document), key=lambda e: list(e.absolute_path))
        return schema, [("/".join(str(p) for p in e.absolute_path) or "(top)") + ": " + e.message
                        for e in errors]

    def file_sha256(self, url):
        name = os.path.basename(urlparse(url).path)
        path = os.path.join(self.dist, name)
        if not name or not os.path.isfile(path):
            return name, None
        with open(path, "rb") as f:
            return name, hashlib.sha256(f.read()).hexdigest()

    def check_hash(self, where, url, given):
        name, actual = self.file_sha256(url)
        given = str(given).lower()
        if given.startswith("sha256:"):
            given = given[len("sha256:"):]
        if actual is None:
            self.fail(f"{where}: {url} names no file of the dist folder")
        elif given != actual:
            self.fail(f"{where}: the SHA-256 of {name} is {actual}, the manifest says {given}")

    def unknown_keys(self, where, mapping, known):
        for key in mapping:
            if key not in known:
                self.fail(f"{where}: unknown key {key}")

    def documents(self, folder, ending, load, what):
        """The manifests of a folder of the dist folder that parse to a mapping, by name."""
        folder = os.path.join(self.dist, folder)
        names = sorted(n for n in os.listdir(folder) if n.endswith(ending)) if os.path.isdir(folder) else []
        if not names:
            self.fail(f"no {what} manifest in {folder}")
        for name in names:
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                try:
                    document = load(f)
                except (ValueError, yaml.YAMLError) as e:
                    self.fail(f"{name}: cannot be read: {e}")
                    continue
            if not isinstance(document, dict):
                self.fail(f"{name}: not a mapping")
                continue
            yield name, document

    def winget(self):
        manifests = {}
        for name, document in self.documents("winget", ".yaml", yaml.safe_load, "winget"):
            kind = str(document.get("ManifestType", ""))
            version = str(document.get("ManifestVersion", ""))
            schema_file = os.path.join(self.schemas, f"winget-{version}", f"manifest.{kind}.{version}.json")
            if not os.path.isfile(schema_file):
                self.fail(f"{name}: no schema for manifest type '{kind}' version '{version}'")
                continue
            before = self.failures
            schema, errors = self.schema_errors(document, schema_file)
            for error in errors:
                self.fail(f"{name}: {error}")
            self.unknown_keys(name, document, schema["properties"])
            if kind == "installer":
                known = schema["definitions"]["Installer"]["properties"]
                for i, item in enumerate(document.get("Installers") or []):
                    if isinstance(item, dict):
                        self.unknown_keys(f"{name}: Installers/{i}", item, known)
                        self.check_hash(f"{name}: Installers/{i}", item.get("InstallerUrl", ""),
                                        item.get("InstallerSha256", ""))
            if self.failures == before:
                print(f"ok: {name} follows the winget {kind} schema {version}")
            manifests.setdefault(kind, []).append((name, document))
        return self.one_package(manifests)

    def one_package(self, manifests):
        for kind in ("version", "installer", "defaultLocale"):
            if len(manifests.get(kind, [])) != 1:
                self.fail(f"winget: {len(manifests.get(kind, []))} {kind} manifests, not one")
        every = [m for group in manifests.values() for m in group]
        for field in ("PackageIdentifier", "PackageVersion", "ManifestVersion"):
            values = {str(document.get(field)) for _, document in every}
            if len(values) > 1:
                self.fail(f"winget: the manifests differ in {field}: {', '.join(sorted(values))}")
        if manifests.get("version") and manifests.get("defaultLocale"):
            named = manifests["version"][0][1].get("DefaultLocale")
            default = manifests["defaultLocale"][0][1].get("PackageLocale")
            if named != default:
                self.fail(f"winget: the version manifest names {named} as default locale, the default-locale manifest is {default}")
        locales = [document.get("PackageLocale") for _, document in manifests.get("locale", [])]
        if len(set(locales)) != len(locales):
            self.fail("winget: a locale is given twice")
        return str(every[0][1].get("PackageVersion")) if every else None

    def scoop(self, package_version):
        for name, document in self.documents("scoop", ".json", json.load, "Scoop"):
            before = self.failures
            _, errors = self.schema_errors(document, os.path.join(self.schemas, "scoop", "schema.json"))
            for error in errors:
                self.fail(f"{name}: {error}")
            places = [("", document)] + [(f"architecture/{a}/", v) for a, v in
                                         (document.get("architecture") or {}).items() if isinstance(v, dict)]
            downloads = [(where, place) for where, place in places if "url" in place]
            if not downloads:
                self.fail(f"{name}: names no file to download")
            for where, place in downloads:
                self.check_hash(f"{name}: {where}url", place["url"], place.get("hash", ""))
            if package_version is not None and str(document.get("version")) != package_version:
                self.fail(f"{name}: version {document.get('version')}, the winget package is {package_version}")
            if self.failures == before:
                print(f"ok: {name} follows Scoop's schema")


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    checker = Checker(sys.argv[1], sys.argv[2])
    checker.scoop(checker.winget())
    return 1 if checker.failures else 0


if __name__ == "__main__":
    sys.exit(main())
