#!/usr/bin/env python3
"""Checks that Windows 95, 98 and NT 4.0 can load the given programs.

Each program must be a 32-bit PE (pei-i386) with subsystem and OS version 4.0 in its header, and import
only the DLLs and functions listed in tools/win9x-imports.txt. Prints every departure and exits 1 if
there is any. Usage: check_imports.py [--objdump PROGRAM] EXE...
"""

import argparse
import pathlib
import re
import subprocess
import sys

ALLOWED = pathlib.Path(__file__).resolve().parent / "win9x-imports.txt"
HEADER = {
    "MajorSubsystemVersion": "4",
    "MinorSubsystemVersion": "0",
    "MajorOSystemVersion": "4",
    "MinorOSystemVersion": "0",
}


def read_allowed(path):
    """{DLL in upper case: set of function names} from the list file."""
    allowed = {}
    dll = None
    for number, raw in enumerate(path.read_text().splitlines(), 1):
        line = raw.split(";", 1)[0].strip()
        if not line or line.startswith("#"):
            continue
        section = re.fullmatch(r"\[([^\]]+)\]", line)
        if section:
            dll = section.group(1).upper()
            allowed.setdefault(dll, set())
        elif dll is None:
            raise SystemExit(f"{path}:{number}: a function before any [DLL] line")
        else:
            allowed[dll].add(line)
    return allowed


def read_program(objdump, exe):
    """(file format, header fields, [(DLL, function)]) as objdump -p reports them."""
    text = subprocess.run([objdump, "-p", str(exe)], check=True, capture_output=True, text=True).stdout
    form = re.search(r"file format (\S+)", text)
    fields = dict(re.findall(r"^(\w+)\s+(\S+)$", text, re.M))
    imports = []
    dll = None
    for line in text.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named.group(1).upper()
            continue
        if not line.strip():
            dll = None
            continue
        # An entry: its address, hint or ordinal, and name ("<none>" when imported by ordinal alone).
        entry = re.match(r"\t([0-9a-f]+)\s+(\d+)\s+(\S+)", line)
        if dll and entry:
            name = entry.group(3)
            imports.append((dll, name if name != "<none>" else f"ordinal {entry.group(2)}"))
    return (form.group(1) if form else "?"), fields, imports


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("programs", nargs="+", type=pathlib.Path)
    args = parser.parse_args()
    allowed = read_allowed(ALLOWED)
    problems = []
    for exe in args.programs:
        form, fields, imports = read_program(args.objdump, exe)
        if form != "pei-i386":
            problems.append(f"{exe.name}: file format {form}, not pei-i386")
        for field, want in HEADER.items():
            if fields.get(field) != want:
                problems.append(f"{exe.name}: {field} is {fields.get(field, 'missing')}, not {want}")
        if not imports:
            problems.append(f"{exe.name}: no imports found (objdump's format not understood?)")
        for dll, function in imports:
            if dll not in allowed:
                problems.append(f"{exe.name}: imports from {dll}, which is not in the list")
            elif function not in allowed[dll]:
                problems.append(f"{exe.name}: imports {dll} {function}, which is not in the list")
        print(f"{exe.name}: {form}, {len(imports)} imports from {len({d for d, _ in imports})} DLLs")
    for problem in sorted(set(problems)):
        print("FAILED:", problem)
    if problems:
        print(f"Windows 95/98/NT 4.0 cannot load these programs as built; the allowed imports are in {ALLOWED}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
