"""A small RGBA canvas for the launcher's generated skin images, in plain Python.

Shapes are signed distance functions: a pixel's coverage is how far its centre lies inside the
shape's edge, clamped to one pixel, which gives anti-aliased edges without supersampling.
Colours are (r, g, b, a) tuples of 0..255; painting is source-over.
"""

import math
import struct
import zlib


def mix(a, b, t):
    """The colour a fraction t of the way from a to b."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def rounded_rect_distance(x, y, left, top, right, bottom, radius):
    """Signed distance from (x, y) to a rounded rectangle; negative inside."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def segment_distance(x, y, ax, ay, bx, by):
    """Distance from (x, y) to the segment a-b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else clamp01(((x - ax) * dx + (y - ay) * dy) / length2)
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [list(map(float, fill)) for _ in range(width * height)]

    def blend(self, x, y, colour, coverage=1.0):
        """Source-over of colour at pixel (x, y), weighted by coverage."""
        alpha = colour[3] / 255.0 * coverage
        if alpha <= 0.0:
            return
        p = self.pixels[y * self.width + x]
        out_a = alpha + p[3] / 255.0 * (1.0 - alpha)
        if out_a <= 0.0:
            return
        for i in range(3):
            p[i] = (colour[i] * alpha + p[i] * (p[3] / 255.0) * (1.0 - alpha)) / out_a
        p[3] = out_a * 255.0

    def shade(self, shader, box=None):
        """Paints shader(x, y) -> (colour, coverage) over the pixel centres of box."""
        left, top, right, bottom = box or (0, 0, self.width, self.height)
        for y in range(max(0, int(top)), min(self.height, int(math.ceil(bottom)))):
            for x in range(max(0, int(left)), min(self.width, int(math.ceil(right)))):
                colour, coverage = shader(x + 0.5, y + 0.5)
                if coverage > 0.0:
                    self.blend(x, y, colour, coverage)

    def rounded_rect(self, rect, radius, colour_at, inset=0.0):
        """Fills a rounded rectangle; colour_at(fraction down the rectangle) gives the colour."""
        left, top, right, bottom = (rect[0] + inset, rect[1] + inset, rect[2] - inset, rect[3] - inset)
        height = max(bottom - top, 1.0)

        def shader(x, y):
            d = rounded_rect_distance(x, y, left, top, right, bottom, max(radius - inset, 0.0))
            return colour_at((y - top) / height), clamp01(0.5 - d)

        self.shade(shader, (left - 1, top - 1, right + 1, bottom + 1))

    def rounded_frame(self, rect, radius, width, colour):
        """A border of the given width along the inside of a rounded rectangle."""
        left, top, right, bottom = rect

        def shader(x, y):
            d = rounded_rect_distance(x, y, left, top, right, bottom, radius)
            return colour, clamp01(0.5 - d) * clamp01(0.5 + d + width)

        self.shade(shader, (left - 1, top - 1, right + 1, bottom + 1))

    def stroke(self, points, width, colour):
        """A polyline with round ends and joins."""
        half = width / 2
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            box = (min(ax, bx) - half - 1, min(ay, by) - half - 1, max(ax, bx) + half + 1, max(ay, by) + half + 1)
            self.shade(lambda x, y: (colour, clamp01(half + 0.5 - segment_distance(x, y, ax, ay, bx, by))), box)

    def circle(self, cx, cy, radius, colour):
        self.shade(lambda x, y: (colour, clamp01(radius + 0.5 - math.hypot(x - cx, y - cy))),
                   (cx - radius - 1, cy - radius - 1, cx + radius + 1, cy + radius + 1))

    def polygon_below(self, heights, colour_at):
        """Fills, in each column x, from heights[x] down to the bottom (a silhouette)."""
        for x in range(self.width):
            h = heights[x]
            for y in range(max(0, int(h)), self.height):
                coverage = clamp01(y + 1 - h)
                self.blend(x, y, colour_at(x, y), coverage)

    def png(self):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)
            for p in self.pixels[y * self.width:(y + 1) * self.width]:
                rows.extend(max(0, min(255, int(round(c)))) for c in p)
        return png_bytes(self.width, self.height, bytes(rows))


def png_bytes(width, height, filtered_rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(filtered_rows, 9))
            + chunk(b"IEND", b""))


def ico_bytes(pngs):
    """An icon file holding PNG images; pngs is a list of (size, png bytes)."""
    header = struct.pack("<HHH", 0, 1, len(pngs))
    offset = 6 + 16 * len(pngs)
    entries, data = b"", b""
    for size, image in pngs:
        dimension = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dimension, dimension, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return header + entries + data
