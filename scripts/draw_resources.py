#!/usr/bin/env python3
"""Draws Netbell's icons and bitmaps into src/res/icons and src/res/bitmaps.

The build uses the files this writes, which are committed; run it again only
to change a picture.  Needs Pillow (Debian: python3-pil).

The 16-pixel pictures and the tool bar buttons are pixel art, written out as
character grids so that every pixel is chosen; the 32-pixel pictures are drawn
as shapes at eight times the size and scaled down, which smooths their edges.
"""

import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICON_DIR = os.path.join(ROOT, "src", "res", "icons")
BITMAP_DIR = os.path.join(ROOT, "src", "res", "bitmaps")

# Pixel-art palette.  Pure light grey (192,192,192) is kept out of the
# pictures: it is the tool bar's background, which the tool bar replaces by
# the button face colour.
KEY = {
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "g": (208, 208, 208),
    "d": (128, 128, 128),
    "D": (72, 72, 72),
    "y": (255, 204, 0),
    "Y": (255, 238, 140),
    "o": (200, 128, 0),
    "b": (0, 84, 200),
    "B": (120, 175, 245),
    "n": (0, 40, 120),
    "c": (205, 230, 255),
    "G": (0, 168, 40),
    "l": (120, 215, 120),
    "h": (0, 100, 20),
    "r": (225, 30, 30),
    "R": (130, 0, 0),
    "N": (255, 236, 100),
    "M": (222, 190, 40),
    "e": (150, 90, 40),
    "E": (240, 200, 140),
    "P": (240, 140, 160),
    "p": (255, 244, 210),
}


def grid(rows, width=16, height=16):
    """A picture from rows of palette characters; '.' is transparent."""
    img = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    assert len(rows) <= height, rows
    for y, row in enumerate(rows):
        assert len(row) == width, (y, row, len(row))
        for x, ch in enumerate(row):
            if ch != ".":
                img.putpixel((x, y), KEY[ch] + (255,))
    return img


def over(base, top, dx=0, dy=0):
    out = base.copy()
    layer = Image.new("RGBA", out.size, (0, 0, 0, 0))
    layer.paste(top, (dx, dy))
    return Image.alpha_composite(out, layer)


def put(img, x, y, ch):
    if 0 <= x < img.width and 0 <= y < img.height:
        img.putpixel((x, y), KEY[ch] + (255,))


def shape(img, cells, fill, edge="k", diagonal=False):
    """Fills a set of cells and rings it with a one-pixel edge."""
    steps = [(1, 0), (-1, 0), (0, 1), (0, -1)]
    if diagonal:
        steps += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
    for (x, y) in cells:
        for dx, dy in steps:
            if (x + dx, y + dy) not in cells:
                put(img, x + dx, y + dy, edge)
    for (x, y) in cells:
        put(img, x, y, fill)


def pencil16(img, tx, ty, n):
    """A pencil at 45 degrees, its point at (tx, ty), rising to the right."""
    put(img, tx, ty, "D")
    put(img, tx + 1, ty, "k")
    put(img, tx, ty - 1, "k")
    for i in range(1, n + 1):
        y = ty - i
        if i <= 2:
            body = "E"
        elif i == n - 2:
            body = "g"
        elif i >= n - 1:
            body = "P"
        else:
            body = "y"
        put(img, tx + i - 1, y, "k")
        put(img, tx + i, y, body)
        put(img, tx + i + 1, y, "k")
    put(img, tx + n, ty - n - 1, "k")
    put(img, tx + n + 1, ty - n - 1, "k")


# ---------------------------------------------------------------- 16 pixels

BELL16 = [
    "......kkkk......",
    "......k..k......",
    ".....kkkkkk.....",
    "....kYyyyyok....",
    "...kYwyyyyyok...",
    "...kYwyyyyyok...",
    "...kYwyyyyyok...",
    "..kYwyyyyyyyok..",
    "..kYwyyyyyyyok..",
    "..kYyyyyyyyyok..",
    ".kYyyyyyyyyyyok.",
    "kYyyyyyyyyyyyyok",
    "kooooooooooooook",
    ".kkkkkkkkkkkkkk.",
    "......kook......",
    ".......kk.......",
]

GLOBE7 = [
    "..kkk..",
    ".kBbbk.",
    "kBGGbbk",
    "kbGbbGk",
    "kbbbGGk",
    ".kbbbk.",
    "..kkk..",
]

GLOBE15 = [
    ".....kkkkk......",
    "...kkbbbbbkk....",
    "..kbBBbbbGGbk...",
    ".kbBBGGbbGGGbk..",
    ".kBGGGGGbbGbbk..",
    "kbBGGGGGbbbbbbk.",
    "kbbGGGGbbbbbbbk.",
    "kbbbGGGbbbbGbbk.",
    "kbbbbGbbbbGGGbk.",
    "kbbbbbbbbGGGGbk.",
    ".kbbbbbbbGGGbk..",
    ".kbbbbbbbbGbbk..",
    "..kbbbbbbbbbk...",
    "...kkbbbbbkk....",
    ".....kkkkk......",
]

NOTE16 = [
    ".kkkkkkkkkkkkkk.",
    ".kNNNNNNNNNNNNk.",
    ".kNbbbbbbbbbNNk.",
    ".kNNNNNNNNNNNNk.",
    ".kNbbbbbbbbbbNk.",
    ".kNNNNNNNNNNNNk.",
    ".kNbbbbbbbNNNNk.",
    ".kNNNNNNNNNNNNk.",
    ".kNbbbbbbbbbNNk.",
    ".kNNNNNNNNkkkkk.",
    ".kNbbbbbNNkMMk..",
    ".kNNNNNNNNkMk...",
    ".kNNNNNNNNkk....",
    ".kkkkkkkkkk.....",
]

