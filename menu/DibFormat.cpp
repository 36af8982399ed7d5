// DibFormat.cpp - reading and checking the header and colour table of a
// packed device-independent bitmap, and the header handed to GDI.

#include "DibFormat.h"
#include "DibBytes.h"

#include <algorithm>
#include <cstring>

namespace dibfmt {

using bytes::ReadU16;
using bytes::ReadU32;
using bytes::WriteU16;
using bytes::WriteU32;

namespace {

bool IsInfoHeaderSize(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// A usable mask is one unbroken run of bits inside the pixel; an empty mask
// means the channel is always 0.  Masks may not share bits, and at least one
// must be there.
bool MasksUsable(const std::uint32_t masks[3], std::uint32_t bitCount) {
    const std::uint64_t pixelBits = (std::uint64_t(1) << bitCount) - 1;
    std::uint32_t seen = 0;
    for (int i = 0; i < 3; ++i) {
        const std::uint32_t m = masks[i];
        if (m == 0) continue;
        if (m > pixelBits || (m & seen) != 0) return false;
        const std::uint32_t low = m & (~m + 1);            // lowest set bit
        const std::uint64_t run = std::uint64_t(m) + low;  // carries past a contiguous run
        if ((run & (run - 1)) != 0) return false;
        seen |= m;
    }
    return seen != 0;
}

std::uint16_t ColorsForBitCount(std::uint32_t bitCount) {
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

}  // namespace

std::uint64_t RowStride(std::uint64_t width, std::uint32_t bitCount) {
    // width < 2^32 and bitCount < 2^16 in every caller, so the product fits
    // in 64 bits with room to spare.
    return ((width * bitCount + 31) / 32) * 4;
}

// Rules, in the order they are applied, and why:
//
//  1. At least the 4-byte size field must be there.
//  2. The size field must be at least 12 (a core header needs 12 bytes; with
//     a smaller value the "pixels" would overlap the header itself) and no
//     larger than the block.  40, 52, 56, 108 and 124 are the info header
//     and its longer versions; any other value is read as the core form.
//  3. Width and height must be at least 1.  Nothing is drawn from an empty
//     picture, and a 0 height would make the 1:1 blit copy nothing.
//     In the core form both are unsigned 16-bit values.  In the info form a
//     negative height is a real format (rows stored top row first); we
//     accept it and later reorder the rows (MakeBottomUp) rather than hand
//     GDI a negative height, whose treatment by the 1:1 blit differs between
//     implementations.  A negative width means nothing and is refused.
//     Both must be at most 65535: the 1:1 blit passes the row count as a
//     16-bit value, and no real background comes near that size.
//  4. Bit count: the core form allows 1, 4, 8 and 24 (all it ever defined);
//     the info form 1, 4, 8, 16, 24 and 32.  Anything else (0 = embedded
//     JPEG/PNG, 2, 3, 64, ...) cannot be drawn as plain rows.
//  5. Info form only: compression "none" for any bit count; RLE8 only with
//     8 and RLE4 only with 4 bits per pixel, and only bottom-up (run-length
//     rows have no top-down form); bit fields only with 16 and 32 bits, and
//     masks that MasksUsable accepts, read from the header or, after a
//     40-byte one, from the 12 bytes behind it, which must be in the block.
//     Run-length data has no length we could trust (the size-image field is
//     just another claim): DecodePixels stops where the block ends, and the
//     rows it makes may not exceed kMaxDecodedBytes.
//  6. Colour count at most 256.  No bit count indexes beyond 256 entries, and
//     a larger count would also wrap the 16-bit colour-table size so that
//     "pixels" would start inside the table.  Only the low 16 bits of
//     colours-used are looked at, so 65536 + 5 is a 5-entry table.
//  7. Header plus colour table must fit in the block.
//  8. height * stride bytes of pixel rows must fit after the table.  These
//     are the bytes the blit (or the bit-field decoding) reads; everything is
//     computed in 64 bits.  Run-length data needs only its table in the
//     block.
DibStatus ParseDib(const unsigned char* block, std::size_t size, DibLayout& layout) {
    if (block == nullptr || size < 4) return kDibTooShort;

    const std::uint32_t headerSize = ReadU32(block);
    if (headerSize < kCoreHeaderSize || headerSize > size) return kDibBadHeaderSize;

    DibLayout out;
    out.headerSize = headerSize;
    out.topDown = false;

    out.compression = kCompressionNone;
    out.masks[0] = out.masks[1] = out.masks[2] = 0;
    std::uint64_t tableOffset = headerSize;
    std::int64_t width;
    std::int64_t height;
    std::uint32_t colorsUsed = 0;
    if (IsInfoHeaderSize(headerSize)) {
        out.kind = kInfoHeader;
        out.colorEntrySize = 4;
        width = static_cast<std::int32_t>(ReadU32(block + 4));
        height = static_cast<std::int32_t>(ReadU32(block + 8));
        out.bitCount = ReadU16(block + 14);
        const std::uint32_t compression = ReadU32(block + 16);
        colorsUsed = ReadU32(block + 32) & 0xFFFF;

        if (height < 0) {
            out.topDown = true;
            height = -height;  // int64: even INT32_MIN negates safely
        }
        if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension)
            return kDibBadDimensions;
        switch (out.bitCount) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return kDibBadBitCount;
        }
        switch (compression) {
        case kCompressionNone:
            break;
        case kCompressionRle8:
        case kCompressionRle4:
            if (out.bitCount != (compression == kCompressionRle8 ? 8 : 4) || out.topDown)
                return kDibBadCompression;
            break;
        case kCompressionBitFields:
            if (out.bitCount != 16 && out.bitCount != 32) return kDibBadCompression;
            if (headerSize == kInfoHeaderSize) {
                tableOffset += 12;
                if (tableOffset > size) return kDibBadMasks;
            }
            for (int i = 0; i < 3; ++i)
                out.masks[i] = ReadU32(block + kInfoHeaderSize + 4 * i);
            if (!MasksUsable(out.masks, out.bitCount)) return kDibBadMasks;
            break;
        default:
            return kDibBadCompression;
        }
        out.compression = compression;
    } else {
        out.kind = kCoreHeader;
        out.colorEntrySize = 3;
        width = ReadU16(block + 4);
        height = ReadU16(block + 6);
        out.bitCount = ReadU16(block + 10);

        if (width < 1 || height < 1) return kDibBadDimensions;
        switch (out.bitCount) {
        case 1: case 4: case 8: case 24: break;
        default: return kDibBadBitCount;
        }
    }

