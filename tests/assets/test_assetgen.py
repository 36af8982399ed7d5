#!/usr/bin/env python3
"""Ties the generator to the programs' own sources and checks its scaled
picture sets without running the whole generator.

    python3 tests/assets/test_assetgen.py

The layouts are read from resources/layouts.rci and the heading heights from
menu/HeadingFonts.h; the few other copies of layout facts in the code are
compared with them here, so that a change to one shows up as a failure.
"""

import os
import tempfile
import re
import sys
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
sys.path.insert(0, os.path.join(ROOT, 'tools'))

from assetgen import catalogue, layouts, packing, scales  # noqa: E402


def source(*parts):
    with open(os.path.join(ROOT, *parts)) as f:
        return f.read()


class LayoutSourceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.layouts = layouts.read_layouts()
        cls.headings = layouts.read_heading_fonts()

    def test_ten_layouts_with_their_lines_headings_and_bottom_lines(self):
        for lay in self.layouts:
            with self.subTest(layout=lay.index):
                for name in ('C_LBL', 'C_LBR', 'C_HEAD1', 'C_HEAD2', 'C_NOLINE'):
                    self.assertIn(name, lay.controls)
                self.assertIn(lay.alignment, ('left', 'centre', 'right'))
                w, h = lay.size
                for _, (x, y, cw, ch), visible in lay.controls.values():
                    if visible:
                        self.assertLessEqual(x + cw, w)
                        self.assertLessEqual(y + ch, h)

    def test_visible_lines_match_the_definition_modules_table(self):
        table = re.search(r'kVisibleLines\[kLayouts\]\s*=\s*\{([^}]*)\}', source('menu', 'Definition.cpp'))
        self.assertIsNotNone(table)
        counts = [int(v) for v in table.group(1).split(',')]
        self.assertEqual(counts, [len(lay.main_lines()) for lay in self.layouts])

    def test_heading_faces_are_the_layouts_dialog_fonts(self):
        self.assertEqual([f for f, _, _ in self.headings], [lay.face for lay in self.layouts])

    def test_headings_are_taller_than_the_lines(self):
        for lay, (_, h1, h2) in zip(self.layouts, self.headings):
            with self.subTest(layout=lay.index):
                line_px = lay.font_pt * 96 / 72.0
                self.assertGreater(h1, h2)
                self.assertGreater(h2, line_px)

    def test_a_changed_script_is_read_as_changed(self):
        # The parser must read the numbers, not fall back on copies.
        text = source('resources', 'layouts.rci').replace('LAYOUT_1 DIALOGEX 0, 0, 146, 93',
                                                          'LAYOUT_1 DIALOGEX 0, 0, 150, 99')
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, 'layouts.rci')
            with open(path, 'w') as f:
                f.write(text)
            self.assertEqual((150, 99), layouts.read_layouts(path)[1].size)


class ScaledSetTest(unittest.TestCase):
    def test_sizes_round_like_the_programs(self):
        # MulDiv(size, dpi, 96), halves up: what a button sized to its
        # picture expects.
        for size, dpi, want in ((35, 120, 44), (34, 120, 43), (35, 144, 53), (63, 144, 95), (61, 120, 76)):
            self.assertEqual(want, scales.scaled_length(size, dpi))
        self.assertEqual((53, 51), scales.scaled((35, 34), 1.5))

    def test_resource_list_names_every_picture_at_every_scale(self):
        listing = catalogue.resource_list()
        rows = re.findall(r'^(\w+)\s+(BITMAP|PACKEDDIB)\s+"(\w+)\.(bmp|bmz)"$', listing, re.M)
        for name, kind, fname, ext in rows:
            self.assertEqual(name, fname)
            # 100 % stays a plain bitmap; the larger sets are packed.
            self.assertEqual((kind, ext), ('PACKEDDIB', 'bmz') if '_' in name else ('BITMAP', 'bmp'))
        names = {n for n, _, _, _ in rows}
        self.assertEqual(len(names), len(catalogue.editor_pictures()) * len(scales.SCALES))
        for base in ('TLKLOGO', 'WIZLOGO', 'WIZARDU', 'ACTIONF', 'D10'):
            for _, suffix in scales.SCALES:
                self.assertIn(base + suffix, names)
        produced = {name[:-4] for name, _ in catalogue.resource_files() if name.endswith('.bmp')}
        self.assertEqual(names, produced)

    def test_a_picture_is_drawn_at_each_scale_not_blown_up(self):
        pictures = dict(catalogue.editor_pictures())
        for k, side in ((1.0, 24), (1.25, 30), (1.5, 36), (2.0, 48)):
            with self.subTest(scale=k):
                data = pictures['ACTIONU'](k)
                w, h = int.from_bytes(data[18:22], 'little'), int.from_bytes(data[22:26], 'little')
                self.assertEqual((side, side), (w, h))
        # Drawn afresh: at 200 % the picture has edges of its own, not 2 x 2
        # blocks of the 100 % picture.
        data = pictures['HELPU'](2.0)
        bits_offset = int.from_bytes(data[10:14], 'little')
        stride = (70 + 3) // 4 * 4
        rows = [data[bits_offset + y * stride:bits_offset + y * stride + 70] for y in range(68)]
        blocky = all(rows[y][x] == rows[y][x + 1] == rows[y + 1][x] == rows[y + 1][x + 1]
                     for y in range(0, 68, 2) for x in range(0, 70, 2))
        self.assertFalse(blocky)


class PackingTest(unittest.TestCase):
    def test_round_trip_and_gain(self):
        pictures = dict(catalogue.editor_pictures())
        for name, k in (('D4', 1.5), ('ACTIOND', 1.25), ('WIZLOGO', 2.0)):
            with self.subTest(picture=name):
                data = pictures[name](k)
                packed = packing.pack_bitmap(data)
                self.assertEqual(data, packing.unpack(packed))
                # The previews are most of the bytes and must shrink; nothing may grow much.
                self.assertLess(len(packed), len(data) * (0.4 if name.startswith('D') else 1.05))

    def test_edge_cases(self):
        for data in (b'', b'a', b'ab', b'abc' * 200, bytes(range(256)) * 3, b'\x00' * 1000 + b'x'):
            self.assertEqual(data, packing.unpack(packing.pack(data, 16)))


if __name__ == '__main__':
    unittest.main()
