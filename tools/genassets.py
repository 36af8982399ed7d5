#!/usr/bin/env python3
"""Regenerates every picture and sound that tlkedit and autorun ship.

    python3 tools/genassets.py OUTDIR

writes

    OUTDIR/res/          bitmaps and icons that windres compiles into the programs
    OUTDIR/dist/BMPS/    the stock backgrounds offered by the wizard, plus nodef.bmp
    OUTDIR/dist/sounds/  the stock sounds offered by the wizard
    OUTDIR/demo/         background and sounds of the bundled demo disc

All artwork is drawn from code, so it can be tweaked and rebuilt without an
image editor, and the output is byte-for-byte reproducible: nothing depends on
the clock, every random generator has a fixed seed, and only the standard
library is used.

Shapes are described as signed distance functions (negative inside, in
pixels), which gives exact anti-aliased edges without supersampling: the
coverage of a pixel is read straight off the distance at its centre.
"""

import colorsys
import io
import math
import os
import random
import struct
import sys
import time
import wave


# ---------------------------------------------------------------------------
# Small numeric helpers
# ---------------------------------------------------------------------------

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(e0, e1, v):
    t = clamp((v - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    """Linear blend of two colour tuples (0..1 floats)."""
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def rgb(hexstr):
    """'#rrggbb' -> (r, g, b) floats, so colours read like a designer's swatch."""
    h = hexstr.lstrip('#')
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def lighten(c, t):
    return mix(c, (1.0, 1.0, 1.0), t)


def darken(c, t):
    return mix(c, (0.0, 0.0, 0.0), t)


def _bayer(n):
    """n x n ordered-dither thresholds in [0, 1)."""
    m = [[0]]
    size = 1
    while size < n:
        m = ([[4 * v for v in row] + [4 * v + 2 for v in row] for row in m] +
             [[4 * v + 3 for v in row] + [4 * v + 1 for v in row] for row in m])
        size *= 2
    return [[(v + 0.5) / (n * n) for v in row] for row in m]


BAYER = _bayer(8)


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def bmp_bytes(width, height, bits, palette, rows):
    """A bottom-up palette bitmap with the 40-byte info header.

    rows are the pixel rows top to bottom, as palette indices.  biClrUsed
    always states the table length: the player sizes its logical palette
    from that field alone.
    """
    if bits not in (4, 8):
        raise ValueError('only 4- and 8-bit bitmaps are written')
    if len(palette) > (1 << bits) or not palette:
        raise ValueError('palette does not fit the bit depth')
    if len(rows) != height:
        raise ValueError('row count differs from height')
    stride = ((width * bits + 31) // 32) * 4
    packed = []
    for row in reversed(rows):
        if len(row) != width:
            raise ValueError('row length differs from width')
        if bits == 8:
            data = bytes(row)
        else:
            r = list(row) + [0] * (width & 1)
            data = bytes((r[i] << 4) | r[i + 1] for i in range(0, len(r), 2))
        packed.append(data + b'\0' * (stride - len(data)))
    pixels = b''.join(packed)
    table = b''.join(struct.pack('<4B', to8(b), to8(g), to8(r), 0) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels),
                       2835, 2835, len(palette), 0)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return head + info + table + pixels


def to8(v):
    """Colour component to a byte; accepts 0..1 floats or 0..255 ints."""
    if isinstance(v, int):
        return v
    return int(clamp(v) * 255.0 + 0.5)


def _and_mask(size, opaque):
    """1-bit AND mask rows (bottom-up), 1 = transparent."""
    stride = ((size + 31) // 32) * 4
    out = []
    for y in reversed(range(size)):
        bits = bytearray(stride)
        for x in range(size):
            if not opaque[y * size + x]:
                bits[x >> 3] |= 0x80 >> (x & 7)
        out.append(bytes(bits))
    return b''.join(out)


def ico_bytes(images):
    """A multi-image .ico.

    images: list of ('argb', size, [(r, g, b, a) bytes...]) or
    ('pal', size, palette, indices, opaque flags).
    """
    blobs = []
    entries = []
    for img in images:
        if img[0] == 'argb':
            _, size, px = img
            xor = b''.join(
                b''.join(struct.pack('<4B', b, g, r, a) for r, g, b, a in px[y * size:(y + 1) * size])
                for y in reversed(range(size)))
            mask = _and_mask(size, [p[3] >= 128 for p in px])
            hdr = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                              len(xor) + len(mask), 0, 0, 0, 0)
            blobs.append(hdr + xor + mask)
            entries.append((size, 0, 32))
        else:
            _, size, palette, idx, opaque = img
            pal = list(palette) + [(0, 0, 0)] * (256 - len(palette))
            table = b''.join(struct.pack('<4B', to8(b), to8(g), to8(r), 0) for r, g, b in pal)
            stride = (size + 3) & ~3
            xor = b''.join(bytes(idx[y * size:(y + 1) * size]) + b'\0' * (stride - size)
                           for y in reversed(range(size)))
            mask = _and_mask(size, opaque)
            hdr = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0,
                              len(xor) + len(mask), 0, 0, 256, 0)
            blobs.append(hdr + table + xor + mask)
            entries.append((size, 0, 8))
    out = [struct.pack('<HHH', 0, 1, len(blobs))]
    offset = 6 + 16 * len(blobs)
    for (size, ncol, bpp), blob in zip(entries, blobs):
        out.append(struct.pack('<BBBBHHII', size % 256, size % 256, ncol, 0, 1, bpp,
                               len(blob), offset))
        offset += len(blob)
    return b''.join(out) + b''.join(blobs)


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


# ---------------------------------------------------------------------------
# Signed distance shapes (pixel units, y grows downwards)
# ---------------------------------------------------------------------------

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    # Not an exact distance, but close enough for anti-aliasing soft shapes.
    m = min(rx, ry)
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * m


def rrect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        if qx > 0.0 and qy > 0.0:
            return math.hypot(qx, qy) - r
        return (qx if qx > qy else qy) - r
    return f


def segment(ax, ay, bx, by, r):
    """Capsule around the segment a-b."""
    ex, ey = bx - ax, by - ay
    ll = ex * ex + ey * ey or 1e-9

    def f(x, y):
        wx, wy = x - ax, y - ay
        t = (wx * ex + wy * ey) / ll
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        return math.hypot(wx - ex * t, wy - ey * t) - r
    return f


def polyline(points, r):
    segs = [segment(a[0], a[1], b[0], b[1], r) for a, b in zip(points, points[1:])]
    return union(*segs)


def polygon(points):
    """Exact distance to a simple polygon (any winding)."""
    pts = [(float(a), float(b)) for a, b in points]
    n = len(pts)

    def f(px, py):
        d = (px - pts[0][0]) ** 2 + (py - pts[0][1]) ** 2
        s = 1.0
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = px - xi, py - yi
            t = (wx * ex + wy * ey) / ((ex * ex + ey * ey) or 1e-9)
            t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
            bx, by = wx - ex * t, wy - ey * t
            dd = bx * bx + by * by
            if dd < d:
                d = dd
            c1 = py >= yi
            c2 = py < yj
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                s = -s
            j = i
        return s * math.sqrt(d)
    return f


def star(cx, cy, r_out, r_in, points=5, rot=-90.0):
    pts = []
    for i in range(points * 2):
        a = math.radians(rot + i * 180.0 / points)
        r = r_out if i % 2 == 0 else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts)


def sparkle(cx, cy, r):
    """Four-pointed glint used around the magic wand and on shiny things."""
    k = r * 0.22
    return polygon([(cx, cy - r), (cx + k, cy - k), (cx + r, cy), (cx + k, cy + k),
                    (cx, cy + r), (cx - k, cy + k), (cx - r, cy), (cx - k, cy - k)])


def union(*fs):
    if len(fs) == 1:
        return fs[0]
    return lambda x, y: min(f(x, y) for f in fs)


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def outline(f, half_width):
    """A line of width 2*half_width centred on the edge of f."""
    return lambda x, y: abs(f(x, y)) - half_width


def grow(f, r):
    return lambda x, y: f(x, y) - r


def moved(f, dx, dy):
    return lambda x, y: f(x - dx, y - dy)


def arc_band(cx, cy, r, half_width, a0, a1):
    """Ring sector from angle a0 to a1 (degrees, clockwise on screen), round ends."""
    a0r, a1r = math.radians(a0), math.radians(a1)
    mid = (a0r + a1r) / 2.0
    half = abs(a1r - a0r) / 2.0
    p0 = (cx + r * math.cos(a0r), cy + r * math.sin(a0r))
    p1 = (cx + r * math.cos(a1r), cy + r * math.sin(a1r))
    cm, sm = math.cos(mid), math.sin(mid)

    def f(x, y):
        dx, dy = x - cx, y - cy
        # angle from the sector's middle, in (-pi, pi]
        ang = math.atan2(dx * -sm + dy * cm, dx * cm + dy * sm)
        if abs(ang) <= half:
            return abs(math.hypot(dx, dy) - r) - half_width
        return min(math.hypot(x - p0[0], y - p0[1]), math.hypot(x - p1[0], y - p1[1])) - half_width
    return f


# ---------------------------------------------------------------------------
# RGBA canvas with premultiplied alpha
# ---------------------------------------------------------------------------

class Canvas:
    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        n = w * h
        if bg is None:
            self.r, self.g, self.b, self.a = [0.0] * n, [0.0] * n, [0.0] * n, [0.0] * n
        else:
            self.r, self.g, self.b = [bg[0]] * n, [bg[1]] * n, [bg[2]] * n
            self.a = [1.0] * n

    def paint(self, sdf, colour, soft=1.0, opacity=1.0, box=None):
        """Composite colour over the canvas wherever sdf < 0.

        colour is an (r, g, b[, a]) tuple or a function (x, y) -> tuple.
        soft widens the anti-aliased edge to make blurred shadows and glows.
        box (x0, y0, x1, y1) limits the work to a region.
        """
        w = self.w
        if box is None:
            x0, y0, x1, y1 = 0, 0, w, self.h
        else:
            x0 = max(0, int(math.floor(box[0])))
            y0 = max(0, int(math.floor(box[1])))
            x1 = min(w, int(math.ceil(box[2])))
            y1 = min(self.h, int(math.ceil(box[3])))
        R, G, B, A = self.r, self.g, self.b, self.a
        edge = 0.5 * soft
        inv = 1.0 / soft
        flat = None if callable(colour) else colour
        for y in range(y0, y1):
            py = y + 0.5
            row = y * w
            for x in range(x0, x1):
                px = x + 0.5
                d = sdf(px, py)
                if d >= edge:
                    continue
                cov = 0.5 - d * inv
                if cov > 1.0:
                    cov = 1.0
                c = flat or colour(px, py)
                al = cov * opacity
                if len(c) > 3:
                    al *= c[3]
                if al <= 0.0:
                    continue
                i = row + x
                k = 1.0 - al
                R[i] = c[0] * al + R[i] * k
                G[i] = c[1] * al + G[i] * k
                B[i] = c[2] * al + B[i] * k
                A[i] = al + A[i] * k

    def rgb_bytes(self, over=(0.0, 0.0, 0.0)):
        """Opaque 0..255 tuples, composited over a backdrop colour."""
        out = []
        for r, g, b, a in zip(self.r, self.g, self.b, self.a):
            k = 1.0 - a
            out.append((to8(r + over[0] * k), to8(g + over[1] * k), to8(b + over[2] * k)))
        return out

    def rgba_bytes(self):
        """Straight (not premultiplied) 0..255 RGBA, as icons store it."""
        out = []
        for r, g, b, a in zip(self.r, self.g, self.b, self.a):
            if a <= 0.0:
                out.append((0, 0, 0, 0))
            else:
                out.append((to8(r / a), to8(g / a), to8(b / a), to8(a)))
        return out


def vgrad(y0, y1, c0, c1):
    def f(x, y):
        return mix(c0, c1, clamp((y - y0) / (y1 - y0)))
    return f


# ---------------------------------------------------------------------------
# Colour reduction for the resource bitmaps
# ---------------------------------------------------------------------------

