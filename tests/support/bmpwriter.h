// bmpwriter.h - builds .bmp files in memory for tests, and writes them out.
//
// Header-only and free of system headers, so both the Windows unit tests and
// the native sanitizer tests can use it.  It writes exactly what it is told,
// including nonsense: any header size, field layout, bit count, colours-used
// value, table length, gap before the pixels, or truncation.

#ifndef TESTS_SUPPORT_BMPWRITER_H
#define TESTS_SUPPORT_BMPWRITER_H

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

inline bool operator==(const Rgb& a, const Rgb& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

inline void PutU16(Bytes& out, std::size_t at, std::uint32_t v)
{
    if (out.size() < at + 2)
        out.resize(at + 2, 0);
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

inline void PutU32(Bytes& out, std::size_t at, std::uint32_t v)
{
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
};

// Packs pixel values into padded rows.  value(x, y) gives the pixel at column
// x of picture row y, y = 0 being the top row.  For bitCount 1/4/8 it is the
// table index; for 16 the 5-5-5 word; for 24/32 0x00RRGGBB.  Rows are stored
// bottom row first unless topDown.
inline Bytes PackRows(int width, int height, int bitCount, bool topDown,
                      const std::function<std::uint32_t(int, int)>& value)
{
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
                line[4 * x + 3] = 0;
                break;
            default: break;
            }
        }
    }
    return rows;
}

// A table of n distinct, easily told apart colours.
inline std::vector<Rgb> DistinctColors(int n)
{
    std::vector<Rgb> colors;
    for (int i = 0; i < n; ++i) {
        Rgb c = { static_cast<std::uint8_t>(i * 37 + 11), static_cast<std::uint8_t>(255 - i),
                  static_cast<std::uint8_t>(i * 101 + 3) };
        colors.push_back(c);
    }
    return colors;
}

// The whole file: 14-byte file header, bitmap header, table, gap, pixels.
inline Bytes Build(const BmpRecipe& s)
{
    const std::size_t entry = s.entrySize ? s.entrySize : (s.fields == kInfoFields ? 4 : 3);
    const std::size_t tableBytes = entry * s.colors.size();
    const std::size_t offset = 14 + std::size_t(s.headerSize) + tableBytes + s.gap.size();

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
    // A header size below the fields written must not grow the header.
    header.resize(s.headerSize);
    out.insert(out.end(), header.begin(), header.end());

    for (std::size_t i = 0; i < s.colors.size(); ++i) {
        const std::uint8_t e[4] = { s.colors[i].b, s.colors[i].g, s.colors[i].r, 0 };
        out.insert(out.end(), e, e + entry);
    }
    out.insert(out.end(), s.gap.begin(), s.gap.end());
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    return out;
}

// A complete, valid picture of the given form.  Pixel values come from a
// fixed pattern so every row and column differs.
inline BmpRecipe ValidRecipe(int width, int height, int bitCount, FieldLayout fields = kInfoFields)
{
    BmpRecipe s;
    s.headerSize = fields == kInfoFields ? 40 : 12;
    s.fields = fields;
    s.width = width;
    s.height = height;
    s.bitCount = static_cast<std::uint16_t>(bitCount);
    if (bitCount <= 8)
        s.colors = DistinctColors(1 << bitCount);
    s.pixels = PackRows(width, height, bitCount, false, [bitCount](int x, int y) {
        const std::uint32_t v = static_cast<std::uint32_t>(x * 7 + y * 13 + 1);
        if (bitCount <= 8)
            return v % (1u << bitCount);
        return (v * 2654435761u) & 0xFFFFFFu;
    });
    return s;
}

// An 8-bit palette picture filled with one colour (palette entry 7).
inline Bytes SolidPicture(int width, int height, Rgb colour)
{
    BmpRecipe s = ValidRecipe(width, height, 8);
    s.colors.assign(256, Rgb{0, 0, 0});
    s.colors[7] = colour;
    s.pixels = PackRows(width, height, 8, false, [](int, int) { return 7u; });
    return Build(s);
}

inline Bytes Truncated(const Bytes& file, std::size_t length)
{
    return Bytes(file.begin(), file.begin() + (length < file.size() ? length : file.size()));
}

// The packed bitmap: the file without its 14-byte file header.
inline Bytes PackedPart(const Bytes& file)
{
    return file.size() <= 14 ? Bytes() : Bytes(file.begin() + 14, file.end());
}

