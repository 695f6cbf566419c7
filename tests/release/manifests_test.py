#!/usr/bin/env python3
"""The package manifests tools/release writes, read back as winget and Scoop read them: every field their
schemas require (winget 1.6.0: version, installer and defaultLocale; Scoop's app manifest), the
properties Scoop's schema allows, and what the manifests must say of Velmora's setup and zip."""

import contextlib
import hashlib
import io
import json
import re
import sys
import tempfile
import unittest
from pathlib import Path

import yaml

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
import release_manifests  # noqa: E402

URL = "https://downloads.example.org/velmora/2.50"

# The "required" lists of the winget 1.6.0 schemas, and of one installer entry.
WINGET_REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                      "License", "ShortDescription", "ManifestType", "ManifestVersion"],
}
WINGET_INSTALLER_REQUIRED = ["Architecture", "InstallerUrl", "InstallerSha256"]
# Scoop's schema requires "version" and allows no property it does not name; of those it names, these are
# the ones a manifest of a zip uses.
SCOOP_REQUIRED = ["version"]
SCOOP_ALLOWED = {"version", "description", "homepage", "license", "url", "hash", "extract_dir", "bin",
                 "shortcuts", "notes", "architecture", "checkver", "autoupdate", "depends", "persist"}


def missing(mapping, required):
    return [field for field in required if field not in mapping or mapping[field] in (None, "", [])]


class Manifests(unittest.TestCase):
    def setUp(self):
        self.folder = Path(self.enterContext(tempfile.TemporaryDirectory()))
        self.setup = self.folder / "Velmora-2.50-setup.exe"
        self.zip = self.folder / "Velmora-2.50.zip"
        self.setup.write_bytes(b"MZ setup" * 100)
        self.zip.write_bytes(b"PK zip" * 100)
        self.out = self.folder / "manifests"

    def run_tool(self, *args):
        with contextlib.redirect_stdout(io.StringIO()), contextlib.redirect_stderr(io.StringIO()):
            return release_manifests.main([str(arg) for arg in args])

    def written(self):
        self.assertEqual(self.run_tool(self.out, URL + "/", "2.50", self.setup, self.zip), 0)
        folder = self.out / "winget" / "manifests" / "v" / "Velmora" / "Velmora99" / "2.50"
        winget = {}
        for path in sorted(folder.iterdir()):
            document = yaml.safe_load(path.read_text())
            winget[document["ManifestType"]] = (path.name, document)
        scoop = json.loads((self.out / "scoop" / "velmora.json").read_text())
        return winget, scoop

    def test_winget_manifests_have_every_required_field_and_describe_the_setup(self):
        winget, _ = self.written()
        self.assertEqual(sorted(winget), sorted(WINGET_REQUIRED))
        for kind, (name, document) in winget.items():
            with self.subTest(kind=kind):
                self.assertEqual(missing(document, WINGET_REQUIRED[kind]), [])
                self.assertEqual(document["ManifestVersion"], "1.6.0")
                self.assertEqual(document["PackageIdentifier"], "Velmora.Velmora99")
                self.assertEqual(document["PackageVersion"], "2.50")
                suffix = {"version": "", "installer": ".installer", "defaultLocale": ".locale.en-US"}[kind]
                self.assertEqual(name, f"Velmora.Velmora99{suffix}.yaml")
        self.assertEqual(winget["version"][1]["DefaultLocale"], winget["defaultLocale"][1]["PackageLocale"])

        installer = winget["installer"][1]
        self.assertEqual(installer["InstallerType"], "nullsoft")
        self.assertEqual(installer["Scope"], "machine")
        self.assertEqual(installer["InstallerSwitches"]["Silent"], "/S")
        self.assertEqual(installer["InstallerSwitches"]["SilentWithProgress"], "/S")
        self.assertEqual(installer["InstallerSwitches"]["InstallLocation"], "/D=<INSTALLPATH>")
        self.assertEqual(installer["ProductCode"], "Velmora 99")
        self.assertEqual(len(installer["Installers"]), 1)
        entry = installer["Installers"][0]
        self.assertEqual(missing(entry, WINGET_INSTALLER_REQUIRED), [])
        self.assertEqual(entry["Architecture"], "x86")
        self.assertEqual(entry["InstallerUrl"], URL + "/Velmora-2.50-setup.exe")
        self.assertRegex(entry["InstallerSha256"], r"^[A-Fa-f0-9]{64}$")
        self.assertEqual(entry["InstallerSha256"].lower(), hashlib.sha256(self.setup.read_bytes()).hexdigest())

    def test_scoop_manifest_installs_the_zip_with_the_companion_on_the_path_and_a_shortcut(self):
        _, scoop = self.written()
        self.assertEqual(missing(scoop, SCOOP_REQUIRED), [])
        self.assertEqual(set(scoop) - SCOOP_ALLOWED, set())
        self.assertEqual(scoop["version"], "2.50")
        self.assertRegex(scoop["version"], r"^[\w\-.+_]+$")
        self.assertEqual(scoop["url"], URL + "/Velmora-2.50.zip")
        self.assertRegex(scoop["hash"], r"^[a-fA-F0-9]{64}$")
        self.assertEqual(scoop["hash"], hashlib.sha256(self.zip.read_bytes()).hexdigest())
        self.assertEqual(scoop["extract_dir"], "Velmora-2.50")
        self.assertEqual(scoop["bin"], "velmora-cli.exe")
        self.assertEqual(scoop["shortcuts"], [["Velmora.exe", "Velmora 99"]])
        for field in ("description", "homepage", "license"):
            self.assertTrue(scoop.get(field), field)

    def test_texts_that_yaml_would_read_otherwise_are_quoted(self):
        for text in ("2.50", "1e3", "yes", "Velmora: 99 # not a comment", "/D=<INSTALLPATH>", "'quoted'"):
            with self.subTest(text=text):
                self.assertEqual(yaml.safe_load(f"key: {release_manifests.yaml_text(text)}"), {"key": text})

    def test_an_address_that_is_not_http_writes_nothing(self):
        for url in ("", "downloads.example.org/velmora", "ftp://example.org/velmora", "https:// spaced"):
            with self.subTest(url=url):
                self.assertEqual(self.run_tool(self.out, url, "2.50", self.setup, self.zip), 2)
                self.assertFalse(self.out.exists())

    def test_a_missing_setup_writes_nothing(self):
        self.setup.unlink()
        self.assertEqual(self.run_tool(self.out, URL, "2.50", self.setup, self.zip), 1)
        self.assertFalse(self.out.exists())


class ReleaseScript(unittest.TestCase):
    """tools/release names the manifests' address only through VELMORA_RELEASE_URL."""

    def test_no_address_is_written_into_the_release_tools(self):
        tools = Path(release_manifests.__file__).resolve().parent
        for name in ("release", "release_manifests.py", "release_setup.py"):
            with self.subTest(name=name):
                text = (tools / name).read_text()
                self.assertEqual(re.findall(r"https?://(?!example\.org)[\w.-]+", text), [])


if __name__ == "__main__":
    unittest.main()