WEBPAGE16 = [
    "kkkkkkkkkkkkk...",
    "kbbbbbbbbbbbk...",
    "kkkkkkkkkkkkk...",
    "kwwwwwwwwwwwk...",
    "kwBBBBwwwwwwk...",
    "kwBBBBwddddwk...",
    "kwGGGGwwwwwwk...",
    "kwGGGGwddddwk...",
    "kwwwwwwwwwwwk...",
    "kwddddddddwwk...",
    "kwwwwwwwwwwwk...",
    "kwdddddddwwwk...",
    "kwwwwwwwwwwwk...",
    "kkkkkkkkkkkkk...",
]

LENS16 = [
    "...kkkk.........",
    ".kkcccckk.......",
    ".kcwwccck.......",
    "kcwcccccck......",
    "kcwcccccck......",
    "kcccccccck......",
    "kcccccccck......",
    ".kcccccckkk.....",
    ".kkcccckkeek....",
    "...kkkk..keek...",
    "..........keek..",
    "...........keek.",
    "............keek",
    ".............kkk",
]

ENVELOPE16 = [
    "................",
    "................",
    "kkkkkkkkkkkkkkkk",
    "kDwwwwwwwwwwwwDk",
    "kpDwwwwwwwwwwDpk",
    "kppDwwwwwwwwDppk",
    "kpppDwwwwwwDpppk",
    "kppppDwwwwDppppk",
    "kpppppDwwDpppppk",
    "kppppppDDppppppk",
    "kppppppppppppppk",
    "kppppppppppppppk",
    "kppppppppppppppk",
    "kkkkkkkkkkkkkkkk",
]

BUBBLE_BACK16 = [
    ".kkkkkkkkk......",
    "kccccccccck.....",
    "kcDDDDDDDck.....",
    "kccccccccck.....",
    "kcDDDDDccck.....",
    "kccccccccck.....",
    ".kcckkkkkk......",
    ".kck............",
    "kk..............",
]

# Drawn four rows down, over the back bubble.
BUBBLE_FRONT16 = [
    "......kkkkkkkkk.",
    ".....kwwwwwwwwwk",
    ".....kwDDDDDDDwk",
    ".....kwwwwwwwwwk",
    ".....kwDDDDDDwwk",
    ".....kwwwwwwwwwk",
    ".....kwDDDDwwwwk",
    ".....kwwwwwwwwwk",
    "......kkkkkwwkk.",
    "...........kwk..",
    "............kk..",
]

TICK16 = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "..............kk",
    ".............kGk",
    "............kGGk",
    "......kk...kGGk.",
    "......kGk.kGGk..",
    "......kGGkGGk...",
    ".......kGGGk....",
    "........kGk.....",
    ".........k......",
]


def bell16():
    return grid(BELL16)


def program16():
    return over(bell16(), grid(GLOBE7, 7, 7), 9, 9)


def browse16():
    return grid(GLOBE15)


def note16():
    return grid(NOTE16)


def frontpage16():
    img = grid(WEBPAGE16)
    pencil16(img, 6, 10, 7)
    return img


def search16():
    return grid(LENS16)


def email16():
    return grid(ENVELOPE16)


def newsgroup16():
    return over(grid(BUBBLE_BACK16), grid(BUBBLE_FRONT16, 16, 11), 0, 4)


def done16(img):
    return over(img, grid(TICK16))


# Tool bar buttons that are not task kinds.

def edit16():
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    rows = [".kkkkkkkkkkkk..."]
    for y in range(2, 14):
        rows.append(".kwddddddddwk..." if y % 2 == 1 else ".kwwwwwwwwwwk...")
    rows.append(".kkkkkkkkkkkk...")
    img = over(img, grid(rows, 16, 14), 0, 1)
    pencil16(img, 4, 13, 9)
    return img


def delete16():
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    cells = set()
    for y in range(2, 13):
        for x in range(2, 14):
            if abs((x - 2) - (y - 2) * 11 / 10) <= 1.2 or abs((13 - x) - (y - 2) * 11 / 10) <= 1.2:
                cells.add((x, y))
    shape(img, cells, "r", "R")
    return img


def launch16():
    img = grid([
        "kkkkkkkkkk",
        "kbbbbbbbbk",
        "kkkkkkkkkk",
        "kwwwwwwwwk",
        "kwwwwwwwwk",
        "kwwwwwwwwk",
        "kwwwwwwwwk",
        "kwwwwwwwwk",
        "kwwwwwwwwk",
        "kkkkkkkkkk",
    ], 10, 10)
    img = over(Image.new("RGBA", (16, 16), (0, 0, 0, 0)), img, 0, 5)
    cells = set()
    for y in range(1, 15):
        for x in range(0, 16):
            head = x <= 14 and y >= 1 and (14 - x) + (y - 1) <= 6
            shaft = abs((x + y) - 15) <= 1 and 3 <= x <= 11 and y <= 12
            if head or shaft:
                cells.add((x, y))
    shape(img, cells, "G", "k")
    return img


def toggle16():
    img = grid([
        "................",
        "....nnn..nn.....",
        "....n....n.n....",
        "....nn...nn.....",
        "....n....n......",
        "....n....n......",
        "................",
        "..........kkk...",
        "..kkkkkkkkwwwk..",
        ".kGGGGGGkwwwwwk.",
        ".klllGGGkwwwwwk.",
        ".kGGGGGGkwwwggk.",
        "..kkkkkkkkggk...",
        "..........kkk...",
    ], 16, 14)
    return img


