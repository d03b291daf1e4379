#!/usr/bin/python3
"""Checks a release folder from outside: the winget and Scoop manifests read back with a
YAML and a JSON parser against the built files, the update signatures, and (given the
certificate's CA) the Authenticode signatures of the program and the installer.

    check-release.py FOLDER PUBLIC_KEY_PEM [CODESIGN_CA_PEM]

The expected values are read independently of the manifest writer: the uninstall key
from the installer script, the base URL from the product's constants, the version from
version.txt. Runs with Debian's python3, which has python3-yaml.
"""
import hashlib
import json
import os
import re
import subprocess
import sys
import tempfile
import zipfile

import yaml

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
failures = []


def check(condition, text):
    if not condition:
        failures.append(text)


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def source(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        return f.read()


def main():
    folder, public_key = sys.argv[1], sys.argv[2]
    ca = sys.argv[3] if len(sys.argv) > 3 else None
    downloads = os.path.join(folder, "Kestrova")
    setup = os.path.join(downloads, "Kestrova-setup.exe")
    archive = os.path.join(downloads, "Kestrova.zip")
    with open(os.path.join(downloads, "version.txt")) as f:
        version = f.read().strip()
    base_url = re.search(r"kUpdateBaseUrls\[\]\s*=\s*\{\s*\"([^\"]+)\"", source("src/product/ProductNames.h")).group(1)
    uninstall_key = re.search(r'!define UNINSTALL_KEY "([^"]+)"', source("installer/Kestrova.nsi")).group(1)
    publisher = re.search(r'!define PUBLISHER "([^"]+)"', source("installer/Kestrova.nsi")).group(1)

    # winget: three files, one package and version, schema 1.6.
    winget = os.path.join(folder, "winget")
    docs = {}
    for kind, name in (("version", "Kestrova.Kestrova.yaml"), ("installer", "Kestrova.Kestrova.installer.yaml"),
                       ("defaultLocale", "Kestrova.Kestrova.locale.en-US.yaml")):
        with open(os.path.join(winget, name), encoding="utf-8") as f:
            doc = yaml.safe_load(f)
        docs[kind] = doc
        check(doc.get("ManifestType") == kind, "%s: ManifestType %r" % (name, doc.get("ManifestType")))
        check(doc.get("ManifestVersion") == "1.6.0", "%s: ManifestVersion %r" % (name, doc.get("ManifestVersion")))
        check(doc.get("PackageIdentifier") == "Kestrova.Kestrova", "%s: PackageIdentifier" % name)
        check(doc.get("PackageVersion") == version, "%s: PackageVersion %r, not %s" % (name, doc.get("PackageVersion"), version))
    check(docs["version"].get("DefaultLocale") == "en-US", "version manifest: DefaultLocale")
    inst = docs["installer"]
    for key, want in (("InstallerType", "nullsoft"), ("Scope", "machine"), ("ElevationRequirement", "elevatesSelf"),
                      ("ProductCode", uninstall_key.rsplit("\\", 1)[1])):
        check(inst.get(key) == want, "installer manifest: %s is %r, not %r" % (key, inst.get(key), want))
    switches = inst.get("InstallerSwitches") or {}
    for key in ("Silent", "SilentWithProgress"):
        check("/SUPPRESSMSGBOXES" in switches.get(key, "") and "SILENT" in switches.get(key, ""),
              "installer manifest: InstallerSwitches.%s %r is not silent" % (key, switches.get(key)))
    installers = inst.get("Installers") or [{}]
    check(len(installers) == 1, "installer manifest: %d installers" % len(installers))
    check(installers[0].get("InstallerUrl") == base_url + "Kestrova/Kestrova-setup.exe",
          "installer manifest: InstallerUrl %r" % installers[0].get("InstallerUrl"))
    check(str(installers[0].get("InstallerSha256", "")).lower() == sha256(setup),
          "installer manifest: InstallerSha256 is not the installer's")
    locale = docs["defaultLocale"]
    check(locale.get("Publisher") == publisher, "locale manifest: Publisher %r" % locale.get("Publisher"))
    for key in ("PackageName", "License", "ShortDescription", "Description", "PackageLocale"):
        check(bool(locale.get(key)), "locale manifest: no %s" % key)

    # Scoop: the portable archive.
    with open(os.path.join(folder, "scoop", "kestrova.json"), encoding="utf-8") as f:
        app = json.load(f)
    check(app.get("version") == version, "scoop: version %r" % app.get("version"))
    check(app.get("url") == base_url + "Kestrova/Kestrova.zip", "scoop: url %r" % app.get("url"))
    check(app.get("hash", "").lower() == sha256(archive), "scoop: hash is not the archive's")
    with zipfile.ZipFile(archive) as z:
        names = z.namelist()
    binaries = app.get("bin") if isinstance(app.get("bin"), list) else [app.get("bin")]
    check("Kestrova.exe" in binaries and all(b in names for b in binaries), "scoop: bin %r" % app.get("bin"))
    # The command line ships beside the program, and Scoop puts it on the PATH.
    check("Kestrova.com" in names, "the archive lacks Kestrova.com")
    check("Kestrova.com" in binaries, "scoop: bin %r lacks Kestrova.com" % app.get("bin"))
    check(any(s[0] == "Kestrova.exe" for s in app.get("shortcuts", [])), "scoop: no shortcut to Kestrova.exe")
    check({"Config", "portable.ini"} <= set(app.get("persist", [])), "scoop: persist %r" % app.get("persist"))
    check(app.get("checkver", {}).get("url") == base_url + "Kestrova/version.txt", "scoop: checkver url")
    check(re.search(app.get("checkver", {}).get("regex", "^$"), version + "\n") is not None, "scoop: checkver regex")
    check(app.get("autoupdate", {}).get("url") == app.get("url"), "scoop: autoupdate url")

    # Update signatures, over the final (Authenticode-signed) bytes.
    for download in (setup, archive):
        result = subprocess.run([os.path.join(ROOT, "scripts", "sign-update"), download, version, "--verify", public_key],
                                capture_output=True, text=True)
        check(result.returncode == 0, "update signature does not hold: " + download)

    if ca:
        with tempfile.TemporaryDirectory() as work:
            with zipfile.ZipFile(archive) as z:
                z.extract("Kestrova.exe", work)
                z.extract("Kestrova.com", work)
            for signed in (os.path.join(work, "Kestrova.exe"), os.path.join(work, "Kestrova.com"), setup):
                result = subprocess.run(["osslsigncode", "verify", "-CAfile", ca, "-in", signed],
                                        capture_output=True, text=True)
                check(result.returncode == 0, "Authenticode does not verify: %s\n%s" % (
                    os.path.basename(signed), result.stdout[-600:] + result.stderr[-600:]))

    for text in failures:
        print("FAIL: " + text)
    print("release checks: %s" % ("%d failure(s)" % len(failures) if failures else "passed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