    const std::uint32_t colorCount = colorsUsed != 0 ? colorsUsed : ColorsForBitCount(out.bitCount);
    if (colorCount > kMaxColors) return kDibBadColorCount;

    const std::uint64_t tableSize = std::uint64_t(colorCount) * out.colorEntrySize;
    const std::uint64_t pixelOffset = tableOffset + tableSize;
    if (pixelOffset > size) return kDibTableOutside;

    const std::uint64_t stride = RowStride(static_cast<std::uint64_t>(width), out.bitCount);
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(height);
    const bool runLength = out.compression == kCompressionRle8 || out.compression == kCompressionRle4;
    if (runLength) {
        if (pixelBytes > kMaxDecodedBytes) return kDibTooLarge;
    } else if (pixelBytes > size - pixelOffset) {
        return kDibPixelsOutside;
    } else if (out.compression == kCompressionBitFields &&
               RowStride(static_cast<std::uint64_t>(width), 32) * static_cast<std::uint64_t>(height) >
                   kMaxDecodedBytes) {
        return kDibTooLarge;
    }

    out.width = static_cast<std::int32_t>(width);
    out.height = static_cast<std::int32_t>(height);
    out.colorCount = static_cast<std::uint16_t>(colorCount);
    out.colorTableSize = static_cast<std::uint16_t>(tableSize);
    out.colorTableOffset = static_cast<std::size_t>(tableOffset);
    out.pixelOffset = static_cast<std::size_t>(pixelOffset);
    out.stride = static_cast<std::size_t>(stride);
    out.pixelBytes = static_cast<std::size_t>(pixelBytes);
    layout = out;
    return kDibOk;
}

const char* DibStatusName(DibStatus status) {
    switch (status) {
    case kDibOk: return "ok";
    case kDibTooShort: return "too short";
    case kDibBadHeaderSize: return "bad header size";
    case kDibBadDimensions: return "bad dimensions";
    case kDibBadBitCount: return "bad bit count";
    case kDibBadCompression: return "bad compression";
    case kDibBadMasks: return "bad bit-field masks";
    case kDibBadColorCount: return "bad colour count";
    case kDibTableOutside: return "colour table outside block";
    case kDibPixelsOutside: return "pixels outside block";
    case kDibTooLarge: return "decoded rows too large";
    }
    return "unknown";
}

void MakeBottomUp(unsigned char* block, DibLayout& layout) {
    if (!layout.topDown) return;
    unsigned char* pixels = block + layout.pixelOffset;
    const std::size_t stride = layout.stride;
    std::size_t top = 0;
    std::size_t bottom = static_cast<std::size_t>(layout.height) - 1;
    while (top < bottom) {
        std::swap_ranges(pixels + top * stride, pixels + (top + 1) * stride, pixels + bottom * stride);
        ++top;
        --bottom;
    }
    // Keep the block a consistent packed bitmap for anyone who reads it.
    WriteU32(block + 8, static_cast<std::uint32_t>(layout.height));
    layout.topDown = false;
}

void ColorEntry(const unsigned char* block, const DibLayout& layout, unsigned index,
                std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
    // Both entry forms begin blue, green, red.
    const unsigned char* entry = block + layout.colorTableOffset + std::size_t(index) * layout.colorEntrySize;
    blue = entry[0];
    green = entry[1];
    red = entry[2];
}

void BuildGdiInfo(const unsigned char* block, const DibLayout& layout, GdiInfo& info) {
    std::memset(info.words, 0, sizeof(info.words));
    unsigned char* p = reinterpret_cast<unsigned char*>(info.words);

    unsigned entries = 0;
    if (layout.bitCount <= 8) entries = std::min<unsigned>(layout.colorCount, 1u << layout.bitCount);

    WriteU32(p + 0, kInfoHeaderSize);
    WriteU32(p + 4, static_cast<std::uint32_t>(layout.width));
    WriteU32(p + 8, static_cast<std::uint32_t>(layout.height));
    WriteU16(p + 12, 1);  // planes
    WriteU16(p + 14, layout.bitCount);
    WriteU32(p + 16, kCompressionNone);
    WriteU32(p + 20, static_cast<std::uint32_t>(layout.pixelBytes));
    WriteU32(p + 32, entries);  // colours used

    unsigned char* quad = p + kInfoHeaderSize;
    for (unsigned i = 0; i < entries; ++i, quad += 4) {
        std::uint8_t r, g, b;
        ColorEntry(block, layout, i, r, g, b);
        quad[0] = b;
        quad[1] = g;
        quad[2] = r;
        quad[3] = 0;
    }
    info.entries = entries;
    info.size = kInfoHeaderSize + std::size_t(entries) * 4;
}

}  // namespace dibfmt
