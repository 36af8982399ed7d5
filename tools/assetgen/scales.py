"""The display scales the programs carry pictures for, and how a 100 %
size becomes the size at another scale.

The programs pick the set for the system DPI and size a button to its
picture, so the sizes here follow the same rounding as the programs'
MulDiv(size, dpi, 96): halves round up."""

# (DPI, resource name suffix); the 96-DPI set keeps the plain names.
SCALES = [(96, ''), (120, '_125'), (144, '_150'), (192, '_200')]


def scaled_length(v, dpi):
    return (v * dpi + 48) // 96


def scaled(size, k):
    """(w, h) of the 100 % picture at scale k (a factor such as 1.25)."""
    dpi = int(round(96 * k))
    return scaled_length(size[0], dpi), scaled_length(size[1], dpi)