def median_cut(pixels, max_colours, reserved=()):
    """Reduce 0..255 RGB tuples to at most max_colours palette entries.

    Colours listed in reserved get an exact palette entry of their own: the
    button face grey must stay exactly the system face colour so the tiles'
    corners melt into the dialog around them.  Returns (palette, indices).
    """
    hist = {}
    for p in pixels:
        hist[p] = hist.get(p, 0) + 1
    palette = [tuple(c) for c in reserved]
    lookup = {c: i for i, c in enumerate(palette)}
    rest = sorted((c, n) for c, n in hist.items() if c not in lookup)
    room = max_colours - len(palette)
    if len(rest) <= room:
        for c, _ in rest:
            lookup[c] = len(palette)
            palette.append(c)
    else:
        boxes = [rest]

        def score(box):
            if len(box) < 2:
                return -1.0
            rng = max(max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3))
            return rng * math.sqrt(sum(n for _, n in box))

        scores = [score(rest)]
        while len(boxes) < room:
            i = max(range(len(boxes)), key=lambda j: scores[j])
            if scores[i] <= 0:
                break
            box = boxes[i]
            ch = max(range(3), key=lambda k: max(c[k] for c, _ in box) - min(c[k] for c, _ in box))
            box.sort(key=lambda cn: cn[0][ch])
            total = sum(n for _, n in box)
            acc, cut = 0, 1
            for j, (_, n) in enumerate(box):
                acc += n
                if acc * 2 >= total:
                    cut = min(max(j + 1, 1), len(box) - 1)
                    break
            a, b = box[:cut], box[cut:]
            boxes[i] = a
            scores[i] = score(a)
            boxes.append(b)
            scores.append(score(b))
        for box in boxes:
            total = sum(n for _, n in box)
            avg = tuple(int(round(sum(c[k] * n for c, n in box) / total)) for k in range(3))
            idx = len(palette)
            palette.append(avg)
            for c, _ in box:
                lookup[c] = idx
    return palette, [lookup[p] for p in pixels]


def canvas_to_bmp(cv, bits=8, reserved=()):
    """Palette bitmap of an opaque canvas."""
    px = cv.rgb_bytes()
    palette, idx = median_cut(px, 1 << bits, reserved)
    if bits == 4:
        palette = palette + [(0, 0, 0)] * (16 - len(palette))
    w = cv.w
    rows = [idx[y * w:(y + 1) * w] for y in range(cv.h)]
    return bmp_bytes(cv.w, cv.h, bits, palette, rows)


# ---------------------------------------------------------------------------
# Pixel font: 7 rows above the baseline, 2 below, proportional widths.
# Used wherever text is small enough that crisp pixels read better than
# smooth strokes (the template previews, the logo's tag line).
# ---------------------------------------------------------------------------

_PIXEL_GLYPHS = {
    'A': ".###.|#...#|#...#|#####|#...#|#...#|#...#",
    'B': "####.|#...#|#...#|####.|#...#|#...#|####.",
    'C': ".###.|#...#|#....|#....|#....|#...#|.###.",
    'D': "####.|#...#|#...#|#...#|#...#|#...#|####.",
    'E': "#####|#....|#....|####.|#....|#....|#####",
    'F': "#####|#....|#....|####.|#....|#....|#....",
    'G': ".###.|#...#|#....|#.###|#...#|#...#|.####",
    'H': "#...#|#...#|#...#|#####|#...#|#...#|#...#",
    'I': "###|.#.|.#.|.#.|.#.|.#.|###",
    'J': "..###|...#.|...#.|...#.|#..#.|#..#.|.##..",
    'K': "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#",
    'L': "#....|#....|#....|#....|#....|#....|#####",
    'M': "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#",
    'N': "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#",
    'O': ".###.|#...#|#...#|#...#|#...#|#...#|.###.",
    'P': "####.|#...#|#...#|####.|#....|#....|#....",
    'Q': ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#",
    'R': "####.|#...#|#...#|####.|#.#..|#..#.|#...#",
    'S': ".####|#....|#....|.###.|....#|....#|####.",
    'T': "#####|..#..|..#..|..#..|..#..|..#..|..#..",
    'U': "#...#|#...#|#...#|#...#|#...#|#...#|.###.",
    'V': "#...#|#...#|#...#|#...#|#...#|.#.#.|..#..",
    'W': "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#.",
    'X': "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#",
    'Y': "#...#|#...#|.#.#.|..#..|..#..|..#..|..#..",
    'Z': "#####|....#|...#.|..#..|.#...|#....|#####",
    'a': ".....|.....|.###.|....#|.####|#...#|.####",
    'b': "#....|#....|####.|#...#|#...#|#...#|####.",
    'c': "....|....|.###|#...|#...|#...|.###",
    'd': "....#|....#|.####|#...#|#...#|#...#|.####",
    'e': ".....|.....|.###.|#...#|#####|#....|.###.",
    'f': "..##|.#..|####|.#..|.#..|.#..|.#..",
    'g': ".....|.....|.####|#...#|#...#|#...#|.####|....#|.###.",
    'h': "#....|#....|#.##.|##..#|#...#|#...#|#...#",
    'i': "#|.|#|#|#|#|#",
    'j': "..#|...|..#|..#|..#|..#|..#|#.#|.#.",
    'k': "#...|#...|#..#|#.#.|##..|#.#.|#..#",
    'l': "##|.#|.#|.#|.#|.#|.#",
    'm': ".....|.....|##.#.|#.#.#|#.#.#|#.#.#|#.#.#",
    'n': ".....|.....|#.##.|##..#|#...#|#...#|#...#",
    'o': ".....|.....|.###.|#...#|#...#|#...#|.###.",
    'p': ".....|.....|####.|#...#|#...#|#...#|####.|#....|#....",
    'q': ".....|.....|.####|#...#|#...#|#...#|.####|....#|....#",
    'r': "....|....|#.##|##..|#...|#...|#...",
    's': "....|....|.###|#...|.##.|...#|###.",
    't': ".#..|.#..|####|.#..|.#..|.#..|..##",
    'u': ".....|.....|#...#|#...#|#...#|#..##|.##.#",
    'v': ".....|.....|#...#|#...#|#...#|.#.#.|..#..",
    'w': ".....|.....|#...#|#...#|#.#.#|#.#.#|.#.#.",
    'x': ".....|.....|#...#|.#.#.|..#..|.#.#.|#...#",
    'y': ".....|.....|#...#|#...#|#...#|#...#|.####|....#|.###.",
    'z': ".....|.....|#####|...#.|..#..|.#...|#####",
    '0': ".###.|#...#|#..##|#.#.#|##..#|#...#|.###.",
    '1': ".#.|##.|.#.|.#.|.#.|.#.|###",
    '2': ".###.|#...#|....#|...#.|..#..|.#...|#####",
    '3': "####.|....#|....#|.###.|....#|....#|####.",
    '4': "...#.|..##.|.#.#.|#..#.|#####|...#.|...#.",
    '5': "#####|#....|####.|....#|....#|#...#|.###.",
    '6': "..##.|.#...|#....|####.|#...#|#...#|.###.",
    '7': "#####|....#|...#.|..#..|.#...|.#...|.#...",
    '8': ".###.|#...#|#...#|.###.|#...#|#...#|.###.",
    '9': ".###.|#...#|#...#|.####|....#|...#.|.##..",
    ' ': "...|...|...|...|...|...|...",
    '.': ".|.|.|.|.|.|#",
    ',': "..|..|..|..|..|.#|.#|#.",
    '-': "...|...|...|###|...|...|...",
    ':': ".|.|#|.|.|#|.",
    '!': "#|#|#|#|#|.|#",
    '?': ".###.|#...#|....#|...#.|..#..|.....|..#..",
    "'": "#|#|.|.|.|.|.",
    '&': ".##..|#..#.|#.#..|.#...|#.#.#|#..#.|.##.#",
    '/': "....#|...#.|...#.|..#..|.#...|.#...|#....",
}


def _parse_pixel_glyphs():
    font = {}
    for ch, pattern in _PIXEL_GLYPHS.items():
        rows = pattern.split('|')
        width = len(rows[0])
        if any(len(r) != width for r in rows):
            raise ValueError('ragged glyph %r' % ch)
        pts = [(x, y) for y, r in enumerate(rows) for x, c in enumerate(r) if c == '#']
        font[ch] = (width, pts)
    return font


PIXEL_FONT = _parse_pixel_glyphs()
PIXEL_ASCENT = 7


def pixel_text_width(text, scale=1, bold=False, spacing=1):
    w = 0
    for ch in text:
        gw = PIXEL_FONT.get(ch, PIXEL_FONT['?'])[0]
        w += (gw + spacing) * scale + (1 if bold else 0)
    return max(0, w - spacing * scale)


def pixel_text(put, x, y, text, scale=1, bold=False, spacing=1):
    """Calls put(px, py) for every lit pixel; (x, y) is the top-left of the cap height.

    Bold smears each stroke one pixel to the right, as GDI emboldens a font;
    it is meant for scale 2 and up, where the gaps inside letters are wider
    than the smear.
    """
    for ch in text:
        gw, pts = PIXEL_FONT.get(ch, PIXEL_FONT['?'])
        for gx, gy in pts:
            for sy in range(scale):
                for sx in range(scale + (1 if bold else 0)):
                    put(x + gx * scale + sx, y + gy * scale + sy)
        x += (gw + spacing) * scale + (1 if bold else 0)
    return x


def wrap_words(text, max_width, measure):
    """Word wrap as a static text control does it: break at spaces, and break
    a single word that is wider than the line wherever it stops fitting."""
    lines = []
    line = ''
    for word in text.split(' '):
        cand = word if not line else line + ' ' + word
        if measure(cand) <= max_width:
            line = cand
            continue
        if line:
            lines.append(line)
        line = ''
        while measure(word) > max_width and len(word) > 1:
            k = len(word)
            while k > 1 and measure(word[:k]) > max_width:
                k -= 1
            lines.append(word[:k])
            word = word[k:]
        line = word
    if line:
        lines.append(line)
    return lines


# ---------------------------------------------------------------------------
# Stroke font: a geometric sans built from lines and elliptical arcs, drawn
# with round pens at any size.  Units: baseline 0, x-height 5, caps 7, y up.
# ---------------------------------------------------------------------------

def _arc(cx, cy, rx, ry, a0, a1, step=12.0):
    """Polyline along an ellipse from a0 to a1 degrees, counter-clockwise (y up)."""
    n = max(2, int(abs(a1 - a0) / step) + 1)
    out = []
    for i in range(n + 1):
        a = math.radians(a0 + (a1 - a0) * i / n)
        out.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return out


