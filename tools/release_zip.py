#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on the files put in it.

    release_zip.py OUTPUT.zip FOLDER STAMP FILE...

Each FILE of FOLDER is stored as FOLDER's name/FILE, in sorted order, with the time STAMP (seconds since
1970, no earlier than 1980-01-01, read as UTC), the same permissions for every file (rw-r--r--, or
rwxr-xr-x for .exe files), deflate at level 9, and no extra fields or comment.
"""

import sys
import time
import zipfile
from pathlib import Path

EARLIEST = 315532800  # 1980-01-01 00:00:00 UTC, the earliest time a zip entry can hold


def write_zip(output, folder, stamp, names):
    date_time = time.gmtime(max(stamp, EARLIEST))[:6]
    partial = output.with_name(output.name + ".partial")
    with zipfile.ZipFile(partial, "w") as archive:
        for name in sorted(names):
            info = zipfile.ZipInfo(f"{folder.name}/{name}", date_time=date_time)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so that the permissions below are read as such
            mode = 0o755 if name.lower().endswith(".exe") else 0o644
            info.external_attr = (0o100000 | mode) << 16
            archive.writestr(info, (folder / name).read_bytes(), compresslevel=9)
    partial.replace(output)


def main(argv):
    if len(argv) < 4 or not argv[2].isdigit():
        print(__doc__, file=sys.stderr)
        return 2
    output, folder, stamp, names = Path(argv[0]), Path(argv[1]), int(argv[2]), argv[3:]
    missing = [name for name in names if not (folder / name).is_file()]
    if missing:
        print(f"release_zip: not in {folder}: {', '.join(missing)}", file=sys.stderr)
        return 1
    write_zip(output, folder, stamp, names)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
