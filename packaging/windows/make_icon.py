#!/usr/bin/env python3
"""Writes the Windows icon (orvik.ico: 16, 32, 48 and 256 pixels, 32-bit
PNG images) from the shapes of packaging/orvik.svg: a dark rounded square,
a white plan of two rooms with a green door swing, cyan dash-dotted
dimension lines and a yellow arrow, drawn supersampled.

Usage: make_icon.py OUTPUT.ico
       make_icon.py OUTPUT.png SIZE   (one PNG image, for the page's manifest)"""
import math
import struct
import sys
import zlib

BACK = (0x1E, 0x26, 0x30)
WHITE, GREEN, CYAN, YELLOW = (255, 255, 255), (0, 255, 0), (0, 255, 255), (255, 255, 0)
STROKE = 2.5


def segments():
    """The strokes in the 64-unit square: (colour, [(x0, y0, x1, y1), ...])."""
    plan = [(12, 48, 12, 16), (12, 16, 40, 16), (40, 16, 40, 48), (40, 48, 12, 48), (12, 30, 40, 30), (26, 30, 26, 48)]
    swing = []  # a quarter circle about (26, 48) from (26, 40) to (34, 48)
    for i in range(16):
        a0, a1 = -math.pi / 2 + i * math.pi / 32, -math.pi / 2 + (i + 1) * math.pi / 32
        swing.append((26 + 8 * math.cos(a0), 48 + 8 * math.sin(a0), 26 + 8 * math.cos(a1), 48 + 8 * math.sin(a1)))
    dashes = []  # dash 6, gap 3, dot 1.5, gap 3 along y = 16 and y = 48 from x = 8 to 52
    for y in (16, 48):
        x, pattern, i = 8.0, (6, 3, 1.5, 3), 0
        while x < 52:
            end = min(x + pattern[i % 4], 52)
            if i % 2 == 0:
                dashes.append((x, y, end, y))
            x, i = end, i + 1
    arrow = [(44, 22, 56, 32), (56, 32, 44, 42)]
    return [(WHITE, plan), (GREEN, swing), (CYAN, dashes), (YELLOW, arrow)]


def distance(px, py, s):
    x0, y0, x1, y1 = s
    dx, dy = x1 - x0, y1 - y0
    t = 0 if dx == dy == 0 else max(0, min(1, ((px - x0) * dx + (py - y0) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - x0 - t * dx, py - y0 - t * dy)


def inside_square(px, py):
    """Within the rounded square (2..62, corner radius 8)."""
    cx, cy = min(max(px, 10), 54), min(max(py, 10), 54)
    return 2 <= px <= 62 and 2 <= py <= 62 and math.hypot(px - cx, py - cy) <= 8


def image(size):
    strokes = segments()
    rows = []
    samples = 4 if size <= 48 else 2 if size <= 256 else 1  # the large ones have pixels enough
    for y in range(size):
        row = bytearray()
        for x in range(size):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    px = (x + (sx + 0.5) / samples) * 64 / size
                    py = (y + (sy + 0.5) / samples) * 64 / size
                    if not inside_square(px, py):
                        continue
                    colour = BACK
                    for c, lines in strokes:
                        if any(distance(px, py, s) <= STROKE / 2 for s in lines):
                            colour = c
                    r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
            n = samples * samples
            row += bytes((round(r / a) if a else 0, round(g / a) if a else 0, round(b / a) if a else 0, round(255 * a / n)))
        rows.append(bytes(row))
    raw = b"".join(b"\0" + row for row in rows)
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    if sys.argv[1].endswith(".png"):
        with open(sys.argv[1], "wb") as f:
            f.write(image(int(sys.argv[2])))
        return
    sizes = (16, 32, 48, 256)
    pictures = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, p in zip(sizes, pictures):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(p), offset)
        offset += len(p)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(pictures))


if __name__ == "__main__":
    main()
