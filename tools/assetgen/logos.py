"""The editor's banner and the wizard's welcome picture."""

import math
from .raster import *  # noqa: F401,F403
from .fonts import *  # noqa: F401,F403


# ---------------------------------------------------------------------------
# Logos
# ---------------------------------------------------------------------------

PRODUCT = 'TLK Autoplay Varrow'
TAGLINE = 'CD START-UP MENU DESIGNER'


def draw_logo(w=344, h=63, k=1.0):
    """The banner at the top of the editor's main window."""
    cv = scaled_canvas(w, h, k, FACE)
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
        x2 = left + stroke_text_width(first, scale, weight + 0.6, gap) + SPACE_ADVANCE * scale * 0.8 + weight
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
    cv.paint(cells(lit), rgb('#9cc8ff'),
             box=(tx, 43, tx + pixel_text_width(TAGLINE, spacing=2) + 1, 51))
    return cv


def draw_wizlogo(w=72, h=61, k=1.0):
    """The wizard's welcome picture: a disc being touched by a magic wand."""
    cv = scaled_canvas(w, h, k, FACE)
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
