"""What gets written where, and the command line."""

import multiprocessing
import os
import sys
import time

from . import packing
from .raster import *  # noqa: F401,F403
from .scales import SCALES
from .buttons import *  # noqa: F401,F403
from .logos import *  # noqa: F401,F403
from .previews import *  # noqa: F401,F403
from .icons import *  # noqa: F401,F403
from .backgrounds import *  # noqa: F401,F403
from .sounds import *  # noqa: F401,F403


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


# Pictures compiled into the editor, at every display scale: 100 % keeps
# the plain names, the others add the scale's suffix (WIZARDU_150).
SINGLE_PICTURES = [('TLKLOGO', lambda k: canvas_to_bmp(draw_logo(k=k), 8, [FACE8])),
                   ('WIZLOGO', lambda k: canvas_to_bmp(draw_wizlogo(k=k), 8, [FACE8]))]


def editor_pictures():
    """(resource name at 100 %, bytes producer taking the scale)."""
    out = list(SINGLE_PICTURES)
    for name, (w, h, bits, base, pict) in BUTTONS.items():
        for state in 'UDF':
            out.append(('%s%s' % (name, state),
                        lambda k, w=w, h=h, bits=bits, base=base, pict=pict, state=state:
                        canvas_to_bmp(button_image(w, h, base, pict, state, k=k), bits, [FACE8])))
    for i in range(10):
        out.append(('D%d' % (i + 1), lambda k, i=i: preview_bmp(i, k)))
    return out


def resource_files():
    """(file name, bytes producer) for everything under res/."""
    out = []
    for dpi, suffix in SCALES:
        for name, make in editor_pictures():
            out.append(('%s%s.bmp' % (name, suffix), lambda make=make, k=dpi / 96.0: make(k)))
    out.append(('autorun.ico', lambda: icon_file(draw_player_icon)))
    out.append(('tlkedit.ico', lambda: icon_file(draw_editor_icon)))
    return out


def resource_list():
    """The editor's picture statements, for its resource script to include:
    the 100 % set as plain bitmaps, the others packed (see packing.py)."""
    lines = ['// Written by genassets.py: the editor\'s pictures at each display scale.']
    for dpi, suffix in SCALES:
        lines.append('')
        lines.append('// %d DPI' % dpi)
        for name, _ in editor_pictures():
            res = name + suffix
            if suffix:
                lines.append('%-12s PACKEDDIB "%s.bmz"' % (res, res))
            else:
                lines.append('%-12s BITMAP "%s.bmp"' % (res, res))
    return '\n'.join(lines) + '\n'


def _pack_file(path):
    with open(path, 'rb') as f:
        return packing.pack_bitmap(f.read())


def write_resource_list(outdir, listing):
    """Writes the list and, beside it, the packed pictures it names."""
    folder = os.path.dirname(os.path.abspath(listing))
    names = [name + suffix for _, suffix in SCALES if suffix for name, _ in editor_pictures()]
    packed = _share_out(_pack_file, [os.path.join(outdir, 'res', n + '.bmp') for n in names])
    for name, data in zip(names, packed):
        write_file(os.path.join(folder, name + '.bmz'), data)
    write_file(listing, resource_list().encode('ascii'))


def all_files():
    """(relative path, bytes producer) for every generated file."""
    files = [('res/' + name, make) for name, make in resource_files()]
    files += [('dist/BMPS/' + name, make) for name, make in STOCK_BACKGROUNDS]
    files += [('dist/sounds/' + name, lambda make=make: wav_bytes(make())) for name, make in STOCK_SOUNDS]
    files.append(('demo/autorun.bmp', bg_demo))
    files += [('demo/' + name, lambda make=make: wav_bytes(make())) for name, make in DEMO_SOUNDS]
    return files


_FILES = []


def _make(i):
    start = time.time()
    return _FILES[i][1](), time.time() - start


def _share_out(fn, items):
    """fn over the items, shared out over the processors; the results do not
    depend on how."""
    workers = min(2, os.cpu_count() or 1)
    if workers > 1 and 'fork' in multiprocessing.get_all_start_methods():
        with multiprocessing.get_context('fork').Pool(workers) as pool:
            return pool.map(fn, items, chunksize=1)
    return [fn(item) for item in items]


def generate(outdir, verbose=False):
    """Writes every file."""
    _FILES[:] = all_files()
    results = _share_out(_make, list(range(len(_FILES))))
    written = []
    for (rel, _), (data, seconds) in zip(_FILES, results):
        path = os.path.join(outdir, *rel.split('/'))
        write_file(path, data)
        written.append((rel, len(data)))
        if verbose:
            print('%-28s %8d bytes  %5.2f s' % (rel, len(data), seconds))
    return written


def main(argv):
    args = argv[1:]
    listing = None
    if len(args) == 3 and args[1] == '--resource-list':
        listing = args[2]
        args = args[:1]
    if len(args) != 1 or args[0].startswith('-'):
        sys.stderr.write('usage: %s OUTDIR [--resource-list FILE]\n' % os.path.basename(argv[0]))
        return 2
    start = time.time()
    written = generate(args[0], verbose=os.environ.get('GENASSETS_VERBOSE') == '1')
    if listing:
        write_resource_list(args[0], listing)
    print('genassets: %d files in %s (%.1f s)' % (len(written), args[0], time.time() - start))
    return 0
