#!/usr/bin/env python3
"""Builds the program's icons from their text pixel maps.

Each map src/<id>_<name>.txt becomes <id>_<name>.ico and a line of icons.rc naming it IDI_<NAME>, which
the resource.h beside DIR must define as <id>. Characters stand for palette colours as src/legend.txt
lists them; '.' is transparent. A map may add characters of its own with lines such as "q = #FF6666"
(8 bpp maps only) and chooses its depth with "bpp = 4" (the default) or "bpp = 8". A map holds one
32 x 32 image unless it says otherwise: each "size = N" line (16, 24, 32 or 48) starts an image of N
rows of N characters, and the .ico keeps the images in the map's order. Lines starting with '#' are
comments.

    make_icons.py [DIR]            write every .ico and icons.rc of DIR (default: this script's folder)
    make_icons.py --check [DIR]    rebuild in memory; exit 1 if a written file differs or is missing

DIR holds src/ with the maps; its legend is DIR/src/legend.txt when there is one, else this folder's.

The output depends only on the maps, so the same maps always give the same bytes.
"""

import re
import struct
import sys
from pathlib import Path

SIZE = 32  # of a map that names no size
SIZES = (16, 24, 32, 48)
HERE = Path(__file__).resolve().parent
TRANSPARENT = "."
MAP_NAME = re.compile(r"^(\d+)_([a-z0-9_]+)\.txt$")


class MapError(Exception):
    pass


def parse_colour(text, where):
    m = re.fullmatch(r"#?([0-9A-Fa-f]{6})", text)
    if not m:
        raise MapError(f"{where}: '{text}' is not a colour (#RRGGBB)")
    value = int(m.group(1), 16)
    return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF


def read_legend(path):
    """Returns {char: palette index} and the 16 base colours, from lines 'char index RRGGBB name'."""
    chars, colours = {}, {}
    for number, line in enumerate(path.read_text().splitlines(), 1):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        fields = line.split()
        if len(fields) < 3 or len(fields[0]) != 1 or not fields[1].isdigit():
            raise MapError(f"{path.name}:{number}: expected 'char index RRGGBB name'")
        char, index = fields[0], int(fields[1])
        if char in (TRANSPARENT, "=", "#") or char in chars or not 0 <= index < 16 or index in colours:
            raise MapError(f"{path.name}:{number}: '{char}' or index {index} is invalid or repeated")
        chars[char] = index
        colours[index] = parse_colour(fields[2], f"{path.name}:{number}")
    if sorted(colours) != list(range(16)):
        raise MapError(f"{path.name}: the legend must give all 16 palette entries")
    return chars, [colours[i] for i in range(16)]


def palette_256(base16):
    """The 8 bpp palette: the 16 base colours, a 6 x 6 x 6 colour cube, then a 24-step grey ramp."""
    steps = [0, 51, 102, 153, 204, 255]
    cube = [(r, g, b) for r in steps for g in steps for b in steps]
    greys = [(v, v, v) for v in range(8, 248, 10)]
    palette = list(base16) + cube + greys
    assert len(palette) == 256
    return palette


def read_map(path, legend_chars, base16):
    """Returns (bits per pixel, palette, images); an image is its rows of palette indices (None for
    transparent)."""
    bpp, extra, images = 4, {}, []  # images: [size, [(line number, row)]]
    for number, raw in enumerate(path.read_text().splitlines(), 1):
        line = raw.rstrip()
        where = f"{path.name}:{number}"
        if not line or line.startswith("#"):
            continue
        if "=" in line:  # '=' is never a pixel, so this is a setting or a legend line
            setting = re.fullmatch(r"\s*(\S+)\s*=\s*(\S+)(\s.*)?", line)
            if not setting:
                raise MapError(f"{where}: expected 'name = value'")
            key, value = setting.group(1), setting.group(2)
            if key == "bpp":
                if value not in ("4", "8"):
                    raise MapError(f"{where}: bpp must be 4 or 8")
                bpp = int(value)
            elif key == "size":
                if not value.isdigit() or int(value) not in SIZES:
                    raise MapError(f"{where}: size must be one of {', '.join(map(str, SIZES))}")
                images.append([int(value), []])
            elif len(key) == 1 and key != TRANSPARENT and key not in legend_chars:
                extra[key] = parse_colour(value, where)
            else:
                raise MapError(f"{where}: unknown setting or legend character '{key}'")
            continue
        if not images:
            images.append([SIZE, []])
        size, rows = images[-1]
        if len(line) != size:
            raise MapError(f"{where}: a pixel row must have {size} characters, not {len(line)}")
        if len(rows) == size:
            raise MapError(f"{where}: more than {size} pixel rows in a {size} x {size} image")
        rows.append((number, line))
    if not images:
        raise MapError(f"{path.name}: no pixel rows")
    for size, rows in images:
        if len(rows) != size:
            raise MapError(f"{path.name}: {len(rows)} pixel rows in a {size} x {size} image")
    if len({size for size, _ in images}) != len(images):
        raise MapError(f"{path.name}: two images of the same size")
    if extra and bpp != 8:
        raise MapError(f"{path.name}: extra colours need bpp = 8 (4 bpp icons use the 16 legend colours)")

    palette = base16 if bpp == 4 else palette_256(base16)
    lookup = dict(legend_chars)
    for char, rgb in extra.items():
        if rgb not in palette:
            raise MapError(f"{path.name}: colour of '{char}' is not in the 256-colour palette")
        lookup[char] = palette.index(rgb)

    pixel_images = []
    for size, rows in images:
        pixels = []
        for number, line in rows:
            row = []
            for char in line:
                if char == TRANSPARENT:
                    row.append(None)
                elif char in lookup:
                    row.append(lookup[char])
                else:
                    raise MapError(f"{path.name}:{number}: character '{char}' is not in the legend")
            pixels.append(row)
        pixel_images.append(pixels)
    return bpp, palette, pixel_images


