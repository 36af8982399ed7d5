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
    // Bit-field masks (red, green, blue): inside a header of 52 bytes or
    // more at byte 40, else right after the header.
    std::vector<std::uint32_t> masks;
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
                line[4 * x + 3] = static_cast<std::uint8_t>(v >> 24);
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

// Run-length rows (bits 8: RLE8, 4: RLE4) of the index pixels value(x, y),
// y = 0 being the top row, stored bottom row first: runs of equal pixels as
// counted runs, stretches of three or more differing ones as literal runs,
// the end-of-row escape after each row and end-of-picture after the last.
inline Bytes EncodeRle(int width, int height, int bits, const std::function<std::uint32_t(int, int)>& value)
{
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

// A valid picture in one of the forms beyond the 40- and 12-byte headers'
// plain rows, with the colour every pixel must show.
struct FormSample {
    std::string name;
    BmpRecipe recipe;
    std::function<Rgb(int, int)> colour;   // x, y with y = 0 the top row
};

// A channel of n bits widened to 8 the way picture viewers show it.
inline std::uint8_t Widen(std::uint32_t value, int bits)
{
    const std::uint32_t top = (1u << bits) - 1;
    return static_cast<std::uint8_t>(bits >= 8 ? value >> (bits - 8) : (value * 255 + top / 2) / top);
}

// Every newer form: the 108- and 124-byte headers, 16- and 32-bit pixels
// with bit-field masks (after a 40-byte header and inside longer ones, with
// and without a colour table), and run-length rows of both depths.
inline std::vector<FormSample> NewFormSamples(int width = 13, int height = 6)
{
    std::vector<FormSample> out;
    const auto pattern = [](int x, int y) { return static_cast<std::uint32_t>((x * 7 + y * 13 + 1) * 2654435761u); };

    for (std::uint32_t size : { 108u, 124u }) {
        for (int bits : { 8, 24 }) {
            BmpRecipe s = ValidRecipe(width, height, bits);
            s.headerSize = size;
            const std::vector<Rgb> colors = s.colors;
            out.push_back({ std::to_string(size) + "-byte header, " + std::to_string(bits) + "-bit", s,
                            [colors, bits](int x, int y) {
                                const std::uint32_t v = static_cast<std::uint32_t>(x * 7 + y * 13 + 1);
                                if (bits == 8) return colors[v % 256];
                                const std::uint32_t c = (v * 2654435761u) & 0xFFFFFFu;
                                return Rgb{ std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c) };
                            } });
        }
    }

    struct Fields { const char* name; std::uint32_t headerSize; int bits; std::uint32_t r, g, b; int table; };
    const Fields fields[] = {
        { "16-bit 5-6-5 bit fields after a 40-byte header", 40, 16, 0xF800, 0x07E0, 0x001F, 0 },
        { "16-bit 5-6-5 bit fields with a 256-colour table", 40, 16, 0xF800, 0x07E0, 0x001F, 256 },
        { "16-bit 5-5-5 bit fields in a 124-byte header", 124, 16, 0x7C00, 0x03E0, 0x001F, 0 },
        { "16-bit 4-4-4 bit fields in a 56-byte header", 56, 16, 0x0F00, 0x00F0, 0x000F, 0 },
        { "32-bit bit fields after a 40-byte header", 40, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0 },
        { "32-bit bit fields, blue-green-red in the high bytes", 108, 32, 0x0000FF00, 0x00FF0000, 0xFF000000, 0 },
        { "32-bit 10-10-10 bit fields in a 52-byte header", 52, 32, 0x3FF00000, 0x000FFC00, 0x000003FF, 0 },
    };
    for (const Fields& f : fields) {
        BmpRecipe s = ValidRecipe(width, height, f.bits);
        s.headerSize = f.headerSize;
        s.compression = 3;
        s.masks = { f.r, f.g, f.b };
        s.colors = DistinctColors(f.table);
        s.colorsUsed = f.table;
        const std::uint32_t keep = f.bits == 16 ? 0xFFFFu : 0xFFFFFFFFu;
        s.pixels = PackRows(width, height, f.bits, false, [&](int x, int y) { return pattern(x, y) & keep; });
        out.push_back({ f.name, s, [f, pattern, keep](int x, int y) {
                            const std::uint32_t v = pattern(x, y) & keep;
                            auto channel = [v](std::uint32_t m) {
                                int shift = 0, bits = 0;
                                while (!(m >> shift & 1)) ++shift;
                                while (shift + bits < 32 && (m >> (shift + bits) & 1)) ++bits;
                                return Widen((v & m) >> shift, bits);
                            };
                            return Rgb{ channel(f.r), channel(f.g), channel(f.b) };
                        } });
    }

    for (int bits : { 8, 4 }) {
        BmpRecipe s = ValidRecipe(width, height, bits);
        s.compression = bits == 8 ? 1 : 2;
        // Runs of equal pixels and stretches of differing ones in every row.
        const auto index = [bits](int x, int y) {
            return static_cast<std::uint32_t>((x < 5 ? y : x * 3 + y) % (bits == 8 ? 251 : 16));
        };
        s.pixels = EncodeRle(width, height, bits, index);
        const std::vector<Rgb> colors = s.colors;
        out.push_back({ std::string("RLE") + (bits == 8 ? "8" : "4"), s,
                        [colors, index](int x, int y) { return colors[index(x, y)]; } });
    }
    return out;
}

