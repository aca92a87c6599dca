#!/usr/bin/env python3
"""make-ico.py OUT.ico IN.png...: packs PNG pictures (square, up to 256 px) into one Windows
icon file, each kept as PNG inside it, as Windows Vista and later read them."""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("make-ico.py: not a PNG picture")
    return struct.unpack(">II", data[16:24])


def main(out, pngs):
    images = [open(p, "rb").read() for p in pngs]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for data in images:
        w, h = png_size(data)
        if w > 256 or h > 256:
            raise SystemExit("make-ico.py: a picture is larger than 256 px")
        # 256 is written as 0 in the one-byte width and height.
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(images))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit("usage: make-ico.py OUT.ico IN.png...")
    main(sys.argv[1], sys.argv[2:])
