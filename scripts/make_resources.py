#!/usr/bin/env python3
"""Draws Tessarin's small pictures and writes them into res/, byte by byte.

    res/Tessarin.ico   program icon, 16 colours with AND mask, at 16 x 16, 32 x 32
                       and 48 x 48 (the 16-pixel picture with each pixel drawn 2 x 2 and
                       3 x 3, so that 200 % and 300 % screens get it as sharp as 100 %)
    res/truetype.bmp   TRUETYPE_FNT glyph of the font box, 20 x 12, 16 colours
    res/device.bmp     DEVICE_FNT glyph of the font box, 20 x 12, 16 colours

This script is the source of the three files: change a picture here, run
`python3 scripts/make_resources.py` from anywhere, and commit the results.
Standard library only; the output is the same on every run.
"""

import os
import struct
import sys

# The standard 16-colour VGA palette, in the order Windows uses it (R, G, B).
VGA = [
    (0, 0, 0),        # 0 black
    (128, 0, 0),      # 1 maroon
    (0, 128, 0),      # 2 green
    (128, 128, 0),    # 3 olive
    (0, 0, 128),      # 4 navy
    (128, 0, 128),    # 5 purple
    (0, 128, 128),    # 6 teal
    (192, 192, 192),  # 7 silver
    (128, 128, 128),  # 8 grey
    (255, 0, 0),      # 9 red
    (0, 255, 0),      # 10 lime
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 magenta (the font box draws it transparent)
    (0, 255, 255),    # 14 cyan
    (255, 255, 255),  # 15 white
]

# One letter per palette entry in the pictures below; '.' is the transparent
# part of the icon (it has an AND mask) and is not allowed in the bitmaps.
INK = {
    'k': 0, 'r': 1, 'e': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, 's': 7,
    'g': 8, 'R': 9, 'E': 10, 'y': 11, 'b': 12, 'm': 13, 'c': 14, 'w': 15,
}
CLEAR = '.'

# The icon: a grid of small white character cells (grey frame, silver lines,
# tiny glyphs) with the selected cell lifted out in front of it, enlarged:
# a bold white "A" on the navy of the grid's selection, framed in black.
ICON = [
    "ggggggggggggg...",
    "gwwwswwwswwwg...",
    "gwkwskwkskwwg...",
    "gwkwswkwskkwg...",
    "gsssssssssssg...",
    "gwwwswwwswwwg...",
    "gkwkswkkkkkkkkkk",
    "gwkwswknnnnnnnnk",
    "gsssssknnnwwnnnk",
    "gwwwswknnwwwwnnk",
    "gkkwswknwwnnwwnk",
    "gwkwswknwwnnwwnk",
    "ggggggknwwwwwwnk",
    "......knwwnnwwnk",
    "......knnnnnnnnk",
    "......kkkkkkkkkk",
]

# TRUETYPE_FNT: two overlapping serif capitals T, a grey one behind a black one;
# the grey stem runs on behind the black crossbar.
TRUETYPE = [
    "mmmmmmmmmmmmmmmmmmmm",
    "mmmggggggggggmmmmmmm",
    "mmmgmmmggmmmgmmmmmmm",
    "mmmmmmmggmmmmmmmmmmm",
    "mmmmmmmkkkkkkkkkkmmm",
    "mmmmmmmkgmmkkmmmkmmm",
    "mmmmmmmggmmkkmmmmmmm",
    "mmmmmmggggmkkmmmmmmm",
    "mmmmmmmmmmmkkmmmmmmm",
    "mmmmmmmmmmmkkmmmmmmm",
    "mmmmmmmmmmkkkkmmmmmm",
    "mmmmmmmmmmmmmmmmmmmm",
]

