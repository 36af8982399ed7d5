"""The two programs' icons."""

import math
from .raster import *  # noqa: F401,F403


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
