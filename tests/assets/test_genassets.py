#!/usr/bin/env python3
"""Checks the files that tools/genassets.py writes.

Run from the repository root with either of

    python3 -m unittest tests/assets/test_genassets.py
    python3 tests/assets/test_genassets.py

The generator runs twice, into two temporary folders, through its command
line exactly as the build runs it; every test reads those files with its own
parsers, so a fault in the generator's writers cannot hide itself.
"""

import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import wave

TOOLS = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
GENERATOR = os.path.join(TOOLS, 'genassets.py')

# Sizes and depths the programs rely on: an image button takes the size of
# its "U" bitmap, and the dialogs are laid out around these.
BUTTON_SETS = {
    'WIZARD': (60, 60, 8), 'TEST': (60, 60, 8), 'BUILD': (60, 60, 8),
    'HELP': (35, 34, 8), 'EXIT': (40, 40, 8),
    'PALLET': (34, 33, 8), 'SSOUND': (40, 40, 8), 'HSOUND': (40, 40, 8),
    'ACTION': (24, 24, 4),
}
SINGLE_BITMAPS = {
    'TLKLOGO': (344, 63, 8),
    'WIZLOGO': (72, 61, 8),
    'D1': (328, 248, 4), 'D2': (332, 231, 4), 'D3': (268, 242, 4), 'D4': (245, 202, 4),
    'D5': (293, 222, 4), 'D6': (245, 204, 4), 'D7': (342, 264, 4),
    'D8': (304, 257, 4), 'D9': (304, 257, 4), 'D10': (304, 257, 4),
}
RESOURCE_BITMAPS = dict(SINGLE_BITMAPS)
for _name, _size in BUTTON_SETS.items():
    for _state in 'UDF':
        RESOURCE_BITMAPS[_name + _state] = _size

STOCK_BACKGROUNDS = ['bluegrad.bmp', 'bluered.bmp', 'greegrad.bmp', 'blacoran.bmp', 'rainbow.bmp',
                     'limegreen.bmp', 'purple.bmp', 'fluff.bmp', 'shiny.bmp', 'raised.bmp']
DEMO_SOUNDS = ['intro.wav', 'hover.wav', 'select.wav', 'menu.wav']
ICONS = ['autorun.ico', 'tlkedit.ico']

# Main lines and alignment of each layout, as the previews must show them.
PREVIEW_LINES = {'D1': 5, 'D2': 5, 'D3': 5, 'D4': 7, 'D5': 5, 'D6': 5, 'D7': 8,
                 'D8': 10, 'D9': 10, 'D10': 10}

FACE = (192, 192, 192)


# ---------------------------------------------------------------------------
# Independent readers
# ---------------------------------------------------------------------------

class Bitmap:
    """A parsed 4- or 8-bit BMP file; raises AssertionError on a broken header."""

    def __init__(self, data):
        assert len(data) >= 54, 'shorter than the two headers'
        sig, self.file_size, r1, r2, self.offset = struct.unpack_from('<2sIHHI', data, 0)
        assert sig == b'BM', 'signature %r' % sig
        (self.header_size, self.width, self.height, self.planes, self.bits, self.compression,
         self.size_image, _, _, self.colours_used, self.colours_important) = \
            struct.unpack_from('<IiiHHIIiiII', data, 14)
        self.data = data
        self.stride = ((self.width * self.bits + 31) // 32) * 4
        n = self.colours_used or (1 << self.bits)
        self.palette = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i])
                        for i in range(n)]
        self.palette_reserved = [data[54 + 4 * i + 3] for i in range(n)]

    def indices(self):
        """Palette indices, rows top to bottom."""
        rows = []
        for y in range(self.height):
            start = self.offset + (self.height - 1 - y) * self.stride
            raw = self.data[start:start + self.stride]
            if self.bits == 8:
                rows.append(list(raw[:self.width]))
            else:
                rows.append([(raw[x >> 1] >> 4) if x % 2 == 0 else (raw[x >> 1] & 15)
                             for x in range(self.width)])
        return rows

    def pixels(self):
        return [[self.palette[i] for i in row] for row in self.indices()]