def _stroke_glyphs():
    L = lambda *pts: [list(pts)]          # one polyline
    A = lambda *args: [_arc(*args)]       # one arc
    o = A(2.5, 2.5, 2.5, 2.5, 0, 360)
    g = {
        'a': o + L((5, 5), (5, 0)),
        'b': o + L((0, 7.5), (0, 0)),
        'c': A(2.5, 2.5, 2.5, 2.5, 45, 315),
        'd': o + L((5, 7.5), (5, 0)),
        'e': [[(0, 2.5), (5, 2.5)] + _arc(2.5, 2.5, 2.5, 2.5, 0, 315)],
        'f': [[(1.2, 0), (1.2, 5.6)] + _arc(2.9, 5.6, 1.7, 1.7, 180, 45)] + L((0, 5), (3.2, 5)),
        'g': o + [[(5, 5), (5, -1.2)] + _arc(2.5, -1.2, 2.5, 2.3, 0, -150)],
        'h': L((0, 7.5), (0, 0)) + [[(0, 2.5)] + _arc(2.5, 2.5, 2.5, 2.5, 180, 0) + [(5, 0)]],
        'i': L((0, 0), (0, 5)) + L((0, 7.0), (0, 7.01)),
        'j': [[(1.2, 5), (1.2, -1.3)] + _arc(-0.3, -1.3, 1.5, 1.5, 0, -120)] + L((1.2, 7.0), (1.2, 7.01)),
        'k': L((0, 7.5), (0, 0)) + L((4.3, 5), (0, 1.7)) + L((1.4, 2.9), (4.5, 0)),
        'l': L((0, 7.5), (0, 0)),
        'm': L((0, 5), (0, 0)) + [[(0, 3.3)] + _arc(1.8, 3.3, 1.8, 1.7, 180, 0) + [(3.6, 0)]] +
             [[(3.6, 3.3)] + _arc(5.4, 3.3, 1.8, 1.7, 180, 0) + [(7.2, 0)]],
        'n': L((0, 5), (0, 0)) + [[(0, 2.5)] + _arc(2.5, 2.5, 2.5, 2.5, 180, 0) + [(5, 0)]],
        'o': o,
        'p': o + L((0, 5), (0, -2.8)),
        'q': o + L((5, 5), (5, -2.8)),
        'r': L((0, 5), (0, 0)) + [[(0, 2.3)] + _arc(2.6, 2.3, 2.6, 2.7, 180, 80)],
        's': [_arc(2.1, 3.75, 1.9, 1.25, 30, 270) + _arc(2.1, 1.25, 2.1, 1.25, 90, -150)],
        't': [[(1.2, 7), (1.2, 1.3)] + _arc(2.6, 1.3, 1.4, 1.3, 180, 290)] + L((0, 5), (3.2, 5)),
        'u': [[(0, 5), (0, 2.5)] + _arc(2.5, 2.5, 2.5, 2.5, 180, 360)] + L((5, 5), (5, 0)),
        'v': L((0, 5), (2.5, 0), (5, 5)),
        'w': L((0, 5), (1.8, 0), (3.6, 5), (5.4, 0), (7.2, 5)),
        'x': L((0, 5), (4.6, 0)) + L((0, 0), (4.6, 5)),
        'y': L((0, 5), (2.6, 0.2)) + L((5, 5), (1.6, -2.8)),
        'z': L((0, 5), (4.6, 5), (0, 0), (4.6, 0)),
        'A': L((0, 0), (3.2, 7), (6.4, 0)) + L((1.2, 2.4), (5.2, 2.4)),
        'B': [[(0, 0), (0, 7), (2.6, 7)] + _arc(2.6, 5.3, 1.75, 1.7, 90, -90) + [(0, 3.6)]] +
             [[(2.6, 3.6)] + _arc(2.8, 1.8, 1.95, 1.8, 90, -90) + [(0, 0)]],
        'C': A(3.6, 3.5, 3.6, 3.5, 45, 315),
        'D': [[(0, 0), (0, 7), (2.3, 7)] + _arc(2.3, 3.5, 3.6, 3.5, 90, -90) + [(0, 0)]],
        'E': L((4.6, 7), (0, 7), (0, 0), (4.6, 0)) + L((0, 3.6), (4.0, 3.6)),
        'F': L((4.6, 7), (0, 7), (0, 0)) + L((0, 3.6), (4.0, 3.6)),
        'G': [_arc(3.6, 3.5, 3.6, 3.5, 45, 360) + [(7.2, 3.2), (4.2, 3.2)]],
        'H': L((0, 0), (0, 7)) + L((5.6, 0), (5.6, 7)) + L((0, 3.6), (5.6, 3.6)),
        'I': L((0, 0), (0, 7)),
        'J': [[(4, 7), (4, 2.1)] + _arc(2.0, 2.1, 2.0, 2.1, 0, -180)],
        'K': L((0, 0), (0, 7)) + L((5, 7), (0, 2.2)) + L((1.7, 3.9), (5.3, 0)),
        'L': L((0, 7), (0, 0), (4.6, 0)),
        'M': L((0, 0), (0, 7), (3.6, 1.2), (7.2, 7), (7.2, 0)),
        'N': L((0, 0), (0, 7), (5.6, 0), (5.6, 7)),
        'O': A(3.7, 3.5, 3.7, 3.5, 0, 360),
        'P': [[(0, 0), (0, 7), (2.6, 7)] + _arc(2.6, 5.05, 1.95, 1.95, 90, -90) + [(0, 3.1)]],
        'Q': A(3.7, 3.5, 3.7, 3.5, 0, 360) + L((4.6, 1.6), (7.3, -0.6)),
        'R': [[(0, 0), (0, 7), (2.6, 7)] + _arc(2.6, 5.05, 1.95, 1.95, 90, -90) + [(0, 3.1)]] +
             L((2.4, 3.1), (5.0, 0)),
        'S': [_arc(2.7, 5.25, 2.3, 1.75, 30, 270) + _arc(2.7, 1.75, 2.6, 1.75, 90, -150)],
        'T': L((0, 7), (6, 7)) + L((3, 7), (3, 0)),
        'U': [[(0, 7), (0, 2.8)] + _arc(2.8, 2.8, 2.8, 2.8, 180, 360) + [(5.6, 7)]],
        'V': L((0, 7), (3.1, 0), (6.2, 7)),
        'W': L((0, 7), (2.2, 0), (4.6, 7), (7.0, 0), (9.2, 7)),
        'X': L((0, 7), (5.6, 0)) + L((0, 0), (5.6, 7)),
        'Y': L((0, 7), (3, 3.4), (6, 7)) + L((3, 3.4), (3, 0)),
        'Z': L((0, 7), (5.6, 7), (0, 0), (5.6, 0)),
        '?': [_arc(2.4, 5.1, 2.2, 1.9, 160, -90) + [(2.4, 1.8)]] + L((2.4, 0), (2.4, 0.01)),
        '.': L((0, 0), (0, 0.01)),
        '-': L((0, 2.8), (3, 2.8)),
        ' ': [],
    }
    return g


STROKE_FONT = _stroke_glyphs()
_SPACE_ADVANCE = 2.6


def _glyph_extent(ch):
    xs = [p[0] for line in STROKE_FONT[ch] for p in line]
    return (min(xs), max(xs)) if xs else (0.0, _SPACE_ADVANCE)


def stroke_text_width(text, scale, weight, gap=1.5):
    """Width in pixels; weight is the pen width in pixels."""
    w = 0.0
    for ch in text:
        lo, hi = _glyph_extent(ch)
        w += (hi - lo) * scale + weight + gap * scale
    return w - gap * scale


def stroke_text(text, x, baseline, scale, weight, gap=1.5, slant=0.0):
    """Signed distance function of a line of text and its bounding box.

    x is the left edge of the ink, baseline the y of the baseline in pixels,
    scale the pixels per font unit.  slant leans the letters for an italic.
    """
    segs = []
    pen = x + weight / 2.0
    for ch in text:
        lo, hi = _glyph_extent(ch)
        for line in STROKE_FONT[ch]:
            pts = [(pen + (px - lo) * scale + slant * py * scale, baseline - py * scale)
                   for px, py in line]
            for a, b in zip(pts, pts[1:]):
                segs.append((a[0], a[1], b[0], b[1]))
        pen += (hi - lo) * scale + weight + gap * scale
    r = weight / 2.0
    # Bucket the segments by pixel column so each pixel only measures the few
    # strokes that can reach it.
    x0 = int(math.floor(min(min(s[0], s[2]) for s in segs) - r - 2))
    x1 = int(math.ceil(max(max(s[0], s[2]) for s in segs) + r + 2))
    y0 = min(min(s[1], s[3]) for s in segs) - r - 2
    y1 = max(max(s[1], s[3]) for s in segs) + r + 2
    cols = {}
    for s in segs:
        for cx in range(int(math.floor(min(s[0], s[2]) - r - 2)), int(math.ceil(max(s[0], s[2]) + r + 2))):
            cols.setdefault(cx, []).append(s)

    def f(px, py):
        best = 1e9
        for ax, ay, bx, by in cols.get(int(math.floor(px)), ()):
            ex, ey = bx - ax, by - ay
            wx, wy = px - ax, py - ay
            ll = ex * ex + ey * ey
            t = (wx * ex + wy * ey) / ll if ll > 0 else 0.0
            t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
            dx, dy = wx - ex * t, wy - ey * t
            d = dx * dx + dy * dy
            if d < best:
                best = d
        return math.sqrt(best) - r if best < 1e8 else 3.0 + r
    return f, (x0, y0, x1, y1)


# ---------------------------------------------------------------------------
# Shared motifs
# ---------------------------------------------------------------------------

FACE = (192 / 255.0, 192 / 255.0, 192 / 255.0)   # the Windows 3D face colour
FACE8 = (192, 192, 192)
WHITE = (1.0, 1.0, 1.0)
BLACK = (0.0, 0.0, 0.0)


def disc_colour(cx, cy, radius):
    """Silver compact-disc surface with the rainbow sheen of its grooves.

    The sheen is strongest along one diagonal, as when light grazes a real
    disc, and its hue shifts with the radius like diffraction does.
    """
    def f(x, y):
        dx, dy = x - cx, y - cy
        r = math.hypot(dx, dy) / radius
        th = math.atan2(dy, dx)
        lobe = math.cos(2.0 * (th + 0.75)) ** 2
        base = 0.70 + 0.20 * math.cos(2.0 * (th - 0.75)) + 0.08 * (1.0 - r)
        silver = (base * 0.97, base * 0.98, base)
        hue = (r * 1.4 + th / (2 * math.pi) * 0.5) % 1.0
        tint = colorsys.hsv_to_rgb(hue, 0.55, 1.0)
        return mix(silver, tint, 0.55 * lobe * smoothstep(0.3, 0.55, r))
    return f


def draw_disc(cv, cx, cy, radius, hole=None, shadow=True):
    hole = radius * 0.16 if hole is None else hole
    box = (cx - radius - 4, cy - radius - 4, cx + radius + 5, cy + radius + 6)
    body = subtract(circle(cx, cy, radius), circle(cx, cy, hole))
    if shadow:
        cv.paint(moved(body, 0.8, 1.6), BLACK, soft=max(2.0, radius * 0.12), opacity=0.35, box=box)
    cv.paint(body, disc_colour(cx, cy, radius), box=box)
    # clear plastic hub and its stacking ring
    hub = radius * 0.36
    cv.paint(subtract(circle(cx, cy, hub), circle(cx, cy, hole)), (0.86, 0.88, 0.92, 0.85), box=box)
    if radius > 10:
        cv.paint(outline(circle(cx, cy, hub * 0.72), max(0.35, radius * 0.012)), (0.6, 0.62, 0.68, 0.7), box=box)
    cv.paint(outline(circle(cx, cy, hub), max(0.4, radius * 0.015)), (0.55, 0.57, 0.62, 0.8), box=box)
    cv.paint(outline(circle(cx, cy, radius - 0.5), 0.5), (0.45, 0.47, 0.52, 0.8), box=box)
    cv.paint(outline(circle(cx, cy, hole + 0.3), 0.5), (0.45, 0.47, 0.52, 0.8), box=box)


# ---------------------------------------------------------------------------
# Glossy image-button tiles
#
# Every image button shares one look: a rounded tile with a soft drop shadow,
# a vertical gradient, a glassy highlight over its upper half and a pictogram.
# The three images of a button differ the way a push button does:
#   U  resting
#   D  pressed: one pixel down and right, darker, the shadow gone flat
#   F  focused: a warm glow around the tile, since the caption-less buttons
#      have no focus rectangle of their own
# Outside the tile the image is exactly the face grey, so the rounded
# corners blend into the dialog.
# ---------------------------------------------------------------------------

GLOW = rgb('#ffb52e')


