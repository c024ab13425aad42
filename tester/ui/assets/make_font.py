#!/usr/bin/env python3
"""Writes the tester's title font, "Chaucer", as a TrueType file.

    make_font.py CHAUCER_TTF

The letters are drawn the way a scribe writes blackletter: every stroke is a
polyline traced by a broad pen held at 45 degrees, so strokes running down to
the right come out heavy and strokes running up to the right come out as
hairlines. Each straight piece of a stroke becomes one convex contour (the
hull of the pen at both ends); the pieces overlap and TrueType's non-zero
fill joins them. Glyphs are plain outlines without hinting instructions.

Only the standard library is used, so the font builds wherever Python 3 runs.
The output depends on nothing but this file: the same bytes on every run.
"""

import math
import struct
import sys

FAMILY = "Chaucer"
STYLE = "Regular"
VERSION = "Version 1.000"

UNITS_PER_EM = 1000
ASCENT = 800       # ink of ascenders and capitals stays below this
DESCENT = 250      # and descenders above minus this
LINE_GAP = 90

# Pen geometry, in font units.
PEN_ANGLE = math.radians(45.0)
PEN_WIDTH = 96.0        # the broad edge
PEN_THICKNESS = 14.0    # its thickness: the width of a hairline
HAIR_PEN = 18.0         # a small square pen for ornamental hairlines

# Guide lines the strokes run between. They sit inside the ink lines by about
# half the pen, since the pen's ink reaches beyond its path.
BL = 34      # baseline
XH = 446     # x-height
CAP = 650    # capitals
ASC = 690    # ascenders
DSC = -190   # descenders
NUM = 620    # digits

SIDE_BEARING = 26

# Fixed dates (seconds since 1904-01-01) so the file does not change between
# builds: 2026-01-01 00:00 UTC.
TIMESTAMP = 3850070400


# ---------------------------------------------------------------------------
# The letters. Each entry is a list of strokes; a stroke is a list of points,
# optionally led by the string "hair" for the small ornamental pen. Stems end
# in the diamond heads and feet of textura: a short run down to the right.

def stem(x, top, bottom, head=True, foot=True):
    pts = [(x - 26, top), (x, top - 26)] if head else [(x, top)]
    pts += [(x, bottom + 26), (x + 26, bottom)] if foot else [(x, bottom)]
    return pts


def dot(x, y):
    return [(x - 15, y + 15), (x + 15, y - 15)]


def bowl(left, right, top, bottom, cut=60):
    """A closed, broken (octagonal) bowl."""
    return [(left, top - cut), (left + cut, top), (right, top - cut), (right, bottom + cut),
            (right - cut, bottom), (left, bottom + cut), (left, top - cut)]