def explorer16():
    img = grid([
        "................",
        "................",
        ".kkkkk..........",
        "kYYYYYkkkkkkkkk.",
        "kYYYYYYYYYYYYYk.",
        "kyyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyyk.",
        "koooooooooooook.",
        "kkkkkkkkkkkkkkk.",
    ], 16, 13)
    return over(img, grid(GLOBE7, 7, 7), 9, 8)


def editor16():
    rows = [
        "..kkkkkkkkk.....",
        "..kwwwwwwwkk....",
        "..kwwwwwwwkgk...",
        "..kwwwwwwwkkkk..",
    ]
    rows += ["..kwwwwwwwwwwk.."] * 10
    rows += ["..kkkkkkkkkkkk.."]
    img = grid(rows, 16, 15)
    for y, xs in [(6, (5, 6)), (7, (4, 5)), (8, (3, 4)), (9, (4, 5)), (10, (5, 6))]:
        for x in xs:
            put(img, x, y, "b")
    for y, xs in [(6, (9, 10)), (7, (10, 11)), (8, (11, 12)), (9, (10, 11)), (10, (9, 10))]:
        for x in xs:
            put(img, x, y, "b")
    for x in range(4, 12):
        put(img, x, 12, "d")
    for x in range(4, 9):
        put(img, x, 4, "d")
    return img


def todo16():
    tick_a = "kekwwwGwwwwwkek."
    tick_b = "kekGwGwwddddkek."
    tick_c = "kekwGwwwwwwwkek."
    blank = "kekwwwwwwwwwkek."
    return grid([
        ".....kkkkk......",
        "kkkkkgggggkkkkk.",
        "keeekkkkkkkeeek.",
        blank,
        tick_a, tick_b, tick_c,
        blank,
        tick_a, tick_b, tick_c,
        blank,
        "kekwddddddwwkek.",
        "kekkkkkkkkkkkek.",
        "kkkkkkkkkkkkkkk.",
    ], 16, 15)


def help16():
    rows = ["..kkkkkkkkkkkk.."]
    rows += ["..knbbbbbbbbbk.."] * 11
    rows += ["..knkkkkkkkkkk..", "..knwwwwwwwwwk..", "..kkkkkkkkkkkk.."]
    img = grid(rows, 16, 15)
    mark = [
        ".YYYY.",
        "YY..YY",
        "....YY",
        "...YY.",
        "..YY..",
        "..YY..",
        "......",
        "..YY..",
        "..YY..",
    ]
    for y, row in enumerate(mark):
        for x, ch in enumerate(row):
            if ch != ".":
                put(img, 5 + x, 2 + y, ch)
    return img


# ---------------------------------------------------------------- 32 pixels

S = 8  # drawing scale of the 32-pixel pictures


class Canvas:
    """A 32-pixel picture drawn at S times its size."""

    def __init__(self, size=32):
        self.size = size
        self.img = Image.new("RGBA", (size * S, size * S), (0, 0, 0, 0))

    def mask(self):
        return Image.new("L", self.img.size, 0)

    @staticmethod
    def pts(points):
        return [(x * S, y * S) for (x, y) in points]

    @staticmethod
    def box(x0, y0, x1, y1):
        return [x0 * S, y0 * S, x1 * S, y1 * S]

    def paint(self, mask, colour, alpha=1.0):
        """Paints a colour, or a same-sized picture, through a mask."""
        if isinstance(colour, Image.Image):
            layer = colour.convert("RGBA")
        else:
            layer = Image.new("RGBA", self.img.size, tuple(colour) + (255,))
        m = mask if alpha >= 1.0 else mask.point(lambda v: int(v * alpha))
        layer.putalpha(m)
        self.img = Image.alpha_composite(self.img, layer)

    def stamp(self, mask, fill, edge, width=1.0):
        """A filled shape with an outline of about `width` pixels around it."""
        self.paint(grow(mask, width), edge)
        self.paint(mask, fill)

    def result(self):
        return self.img.resize((self.size, self.size), Image.BOX)


def grow(mask, width):
    k = max(3, 2 * int(round(width * S / 2)) + 1)
    return mask.filter(ImageFilter.MaxFilter(k))


def both(a, b):
    """Where two masks overlap."""
    return ImageChops.multiply(a, b)


def union(*masks):
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.lighter(out, m)
    return out


def minus(a, b):
    return ImageChops.subtract(a, b)


def gradient(size, stops, vertical=False, x0=0, x1=None, unit=S):
    """A picture graded along x (or y) from x0 to x1, counted in pixels of
    the finished picture (`unit` drawing pixels each)."""
    w, h = size
    n = h if vertical else w
    x1 = n / unit if x1 is None else x1
    line = Image.new("RGB", (1, n) if vertical else (n, 1))
    for i in range(n):
        u = min(1.0, max(0.0, (i / unit - x0) / (x1 - x0)))
        line.putpixel((0, i) if vertical else (i, 0), blend(stops, u))
    return line.resize((w, h))


def ellipse_mask(c, cx, cy, rx, ry=None):
    m = c.mask()
    ry = rx if ry is None else ry
    ImageDraw.Draw(m).ellipse(c.box(cx - rx, cy - ry, cx + rx, cy + ry), fill=255)
    return m


def poly_mask(c, points):
    m = c.mask()
    ImageDraw.Draw(m).polygon(c.pts(points), fill=255)
    return m


