#!/usr/bin/env python3
"""Regenerates every picture and sound that tlkedit and autorun ship.

    python3 tools/genassets.py OUTDIR

writes

    OUTDIR/res/          bitmaps and icons that windres compiles into the programs
    OUTDIR/dist/BMPS/    the stock backgrounds offered by the wizard, plus nodef.bmp
    OUTDIR/dist/sounds/  the stock sounds offered by the wizard
    OUTDIR/demo/         background and sounds of the bundled demo disc

All artwork is drawn from code, so it can be tweaked and rebuilt without an
image editor, and the output is byte-for-byte reproducible: nothing depends on
the clock, every random generator has a fixed seed, and only the standard
library is used.

Shapes are described as signed distance functions (negative inside, in
pixels), which gives exact anti-aliased edges without supersampling: the
coverage of a pixel is read straight off the distance at its centre.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from assetgen.catalogue import main  # noqa: E402

if __name__ == '__main__':
    sys.exit(main(sys.argv))
