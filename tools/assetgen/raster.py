"""Numeric helpers, file writers, distance-field shapes, the RGBA canvas,
colour reduction and the motifs several pictures share."""

import colorsys
import math
import os
import struct

from .scales import scaled


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


def cells(lit):
    """Union of the unit squares whose top-left corners are in lit (a set
    of integer (x, y)): pixel art that stays sharp when drawn larger."""
    def f(x, y):
        cx, cy = int(math.floor(x)), int(math.floor(y))
        fx, fy = x - cx, y - cy
        inside = (cx, cy) in lit
        best = 1.0
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                if (dx or dy) and (((cx + dx, cy + dy) in lit) != inside):
                    ex = 0.0 if dx == 0 else (fx if dx < 0 else 1.0 - fx)
                    ey = 0.0 if dy == 0 else (fy if dy < 0 else 1.0 - fy)
                    best = min(best, math.hypot(ex, ey))
        return -best if inside else best
    return f


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
    """w x h pixels.  unit (pixels per drawing unit across, down) lets a
    picture designed at 100 % be drawn afresh at another scale: shapes and
    colours are given in drawing units and sampled at the pixels' centres,
    hard edges stay one pixel wide and only deliberate blurs grow."""

    def __init__(self, w, h, bg=None, unit=None):
        self.w, self.h = w, h
        self.unit = None if unit is None or unit == (1.0, 1.0) else unit
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
        if self.unit is not None:
            return self._paint_scaled(sdf, colour, soft, opacity, box)
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

    def _paint_scaled(self, sdf, colour, soft, opacity, box):
        ux, uy = self.unit
        du = 0.5 * (ux + uy)
        w = self.w
        if box is None:
            x0, y0, x1, y1 = 0, 0, w, self.h
        else:
            x0 = max(0, int(math.floor(box[0] * ux)))
            y0 = max(0, int(math.floor(box[1] * uy)))
            x1 = min(w, int(math.ceil(box[2] * ux)))
            y1 = min(self.h, int(math.ceil(box[3] * uy)))
        R, G, B, A = self.r, self.g, self.b, self.a
        soft_px = soft * du if soft > 1.0 else soft
        edge = 0.5 * soft_px
        inv = du / soft_px          # turns a distance in drawing units into coverage
        flat = None if callable(colour) else colour
        for y in range(y0, y1):
            py = (y + 0.5) / uy
            row = y * w
            for x in range(x0, x1):
                px = (x + 0.5) / ux
                d = sdf(px, py)
                if d * du >= edge:
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


def scaled_canvas(w, h, k, bg=None):
    """A canvas for a picture designed at w x h, drawn at scale k."""
    W, H = scaled((w, h), k)
    return Canvas(W, H, bg, unit=(W / float(w), H / float(h)))


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
