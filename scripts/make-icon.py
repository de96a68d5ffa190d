#!/usr/bin/env python3
"""Writes the installer's icon (resource 145): a 32x32 32-bit .ico, drawn
here so that no binary image lives in the tree.

usage: make-icon.py <out.ico>
"""
import struct
import sys

SIZE = 32


def pixel(x, y):
    # A blue rounded square with a white note-like bar: B, G, R, A.
    inside = 2 <= x < 30 and 2 <= y < 30
    corner = min(x - 2, 29 - x) + min(y - 2, 29 - y) < 3
    if not inside or corner:
        return (0, 0, 0, 0)
    if 18 <= x < 21 and 7 <= y < 22 or 10 <= x < 21 and 19 <= y < 24:
        return (255, 255, 255, 255)
    return (0xF0, 0x8C, 0x2D, 255)


def main(out):
    rows = []
    for y in reversed(range(SIZE)):  # bottom-up DIB rows
        rows.append(b"".join(bytes(pixel(x, y)) for x in range(SIZE)))
    xor = b"".join(rows)
    mask = b"\0" * (SIZE * 4)  # 32 bits per row of 1-bit AND mask, all opaque
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open(out, "wb") as f:
        f.write(icondir + entry + image)


if __name__ == "__main__":
    main(sys.argv[1])