GLYPHS = {
    # Lowercase: minims 150 units apart.
    "a": [[(10, XH - 40), (70, XH), (150, XH - 50), (150, BL + 26), (176, BL)],
          [(150, 260), (50, 240), (0, 190), (0, BL + 50), (60, BL), (150, BL + 50)]],
    "b": [stem(0, ASC, BL, foot=False),
          [(0, XH - 80), (70, XH), (150, XH - 60), (150, BL + 60), (90, BL), (0, BL)]],
    "c": [[(150, XH - 40), (60, XH), (0, XH - 60), (0, BL + 60), (90, BL), (150, BL + 40)]],
    "d": [[(150, XH - 40), (60, XH), (0, XH - 60), (0, BL + 60), (60, BL), (150, BL + 40)],
          [(40, ASC), (150, XH - 20), (150, BL + 26), (176, BL)]],
    "e": [[(150, XH - 70), (60, XH), (0, XH - 60), (0, BL + 60), (90, BL), (150, BL + 40)],
          [(0, 250), (150, 320), (150, XH - 70)]],
    "f": [[(0, BL), (0, ASC - 60), (60, ASC), (140, ASC - 30)],
          [(-50, XH), (100, XH)]],
    "g": [[(124, XH), (150, XH - 26), (150, DSC + 60), (90, DSC), (0, DSC + 40)],
          [(150, XH - 40), (60, XH), (0, XH - 60), (0, BL + 80), (60, BL + 30), (150, BL + 60)]],
    "h": [stem(0, ASC, BL),
          [(0, XH - 90), (70, XH), (150, XH - 60), (150, BL), (110, DSC + 60), (60, DSC + 20)]],
    "i": [stem(0, XH, BL), dot(0, XH + 130)],
    "j": [[(-26, XH), (0, XH - 26), (0, DSC + 60), (-60, DSC), (-110, DSC + 30)], dot(0, XH + 130)],
    "k": [stem(0, ASC, BL),
          [(140, XH - 20), (0, 240), (150, BL)]],
    "l": [stem(0, ASC, BL)],
    "m": [stem(0, XH, BL),
          [(0, XH - 90), (60, XH), (130, XH - 60), (130, BL + 26), (156, BL)],
          [(130, XH - 90), (190, XH), (260, XH - 60), (260, BL + 26), (286, BL)]],
    "n": [stem(0, XH, BL),
          [(0, XH - 90), (70, XH), (150, XH - 60), (150, BL + 26), (176, BL)]],
    "o": [bowl(0, 150, XH, BL)],
    "p": [stem(0, XH, DSC, foot=False),
          [(0, XH - 80), (70, XH), (150, XH - 60), (150, BL + 60), (90, BL), (0, BL + 30)]],
    "q": [[(150, XH - 40), (60, XH), (0, XH - 60), (0, BL + 60), (60, BL), (150, BL + 40)],
          [(124, XH), (150, XH - 26), (150, DSC + 20), (190, DSC)]],
    "r": [stem(0, XH, BL),
          [(0, XH - 90), (70, XH), (130, XH - 40)]],
    "s": [[(140, XH - 30), (70, XH), (0, XH - 60), (0, 310), (150, 190), (150, BL + 60), (80, BL), (0, BL + 30)]],
    "t": [[(0, XH + 90), (0, BL + 60), (60, BL), (120, BL + 40)],
          [(-40, XH), (100, XH)]],
    "u": [[(-26, XH), (0, XH - 26), (0, BL + 60), (70, BL), (150, BL + 60)],
          stem(150, XH, BL)],
    "v": [[(-26, XH), (0, XH - 26), (0, 140), (80, BL), (150, 100), (150, XH - 26), (176, XH)]],
    "w": [[(-26, XH), (0, XH - 26), (0, 140), (70, BL), (130, 100), (130, XH - 26)],
          [(130, 140), (200, BL), (260, 100), (260, XH - 26), (286, XH)]],
    "x": [[(-10, XH), (150, BL)], [(150, XH), (0, BL)],
          ["hair", (-30, BL + 10), (30, BL + 10)], ["hair", (120, XH - 10), (180, XH - 10)]],
    "y": [[(-26, XH), (0, XH - 26), (0, 140), (80, BL + 20), (150, 100)],
          [(124, XH), (150, XH - 26), (150, DSC + 60), (90, DSC), (10, DSC + 30)]],
    "z": [[(0, XH - 40), (50, XH), (150, XH - 30), (0, BL + 30), (100, BL), (150, BL + 40)],
          [(20, 240), (130, 240)]],

    # Capitals: broad strokes with hairline ornaments.
    "A": [[(0, BL), (0, CAP - 120), (90, CAP), (200, CAP - 60), (200, BL + 26), (226, BL)],
          [(0, 320), (200, 320)], ["hair", (-40, BL + 80), (0, BL + 40)]],
    "B": [[(-40, CAP - 40), (0, CAP), (0, BL)],
          [(0, CAP), (130, CAP), (180, CAP - 60), (180, 420), (130, 360), (0, 360)],
          [(130, 360), (200, 300), (200, BL + 60), (140, BL), (0, BL)]],
    "C": [[(190, CAP - 30), (110, CAP), (0, CAP - 100), (0, BL + 90), (90, BL), (200, BL + 40)],
          ["hair", (190, CAP - 30), (190, CAP - 150)], ["hair", (60, CAP - 110), (60, BL + 110)]],
    "D": [[(-40, CAP - 40), (0, CAP), (0, BL)],
          [(0, CAP), (120, CAP), (210, CAP - 100), (210, BL + 100), (120, BL), (-20, BL)]],
    "E": [[(190, CAP - 30), (110, CAP), (0, CAP - 100), (0, BL + 90), (90, BL), (200, BL + 40)],
          [(0, 360), (140, 360)], ["hair", (190, CAP - 30), (190, CAP - 150)]],
    "F": [[(-20, CAP), (200, CAP)], [(0, CAP), (0, BL + 26), (-30, BL - 20)],
          [(0, 370), (150, 370)], ["hair", (200, CAP), (200, CAP - 100)]],
    "G": [[(190, CAP - 30), (110, CAP), (0, CAP - 100), (0, BL + 90), (90, BL), (200, BL + 40)],
          [(200, BL + 40), (200, 290), (110, 290)], ["hair", (190, CAP - 30), (190, CAP - 150)]],
    "H": [stem(0, CAP, BL), stem(200, CAP, BL), [(0, 360), (200, 360)]],
    "I": [[(-10, CAP), (110, CAP)], [(50, CAP), (50, BL)], [(-10, BL), (110, BL)], dot(50, 348)],
    "J": [[(-10, CAP), (150, CAP)], [(100, CAP), (100, BL + 40), (40, BL - 40), (-40, BL + 20)]],
    "K": [stem(0, CAP, BL), [(200, CAP), (0, 330), (210, BL)]],
    "L": [stem(0, CAP, BL, foot=False), [(0, BL), (190, BL), (210, BL + 50)]],
    "M": [[(0, BL), (0, CAP - 80), (70, CAP), (140, CAP - 80), (140, BL)],
          [(140, CAP - 80), (210, CAP), (280, CAP - 80), (280, BL + 26), (306, BL)],
          ["hair", (-40, BL + 40), (0, BL)]],
    "N": [[(-30, BL), (0, BL), (0, CAP), (200, BL), (200, CAP), (230, CAP)]],
    "O": [bowl(0, 210, CAP, BL, 110), ["hair", (70, CAP - 130), (70, BL + 130)]],
    "P": [[(0, BL), (0, CAP)],
          [(-30, CAP), (140, CAP), (200, CAP - 60), (200, 380), (140, 320), (0, 320)]],
    "Q": [bowl(0, 210, CAP, BL, 110), [(120, BL), (230, BL - 80)]],
    "R": [[(0, BL), (0, CAP)],
          [(-30, CAP), (140, CAP), (200, CAP - 60), (200, 380), (140, 320), (0, 320)],
          [(100, 320), (210, BL)]],
    "S": [[(190, CAP - 40), (120, CAP), (30, CAP - 40), (0, CAP - 110), (0, 430),
           (200, 260), (200, BL + 100), (110, BL), (0, BL + 50)]],
    "T": [[(-10, CAP), (220, CAP)], stem(105, CAP, BL, head=False),
          ["hair", (-10, CAP), (-10, CAP - 90)]],
    "U": [[(-26, CAP), (0, CAP - 26), (0, BL + 80), (80, BL), (200, BL + 60)], stem(200, CAP, BL)],
    "V": [[(-20, CAP), (100, BL), (220, CAP)], ["hair", (-40, CAP - 40), (-20, CAP)]],
    "W": [[(-20, CAP), (80, BL), (160, CAP - 150), (240, BL), (340, CAP)]],
    "X": [[(-10, CAP), (210, BL)], [(210, CAP), (-10, BL)]],
    "Y": [[(-20, CAP), (100, 330), (220, CAP)], [(100, 330), (100, BL)]],
    "Z": [[(0, CAP), (200, CAP), (0, BL), (200, BL)], [(40, 350), (160, 350)]],

    # Digits.
    "0": [bowl(0, 160, NUM, BL, 100)],
    "1": [[(-20, NUM - 80), (70, NUM), (70, BL)], [(10, BL), (130, BL)]],
    "2": [[(0, NUM - 80), (70, NUM), (160, NUM - 80), (160, NUM - 200), (0, BL), (170, BL)]],
    "3": [[(0, NUM - 60), (70, NUM), (160, NUM - 80), (160, 400), (60, 330)],
          [(60, 330), (160, 260), (160, BL + 80), (90, BL), (0, BL + 60)]],
    "4": [[(120, BL), (120, NUM), (0, 200), (180, 200)]],
    "5": [[(160, NUM), (10, NUM), (0, 350), (100, 380), (160, 320), (160, BL + 80), (90, BL), (0, BL + 60)]],
    "6": [[(150, NUM), (60, NUM - 60), (0, NUM - 200), (0, BL + 80), (70, BL), (160, BL + 80),
           (160, 250), (90, 330), (0, 280)]],
    "7": [[(0, NUM), (170, NUM), (60, BL)], [(40, 300), (150, 300)]],
    "8": [[(80, 330), (10, 400), (10, NUM - 60), (80, NUM), (150, NUM - 60), (150, 400), (80, 330),
           (0, 250), (0, BL + 70), (80, BL), (160, BL + 70), (160, 250), (80, 330)]],
    "9": [[(10, BL), (100, BL + 60), (160, 200), (160, NUM - 80), (90, NUM), (0, NUM - 80),
           (0, 380), (70, 300), (160, 350)]],

    # Punctuation.
    ".": [dot(0, BL + 15)],
    ",": [dot(0, BL + 15), [(15, BL), (-20, BL - 130)]],
    "-": [[(0, 210), (120, 250)], [(0, 300), (120, 340)]],
    "'": [[(0, CAP + 20), (30, CAP - 10), (0, CAP - 140)]],
    "&": [[(200, BL), (30, 380), (30, NUM - 60), (90, NUM), (150, NUM - 60), (150, 480),
           (0, 250), (0, BL + 70), (80, BL), (200, 200)]],
}

