#!/usr/bin/env python3
"""Writes quelvane.ico: one 64 x 64 image at 24 bits per pixel.

The picture: a blue tile holding a strip of bytes, one of which is lit orange and framed by a
magnifier, the tool's work in one glance. Run it again after changing the drawing.
"""
import math
import struct
import sys

SIZE = 64


def pixel(x, y):
    cx, cy = x + 0.5, y + 0.5
    # Rounded tile.
    r = 10
    dx = max(r - cx, 0, cx - (SIZE - r))
    dy = max(r - cy, 0, cy - (SIZE - r))
    if dx * dx + dy * dy > r * r:
        return None
    colour = (30, 86, 170)
    if cy > 12:
        colour = (26, 74, 150)
    # The byte strip: eight cells in a row.
    if 10 <= cy < 26 and 6 <= cx < 58:
        cell = int((cx - 6) // 6.5)
        inner = (cx - 6) - cell * 6.5
        if inner < 5.5:
            colour = (250, 160, 40) if cell == 4 else (235, 240, 250)
    # Second row, dimmer.
    if 30 <= cy < 40 and 6 <= cx < 58:
        cell = int((cx - 6) // 6.5)
        if (cx - 6) - cell * 6.5 < 5.5:
            colour = (150, 175, 215)
    # Magnifier over the lit byte.
    mx, my, ring = 38.5, 20.0, math.hypot(cx - 38.5, cy - 20.0)
    if 10.0 <= ring <= 13.0:
        colour = (255, 255, 255)
    # Its handle, down and to the right.
    t = ((cx - mx) + (cy - my)) / 2
    if 9.0 <= t <= 22.0 and abs((cx - mx) - (cy - my)) <= 3.2 and ring > 12.0:
        colour = (255, 255, 255)
    return colour


def main(path):
    rows = []
    mask_rows = []
    for y in reversed(range(SIZE)):  # bottom-up, as bitmaps are stored
        row = bytearray()
        bits = 0
        mask = bytearray()
        for x in range(SIZE):
            c = pixel(x, y)
            transparent = c is None
            c = c or (0, 0, 0)
            row += bytes((c[2], c[1], c[0]))
            bits = (bits << 1) | (1 if transparent else 0)
            if x % 8 == 7:
                mask.append(bits)
                bits = 0
        rows.append(bytes(row))  # 64 * 3 = 192 bytes, already a multiple of 4
        mask_rows.append(bytes(mask) + b"\0" * ((4 - len(mask) % 4) % 4))
    colour = b"".join(rows)
    mask = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "quelvane.ico")
