#!/usr/bin/env python3
"""Adds to Halibut's Windows Help file what the program needs of it and Halibut does not write.

    finish_winhelp.py INPUT.hlp OUTPUT.hlp TOPICS.h RESOURCE.h

- Context numbers: Halibut names each topic (\\cfg{winhelp-topic}) but numbers none, and its |CTXOMAP,
  the table HELP_CONTEXT looks numbers up in, is empty. OUTPUT.hlp maps each number of TOPICS.h (a
  template id of RESOURCE.h) to the topic of that name; a topic the file does not have fails, named.
- The main window's caption: a window definition "main" captioned with the help's title (|SYSTEM),
  which viewers that do not take the title by themselves (Wine's) show.

Each changed internal file is written anew at the end of the file, where the directory then finds it.
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


def internal_file(hlp, name):
    """The data of an internal file."""
    files = internal_files(hlp)
    if name not in files:
        raise ValueError(f"the help file has no {name}")
    at = files[name][1]
    used = struct.unpack_from("<i", hlp, at + 4)[0]
    return hlp[at + FILE_HEADER : at + FILE_HEADER + used]


def replaced(hlp, name, body):
    """The help file with the internal file `name` holding `body`: written at the end, where the
    directory then names it; its old copy is left unused."""
    entry_at, old_at = internal_files(hlp)[name]
    flags = hlp[old_at + 8]
    out = bytearray(hlp)
    new_at = len(out)
    # The space a file takes counts its own header; the used space does not.
    out += struct.pack("<iiB", FILE_HEADER + len(body), len(body), flags) + body
    struct.pack_into("<i", out, entry_at, new_at)
    struct.pack_into("<I", out, 12, len(out))  # the whole file's size
    return bytes(out)


def with_context_map(hlp, table):
    offsets = topic_offsets(hlp, internal_files(hlp)["|CONTEXT"][1])
    entries = []
    for number, name in sorted(table):
        offset = offsets.get(context_hash(name))
        if offset is None:
            raise ValueError(f"the help file has no topic {name!r} (context {number})")
        entries.append(struct.pack("<iI", number, offset))
    return replaced(hlp, "|CTXOMAP", struct.pack("<H", len(entries)) + b"".join(entries))


SYSTEM_HEADER = 12  # magic, version (2 + 2), generation date, flags
TITLE_RECORD = 1
WINDOW_RECORD = 6
# A window definition's fields: which of them are given, type, name, caption, place and size, how it
# opens, and the background colours of its scrolling and non-scrolling regions.
WINDOW_FORMAT = "<H10s9s51shhhhh4s4s"
TYPE_GIVEN, NAME_GIVEN, CAPTION_GIVEN = 0x0001, 0x0002, 0x0004


def system_records(system):
    at = SYSTEM_HEADER
    while at + 4 <= len(system):
        kind, size = struct.unpack_from("<HH", system, at)
        yield kind, system[at + 4 : at + 4 + size]
        at += 4 + size


def with_main_window_caption(hlp):
    system = internal_file(hlp, "|SYSTEM")
    records = dict(system_records(system))
    if WINDOW_RECORD in records:
        raise ValueError("the help file defines windows of its own already")
    title = records.get(TITLE_RECORD, b"").split(b"\0")[0]
    if not title:
        raise ValueError("the help file has no title")
    if len(title) > 50:
        raise ValueError("the help's title is too long for a window caption")
    window = struct.pack(WINDOW_FORMAT, TYPE_GIVEN | NAME_GIVEN | CAPTION_GIVEN, b"primary", b"main", title,
                         0, 0, 0, 0, 0, b"\xff\xff\xff\0", b"\xff\xff\xff\0")
    record = struct.pack("<HH", WINDOW_RECORD, len(window)) + window
    return replaced(hlp, "|SYSTEM", system + record)


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    source, output, topics, resources = (Path(a) for a in argv)
    try:
        table = topic_table(topics.read_text(), resources.read_text())
        result = with_main_window_caption(with_context_map(source.read_bytes(), table))
    except (ValueError, OSError, struct.error) as error:
        print(f"context_map: {source}: {error}", file=sys.stderr)
        return 1
    partial = output.with_name(output.name + ".partial")
    partial.write_bytes(result)
    partial.replace(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