SPACE_ADVANCE = 260


# ---------------------------------------------------------------------------
# Outlines.

def convex_hull(points):
    """Andrew's monotone chain; returns the hull counter-clockwise (y up)."""
    pts = sorted(set(points))
    if len(pts) < 3:
        return pts

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])

    lower, upper = [], []
    for p in pts:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(pts):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


def pen_corners(hair):
    if hair:
        h = HAIR_PEN / 2
        return [(-h, -h), (h, -h), (h, h), (-h, h)]
    ex, ey = math.cos(PEN_ANGLE) * PEN_WIDTH / 2, math.sin(PEN_ANGLE) * PEN_WIDTH / 2
    tx, ty = -math.sin(PEN_ANGLE) * PEN_THICKNESS / 2, math.cos(PEN_ANGLE) * PEN_THICKNESS / 2
    return [(sx * ex + st * tx, sx * ey + st * ty) for sx in (-1, 1) for st in (-1, 1)]


def stroke_contours(stroke):
    """One clockwise contour (TrueType's outer direction) per straight piece."""
    hair = bool(stroke) and stroke[0] == "hair"
    pts = stroke[1:] if hair else stroke
    corners = pen_corners(hair)
    contours = []
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        if (x0, y0) == (x1, y1):
            continue
        ends = [(round(x + cx), round(y + cy)) for x, y in ((x0, y0), (x1, y1)) for cx, cy in corners]
        hull = convex_hull(ends)
        if len(hull) >= 3:
            contours.append(list(reversed(hull)))
    return contours