def tile(cv, x0, y0, x1, y1, radius, base, state, gloss=0.55):
    """Draws the tile; returns at(u, v), which maps the unit square onto the
    tile (following it when pressed), and the tile's width for scaling the
    pictogram."""
    if state == 'D':
        x0, y0, x1, y1 = x0 + 1, y0 + 1, x1 + 1, y1 + 1
        base = darken(base, 0.14)
    body = rrect(x0, y0, x1, y1, radius)
    if state == 'D':
        cv.paint(moved(body, 0.0, 0.6), BLACK, soft=1.6, opacity=0.30)
    else:
        cv.paint(moved(body, 0.7, 1.5), BLACK, soft=2.8, opacity=0.40)
    if state == 'F':
        cv.paint(grow(body, 1.9), GLOW, soft=2.4, opacity=1.0)
    top, bottom = lighten(base, 0.28), darken(base, 0.28)
    cv.paint(body, vgrad(y0, y1, top, bottom))
    if state == 'D':
        # pressed-in: a little shade under the top edge instead of a gloss
        cv.paint(intersect(grow(body, -1.0), lambda x, y: y - (y0 + 6.0)),
                 lambda x, y: (0, 0, 0, 0.28 * (1.0 - clamp((y - y0) / 6.0))))
        gloss *= 0.6
    h = y1 - y0
    w = x1 - x0
    shine = intersect(grow(body, -1.6), ellipse((x0 + x1) / 2.0, y0 - h * 0.28, w * 0.82, h * 0.74))
    cv.paint(shine, lambda x, y: (1, 1, 1, gloss * (1.0 - 0.8 * clamp((y - y0) / (h * 0.46)))))
    cv.paint(outline(body, 0.55), darken(base, 0.55), opacity=0.9)
    if state == 'F':
        cv.paint(outline(body, 0.5), lighten(GLOW, 0.3), opacity=0.6)

    def at(u, v):
        return (x0 + u * w, y0 + v * h)
    return at, w


def glyph_with_shadow(cv, shape, colour, shadow=0.45, dy=1.0, soft=1.6):
    cv.paint(moved(shape, 0.3, dy), BLACK, soft=soft, opacity=shadow)
    cv.paint(shape, colour)


# --- pictograms: each takes the canvas, the tile's unit-square mapping and
# --- the tile width, and draws in tile coordinates.

def pict_wizard(cv, at, s):
    a, b = at(0.22, 0.80), at(0.60, 0.42)
    tip = at(0.53, 0.49)
    stick = segment(a[0], a[1], b[0], b[1], s * 0.055)
    glyph_with_shadow(cv, stick, rgb('#2a1f3d'))
    cv.paint(segment(tip[0], tip[1], b[0], b[1], s * 0.055), WHITE)
    c = at(0.66, 0.36)
    st = star(c[0], c[1], s * 0.23, s * 0.095, rot=-90 + 8)
    glyph_with_shadow(cv, st, vgrad(c[1] - s * 0.2, c[1] + s * 0.2, rgb('#fff6b0'), rgb('#ffc21a')))
    cv.paint(outline(st, 0.45), rgb('#b07800'), opacity=0.6)
    for u, v, r in ((0.30, 0.28, 0.09), (0.84, 0.66, 0.07), (0.48, 0.18, 0.05)):
        p = at(u, v)
        cv.paint(sparkle(p[0], p[1], s * r), WHITE)


def pict_test(cv, at, s):
    p = [at(0.36, 0.24), at(0.78, 0.50), at(0.36, 0.76)]
    tri = grow(polygon(p), -s * 0.04)
    glyph_with_shadow(cv, grow(tri, s * 0.04), WHITE)


def pict_build(cv, at, s):
    c = at(0.5, 0.58)
    r = s * 0.29
    ring = subtract(circle(c[0], c[1], r), circle(c[0], c[1], r * 0.22))
    glyph_with_shadow(cv, ring, WHITE)
    cv.paint(outline(circle(c[0], c[1], r * 0.55), 0.5), rgb('#c8c8d0'))
    # arrow heading down into the disc: files going onto the CD
    top, mid = at(0.5, 0.10), at(0.5, 0.47)
    head = polygon([at(0.33, 0.40), at(0.67, 0.40), at(0.5, 0.60)])
    shaft = segment(top[0], top[1], mid[0], mid[1], s * 0.07)
    arrow = union(shaft, head)
    cv.paint(grow(arrow, 1.6), rgb('#b3510f'))
    cv.paint(arrow, vgrad(top[1], at(0, 0.6)[1], rgb('#fff2c8'), rgb('#ffd35a')))


def pict_help(cv, at, s):
    scale = s * 0.085
    w = stroke_text_width('?', scale, s * 0.13)
    x = at(0.5, 0)[0] - w / 2.0
    f, _ = stroke_text('?', x, at(0, 0.79)[1], scale, s * 0.13)
    glyph_with_shadow(cv, f, WHITE)


def pict_exit(cv, at, s):
    frame = polyline([at(0.56, 0.22), at(0.24, 0.22), at(0.24, 0.78), at(0.56, 0.78)], s * 0.055)
    glyph_with_shadow(cv, frame, WHITE)
    a, b = at(0.40, 0.50), at(0.66, 0.50)
    arrow = union(segment(a[0], a[1], b[0], b[1], s * 0.065),
                  polygon([at(0.58, 0.32), at(0.84, 0.50), at(0.58, 0.68)]))
    glyph_with_shadow(cv, arrow, WHITE)


def pict_pallet(cv, at, s):
    c = at(0.5, 0.52)
    body = subtract(subtract(ellipse(c[0], c[1], s * 0.40, s * 0.32),
                             circle(*at(0.66, 0.68), s * 0.075)),
                    circle(*at(0.86, 0.74), s * 0.12))
    glyph_with_shadow(cv, body, vgrad(c[1] - s * 0.3, c[1] + s * 0.3, rgb('#f3d29c'), rgb('#c9924f')),
                      shadow=0.4)
    cv.paint(outline(body, 0.5), rgb('#7a4f1e'), opacity=0.9)
    for (u, v), col in zip(((0.30, 0.42), (0.46, 0.32), (0.64, 0.34), (0.30, 0.62), (0.46, 0.70)),
                           ('#e8322b', '#ffd21f', '#2fb344', '#2f6fe8', '#a040d0')):
        p = at(u, v)
        blob = circle(p[0], p[1], s * 0.075)
        cv.paint(blob, vgrad(p[1] - 2, p[1] + 2, lighten(rgb(col), 0.35), rgb(col)))
        cv.paint(outline(blob, 0.4), darken(rgb(col), 0.45), opacity=0.7)


def pict_ssound(cv, at, s):
    back = union(rrect(*at(0.16, 0.24), *at(0.46, 0.40), s * 0.04),
                 rrect(*at(0.16, 0.32), *at(0.84, 0.78), s * 0.04))
    glyph_with_shadow(cv, back, rgb('#d69a1c'), shadow=0.35)
    front = polygon([at(0.12, 0.42), at(0.88, 0.42), at(0.84, 0.80), at(0.16, 0.80)])
    front = grow(front, -0.3)
    cv.paint(front, vgrad(at(0, 0.42)[1], at(0, 0.8)[1], rgb('#ffe27a'), rgb('#f1b52c')))
    cv.paint(outline(union(back, front), 0.45), rgb('#8a5a08'), opacity=0.8)
    # eighth note
    hx, hy = at(0.44, 0.68)
    head = ellipse(hx, hy, s * 0.075, s * 0.058)
    sx = hx + s * 0.065
    stem = segment(sx, hy, sx, at(0, 0.47)[1], s * 0.022)
    flag = polyline([(sx, at(0, 0.47)[1]), at(0.62, 0.53), at(0.60, 0.60)], s * 0.025)
    cv.paint(union(head, stem, flag), rgb('#1b4fb8'))


def pict_hsound(cv, at, s):
    box = rrect(*at(0.14, 0.38), *at(0.30, 0.62), s * 0.025)
    cone = polygon([at(0.27, 0.38), at(0.50, 0.20), at(0.50, 0.80), at(0.27, 0.62)])
    spk = union(box, cone)
    glyph_with_shadow(cv, spk, vgrad(at(0, 0.2)[1], at(0, 0.8)[1], rgb('#6b7280'), rgb('#2b2f38')),
                      shadow=0.35)
    cv.paint(outline(spk, 0.45), rgb('#15171c'), opacity=0.8)
    c = at(0.50, 0.50)
    for k, r in enumerate((0.15, 0.27, 0.39)):
        band = arc_band(c[0], c[1], s * r, s * 0.035, -48, 48)
        cv.paint(band, mix(rgb('#1d6fe0'), rgb('#57b6ff'), k / 2.0))


def pict_action(cv, at, s):
    bolt = polygon([at(0.58, 0.12), at(0.26, 0.56), at(0.48, 0.56), at(0.38, 0.90),
                    at(0.76, 0.42), at(0.54, 0.42), at(0.66, 0.12)])
    glyph_with_shadow(cv, bolt, vgrad(at(0, 0.1)[1], at(0, 0.9)[1], rgb('#fff3a0'), rgb('#ffb000')),
                      shadow=0.5, soft=1.2)
    cv.paint(outline(bolt, 0.45), rgb('#8a5200'), opacity=0.85)


STEP_TILE = {
    'WIZARD': (rgb('#7446c8'), pict_wizard),
    'TEST': (rgb('#2c9a46'), pict_test),
    'BUILD': (rgb('#e2731f'), pict_build),
    'HELP': (rgb('#2f73d0'), pict_help),
    'EXIT': (rgb('#c93a34'), pict_exit),
}
SILVER = rgb('#cfd5de')
PAGE_TILE = {
    'PALLET': pict_pallet,
    'SSOUND': pict_ssound,
    'HSOUND': pict_hsound,
    'ACTION': pict_action,
}


def button_image(w, h, base, pict, state, radius=None, margin=(3, 2, 3, 4)):
    cv = Canvas(w, h, FACE)
    ml, mt, mr, mb = margin
    radius = radius if radius is not None else min(w, h) * 0.2
    at, s = tile(cv, ml, mt, w - mr, h - mb, radius, base, state)
    pict(cv, at, s)
    return cv


# ---------------------------------------------------------------------------
# Logos
# ---------------------------------------------------------------------------

PRODUCT = 'TLK Autoplay Varrow'
TAGLINE = 'CD START-UP MENU DESIGNER'


def draw_logo(w=344, h=63):
    """The banner at the top of the editor's main window."""
    cv = Canvas(w, h, FACE)
    x0, y0, x1, y1 = 1.0, 1.0, w - 2.0, h - 3.0
    body = rrect(x0, y0, x1, y1, 12)
    cv.paint(moved(body, 0.6, 1.4), BLACK, soft=2.6, opacity=0.4)
    navy_top, navy_bottom = rgb('#2d6fd1'), rgb('#0a1f5c')
    cv.paint(body, vgrad(y0, y1, navy_top, navy_bottom))
    # a soft light from behind the disc
    cv.paint(body, lambda x, y: (0.55, 0.78, 1.0, 0.45 * math.exp(-((x - 40) ** 2 + (y - 30) ** 2) / 900.0)))
    # faint circles echoing the disc's grooves across the banner
    for r in (58, 74, 90, 106):
        cv.paint(intersect(outline(circle(34, 31, r), 0.5), body), (1, 1, 1, 0.07))
    cv.paint(intersect(grow(body, -1.5), ellipse(w / 2.0, y0 - 22, w * 0.62, 46)),
             lambda x, y: (1, 1, 1, 0.30 * (1.0 - clamp((y - y0) / 26.0))))
    cv.paint(outline(body, 0.55), rgb('#061238'))
    draw_disc(cv, 35, 31, 25, hole=4.2)
    # play arrow on the disc: the disc starts itself
    tri = grow(polygon([(29, 21.5), (44, 31), (29, 40.5)]), -1.2)
    cv.paint(moved(grow(tri, 1.2), 0.5, 1.0), BLACK, soft=1.8, opacity=0.45)
    cv.paint(grow(tri, 1.2), vgrad(21, 41, rgb('#7ee08f'), rgb('#1e8f3a')))
    cv.paint(outline(grow(tri, 1.2), 0.5), rgb('#0c4d1d'), opacity=0.8)

    # product name: "TLK" in gold, the rest in white, as large as fits
    first, rest = PRODUCT.split(' ', 1)
    left, right = 67.0, w - 9.0
    weight, gap = 3.2, 1.1

    def layout(scale):
        x2 = left + stroke_text_width(first, scale, weight + 0.6, gap) + _SPACE_ADVANCE * scale * 0.8 + weight
        return x2, x2 + stroke_text_width(rest, scale, weight, gap)
    scale = 3.0
    while layout(scale)[1] > right:
        scale -= 0.02
    x2 = layout(scale)[0]
    baseline = 34.0
    f1, b1 = stroke_text(first, left, baseline, scale, weight + 0.6, gap)
    f2, b2 = stroke_text(rest, x2, baseline, scale, weight, gap)
    for f, b, top, bottom in ((f1, b1, rgb('#fff1a8'), rgb('#ffb627')),
                              (f2, b2, WHITE, rgb('#cfe3ff'))):
        cv.paint(moved(f, 0.8, 1.4), rgb('#020a24'), soft=2.0, opacity=0.6, box=(b[0], b[1], b[2] + 3, b[3] + 3))
        cv.paint(f, vgrad(baseline - 7 * scale, baseline, top, bottom), box=b)
    # tag line in crisp pixels, letter-spaced
    put_px = []
    tx = int(round(x2 + (right - x2 - pixel_text_width(TAGLINE, spacing=2)) / 2.0))
    pixel_text(lambda x, y: put_px.append((x, y)), tx, 43, TAGLINE, spacing=2)
    lit = set(put_px)
    cv.paint(lambda x, y: -1.0 if (int(x), int(y)) in lit else 1.0, rgb('#9cc8ff'),
             box=(tx, 43, tx + pixel_text_width(TAGLINE, spacing=2) + 1, 51))
    return cv


