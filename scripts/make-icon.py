#!/usr/bin/env python3
"""Turns the application icon's XPM (32 x 32, at most 16 colours) into a
Windows .ico: one 32 x 32 image at 4 bits per pixel, 766 bytes in all; or,
for an OUTPUT ending in .png, into a 32 x 32 RGBA PNG for the icon theme.

Usage: make-icon.py INPUT.xpm OUTPUT.ico|OUTPUT.png

Written by hand rather than with an image converter, which picks the bit
depth from the colours in use and so does not reliably give 4 bpp.
"""
import re
import struct
import sys
import zlib

SIZE = 32
COLOURS = 16


def fail(message):
    sys.exit("make-icon: " + message)


def read_xpm(path):
    """Returns (rows, colours): rows of pixel keys, and key -> (r, g, b) or
    None for the transparent colour."""
    with open(path, encoding="ascii") as f:
        strings = re.findall(r'"((?:[^"\\]|\\.)*)"', f.read())
    if not strings:
        fail(f"{path}: no XPM strings")
    try:
        width, height, ncolours, cpp = (int(v) for v in strings[0].split()[:4])
    except ValueError:
        fail(f"{path}: bad XPM header {strings[0]!r}")
    if (width, height) != (SIZE, SIZE):
        fail(f"{path}: the icon must be {SIZE} x {SIZE}, not {width} x {height}")
    if len(strings) != 1 + ncolours + height:
        fail(f"{path}: expected {ncolours} colours and {height} rows")
    colours = {}
    for line in strings[1:1 + ncolours]:
        key, rest = line[:cpp], line[cpp:].split()
        if len(rest) < 2 or rest[0] != "c":
            fail(f"{path}: unsupported colour line {line!r}")
        value = rest[1]
        if value.lower() == "none":
            colours[key] = None
        elif re.fullmatch(r"#[0-9A-Fa-f]{6}", value):
            colours[key] = tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
        else:
            fail(f"{path}: colours must be #RRGGBB or None, not {value!r}")
    rows = []
    for line in strings[1 + ncolours:]:
        if len(line) != width * cpp:
            fail(f"{path}: row {line!r} is not {width} pixels wide")
        row = [line[i:i + cpp] for i in range(0, len(line), cpp)]
        for key in row:
            if key not in colours:
                fail(f"{path}: undefined colour key {key!r}")
        rows.append(row)
    return rows, colours


def make_ico(rows, colours):
    # Index 0 is black, so a transparent pixel (AND bit 1, colour 0) shows
    # the background unchanged.
    palette = [(0, 0, 0)]
    index = {}
    for key, rgb in colours.items():
        if rgb is None:
            continue
        if rgb not in palette:
            palette.append(rgb)
        index[key] = palette.index(rgb)
    if len(palette) > COLOURS:
        fail(f"{len(palette)} colours, at most {COLOURS} fit a 4-bit icon")
    palette += [(0, 0, 0)] * (COLOURS - len(palette))

    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        nibbles = [index.get(key, 0) for key in row]
        xor += bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2))
        bits = 0
        for key in row:
            bits = (bits << 1) | (1 if colours[key] is None else 0)
        mask += bits.to_bytes(SIZE // 8, "big")  # 32 bits: already 4-byte aligned

    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, COLOURS, 0)
    image = header + b"".join(struct.pack("<BBBB", b, g, r, 0)
                              for r, g, b in palette) + xor + mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, COLOURS, 0, 1, 4, len(image),
                        len(icondir) + 16)
    return icondir + entry + image


def make_png(rows, colours):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))

    pixels = bytearray()
    for row in rows:
        pixels.append(0)  # no filter
        for key in row:
            rgb = colours[key]
            pixels += bytes((0, 0, 0, 0)) if rgb is None else bytes((*rgb, 255))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(pixels), 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 3:
        fail("usage: make-icon.py INPUT.xpm OUTPUT.ico|OUTPUT.png")
    rows, colours = read_xpm(sys.argv[1])
    if sys.argv[2].endswith(".png"):
        image = make_png(rows, colours)
    else:
        image = make_ico(rows, colours)
        assert len(image) == 766, len(image)
    with open(sys.argv[2], "wb") as f:
        f.write(image)


if __name__ == "__main__":
    main()