def glyph_contours(strokes):
    contours = []
    for s in strokes:
        contours += stroke_contours(s)
    return contours


def notdef_contours():
    """An empty box: outer clockwise, inner counter-clockwise."""
    outer = [(60, 0), (60, 700), (440, 700), (440, 0)]
    inner = [(120, 60), (380, 60), (380, 640), (120, 640)]
    return [outer, inner]


def build_glyphs():
    """[(name, codepoint or None, advance, contours)] in glyph-id order: .notdef
    first, then the characters by code point, each spaced with the same side
    bearings around its ink."""
    glyphs = [(".notdef", None, 500, notdef_contours())]
    for ch in sorted(list(GLYPHS) + [" "]):
        if ch == " ":
            glyphs.append(("space", 32, SPACE_ADVANCE, []))
            continue
        contours = glyph_contours(GLYPHS[ch])
        xmin = min(x for c in contours for x, _ in c)
        xmax = max(x for c in contours for x, _ in c)
        shift = SIDE_BEARING - xmin
        contours = [[(x + shift, y) for x, y in c] for c in contours]
        glyphs.append((ch, ord(ch), xmax - xmin + 2 * SIDE_BEARING, contours))
    return glyphs


# ---------------------------------------------------------------------------
# Tables.

def bounds(contours):
    xs = [x for c in contours for x, _ in c]
    ys = [y for c in contours for _, y in c]
    return (min(xs), min(ys), max(xs), max(ys)) if xs else (0, 0, 0, 0)


