#!/usr/bin/env python3
"""Draws the program icon (a monitor showing a play button) and writes it as a
32x32, 16-colour Windows .ico file.

Usage: tools/make_icon.py [output.ico]   (default: resources/vorlinde.ico)

Only the standard library is used. The picture is drawn into a grid of palette
indexes; pixels left as None are transparent (set in the AND mask).
"""

import os
import struct
import sys

SIZE = 32

# Sixteen colours, (red, green, blue).
PALETTE = [
    (0, 0, 0),          # 0  unused background under the mask
    (24, 26, 36),       # 1  outline
    (62, 66, 84),       # 2  bezel
    (108, 114, 138),    # 3  bezel highlight
    (168, 174, 192),    # 4  stand, light
    (255, 255, 255),    # 5  white
    (30, 20, 86),       # 6  screen, top (deep indigo)
    (44, 44, 146),      # 7  screen
    (36, 90, 190),      # 8  screen
    (28, 146, 212),     # 9  screen
    (64, 200, 214),     # 10 screen, bottom (teal)
    (255, 220, 72),     # 11 play button, lit
    (246, 152, 34),     # 12 play button, shaded
    (160, 70, 18),      # 13 play button outline
    (196, 228, 255),    # 14 glint
    (90, 220, 110),     # 15 power light
]


def new_canvas():
    return [[None] * SIZE for _ in range(SIZE)]


def fill_rect(canvas, x0, y0, x1, y1, colour):
    """Fills the inclusive rectangle (x0, y0)-(x1, y1)."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            canvas[y][x] = colour


def frame_rect(canvas, x0, y0, x1, y1, colour, rounded=False):
    """Draws a one-pixel border; rounded corners leave the corner pixels out."""
    for x in range(x0, x1 + 1):
        canvas[y0][x] = colour
        canvas[y1][x] = colour
    for y in range(y0, y1 + 1):
        canvas[y][x0] = colour
        canvas[y][x1] = colour
    if rounded:
        for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
            canvas[y][x] = None
        for x, y in ((x0 + 1, y0 + 1), (x1 - 1, y0 + 1), (x0 + 1, y1 - 1), (x1 - 1, y1 - 1)):
            canvas[y][x] = colour


def inside_triangle(px, py, a, b, c):
    def side(p, q, r):
        return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])

    d1 = side((px, py), a, b)
    d2 = side((px, py), b, c)
    d3 = side((px, py), c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def draw():
    canvas = new_canvas()

    # Monitor body with a lighter top edge.
    left, top, right, bottom = 1, 3, 30, 23
    fill_rect(canvas, left + 1, top + 1, right - 1, bottom - 1, 2)
    fill_rect(canvas, left + 2, top + 1, right - 2, top + 1, 3)
    frame_rect(canvas, left, top, right, bottom, 1, rounded=True)

    # Screen: a vertical gradient, with a checkered seam between bands so the
    # few colours blend into each other.
    s_left, s_top, s_right, s_bottom = 4, 6, 27, 20
    bands = [6, 7, 8, 9, 10]
    height = s_bottom - s_top + 1
    for y in range(s_top, s_bottom + 1):
        position = (y - s_top) * (len(bands) - 1) / (height - 1)
        lower = int(position)
        upper = min(lower + 1, len(bands) - 1)
        fraction = position - lower
        for x in range(s_left, s_right + 1):
            if fraction >= 0.66 or (fraction >= 0.33 and (x + y) % 2 == 0):
                canvas[y][x] = bands[upper]
            else:
                canvas[y][x] = bands[lower]
    frame_rect(canvas, s_left - 1, s_top - 1, s_right + 1, s_bottom + 1, 1)

    # A glint in the upper left corner of the glass.
    for i in range(4):
        canvas[s_top + i][s_left + 3 - i] = 14
    canvas[s_top][s_left + 5] = 14

    # Play button: a triangle lit at the top, shaded at the bottom, outlined.
    a, b, c = (12.0, 8.0), (12.0, 18.0), (21.0, 13.0)
    for y in range(s_top, s_bottom + 1):
        for x in range(s_left, s_right + 1):
            if inside_triangle(x + 0.5, y + 0.5, a, b, c):
                canvas[y][x] = 11 if y < 13 else 12
    for y in range(s_top, s_bottom + 1):
        for x in range(s_left, s_right + 1):
            if canvas[y][x] in (11, 12):
                neighbours = [canvas[y + dy][x + dx] for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))]
                if any(n not in (11, 12, 13) for n in neighbours):
                    canvas[y][x] = 13
    canvas[12][13] = 5  # a bright dot where the light hits

    # Power light on the bezel.
    canvas[22][26] = 15
    canvas[22][27] = 15

    # Stand: neck and foot.
    fill_rect(canvas, 13, 24, 18, 26, 4)
    frame_rect(canvas, 12, 24, 19, 26, 1)
    fill_rect(canvas, 8, 27, 23, 29, 4)
    fill_rect(canvas, 9, 28, 22, 28, 3)
    frame_rect(canvas, 7, 27, 24, 29, 1, rounded=True)
    canvas[24][12] = None
    canvas[24][19] = None
    fill_rect(canvas, 13, 24, 18, 24, 1)  # shadow under the monitor

    return canvas


def encode_ico(canvas):
    """Packs the canvas as an .ico: directory, BITMAPINFOHEADER, palette,
    4-bit colour rows and 1-bit mask rows, both stored bottom-up."""
    xor_row_bytes = SIZE // 2                      # 4 bits per pixel, already a multiple of 4
    and_row_bytes = ((SIZE + 31) // 32) * 4        # 1 bit per pixel, rows padded to 32 bits
    xor_bytes = bytearray()
    and_bytes = bytearray()
    for y in reversed(range(SIZE)):
        row = canvas[y]
        for x in range(0, SIZE, 2):
            hi = row[x] or 0
            lo = row[x + 1] or 0
            xor_bytes.append((hi << 4) | lo)
        mask_row = bytearray(and_row_bytes)
        for x in range(SIZE):
            if row[x] is None:
                mask_row[x // 8] |= 0x80 >> (x % 8)
        and_bytes += mask_row
    assert len(xor_bytes) == xor_row_bytes * SIZE

    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII",
                         40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor_bytes) + len(and_bytes), 0, 0, len(PALETTE), 0)
    image = header + palette + bytes(xor_bytes) + bytes(and_bytes)

    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, os.pardir, "resources", "vorlinde.ico")
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(default)
    data = encode_ico(draw())
    with open(output, "wb") as f:
        f.write(data)
    print(f"wrote {output} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