def rect_mask(c, x0, y0, x1, y1, radius=0):
    m = c.mask()
    ImageDraw.Draw(m).rounded_rectangle(c.box(x0, y0, x1, y1), radius=radius * S, fill=255)
    return m


def line_mask(c, points, width):
    m = c.mask()
    d = ImageDraw.Draw(m)
    d.line(c.pts(points), fill=255, width=int(width * S), joint="curve")
    r = width / 2
    for (x, y) in points:
        d.ellipse(c.box(x - r, y - r, x + r, y + r), fill=255)
    return m


GOLD = [(0.0, (214, 150, 0)), (0.22, (255, 244, 170)), (0.45, (255, 206, 40)),
        (0.8, (226, 156, 0)), (1.0, (170, 100, 0))]


def draw_bell(c, cx, top, scale=1.0):
    """A gold bell; `top` is the top of its hanging loop."""
    def p(x, y):
        return (cx + x * scale, top + y * scale)

    # Body: a dome on flaring sides, drawn as one outline.
    outline = []
    for i in range(0, 181, 10):
        a = math.radians(180 + i)
        outline.append(p(5.2 * math.cos(a), 8.5 + 5.2 * math.sin(a)))
    steps = 12
    right = []
    for i in range(steps + 1):
        t = i / steps
        hw = 5.2 + 1.2 * t + 4.4 * t ** 3
        right.append(p(hw, 8.5 + 12.0 * t))
    left = [(2 * cx - x, y) for (x, y) in right]
    body = outline + right + list(reversed(left))
    body_m = poly_mask(c, body)
    lip_m = rect_mask(c, *p(-11.6, 19.2), *p(11.6, 22.6), radius=1.7 * scale)
    clapper_m = ellipse_mask(c, *p(0, 23.6), 2.4 * scale)
    loop_m = minus(ellipse_mask(c, *p(0, 2.3), 2.3 * scale), ellipse_mask(c, *p(0, 2.3), 1.1 * scale))

    edge = (90, 50, 0)
    whole = union(body_m, lip_m, clapper_m, loop_m)
    c.paint(grow(whole, 1.1), edge)
    c.paint(loop_m, (200, 140, 0))
    c.paint(clapper_m, (175, 105, 0))
    x0, x1 = p(-11, 0)[0], p(11, 0)[0]
    c.paint(body_m, gradient(c.img.size, GOLD, x0=x0, x1=x1))
    c.paint(grow(lip_m, 0.9), edge)
    x0, x1 = p(-11.6, 0)[0], p(11.6, 0)[0]
    c.paint(lip_m, gradient(c.img.size, GOLD, x0=x0, x1=x1))
    shine = line_mask(c, [p(-3.2, 5.5), p(-4.2, 11.5), p(-6.2, 17.0)], 1.3 * scale)
    c.paint(shine, (255, 255, 235), 0.8)


OCEAN = [(0.0, (150, 205, 255)), (0.45, (40, 120, 230)), (1.0, (0, 50, 150))]
LAND = [(0.0, (150, 230, 120)), (0.45, (50, 170, 60)), (1.0, (10, 95, 30))]


def radial(c, lx, ly, reach, stops):
    """A picture graded by distance from a light at (lx, ly)."""
    small = Image.new("RGB", (64, 64))
    for yy in range(64):
        for xx in range(64):
            u = math.hypot(xx * c.size / 64 - lx, yy * c.size / 64 - ly) / reach
            small.putpixel((xx, yy), blend(stops, min(1.0, u)))
    return small.resize(c.img.size, Image.BILINEAR)


def blend(stops, u):
    for j in range(len(stops) - 1):
        (ua, ca), (ub, cb) = stops[j], stops[j + 1]
        if ua <= u <= ub:
            t = 0 if ub == ua else (u - ua) / (ub - ua)
            return tuple(int(ca[k] + (cb[k] - ca[k]) * t) for k in range(3))
    return stops[-1][1]


def draw_globe(c, cx, cy, r, edge=(0, 30, 90), edge_w=1.1):
    disc = ellipse_mask(c, cx, cy, r)
    c.paint(grow(disc, edge_w), edge)
    ocean = radial(c, cx - 0.45 * r, cy - 0.45 * r, 1.5 * r, OCEAN)
    c.paint(disc, ocean)
    land = [
        [(-0.75, -0.55), (-0.35, -0.8), (0.0, -0.62), (-0.12, -0.3), (-0.35, -0.12),
         (-0.3, 0.15), (-0.15, 0.5), (-0.32, 0.85), (-0.55, 0.45), (-0.62, 0.05), (-0.88, -0.2)],
        [(0.22, -0.75), (0.55, -0.72), (0.82, -0.45), (0.6, -0.3), (0.72, -0.05),
         (0.55, 0.2), (0.42, 0.55), (0.2, 0.3), (0.28, 0.0), (0.12, -0.3)],
    ]
    landm = c.mask()
    d = ImageDraw.Draw(landm)
    for poly in land:
        d.polygon(c.pts([(cx + x * r, cy + y * r) for (x, y) in poly]), fill=255)
    landm = both(landm, disc)
    c.paint(landm, radial(c, cx - 0.45 * r, cy - 0.45 * r, 1.5 * r, LAND))
    grid_m = c.mask()
    d = ImageDraw.Draw(grid_m)
    w = max(1, int(0.55 * S))
    for k in (0.45,):
        d.ellipse(c.box(cx - k * r, cy - r, cx + k * r, cy + r), outline=255, width=w)
    d.line(c.pts([(cx, cy - r), (cx, cy + r)]), fill=255, width=w)
    d.line(c.pts([(cx - r, cy), (cx + r, cy)]), fill=255, width=w)
    for yy in (-0.5, 0.5):
        hw = r * math.sqrt(1 - yy * yy)
        d.line(c.pts([(cx - hw, cy + yy * r), (cx + hw, cy + yy * r)]), fill=255, width=w)
    c.paint(both(grid_m, disc), (220, 240, 255), 0.45)
    c.paint(both(ellipse_mask(c, cx - 0.35 * r, cy - 0.45 * r, 0.42 * r, 0.28 * r), disc),
            (255, 255, 255), 0.35)