def luminance(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


def read_wav(path):
    with wave.open(path, 'rb') as w:
        params = (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getcomptype())
        frames = w.readframes(w.getnframes())
    count = len(frames) // 2
    return params, list(struct.unpack('<%dh' % count, frames[:2 * count]))


def read_ico(data):
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    entries = []
    for k in range(count):
        w, h, ncol, res, planes, bpp, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * k)
        entries.append({'width': w or 256, 'height': h or 256, 'colours': ncol, 'planes': planes,
                        'bpp': bpp, 'size': size, 'offset': offset})
    return reserved, kind, entries


# ---------------------------------------------------------------------------
# Two runs of the generator, shared by all tests
# ---------------------------------------------------------------------------

RUNS = []
_TEMP = []


def setUpModule():
    for _ in range(2):
        _TEMP.append(tempfile.mkdtemp(prefix='genassets-'))
    # Both runs at once: they share nothing, and it halves the wait.
    procs = [subprocess.Popen([sys.executable, GENERATOR, os.path.join(t, 'out')],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE) for t in _TEMP]
    for p, t in zip(procs, _TEMP):
        out, err = p.communicate(timeout=300)
        if p.returncode != 0:
            raise RuntimeError('generator failed (%d): %s' % (p.returncode, err.decode(errors='replace')))
        RUNS.append(os.path.join(t, 'out'))


def tearDownModule():
    for t in _TEMP:
        shutil.rmtree(t, ignore_errors=True)


def out(*parts):
    return os.path.join(RUNS[0], *parts)


def load_bitmap(*parts):
    with open(out(*parts), 'rb') as f:
        return Bitmap(f.read())


def all_files(root):
    found = []
    for d, _, names in os.walk(root):
        for n in names:
            found.append(os.path.relpath(os.path.join(d, n), root).replace(os.sep, '/'))
    return sorted(found)


# ---------------------------------------------------------------------------
# Tests
# ---------------------------------------------------------------------------

