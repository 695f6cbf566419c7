#!/usr/bin/env python3
"""Builds Velmora's setup program with makensis from installer/Velmora.nsi.

    release_setup.py [--amd64] [--makensis PROGRAM] OUTPUT.exe FOLDER STAMP

FOLDER holds the files the setup installs (FILES below). The setup's bytes depend only on those files,
the script and makensis: makensis stores each packed file's modification time in the setup (the
installer gives it to the installed file), so every file's time is set to STAMP (seconds since 1970)
first. Everything else makensis writes is fixed by the script or by the stub it copies (whose PE header
carries the stub's own build time, the same on every run). --amd64 builds the 64-bit Unicode setup of
the 64-bit programs, which only the Wine tests use.
"""

import argparse
import os
import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SCRIPT = ROOT / "installer" / "Velmora.nsi"
VERSION_RC = ROOT / "res" / "version.rc"
FILES = ("Velmora.exe", "velmora-cli.exe", "Icobank.exe", "Velmora.hlp", "Velmora.cnt", "Velmora.chm", "README.txt")


def read_version(path=VERSION_RC):
    """(text, dotted numbers) of res/version.rc: ("2.50", "2.50.0.0")."""
    source = path.read_text()
    text = re.search(r'^#define VELMORA_VERSION_TEXT "([^"]+)"$', source, re.M)
    numbers = re.search(r"^#define VELMORA_VERSION_NUMBERS (\d+), *(\d+), *(\d+), *(\d+)$", source, re.M)
    if not text or not numbers:
        raise SystemExit(f"release_setup: no VELMORA_VERSION_TEXT or VELMORA_VERSION_NUMBERS in {path}")
    return text.group(1), ".".join(numbers.groups())


def build_setup(output, folder, stamp, amd64=False, makensis="makensis"):
    missing = [name for name in FILES if not (folder / name).is_file()]
    if missing:
        raise SystemExit(f"release_setup: not in {folder}: {', '.join(missing)}")
    for name in FILES:
        os.utime(folder / name, (stamp, stamp))
    version, numbers = read_version()
    partial = output.with_name(output.name + ".partial")
    command = [makensis, "-V2", "-WX", "-INPUTCHARSET", "UTF8", f"-DVELMORA_VERSION={version}",
               f"-DVELMORA_VERSION_NUMBERS={numbers}", f"-DVELMORA_FILES={folder.resolve()}",
               f"-DVELMORA_SETUP={partial.resolve()}"]
    if amd64:
        command.append("-DVELMORA_SETUP_AMD64")
    subprocess.run(command + [str(SCRIPT)], check=True)
    partial.replace(output)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--amd64", action="store_true")
    parser.add_argument("--makensis", default="makensis")
    parser.add_argument("output", type=Path)
    parser.add_argument("folder", type=Path)
    parser.add_argument("stamp", type=int)
    args = parser.parse_args(argv)
    build_setup(args.output, args.folder, args.stamp, args.amd64, args.makensis)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