inline bool WriteFile(const std::string& path, const Bytes& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool ok = bytes.empty() || std::fwrite(&bytes[0], 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// What a hostile file is expected to do.
enum Expect {
    kMustReject,
    kMustLoad,
    kEither       // must not crash; loading is fine if everything fits
};

struct Case {
    std::string name;
    Bytes file;
    Expect expect;
};

// Files a loader must survive: every truncation of a small valid picture,
// and headers that lie about sizes, counts and formats.
inline std::vector<Case> HostileCorpus()
{
    std::vector<Case> cases;
    const BmpRecipe base = ValidRecipe(5, 3, 8);
    const Bytes good = Build(base);
    cases.push_back(Case{ "valid 8-bit 5x3", good, kMustLoad });
    for (std::size_t n = 0; n < good.size(); ++n)
        cases.push_back(Case{ "truncated to " + std::to_string(n), Truncated(good, n), kMustReject });

    cases.push_back(Case{ "only BM", Bytes{ 'B', 'M' }, kMustReject });
    {
        Bytes header14(good.begin(), good.begin() + 14);
        cases.push_back(Case{ "file header only", header14, kMustReject });
    }

    auto with = [&](const std::string& name, Expect expect, const std::function<void(BmpRecipe&)>& f) {
        BmpRecipe s = base;
        f(s);
        cases.push_back(Case{ name, Build(s), expect });
    };
    auto patched = [&](const std::string& name, Expect expect, std::size_t at, std::uint32_t v,
                       bool wide) {
        Bytes b = good;
        if (wide) PutU32(b, at, v); else PutU16(b, at, v);
        cases.push_back(Case{ name, b, expect });
    };

    // Dimensions (offsets are file offsets: block offset + 14).
    patched("width 0", kMustReject, 18, 0, true);
    patched("height 0", kMustReject, 22, 0, true);
    patched("width 9 (rows of 12 bytes, block short)", kMustReject, 18, 9, true);
    patched("width 8 (same 8-byte rows, fits)", kMustLoad, 18, 8, true);
    patched("height 4 (one row more than stored)", kMustReject, 22, 4, true);
    patched("width 0x7FFFFFFF", kMustReject, 18, 0x7FFFFFFF, true);
    patched("height 0x7FFFFFFF", kMustReject, 22, 0x7FFFFFFF, true);
    patched("width 0x80000000", kMustReject, 18, 0x80000000u, true);
    patched("height 0x80000000", kMustReject, 22, 0x80000000u, true);
    patched("width -5", kMustReject, 18, static_cast<std::uint32_t>(-5), true);
    patched("height -3 (top-down, fits)", kMustLoad, 22, static_cast<std::uint32_t>(-3), true);
    patched("height -4 (top-down, one row short)", kMustReject, 22,
            static_cast<std::uint32_t>(-4), true);
    patched("width 0xFFFFFFFF", kMustReject, 18, 0xFFFFFFFFu, true);
    patched("height 0xFFFFFFFF (top-down 1 row)", kMustLoad, 22, 0xFFFFFFFFu, true);
    patched("width 65536 height 1", kMustReject, 18, 65536, true);
    with("core 65535 x 65535", kMustReject, [](BmpRecipe& s) {
        s.headerSize = 12; s.fields = kCoreFields; s.width = 65535; s.height = 65535;
    });
    with("core width 0", kMustReject, [](BmpRecipe& s) {
        s.headerSize = 12; s.fields = kCoreFields; s.width = 0;
    });

    // Bit counts.
    for (std::uint32_t bits : { 0u, 2u, 3u, 5u, 7u, 9u, 12u, 15u, 16u, 31u, 33u, 48u, 64u, 0xFFFFu })
        patched("bit count " + std::to_string(bits), kEither, 28, bits, false);
    for (std::uint32_t bits : { 0u, 2u, 3u, 16u, 32u, 64u }) {
        with("core bit count " + std::to_string(bits), kEither, [bits](BmpRecipe& s) {
            s.headerSize = 12; s.fields = kCoreFields; s.bitCount = static_cast<std::uint16_t>(bits);
        });
    }
    with("16-bit with 15 rows claimed", kMustReject, [](BmpRecipe& s) {
        s.bitCount = 16; s.colors.clear(); s.height = 15;
    });

    // Colours used.
    for (std::uint32_t used : { 300u, 257u, 65535u, 65536u + 5u, 0xFFFFFFFFu, 0x10000u, 1u, 255u })
        patched("colours used " + std::to_string(used), kEither, 46, used, true);
    with("24-bit colours used 300, table written", kEither, [](BmpRecipe& s) {
        s.bitCount = 24; s.colors = DistinctColors(300); s.colorsUsed = 300;
        s.pixels = PackRows(5, 3, 24, false, [](int x, int y) { return std::uint32_t(x + y); });
    });
    with("1-bit colours used 16", kEither, [](BmpRecipe& s) {
        s.bitCount = 1; s.colors = DistinctColors(16); s.colorsUsed = 16;
        s.pixels = PackRows(5, 3, 1, false, [](int x, int y) { return std::uint32_t(x ^ y); });
    });

    // Header sizes.
    for (std::uint32_t size : { 0u, 1u, 4u, 11u, 39u, 41u, 64u, 108u, 124u, 0xFFFFu, 0x7FFFFFFFu,
                                0x80000000u, 0xFFFFFFF0u, 0xFFFFFFFFu })
        patched("header size " + std::to_string(size), kEither, 14, size, true);
    with("header size 12 in a 12-byte block", kMustReject, [](BmpRecipe& s) {
        s.headerSize = 12; s.fields = kCoreFields; s.colors.clear(); s.pixels.clear();
    });

    // Compression.
    for (std::uint32_t c : { 1u, 2u, 3u, 4u, 5u, 6u, 0xFFFFFFFFu })
        patched("compression " + std::to_string(c), kMustReject, 30, c, true);

    // A 108-byte header as newer writers lay it out; read as the core form its
    // height (the high half of the width) is 0.
    with("real 108-byte header", kMustReject, [](BmpRecipe& s) { s.headerSize = 108; });
    with("real 124-byte header", kMustReject, [](BmpRecipe& s) { s.headerSize = 124; });

    return cases;
}

}  // namespace bmpw

#endif  // TESTS_SUPPORT_BMPWRITER_H
