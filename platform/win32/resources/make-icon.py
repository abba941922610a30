#!/usr/bin/env python3
"""Writes the program's icon file from the window icon's pixel art.

The art and its colours stay where the program keeps them: the rows of
kIcon in assets/WindowIcon.cpp and the letters of InkOf in assets/Cursors.cpp.
The file holds the 16 x 16 picture and, for larger views, the same picture
with every pixel doubled (32 x 32), both 32 bits with alpha.

    make-icon.py assets/WindowIcon.cpp assets/Cursors.cpp out.ico
"""

import re
import struct
import sys


def read_rows(source):
    body = re.search(r"kIcon\[\]\s*=\s*\{(.*?)\};", source, re.S)
    if not body:
        raise SystemExit("make-icon: no kIcon table found")
    rows = re.findall(r'"([^"]*)"', body.group(1))
    if not rows or any(len(row) != len(rows[0]) for row in rows):
        raise SystemExit("make-icon: the kIcon rows are missing or of different lengths")
    return rows


def read_inks(source):
    inks = {}
    for letter, r, g, b, a in re.findall(
            r"case '(.)':\s*return \{(\d+), (\d+), (\d+), (\d+)\};", source):
        inks[letter] = (int(r), int(g), int(b), int(a))
    if not inks:
        raise SystemExit("make-icon: no colours found in InkOf")
    return inks


def image(rows, inks, scale):
    """One icon image: header, colour rows and mask rows, both bottom-up."""
    width, height = len(rows[0]) * scale, len(rows) * scale
    colour = bytearray()
    mask = bytearray()
    mask_stride = (width + 31) // 32 * 4
    for y in reversed(range(height)):
        line = rows[y // scale]
        mask_row = bytearray(mask_stride)
        for x in range(width):
            r, g, b, a = inks.get(line[x // scale], (0, 0, 0, 0))
            colour += bytes((b, g, r, a))
            if a == 0:
                mask_row[x // 8] |= 0x80 >> (x % 8)
        mask += mask_row
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return width, height, header + colour + mask


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        rows = read_rows(f.read())
    with open(sys.argv[2], encoding="utf-8") as f:
        inks = read_inks(f.read())
    images = [image(rows, inks, scale) for scale in (1, 2)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, data in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    with open(sys.argv[3], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
