// bmpwriter.h - builds .bmp files in memory for tests, and writes them out.
//
// Header-only and free of system headers, so both the Windows tests and the
// native sanitizer tests can use it.  The cases built from it, with what
// reading each must give, are in dib_corpus.h.  It writes exactly what it is told,
// including nonsense: any header size, field layout, bit count, colours-used
// value, table length, gap before the pixels, or truncation.

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bmpw {

typedef std::vector<std::uint8_t> Bytes;

struct Rgb {
    std::uint8_t r, g, b;
};

inline bool operator==(const Rgb& a, const Rgb& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

inline void PutU16(Bytes& out, std::size_t at, std::uint32_t v) {
    if (out.size() < at + 2)
        out.resize(at + 2, 0);
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

inline void PutU32(Bytes& out, std::size_t at, std::uint32_t v) {
    PutU16(out, at, v & 0xFFFF);
    PutU16(out, at + 2, v >> 16);
}

// How the fields of the bitmap header are laid out, independent of the size
// written into its first four bytes.
enum FieldLayout {
    kInfoFields,   // 32-bit width/height at 4/8, planes 12, bits 14, ... (40/108/124 form)
    kCoreFields    // 16-bit width/height at 4/6, planes 8, bits 10 (12-byte form)
};

struct BmpRecipe {
    std::uint32_t headerSize = 40;
    FieldLayout fields = kInfoFields;
    std::int32_t width = 1;
    std::int32_t height = 1;        // negative: top-down (info fields only)
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<Rgb> colors;        // the colour table written
    std::size_t entrySize = 0;      // 0: 4 for info fields, 3 for core fields
    Bytes gap;                      // bytes between table and pixels
    Bytes pixels;                   // pixel rows exactly as stored
    std::int64_t pixelOffsetField = -1;  // file header's offset; -1: the real one
    // Bit-field masks (red, green, blue): inside a header of 52 bytes or
    // more at byte 40, else right after the header.
    std::vector<std::uint32_t> masks;
};

// Packs pixel values into padded rows.  value(x, y) gives the pixel at column
// x of picture row y, y = 0 being the top row.  For bitCount 1/4/8 it is the
// table index; for 16 the 5-5-5 word; for 24/32 0x00RRGGBB.  Rows are stored
// bottom row first unless topDown.
inline Bytes PackRows(int width, int height, int bitCount, bool topDown,
                      const std::function<std::uint32_t(int, int)>& value) {
    const std::size_t stride = ((std::size_t(width) * bitCount + 31) / 32) * 4;
    Bytes rows(stride * height, 0);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        std::uint8_t* line = &rows[stride * row];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = value(x, y);
            switch (bitCount) {
            case 1: line[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8)); break;
            case 4: line[x / 2] |= static_cast<std::uint8_t>((v & 15) << (x % 2 ? 0 : 4)); break;
            case 8: line[x] = static_cast<std::uint8_t>(v); break;
            case 16:
                line[2 * x] = static_cast<std::uint8_t>(v & 0xFF);
                line[2 * x + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
                break;
            case 24:
                line[3 * x] = static_cast<std::uint8_t>(v & 0xFF);
                line[3 * x + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
                line[3 * x + 2] = static_cast<std::uint8_t>((v >> 16) & 0xFF);
                break;
            case 32:
                line[4 * x] = static_cast<std::uint8_t>(v & 0xFF);
                line[4 * x + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
                line[4 * x + 2] = static_cast<std::uint8_t>((v >> 16) & 0xFF);
                line[4 * x + 3] = static_cast<std::uint8_t>(v >> 24);
                break;
            default: break;
            }
        }
    }
    return rows;
}

// A table of n distinct, easily told apart colours.
inline std::vector<Rgb> DistinctColors(int n) {
    std::vector<Rgb> colors;
    for (int i = 0; i < n; ++i) {
        Rgb c = { static_cast<std::uint8_t>(i * 37 + 11), static_cast<std::uint8_t>(255 - i),
                  static_cast<std::uint8_t>(i * 101 + 3) };
        colors.push_back(c);
    }
    return colors;
}

// The whole file: 14-byte file header, bitmap header, table, gap, pixels.
inline Bytes Build(const BmpRecipe& s) {
    const std::size_t entry = s.entrySize ? s.entrySize : (s.fields == kInfoFields ? 4 : 3);
    const std::size_t tableBytes = entry * s.colors.size();
    const bool masksInHeader = s.headerSize >= 40 + 4 * s.masks.size();
    const std::size_t maskBytes = masksInHeader ? 0 : 4 * s.masks.size();
    const std::size_t offset = 14 + std::size_t(s.headerSize) + maskBytes + tableBytes + s.gap.size();

    Bytes out(14, 0);
    out[0] = 'B';
    out[1] = 'M';
    PutU32(out, 2, static_cast<std::uint32_t>(offset + s.pixels.size()));
    PutU32(out, 10, s.pixelOffsetField >= 0 ? static_cast<std::uint32_t>(s.pixelOffsetField)
                                            : static_cast<std::uint32_t>(offset));

    Bytes header(s.headerSize, 0);
    PutU32(header, 0, s.headerSize);
    if (s.fields == kInfoFields) {
        PutU32(header, 4, static_cast<std::uint32_t>(s.width));
        PutU32(header, 8, static_cast<std::uint32_t>(s.height));
        PutU16(header, 12, s.planes);
        PutU16(header, 14, s.bitCount);
        PutU32(header, 16, s.compression);
        PutU32(header, 20, static_cast<std::uint32_t>(s.pixels.size()));
        PutU32(header, 32, s.colorsUsed);
    } else {
        PutU16(header, 4, static_cast<std::uint32_t>(s.width));
        PutU16(header, 6, static_cast<std::uint32_t>(s.height));
        PutU16(header, 8, s.planes);
        PutU16(header, 10, s.bitCount);
    }
    if (masksInHeader)
        for (std::size_t i = 0; i < s.masks.size(); ++i)
            PutU32(header, 40 + 4 * i, s.masks[i]);
    // A header size below the fields written must not grow the header.
    header.resize(s.headerSize);
    out.insert(out.end(), header.begin(), header.end());
    if (!masksInHeader) {
        Bytes masks;
        for (std::size_t i = 0; i < s.masks.size(); ++i)
            PutU32(masks, 4 * i, s.masks[i]);
        out.insert(out.end(), masks.begin(), masks.end());
    }

    for (std::size_t i = 0; i < s.colors.size(); ++i) {
        const std::uint8_t e[4] = { s.colors[i].b, s.colors[i].g, s.colors[i].r, 0 };
        out.insert(out.end(), e, e + entry);
    }
    out.insert(out.end(), s.gap.begin(), s.gap.end());
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    return out;
}

// The pixel value at x, y (y = 0 the top row) of ValidRecipe: a fixed
// pattern in which every row and column differs.  A table index for up to 8
// bits per pixel, else 0x00RRGGBB (of which 16-bit rows keep the low 15 bits
// as 5-5-5).
inline std::uint32_t ValidPixel(int x, int y, int bitCount) {
    const std::uint32_t v = static_cast<std::uint32_t>(x * 7 + y * 13 + 1);
    if (bitCount <= 8) return v % (1u << bitCount);
    return (v * 2654435761u) & 0xFFFFFFu;
}

// A complete, valid picture of the given form with ValidPixel's pattern.
inline BmpRecipe ValidRecipe(int width, int height, int bitCount, FieldLayout fields = kInfoFields) {
    BmpRecipe s;
    s.headerSize = fields == kInfoFields ? 40 : 12;
    s.fields = fields;
    s.width = width;
    s.height = height;
    s.bitCount = static_cast<std::uint16_t>(bitCount);
    if (bitCount <= 8)
        s.colors = DistinctColors(1 << bitCount);
    s.pixels = PackRows(width, height, bitCount, false, [bitCount](int x, int y) { return ValidPixel(x, y, bitCount); });
    return s;
}

// An 8-bit palette picture filled with one colour (palette entry 7).
inline Bytes SolidPicture(int width, int height, Rgb colour) {
    BmpRecipe s = ValidRecipe(width, height, 8);
    s.colors.assign(256, Rgb{0, 0, 0});
    s.colors[7] = colour;
    s.pixels = PackRows(width, height, 8, false, [](int, int) { return 7u; });
    return Build(s);
}

inline Bytes Truncated(const Bytes& file, std::size_t length) {
    return Bytes(file.begin(), file.begin() + (length < file.size() ? length : file.size()));
}

// The packed bitmap: the file without its 14-byte file header.
inline Bytes PackedPart(const Bytes& file) {
    return file.size() <= 14 ? Bytes() : Bytes(file.begin() + 14, file.end());
}

inline bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool ok = bytes.empty() || std::fwrite(&bytes[0], 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// Run-length rows (bits 8: RLE8, 4: RLE4) of the index pixels value(x, y),
// y = 0 being the top row, stored bottom row first: runs of equal pixels as
// counted runs, stretches of three or more differing ones as literal runs,
// the end-of-row escape after each row and end-of-picture after the last.
inline Bytes EncodeRle(int width, int height, int bits, const std::function<std::uint32_t(int, int)>& value) {
    Bytes out;
    auto put = [&out](unsigned b) { out.push_back(static_cast<std::uint8_t>(b)); };
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        int x = 0;
        while (x < width) {
            int run = 1;
            while (x + run < width && run < 255 && value(x + run, y) == value(x, y))
                ++run;
            int literal = 0;
            while (x + literal + 1 < width && literal < 254 && value(x + literal, y) != value(x + literal + 1, y))
                ++literal;
            if (run == 1 && literal >= 3) {
                put(0);
                put(static_cast<unsigned>(literal));
                const std::size_t start = out.size();
                for (int i = 0; i < literal; ++i) {
                    const unsigned v = value(x + i, y);
                    if (bits == 8) put(v);
                    else if (i % 2 == 0) put(v << 4);
                    else out.back() = static_cast<std::uint8_t>(out.back() | v);
                }
                if ((out.size() - start) % 2) put(0);
                x += literal;
            } else {
                const unsigned v = value(x, y);
                put(static_cast<unsigned>(run));
                put(bits == 8 ? v : (v << 4) | v);
                x += run;
            }
        }
        put(0);
        put(row + 1 == height ? 1 : 0);
    }
    return out;
}

}  // namespace bmpw
