#!/usr/bin/env python3
"""Checks the application manifest that each program carries (resource type 24, id 1).

The manifest must be well-formed XML in the form every Windows from XP on accepts: the assembly in
urn:schemas-microsoft-com:asm.v1 with manifestVersion 1.0; trustInfo in asm.v2 (XP refuses to start a
program whose trustInfo is in asm.v1) holding requestedPrivileges in asm.v3 with the given execution level;
the supportedOS entries of Windows Vista, 7, 8, 8.1 and 10/11; dpiAware true; no Common Controls 6
dependency; and no element that declares one namespace twice (XP SP2 restarts the machine over that).
Windows does not say what is wrong with a manifest, and Wine accepts malformed ones, so this is checked here.

Usage: check_manifest.py LEVEL:PROGRAM.exe...   (a .manifest file instead of a program is read as it is)
Prints every departure and exits 1 if there is any.
"""

import struct
import sys
import xml.parsers.expat

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
ASM_V2 = "urn:schemas-microsoft-com:asm.v2"
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"
COMPATIBILITY = "urn:schemas-microsoft-com:compatibility.v1"
WINDOWS_SETTINGS = "http://schemas.microsoft.com/SMI/2005/WindowsSettings"
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Windows Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
LEVELS = ("asInvoker", "highestAvailable")
RT_MANIFEST = 24
MANIFEST_ID = 1


class Element:
    def __init__(self, name, attributes, parent):
        self.name = name  # "namespace element", as expat reports it with namespaces on
        self.attributes = attributes
        self.parent = parent
        self.children = []
        self.text = ""

    def find(self, *path):
        """The elements at the end of `path` (each step a (namespace, name) pair) below this one."""
        found = [self]
        for namespace, name in path:
            found = [c for e in found for c in e.children if c.name == f"{namespace} {name}"]
        return found


def parse(text):
    """(root element, [problems]) of the manifest's XML; the root is None if it is not well-formed."""
    problems = []
    parser = xml.parsers.expat.ParserCreate(namespace_separator=" ")
    pending = []  # the namespaces declared on the element whose start comes next
    stack = [Element("", {}, None)]

    def declare(prefix, uri):
        pending.append((prefix, uri))

    def start(name, attributes):
        uris = [uri for _, uri in pending]
        for uri in sorted({u for u in uris if uris.count(u) > 1}):
            problems.append(f"<{name.split(' ')[-1]}> declares the namespace {uri} more than once")
        pending.clear()
        element = Element(name, attributes, stack[-1])
        stack[-1].children.append(element)
        stack.append(element)

    def end(_name):
        stack.pop()

    def characters(data):
        stack[-1].text += data

    parser.StartNamespaceDeclHandler = declare
    parser.StartElementHandler = start
    parser.EndElementHandler = end
    parser.CharacterDataHandler = characters
    try:
        parser.Parse(text, True)
    except xml.parsers.expat.ExpatError as error:
        return None, [f"not well-formed XML: {error}"]
    return stack[0].children[0], problems


def check_manifest(text, level):
    """Every departure of the manifest `text` (bytes) from the form above, for execution level `level`."""
    root, problems = parse(text)
    if root is None:
        return problems
    if root.name != f"{ASM_V1} assembly":
        return problems + [f"the root element is {root.name!r}, not assembly in {ASM_V1}"]
    if root.attributes.get("manifestVersion") != "1.0":
        problems.append("assembly has no manifestVersion 1.0")
    if root.find((ASM_V1, "trustInfo")):
        problems.append(f"trustInfo is in {ASM_V1}: Windows XP refuses to start the program")

    levels = root.find((ASM_V2, "trustInfo"), (ASM_V2, "security"), (ASM_V3, "requestedPrivileges"),
                       (ASM_V3, "requestedExecutionLevel"))
    if len(levels) != 1:
        problems.append(f"{len(levels)} requestedExecutionLevel elements in asm.v2 trustInfo/security and "
                        "asm.v3 requestedPrivileges, not one")
    else:
        found = levels[0].attributes.get("level")
        if found != level:
            problems.append(f"requestedExecutionLevel is {found!r}, not {level!r}")
        if levels[0].attributes.get("uiAccess", "false") != "false":
            problems.append("requestedExecutionLevel asks for uiAccess")

    named = {e.attributes.get("Id", "").lower()
             for e in root.find((COMPATIBILITY, "compatibility"), (COMPATIBILITY, "application"),
                                (COMPATIBILITY, "supportedOS"))}
    for guid, system in SUPPORTED_OS.items():
        if guid not in named:
            problems.append(f"no supportedOS entry for {system} ({guid})")

    aware = root.find((ASM_V3, "application"), (WINDOWS_SETTINGS, "windowsSettings"),
                      (WINDOWS_SETTINGS, "dpiAware"))
    if [e.text.strip().lower() for e in aware] != ["true"]:
        problems.append("no single dpiAware true in asm.v3 application/windowsSettings")

    for identity in root.find((ASM_V1, "dependency"), (ASM_V1, "dependentAssembly"), (ASM_V1, "assemblyIdentity")):
        if identity.attributes.get("name", "").lower() == "microsoft.windows.common-controls":
            problems.append("a Common Controls dependency: the program keeps the classic look")
    return problems


def section_offset(data, rva):
    """The file offset of the relative virtual address `rva` of the PE file `data`."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    table = pe + 24 + optional_size
    for index in range(sections):
        size, address, _, raw = struct.unpack_from("<4I", data, table + 40 * index + 8)
        if address <= rva < address + size:
            return rva - address + raw
    raise ValueError(f"the address {rva:#x} lies in no section")


def manifests_of(data):
    """[(type, id, bytes)] of the PE file's RT_MANIFEST resources."""
    if data[:2] != b"MZ":
        raise ValueError("not a PE file")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    magic = struct.unpack_from("<H", data, pe + 24)[0]
    directories = pe + 24 + (96 if magic == 0x10B else 112)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    if resource_rva == 0:
        return []
    base = section_offset(data, resource_rva)

    def entries(offset):
        named, numbered = struct.unpack_from("<HH", data, base + offset + 12)
        for index in range(named + numbered):
            name, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * index)
            yield name, target

    found = []
    for kind, types in entries(0):
        if kind != RT_MANIFEST or not types & 0x80000000:
            continue
        for ident, languages in entries(types & 0x7FFFFFFF):
            for _, leaf in entries(languages & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", data, base + leaf)
                start = section_offset(data, rva)
                found.append((kind, ident, data[start:start + size]))
    return found


def check_program(path, level):
    data = open(path, "rb").read()
    if path.endswith(".manifest"):
        return check_manifest(data, level)
    manifests = manifests_of(data)
    ids = [ident for _, ident, _ in manifests]
    if ids != [MANIFEST_ID]:
        return [f"manifest resources with the ids {ids}, not the one resource {MANIFEST_ID}"]
    return check_manifest(manifests[0][2], level)


def main(arguments):
    if not arguments:
        print(__doc__.strip().splitlines()[-2], file=sys.stderr)
        return 2
    failed = False
    for argument in arguments:
        level, _, path = argument.partition(":")
        if level not in LEVELS or not path:
            print(f"{argument}: expected LEVEL:PATH with LEVEL one of {', '.join(LEVELS)}", file=sys.stderr)
            return 2
        try:
            problems = check_program(path, level)
        except (OSError, ValueError, struct.error) as error:
            problems = [f"cannot be read: {error}"]
        for problem in problems:
            print(f"{path}: {problem}")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