def encode_glyph(contours):
    """A simple glyph: every point on the curve, coordinates as 16-bit deltas."""
    if not contours:
        return b""
    xmin, ymin, xmax, ymax = bounds(contours)
    out = struct.pack(">hhhhh", len(contours), xmin, ymin, xmax, ymax)
    end = -1
    for c in contours:
        end += len(c)
        out += struct.pack(">H", end)
    out += struct.pack(">H", 0)  # no instructions
    points = [p for c in contours for p in c]
    out += bytes([0x01]) * len(points)  # on curve, long x and y
    px = py = 0
    xs, ys = b"", b""
    for x, y in points:
        xs += struct.pack(">h", x - px)
        ys += struct.pack(">h", y - py)
        px, py = x, y
    return out + xs + ys


def cmap_table(glyphs):
    """Format 4 for Windows Unicode BMP: one segment per run of consecutive code
    points, whose glyph ids are consecutive too, so idDelta alone maps them."""
    pairs = sorted((cp, gid) for gid, (_, cp, _, _) in enumerate(glyphs) if cp is not None)
    segments = []
    for cp, gid in pairs:
        if segments and segments[-1][1] == cp - 1 and segments[-1][2] + (cp - segments[-1][0]) == gid:
            segments[-1][1] = cp
        else:
            segments.append([cp, cp, gid])
    segments.append([0xFFFF, 0xFFFF, 1])  # the required final segment; maps to 0
    seg_count = len(segments)
    search_range = 2 * (1 << int(math.floor(math.log2(seg_count))))
    entry_selector = int(math.floor(math.log2(seg_count)))
    range_shift = 2 * seg_count - search_range
    ends = b"".join(struct.pack(">H", s[1]) for s in segments)
    starts = b"".join(struct.pack(">H", s[0]) for s in segments)
    deltas = b"".join(struct.pack(">H", (s[2] - s[0]) & 0xFFFF) if s[0] != 0xFFFF else struct.pack(">H", 1)
                      for s in segments)
    offsets = b"\0\0" * seg_count
    body = (struct.pack(">HHHH", seg_count * 2, search_range, entry_selector, range_shift)
            + ends + b"\0\0" + starts + deltas + offsets)
    sub = struct.pack(">HHH", 4, 6 + len(body), 0) + body
    return struct.pack(">HHHHI", 0, 1, 3, 1, 12) + sub