def bell32(globe):
    c = Canvas()
    if globe:
        draw_bell(c, 14.5, 1.5, 1.0)
        draw_globe(c, 24.0, 24.0, 6.6)
    else:
        draw_bell(c, 16, 1.5, 1.15)
    return c.result()


def browse32():
    c = Canvas()
    draw_globe(c, 16, 16, 14.2, edge_w=1.2)
    return c.result()


def note32():
    c = Canvas()
    paper = [(4, 5), (28, 5), (28, 21), (21, 28), (4, 28)]
    flap = [(28, 21), (21, 21), (21, 28)]
    shadow = poly_mask(c, [(x + 1.3, y + 1.3) for (x, y) in paper])
    c.paint(shadow, (0, 0, 0), 0.25)
    paper_m = poly_mask(c, paper)
    c.stamp(paper_m, gradient(c.img.size, [(0, (255, 243, 130)), (1, (255, 226, 70))], vertical=True),
            (120, 96, 0), 1.0)
    lines = c.mask()
    d = ImageDraw.Draw(lines)
    for y, x1 in ((11, 24), (15, 25), (19, 23), (23, 17)):
        d.line(c.pts([(7.5, y), (x1, y)]), fill=255, width=int(1.0 * S))
    c.paint(lines, (50, 90, 200))
    flap_m = poly_mask(c, flap)
    c.stamp(flap_m, (222, 186, 40), (120, 96, 0), 0.9)
    pin = ellipse_mask(c, 16, 5.5, 2.6)
    c.stamp(pin, (220, 30, 30), (110, 0, 0), 0.9)
    c.paint(ellipse_mask(c, 15.2, 4.7, 0.9), (255, 200, 200))
    return c.result()


def pencil_masks(c, tip, end, width):
    """Masks of a pencil's parts from its point to its eraser."""
    tx, ty = tip
    ex, ey = end
    length = math.hypot(ex - tx, ey - ty)
    ux, uy = (ex - tx) / length, (ey - ty) / length
    nx, ny = -uy, ux
    h = width / 2

    def at(u, v):
        return (tx + ux * u + nx * v, ty + uy * u + ny * v)

    cone = 4.5
    parts = {
        "lead": poly_mask(c, [at(0, 0), at(1.6, -h * 1.6 / cone), at(1.6, h * 1.6 / cone)]),
        "wood": poly_mask(c, [at(0, 0), at(cone, -h), at(cone, h)]),
        "body": poly_mask(c, [at(cone, -h), at(length - 4.5, -h), at(length - 4.5, h), at(cone, h)]),
        "stripe": poly_mask(c, [at(cone, h * 0.2), at(length - 4.5, h * 0.2),
                                at(length - 4.5, h), at(cone, h)]),
        "band": poly_mask(c, [at(length - 4.5, -h), at(length - 2.5, -h), at(length - 2.5, h),
                              at(length - 4.5, h)]),
        "rubber": poly_mask(c, [at(length - 2.5, -h), at(length, -h), at(length, h),
                                at(length - 2.5, h)]),
    }
    return parts


def draw_pencil(c, tip, end, width=4.6):
    m = pencil_masks(c, tip, end, width)
    whole = union(*m.values())
    c.paint(grow(whole, 1.0), (40, 30, 10))
    c.paint(m["wood"], (240, 200, 140))
    c.paint(m["lead"], (50, 50, 50))
    c.paint(m["body"], (255, 200, 20))
    c.paint(m["stripe"], (220, 140, 0))
    c.paint(m["band"], (190, 190, 200))
    c.paint(m["rubber"], (240, 130, 150))


def frontpage32():
    c = Canvas()
    window = rect_mask(c, 2, 3, 24, 28, 1.2)
    c.stamp(window, (255, 255, 255), (30, 40, 70), 1.0)
    c.paint(both(rect_mask(c, 2, 3, 24, 8.5), window),
            gradient(c.img.size, [(0, (20, 80, 200)), (1, (90, 160, 240))], x0=2, x1=24))
    c.paint(rect_mask(c, 2, 8.5, 24, 9.5), (30, 40, 70))
    pic = rect_mask(c, 5, 12, 12.5, 19)
    c.paint(pic, (150, 205, 255))
    c.paint(both(ellipse_mask(c, 9, 22, 7, 5), pic), (60, 170, 60))
    c.paint(ellipse_mask(c, 7, 14.5, 1.3), (255, 220, 40))
    lines = c.mask()
    d = ImageDraw.Draw(lines)
    for y, x0, x1 in ((13, 14.5, 21), (16, 14.5, 20), (19, 14.5, 19), (22.5, 5, 15), (25.5, 5, 12)):
        d.line(c.pts([(x0, y), (x1, y)]), fill=255, width=int(1.2 * S))
    c.paint(lines, (130, 130, 140))
    draw_pencil(c, (13.0, 21.5), (29.0, 5.0))
    return c.result()


