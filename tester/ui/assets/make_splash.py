#!/usr/bin/env python3
"""Draws the tester's start-up picture.

    make_splash.py SPLASH_BMP

A zipped archive folder on a stormy gradient, struck by a lightning bolt that
ends in an arrowhead. 96 x 96 pixels, written as a 24-bit uncompressed BMP.
Shapes are polygons filled with anti-aliased edges (exact horizontal coverage,
eight sub-rows per pixel); nothing is random, so every run writes the same
bytes.
"""

import math
import struct
import sys

SIZE = 96
SUB_ROWS = 8


def coverage(polygon):
    """Fraction of each pixel covered by POLYGON (even-odd), as {(x, y): c}.

    Coordinates are in pixels, y downwards, pixel (x, y) spanning
    [x, x + 1) x [y, y + 1).
    """
    cov = {}
    ys = [p[1] for p in polygon]
    top = max(0, int(math.floor(min(ys))))
    bottom = min(SIZE, int(math.ceil(max(ys))))
    edges = list(zip(polygon, polygon[1:] + polygon[:1]))
    for py in range(top, bottom):
        for s in range(SUB_ROWS):
            y = py + (s + 0.5) / SUB_ROWS
            xs = []
            for (x0, y0), (x1, y1) in edges:
                if (y0 <= y < y1) or (y1 <= y < y0):
                    xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for xa, xb in zip(xs[0::2], xs[1::2]):
                xa, xb = max(0.0, xa), min(float(SIZE), xb)
                for px in range(int(math.floor(xa)), int(math.ceil(xb))):
                    part = min(xb, px + 1) - max(xa, px)
                    if part > 0:
                        cov[(px, py)] = cov.get((px, py), 0.0) + part / SUB_ROWS
    return cov


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Canvas:
    def __init__(self, paint):
        self.px = [[paint(x, y) for x in range(SIZE)] for y in range(SIZE)]

    def fill(self, polygon, paint, opacity=1.0):
        """Blends PAINT (a colour or a function of the pixel) over POLYGON."""
        for (x, y), c in coverage(polygon).items():
            colour = paint(x, y) if callable(paint) else paint
            self.px[y][x] = mix(self.px[y][x], colour, min(1.0, c) * opacity)

    def bmp(self):
        row_bytes = SIZE * 3  # already a multiple of four: no row padding
        image = bytearray()
        for y in reversed(range(SIZE)):  # BMP rows run bottom-up
            for r, g, b in self.px[y]:
                image += bytes((round(b), round(g), round(r)))
        assert len(image) == row_bytes * SIZE
        info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(image), 2835, 2835, 0, 0)
        offset = 14 + len(info)
        header = b"BM" + struct.pack("<IHHI", offset + len(image), 0, 0, offset)
        return header + info + bytes(image)


def sky(x, y):
    """Storm sky: indigo at the top to violet-grey below, with a pale glow
    where the bolt leaves the cloud."""
    base = mix((22, 26, 60), (88, 78, 122), y / (SIZE - 1))
    d = math.hypot(x - 60, y - 6) / 46.0
    return mix(base, (150, 160, 215), max(0.0, 1.0 - d) ** 2 * 0.55)


def translate(polygon, dx, dy):
    return [(x + dx, y + dy) for x, y in polygon]


def draw():
    c = Canvas(sky)

    # A band of darker cloud across the top.
    cloud = [(0, 0), (96, 0), (96, 14), (84, 18), (72, 14), (60, 19), (46, 15), (32, 20), (18, 15), (0, 19)]
    c.fill(cloud, lambda x, y: mix((14, 16, 40), (40, 42, 80), y / 20), 0.9)

    # The archive: a folder with a tab, a back panel and a front panel.
    back = [(12, 40), (12, 36), (15, 33), (34, 33), (38, 38), (84, 38), (84, 86), (12, 86)]
    front = [(10, 46), (86, 46), (84, 86), (12, 86)]
    c.fill(translate(back + [], 3, 3), (8, 8, 20), 0.45)
    c.fill(back, (176, 118, 40))
    c.fill(front, lambda x, y: mix((246, 198, 96), (204, 140, 50), (y - 46) / 40))
    c.fill(rect(10, 46, 86, 47.5), (255, 226, 150), 0.8)  # lit front edge

    # The zipper down the middle of the front: a dark track, teeth that
    # alternate left and right, and a pull at the top.
    c.fill(rect(45, 47, 51, 86), (92, 58, 22))
    for i, y in enumerate(range(49, 85, 3)):
        x0 = 44 if i % 2 == 0 else 48
        c.fill(rect(x0, y, x0 + 4, y + 1.8), (214, 216, 226))
    c.fill(rect(43.5, 47.5, 52.5, 53), (58, 60, 72))
    c.fill(rect(45.5, 53, 50.5, 61), (190, 194, 206))
    c.fill(rect(46.5, 55, 49.5, 59), (58, 60, 72))

    # The bolt: a zigzag from the cloud that ends in an arrowhead on the
    # archive's lid. A dark rim (the same shape stamped around it) keeps it
    # readable on the light folder.
    bolt = [(64, 2), (73, 2), (62, 22), (72, 22), (50, 40), (57, 40),
            (42, 56), (30, 37), (38, 38), (47, 28), (40, 28)]
    for dx, dy in ((-1.2, 0), (1.2, 0), (0, -1.2), (0, 1.2), (-0.9, -0.9), (0.9, 0.9), (-0.9, 0.9), (0.9, -0.9)):
        c.fill(translate(bolt, dx, dy), (20, 18, 44), 0.7)
    c.fill(bolt, lambda x, y: mix((255, 252, 214), (255, 196, 36), y / 56))
    core = [(66, 5), (69, 5), (59, 24), (66, 24), (50, 36)]
    c.fill(core + [(56, 26), (63, 26)][::-1], (255, 255, 245), 0.55)
    return c


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_splash.py SPLASH_BMP\n")
        return 2
    with open(argv[1], "wb") as f:
        f.write(draw().bmp())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
