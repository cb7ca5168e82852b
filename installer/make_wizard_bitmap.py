#!/usr/bin/env python3
"""Draws the picture of the installer's welcome and finish pages: the program's icon, scaled
up as pixel art, on the gradient of its screen (deep indigo to teal), as a 164x314 24-bit BMP,
the size those pages show.

Usage: make_wizard_bitmap.py ICON.ico OUTPUT.bmp

Only the standard library is used. The icon is read as the build draws it
(tools/make_icon.py): one 32x32 image with 4 bits per pixel and a transparency mask.
"""

import struct
import sys

WIDTH, HEIGHT = 164, 314
SCALE = 4
# The screen colours of the icon, top to bottom.
GRADIENT = [(30, 20, 86), (44, 44, 146), (36, 90, 190), (28, 146, 212), (64, 200, 214)]


def read_icon(path):
    """The first image of an .ico as rows of (r, g, b) or None where transparent."""
    data = open(path, "rb").read()
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    if kind != 1 or count < 1:
        raise ValueError(f"{path}: not an icon file")
    _, _, _, _, _, _, _, offset = struct.unpack_from("<BBBBHHII", data, 6)
    (header_size, width, double_height, _, bits, compression, _, _, _, colours_used, _) = \
        struct.unpack_from("<IiiHHIIiiII", data, offset)
    height = double_height // 2
    if bits != 4 or compression != 0:
        raise ValueError(f"{path}: only 4-bit uncompressed icons are read")
    colours = colours_used or 16
    palette_at = offset + header_size
    palette = [struct.unpack_from("<BBBB", data, palette_at + 4 * i)[2::-1] for i in range(colours)]
    xor_row = ((width * bits + 31) // 32) * 4
    and_row = ((width + 31) // 32) * 4
    xor_at = palette_at + 4 * colours
    and_at = xor_at + xor_row * height
    rows = []
    for y in range(height):
        stored = height - 1 - y  # bottom-up
        row = []
        for x in range(width):
            byte = data[xor_at + stored * xor_row + x // 2]
            index = byte >> 4 if x % 2 == 0 else byte & 0x0F
            masked = data[and_at + stored * and_row + x // 8] & (0x80 >> (x % 8))
            row.append(None if masked else palette[index])
        rows.append(row)
    return rows


def gradient_at(position):
    """The gradient colour at position 0..1, blended between its stops."""
    span = position * (len(GRADIENT) - 1)
    lower = min(int(span), len(GRADIENT) - 2)
    fraction = span - lower
    a, b = GRADIENT[lower], GRADIENT[lower + 1]
    return tuple(round(a[i] + (b[i] - a[i]) * fraction) for i in range(3))


def draw(icon):
    picture = [[gradient_at(y / (HEIGHT - 1)) for _ in range(WIDTH)] for y in range(HEIGHT)]
    # Faint scan lines, as on the icon's screen.
    for y in range(0, HEIGHT, 6):
        picture[y] = [tuple(min(255, c + 10) for c in pixel) for pixel in picture[y]]
    # The icon, each pixel a SCALE x SCALE block, centred in the upper part.
    size = len(icon) * SCALE
    left, top = (WIDTH - size) // 2, 56
    for y, row in enumerate(icon):
        for x, pixel in enumerate(row):
            if pixel is None:
                continue
            for dy in range(SCALE):
                line = picture[top + y * SCALE + dy]
                for dx in range(SCALE):
                    line[left + x * SCALE + dx] = pixel
    return picture


def encode_bmp(picture):
    """A BITMAPFILEHEADER, a BITMAPINFOHEADER and bottom-up BGR rows padded to 4 bytes."""
    row_bytes = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(picture):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(row_bytes - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_wizard_bitmap.py ICON.ico OUTPUT.bmp")
    with open(sys.argv[2], "wb") as f:
        f.write(encode_bmp(draw(read_icon(sys.argv[1]))))


if __name__ == "__main__":
    main()