def search32():
    c = Canvas()
    handle = line_mask(c, [(20.5, 20.5), (28.0, 28.0)], 5.0)
    c.stamp(handle, (70, 40, 20), (20, 10, 0), 1.0)
    c.paint(line_mask(c, [(21.5, 20.8), (27.2, 26.5)], 1.2), (150, 100, 60))
    ring = ellipse_mask(c, 13, 13, 10.5)
    glass = ellipse_mask(c, 13, 13, 7.8)
    c.paint(grow(ring, 1.0), (20, 20, 30))
    c.paint(ring, gradient(c.img.size, [(0, (235, 235, 245)), (0.5, (150, 150, 165)), (1, (80, 80, 95))],
                           vertical=True, x0=2.5, x1=23.5))
    c.paint(grow(glass, 0.9), (20, 20, 30))
    c.paint(glass, (200, 228, 255))
    c.paint(both(ellipse_mask(c, 13, 13, 7.8), ellipse_mask(c, 16, 16, 7.0)), (235, 246, 255), 0.9)
    arc = c.mask()
    ImageDraw.Draw(arc).arc(c.box(7.5, 7.5, 18.5, 18.5), 190, 260, fill=255, width=int(1.8 * S))
    c.paint(arc, (255, 255, 255))
    return c.result()


def email32():
    c = Canvas()
    body = rect_mask(c, 2, 7, 30, 26, 1.0)
    c.stamp(body, (255, 246, 220), (80, 70, 50), 1.0)
    folds = c.mask()
    ImageDraw.Draw(folds).line(c.pts([(2.5, 25.5), (13.5, 16.5)]), fill=255, width=int(0.9 * S))
    ImageDraw.Draw(folds).line(c.pts([(29.5, 25.5), (18.5, 16.5)]), fill=255, width=int(0.9 * S))
    c.paint(folds, (200, 180, 140))
    flap = poly_mask(c, [(2.3, 7.3), (29.7, 7.3), (16, 19)])
    c.paint(grow(flap, 0.9), (80, 70, 50))
    c.paint(flap, gradient(c.img.size, [(0, (255, 255, 255)), (1, (236, 228, 205))], vertical=True,
                           x0=7, x1=19))
    c.paint(both(grow(body, 1.0), minus(grow(body, 1.0), body)), (80, 70, 50))
    seal = ellipse_mask(c, 16, 17.2, 2.2)
    c.stamp(seal, (205, 30, 30), (110, 0, 0), 0.7)
    return c.result()


def bubble_mask(c, x0, y0, x1, y1, tail):
    return union(rect_mask(c, x0, y0, x1, y1, 3.5), poly_mask(c, tail))


def newsgroup32():
    c = Canvas()
    back = bubble_mask(c, 1.5, 2.5, 21, 16.5, [(5, 15), (10.5, 15), (3, 22)])
    c.stamp(back, (185, 215, 255), (25, 45, 95), 1.0)
    lines = c.mask()
    d = ImageDraw.Draw(lines)
    for y, x1 in ((7, 17), (10.5, 14)):
        d.line(c.pts([(5, y), (x1, y)]), fill=255, width=int(1.3 * S))
    c.paint(lines, (70, 100, 170))
    front = bubble_mask(c, 9.5, 10.5, 30.5, 25.5, [(22, 24), (27, 24), (29, 30.5)])
    c.stamp(front, gradient(c.img.size, [(0, (255, 255, 255)), (1, (235, 240, 250))], vertical=True,
                            x0=10, x1=26), (25, 45, 95), 1.0)
    lines = c.mask()
    d = ImageDraw.Draw(lines)
    for y, x1 in ((15, 27), (18.5, 25), (22, 21)):
        d.line(c.pts([(13.5, y), (x1, y)]), fill=255, width=int(1.3 * S))
    c.paint(lines, (120, 120, 130))
    return c.result()


def tick32():
    c = Canvas()
    stroke = line_mask(c, [(16.5, 23.0), (21.0, 27.5), (29.5, 16.5)], 4.2)
    c.paint(grow(stroke, 1.6), (255, 255, 255))
    c.stamp(stroke, (30, 185, 40), (0, 80, 0), 1.1)
    c.paint(line_mask(c, [(17.3, 22.6), (21.0, 26.2)], 1.0), (150, 240, 150), 0.8)
    return c.result()


def done32(img):
    return Image.alpha_composite(img, tick32())


# ------------------------------------------------------------------ writers

