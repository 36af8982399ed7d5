// dib_checks.h - the checks every parsed block must pass, shared by the
// native corpus runner, its random damage and the fuzz target.
//
// The block handed in must be a heap buffer of exactly the given size, so
// that AddressSanitizer reports the first byte read past it.  CheckBlock
// parses it, and when the parse succeeds touches every byte that drawing the
// picture would read: header, colour table and height * stride pixel bytes,
// both as our reading lays them out and as a GDI implementation would read
// the 40-byte header we hand it.  It also turns top-down blocks bottom-up
// and checks the rows really were reversed.  Run-length and bit-field rows
// are decoded, and GDI's reading is checked against the decoded rows.

#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "menu/DibFormat.h"

namespace dibcheck {

inline std::uint32_t U32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

inline std::uint16_t U16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// A heap copy of exactly the given bytes, so that AddressSanitizer reports
// a read one byte past them.
class ExactBlock {
public:
    template <class Bytes>
    explicit ExactBlock(const Bytes& bytes) : m_size(bytes.size()) {
        if (m_size != 0) {
            m_data.reset(new unsigned char[m_size]);
            std::memcpy(m_data.get(), bytes.data(), m_size);
        }
    }
    unsigned char* data() const { return m_data.get(); }
    std::size_t size() const { return m_size; }

private:
    std::unique_ptr<unsigned char[]> m_data;
    std::size_t m_size;
};

// Reads every byte in [from, to) of block; the sum keeps the reads from being
// optimised away.
inline unsigned Touch(const unsigned char* block, std::size_t from, std::size_t to) {
    unsigned sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += block[i];
    return sum;
}

// The plain rows of a block that needs decoding, in a buffer of exactly
// their size (so a write past them is reported too).
inline std::vector<unsigned char> Decode(const unsigned char* block, std::size_t size,
                                         const dibfmt::DibLayout& layout, dibfmt::DibLayout& plain) {
    plain = dibfmt::PlainLayout(layout);
    std::vector<unsigned char> rows(plain.pixelBytes, 0xCD);
    dibfmt::DecodePixels(block, size, layout, rows.data());
    return rows;
}

// The colour of pixel x, y (y = 0 the top row) of the plain bottom-up rows
// described by plain, whose colour table is in block.  16-bit rows are
// 5-5-5, widened by shifting.
inline void PlainColour(const unsigned char* block, const dibfmt::DibLayout& plain, const unsigned char* rows, int x,
                        int y, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
    const unsigned char* row = rows + std::size_t(plain.height - 1 - y) * plain.stride;
    unsigned index = 0;
    switch (plain.bitCount) {
    case 1: index = (row[x / 8] >> (7 - x % 8)) & 1; break;
    case 4: index = x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4; break;
    case 8: index = row[x]; break;
    case 16: {
        const unsigned v = U16(row + 2 * x);
        red = static_cast<std::uint8_t>((v >> 10 & 31) << 3);
        green = static_cast<std::uint8_t>((v >> 5 & 31) << 3);
        blue = static_cast<std::uint8_t>((v & 31) << 3);
        return;
    }
    default: {
        const unsigned char* p = row + std::size_t(x) * (plain.bitCount / 8);
        red = p[2];
        green = p[1];
        blue = p[0];
        return;
    }
    }
    red = green = blue = 0;  // an index past the table: no colour of its own
    if (index < plain.colorCount) dibfmt::ColorEntry(block, plain, index, red, green, blue);
}

// The padding behind the last pixel of every plain row, which the decoder
// clears and must never write (a write one pixel past a row's end lands
// there, or past the rows after the last one).
inline bool PaddingClear(const std::vector<unsigned char>& rows, const dibfmt::DibLayout& plain) {
    const std::uint64_t used = std::uint64_t(plain.width) * plain.bitCount;
    for (std::size_t y = 0; y < std::size_t(plain.height); ++y)
        for (std::uint64_t bit = used; bit < std::uint64_t(plain.stride) * 8; ++bit)
            if (rows[y * plain.stride + bit / 8] >> (7 - bit % 8) & 1) return false;
    return true;
}

struct Result {
    dibfmt::DibStatus status;
    std::string error;   // empty when every check passed
};

inline Result CheckBlock(unsigned char* block, std::size_t size) {
    Result r;
    dibfmt::DibLayout layout = dibfmt::DibLayout();
    r.status = dibfmt::ParseDib(block, size, layout);
    if (r.status != dibfmt::kDibOk)
        return r;

    // The layout must be self-consistent and inside the block.
    const std::uint64_t entry = layout.kind == dibfmt::kInfoHeader ? 4 : 3;
    if (layout.colorEntrySize != entry)
        r.error += "entry size does not match header kind; ";
    const bool infoSize = layout.headerSize == 40 || layout.headerSize == 52 || layout.headerSize == 56 ||
                          layout.headerSize == 108 || layout.headerSize == 124;
    if ((layout.kind == dibfmt::kInfoHeader) != infoSize)
        r.error += "header kind does not match header size; ";
    const bool runLength = layout.compression == dibfmt::kCompressionRle8 ||
                           layout.compression == dibfmt::kCompressionRle4;
    if (layout.compression != dibfmt::kCompressionNone && layout.kind != dibfmt::kInfoHeader)
        r.error += "compression in a core header; ";
    if (runLength && (layout.topDown || layout.bitCount != (layout.compression == 1 ? 8 : 4)))
        r.error += "run-length rows of the wrong kind; ";
    if (layout.compression == dibfmt::kCompressionBitFields) {
        if (layout.bitCount != 16 && layout.bitCount != 32) r.error += "bit fields of the wrong depth; ";
        if ((layout.masks[0] & layout.masks[1]) || (layout.masks[0] & layout.masks[2]) ||
            (layout.masks[1] & layout.masks[2]) || !(layout.masks[0] | layout.masks[1] | layout.masks[2]))
            r.error += "masks overlap or are all empty; ";
    }
    if (layout.width < 1 || layout.height < 1 || layout.width > dibfmt::kMaxDimension ||
        layout.height > dibfmt::kMaxDimension)
        r.error += "dimensions out of range; ";
    if (layout.colorCount > dibfmt::kMaxColors)
        r.error += "colour count above 256; ";
    if (layout.colorTableSize != layout.colorCount * entry)
        r.error += "table size != count * entry; ";
    const std::uint64_t masksAfter =
        layout.compression == dibfmt::kCompressionBitFields && layout.headerSize == 40 ? 12 : 0;
    if (layout.colorTableOffset != layout.headerSize + masksAfter)
        r.error += "table does not follow header and masks; ";
    if (layout.pixelOffset != layout.colorTableOffset + layout.colorTableSize)
        r.error += "pixels do not follow table; ";
    if (layout.stride != dibfmt::RowStride(std::uint64_t(layout.width), layout.bitCount))
        r.error += "stride wrong; ";
    if (layout.pixelBytes != std::uint64_t(layout.stride) * std::uint64_t(layout.height))
        r.error += "pixel bytes != stride * height; ";
    if (runLength ? layout.pixelOffset > size || layout.pixelBytes > dibfmt::kMaxDecodedBytes
                  : std::uint64_t(layout.pixelOffset) + layout.pixelBytes > size)
        r.error += "pixels run past the block; ";
    if (!r.error.empty())
        return r;

    volatile unsigned sink = 0;
    sink = sink + Touch(block, 0, runLength ? size : layout.pixelOffset + layout.pixelBytes);
    for (unsigned i = 0; i < layout.colorCount; ++i) {
        std::uint8_t red, green, blue;
        dibfmt::ColorEntry(block, layout, i, red, green, blue);
        sink = sink + red + green + blue;
    }

    if (layout.topDown) {
        std::vector<unsigned char> before(block + layout.pixelOffset,
                                          block + layout.pixelOffset + layout.pixelBytes);
        dibfmt::MakeBottomUp(block, layout);
        if (layout.topDown)
            r.error += "still top-down after MakeBottomUp; ";
        if (static_cast<std::int32_t>(U32(block + 8)) != layout.height)
            r.error += "header height not made positive; ";
        for (std::int32_t row = 0; row < layout.height && r.error.empty(); ++row) {
            const std::size_t to = layout.pixelOffset + std::size_t(row) * layout.stride;
            const std::size_t from = std::size_t(layout.height - 1 - row) * layout.stride;
            if (std::memcmp(block + to, &before[from], layout.stride) != 0)
                r.error += "rows not reversed; ";
        }
    }

    // What GDI gets: the block's own rows, or rows decoded beside it.
    const unsigned char* rows = block + layout.pixelOffset;
    std::size_t rowBytes = size - layout.pixelOffset;
    std::vector<unsigned char> decoded;
    if (dibfmt::NeedsDecoding(layout)) {
        dibfmt::DibLayout plain;
        decoded = Decode(block, size, layout, plain);
        if (plain.compression != dibfmt::kCompressionNone || decoded.size() != plain.pixelBytes ||
            plain.pixelBytes != plain.stride * std::uint64_t(plain.height) ||
            plain.stride != dibfmt::RowStride(std::uint64_t(plain.width), plain.bitCount) ||
            plain.width != layout.width || plain.height != layout.height ||
            plain.bitCount != (layout.compression == dibfmt::kCompressionBitFields ? 32 : layout.bitCount))
            r.error += "decoded rows do not match their layout; ";
        else if (!PaddingClear(decoded, plain))
            r.error += "decoded into a row's padding; ";
        layout = plain;
        rows = decoded.data();
        rowBytes = decoded.size();
    }

    // Read the header we hand GDI the way GDI reads a 40-byte info header,
    // and touch what that reading says the blit may fetch.
    dibfmt::GdiInfo info;
    dibfmt::BuildGdiInfo(block, layout, info);
    const unsigned char* h = info.bytes();
    const std::int32_t gdiWidth = static_cast<std::int32_t>(U32(h + 4));
    const std::int32_t gdiHeight = static_cast<std::int32_t>(U32(h + 8));
    const std::uint16_t gdiBits = U16(h + 14);
    const std::uint32_t gdiUsed = U32(h + 32);
    std::uint32_t gdiEntries = gdiUsed;
    if (gdiEntries == 0 && gdiBits <= 8)
        gdiEntries = 1u << gdiBits;
    if (U32(h) != 40 || U16(h + 12) != 1 || U32(h + 16) != 0)
        r.error += "GDI header not a plain 40-byte info header; ";
    if (gdiWidth != layout.width || gdiHeight != layout.height || gdiBits != layout.bitCount)
        r.error += "GDI header disagrees with our reading; ";
    if (gdiBits <= 8 && gdiUsed > (1u << gdiBits))
        r.error += "GDI table larger than the bit count indexes; ";
    if (gdiBits > 8 && gdiUsed != 0)
        r.error += "GDI table for a deep picture; ";
    if (info.entries != gdiUsed || info.size != 40 + 4 * std::size_t(gdiUsed))
        r.error += "GDI info size wrong; ";
    if (40 + 4 * std::uint64_t(gdiEntries) > sizeof(info.words))
        r.error += "GDI table past the info buffer; ";
    for (std::uint32_t i = 0; i < info.entries && r.error.empty(); ++i) {
        std::uint8_t red, green, blue;
        dibfmt::ColorEntry(block, layout, i, red, green, blue);
        const unsigned char* q = h + 40 + 4 * i;
        if (q[0] != blue || q[1] != green || q[2] != red || q[3] != 0)
            r.error += "GDI table entry differs from file entry; ";
    }
    const std::uint64_t gdiStride = ((std::uint64_t(gdiWidth) * gdiBits + 31) / 32) * 4;
    const std::uint64_t gdiBytes = gdiStride * std::uint64_t(gdiHeight);
    if (gdiBytes > rowBytes)
        r.error += "GDI would read pixels past the rows; ";
    if (r.error.empty())
        sink = sink + Touch(rows, 0, gdiBytes);
    (void)sink;
    return r;
}

}  // namespace dibcheck
