"""The two fonts the pictures draw text with: a crisp pixel font and a
geometric stroke font."""

import math


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
SPACE_ADVANCE = 2.6


def _glyph_extent(ch):
    xs = [p[0] for line in STROKE_FONT[ch] for p in line]
    return (min(xs), max(xs)) if xs else (0.0, SPACE_ADVANCE)


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