def draw_wizlogo(w=72, h=61):
    """The wizard's welcome picture: a disc being touched by a magic wand."""
    cv = Canvas(w, h, FACE)
    draw_disc(cv, 29, 34, 23, hole=3.8)
    # wand from the lower right, star tip over the disc's upper right
    a, b = (66, 56), (45, 20)
    stick = segment(a[0], a[1], b[0], b[1], 2.6)
    cv.paint(moved(stick, 1.0, 1.8), BLACK, soft=2.5, opacity=0.4)
    cv.paint(stick, rgb('#2a1f3d'))
    cv.paint(segment(49.5, 27.6, b[0], b[1], 2.6), WHITE)
    cv.paint(outline(segment(49.5, 27.6, b[0], b[1], 2.6), 0.4), rgb('#7a7f8a'), opacity=0.8)
    st = star(45, 16, 12.5, 5.2, rot=-90 + 10)
    cv.paint(moved(st, 0.8, 1.5), BLACK, soft=2.2, opacity=0.35)
    cv.paint(st, vgrad(4, 28, rgb('#fff6b0'), rgb('#ffb81a')))
    cv.paint(outline(st, 0.5), rgb('#a86a00'), opacity=0.8)
    for x, y, r, col in ((63, 9, 5.5, WHITE), (25, 6, 4.5, rgb('#fff3a0')), (66, 34, 4.0, rgb('#fff3a0')),
                         (33, 15, 3.0, WHITE)):
        sp = sparkle(x, y, r)
        cv.paint(moved(sp, 0.4, 0.8), BLACK, soft=1.5, opacity=0.25)
        cv.paint(sp, col)
    return cv


# ---------------------------------------------------------------------------
# Template previews: each a miniature of one menu-window layout, drawn as the
# player shows it: a Windows 95 style frame and caption, a blue gradient
# background, bold headings, the main lines placed and aligned as in the
# layout, and the two bottom lines.  One line is drawn in the highlight
# colour so the preview also shows what pointing at a line does.
# Drawn straight in a fixed 16-colour table, pixel by pixel, so the small
# text stays crisp.
# ---------------------------------------------------------------------------

PREVIEW_PALETTE = [
    (0, 0, 0),        # 0 black: frame shadow
    (255, 255, 255),  # 1 white: frame light, text
    (192, 192, 192),  # 2 face grey
    (128, 128, 128),  # 3 dark grey
    (223, 223, 223),  # 4 light grey
    (0, 0, 128),      # 5 caption, dark end
    (16, 132, 208),   # 6 caption, light end
    (6, 14, 58),      # 7..11 background ramp
    (13, 32, 104),
    (24, 60, 156),
    (42, 98, 204),
    (84, 146, 236),
    (255, 214, 64),   # 12 highlight text
    (8, 66, 168),     # 13 caption, middle
    (168, 200, 245),  # 14 pale blue (spare)
    (64, 64, 64),     # 15 darkest grey (spare)
]
_BG_RAMP = [7, 8, 9, 10, 11]
_CAPTION_RAMP = [5, 13, 6]

def _lines(x, w, h, ys):
    return [(x, y, w, h) for y in ys]


# The ten layouts in dialog units: (window size, main line alignment, main
# line rectangles, bottom-left line, bottom-right line, heading 1, heading 2).
LAYOUTS = [
    ((240, 173), 'centre', _lines(30, 175, 20, (40, 65, 90, 115, 140)),
     (0, 165, 95, 8), (145, 165, 95, 8), (0, 0, 240, 22), (0, 22, 240, 13)),
    ((146, 93), 'centre', _lines(0, 145, 8, range(30, 71, 10)),
     (0, 85, 65, 8), (80, 85, 65, 8), (0, 0, 145, 15), (0, 15, 145, 10)),
    ((196, 159), 'left', _lines(35, 155, 17, (34, 58, 80, 102, 124)),
     (0, 148, 85, 8), (110, 150, 85, 8), (0, 0, 195, 16), (0, 18, 195, 12)),
    ((146, 113), 'centre', _lines(0, 145, 8, range(30, 91, 10)),
     (0, 105, 60, 8), (85, 105, 60, 8), (0, 0, 145, 17), (0, 16, 145, 10)),
    ((161, 120), 'right', _lines(15, 140, 8, range(35, 96, 15)),
     (0, 110, 65, 8), (95, 110, 65, 8), (0, 0, 160, 16), (0, 18, 160, 12)),
    ((161, 120), 'right', _lines(10, 145, 8, range(35, 96, 15)),
     (0, 110, 70, 8), (90, 110, 70, 8), (0, 0, 160, 17), (0, 17, 160, 13)),
    ((161, 123), 'right', _lines(10, 145, 8, range(30, 101, 10)),
     (0, 115, 65, 8), (95, 115, 65, 8), (0, 0, 160, 14), (0, 16, 160, 10)),
    ((200, 154), 'centre', _lines(0, 200, 8, range(40, 131, 10)),
     (0, 145, 80, 8), (120, 145, 80, 8), (0, 0, 200, 15), (0, 20, 200, 15)),
    ((200, 154), 'right', _lines(15, 180, 8, range(40, 131, 10)),
     (0, 145, 85, 8), (115, 145, 85, 8), (0, 0, 200, 15), (0, 20, 200, 15)),
    ((200, 154), 'left', _lines(50, 145, 8, range(40, 131, 10)),
     (0, 145, 80, 8), (115, 145, 80, 8), (0, 0, 200, 15), (0, 20, 200, 15)),
]

# Point size of each layout's dialog font and its heading font heights in
# pixels; together they tell how big the headings look beside the lines.
_DIALOG_FONT_PT = [12, 20, 12, 14, 16, 14, 18, 14, 14, 14]
HEADING_HEIGHTS = [(50, 28), (50, 32), (40, 28), (40, 28), (36, 24),
                   (40, 26), (50, 28), (40, 28), (40, 28), (40, 28)]

PREVIEW_SIZES = [(328, 248), (332, 231), (268, 242), (245, 202), (293, 222),
                 (245, 204), (342, 264), (304, 257), (304, 257), (304, 257)]

SAMPLE_TITLE = 'My Product'
SAMPLE_HEADINGS = ('Welcome', 'Please choose an item')
SAMPLE_LINES = ['Install My Product', 'Read the release notes', 'Browse this CD',
                'Take the product tour', 'Register online', 'Visit our web site',
                'Free extras', 'Video clips', 'Technical support', 'Uninstall']
# The wrapping layouts are meant for long lines, so show them with some.
SAMPLE_LONG_LINES = ['Install My Product on your hard disk', 'Read the release notes before you start',
                     'Browse the contents of this CD', 'Take the guided tour of the product',
                     'Register online to receive updates']
SAMPLE_BOTTOM = ('Exit', 'More...')
HOT_LINE = 1     # the line drawn as if the pointer rested on it


class IndexImage:
    def __init__(self, w, h, fill=0):
        self.w, self.h = w, h
        self.px = bytearray([fill]) * (w * h)

    def put(self, x, y, c, clip=None):
        if clip is not None and not (clip[0] <= x < clip[2] and clip[1] <= y < clip[3]):
            return
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y * self.w + x] = c

    def bevel(self, x0, y0, x1, y1, tl, br):
        """One-pixel 3D edge: tl on the top and left, br on the bottom and right."""
        self.rect(x0, y0, x1, y0 + 1, tl)
        self.rect(x0, y0, x0 + 1, y1, tl)
        self.rect(x0, y1 - 1, x1, y1, br)
        self.rect(x1 - 1, y0, x1, y1, br)

    def ramp(self, x0, y0, x1, y1, ramp, t_of):
        """Ordered-dithered ramp through the given palette indices."""
        n = len(ramp) - 1
        for y in range(max(0, y0), min(self.h, y1)):
            by = BAYER[y & 7]
            for x in range(max(0, x0), min(self.w, x1)):
                v = clamp(t_of(x, y)) * n + by[x & 7]
                self.px[y * self.w + x] = ramp[int(min(v, n))]

    def rows(self):
        return [list(self.px[y * self.w:(y + 1) * self.w]) for y in range(self.h)]


def _text_block(img, rect, text, align, colour, scale, bold, shadow=None):
    """Static-control text: top-aligned, word-wrapped, clipped to the rectangle."""
    x0, y0, x1, y1 = rect
    measure = lambda s: pixel_text_width(s, scale, bold)
    line_h = 10 * scale
    y = y0 + max(1, scale)
    for line in wrap_words(text, x1 - x0, measure):
        if y >= y1:
            break
        tw = measure(line)
        if align == 'centre':
            x = x0 + (x1 - x0 - tw) // 2
        elif align == 'right':
            x = x1 - tw
        else:
            x = x0
        if shadow is not None:
            pixel_text(lambda px, py: img.put(px + 1, py + 1, shadow, rect), x, y, line, scale, bold)
        pixel_text(lambda px, py: img.put(px, py, colour, rect), x, y, line, scale, bold)
        y += line_h


def draw_preview(index):
    (dw, dh), align, mains, bl, br, h1, h2 = LAYOUTS[index]
    W, H = PREVIEW_SIZES[index]
    img = IndexImage(W, H, 2)
    # window frame: outer light/dark, inner white/grey, then two pixels of face
    img.bevel(0, 0, W, H, 4, 0)
    img.bevel(1, 1, W - 1, H - 1, 1, 3)
    cap_h = 18
    cx0, cy0, cx1 = 4, 4, W - 4
    img.ramp(cx0, cy0, cx1, cy0 + cap_h, _CAPTION_RAMP, lambda x, y: (x - cx0) / float(cx1 - cx0))
    # caption: a little disc for the window icon, the title, then the
    # minimise and close boxes
    for y in range(cy0 + 1, cy0 + 17):
        for x in range(cx0 + 1, cx0 + 17):
            d = math.hypot(x + 0.5 - (cx0 + 9), y + 0.5 - (cy0 + 9))
            if d <= 7.0:
                img.put(x, y, 3 if d > 6.2 else 4 if d > 1.8 else 3 if d > 1.0 else 13)
    img.put(cx0 + 6, cy0 + 6, 1)
    img.put(cx0 + 7, cy0 + 5, 1)
    pixel_text(lambda x, y: img.put(x, y, 1, (0, 0, cx1 - 40, H)), cx0 + 20, cy0 + 5, SAMPLE_TITLE)
    bw, bh = 16, 14
    for k, glyph in enumerate(('min', 'close')):
        bx1 = cx1 - 2 - (bw + 2) * (1 - k)
        bx0 = bx1 - bw
        by0 = cy0 + 2
        img.rect(bx0, by0, bx1, by0 + bh, 2)
        img.bevel(bx0, by0, bx1, by0 + bh, 1, 0)
        img.bevel(bx0 + 1, by0 + 1, bx1 - 1, by0 + bh - 1, 4, 3)
        if glyph == 'min':
            img.rect(bx0 + 4, by0 + 9, bx0 + 10, by0 + 11, 0)
        else:
            for i in range(7):
                for dx in (0, 1):
                    img.put(bx0 + 4 + i + dx, by0 + 3 + i, 0)
                    img.put(bx0 + 10 - i + dx, by0 + 3 + i, 0)
    # client area
    ax0, ay0, ax1, ay1 = 4, cy0 + cap_h + 1, W - 4, H - 4
    img.ramp(ax0, ay0, ax1, ay1, _BG_RAMP,
             lambda x, y: 0.95 - 0.85 * (y - ay0) / float(ay1 - ay0)
             + 0.12 * math.exp(-((x - (ax0 + ax1) / 2.0) / (0.5 * (ax1 - ax0))) ** 2))
    sx = (ax1 - ax0) / float(dw)
    sy = (ay1 - ay0) / float(dh)

    def px_rect(r):
        x, y, w, h = r
        return (int(round(ax0 + x * sx)), int(round(ay0 + y * sy)),
                min(ax1, int(round(ax0 + (x + w) * sx))), min(ay1, int(round(ay0 + (y + h) * sy))))

    # The pixel font's cell is 10 pixels per scale step; pick the step that
    # comes closest to the real font's size in this miniature.
    line_scale = max(1, int(round(8 * sy / 9.0)))
    cell = _DIALOG_FONT_PT[index] * 96 / 72.0 * 1.15   # dialog font cell height, pixels
    for r, text, height in ((h1, SAMPLE_HEADINGS[0], HEADING_HEIGHTS[index][0]),
                            (h2, SAMPLE_HEADINGS[1], HEADING_HEIGHTS[index][1])):
        scale = max(1, min(3, int(height * sy * 8.0 / cell / 10.0 + 0.3)))
        _text_block(img, px_rect(r), text, 'centre', 1, scale, scale > 1, shadow=7)
    texts = SAMPLE_LONG_LINES if mains[0][3] > 8 else SAMPLE_LINES
    for k, r in enumerate(mains):
        _text_block(img, px_rect(r), texts[k], align, 12 if k == HOT_LINE else 1, line_scale, False)
    _text_block(img, px_rect(bl), SAMPLE_BOTTOM[0], 'left', 1, line_scale, False)
    _text_block(img, px_rect(br), SAMPLE_BOTTOM[1], 'right', 1, line_scale, False)
    return img


