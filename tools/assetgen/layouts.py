"""The ten menu-window layouts as the programs carry them.

The sizes, dialog fonts and rectangles are read from the resource script the
programs are built from, and the heading font heights from the menu window's
own table, so the template previews cannot drift from what the player shows.
"""

import functools
import os
import re

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
LAYOUT_SCRIPT = os.path.join(ROOT, 'resources', 'layouts.rci')
HEADING_TABLE = os.path.join(ROOT, 'menu', 'HeadingFonts.h')

_ALIGN = {'LTEXT': 'left', 'CTEXT': 'centre', 'RTEXT': 'right'}
_STATIC = re.compile(r'\b(LTEXT|CTEXT|RTEXT)\s+"([^"]*)"\s*,\s*(\w+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,'
                     r'\s*(\d+)\s*,\s*(\d+)((?:\s*,\s*(?:(?!\b[LCR]TEXT\b)[\w |])+)*)')


def _strip_comments(text):
    text = re.sub(r'/\*.*?\*/', ' ', text, flags=re.S)
    return re.sub(r'//[^\n]*', ' ', text)


def _macros(text):
    """Function-like #defines: name -> (parameters, body)."""
    found = {}
    for m in re.finditer(r'^#define\s+(\w+)\(([^)]*)\)((?:[^\n]*\\\n)*[^\n]*)', text, re.M):
        params = [p.strip() for p in m.group(2).split(',') if p.strip()]
        found[m.group(1)] = (params, m.group(3).replace('\\\n', ' '))
    return found


def _expand(text, macros):
    """Expands calls of the function-like macros (arguments without commas
    of their own or parentheses, which is all the script uses)."""
    for _ in range(8):
        changed = False
        for name, (params, body) in macros.items():
            def call(m, params=params, body=body):
                args = [a.strip() for a in m.group(1).split(',')]
                if len(args) != len(params):
                    raise ValueError('%s takes %d arguments' % (name, len(params)))
                out = body
                for p, a in zip(params, args):
                    out = re.sub(r'\b%s\b' % re.escape(p), a, out)
                return out
            text, n = re.subn(r'(?<!define )\b%s\(([^()]*)\)' % name, call, text)
            changed = changed or n > 0
        if not changed:
            return text
    raise ValueError('macros nest too deeply')


class Layout:
    """One layout in dialog units: size, dialog font, and the statics by
    control name (C_LINE1 ...) as (alignment, (x, y, w, h), visible)."""

    def __init__(self, index, size, font_pt, face, controls):
        self.index, self.size, self.font_pt, self.face = index, size, font_pt, face
        self.controls = controls

    def main_lines(self):
        lines = []
        for k in range(1, 11):
            c = self.controls.get('C_LINE%d' % k)
            if c is not None and c[2]:
                lines.append(c)
        return lines

    @property
    def alignment(self):
        return self.controls['C_LINE1'][0]

    def rect(self, name):
        return self.controls[name][1]


@functools.lru_cache(maxsize=None)
def read_layouts(path=LAYOUT_SCRIPT):
    with open(path) as f:
        text = _strip_comments(f.read())
    macros = _macros(text)
    body_text = re.sub(r'^#define[^\n]*(?:\\\n[^\n]*)*', '', text, flags=re.M)
    layouts = {}
    for m in re.finditer(r'\bLAYOUT_(\d+)\s+DIALOGEX\s+0\s*,\s*0\s*,\s*(\d+)\s*,\s*(\d+)(.*?)\bBEGIN\b(.*?)\bEND\b',
                         body_text, re.S):
        index = int(m.group(1))
        font = re.search(r'\bFONT\s+(\d+)\s*,\s*"([^"]+)"', m.group(4))
        controls = {}
        for s in _STATIC.finditer(_expand(m.group(5), macros)):
            kind, _, name, x, y, w, h, flags = s.groups()
            visible = not re.search(r'\bNOT\s+WS_VISIBLE\b', flags)
            controls[name] = (_ALIGN[kind], (int(x), int(y), int(w), int(h)), visible)
        layouts[index] = Layout(index, (int(m.group(2)), int(m.group(3))), int(font.group(1)),
                                font.group(2), controls)
    if sorted(layouts) != list(range(10)):
        raise ValueError('%s: expected layouts 0 to 9, found %s' % (path, sorted(layouts)))
    return [layouts[i] for i in range(10)]


@functools.lru_cache(maxsize=None)
def read_heading_fonts(path=HEADING_TABLE):
    """(face, heading 1 height, heading 2 height) per layout, 96-DPI pixels."""
    with open(path) as f:
        text = _strip_comments(f.read())
    table = re.search(r'kHeadingFonts\s*\[[^\]]*\]\s*=\s*\{(.*?)\};', text, re.S)
    rows = re.findall(r'\{\s*L?"([^"]+)"\s*,\s*(\d+)\s*,\s*(\d+)\s*\}', table.group(1) if table else '')
    if len(rows) != 10:
        raise ValueError('%s: expected 10 heading fonts, found %d' % (path, len(rows)))
    return [(face, int(h1), int(h2)) for face, h1, h2 in rows]