def encode_image(bpp, palette, pixels):
    """One image of an .ico: BITMAPINFOHEADER (height doubled), palette, XOR bits, AND mask."""
    size = len(pixels)
    xor_stride = (size * bpp + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # DIB rows are stored bottom-up
        xor_bits = bytearray(xor_stride)
        and_bits = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is None:
                and_bits[x // 8] |= 0x80 >> (x % 8)
                index = 0  # transparent pixels are black in the XOR image so the screen shows through
            if bpp == 4:
                xor_bits[x // 2] |= index << (4 if x % 2 == 0 else 0)
            else:
                xor_bits[x] = index
        xor_rows.append(bytes(xor_bits))
        and_rows.append(bytes(and_bits))
    bits = b"".join(xor_rows) + b"".join(and_rows)
    palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, len(bits), 0, 0, 0, 0)
    return header + palette_bytes + bits


def encode_ico(bpp, palette, images):
    """The .ico file: directory, one entry per image, then the images in the same order."""
    colours = 1 << bpp
    encoded = [encode_image(bpp, palette, pixels) for pixels in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = [], []
    for pixels, image in zip(images, encoded):
        size = len(pixels)
        entries.append(struct.pack("<BBBBHHII", size, size, colours % 256, 0, 1, bpp, len(image), offset))
        offset += len(image)
    return directory + b"".join(entries) + b"".join(encoded)


def build(folder):
    """Returns {path: bytes} for every file this script writes into folder."""
    src = folder / "src"
    legend = src / "legend.txt"
    legend_chars, base16 = read_legend(legend if legend.is_file() else HERE / "src" / "legend.txt")
    outputs, rc_lines, ids = {}, [], set()
    # icons.rc names each icon; the resource.h beside DIR declares the names, for the scripts and the code.
    declared = dict(re.findall(r"^#define (IDI_\w+) (\d+)", (folder.parent / "resource.h").read_text(), re.M))
    def icon_order(path):
        m = MAP_NAME.match(path.name)
        return (int(m.group(1)) if m else 0, path.name)

    for map_file in sorted(src.glob("*.txt"), key=icon_order):
        if map_file == legend:
            continue
        m = MAP_NAME.match(map_file.name)
        if not m:
            raise MapError(f"{map_file.name}: map files are named <id>_<name>.txt")
        if m.group(1) in ids:
            raise MapError(f"{map_file.name}: icon id {m.group(1)} is used twice")
        ids.add(m.group(1))
        ico_name = map_file.stem + ".ico"
        outputs[folder / ico_name] = encode_ico(*read_map(map_file, legend_chars, base16))
        name = "IDI_" + m.group(2).upper()
        if declared.get(name) != m.group(1):
            raise MapError(f"{map_file.name}: {folder.parent.name}/resource.h must define {name} as {m.group(1)}")
        rc_lines.append(f'{name} ICON "icons/{ico_name}"\n')
    rc = "// Written by make_icons.py from src/*.txt; edit the maps, not this file.\n" + "".join(rc_lines)
    outputs[folder / "icons.rc"] = rc.encode("ascii")
    return outputs


def main(argv):
    check = argv[:1] == ["--check"]
    rest = argv[1:] if check else argv
    if len(rest) > 1 or any(arg.startswith("-") for arg in rest):
        print(__doc__, file=sys.stderr)
        return 2
    folder = Path(rest[0]).resolve() if rest else HERE
    if not (folder / "src").is_dir():
        print(f"make_icons: {folder} has no src folder of pixel maps", file=sys.stderr)
        return 2
    try:
        outputs = build(folder)
    except MapError as error:
        print(f"make_icons: {error}", file=sys.stderr)
        return 1
    if check:
        stale = [p for p, data in outputs.items() if not p.is_file() or p.read_bytes() != data]
        orphans = [p for p in folder.glob("*.ico") if p not in outputs]
        for path in stale:
            print(f"make_icons: {path.name} is not up to date with its source", file=sys.stderr)
        for path in orphans:
            print(f"make_icons: {path.name} has no source map", file=sys.stderr)
        if stale or orphans:
            print(f"make_icons: run res/icons/make_icons.py {folder} and commit the result", file=sys.stderr)
            return 1
        print(f"make_icons: {len(outputs) - 1} icons and icons.rc of {folder.name}/ match their sources")
        return 0
    for path, data in outputs.items():
        if not path.is_file() or path.read_bytes() != data:
            path.write_bytes(data)
            print(f"wrote {path.name}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
