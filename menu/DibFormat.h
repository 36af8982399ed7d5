// DibFormat.h - reading and checking a packed device-independent bitmap.
//
// A packed bitmap is everything in a .bmp file after its 14-byte file
// header: the bitmap header, the colour table and the pixel rows.  This file
// holds the platform-free part of the background picture: it tells the two
// header forms apart, derives the colour count, the colour-table size and the
// pixel offset, and refuses any block whose parts do not all lie inside the
// bytes that were actually read.  It includes no system headers so it can be
// built and hammered with sanitizers on any host.
//
// How the block is read:
//  - The header's first four bytes (its size field) choose the form.  The
//    values 40, 52, 56, 108 and 124 select the info header and its longer
//    versions, which all begin with the same fields (width/height signed
//    32-bit at bytes 4/8, bit count at 14, compression at 16, colours-used
//    at 32, 4-byte colour entries); from 52 bytes on the red, green and blue
//    masks follow at 40, 44 and 48.  Every other size is read as the 12-byte
//    core header (width/height unsigned 16-bit at 4/6, bit count at 10,
//    3-byte colour entries).
//  - Rows: plain, run-length encoded (8 bits per pixel: RLE8, 4: RLE4), or
//    16/32-bit pixels whose channels lie where three bit-field masks say.
//    A 40-byte header keeps its masks in the 12 bytes after it.
//  - Colour count: for the info header the low 16 bits of colours-used when
//    they are not 0; otherwise, and always for the core header, 2, 16 or 256
//    for 1, 4 or 8 bits per pixel and 0 for any other bit count.
//  - Pixels start straight after the colour table (header size, masks and
//    table size).  The file header's offset-to-pixels field is not consulted.
//  - Run-length and bit-field rows are not handed to GDI: DecodePixels turns
//    them into plain rows by our own checked code first.
//
// See ParseDib in DibFormat.cpp for the list of blocks that are refused;
// DibDecode.cpp turns run-length and bit-field rows into plain ones.

#pragma once

#include <cstddef>
#include <cstdint>