def preview_bmp(index):
    img = draw_preview(index)
    return bmp_bytes(img.w, img.h, 4, PREVIEW_PALETTE, img.rows())


# ---------------------------------------------------------------------------
# Program icons: drawn afresh at each size rather than scaled, so the small
# ones keep bold, simple shapes.
# ---------------------------------------------------------------------------

ICON_SIZES = (16, 32, 48)


def draw_player_icon(s):
    """autorun: a disc with a green play button."""
    cv = Canvas(s, s)
    k = s / 32.0
    r = s * 0.47
    c = s / 2.0 - 0.25 * k
    draw_disc(cv, c, c, r, hole=max(1.2, 2.6 * k), shadow=False)
    bc = (s * 0.68, s * 0.68)
    br = s * 0.30
    badge = circle(bc[0], bc[1], br)
    cv.paint(moved(badge, 0.3 * k, 0.8 * k), BLACK, soft=1.5 * k, opacity=0.45)
    cv.paint(badge, vgrad(bc[1] - br, bc[1] + br, rgb('#8be39a'), rgb('#178a36')))
    cv.paint(outline(badge, max(0.45, 0.5 * k)), rgb('#0b4a1c'))
    tri = polygon([(bc[0] - br * 0.36, bc[1] - br * 0.52), (bc[0] + br * 0.58, bc[1]),
                   (bc[0] - br * 0.36, bc[1] + br * 0.52)])
    cv.paint(tri, WHITE)
    return cv


def draw_editor_icon(s):
    """tlkedit: a disc with a pencil writing on it."""
    cv = Canvas(s, s)
    k = s / 32.0
    r = s * 0.40
    c = s * 0.42
    draw_disc(cv, c, c, r, hole=max(1.2, 2.2 * k), shadow=False)
    # pencil from upper right to lower left, its point near the disc's edge
    a = (s * 0.92, s * 0.38)   # back end
    b = (s * 0.50, s * 0.86)   # tip
    ang = math.atan2(b[1] - a[1], b[0] - a[0])
    ux, uy = math.cos(ang), math.sin(ang)
    nx, ny = -uy, ux
    hw = max(1.6, 3.0 * k)
    L = math.hypot(b[0] - a[0], b[1] - a[1])
    wood = 0.72 * L

    def P(t, side):
        return (a[0] + ux * t + nx * side, a[1] + uy * t + ny * side)
    body = polygon([P(0, -hw), P(wood, -hw), P(wood, hw), P(0, hw)])
    cone = polygon([P(wood, -hw), P(L, 0), P(wood, hw)])
    lead = polygon([P(L - 0.32 * (L - wood), -hw * 0.32), P(L, 0), P(L - 0.32 * (L - wood), hw * 0.32)])
    ferrule = polygon([P(0, -hw), P(0.16 * L, -hw), P(0.16 * L, hw), P(0, hw)])
    whole = union(body, cone)
    cv.paint(moved(whole, 0.6 * k, 1.0 * k), BLACK, soft=1.6 * k, opacity=0.45)
    cv.paint(body, lambda x, y: mix(rgb('#ffe07a'), rgb('#e89a12'),
                                    clamp(((x - a[0]) * nx + (y - a[1]) * ny + hw) / (2 * hw))))
    cv.paint(cone, rgb('#f4d3a1'))
    cv.paint(lead, rgb('#2b2b33'))
    cv.paint(ferrule, lambda x, y: mix(rgb('#f7a1b5'), rgb('#c9506e'),
                                       clamp(((x - a[0]) * nx + (y - a[1]) * ny + hw) / (2 * hw))))
    cv.paint(outline(whole, max(0.4, 0.45 * k)), rgb('#6b4708'), opacity=0.9)
    return cv


def icon_file(draw):
    images = []
    for s in ICON_SIZES:
        images.append(('argb', s, draw(s).rgba_bytes()))
    # A 256-colour 32x32 image for displays without alpha blending.  Its
    # palette entry 0 is black: masked pixels must be black in the colour
    # image so the screen shows through unchanged.
    px = draw(32).rgba_bytes()
    opaque = [p[3] >= 128 for p in px]
    flat = [(p[0], p[1], p[2]) if o else (0, 0, 0) for p, o in zip(px, opaque)]
    palette, idx = median_cut(flat, 256, reserved=[(0, 0, 0)])
    idx = [i if o else 0 for i, o in zip(idx, opaque)]
    images.insert(0, ('pal', 32, palette, idx, opaque))
    return ico_bytes(images)


# ---------------------------------------------------------------------------
# Backgrounds (640 x 480, 256-colour)
#
# Each background is a scalar field t(x, y) in [0, 1] seen through a colour
# ramp: the palette is the ramp sampled evenly, and pixels pick their entry
# with 8x8 ordered dithering, so gradients come out smooth without banding
# and the whole picture stays a true palette image, as the player's palette
# handling expects.  The ramps have 236 entries: with the 20 colours Windows
# reserves in 256-colour modes, every entry gets a palette slot of its own.
# ---------------------------------------------------------------------------

BG_W, BG_H = 640, 480
BG_COLOURS = 236


def ramp_colour(stops, t):
    """stops: [(position 0..1, colour)], positions ascending."""
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            break
    return mix(c0, c1, clamp((t - p0) / ((p1 - p0) or 1.0)))


def ramp_palette(stops, n=BG_COLOURS, lo=0.0, hi=1.0):
    return [ramp_colour(stops, lo + (hi - lo) * i / float(n - 1)) for i in range(n)]


def dither_rows(field_rows, n=BG_COLOURS, cyclic=False):
    """field_rows: h lists of w floats in [0, 1]; returns palette index rows."""
    top = n - 1
    out = []
    for y, row in enumerate(field_rows):
        by = BAYER[y & 7]
        if cyclic:
            out.append(bytes(int(t * n + by[x & 7]) % n for x, t in enumerate(row)))
        else:
            out.append(bytes(min(top, max(0, int(t * top + by[x & 7]))) for x, t in enumerate(row)))
    return out


def background_bmp(stops, field_rows, cyclic=False):
    """Palette image of a field seen through a ramp.

    Most fields only cover part of the ramp; the palette then spans just the
    range that occurs, so all 236 entries go to colours that are used and
    the steps between neighbours stay as small as they can be.
    """
    if cyclic:
        pal = ramp_palette(stops, BG_COLOURS)
    else:
        lo = min(min(row) for row in field_rows)
        hi = max(max(row) for row in field_rows)
        span = (hi - lo) or 1.0
        pal = ramp_palette(stops, BG_COLOURS, lo, hi)
        field_rows = [[(t - lo) / span for t in row] for row in field_rows]
    return bmp_bytes(BG_W, BG_H, 8, pal, dither_rows(field_rows, BG_COLOURS, cyclic))


def value_noise(w, h, cell, seed):
    """Smooth value noise on a w x h grid, features about cell pixels wide."""
    rnd = random.Random(seed)
    gw, gh = int(w / cell) + 3, int(h / cell) + 3
    lattice = [[rnd.random() for _ in range(gw)] for _ in range(gh)]
    xs = []
    for x in range(w):
        u = x / float(cell)
        i = int(u)
        f = u - i
        xs.append((i, f * f * (3 - 2 * f)))
    out = []
    for y in range(h):
        v = y / float(cell)
        j = int(v)
        g = v - j
        g = g * g * (3 - 2 * g)
        r0, r1 = lattice[j], lattice[j + 1]
        out.append([(r0[i] + (r0[i + 1] - r0[i]) * f) * (1 - g) +
                    (r1[i] + (r1[i + 1] - r1[i]) * f) * g for i, f in xs])
    return out


def fbm(w, h, cell, octaves, seed, falloff=0.5):
    """Fractal sum of value noise, normalised to about 0..1."""
    total = [[0.0] * w for _ in range(h)]
    amp, norm = 1.0, 0.0
    for k in range(octaves):
        layer = value_noise(w, h, max(1.0, cell / (2 ** k)), seed * 31 + k)
        for trow, lrow in zip(total, layer):
            for i, v in enumerate(lrow):
                trow[i] += v * amp
        norm += amp
        amp *= falloff
    return [[v / norm for v in row] for row in total]