class ExpectedFilesTest(unittest.TestCase):
    def test_every_resource_bitmap_and_icon_exists(self):
        for name in list(RESOURCE_BITMAPS) + [i[:-4] for i in ICONS]:
            fname = name + ('.bmp' if name in RESOURCE_BITMAPS else '.ico')
            with self.subTest(file=fname):
                self.assertTrue(os.path.isfile(out('res', fname)))

    def test_stock_backgrounds_and_empty_canvas_exist(self):
        for name in STOCK_BACKGROUNDS + ['nodef.bmp']:
            with self.subTest(file=name):
                self.assertTrue(os.path.isfile(out('dist', 'BMPS', name)))

    def test_at_least_eight_stock_sounds(self):
        sounds = [n for n in os.listdir(out('dist', 'sounds')) if n.endswith('.wav')]
        self.assertGreaterEqual(len(sounds), 8)
        for n in sounds:
            self.assertEqual(n, n.lower(), 'sound names are lower case')

    def test_demo_disc_media_exist(self):
        for name in ['autorun.bmp'] + DEMO_SOUNDS:
            with self.subTest(file=name):
                self.assertTrue(os.path.isfile(out('demo', name)))

    def test_nothing_but_bitmaps_icons_and_sounds(self):
        for rel in all_files(RUNS[0]):
            with self.subTest(file=rel):
                self.assertIn(os.path.splitext(rel)[1], ('.bmp', '.ico', '.wav'))

    def test_second_run_gives_identical_bytes(self):
        first, second = all_files(RUNS[0]), all_files(RUNS[1])
        self.assertEqual(first, second)
        for rel in first:
            with self.subTest(file=rel):
                with open(os.path.join(RUNS[0], rel), 'rb') as a, open(os.path.join(RUNS[1], rel), 'rb') as b:
                    self.assertTrue(a.read() == b.read(), 'output differs between runs')

    def test_usage_error_without_output_folder(self):
        p = subprocess.run([sys.executable, GENERATOR], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.assertNotEqual(p.returncode, 0)
        self.assertIn(b'usage', p.stderr)


class BitmapFormatTest(unittest.TestCase):
    """Every bitmap must be a well-formed palette DIB the player and windres can read."""

    def bitmaps(self):
        for rel in all_files(RUNS[0]):
            if rel.endswith('.bmp'):
                yield rel, load_bitmap(*rel.split('/'))

    def test_headers_are_consistent(self):
        for rel, bmp in self.bitmaps():
            with self.subTest(file=rel):
                self.assertEqual(bmp.header_size, 40)
                self.assertEqual(bmp.planes, 1)
                self.assertEqual(bmp.compression, 0)
                self.assertIn(bmp.bits, (4, 8))
                self.assertGreater(bmp.width, 0)
                self.assertGreater(bmp.height, 0, 'rows must be stored bottom-up')
                self.assertEqual(bmp.file_size, len(bmp.data))
                self.assertEqual(bmp.size_image, bmp.stride * bmp.height)
                self.assertEqual(bmp.file_size, bmp.offset + bmp.stride * bmp.height)

    def test_colour_table_directly_precedes_pixels(self):
        # The player ignores bfOffBits and finds the pixels right after the
        # colour table, so the two must agree.
        for rel, bmp in self.bitmaps():
            with self.subTest(file=rel):
                self.assertGreater(bmp.colours_used, 0)
                self.assertLessEqual(bmp.colours_used, 1 << bmp.bits)
                self.assertEqual(bmp.offset, 14 + 40 + 4 * bmp.colours_used)
                self.assertEqual(set(bmp.palette_reserved), {0})

    def test_pixels_only_use_palette_entries(self):
        for rel, bmp in self.bitmaps():
            with self.subTest(file=rel):
                used = {i for row in bmp.indices() for i in row}
                self.assertLess(max(used), bmp.colours_used)

    def test_row_padding_is_zero(self):
        for rel, bmp in self.bitmaps():
            used = (bmp.width * bmp.bits + 7) // 8
            if used == bmp.stride:
                continue
            with self.subTest(file=rel):
                for y in range(bmp.height):
                    start = bmp.offset + y * bmp.stride
                    self.assertEqual(set(bmp.data[start + used:start + bmp.stride]), {0})


class ResourceBitmapTest(unittest.TestCase):
    def test_sizes_and_depths(self):
        for name, (w, h, bits) in RESOURCE_BITMAPS.items():
            with self.subTest(bitmap=name):
                bmp = load_bitmap('res', name + '.bmp')
                self.assertEqual((bmp.width, bmp.height, bmp.bits), (w, h, bits))

    def test_button_states_all_look_different(self):
        for name in BUTTON_SETS:
            with self.subTest(button=name):
                u, d, f = (load_bitmap('res', name + s + '.bmp').pixels() for s in 'UDF')
                self.assertNotEqual(u, d)
                self.assertNotEqual(u, f)
                self.assertNotEqual(d, f)

    def test_pressed_state_is_darker(self):
        for name in BUTTON_SETS:
            with self.subTest(button=name):
                u, d = (load_bitmap('res', name + s + '.bmp').pixels() for s in 'UD')
                mean = lambda px: sum(luminance(c) for row in px for c in row) / (len(px) * len(px[0]))
                self.assertLess(mean(d), mean(u) - 1.0)

    def test_button_corners_are_the_dialog_face_colour(self):
        # The tiles are rounded: outside them the dialog must show through.
        for name in BUTTON_SETS:
            for state in 'UDF':
                with self.subTest(bitmap=name + state):
                    px = load_bitmap('res', name + state + '.bmp').pixels()
                    for x, y in ((0, 0), (len(px[0]) - 1, 0), (0, len(px) - 1)):
                        self.assertEqual(px[y][x], FACE)

    def test_button_has_a_pictogram_not_just_a_tile(self):
        for name in BUTTON_SETS:
            with self.subTest(button=name):
                bmp = load_bitmap('res', name + 'U.bmp')
                used = {i for row in bmp.indices() for i in row}
                self.assertGreaterEqual(len(used), 12 if bmp.bits == 4 else 60)

    def test_logos_are_drawn(self):
        for name in ('TLKLOGO', 'WIZLOGO'):
            with self.subTest(bitmap=name):
                px = load_bitmap('res', name + '.bmp').pixels()
                colours = {c for row in px for c in row}
                self.assertGreater(len(colours), 100)
                self.assertEqual(px[0][0], FACE)


class TemplatePreviewTest(unittest.TestCase):
    """The previews must show the layouts they stand for."""

    @staticmethod
    def text_pixels(name):
        bmp = load_bitmap('res', name + '.bmp')
        px = bmp.pixels()
        white, h, w = (255, 255, 255), bmp.height, bmp.width
        # Client area only: skip the frame and the caption bar.
        return [(x, y) for y in range(26, h - 4) for x in range(4, w - 4)
                if px[y][x] == white or (px[y][x][0] > 230 and px[y][x][2] < 120)], bmp

    def test_previews_use_sixteen_colours(self):
        for name in PREVIEW_LINES:
            with self.subTest(bitmap=name):
                bmp = load_bitmap('res', name + '.bmp')
                self.assertEqual(bmp.colours_used, 16)
                self.assertGreater(len({i for row in bmp.indices() for i in row}), 8)

    def test_row_bands_match_the_layout_line_count(self):
        # headings (2) + main lines + one band for the two bottom lines
        for name, lines in PREVIEW_LINES.items():
            if name in ('D1', 'D3'):
                continue   # wrapping layouts: one line may take two text rows
            with self.subTest(bitmap=name):
                pts, bmp = self.text_pixels(name)
                rows = sorted({y for _, y in pts})
                bands = 1 + sum(1 for a, b in zip(rows, rows[1:]) if b > a + 1)
                self.assertEqual(bands, 2 + lines + 1)

    def test_alignment_of_the_ten_line_layouts(self):
        # D8 centred, D9 right-aligned, D10 left-aligned: same window size,
        # so the text's centre of mass must move right from D10 to D8 to D9.
        centre = {}
        for name in ('D8', 'D9', 'D10'):
            pts, bmp = self.text_pixels(name)
            body = [(x, y) for x, y in pts if 0.3 * bmp.height < y < 0.85 * bmp.height]
            centre[name] = sum(x for x, _ in body) / float(len(body))
        self.assertLess(centre['D10'] + 20, centre['D8'])
        self.assertLess(centre['D8'] + 20, centre['D9'])

    def test_every_preview_is_different(self):
        seen = {}
        for name in PREVIEW_LINES:
            with open(out('res', name + '.bmp'), 'rb') as f:
                data = f.read()
            self.assertNotIn(data, seen, '%s repeats %s' % (name, seen.get(data)))
            seen[data] = name


class BackgroundTest(unittest.TestCase):
    def test_size_and_depth(self):
        for name in STOCK_BACKGROUNDS + ['nodef.bmp']:
            with self.subTest(file=name):
                bmp = load_bitmap('dist', 'BMPS', name)
                self.assertEqual((bmp.width, bmp.height, bmp.bits), (640, 480, 8))
        demo = load_bitmap('demo', 'autorun.bmp')
        self.assertEqual((demo.width, demo.height, demo.bits), (640, 480, 8))

    def test_palettes_are_rich(self):
        for name in STOCK_BACKGROUNDS + ['nodef.bmp']:
            with self.subTest(file=name):
                bmp = load_bitmap('dist', 'BMPS', name)
                used = {i for row in bmp.indices() for i in row}
                self.assertGreaterEqual(len(used), 100)
                self.assertGreaterEqual(len({bmp.palette[i] for i in used}), 100)

    def test_all_backgrounds_differ(self):
        seen = set()
        for name in STOCK_BACKGROUNDS + ['nodef.bmp']:
            with open(out('dist', 'BMPS', name), 'rb') as f:
                data = f.read()
            self.assertNotIn(data, seen, name)
            seen.add(data)

    @staticmethod
    def mean_colour(bmp, y0=0, y1=None):
        px = bmp.pixels()[y0:y1]
        n = float(len(px) * len(px[0]))
        return tuple(sum(c[k] for row in px for c in row) / n for k in range(3))

    def test_each_picture_matches_its_name(self):
        def dominant(name, channel):
            r = self.mean_colour(load_bitmap('dist', 'BMPS', name))
            others = [r[k] for k in range(3) if k != channel]
            self.assertGreater(r[channel], max(others) + 20, '%s mean %r' % (name, r))
        with self.subTest(file='bluegrad.bmp'):
            dominant('bluegrad.bmp', 2)
        with self.subTest(file='greegrad.bmp'):
            dominant('greegrad.bmp', 1)
        with self.subTest(file='limegreen.bmp'):
            dominant('limegreen.bmp', 1)
        with self.subTest(file='purple.bmp'):
            r, g, b = self.mean_colour(load_bitmap('dist', 'BMPS', 'purple.bmp'))
            self.assertGreater(min(r, b), g + 20)
        with self.subTest(file='bluered.bmp'):
            bmp = load_bitmap('dist', 'BMPS', 'bluered.bmp')
            px = bmp.pixels()
            tl, br = px[5][5], px[-5][-5]
            self.assertGreater(tl[2], tl[0] + 60)
            self.assertGreater(br[0], br[2] + 60)
        with self.subTest(file='blacoran.bmp'):
            bmp = load_bitmap('dist', 'BMPS', 'blacoran.bmp')
            top, bottom = self.mean_colour(bmp, 0, 10), self.mean_colour(bmp, -10)
            self.assertLess(max(top), 20)
            self.assertGreater(bottom[0], 200)
            self.assertGreater(bottom[0], bottom[2] + 120)
        with self.subTest(file='rainbow.bmp'):
            px = load_bitmap('dist', 'BMPS', 'rainbow.bmp').pixels()
            row = px[240]
            winners = {max(range(3), key=lambda k: c[k]) for c in row}
            self.assertEqual(winners, {0, 1, 2})
        for light in ('fluff.bmp', 'raised.bmp', 'shiny.bmp'):
            with self.subTest(file=light):
                self.assertGreater(luminance(self.mean_colour(load_bitmap('dist', 'BMPS', light))), 190)
        with self.subTest(file='nodef.bmp'):
            bmp = load_bitmap('dist', 'BMPS', 'nodef.bmp')
            for c in {c for row in bmp.pixels() for c in row}:
                self.assertLess(max(c) - min(c), 24, 'the empty canvas is a neutral grey')

    def test_gradients_have_no_bands(self):
        # A smooth ramp changes little from one row to the next; a broken
        # palette or missing dither shows up as a jump.
        for name in ('bluegrad.bmp', 'greegrad.bmp', 'blacoran.bmp'):
            with self.subTest(file=name):
                px = load_bitmap('dist', 'BMPS', name).pixels()
                means = [sum(luminance(c) for c in row) / len(row) for row in px]
                steps = [abs(a - b) for a, b in zip(means, means[1:])]
                self.assertLess(max(steps), 2.0)
                self.assertGreater(abs(means[0] - means[-1]), 60)

    def test_demo_background_keeps_the_middle_calm(self):
        px = load_bitmap('demo', 'autorun.bmp').pixels()
        lum = [luminance(px[y][x]) for y in range(140, 340) for x in range(160, 400)]
        mean = sum(lum) / len(lum)
        spread = math.sqrt(sum((v - mean) ** 2 for v in lum) / len(lum))
        self.assertLess(spread, 15.0)
        self.assertLess(mean, 110, 'light menu text needs a dark middle')
        everything = {c for row in px for c in row}
        self.assertGreater(len(everything), 100)


class SoundTest(unittest.TestCase):
    def sounds(self):
        for folder in (('dist', 'sounds'), ('demo',)):
            for name in sorted(os.listdir(out(*folder))):
                if name.endswith('.wav'):
                    yield '/'.join(folder + (name,)), out(*(folder + (name,)))

    def test_format_is_16_bit_mono_22050_pcm(self):
        for rel, path in self.sounds():
            with self.subTest(file=rel):
                params, _ = read_wav(path)
                self.assertEqual(params, (1, 2, 22050, 'NONE'))

    def test_duration(self):
        for rel, path in self.sounds():
            with self.subTest(file=rel):
                _, s = read_wav(path)
                self.assertGreaterEqual(len(s) / 22050.0, 0.1)
                self.assertLessEqual(len(s) / 22050.0, 2.0)

    def test_level_peaks_near_minus_3_dbfs_without_clipping(self):
        for rel, path in self.sounds():
            with self.subTest(file=rel):
                _, s = read_wav(path)
                peak = max(abs(v) for v in s)
                db = 20 * math.log10(peak / 32768.0)
                self.assertGreater(db, -4.0)
                self.assertLess(db, -2.0)
                self.assertNotIn(32767, s)
                self.assertNotIn(-32768, s)

    def test_not_silent(self):
        for rel, path in self.sounds():
            with self.subTest(file=rel):
                _, s = read_wav(path)
                rms = math.sqrt(sum(v * v for v in s) / len(s))
                self.assertGreater(20 * math.log10(rms / 32768.0), -36.0)

    def test_starts_and_ends_at_rest(self):
        # A sample far from zero at either end is heard as a click.
        for rel, path in self.sounds():
            with self.subTest(file=rel):
                _, s = read_wav(path)
                for v in s[:3] + s[-3:]:
                    self.assertLess(abs(v), 200)
                mean = sum(s) / float(len(s))
                self.assertLess(abs(mean), 330, 'DC offset')

    def test_sounds_are_not_copies_of_each_other(self):
        seen = {}
        for rel, path in self.sounds():
            if rel.startswith('demo/'):
                continue
            with open(path, 'rb') as f:
                data = f.read()
            self.assertNotIn(data, seen, '%s repeats %s' % (rel, seen.get(data)))
            seen[data] = rel


class IconTest(unittest.TestCase):
    def test_directory_and_images(self):
        for name in ICONS:
            with self.subTest(icon=name):
                with open(out('res', name), 'rb') as f:
                    data = f.read()
                reserved, kind, entries = read_ico(data)
                self.assertEqual((reserved, kind), (0, 1))
                true_colour = {e['width'] for e in entries if e['bpp'] == 32}
                self.assertTrue({16, 32, 48} <= true_colour, true_colour)
                self.assertIn((32, 8), {(e['width'], e['bpp']) for e in entries})
                end = 6 + 16 * len(entries)
                for e in sorted(entries, key=lambda e: e['offset']):
                    self.assertEqual(e['width'], e['height'])
                    self.assertEqual(e['planes'], 1)
                    self.assertGreaterEqual(e['offset'], end, 'images overlap')
                    end = e['offset'] + e['size']
                    self.assertLessEqual(end, len(data))
                    self.check_image(data[e['offset']:end], e)

    def check_image(self, blob, e):
        hsize, w, h, planes, bpp = struct.unpack_from('<IiiHH', blob, 0)
        self.assertEqual((hsize, w, h, planes, bpp), (40, e['width'], 2 * e['height'], 1, e['bpp']))
        size = e['width']
        table = 256 * 4 if bpp == 8 else 0
        xor_stride = ((size * bpp + 31) // 32) * 4
        and_stride = ((size + 31) // 32) * 4
        self.assertEqual(len(blob), 40 + table + xor_stride * size + and_stride * size)
        xor = blob[40 + table:40 + table + xor_stride * size]
        mask = blob[40 + table + xor_stride * size:]
        masked = [(mask[y * and_stride + (x >> 3)] >> (7 - (x & 7))) & 1
                  for y in range(size) for x in range(size)]
        # Round pictures: the corners are see-through, the middle is not.
        self.assertEqual(masked[0], 1)
        self.assertIn(0, masked)
        if bpp == 32:
            alpha = [xor[y * xor_stride + 4 * x + 3] for y in range(size) for x in range(size)]
            self.assertEqual(alpha[0], 0)
            self.assertIn(255, alpha)
            for a, m in zip(alpha, masked):
                self.assertEqual(m, 1 if a < 128 else 0)
        else:
            # Where the mask lets the screen through, the colour must be black.
            pal = [blob[40 + 4 * i:40 + 4 * i + 3] for i in range(256)]
            for y in range(size):
                for x in range(size):
                    if masked[y * size + x]:
                        self.assertEqual(pal[xor[y * xor_stride + x]], b'\0\0\0')


if __name__ == '__main__':
    unittest.main()
