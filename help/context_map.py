#!/usr/bin/env python3
"""Gives a Windows Help file the context numbers of the program's topics.

    context_map.py INPUT.hlp OUTPUT.hlp TOPICS.h RESOURCE.h

Halibut names each topic (\\cfg{winhelp-topic}) but numbers none: its |CTXOMAP, the table that
HELP_CONTEXT looks numbers up in, is empty. This writes OUTPUT.hlp, a copy of INPUT.hlp whose |CTXOMAP
maps each number of TOPICS.h (a template id of RESOURCE.h) to the topic of that name. Fails, naming it,
on a topic the help file does not have.
"""

import re
import struct
import sys
from pathlib import Path

FILE_HEADER = 9  # reserved space (4), used space (4), flags (1)
BTREE_HEADER = 38


def topic_table(topics_h, resource_h):
    ids = dict(re.findall(r"^#define\s+(IDD_\w+)\s+(\d+)\s*$", resource_h, re.M))
    table = []
    for name, topic in re.findall(r"\{\s*(IDD_\w+)\s*,\s*\"([A-Za-z0-9]+)\"\s*\}", topics_h):
        if name not in ids:
            raise ValueError(f"{name} is not a template id of the resource header")
        table.append((int(ids[name]), topic))
    if not table:
        raise ValueError("the topics header lists no topics")
    return table


def context_hash(name):
    """WinHelp's hash of a topic name, as its |CONTEXT tree is keyed (letters and digits only)."""
    value = 0
    for c in name.upper():
        if "1" <= c <= "9":
            code = ord(c) - ord("0")
        elif c == "0":
            code = 10
        elif "A" <= c <= "Z":
            code = ord(c) - ord("A") + 17
        else:
            raise ValueError(f"topic name {name!r}: only letters and digits are hashed here")
        value = (value * 43 + code) & 0xFFFFFFFF
    return value - (1 << 32) if value >= 1 << 31 else value


def leaf_pages(data, start):
    """The leaf pages of the B+ tree whose header is at `start`, in key order: (offset, entry count)."""
    page_size = struct.unpack_from("<H", data, start + 4)[0]
    root, _, _, levels = struct.unpack_from("<hhhh", data, start + 26)
    pages = start + BTREE_HEADER
    page = root
    for _ in range(levels - 1):  # index pages: the leftmost child is the page before every key
        page = struct.unpack_from("<h", data, pages + page * page_size + 4)[0]
    while page != -1:
        at = pages + page * page_size
        entries, _, following = struct.unpack_from("<hhh", data, at + 2)
        yield at + 8, entries
        page = following


def internal_files(hlp):
    """Name -> (offset of its directory entry's file offset, offset of the file) of the file system."""
    magic, directory = struct.unpack_from("<Ii", hlp, 0)
    if magic != 0x00035F3F:
        raise ValueError("not a Windows Help file")
    files = {}
    for at, entries in leaf_pages(hlp, directory + FILE_HEADER):
        for _ in range(entries):
            end = hlp.index(b"\0", at)
            name = hlp[at:end].decode("latin-1")
            files[name] = (end + 1, struct.unpack_from("<i", hlp, end + 1)[0])
            at = end + 5
    return files


def topic_offsets(hlp, context_at):
    offsets = {}
    for at, entries in leaf_pages(hlp, context_at + FILE_HEADER):
        for i in range(entries):
            key, offset = struct.unpack_from("<iI", hlp, at + 8 * i)
            offsets[key] = offset
    return offsets


def with_context_map(hlp, table):
    files = internal_files(hlp)
    for needed in ("|CONTEXT", "|CTXOMAP"):
        if needed not in files:
            raise ValueError(f"the help file has no {needed}")
    offsets = topic_offsets(hlp, files["|CONTEXT"][1])
    entries = []
    for number, name in sorted(table):
        offset = offsets.get(context_hash(name))
        if offset is None:
            raise ValueError(f"the help file has no topic {name!r} (context {number})")
        entries.append(struct.pack("<iI", number, offset))
    body = struct.pack("<H", len(entries)) + b"".join(entries)
    entry_at, old_at = files["|CTXOMAP"]
    flags = hlp[old_at + 8]
    # The new map goes at the end; the directory names it there, and the old one is left unused.
    new_at = len(hlp)
    out = bytearray(hlp)
    out += struct.pack("<iiB", len(body), len(body), flags) + body
    struct.pack_into("<i", out, entry_at, new_at)
    struct.pack_into("<I", out, 12, len(out))  # the whole file's size
    return bytes(out)


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    source, output, topics, resources = (Path(a) for a in argv)
    try:
        table = topic_table(topics.read_text(), resources.read_text())
        result = with_context_map(source.read_bytes(), table)
    except (ValueError, OSError, struct.error) as error:
        print(f"context_map: {source}: {error}", file=sys.stderr)
        return 1
    partial = output.with_name(output.name + ".partial")
    partial.write_bytes(result)
    partial.replace(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
