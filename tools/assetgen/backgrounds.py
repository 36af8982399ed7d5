"""The stock backgrounds, the empty canvas and the demo disc's picture."""

import colorsys
import math
import random
from .raster import *  # noqa: F401,F403
from .fonts import *  # noqa: F401,F403


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
