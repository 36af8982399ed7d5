"""The glossy tiles and pictograms of the image buttons."""

from .raster import *  # noqa: F401,F403
from .fonts import *  # noqa: F401,F403


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


def button_image(w, h, base, pict, state, radius=None, margin=(3, 2, 3, 4), k=1.0):
    """One image of a button designed at w x h, drawn at scale k."""
    cv = scaled_canvas(w, h, k, FACE)
    ml, mt, mr, mb = margin
    radius = radius if radius is not None else min(w, h) * 0.2
    at, s = tile(cv, ml, mt, w - mr, h - mb, radius, base, state)
    pict(cv, at, s)
    return cv
