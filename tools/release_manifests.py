#!/usr/bin/env python3
"""Writes the package manifests of a release: winget's three YAML files for the setup program and a Scoop
manifest for the zip.

    release_manifests.py OUTPUT-FOLDER URL VERSION SETUP.exe ZIP

URL is the address of the folder the release's files are published in (VELMORA_RELEASE_URL); the setup
and the zip are named in it by their file names. Each manifest carries the SHA-256 of the file it
installs. Written under OUTPUT-FOLDER:

    winget/manifests/v/Velmora/Velmora99/VERSION/Velmora.Velmora99{,.installer,.locale.en-US}.yaml
    scoop/velmora.json
"""

import hashlib
import json
import re
import sys
from pathlib import Path

PACKAGE_ID = "Velmora.Velmora99"
MANIFEST_VERSION = "1.6.0"
LOCALE = "en-US"
PUBLISHER = "Velmora"
NAME = "Velmora 99"
# Velmora is published under no licence: all rights stay with its publisher.
LICENSE = "Proprietary"
DESCRIPTION = "Changes hidden Windows settings from one window, with a command-line companion."
# The setup's uninstall entry: HKLM\...\Uninstall\<this key>.
UNINSTALL_KEY = "Velmora 99"


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as stream:
        for block in iter(lambda: stream.read(1 << 16), b""):
            digest.update(block)
    return digest.hexdigest()


def yaml_text(value):
    """A YAML scalar that reads back as this exact string (JSON's quoting is YAML's)."""
    return json.dumps(value)


def yaml_lines(mapping, indent=""):
    lines = []
    for key, value in mapping.items():
        if isinstance(value, dict):
            lines.append(f"{indent}{key}:")
            lines += yaml_lines(value, indent + "  ")
        elif isinstance(value, list):
            lines.append(f"{indent}{key}:")
            for item in value:
                if isinstance(item, dict):
                    entry = yaml_lines(item, indent + "  ")
                    entry[0] = f"{indent}- " + entry[0][len(indent) + 2:]
                    lines += entry
                else:
                    lines.append(f"{indent}- {yaml_text(item)}")
        else:
            lines.append(f"{indent}{key}: {yaml_text(value)}")
    return lines


def winget_manifests(url, version, setup):
    """{file name: mapping} of the three winget manifests."""
    common = {"PackageIdentifier": PACKAGE_ID, "PackageVersion": version}
    tail = {"ManifestVersion": MANIFEST_VERSION}
    return {
        f"{PACKAGE_ID}.yaml": {**common, "DefaultLocale": LOCALE, "ManifestType": "version", **tail},
        f"{PACKAGE_ID}.installer.yaml": {
            **common,
            "InstallerType": "nullsoft",
            "Scope": "machine",
            "InstallModes": ["interactive", "silent", "silentWithProgress"],
            "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S", "InstallLocation": "/D=<INSTALLPATH>"},
            "ElevationRequirement": "elevatesSelf",
            "UpgradeBehavior": "install",
            "ProductCode": UNINSTALL_KEY,
            "Installers": [{
                "Architecture": "x86",
                "InstallerUrl": f"{url}/{setup.name}",
                "InstallerSha256": sha256(setup).upper(),
            }],
            "ManifestType": "installer",
            **tail,
        },
        f"{PACKAGE_ID}.locale.{LOCALE}.yaml": {
            **common,
            "PackageLocale": LOCALE,
            "Publisher": PUBLISHER,
            "PackageName": NAME,
            "License": LICENSE,
            "ShortDescription": DESCRIPTION,
            "ManifestType": "defaultLocale",
            **tail,
        },
    }


def scoop_manifest(url, version, zip_path):
    return {
        "version": version,
        "description": DESCRIPTION,
        "homepage": f"{url}/",
        "license": LICENSE,
        "url": f"{url}/{zip_path.name}",
        "hash": sha256(zip_path),
        # The zip holds one folder, Velmora-VERSION, with the programs in it.
        "extract_dir": zip_path.name.removesuffix(".zip"),
        "bin": "velmora-cli.exe",
        "shortcuts": [["Velmora.exe", NAME]],
    }


def write_manifests(output, url, version, setup, zip_path):
    """The paths written."""
    written = []
    winget = output / "winget" / "manifests" / "v" / "Velmora" / "Velmora99" / version
    winget.mkdir(parents=True, exist_ok=True)
    for name, mapping in winget_manifests(url, version, setup).items():
        path = winget / name
        header = f"# Velmora 99 {version}: winget manifest ({mapping['ManifestType']})\n"
        path.write_text(header + "\n".join(yaml_lines(mapping)) + "\n", newline="\n")
        written.append(path)
    scoop = output / "scoop"
    scoop.mkdir(parents=True, exist_ok=True)
    path = scoop / "velmora.json"
    path.write_text(json.dumps(scoop_manifest(url, version, zip_path), indent=4) + "\n", newline="\n")
    written.append(path)
    return written


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    output, url, version, setup, zip_path = Path(argv[0]), argv[1].rstrip("/"), argv[2], Path(argv[3]), Path(argv[4])
    if not re.fullmatch(r"https?://[^\s/]+(/\S*)?", url):
        print(f"release_manifests: {argv[1]!r} is not an http(s) address", file=sys.stderr)
        return 2
    for path in (setup, zip_path):
        if not path.is_file():
            print(f"release_manifests: no {path}", file=sys.stderr)
            return 1
    for path in write_manifests(output, url, version, setup, zip_path):
        print(f"Manifest: {path}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