def dib32(img):
    """A 32-bit icon image: header, colour rows with alpha, AND mask."""
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    px = img.load()
    colour = bytearray()
    mask = bytearray()
    stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row_bits = bytearray(stride)
        for x in range(w):
            r, g, b, a = px[x, y]
            if a < 128:
                row_bits[x // 8] |= 0x80 >> (x % 8)
            if a == 0:
                r = g = b = 0
            colour += bytes((b, g, r, a))
        mask += row_bits
    return header + bytes(colour) + bytes(mask)


def write_ico(path, images):
    images = sorted(images, key=lambda i: i.size[0])
    blobs = [dib32(i) for i in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        w, h = img.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


def write_bmp8(path, img):
    """An 8-bit BMP with a palette of exactly the picture's colours."""
    rgb = img.convert("RGB")
    w, h = rgb.size
    colours = sorted(set(rgb.getdata()))
    assert len(colours) <= 256, len(colours)
    index = {c: i for i, c in enumerate(colours)}
    stride = (w + 3) & ~3
    rows = bytearray()
    px = rgb.load()
    for y in range(h - 1, -1, -1):
        row = bytes(index[px[x, y]] for x in range(w))
        rows += row + bytes(stride - w)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(rows), 2835, 2835, len(colours),
                       len(colours))
    off = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", off + len(rows), 0, 0, off)
    with open(path, "wb") as f:
        f.write(head + info + palette + rows)


def write_bmp24(path, img):
    rgb = img.convert("RGB")
    w, h = rgb.size
    stride = (w * 3 + 3) & ~3
    rows = bytearray()
    px = rgb.load()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = px[x, y]
            row += bytes((b, g, r))
        rows += row + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    off = 14 + len(info)
    head = struct.pack("<2sIHHI", b"BM", off + len(rows), 0, 0, off)
    with open(path, "wb") as f:
        f.write(head + info + rows)


# ------------------------------------------------------------------ bitmaps

def toolbar():
    """The 14 buttons of tool bar 128, 16 by 15 each, on light grey."""
    buttons = [edit16(), delete16(), launch16(), toggle16(), explorer16(), editor16(), todo16(),
               email16(), newsgroup16(), browse16(), note16(), search16(), frontpage16(), help16()]
    sheet = Image.new("RGBA", (16 * len(buttons), 15), (192, 192, 192, 255))
    for i, b in enumerate(buttons):
        b = b.crop((0, 0, 16, 15))
        # Pixel art has no partial transparency, so pasting keeps the colours exact.
        sheet.paste(b, (16 * i, 0), b.getchannel("A").point(lambda v: 255 if v >= 128 else 0))
    return sheet.convert("RGB")


def state_images():
    """Two 16 by 16 check boxes, empty then ticked, on pure red."""
    inside = ".dkwwwwwwwwwgw.."
    box = ["................",
           ".ddddddddddddw..",
           ".dkkkkkkkkkkgw.."] + [inside] * 9 + [
           ".dkggggggggggw..",
           ".wwwwwwwwwwwww..",
           "................",
           "................"]
    check = [
        "......k",
        ".....kk",
        "k...kkk",
        "kk.kkk.",
        "kkkkk..",
        ".kkk...",
        "..k....",
    ]
    sheet = Image.new("RGB", (32, 16), (255, 0, 0))
    empty = grid(box)
    ticked = empty.copy()
    for y, row in enumerate(check):
        for x, ch in enumerate(row):
            if ch != ".":
                put(ticked, 4 + x, 4 + y, ch)
    for i, img in enumerate((empty, ticked)):
        sheet.paste(img.convert("RGB"), (16 * i, 0), img.getchannel("A"))
    return sheet


FONT5 = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "J": ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."],
    "&": [".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"],
    "-": [".....", ".....", ".....", ".###.", ".....", ".....", "....."],
    ".": [".....", ".....", ".....", ".....", ".....", ".....", "..#.."],
    ",": [".....", ".....", ".....", ".....", ".....", "..#..", ".#..."],
    "!": ["..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."],
    "/": ["....#", "...#.", "...#.", "..#..", ".#...", ".#...", "#...."],
    ":": [".....", "..#..", ".....", ".....", ".....", "..#..", "....."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def text_width(text, scale):
    return len(text) * 6 * scale - scale


def draw_text(img, x, y, text, colour, scale=1, shadow=None):
    draw = ImageDraw.Draw(img)
    for layer, (ox, oy, col) in enumerate(([(1, 1, shadow)] if shadow else []) + [(0, 0, colour)]):
        cx = x + ox
        for ch in text:
            glyph = FONT5[ch]
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == "#":
                        draw.rectangle([cx + gx * scale, y + oy + gy * scale,
                                        cx + gx * scale + scale - 1, y + oy + gy * scale + scale - 1],
                                       fill=col)
            cx += 6 * scale


SPONSORS = [
    # name, second line, top colour, bottom colour, ink, logo
    ("QUIBBLEWICK", "DIAL-UP DONE RIGHT", (255, 236, 200), (250, 196, 120), (120, 50, 0), "candle"),
    ("MARROWDALE", "MODEMS & CABLES", (200, 240, 232), (110, 190, 180), (0, 70, 70), "modem"),
    ("PINEWHISTLE", "ONLINE SERVICES", (228, 246, 214), (150, 205, 130), (20, 80, 20), "pine"),
    ("COBALTFINCH", "SOFTWARE FOR THE NET", (215, 228, 255), (120, 150, 230), (10, 30, 120), "finch"),
    ("HOLLOWMERE", "WEB HOSTING SINCE 1994", (60, 50, 120), (20, 20, 60), (255, 240, 190), "mere"),
]


def sponsor_logo(kind, ink):
    """A 48 by 48 logo, drawn large and scaled down."""
    k = 8
    img = Image.new("RGBA", (48 * k, 48 * k), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)

    def b(x0, y0, x1, y1):
        return [x0 * k, y0 * k, x1 * k, y1 * k]

    def p(points):
        return [(x * k, y * k) for (x, y) in points]

    if kind == "candle":
        d.rounded_rectangle(b(17, 20, 31, 44), radius=2 * k, fill=(250, 250, 235), outline=ink, width=k)
        d.rectangle(b(14, 42, 34, 46), fill=(180, 120, 40), outline=ink, width=k)
        d.line(p([(24, 20), (24, 15)]), fill=(40, 30, 20), width=k)
        d.ellipse(b(18, 2, 30, 17), fill=(255, 160, 0))
        d.polygon(p([(24, 1), (29, 11), (19, 11)]), fill=(255, 160, 0))
        d.ellipse(b(21, 8, 27, 16), fill=(255, 240, 120))
        d.line(p([(20, 24), (20, 38)]), fill=(255, 255, 255), width=2 * k)
    elif kind == "modem":
        d.rounded_rectangle(b(3, 18, 45, 36), radius=4 * k, fill=(60, 70, 80), outline=(10, 20, 20), width=k)
        d.rounded_rectangle(b(5, 20, 43, 26), radius=2 * k, fill=(100, 110, 120))
        for i, col in enumerate([(80, 255, 80), (80, 255, 80), (255, 200, 40), (255, 60, 60), (80, 255, 80)]):
            d.ellipse(b(8 + 7 * i, 29, 12 + 7 * i, 33), fill=col)
        for r in (6, 11, 16):
            d.arc(b(24 - r, 14 - r, 24 + r, 14 + r), 225, 315, fill=ink, width=2 * k)
    elif kind == "pine":
        d.rectangle(b(21, 36, 27, 46), fill=(110, 70, 30), outline=(50, 30, 10), width=k)
        for top, half, bottom in ((2, 10, 16), (10, 15, 27), (18, 20, 38)):
            d.polygon(p([(24, top), (24 + half, bottom), (24 - half, bottom)]), fill=(30, 130, 50),
                      outline=(10, 60, 20))
        d.line(p([(24, 6), (18, 15)]), fill=(120, 210, 120), width=k)
    elif kind == "finch":
        d.ellipse(b(6, 12, 38, 40), fill=(20, 60, 190), outline=(5, 20, 80), width=k)
        d.ellipse(b(24, 6, 42, 24), fill=(20, 60, 190), outline=(5, 20, 80), width=k)
        d.polygon(p([(41, 12), (47, 16), (40, 19)]), fill=(255, 170, 0), outline=(120, 70, 0))
        d.ellipse(b(33, 11, 37, 15), fill=(255, 255, 255))
        d.ellipse(b(34, 12, 36, 14), fill=(0, 0, 0))
        d.polygon(p([(10, 22), (28, 24), (14, 36)]), fill=(80, 130, 240), outline=(5, 20, 80))
        d.polygon(p([(8, 30), (0, 40), (10, 38)]), fill=(20, 60, 190), outline=(5, 20, 80))
        d.ellipse(b(12, 28, 30, 40), fill=(240, 240, 250))
    elif kind == "mere":
        d.ellipse(b(26, 3, 42, 19), fill=(255, 240, 190))
        d.ellipse(b(31, 1, 47, 17), fill=(0, 0, 0, 0))
        for i, y in enumerate((26, 33, 40)):
            pts = []
            for x in range(2, 47):
                pts.append((x * k, (y + 2.2 * math.sin((x + i * 3) / 3.0)) * k))
            d.line(pts, fill=(90 + 40 * i, 170 + 25 * i, 255), width=3 * k)
    small = img.resize((48, 48), Image.BOX)
    return small


def sponsor(name, line, top, bottom, ink, logo):
    w, h = 200, 60
    img = Image.new("RGBA", (w, h))
    img.paste(gradient((w, h), [(0, top), (1, bottom)], vertical=True, unit=1), (0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w - 1, h - 1], outline=ink)
    mark = sponsor_logo(logo, ink)
    img = Image.alpha_composite(img, over(Image.new("RGBA", (w, h), (0, 0, 0, 0)), mark, 6, 6))
    shade = tuple(int(c * 0.55 + (255 if sum(ink) < 300 else 0) * 0.45) for c in ink)
    tx = 60 + (w - 60 - 4 - text_width(name, 2)) // 2
    draw_text(img, tx, 12, name, ink, 2, shadow=shade)
    lx = 60 + (w - 60 - 4 - text_width(line, 1)) // 2
    draw_text(img, lx, 38, line, ink, 1)
    return img.convert("RGB")


# --------------------------------------------------------------------- main

ICONS = [
    # file, 16-pixel picture, 32-pixel picture
    ("netbell.ico", program16, lambda: bell32(True)),
    ("tray.ico", bell16, lambda: bell32(False)),
    ("browse.ico", browse16, browse32),
    ("browse_done.ico", lambda: done16(browse16()), lambda: done32(browse32())),
    ("note.ico", note16, note32),
    ("note_done.ico", lambda: done16(note16()), lambda: done32(note32())),
    ("frontpage.ico", frontpage16, frontpage32),
    ("frontpage_done.ico", lambda: done16(frontpage16()), lambda: done32(frontpage32())),
    ("search.ico", search16, search32),
    ("search_done.ico", lambda: done16(search16()), lambda: done32(search32())),
    ("email.ico", email16, email32),
    ("email_done.ico", lambda: done16(email16()), lambda: done32(email32())),
    ("newsgroup.ico", newsgroup16, newsgroup32),
    ("newsgroup_done.ico", lambda: done16(newsgroup16()), lambda: done32(newsgroup32())),
]

SPONSOR_FILES = ["sponsor_quibblewick.bmp", "sponsor_marrowdale.bmp", "sponsor_pinewhistle.bmp",
                 "sponsor_cobaltfinch.bmp", "sponsor_hollowmere.bmp"]


def main():
    os.makedirs(ICON_DIR, exist_ok=True)
    os.makedirs(BITMAP_DIR, exist_ok=True)
    for name, small, large in ICONS:
        write_ico(os.path.join(ICON_DIR, name), [small(), large()])
    write_bmp8(os.path.join(BITMAP_DIR, "toolbar.bmp"), toolbar())
    write_bmp8(os.path.join(BITMAP_DIR, "state_images.bmp"), state_images())
    for fname, details in zip(SPONSOR_FILES, SPONSORS):
        write_bmp24(os.path.join(BITMAP_DIR, fname), sponsor(*details))
    return 0


if __name__ == "__main__":
    sys.exit(main())
