// DibDecode.cpp - turning run-length and bit-field rows into plain rows.
//
// Run-length data carries no length that could be trusted, so a blit of it
// might read past the block; bit-field pixels are widened here the way
// picture viewers show them.  So neither reaches GDI as stored: both are
// decoded here, every read checked against the block and every write against
// the plain rows, and GDI draws only plain rows whose size we know.

#include "DibFormat.h"
#include "DibBytes.h"

#include <cstring>

namespace dibfmt {

namespace {

// Run-length rows, as the format defines them: pairs of (count, value) that
// repeat value count times (for RLE4 the value's two nibbles take turns),
// and escapes after a 0 count: 0 ends the row, 1 ends the picture, 2 moves
// right and up by the next two bytes, 3 and more are that many literal
// pixels, padded to a 16-bit boundary.  Rows run bottom to top.
class RunLengthDecoder {
public:
    RunLengthDecoder(const unsigned char* data, std::size_t size, const DibLayout& plain, unsigned char* rows)
        : m_data(data), m_size(size), m_pos(0), m_layout(plain), m_rows(rows), m_x(0), m_y(0),
          m_nibbles(plain.bitCount == 4) {}

    void Run() {
        while (m_pos + 2 <= m_size) {
            const unsigned count = m_data[m_pos];
            const unsigned value = m_data[m_pos + 1];
            m_pos += 2;
            if (count > 0) {
                for (unsigned i = 0; i < count; ++i) {
                    const unsigned pixel = m_nibbles ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value;
                    if (!Put(pixel)) return;
                }
                continue;
            }
            switch (value) {
            case 0:  // end of row
                m_x = 0;
                if (++m_y >= m_layout.height) return;
                break;
            case 1:  // end of picture
                return;
            case 2: {  // move right and up
                if (m_pos + 2 > m_size) return;
                const std::int64_t x = std::int64_t(m_x) + m_data[m_pos];
                const std::int64_t y = std::int64_t(m_y) + m_data[m_pos + 1];
                m_pos += 2;
                if (x > m_layout.width || y >= m_layout.height) return;
                m_x = static_cast<std::int32_t>(x);
                m_y = static_cast<std::int32_t>(y);
                break;
            }
            default: {  // literal pixels
                const std::size_t bytes = m_nibbles ? (value + 1) / 2 : value;
                if (m_pos + bytes > m_size) return;
                for (unsigned i = 0; i < value; ++i) {
                    const unsigned byte = m_data[m_pos + (m_nibbles ? i / 2 : i)];
                    const unsigned pixel = m_nibbles ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
                    if (!Put(pixel)) return;
                }
                m_pos += (bytes + 1) & ~std::size_t(1);
                break;
            }
            }
        }
    }

private:
    // Stores one pixel at the current place and moves right; false when the
    // run would leave the picture.
    bool Put(unsigned pixel) {
        if (m_x >= m_layout.width || m_y >= m_layout.height) return false;
        unsigned char* row = m_rows + std::size_t(m_y) * m_layout.stride;
        if (m_nibbles) {
            unsigned char& byte = row[m_x / 2];
            byte = (m_x % 2 == 0) ? static_cast<unsigned char>((byte & 0x0F) | (pixel << 4))
                                  : static_cast<unsigned char>((byte & 0xF0) | pixel);
        } else {
            row[m_x] = static_cast<unsigned char>(pixel);
        }
        ++m_x;
        return true;
    }

    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_pos;
    const DibLayout& m_layout;
    unsigned char* m_rows;
    std::int32_t m_x;
    std::int32_t m_y;
    bool m_nibbles;
};

int LowestBit(std::uint32_t m) {
    int shift = 0;
    while (shift < 32 && !(m & (1u << shift))) ++shift;
    return shift;
}

int BitsIn(std::uint32_t m) {
    int n = 0;
    for (; m != 0; m &= m - 1) ++n;
    return n;
}

// One channel of a bit-field pixel scaled to 0..255, as viewers show it:
// the full range of the channel's bits maps onto the full byte.
unsigned Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int bits = BitsIn(mask);
    const std::uint32_t value = (pixel & mask) >> LowestBit(mask);
    if (bits >= 8) return value >> (bits - 8);
    const std::uint32_t top = (1u << bits) - 1;
    return (value * 255 + top / 2) / top;
}

void DecodeBitFields(const unsigned char* pixels, const DibLayout& layout, const DibLayout& plain,
                     unsigned char* rows) {
    const unsigned bytesPerPixel = layout.bitCount / 8;
    for (std::int32_t y = 0; y < layout.height; ++y) {
        const unsigned char* in = pixels + std::size_t(y) * layout.stride;
        unsigned char* out = rows + std::size_t(y) * plain.stride;
        for (std::int32_t x = 0; x < layout.width; ++x, in += bytesPerPixel, out += 4) {
            const std::uint32_t pixel = bytesPerPixel == 2 ? bytes::ReadU16(in) : bytes::ReadU32(in);
            out[0] = static_cast<unsigned char>(Channel(pixel, layout.masks[2]));
            out[1] = static_cast<unsigned char>(Channel(pixel, layout.masks[1]));
            out[2] = static_cast<unsigned char>(Channel(pixel, layout.masks[0]));
            out[3] = 0;
        }
    }
}

}  // namespace

DibLayout PlainLayout(const DibLayout& layout) {
    DibLayout plain = layout;
    plain.compression = kCompressionNone;
    plain.masks[0] = plain.masks[1] = plain.masks[2] = 0;
    if (layout.compression == kCompressionBitFields) {
        plain.bitCount = 32;
        plain.stride = static_cast<std::size_t>(RowStride(static_cast<std::uint64_t>(layout.width), 32));
        plain.pixelBytes = plain.stride * static_cast<std::size_t>(layout.height);
    }
    return plain;
}

void DecodePixels(const unsigned char* block, std::size_t size, const DibLayout& layout, unsigned char* rows) {
    const DibLayout plain = PlainLayout(layout);
    std::memset(rows, 0, plain.pixelBytes);
    if (layout.compression == kCompressionBitFields) {
        DecodeBitFields(block + layout.pixelOffset, layout, plain, rows);
    } else if (layout.compression == kCompressionRle8 || layout.compression == kCompressionRle4) {
        RunLengthDecoder decoder(block + layout.pixelOffset, size - layout.pixelOffset, plain, rows);
        decoder.Run();
    } else {
        std::memcpy(rows, block + layout.pixelOffset, plain.pixelBytes);
    }
}

}  // namespace dibfmt
