"""Miniatures of the ten menu-window layouts for the template page."""

import math
from .raster import *  # noqa: F401,F403
from .fonts import *  # noqa: F401,F403
from .layouts import read_heading_fonts, read_layouts
from .scales import scaled


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

# The layouts and their heading heights come from the programs' own
# sources (see layouts.py); only the pictures' sizes are chosen here.
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


def _px(v, k):
    """A length of the 100 % picture at scale k, at least one pixel."""
    return max(1, int(round(v * k))) if v > 0 else 0


def draw_preview(index, k=1.0):
    """The preview of one layout at scale k (1.0 = 100 %)."""
    # Both sources are read once per process (the readers keep what they read).
    lay = read_layouts()[index]
    heights = read_heading_fonts()[index][1:]
    dw, dh = lay.size
    align = lay.alignment
    mains = [r for _, r, _ in lay.main_lines()]
    bl, br, h1, h2 = (lay.rect(n) for n in ('C_LBL', 'C_LBR', 'C_HEAD1', 'C_HEAD2'))
    W, H = scaled(PREVIEW_SIZES[index], k)
    img = IndexImage(W, H, 2)
    # window frame: outer light/dark, inner white/grey, then two pixels of face
    t = _px(1, k)
    for i in range(t):
        img.bevel(i, i, W - i, H - i, 4, 0)
    for i in range(t):
        img.bevel(t + i, t + i, W - t - i, H - t - i, 1, 3)
    cap_h = _px(18, k)
    edge = _px(4, k)
    cx0, cy0, cx1 = edge, edge, W - edge
    img.ramp(cx0, cy0, cx1, cy0 + cap_h, _CAPTION_RAMP, lambda x, y: (x - cx0) / float(cx1 - cx0))
    # caption: a little disc for the window icon, the title, then the
    # minimise and close boxes
    for y in range(cy0 + _px(1, k), cy0 + _px(17, k)):
        for x in range(cx0 + _px(1, k), cx0 + _px(17, k)):
            d = math.hypot((x + 0.5 - cx0) / k - 9, (y + 0.5 - cy0) / k - 9)
            if d <= 7.0:
                img.put(x, y, 3 if d > 6.2 else 4 if d > 1.8 else 3 if d > 1.0 else 13)
    glint = _px(1, k)
    for gx, gy in ((6, 6), (7, 5)):
        img.rect(cx0 + _px(gx, k), cy0 + _px(gy, k), cx0 + _px(gx, k) + glint, cy0 + _px(gy, k) + glint, 1)
    title_scale = max(1, int(round(k)))
    pixel_text(lambda x, y: img.put(x, y, 1, (0, 0, cx1 - _px(40, k), H)), cx0 + _px(20, k),
               cy0 + _px(5, k) - (title_scale - 1) * 2, SAMPLE_TITLE, title_scale)
    bw, bh = _px(16, k), _px(14, k)
    for n, glyph in enumerate(('min', 'close')):
        bx1 = cx1 - _px(2, k) - (bw + _px(2, k)) * (1 - n)
        bx0 = bx1 - bw
        by0 = cy0 + _px(2, k)
        img.rect(bx0, by0, bx1, by0 + bh, 2)
        for i in range(t):
            img.bevel(bx0 + i, by0 + i, bx1 - i, by0 + bh - i, 1, 0)
        for i in range(t):
            img.bevel(bx0 + t + i, by0 + t + i, bx1 - t - i, by0 + bh - t - i, 4, 3)
        if glyph == 'min':
            img.rect(bx0 + _px(4, k), by0 + _px(9, k), bx0 + _px(10, k), by0 + _px(11, k), 0)
        else:
            # two strokes of the cross, drawn in 100 % pixels and blown up
            for y in range(by0, by0 + bh):
                for x in range(bx0, bx1):
                    u, v = int((x - bx0) / k), int((y - by0) / k)
                    i = v - 3
                    if 0 <= i < 7 and (u - 4 - i in (0, 1) or u - 10 + i in (0, 1)):
                        img.put(x, y, 0)
    # client area
    ax0, ay0, ax1, ay1 = edge, cy0 + cap_h + _px(1, k), W - edge, H - edge
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
    cell = lay.font_pt * 96 / 72.0 * 1.15   # dialog font cell height, pixels
    top = max(3, int(round(3 * k)))
    for r, text, height in ((h1, SAMPLE_HEADINGS[0], heights[0]),
                            (h2, SAMPLE_HEADINGS[1], heights[1])):
        scale = max(1, min(top, int(height * sy * 8.0 / cell / 10.0 + 0.3)))
        _text_block(img, px_rect(r), text, 'centre', 1, scale, scale > 1, shadow=7)
    texts = SAMPLE_LONG_LINES if mains[0][3] > 8 else SAMPLE_LINES
    for n, r in enumerate(mains):
        _text_block(img, px_rect(r), texts[n], align, 12 if n == HOT_LINE else 1, line_scale, False)
    _text_block(img, px_rect(bl), SAMPLE_BOTTOM[0], 'left', 1, line_scale, False)
    _text_block(img, px_rect(br), SAMPLE_BOTTOM[1], 'right', 1, line_scale, False)
    return img


def preview_bmp(index, k=1.0):
    img = draw_preview(index, k)
    return bmp_bytes(img.w, img.h, 4, PREVIEW_PALETTE, img.rows())