# DEVICE_FNT: a small printer: a blank sheet going in at the back, a silver body
# with a green power light, a printed sheet coming out at the front.
DEVICE = [
    "mmmmmmmmmmmmmmmmmmmm",
    "mmmmmmkkkkkkkkmmmmmm",
    "mmmmmmkwwwwwwkmmmmmm",
    "mmmkkkkkkkkkkkkkkmmm",
    "mmmkwwwwwwwwwwwwkmmm",
    "mmmkssssssssssEskmmm",
    "mmmksssssssssssskmmm",
    "mmmkggggggggggggkmmm",
    "mmmkkkwwwwwwwwkkkmmm",
    "mmmmmkwggggggwkmmmmm",
    "mmmmmkwwwwwwwwkmmmmm",
    "mmmmmkkkkkkkkkkmmmmm",
]


def check(art, width, height, name, clear_ok):
    if len(art) != height or any(len(row) != width for row in art):
        sys.exit(f"{name}: the picture must be {width} x {height}")
    for row in art:
        for ch in row:
            if ch not in INK and not (clear_ok and ch == CLEAR):
                sys.exit(f"{name}: unknown colour letter {ch!r}")


def palette_bytes():
    # RGBQUAD entries: blue, green, red, reserved.
    return b''.join(struct.pack('<4B', b, g, r, 0) for (r, g, b) in VGA)


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def pixels_4bpp(art):
    """The colour bits, bottom row first, each row padded to 4 bytes."""
    width = len(art[0])
    out = bytearray()
    for row in reversed(art):
        line = bytearray(row_stride(width, 4))
        for x, ch in enumerate(row):
            index = 0 if ch == CLEAR else INK[ch]
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        out += line
    return bytes(out)


def mask_1bpp(art):
    """The AND mask, bottom row first: a set bit keeps the screen pixel."""
    width = len(art[0])
    out = bytearray()
    for row in reversed(art):
        line = bytearray(row_stride(width, 1))
        for x, ch in enumerate(row):
            if ch == CLEAR:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def info_header(width, height, image_size, colours_used):
    # BITMAPINFOHEADER, 4 bits per pixel, BI_RGB, 96 dpi (3780 pixels per metre).
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0,
                       image_size, 3780, 3780, colours_used, 0)


def make_bmp(art):
    width, height = len(art[0]), len(art)
    bits = pixels_4bpp(art)
    info = info_header(width, height, len(bits), 16) + palette_bytes()
    offset = 14 + len(info)
    file_header = struct.pack('<2sIHHI', b'BM', offset + len(bits), 0, 0, offset)
    return file_header + info + bits


def enlarged(art, factor):
    """The picture with each pixel drawn factor x factor."""
    return [''.join(ch * factor for ch in row) for row in art for _ in range(factor)]


def make_ico(pictures):
    images = []
    for art in pictures:
        width, height = len(art[0]), len(art)
        xor_bits = pixels_4bpp(art)
        and_bits = mask_1bpp(art)
        # In an icon the header's height counts the colour bits and the mask together,
        # and the colour count is left at 0 (meaning 2^4).
        images.append((width, height, info_header(width, height * 2, len(xor_bits) + len(and_bits), 0)
                       + palette_bytes() + xor_bits + and_bits))
    icon_dir = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    for width, height, image in images:
        entries += struct.pack('<BBBBHHII', width, height, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return icon_dir + entries + b''.join(image for _, _, image in images)


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')
    res = os.path.normpath(res)
    check(ICON, 16, 16, 'Tessarin.ico', clear_ok=True)
    check(TRUETYPE, 20, 12, 'truetype.bmp', clear_ok=False)
    check(DEVICE, 20, 12, 'device.bmp', clear_ok=False)
    for art, name in ((TRUETYPE, 'truetype.bmp'), (DEVICE, 'device.bmp')):
        # The font box takes the lower-left pixel's colour as the transparent one.
        if art[-1][0] != 'm':
            sys.exit(f"{name}: the lower-left pixel must be magenta")
    files = {
        'Tessarin.ico': make_ico([ICON, enlarged(ICON, 2), enlarged(ICON, 3)]),
        'truetype.bmp': make_bmp(TRUETYPE),
        'device.bmp': make_bmp(DEVICE),
    }
    os.makedirs(res, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(res, name), 'wb') as f:
            f.write(data)
        print(f"wrote res/{name} ({len(data)} bytes)")


if __name__ == '__main__':
    main()