def name_table():
    names = {
        0: "Drawn in code for the Quarrow tester.",
        1: FAMILY,
        2: STYLE,
        3: "Quarrow: " + FAMILY + " " + STYLE + ": 1.000",
        4: FAMILY,
        5: VERSION,
        6: FAMILY + "-" + STYLE,
    }
    records = []
    # Macintosh Roman (1, 0, English) and Windows Unicode BMP (3, 1, en-US),
    # sorted by platform, encoding, language and name id as the format asks.
    for platform, encoding, language, codec in ((1, 0, 0, "latin-1"), (3, 1, 0x409, "utf-16-be")):
        for name_id in sorted(names):
            records.append((platform, encoding, language, name_id, names[name_id].encode(codec)))
    storage = b""
    header = struct.pack(">HHH", 0, len(records), 6 + 12 * len(records))
    for platform, encoding, language, name_id, data in records:
        header += struct.pack(">HHHHHH", platform, encoding, language, name_id, len(data), len(storage))
        storage += data
    return header + storage


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def build_font():
    glyphs = build_glyphs()
    encoded = [encode_glyph(c) for _, _, _, c in glyphs]
    glyf, loca = b"", b""
    for data in encoded:
        loca += struct.pack(">I", len(glyf))
        glyf += data + b"\0" * (-len(data) % 4)
    loca += struct.pack(">I", len(glyf))

    all_bounds = [bounds(c) for _, _, _, c in glyphs if c]
    xmin = min(b[0] for b in all_bounds)
    ymin = min(b[1] for b in all_bounds)
    xmax = max(b[2] for b in all_bounds)
    ymax = max(b[3] for b in all_bounds)
    advances = [a for _, _, a, _ in glyphs]
    lsbs = [bounds(c)[0] for _, _, _, c in glyphs]
    inked_lsbs = [bounds(c)[0] for _, _, _, c in glyphs if c]
    rsbs = [a - bounds(c)[2] for _, _, a, c in glyphs if c]
    extents = [bounds(c)[2] for _, _, _, c in glyphs if c]
    codes = [cp for _, cp, _, _ in glyphs if cp is not None]
    assert ymax <= ASCENT and -ymin <= DESCENT, "ink outside the line height"

    head = struct.pack(">IIIIHHqqhhhhHHhhh",
                       0x00010000, 0x00010000, 0, 0x5F0F3CF5,
                       0x000B,  # baseline at y=0, lsb at x=0, integer scaling
                       UNITS_PER_EM, TIMESTAMP, TIMESTAMP,
                       xmin, ymin, xmax, ymax,
                       0, 8, 2,
                       1,  # long loca offsets
                       0)
    hhea = struct.pack(">IhhhHhhhhhhhhhhhH",
                       0x00010000, ASCENT, -DESCENT, LINE_GAP,
                       max(advances), min(inked_lsbs), min(rsbs), max(extents),
                       1, 0, 0, 0, 0, 0, 0, 0, len(glyphs))
    max_points = max(sum(len(c) for c in cs) for _, _, _, cs in glyphs)
    max_contours = max(len(cs) for _, _, _, cs in glyphs)
    maxp = struct.pack(">IHHHHHHHHHHHHHH",
                       0x00010000, len(glyphs), max_points, max_contours, 0, 0,
                       2, 0, 0, 0, 0, 0, 0, 0, 0)
    hmtx = b"".join(struct.pack(">Hh", a, l) for a, l in zip(advances, lsbs))
    inked = [a for a in advances if a > 0]
    os2 = struct.pack(">HhHHHhhhhhhhhhhh10sIIII4sHHHhhhHHIIhhHHH",
                      4, round(sum(inked) / len(inked)), 400, 5,
                      0,  # installable embedding
                      650, 600, 0, 75, 650, 600, 0, 350,  # sub- and superscript
                      50, 300,  # strikeout size and position
                      0,  # no family class
                      bytes([3, 0, 5, 0, 0, 0, 0, 0, 0, 0]),  # PANOSE: decorative
                      1, 0, 0, 0,  # Unicode ranges: Basic Latin
                      b"QRRW",
                      0x0040,  # regular
                      min(codes), max(codes),
                      ASCENT, -DESCENT, LINE_GAP, ASCENT, DESCENT,
                      1, 0,  # code pages: Latin 1
                      XH + 34, CAP + 34,
                      0, 32, 1)
    post = struct.pack(">IIhhIIIII", 0x00030000, 0, -120, 50, 0, 0, 0, 0, 0)

    tables = {
        b"OS/2": os2, b"cmap": cmap_table(glyphs), b"glyf": glyf, b"head": head,
        b"hhea": hhea, b"hmtx": hmtx, b"loca": loca, b"maxp": maxp,
        b"name": name_table(), b"post": post,
    }
    tags = sorted(tables)
    count = len(tags)
    entry_selector = int(math.floor(math.log2(count)))
    search_range = 16 * (1 << entry_selector)
    directory = struct.pack(">IHHHH", 0x00010000, count, search_range, entry_selector, count * 16 - search_range)
    offset = 12 + 16 * count
    body = b""
    head_offset = None
    for tag in tags:
        data = tables[tag]
        directory += struct.pack(">4sIII", tag, checksum(data), offset + len(body), len(data))
        if tag == b"head":
            head_offset = offset + len(body)
        body += data + b"\0" * (-len(data) % 4)
    font = bytearray(directory + body)
    adjustment = (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF
    struct.pack_into(">I", font, head_offset + 8, adjustment)
    return bytes(font)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_font.py CHAUCER_TTF\n")
        return 2
    with open(argv[1], "wb") as f:
        f.write(build_font())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
