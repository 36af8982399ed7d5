"""A small LZ77 packing for the pictures of the larger display scales.

They are four to eight times the bytes of the 100 % set, and most of those
bytes repeat (flat faces, dithered ramps that repeat every eight pixels), so
the editor carries them packed and unpacks one when a button loads it.

Format: a 4-byte little-endian unpacked length, then tokens:
    0x00-0x7F  n + 1 literal bytes follow (1 to 128)
    0x80-0xFF  copy (n & 0x7F) + 3 bytes (3 to 130) from d bytes back, d
               given by the next 3 bytes, little-endian (1 to 16 MiB)
"""

import struct

MIN_MATCH, MAX_MATCH = 3, 130
MAX_LITERALS = 128


def _match_length(data, i, j, limit):
    """How many bytes from data[i:] equal those from data[j:], up to limit."""
    if data[i:i + MIN_MATCH] != data[j:j + MIN_MATCH]:
        return 0
    lo, hi = MIN_MATCH, limit
    while lo < hi:
        mid = (lo + hi + 1) // 2
        if data[i:i + mid] == data[j:j + mid]:
            lo = mid
        else:
            hi = mid - 1
    return lo


def pack(data, row_bytes=0):
    """Packs bytes; row_bytes (a bitmap's stride) adds the rows above as
    places to look for repeats."""
    n = len(data)
    out = bytearray(struct.pack('<I', n))
    distances = [1, 2, 3, 4, 8, 16]
    if row_bytes > 0:
        distances += [row_bytes * k for k in (1, 2, 4, 8)]
    last = {}
    literals = bytearray()

    def flush():
        while literals:
            chunk = literals[:MAX_LITERALS]
            out.append(len(chunk) - 1)
            out.extend(chunk)
            del literals[:MAX_LITERALS]

    i = 0
    while i < n:
        limit = min(MAX_MATCH, n - i)
        best, best_d = 0, 0
        if limit >= MIN_MATCH:
            key = bytes(data[i:i + MIN_MATCH])
            candidates = list(distances)
            if key in last:
                candidates.append(i - last[key])
            for d in candidates:
                if 0 < d <= i:
                    length = _match_length(data, i, i - d, limit)
                    if length > best:
                        best, best_d = length, d
                        if length == limit:
                            break
            last[key] = i
        if best >= MIN_MATCH:
            flush()
            out.append(0x80 | (best - MIN_MATCH))
            out.extend(struct.pack('<I', best_d)[:3])
            i += best
        else:
            literals.append(data[i])
            i += 1
    flush()
    return bytes(out)


def unpack(packed):
    """The inverse of pack, as the programs do it (for the tests)."""
    n = struct.unpack_from('<I', packed, 0)[0]
    out = bytearray()
    i = 4
    while i < len(packed):
        c = packed[i]
        i += 1
        if c < 0x80:
            out += packed[i:i + c + 1]
            i += c + 1
        else:
            length = (c & 0x7F) + MIN_MATCH
            d = packed[i] | packed[i + 1] << 8 | packed[i + 2] << 16
            i += 3
            for _ in range(length):
                out.append(out[-d])
    if len(out) != n:
        raise ValueError('unpacked %d bytes, expected %d' % (len(out), n))
    return bytes(out)


def pack_bitmap(data):
    """Packs a .bmp file, matching against the row above as well."""
    width = int.from_bytes(data[18:22], 'little', signed=True)
    bits = int.from_bytes(data[28:30], 'little')
    return pack(data, ((abs(width) * bits + 31) // 32) * 4)
