"""Makes the pictures the background tests choose, in the folder given:

  photo.png, photo.jpg, photo.gif, photo.tif   4000 x 3000, the same picture:
      three plain quarters (top left, top right, bottom left) and, bottom
      right, columns one pixel wide alternating black and white; reduced
      well they turn grey, reduced by dropping pixels they stay black or
      white (or stripe)
  clear.png   400 x 300 with alpha: the left half fully transparent (black
      under it), the right half opaque

The PNGs are written here; the other kinds are converted from photo.png
with ImageMagick's convert."""
import os
import struct
import subprocess
import sys
import zlib

W, H = 4000, 3000
TOP_LEFT, TOP_RIGHT, BOTTOM_LEFT = (200, 40, 40), (40, 160, 60), (30, 60, 200)
OPAQUE = (20, 120, 220)


def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)


def png(path, w, h, colour_type, rows):
    """rows: (row bytes, times) pairs, top first; each row gets filter 0."""
    raw = b''.join((b'\0' + row) * times for row, times in rows)
    data = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, colour_type, 0, 0, 0))
    data += chunk(b'IDAT', zlib.compress(raw, 6)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(data)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    half = W // 2
    top = bytes(TOP_LEFT) * half + bytes(TOP_RIGHT) * half
    bottom = bytes(BOTTOM_LEFT) * half + b'\0\0\0\xff\xff\xff' * (half // 2)
    photo = os.path.join(folder, 'photo.png')
    png(photo, W, H, 2, [(top, H // 2), (bottom, H // 2)])
    for kind, options in (('jpg', ['-quality', '92']), ('gif', []), ('tif', ['-compress', 'lzw'])):
        subprocess.run(['convert', photo] + options + [os.path.join(folder, 'photo.' + kind)], check=True)
    clear = b'\0\0\0\0' * 200 + bytes(OPAQUE + (255,)) * 200
    png(os.path.join(folder, 'clear.png'), 400, 300, 6, [(clear, 300)])


if __name__ == '__main__':
    main(sys.argv[1])