// The 5 x 3 sample of that name.
inline FormSample SampleNamed(const std::string& name)
{
    for (const FormSample& s : NewFormSamples(5, 3))
        if (s.name == name)
            return s;
    return FormSample{ name, ValidRecipe(5, 3, 8), nullptr };
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

    // Compression: the 8-bit rows read as run-length data decode to
    // something; every other value does not fit an 8-bit picture.
    patched("compression 1 (plain rows read as RLE8)", kMustLoad, 30, 1, true);
    for (std::uint32_t c : { 2u, 3u, 4u, 5u, 6u, 0xFFFFFFFFu })
        patched("compression " + std::to_string(c), kMustReject, 30, c, true);

    with("108-byte header", kMustLoad, [](BmpRecipe& s) { s.headerSize = 108; });
    with("124-byte header", kMustLoad, [](BmpRecipe& s) { s.headerSize = 124; });

    // The newer forms: every truncation must be safe (run-length data that
    // ends early still loads), and each lie refused or drawn safely.
    for (const FormSample& sample : NewFormSamples(5, 3)) {
        const Bytes whole = Build(sample.recipe);
        cases.push_back(Case{ sample.name, whole, kMustLoad });
        for (std::size_t n = 0; n < whole.size(); ++n)
            cases.push_back(Case{ sample.name + " truncated to " + std::to_string(n), Truncated(whole, n), kEither });
    }
    const BmpRecipe rle8 = SampleNamed("RLE8").recipe;
    auto rle = [&](const std::string& name, Expect expect, const Bytes& stream,
                   const std::function<void(BmpRecipe&)>& f) {
        BmpRecipe s = rle8;
        s.pixels = stream;
        f(s);
        cases.push_back(Case{ name, Build(s), expect });
    };
    const auto nothing = [](BmpRecipe&) {};
    rle("RLE8 run past the right edge", kMustLoad, Bytes{ 200, 5, 0, 1 }, nothing);
    rle("RLE8 literal past the right edge", kMustLoad, Bytes{ 0, 8, 1, 2, 3, 4, 5, 6, 7, 8, 0, 1 }, nothing);
    rle("RLE8 literal past the end of the data", kMustLoad, Bytes{ 0, 50, 1, 2, 3 }, nothing);
    rle("RLE8 rows past the top", kMustLoad, Bytes{ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 1 }, nothing);
    rle("RLE8 move past the top", kMustLoad, Bytes{ 0, 2, 0, 200, 5, 1 }, nothing);
    rle("RLE8 move past the right edge", kMustLoad, Bytes{ 0, 2, 200, 0, 5, 1 }, nothing);
    rle("RLE8 move cut short", kMustLoad, Bytes{ 0, 2, 1 }, nothing);
    rle("RLE8 no data at all", kMustLoad, Bytes{}, nothing);
    rle("RLE8 odd byte at the end", kMustLoad, Bytes{ 3, 1, 7 }, nothing);
    rle("RLE8 top-down", kMustReject, Bytes{ 5, 1, 0, 1 }, [](BmpRecipe& s) { s.height = -3; });
    rle("RLE8 on 4-bit pixels", kMustReject, Bytes{ 5, 1, 0, 1 }, [](BmpRecipe& s) { s.bitCount = 4; });
    rle("RLE4 on 8-bit pixels", kMustReject, Bytes{ 5, 1, 0, 1 }, [](BmpRecipe& s) { s.compression = 2; });
    rle("RLE4 odd literal past the edge", kMustLoad, Bytes{ 0, 7, 0x12, 0x34, 0x56, 0x70, 0, 1 }, [](BmpRecipe& s) {
        s.compression = 2; s.bitCount = 4; s.colors = DistinctColors(16);
    });
    rle("RLE8 65535 x 65535 from four bytes", kMustReject, Bytes{ 0, 0, 0, 1 }, [](BmpRecipe& s) {
        s.width = 65535; s.height = 65535;
    });

    const BmpRecipe fields = SampleNamed("16-bit 5-6-5 bit fields after a 40-byte header").recipe;
    auto masked = [&](const std::string& name, Expect expect, const std::function<void(BmpRecipe&)>& f) {
        BmpRecipe s = fields;
        f(s);
        cases.push_back(Case{ name, Build(s), expect });
    };
    masked("bit fields, all masks empty", kMustReject, [](BmpRecipe& s) { s.masks = { 0, 0, 0 }; });
    masked("bit fields, one mask empty", kMustLoad, [](BmpRecipe& s) { s.masks = { 0xF800, 0, 0x1F }; });
    masked("bit fields, overlapping masks", kMustReject, [](BmpRecipe& s) { s.masks = { 0xF800, 0x0FE0, 0x1F }; });
    masked("bit fields, broken mask", kMustReject, [](BmpRecipe& s) { s.masks = { 0xF0F0, 0x0F00, 0x0F }; });
    masked("bit fields, mask beyond 16 bits", kMustReject, [](BmpRecipe& s) { s.masks = { 0xF8000, 0x7E0, 0x1F }; });
    masked("bit fields, whole-pixel mask", kMustLoad, [](BmpRecipe& s) { s.masks = { 0xFFFF, 0, 0 }; });
    masked("bit fields on 24-bit pixels", kMustReject, [](BmpRecipe& s) { s.bitCount = 24; });
    masked("bit fields on 8-bit pixels", kMustReject, [](BmpRecipe& s) { s.bitCount = 8; });
    masked("bit fields, block ends inside the masks", kMustReject, [](BmpRecipe& s) {
        s.masks = { 0xF800, 0x07E0 }; s.pixels.clear();
    });
    masked("bit fields, one row short", kMustReject, [](BmpRecipe& s) { s.height = 4; });
    masked("bit fields, 32-bit 65535 x 65535", kMustReject, [](BmpRecipe& s) {
        s.bitCount = 32; s.width = 65535; s.height = 65535;
    });
    masked("bit fields, top-down", kMustLoad, [](BmpRecipe& s) { s.height = -3; });
    return cases;
}

}  // namespace bmpw

#endif  // TESTS_SUPPORT_BMPWRITER_H
