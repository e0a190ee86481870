#!/usr/bin/env python3
"""Draws the warning dialog's icon (a yellow warning triangle with an
exclamation mark) into src/res/icons/warning.ico, at 16 and 32 pixels.

The build uses the committed file; run this again only to change the
picture.  Plain Python, no imaging library: the 16-pixel picture is pixel
art written as a character grid, the 32-pixel one is drawn as shapes and
smoothed by sampling each pixel 8 x 8 times.
"""

import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "src", "res", "icons", "warning.ico")

COLOURS = {
    ".": (0, 0, 0, 0),
    "k": (0, 0, 0, 255),
    "y": (255, 204, 0, 255),
    "Y": (255, 232, 110, 255),
    "o": (200, 128, 0, 255),
}

SMALL = [
    ".......kk.......",
    "......kYYk......",
    "......kYYk......",
    ".....kYyyok.....",
    ".....kYkkok.....",
    "....kYykkyok....",
    "....kYykkyok....",
    "...kYyykkyyok...",
    "...kYyykkyyok...",
    "..kYyyykkyyyok..",
    "..kYyyyyyyyyok..",
    ".kYyyyykkyyyyok.",
    ".kYyyyykkyyyyok.",
    "kYyyyyyyyyyyyyok",
    "kkkkkkkkkkkkkkkk",
    "................",
]


def small_picture():
    return [[COLOURS[ch] for ch in row] for row in SMALL]


# ---- The 32-pixel picture: shapes in pixel coordinates ----

CORNERS = [(16.0, 1.5), (0.8, 29.5), (31.2, 29.5)]
ROUNDING = 2.2  # corner radius of the outline
BORDER = 1.6    # width of the black outline


def inset(points, d):
    """The triangle moved inwards by d on every side."""
    lines = []
    for i in range(3):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % 3]
        cx = sum(p[0] for p in points) / 3
        cy = sum(p[1] for p in points) / 3
        nx, ny = y1 - y0, x0 - x1
        length = math.hypot(nx, ny)
        nx, ny = nx / length, ny / length
        if (cx - x0) * nx + (cy - y0) * ny < 0:
            nx, ny = -nx, -ny
        lines.append((nx, ny, nx * x0 + ny * y0 + d))
    out = []
    for i in range(3):
        a1, b1, c1 = lines[i - 1]
        a2, b2, c2 = lines[i]
        det = a1 * b2 - a2 * b1
        out.append(((c1 * b2 - c2 * b1) / det, (a1 * c2 - a2 * c1) / det))
    return out


def segment_distance(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def inside(px, py, tri):
    sign = None
    for i in range(3):
        (x0, y0), (x1, y1) = tri[i], tri[(i + 1) % 3]
        cross = (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0)
        if sign is None:
            sign = cross >= 0
        elif (cross >= 0) != sign:
            return False
    return True


def triangle_distance(px, py, tri):
    if inside(px, py, tri):
        return 0.0
    return min(segment_distance(px, py, tri[i], tri[(i + 1) % 3]) for i in range(3))


CORE = inset(CORNERS, ROUNDING)


def in_mark(px, py):
    """The exclamation mark: a stem narrowing downwards and a round dot."""
    if 11.5 <= py <= 21.5:
        half = 2.1 - 0.9 * (py - 11.5) / 10.0
        if abs(px - 16.0) <= half:
            return True
    if math.hypot(px - 16.0, py - 11.5) <= 2.1:
        return True  # round top of the stem
    return math.hypot(px - 16.0, py - 25.2) <= 1.9


def colour_at(px, py):
    d = triangle_distance(px, py, CORE)
    if d > ROUNDING:
        return None
    if d > ROUNDING - BORDER or in_mark(px, py):
        return (0, 0, 0)
    # Light at the top, deeper towards the base.
    t = max(0.0, min(1.0, (py - 4.0) / 24.0))
    return (255, int(236 - 46 * t), int(120 - 120 * t))


def large_picture(size=32, samples=8):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples)
                    if c:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        a += 1
            n = samples * samples
            if a:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


# ---- The icon file: 32-bit images with an AND mask for older systems ----

def dib32(pixels):
    h = len(pixels)
    w = len(pixels[0])
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        bits = bytearray(stride)
        for x in range(w):
            r, g, b, a = pixels[y][x]
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
            if a == 0:
                r = g = b = 0
            colour += bytes((b, g, r, a))
        mask += bits
    return header + bytes(colour) + bytes(mask)


def write_ico(path, pictures):
    blobs = [dib32(p) for p in pictures]
    out = bytearray(struct.pack("<HHH", 0, 1, len(pictures)))
    offset = 6 + 16 * len(pictures)
    for picture, blob in zip(pictures, blobs):
        size = len(picture)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


def main():
    write_ico(OUT, [small_picture(), large_picture()])
    print("wrote", os.path.relpath(OUT, ROOT))


if __name__ == "__main__":
    main()
