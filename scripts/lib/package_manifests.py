#!/usr/bin/env python3
"""Writes the package-manager manifests of a release folder.

    package_manifests.py FOLDER VERSION ARCH      (ARCH: the installer's, x86 or amd64)

FOLDER/Kestrova/ holds the built Kestrova-setup.exe and Kestrova.zip. This writes
FOLDER/winget/ (the version, installer and en-US locale manifests of a winget package,
schema 1.6) and FOLDER/scoop/kestrova.json (a Scoop manifest of the portable archive).
The download URLs lie below the update service's first base URL; names, publisher and
descriptions come from the product's constants, so the manifests never drift from the
program and its installer.
"""
import hashlib
import json
import os
import re
import zipfile
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MANIFEST_VERSION = "1.6.0"
# The installer's uninstall entry is HKLM\...\Uninstall\<this>: winget's ProductCode.
UNINSTALL_KEY_NAME = "Kestrova"


def read(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        return f.read()


def cpp_string(source, name):
    match = re.search(r"\b%s\[\]\s*=\s*\"([^\"]*)\"" % re.escape(name), source)
    if not match:
        raise SystemExit("no constant %s in src/product/ProductNames.h" % name)
    return match.group(1)


def cpp_string_list(source, name):
    match = re.search(r"\b%s\[\]\s*=\s*\{([^}]*)\}" % re.escape(name), source)
    if not match:
        raise SystemExit("no constant %s in src/product/ProductNames.h" % name)
    return re.findall(r"\"([^\"]*)\"", match.group(1))


def version_value(resource, name):
    match = re.search(r"VALUE\s+\"%s\",\s*\"([^\"]*)\"" % re.escape(name), resource)
    if not match:
        raise SystemExit("no %s in resources/KestrovaVersionInfo.rc" % name)
    return match.group(1)


def product():
    names = read("src/product/ProductNames.h")
    resource = read("resources/KestrovaVersionInfo.rc")
    listing = json.loads(read("src/product/package-listing.json"))
    update_name = cpp_string(names, "kUpdateName")
    base_url = cpp_string_list(names, "kUpdateBaseUrls")[0] + update_name + "/"
    return {
        "name": cpp_string(names, "kApplicationTitle"),
        "homepage": cpp_string(names, "kContactWebSiteUrl"),
        "publisher": version_value(resource, "CompanyName"),
        "copyright": version_value(resource, "LegalCopyright"),
        "installer_url": base_url + update_name + "-setup.exe",
        "archive_url": base_url + update_name + ".zip",
        "version_url": base_url + "version.txt",
        "update_name": update_name,
        **listing,
    }


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for piece in iter(lambda: f.read(1 << 20), b""):
            digest.update(piece)
    return digest.hexdigest().upper()


def yaml_document(schema, fields):
    """A YAML file of scalars, one string list and one level of mappings and lists of
    mappings; every string is double-quoted the JSON way, which YAML reads as is."""
    lines = ["# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.%s.schema.json"
             % (schema, MANIFEST_VERSION), ""]

    def scalar(value):
        return json.dumps(value, ensure_ascii=False)

    for key, value in fields:
        if isinstance(value, dict):
            lines.append("%s:" % key)
            lines += ["  %s: %s" % (k, scalar(v)) for k, v in value.items()]
        elif isinstance(value, list) and value and isinstance(value[0], dict):
            lines.append("%s:" % key)
            for item in value:
                for index, (k, v) in enumerate(item.items()):
                    lines.append("%s%s: %s" % ("- " if index == 0 else "  ", k, scalar(v)))
        elif isinstance(value, list):
            lines.append("%s:" % key)
            lines += ["- %s" % scalar(v) for v in value]
        else:
            lines.append("%s: %s" % (key, scalar(value)))
    return "\n".join(lines) + "\n"


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def winget(folder, version, p, installer_sha256, architecture):
    identifier = p["wingetIdentifier"]
    head = [("PackageIdentifier", identifier), ("PackageVersion", version)]
    tail = [("ManifestVersion", MANIFEST_VERSION)]
    out = os.path.join(folder, "winget")
    write(os.path.join(out, identifier + ".yaml"), yaml_document("version", head + [
        ("DefaultLocale", "en-US"), ("ManifestType", "version")] + tail))
    write(os.path.join(out, identifier + ".installer.yaml"), yaml_document("installer", head + [
        ("MinimumOSVersion", "10.0.0.0"),
        ("InstallerType", "nullsoft"),
        ("Scope", "machine"),
        ("ElevationRequirement", "elevatesSelf"),
        ("InstallModes", ["interactive", "silent", "silentWithProgress"]),
        # The installer's own switches: /DIR= may stand anywhere on the line, unlike NSIS's /D=.
        ("InstallerSwitches", {
            "Silent": "/VERYSILENT /SUPPRESSMSGBOXES",
            "SilentWithProgress": "/SILENT /SUPPRESSMSGBOXES",
            "InstallLocation": "/DIR=\"<INSTALLPATH>\"",
        }),
        ("UpgradeBehavior", "install"),
        ("ProductCode", UNINSTALL_KEY_NAME),
        ("Installers", [{
            "Architecture": architecture,
            "InstallerUrl": p["installer_url"],
            "InstallerSha256": installer_sha256,
        }]),
        ("ManifestType", "installer")] + tail))
    write(os.path.join(out, identifier + ".locale.en-US.yaml"), yaml_document("defaultLocale", head + [
        ("PackageLocale", "en-US"),
        ("Publisher", p["publisher"]),
        ("PublisherUrl", p["homepage"]),
        ("PackageName", p["name"]),
        ("PackageUrl", p["homepage"]),
        ("License", p["license"]),
        ("Copyright", p["copyright"]),
        ("ShortDescription", p["shortDescription"]),
        ("Description", p["description"]),
        ("Moniker", p["moniker"]),
        ("Tags", p["tags"]),
        ("ManifestType", "defaultLocale")] + tail))


def scoop(folder, version, p, archive_sha256, binaries):
    manifest = {
        "version": version,
        "description": p["shortDescription"],
        "homepage": p["homepage"],
        "license": p["license"],
        "url": p["archive_url"],
        "hash": archive_sha256.lower(),
        "bin": binaries if len(binaries) > 1 else binaries[0],
        "shortcuts": [["Kestrova.exe", p["name"]]],
        # The options folder (with the deletion copies) and the portable-mode marker
        # outlive an update of the app's folder.
        "persist": ["Config", "portable.ini"],
        "checkver": {"url": p["version_url"], "regex": r"^([\d.]+)"},
        "autoupdate": {"url": p["archive_url"]},
    }
    write(os.path.join(folder, "scoop", p["moniker"] + ".json"),
          json.dumps(manifest, indent=2, ensure_ascii=False) + "\n")


def main():
    if len(sys.argv) != 4 or sys.argv[3] not in ("x86", "amd64"):
        raise SystemExit(__doc__)
    folder, version = sys.argv[1], sys.argv[2]
    architecture = {"x86": "x86", "amd64": "x64"}[sys.argv[3]]
    p = product()
    downloads = os.path.join(folder, p["update_name"])
    winget(folder, version, p, sha256(os.path.join(downloads, p["update_name"] + "-setup.exe")), architecture)
    archive = os.path.join(downloads, p["update_name"] + ".zip")
    with zipfile.ZipFile(archive) as z:
        binaries = [name for name in ("Kestrova.exe", "Kestrova.com") if name in z.namelist()]
    scoop(folder, version, p, sha256(archive), binaries)


if __name__ == "__main__":
    main()
