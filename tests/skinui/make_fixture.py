#!/usr/bin/env python3
"""Writes the skin fixture folder (layouts, PNG images, a binary blob) and packs
it with the 7zz archiver, as the real skin is packed.

usage: make_fixture.py <output folder> <archive path>
"""
import os
import random
import shutil
import struct
import subprocess
import sys
import zlib


def png(width, height, rgba_at):
    """An 8-bit RGBA PNG; rgba_at(x, y) gives the pixel."""
    rows = b""
    for y in range(height):
        rows += b"\x00" + b"".join(bytes(rgba_at(x, y)) for x in range(width))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows))
            + chunk(b"IEND", b""))


def write(root, relative, data):
    path = os.path.join(root, *relative.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    out, archive = sys.argv[1], sys.argv[2]
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    write(out, "mainWnd.xml", '<?xml version="1.0" encoding="utf-8"?>\r\n'
          '<Window size="600,400">\r\n  <Font id="0" name="微软雅黑" size="12" />\r\n'
          '  <VerticalLayout bkcolor="#FFFFFFFF">\r\n    <Label text="安装" />\r\n'
          '  </VerticalLayout>\r\n</Window>\r\n'.encode("utf-8"))
    write(out, "message.xml", b"<Window><Control name=\"x\" /></Window>")
    write(out, "empty.xml", b"")
    # A 4 x 4 image: red opaque, half-transparent red, transparent, blue.
    write(out, "res/mainWnd/bg1.png", png(4, 4, lambda x, y: [
        (255, 0, 0, 255), (255, 0, 0, 128), (0, 0, 0, 0), (0, 0, 255, 255)][x]))
    # A 410 x 8 progress bar: 2-pixel green ends, grey middle.
    write(out, "res/mainWnd/progress.png", png(10, 8, lambda x, y: (
        (0, 255, 0, 255) if x < 2 or x >= 8 else (128, 128, 128, 255))))
    rnd = random.Random(147)
    write(out, "res/common/blob.bin", bytes(rnd.getrandbits(8) for _ in range(70000)))
    os.makedirs(os.path.join(out, "res", "emptydir"), exist_ok=True)
    if os.path.exists(archive):
        os.remove(archive)
    subprocess.run(["7zz", "a", "-t7z", "-bso0", "-bsp0", archive, "."], cwd=out, check=True)


if __name__ == "__main__":
    main()
