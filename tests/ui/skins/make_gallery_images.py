#!/usr/bin/env python3
"""Draws the widget gallery's small images (button faces, check and option marks, slider
thumbs, the ring indicator, scroll bar track and thumbs) as RGBA PNG files. Run it again after changing a picture here:
  tests/ui/skins/make_gallery_images.py [OUTPUT_FOLDER]"""
import math
import os
import struct
import sys
import zlib


def write_png(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a); rows are filtered with filter 0."""
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
                  chunk(b"IEND", b""))


def rgb(value, alpha=255):
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF, alpha)


CLEAR = (0, 0, 0, 0)


def face(fill, border):
    """A 24 x 24 button face: a one-pixel border round a flat fill (drawn nine-part)."""
    return lambda x, y: rgb(border) if x in (0, 23) or y in (0, 23) else rgb(fill)


def box_mark(checked):
    """A 16 x 16 check box: grey frame and white inside, or a blue square with a white tick."""
    def pixel(x, y):
        if not checked:
            return rgb(0x8A8F99) if x in (0, 1, 14, 15) or y in (0, 1, 14, 15) else rgb(0xFFFFFF)
        on_tick = (3 <= x <= 6 and abs(y - (x + 5)) <= 1) or (6 <= x <= 12 and abs(y - (17 - x)) <= 1)
        return rgb(0xFFFFFF) if on_tick else rgb(0x3C8CE7)
    return pixel


def ring(radius_outer, radius_inner, color, dot=0.0, dot_color=0, size=16):
    """A ring (and an optional centre dot) on a transparent square."""
    centre = (size - 1) / 2.0

    def pixel(x, y):
        d = math.hypot(x - centre, y - centre)
        if d <= dot:
            return rgb(dot_color)
        if radius_inner <= d <= radius_outer:
            return rgb(color)
        if d < radius_inner:
            return rgb(0xFFFFFF)
        return CLEAR
    return pixel


IMAGES = {
    "button_normal.png": (24, 24, face(0x3C8CE7, 0x2B6FBF)),
    "button_hot.png": (24, 24, face(0x62ADF7, 0x3C8CE7)),
    "button_pushed.png": (24, 24, face(0x1F4F8F, 0x173B6B)),
    "button_disabled.png": (24, 24, face(0xA7ADB7, 0x8A8F99)),
    "check_off.png": (16, 16, box_mark(False)),
    "check_on.png": (16, 16, box_mark(True)),
    "option_off.png": (16, 16, ring(7.5, 5.5, 0x8A8F99)),
    "option_on.png": (16, 16, ring(7.5, 5.5, 0x3C8CE7, dot=3.0, dot_color=0x3C8CE7)),
    "thumb_normal.png": (14, 14, ring(6.9, 3.5, 0x3C8CE7, dot=3.5, dot_color=0x3C8CE7, size=14)),
    "thumb_pushed.png": (14, 14, ring(6.9, 3.5, 0x1F4F8F, dot=3.5, dot_color=0x1F4F8F, size=14)),
    "indicator.png": (8, 8, ring(3.9, 0.0, 0xE8A33D, size=8)),
    "slider_track.png": (24, 4, lambda x, y: rgb(0xC8D0DA)),
    "scroll_track.png": (24, 24, face(0xE3E8EF, 0xC8D0DA)),
    "scroll_thumb.png": (24, 24, face(0x8A8F99, 0x6B717C)),
    "scroll_thumb_pushed.png": (24, 24, face(0x3C8CE7, 0x2B6FBF)),
    "combo_arrow.png": (10, 6, lambda x, y: rgb(0x5A6270) if abs(x - 4.5) <= 5 - y else CLEAR),
}


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "resources", "themes", "default", "gallery")
    folder = sys.argv[1] if len(sys.argv) > 1 else default
    os.makedirs(folder, exist_ok=True)
    for name, (width, height, pixel) in IMAGES.items():
        write_png(os.path.join(folder, name), width, height, pixel)


if __name__ == "__main__":
    main()