namespace dibfmt {

// Size of the file header in front of the packed bitmap in a .bmp file.
const std::size_t kFileHeaderSize = 14;
// "BM" read as a little-endian 16-bit value.
const std::uint16_t kBmpSignature = 0x4D42;
const std::uint32_t kInfoHeaderSize = 40;
const std::uint32_t kCoreHeaderSize = 12;
// Compression field values of the info header.
const std::uint32_t kCompressionNone = 0;
const std::uint32_t kCompressionRle8 = 1;
const std::uint32_t kCompressionRle4 = 2;
const std::uint32_t kCompressionBitFields = 3;
// Plain rows decoded from run-length data may need far more memory than
// the file: refuse pictures whose plain rows would exceed this.
const std::uint64_t kMaxDecodedBytes = 128u * 1024u * 1024u;
// Largest colour table we accept; also the size of the table in GdiInfo.
const unsigned kMaxColors = 256;
// Largest width and height we accept.  The 1:1 blit passes the scan-line
// count as a 16-bit value, so taller pictures would be drawn only in part.
const std::int32_t kMaxDimension = 65535;

enum HeaderKind {
    kInfoHeader,   // size field 40, 52, 56, 108 or 124
    kCoreHeader    // any other size field
};

enum DibStatus {
    kDibOk = 0,
    kDibTooShort,          // fewer than 4 bytes: no size field
    kDibBadHeaderSize,     // header smaller than 12 bytes or larger than the block
    kDibBadDimensions,     // width or height 0, negative width, or over the limit
    kDibBadBitCount,       // a bit count GDI cannot draw for this header form
    kDibBadCompression,    // a compression we do not read, or not for this bit count
    kDibBadMasks,          // bit-field masks that are empty, broken or overlapping
    kDibBadColorCount,     // more than 256 colour-table entries
    kDibTableOutside,      // colour table runs past the end of the block
    kDibPixelsOutside,     // pixel rows run past the end of the block
    kDibTooLarge           // decoded rows would need more than kMaxDecodedBytes
};

// What ParseDib derived from a block.  All offsets are from the block start.
struct DibLayout {
    HeaderKind kind;
    std::uint32_t headerSize;       // the size field, as stored
    std::int32_t width;             // > 0
    std::int32_t height;            // > 0: number of rows, whichever order
    bool topDown;                   // rows stored top row first (negative height)
    std::uint16_t bitCount;
    std::uint16_t colorCount;       // entries in the colour table
    std::uint16_t colorEntrySize;   // 4 (info) or 3 (core)
    std::uint16_t colorTableSize;   // colorCount * colorEntrySize
    std::size_t colorTableOffset;   // headerSize, + 12 for masks after a 40-byte header
    std::size_t pixelOffset;        // colorTableOffset + colorTableSize
    std::size_t stride;             // bytes per plain row of bitCount, padded to 4 bytes
    std::size_t pixelBytes;         // stride * height: the plain rows (for run-length
                                    // data: what decoding yields, not what is stored)
    std::uint32_t compression;      // kCompressionNone, Rle8, Rle4 or BitFields
    std::uint32_t masks[3];         // red, green, blue for kCompressionBitFields
};

// Bytes in one pixel row: width * bitCount bits rounded up to whole 32-bit
// words.  Computed in 64 bits so that no header value can overflow it.
std::uint64_t RowStride(std::uint64_t width, std::uint32_t bitCount);

// Reads the header of the packed bitmap at block (size bytes that were
// actually read) and checks that header, colour table and every pixel row lie
// inside it.  On kDibOk fills layout; otherwise layout is left untouched.
// Never reads outside [block, block + size).
DibStatus ParseDib(const unsigned char* block, std::size_t size, DibLayout& layout);

// Whether the rows must go through DecodePixels before GDI sees them.
inline bool NeedsDecoding(const DibLayout& layout) { return layout.compression != kCompressionNone; }

// The layout of the plain rows that DecodePixels makes of layout's rows
// (compression none): the same bit count for run-length data, 32 bits for
// bit-field pixels.  Its pixelBytes is at most kMaxDecodedBytes.
DibLayout PlainLayout(const DibLayout& layout);

// Decodes the rows of a block that NeedsDecoding (layout from ParseDib on
// the same size bytes, made bottom-up) into rows, which holds
// PlainLayout(layout).pixelBytes bytes: run-length data into rows of its
// own bit count, with pixels no run reaches left at colour 0; bit-field
// pixels into 32-bit 0x00RRGGBB.  A run that would leave the picture, or
// data that ends early, ends the decoding there: what was decoded so far
// stays.  Never reads outside [block, block + size) or writes outside rows.
void DecodePixels(const unsigned char* block, std::size_t size, const DibLayout& layout, unsigned char* rows);

// Short English name of a status, for test messages.
const char* DibStatusName(DibStatus status);

// Turns a top-down block (negative height in the info header) into the usual
// bottom-up one in place: reverses the row order and stores the positive
// height in the header.  Afterwards layout.topDown is false.  Does nothing to
// a bottom-up block.  layout must come from ParseDib on the same block.
void MakeBottomUp(unsigned char* block, DibLayout& layout);

// Colour-table entry index (< layout.colorCount) as red, green, blue.
void ColorEntry(const unsigned char* block, const DibLayout& layout, unsigned index,
                std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);

// The header handed to the blit functions.  We never pass the file's own
// header: GDI reads a header by its real meaning (a 108-byte header is a V4
// header to it, an info header with colours-used beyond the table is read
// further), and that meaning may differ from the reading above and reach
// outside what was checked.  Instead a fresh 40-byte info header with an
// RGBQUAD table is built from the checked values, so what GDI reads is
// exactly what ParseDib validated: width, height (positive, the block is
// made bottom-up first), bit count, uncompressed rows, and a colour table
// that lives here, not in the block.
struct GdiInfo {
    // BITMAPINFOHEADER followed by up to 256 RGBQUAD entries, little-endian.
    // Kept as 32-bit words so the bytes are suitably aligned for BITMAPINFO.
    std::uint32_t words[(kInfoHeaderSize + kMaxColors * 4) / 4];
    std::size_t size;     // bytes in use: 40 + 4 * entries
    unsigned entries;     // colour entries in use (biClrUsed)

    const unsigned char* bytes() const { return reinterpret_cast<const unsigned char*>(words); }
};

// Fills info for a bottom-up block described by layout (call MakeBottomUp
// first).  For up to 8 bits per pixel the table holds the file's entries, at
// most 2^bitCount of them (GDI looks no further).  The rest of the 256
// entries is zeroed, so even a driver that fetches a full 2^bitCount table
// regardless of biClrUsed stays inside info.  Deeper pictures draw their
// pixels directly and get no table.
void BuildGdiInfo(const unsigned char* block, const DibLayout& layout, GdiInfo& info);

}  // namespace dibfmt
