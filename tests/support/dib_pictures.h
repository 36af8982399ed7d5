// dib_pictures.h - the pictures of the bitmap corpus that must load, each
// with the colour every pixel must show.

#pragma once

#include "dib_case.h"

namespace dibcase {

// A picture's recipe with the colour each pixel must show.
struct Form {
    std::string name;
    BmpRecipe recipe;
    std::function<Rgb(int, int)> colour;  // x, y with y = 0 the top row
};

// A channel of n bits widened to 8 the way picture viewers show it.
inline std::uint8_t Widen(std::uint32_t value, int bits) {
    const std::uint32_t top = (1u << bits) - 1;
    return static_cast<std::uint8_t>(bits >= 8 ? value >> (bits - 8) : (value * 255 + top / 2) / top);
}

// The forms beyond the 40- and 12-byte headers' plain rows: the 108- and
// 124-byte headers, 16- and 32-bit pixels with bit-field masks (after a
// 40-byte header and inside longer ones, with and without a colour table),
// and run-length rows of both depths.
inline std::vector<Form> NewerForms(int width, int height) {
    std::vector<Form> out;
    for (std::uint32_t size : { 108u, 124u }) {
        for (int bits : { 8, 24 }) {
            BmpRecipe s = bmpw::ValidRecipe(width, height, bits);
            s.headerSize = size;
            out.push_back({ std::to_string(size) + "-byte header, " + std::to_string(bits) + "-bit", s, ValidColours(s) });
        }
    }

    const auto pattern = [](int x, int y) { return static_cast<std::uint32_t>((x * 7 + y * 13 + 1) * 2654435761u); };
    struct Fields {
        const char* name;
        std::uint32_t headerSize;
        int bits;
        std::uint32_t r, g, b;
        int table;
    };
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
        BmpRecipe s = bmpw::ValidRecipe(width, height, f.bits);
        s.headerSize = f.headerSize;
        s.compression = dibfmt::kCompressionBitFields;
        s.masks = { f.r, f.g, f.b };
        s.colors = bmpw::DistinctColors(f.table);
        s.colorsUsed = f.table;
        const std::uint32_t keep = f.bits == 16 ? 0xFFFFu : 0xFFFFFFFFu;
        s.pixels = bmpw::PackRows(width, height, f.bits, false, [&](int x, int y) { return pattern(x, y) & keep; });
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
        BmpRecipe s = bmpw::ValidRecipe(width, height, bits);
        s.compression = bits == 8 ? dibfmt::kCompressionRle8 : dibfmt::kCompressionRle4;
        // Runs of equal pixels and stretches of differing ones in every row.
        const auto index = [bits](int x, int y) {
            return static_cast<std::uint32_t>((x < 5 ? y : x * 3 + y) % (bits == 8 ? 251 : 16));
        };
        s.pixels = bmpw::EncodeRle(width, height, bits, index);
        const std::vector<Rgb> colors = s.colors;
        out.push_back({ bits == 8 ? "RLE8" : "RLE4", s, [colors, index](int x, int y) { return colors[index(x, y)]; } });
    }
    return out;
}

// A 5 x 3 run-length picture from the stream given, whose pixels show the
// table entries of rows (top row first; 0 where no run reaches).
inline Case RunLengthCase(const std::string& name, const Bytes& stream, const std::vector<Bytes>& rows) {
    BmpRecipe s = bmpw::ValidRecipe(5, 3, 8);
    s.compression = dibfmt::kCompressionRle8;
    s.pixels = stream;
    const std::vector<Rgb> colors = s.colors;
    return PictureCase(name, s, [colors, rows](int x, int y) { return colors[rows[y][x]]; });
}

