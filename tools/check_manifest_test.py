#!/usr/bin/env python3
"""The manifest check finds each way a manifest can break on some Windows, in the shipped manifests."""

import pathlib
import sys
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import check_manifest  # noqa: E402

RES = pathlib.Path(__file__).resolve().parent.parent / "res"
SHIPPED = {"Velmora.manifest": "highestAvailable", "velmora-cli.manifest": "asInvoker"}

# Each: what breaks, the text replaced in the shipped manifest, its replacement, a word of the complaint.
BREAKAGES = [
    ("not well-formed", "</trustInfo>", "</trustinfo>", "well-formed"),
    ("trustInfo in asm.v1", '<trustInfo xmlns="urn:schemas-microsoft-com:asm.v2">', "<trustInfo>", "XP"),
    ("a namespace declared twice on one element",
     '<compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">',
     '<compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1" '
     'xmlns:c="urn:schemas-microsoft-com:compatibility.v1">', "more than once"),
    ("requestedPrivileges in asm.v2", '<requestedPrivileges xmlns="urn:schemas-microsoft-com:asm.v3">',
     "<requestedPrivileges>", "requestedExecutionLevel"),
    ("requireAdministrator", 'level="LEVEL"', 'level="requireAdministrator"', "requireAdministrator"),
    ("Windows 10 missing", '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>', "", "Windows 10"),
    ("Windows 8.1 missing", '<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>', "", "Windows 8.1"),
    ("dpiAware false", "<dpiAware>true</dpiAware>", "<dpiAware>false</dpiAware>", "dpiAware"),
    ("dpiAware outside its namespace",
     '<windowsSettings xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">', "<windowsSettings>",
     "dpiAware"),
    ("Common Controls 6", "</assembly>",
     '<dependency><dependentAssembly><assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" '
     'version="6.0.0.0" publicKeyToken="6595b64144ccf1df" language="*"/></dependentAssembly></dependency>'
     "</assembly>", "Common Controls"),
]


class ShippedManifests(unittest.TestCase):
    def test_each_passes_at_its_level_and_not_at_the_other(self):
        for name, level in SHIPPED.items():
            text = (RES / name).read_bytes()
            self.assertEqual(check_manifest.check_manifest(text, level), [], name)
            other = "asInvoker" if level == "highestAvailable" else "highestAvailable"
            self.assertTrue(check_manifest.check_manifest(text, other), name)

    def test_each_breakage_is_found(self):
        for name, level in SHIPPED.items():
            text = (RES / name).read_text()
            for what, old, new, complaint in BREAKAGES:
                with self.subTest(manifest=name, breakage=what):
                    old = old.replace("LEVEL", level)
                    self.assertIn(old, text)
                    problems = check_manifest.check_manifest(text.replace(old, new).encode(), level)
                    self.assertTrue(any(complaint in p for p in problems), problems)


if __name__ == "__main__":
    unittest.main()