def upsample(grid, factor):
    """Bilinear enlargement of a coarse field (cheap smooth detail at full size)."""
    h, w = len(grid), len(grid[0])
    W, H = (w - 1) * factor + 1, (h - 1) * factor + 1
    xs = [(x // factor, (x % factor) / float(factor)) for x in range(W)]
    out = []
    for y in range(H):
        j, g = y // factor, (y % factor) / float(factor)
        r0 = grid[j]
        r1 = grid[min(j + 1, h - 1)]
        row = []
        for i, f in xs:
            i1 = min(i + 1, w - 1)
            a = r0[i] + (r0[i1] - r0[i]) * f
            b = r1[i] + (r1[i1] - r1[i]) * f
            row.append(a + (b - a) * g)
        out.append(row)
    return out


def coarse_fbm(cell, octaves, seed, factor=4, falloff=0.5):
    g = fbm(BG_W // factor + 1, BG_H // factor + 1, cell / float(factor), octaves, seed, falloff)
    return [row[:BG_W] for row in upsample(g, factor)[:BG_H]]


def emboss(height, strength, light=(-1, -1)):
    """Directional shading of a height field: positive where the surface
    faces the light (upper left by default)."""
    h, w = len(height), len(height[0])
    lx, ly = light
    out = []
    for y in range(h):
        row = height[y]
        other = height[min(h - 1, max(0, y + ly))]
        ox = lx
        out.append([(row[x] - other[min(w - 1, max(0, x + ox))]) * strength for x in range(w)])
    return out


def bg_blue_gradient():
    cx = BG_W / 2.0
    rows = []
    for y in range(BG_H):
        v = 1.0 - y / float(BG_H - 1)
        base = 0.08 + 0.80 * v ** 1.15
        glow = 0.10 * v
        rows.append([base + glow * math.exp(-((x - cx) / 360.0) ** 2) for x in range(BG_W)])
    stops = [(0.0, rgb('#040b34')), (0.45, rgb('#103c9a')), (0.8, rgb('#2f6fd6')), (1.0, rgb('#5a9cf0'))]
    return background_bmp(stops, rows)


def bg_blue_red():
    rows = []
    for y in range(BG_H):
        rows.append([clamp(0.62 * x / (BG_W - 1) + 0.38 * y / (BG_H - 1)) for x in range(BG_W)])
    stops = [(0.0, rgb('#1c3cc8')), (0.35, rgb('#5a34b8')), (0.65, rgb('#a42c8c')), (1.0, rgb('#d8283c'))]
    return background_bmp(stops, rows)


def bg_green_gradient():
    rows = []
    for y in range(BG_H):
        v = 1.0 - y / float(BG_H - 1)
        rows.append([0.06 + 0.9 * v ** 1.2 + 0.04 * math.cos((x - 320) / 420.0) for x in range(BG_W)])
    stops = [(0.0, rgb('#02260a')), (0.5, rgb('#117a2e')), (1.0, rgb('#7fd36a'))]
    return background_bmp(stops, rows)


def bg_black_orange():
    rows = []
    for y in range(BG_H):
        v = y / float(BG_H - 1)
        rows.append([clamp(v ** 1.3 + 0.05 * math.exp(-((x - 320) / 260.0) ** 2) * v) for x in range(BG_W)])
    stops = [(0.0, rgb('#000000')), (0.35, rgb('#2a0a00')), (0.7, rgb('#a83e00')),
             (0.92, rgb('#f27d0c')), (1.0, rgb('#ffa53a'))]
    return background_bmp(stops, rows)


def bg_rainbow():
    # Hue runs along a gentle diagonal from red to violet.
    rows = []
    span = BG_W + 0.35 * BG_H
    for y in range(BG_H):
        rows.append([(x + 0.35 * y) / span for x in range(BG_W)])
    stops = [(i / 6.0, colorsys.hsv_to_rgb(i / 7.2, 0.72, 0.96)) for i in range(7)]
    return background_bmp(stops, rows)


def bg_lime_pattern():
    # Quilted diamonds: a raised dome in every diamond of a lattice, lit from
    # the upper left, in shades of lime.
    k = 2 * math.pi / 64.0
    rows = []
    for y in range(BG_H):
        row = []
        for x in range(BG_W):
            u, v = (x + y) * k, (x - y) * k
            su, sv = math.sin(u), math.sin(v)
            h = abs(su * sv)
            # derivative along the light direction (towards the upper left)
            du = math.cos(u) * sv * (1 if su * sv >= 0 else -1)
            shade = -du * 0.55
            row.append(clamp(0.50 + 0.28 * h ** 0.6 + 0.22 * shade))
        rows.append(row)
    stops = [(0.0, rgb('#2f5a00')), (0.45, rgb('#76b81a')), (0.75, rgb('#a9de3c')), (1.0, rgb('#e8ffa6'))]
    return background_bmp(stops, rows)


def bg_purple_pattern():
    # Satin waves: bands that bend back and forth like folded cloth.
    rows = []
    for y in range(BG_H):
        row = []
        for x in range(BG_W):
            p = 0.055 * y + 1.9 * math.sin(0.011 * x + 0.9 * math.sin(0.007 * y)) + 0.6 * math.sin(0.023 * x)
            band = math.sin(p)
            band = math.copysign(abs(band) ** 0.6, band)
            row.append(clamp(0.45 + 0.22 * band + 0.10 * math.sin(0.004 * (x + y))))
        rows.append(row)
    stops = [(0.0, rgb('#20033a')), (0.4, rgb('#5a1c8c')), (0.75, rgb('#9b5bd0')), (1.0, rgb('#e4c6ff'))]
    return background_bmp(stops, rows)


def bg_fluffy_white():
    cloud = coarse_fbm(220, 6, seed=7, factor=4, falloff=0.55)
    fine = fbm(BG_W, BG_H, 6, 1, seed=8)
    shade = emboss(cloud, 9.0)
    rows = []
    for crow, frow, srow in zip(cloud, fine, shade):
        rows.append([clamp(0.15 + 1.5 * smoothstep(0.32, 0.78, c) * 0.55 + 0.45 * s + 0.05 * f)
                     for c, f, s in zip(crow, frow, srow)])
    stops = [(0.0, rgb('#b9c6dd')), (0.35, rgb('#dde4f1')), (0.7, rgb('#f4f6fb')), (1.0, rgb('#ffffff'))]
    return background_bmp(stops, rows)


def bg_iridescent():
    # Mother-of-pearl scales: overlapping rounded scales, each shimmering
    # from its centre to its rim, over slow swirls that drift the colours
    # through a cyclic pastel spectrum.
    swirl = coarse_fbm(300, 4, seed=21, factor=4, falloff=0.5)
    step_x, step_y, radius = 48.0, 22.0, 30.0
    rows = []
    for y, srow in enumerate(swirl):
        j0 = int(y / step_y) + 2
        row = []
        for x, s in enumerate(srow):
            base = 2.6 * s + 0.3 * x / BG_W
            # Rows of scales are laid from the top down, each overlapping the
            # one above, so the lowest row that covers the pixel wins; along
            # its rim the scale is blended with the one beneath it.
            value, cover = None, 0.0
            for j in range(j0, j0 - 5, -1):
                off = (step_x / 2.0) * (j & 1)
                i = int(math.floor((x + 0.5 - off) / step_x + 0.5))
                d = math.hypot(x + 0.5 - (i * step_x + off), y + 0.5 - (j * step_y - radius * 0.55))
                c = clamp(radius - d + 0.5)
                if c <= 0.0:
                    continue
                r = min(1.0, d / radius)
                v = base + 0.22 * r * r + 0.05 * r
                if value is None:
                    value, cover = v, c
                else:
                    value = v + (value - v) * cover
                    cover = 1.0
                if cover >= 1.0:
                    break
            row.append((value if value is not None else base) % 1.0)
        rows.append(row)
    loop = ['#d9c2f5', '#b8d6fb', '#b4f0dc', '#f4efb4', '#fbc9c0', '#d9c2f5']
    stops = [(i / 5.0, rgb(c)) for i, c in enumerate(loop)]
    return background_bmp(stops, rows, cyclic=True)


def bg_raised_paper():
    # Paper grain plus a large raised panel whose bevel catches the light.
    grain = fbm(BG_W, BG_H, 2.0, 2, seed=31)
    mottle = coarse_fbm(90, 3, seed=32)
    inset, bevel = 28.0, 10.0
    height = []
    for y in range(BG_H):
        row = []
        for x in range(BG_W):
            d = min(x - inset, BG_W - 1 - inset - x, y - inset, BG_H - 1 - inset - y)
            row.append(smoothstep(0.0, bevel, d) * 2.2)
        height.append(row)
    lit = emboss(height, 0.9)
    rows = []
    for grow_, mrow, lrow in zip(grain, mottle, lit):
        rows.append([clamp(0.55 + 0.14 * (g - 0.5) + 0.18 * (m - 0.5) + l)
                     for g, m, l in zip(grow_, mrow, lrow)])
    stops = [(0.0, rgb('#9c9078')), (0.4, rgb('#e2d9c4')), (0.62, rgb('#efe8d8')), (1.0, rgb('#fffdf6'))]
    return background_bmp(stops, rows)


def bg_nodef():
    # The "nothing chosen yet" canvas: soft grey linen with a light vignette.
    mottle = coarse_fbm(140, 3, seed=41)
    rnd = random.Random(42)
    thread_x = [rnd.uniform(-0.04, 0.04) for _ in range(BG_W)]
    thread_y = [rnd.uniform(-0.04, 0.04) for _ in range(BG_H)]
    rows = []
    cx, cy = BG_W / 2.0, BG_H / 2.0
    for y in range(BG_H):
        ty = thread_y[y] + (0.03 if y % 2 else -0.03)
        mrow = mottle[y]
        vy = ((y - cy) / cy) ** 2
        row = []
        for x in range(BG_W):
            tx = thread_x[x] + (0.03 if x % 2 else -0.03)
            weave = tx if (x // 2 + y // 2) % 2 else ty
            vig = 0.16 * (((x - cx) / cx) ** 2 + vy)
            row.append(clamp(0.72 + weave + 0.10 * (mrow[x] - 0.5) - vig))
        rows.append(row)
    stops = [(0.0, rgb('#8d9096')), (0.6, rgb('#c9cbcf')), (1.0, rgb('#e9eaec'))]
    return background_bmp(stops, rows)


def bg_demo():
    # The demo disc's menu: deep blue, a soft light from the upper left and a
    # large disc half off the right edge, catching the light in two wedges
    # as a real disc does.  The middle stays calm so the menu lines read well
    # in any layout.
    rows = []
    dcx, dcy, R = 628.0, 372.0, 236.0
    hole, hub = 22.0, 70.0
    gx, gy = 150.0, 40.0
    for y in range(BG_H):
        v = y / float(BG_H - 1)
        row = []
        for x in range(BG_W):
            t = 0.36 - 0.22 * v
            t += 0.22 * math.exp(-((x - gx) ** 2 + (y - gy) ** 2) / (2 * 210.0 ** 2))
            dx, dy = x - dcx, y - dcy
            r = math.hypot(dx, dy)
            if r < R + 1.0:
                cov = clamp(R + 0.5 - r)
                th = math.atan2(dy, dx)
                sheen = math.cos(th - 0.8) ** 2
                sheen *= sheen * sheen
                if r < hole:
                    disc = 0.0
                elif r < hub:
                    # the clear hub: a touch lighter, with a bright stacking ring
                    disc = 0.035 + 0.05 * clamp(1.5 - abs(r - hub * 0.72))
                else:
                    disc = 0.05 + 0.2 * sheen * smoothstep(hub, R, r) + 0.03 * (r > R * 0.96)
                disc += 0.06 * clamp(1.5 - abs(r - hub)) + 0.05 * clamp(1.2 - abs(r - hole))
                # the rim lit on the side that faces the light
                disc += 0.09 * clamp(1.6 - abs(r - R + 1.0)) * (0.3 + 0.7 * max(0.0, -math.cos(th + 0.9)))
                t += disc * cov
            row.append(clamp(t))
        rows.append(row)
    stops = [(0.0, rgb('#02051a')), (0.25, rgb('#081d5c')), (0.45, rgb('#1646a8')),
             (0.7, rgb('#5d95e6')), (1.0, rgb('#e6f0ff'))]
    return background_bmp(stops, rows)


STOCK_BACKGROUNDS = [
    ('bluegrad.bmp', bg_blue_gradient),    # Blue Gradient
    ('bluered.bmp', bg_blue_red),          # Blue-Red Gradient
    ('greegrad.bmp', bg_green_gradient),   # Green Gradient
    ('blacoran.bmp', bg_black_orange),     # Black-Orange Gradient
    ('rainbow.bmp', bg_rainbow),           # Rainbow
    ('limegreen.bmp', bg_lime_pattern),    # Lime Green Pattern
    ('purple.bmp', bg_purple_pattern),     # Purple Pattern
    ('fluff.bmp', bg_fluffy_white),        # Fluffy White
    ('shiny.bmp', bg_iridescent),          # Iridescent Pattern
    ('raised.bmp', bg_raised_paper),       # Raised Paper
    ('nodef.bmp', bg_nodef),               # no background chosen yet
]


# ---------------------------------------------------------------------------
# Sounds: 16-bit mono PCM at 22050 Hz, the format every Windows sound driver
# plays without conversion.  Each sound is synthesised in floating point,
# then finished the same way: DC removed, short raised-cosine fades so it
# neither starts nor stops with a click, and normalised to -3 dBFS peak.
# ---------------------------------------------------------------------------

RATE = 22050
PEAK = 10 ** (-3.0 / 20.0)


def _n(seconds):
    return int(round(seconds * RATE))


def note_hz(name):
    """'A4' -> 440.0; sharps as 'C#5'."""
    steps = {'C': -9, 'D': -7, 'E': -5, 'F': -4, 'G': -2, 'A': 0, 'B': 2}
    k = steps[name[0]] + (1 if '#' in name else 0)
    octave = int(name[-1])
    return 440.0 * 2 ** ((k + 12 * (octave - 4)) / 12.0)


def add(buf, start, samples, gain=1.0):
    for i, v in enumerate(samples):
        j = start + i
        if j >= len(buf):
            break
        buf[j] += v * gain


def bell(freq, seconds, decay=3.0, bright=1.0):
    """A soft struck bell: a few partials, the upper ones dying sooner."""
    partials = ((1.0, 1.0, 1.0), (2.0, 0.35 * bright, 1.8), (3.01, 0.12 * bright, 2.7),
                (4.2, 0.06 * bright, 3.6), (0.5, 0.10, 0.8))
    n = _n(seconds)
    out = [0.0] * n
    attack = _n(0.004)
    for ratio, amp, dk in partials:
        w = 2 * math.pi * freq * ratio / RATE
        if freq * ratio > RATE * 0.45:
            continue
        rate = decay * dk / RATE
        for i in range(n):
            out[i] += amp * math.sin(w * i) * math.exp(-rate * i)
    for i in range(min(attack, n)):
        out[i] *= i / float(attack)
    return out


def pad_tone(freq, seconds, attack, release, detune=0.003):
    """Warm sustained tone: three slightly detuned sines with a slow swell."""
    n = _n(seconds)
    a, r = _n(attack), _n(release)
    out = []
    ws = [2 * math.pi * freq * (1 + d) / RATE for d in (-detune, 0.0, detune)]
    w2 = 2 * math.pi * freq * 2 / RATE
    for i in range(n):
        env = min(1.0, i / float(a)) if a else 1.0
        if i > n - r:
            env *= 0.5 - 0.5 * math.cos(math.pi * (n - i) / float(r))
        v = sum(math.sin(w * i) for w in ws) / 3.0 + 0.15 * math.sin(w2 * i)
        out.append(v * env)
    return out


def filtered_noise(seconds, centre_of, q, seed, env_of):
    """White noise through a band-pass filter whose centre moves over time:
    the basis of the whooshes.  centre_of and env_of map 0..1 (time) to Hz
    and gain."""
    rnd = random.Random(seed)
    n = _n(seconds)
    out = []
    x1 = x2 = y1 = y2 = 0.0
    b0 = b2 = a1 = a2 = 0.0
    for i in range(n):
        t = i / float(n)
        if i % 16 == 0:
            w0 = 2 * math.pi * min(centre_of(t), RATE * 0.45) / RATE
            alpha = math.sin(w0) / (2 * q)
            a0 = 1 + alpha
            b0, b2 = alpha / a0, -alpha / a0
            a1, a2 = -2 * math.cos(w0) / a0, (1 - alpha) / a0
        x0 = rnd.uniform(-1.0, 1.0)
        y0 = b0 * x0 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, x0
        y2, y1 = y1, y0
        out.append(y0 * env_of(t))
    return out


def finish(samples, fade_in=0.003, fade_out=0.02):
    n = len(samples)
    mean = sum(samples) / n
    s = [v - mean for v in samples]
    fi, fo = max(1, _n(fade_in)), max(1, _n(fade_out))
    for i in range(min(fi, n)):
        s[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fi)
    for i in range(min(fo, n)):
        s[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fo)
    peak = max(abs(v) for v in s) or 1.0
    k = PEAK * 32767.0 / peak
    return [int(round(v * k)) for v in s]


def wav_bytes(samples):
    bio = io.BytesIO()
    with wave.open(bio, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack('<%dh' % len(samples), *samples))
    return bio.getvalue()


def snd_chime(notes=('C5', 'E5', 'G5', 'C6'), step=0.09, seconds=1.8):
    """Start-up chime: a rising major arpeggio of soft bells."""
    buf = [0.0] * _n(seconds)
    for k, nm in enumerate(notes):
        add(buf, _n(step * k), bell(note_hz(nm), seconds - step * k, decay=2.6), 0.8 - 0.08 * k)
    return finish(buf, fade_out=0.25)


def snd_welcome():
    """Start-up pad: a warm major-ninth chord swelling up, with a bell on top."""
    seconds = 2.0
    buf = [0.0] * _n(seconds)
    for nm, g in (('F3', 0.5), ('C4', 0.45), ('A4', 0.4), ('E5', 0.3), ('G5', 0.22)):
        add(buf, 0, pad_tone(note_hz(nm), seconds, 0.5, 0.9), g)
    add(buf, _n(0.35), bell(note_hz('A5'), seconds - 0.35, decay=2.2), 0.35)
    add(buf, _n(0.55), bell(note_hz('E6'), seconds - 0.55, decay=2.8), 0.22)
    return finish(buf, fade_out=0.3)


def snd_sparkle():
    """Start-up sparkle: a quick pentatonic run of tiny bells going up."""
    seconds = 1.3
    buf = [0.0] * _n(seconds)
    run = ('E5', 'G5', 'A5', 'C6', 'D6', 'E6', 'G6', 'A6')
    for k, nm in enumerate(run):
        add(buf, _n(0.055 * k), bell(note_hz(nm), seconds - 0.055 * k, decay=5.0, bright=0.5), 0.55)
    return finish(buf, fade_out=0.2)


def snd_click(freq=1900.0, seconds=0.12, body=420.0, seed=51):
    """Soft click: a very short tone tick with a breath of noise."""
    n = _n(seconds)
    rnd = random.Random(seed)
    buf = []
    w, wb = 2 * math.pi * freq / RATE, 2 * math.pi * body / RATE
    lp = 0.0
    for i in range(n):
        t = i / float(RATE)
        lp += 0.25 * (rnd.uniform(-1, 1) - lp)
        buf.append(math.sin(w * i) * math.exp(-t / 0.004) * 0.8 +
                   math.sin(wb * i) * math.exp(-t / 0.012) * 0.5 +
                   lp * math.exp(-t / 0.003) * 0.6)
    return finish(buf, fade_out=0.03)


def snd_pop():
    """Bubble pop: a sine whose pitch jumps up as it dies away."""
    seconds = 0.18
    n = _n(seconds)
    buf = []
    phase = 0.0
    for i in range(n):
        t = i / float(RATE)
        f = 320.0 + 900.0 * (1 - math.exp(-t / 0.02))
        phase += 2 * math.pi * f / RATE
        buf.append(math.sin(phase) * math.exp(-t / 0.035))
    return finish(buf, fade_in=0.002, fade_out=0.03)


def snd_whoosh(seconds=0.8, seed=61):
    """Whoosh: noise swept up and back down, swelling and fading like air."""
    centre = lambda t: 350.0 + 2600.0 * math.sin(math.pi * t) ** 1.5
    env = lambda t: math.sin(math.pi * t ** 0.8) ** 2
    return finish(filtered_noise(seconds, centre, 1.4, seed, env), fade_out=0.05)


def snd_swoosh(seconds=0.45, seed=71):
    """Menu change: a quick rising swoosh with a faint tonal glide under it."""
    noise = filtered_noise(seconds, lambda t: 500.0 * 12 ** t, 2.2, seed,
                           lambda t: math.sin(math.pi * t) ** 2 * (1.0 - 0.4 * t))
    phase = 0.0
    n = len(noise)
    for i in range(n):
        t = i / float(n)
        phase += 2 * math.pi * (300.0 + 500.0 * t) / RATE
        noise[i] += 0.05 * math.sin(phase) * math.sin(math.pi * t) ** 2
    return finish(noise, fade_out=0.04)


def snd_confirm(first='E6', second='B6'):
    """Selection: two quick rising notes, like a gentle "OK"."""
    seconds = 0.32
    buf = [0.0] * _n(seconds)
    add(buf, 0, bell(note_hz(first), seconds, decay=14.0, bright=0.3), 0.7)
    add(buf, _n(0.08), bell(note_hz(second), seconds - 0.08, decay=11.0, bright=0.3), 0.8)
    return finish(buf, fade_out=0.05)


STOCK_SOUNDS = [
    ('chime.wav', snd_chime),                               # start-up: bell arpeggio
    ('welcome.wav', snd_welcome),                           # start-up: warm chord swell
    ('sparkle.wav', snd_sparkle),                           # start-up: rising bell run
    ('click.wav', snd_click),                               # mouse-over / select: soft click
    ('tick.wav', lambda: snd_click(2900.0, 0.11, 900.0, 52)),  # mouse-over: light tick
    ('pop.wav', snd_pop),                                   # select: bubble pop
    ('confirm.wav', snd_confirm),                           # select: two-note "OK"
    ('whoosh.wav', snd_whoosh),                             # menu change: long whoosh
    ('swoosh.wav', snd_swoosh),                             # menu change: short swoosh
]

DEMO_SOUNDS = [
    ('intro.wav', lambda: snd_chime(('G4', 'B4', 'D5', 'G5', 'B5'), 0.08, 1.9)),
    ('hover.wav', lambda: snd_click(2400.0, 0.11, 700.0, 53)),
    ('select.wav', lambda: snd_confirm('G5', 'D6')),
    ('menu.wav', lambda: snd_swoosh(0.5, 72)),
]


# ---------------------------------------------------------------------------
# What gets written where
# ---------------------------------------------------------------------------

# Image buttons: resource base name -> (width, height, bits, tile colour, pictogram).
# The button sizes itself to the "U" image, so the size is the layout.
BUTTONS = {
    'WIZARD': (60, 60, 8) + STEP_TILE['WIZARD'],
    'TEST': (60, 60, 8) + STEP_TILE['TEST'],
    'BUILD': (60, 60, 8) + STEP_TILE['BUILD'],
    'HELP': (35, 34, 8) + STEP_TILE['HELP'],
    'EXIT': (40, 40, 8) + STEP_TILE['EXIT'],
    'PALLET': (34, 33, 8, SILVER, PAGE_TILE['PALLET']),
    'SSOUND': (40, 40, 8, SILVER, PAGE_TILE['SSOUND']),
    'HSOUND': (40, 40, 8, SILVER, PAGE_TILE['HSOUND']),
    'ACTION': (24, 24, 4, SILVER, PAGE_TILE['ACTION']),
}


def resource_files():
    """(file name, bytes producer) for everything under res/."""
    out = [('TLKLOGO.bmp', lambda: canvas_to_bmp(draw_logo(), 8, [FACE8])),
           ('WIZLOGO.bmp', lambda: canvas_to_bmp(draw_wizlogo(), 8, [FACE8]))]
    for name, (w, h, bits, base, pict) in BUTTONS.items():
        for state in 'UDF':
            out.append(('%s%s.bmp' % (name, state),
                        lambda w=w, h=h, bits=bits, base=base, pict=pict, state=state:
                        canvas_to_bmp(button_image(w, h, base, pict, state), bits, [FACE8])))
    for i in range(10):
        out.append(('D%d.bmp' % (i + 1), lambda i=i: preview_bmp(i)))
    out.append(('autorun.ico', lambda: icon_file(draw_player_icon)))
    out.append(('tlkedit.ico', lambda: icon_file(draw_editor_icon)))
    return out


def all_files():
    """(relative path, bytes producer) for every generated file."""
    files = [('res/' + name, make) for name, make in resource_files()]
    files += [('dist/BMPS/' + name, make) for name, make in STOCK_BACKGROUNDS]
    files += [('dist/sounds/' + name, lambda make=make: wav_bytes(make())) for name, make in STOCK_SOUNDS]
    files.append(('demo/autorun.bmp', bg_demo))
    files += [('demo/' + name, lambda make=make: wav_bytes(make())) for name, make in DEMO_SOUNDS]
    return files


def generate(outdir, verbose=False):
    written = []
    for rel, make in all_files():
        start = time.time()
        data = make()
        path = os.path.join(outdir, *rel.split('/'))
        write_file(path, data)
        written.append((rel, len(data)))
        if verbose:
            print('%-28s %8d bytes  %5.2f s' % (rel, len(data), time.time() - start))
    return written


def main(argv):
    if len(argv) != 2 or argv[1].startswith('-'):
        sys.stderr.write('usage: %s OUTDIR\n' % os.path.basename(argv[0]))
        return 2
    start = time.time()
    written = generate(argv[1], verbose=os.environ.get('GENASSETS_VERBOSE') == '1')
    print('genassets: %d files in %s (%.1f s)' % (len(written), argv[1], time.time() - start))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