// Every form the reader takes, the colour-table and pixel-offset rules, and
// the edges of the run-length data, the size limit and the row order.
inline std::vector<Case> PictureCases() {
    std::vector<Case> out;
    for (bmpw::FieldLayout fields : { bmpw::kInfoFields, bmpw::kCoreFields }) {
        for (int bits : { 1, 4, 8, 16, 24, 32 }) {
            if (fields == bmpw::kCoreFields && bits > 8 && bits != 24) continue;
            const std::string header = fields == bmpw::kInfoFields ? "40-byte header" : "12-byte core header";
            out.push_back(ValidCase(std::to_string(bits) + "-bit, " + header, bmpw::ValidRecipe(13, 6, bits, fields)));
        }
    }

    // Colours used: the table's length, and the start of the rows behind it.
    BmpRecipe used = bmpw::ValidRecipe(4, 4, 8);
    used.colors = bmpw::DistinctColors(16);
    used.colorsUsed = 16;
    used.pixels = bmpw::PackRows(4, 4, 8, false, [](int x, int y) { return std::uint32_t(y * 4 + x); });
    out.push_back(PictureCase("8-bit, 16 colours used", used, [used](int x, int y) { return used.colors[y * 4 + x]; }));
    // Only the low 16 bits count: 65536 + 5 is a 5-entry table ...
    BmpRecipe five = used;
    five.colors = bmpw::DistinctColors(5);
    five.colorsUsed = 65536 + 5;
    five.pixels = bmpw::PackRows(4, 4, 8, false, [](int x, int y) { return std::uint32_t((x + y) % 5); });
    out.push_back(PictureCase("8-bit, colours used 65536 + 5", five, [five](int x, int y) { return five.colors[(x + y) % 5]; }));
    // ... and in 65536 they are 0, so the bit count decides.
    BmpRecipe wrapped = bmpw::ValidRecipe(4, 4, 8);
    wrapped.colorsUsed = 65536;
    out.push_back(ValidCase("8-bit, colours used 65536", wrapped));
    // A deep picture may carry a table (for the palette); the blits get none.
    for (int entries : { 5, 256 }) {
        BmpRecipe deep = bmpw::ValidRecipe(3, 2, 24);
        deep.colors = bmpw::DistinctColors(entries);
        deep.colorsUsed = entries;
        out.push_back(ValidCase("24-bit with a " + std::to_string(entries) + "-entry table", deep));
    }
    // More entries than 1 bit indexes: all in the palette, two for the blits.
    BmpRecipe mono = bmpw::ValidRecipe(4, 3, 1);
    mono.colors = bmpw::DistinctColors(16);
    mono.colorsUsed = 16;
    out.push_back(ValidCase("1-bit, 16 colours used", mono));
    // The core form has no colours-used field: byte 32 is table data.
    BmpRecipe core = bmpw::ValidRecipe(4, 4, 4, bmpw::kCoreFields);
    core.colors[6].r = 3;  // byte 32 of the packed part = entry 6's red byte
    out.push_back(ValidCase("4-bit core header, 3 at byte 32", core));

    // The file header's offset to the pixels is not read: the rows start
    // right after the table, so a gap before them is drawn as pixels.
    BmpRecipe gap = bmpw::ValidRecipe(4, 2, 8);
    gap.gap = Bytes(8, 0xEE);
    out.push_back(PictureCase("8-bit, 8 bytes before the rows", gap, [gap](int, int) { return gap.colors[0xEE]; }));
    BmpRecipe shifted = bmpw::ValidRecipe(4, 1, 24);
    shifted.pixels = bmpw::PackRows(4, 1, 24, false, [](int, int) { return std::uint32_t(0x808080); });
    shifted.gap = Bytes{ 0x00, 0x00, 0xFF, 0x00 };
    out.push_back(PictureCase("24-bit, 4 bytes before the rows", shifted, [](int x, int) {
        // The gap's blue, green, red, then its last byte and the first grey ones.
        const Rgb drawn[] = { { 0xFF, 0, 0 }, { 0x80, 0x80, 0x00 }, { 0x80, 0x80, 0x80 }, { 0x80, 0x80, 0x80 } };
        return drawn[x];
    }));
    BmpRecipe wild = bmpw::ValidRecipe(4, 2, 8);
    wild.pixelOffsetField = 0xFFFFFFF0;
    out.push_back(ValidCase("8-bit, offset field 0xFFFFFFF0", wild));

    // Header sizes that are not the info header or one of its longer
    // versions are the core form: 3-byte entries behind the whole header.
    for (std::uint32_t size : { 16u, 64u, 100u }) {
        BmpRecipe s = bmpw::ValidRecipe(6, 3, 8, bmpw::kCoreFields);
        s.headerSize = size;
        out.push_back(ValidCase("8-bit, " + std::to_string(size) + "-byte header read as core", s));
    }

    for (const Form& f : NewerForms(13, 6)) out.push_back(PictureCase(f.name, f.recipe, f.colour));
    // Three pixels, then a run that leaves the row: decoding ends there.
    out.push_back(RunLengthCase("RLE8, a run leaving the row ends the picture", Bytes{ 3, 9, 200, 4, 0, 0, 5, 6, 0, 1 },
                                { Bytes(5, 0), Bytes(5, 0), Bytes{ 9, 9, 9, 4, 4 } }));
    out.push_back(RunLengthCase("RLE8, a move right and up, then a run", Bytes{ 0, 2, 2, 1, 2, 7, 0, 1 },
                                { Bytes(5, 0), Bytes{ 0, 0, 7, 7, 0 }, Bytes(5, 0) }));

    // The tallest picture: 65535 rows of 4 bytes.
    BmpRecipe tall = bmpw::ValidRecipe(1, 1, 1, bmpw::kCoreFields);
    tall.height = 65535;
    tall.pixels = Bytes(65535 * 4, 0);
    out.push_back(PictureCase("1-bit core header, 1 x 65535", tall, [tall](int, int) { return tall.colors[0]; }));

    // Top-down rows (negative height) draw the same as bottom-up ones.
    for (int rows : { 1, 2, 4, 5, 6 }) {
        const auto colour = [](int x, int y) { return std::uint32_t((x * 40) << 16 | (y * 50) << 8 | 0x11); };
        BmpRecipe down = bmpw::ValidRecipe(5, rows, 24);
        down.height = -rows;
        down.pixels = bmpw::PackRows(5, rows, 24, true, colour);
        out.push_back(PictureCase("24-bit top-down, " + std::to_string(rows) + " rows", down,
                                  [colour](int x, int y) { return Rgb24(colour(x, y)); }));
    }
    return out;
}

}  // namespace dibcase
