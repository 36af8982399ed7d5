// dib_case.h - one case of the bitmap corpus: a .bmp file and what reading it
// must give.
//
// The same cases run twice: natively under AddressSanitizer, where the
// packed part is parsed and decoded (tests/native), and under Wine, where
// the file is loaded with CDibImage and drawn (tests/unit).  So a case says
// both what the loader must do with the file and why the packed part is
// refused, and for a picture that loads, what it must show.  Free of system
// headers, like the writer.

#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bmpwriter.h"
#include "menu/DibFormat.h"

namespace dibcase {

using bmpw::BmpRecipe;
using bmpw::Bytes;
using bmpw::Rgb;

enum Expect {
    kLoads,    // the file loads, the packed part parses
    kRefused,  // the file is refused; parsing the packed part gives the case's reason
    kNotBmp    // the file header alone is wrong: refused, though the packed part parses
};

// What a picture that loads must show.  Taken from what the writer wrote,
// never from the reader.
struct Picture {
    dibfmt::HeaderKind kind = dibfmt::kInfoHeader;
    int width = 0;
    int height = 0;               // rows, in whichever order they are stored
    std::vector<Rgb> table;       // the colour table: as many entries as are read
    std::size_t pixelOffset = 0;  // where the rows start in the packed part
    bool decoded = false;         // run-length or bit-field rows, made plain before drawing
    unsigned gdiEntries = 0;      // colour entries in the header the blits get
    std::function<Rgb(int, int)> colour;  // x, y with y = 0 the top row
    // Bits of each channel compared: GDI widens the 5-bit channels of plain
    // 16-bit rows in its own way, so their low three bits are left out.
    std::uint8_t channelMask = 0xFF;
};

struct Case {
    std::string name;
    Bytes file;
    Expect expect = kLoads;
    dibfmt::DibStatus reason = dibfmt::kDibOk;  // why a kRefused case is refused
    std::optional<Picture> picture;             // what it shows, where that is known
};

// A file that must load (reason kDibOk) or be refused for reason.
inline Case Decided(std::string name, Bytes file, dibfmt::DibStatus reason) {
    Case c;
    c.name = std::move(name);
    c.file = std::move(file);
    c.expect = reason == dibfmt::kDibOk ? kLoads : kRefused;
    c.reason = reason;
    return c;
}

inline Rgb Rgb24(std::uint32_t v) {
    return Rgb{ static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v) };
}

inline std::size_t EntrySize(const BmpRecipe& s) {
    return s.entrySize ? s.entrySize : (s.fields == bmpw::kInfoFields ? 4 : 3);
}

// Bytes the writer puts masks in behind the header (bmpw::Build's rule).
inline std::size_t MasksBehind(const BmpRecipe& s) {
    return s.headerSize >= 40 + 4 * s.masks.size() ? 0 : 4 * s.masks.size();
}

// The picture a recipe writes, each pixel showing colour(x, y).  Its rows
// start where the writer's table ends: a gap before them counts as pixels.
inline Picture PictureOf(const BmpRecipe& s, std::function<Rgb(int, int)> colour) {
    Picture p;
    p.kind = s.fields == bmpw::kCoreFields ? dibfmt::kCoreHeader : dibfmt::kInfoHeader;
    p.width = s.width;
    p.height = std::abs(s.height);
    p.table = s.colors;
    p.pixelOffset = s.headerSize + MasksBehind(s) + EntrySize(s) * s.colors.size();
    p.decoded = s.compression != dibfmt::kCompressionNone;
    // The blits get at most the entries the bit count can index.
    const std::size_t indexed = s.bitCount <= 8 ? std::size_t(1) << s.bitCount : 0;
    p.gdiEntries = static_cast<unsigned>(s.colors.size() < indexed ? s.colors.size() : indexed);
    p.colour = std::move(colour);
    p.channelMask = s.bitCount == 16 && s.compression == dibfmt::kCompressionNone ? 0xF8 : 0xFF;
    return p;
}

// The colours of bmpw::ValidRecipe's pattern in a picture of s's bit count
// and table.
inline std::function<Rgb(int, int)> ValidColours(const BmpRecipe& s) {
    const std::vector<Rgb> colors = s.colors;
    const int bits = s.bitCount;
    return [colors, bits](int x, int y) {
        const std::uint32_t v = bmpw::ValidPixel(x, y, bits);
        if (bits <= 8) return colors[v];
        if (bits == 16)  // 5-5-5, compared in its top five bits
            return Rgb{ static_cast<std::uint8_t>((v >> 10 & 31) << 3), static_cast<std::uint8_t>((v >> 5 & 31) << 3),
                        static_cast<std::uint8_t>((v & 31) << 3) };
        return Rgb24(v);
    };
}

inline Case PictureCase(const std::string& name, const BmpRecipe& s, std::function<Rgb(int, int)> colour) {
    Case c = Decided(name, bmpw::Build(s), dibfmt::kDibOk);
    c.picture = PictureOf(s, std::move(colour));
    return c;
}

inline Case ValidCase(const std::string& name, const BmpRecipe& s) {
    return PictureCase(name, s, ValidColours(s));
}

// Every shorter file of the picture s: each is refused for the part its
// packed part ends in (nothing, header, masks, colour table, rows), except
// that run-length data may end anywhere after the table and still loads.
inline void AddTruncations(std::vector<Case>& out, const std::string& name, const BmpRecipe& s) {
    const Bytes whole = bmpw::Build(s);
    const std::size_t header = s.headerSize;
    const std::size_t masksEnd = header + MasksBehind(s);
    const std::size_t tableEnd = PictureOf(s, nullptr).pixelOffset;
    const bool runLength = s.compression == dibfmt::kCompressionRle8 || s.compression == dibfmt::kCompressionRle4;
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const std::size_t packed = n > dibfmt::kFileHeaderSize ? n - dibfmt::kFileHeaderSize : 0;
        dibfmt::DibStatus reason = dibfmt::kDibPixelsOutside;
        if (packed < 4) reason = dibfmt::kDibTooShort;
        else if (packed < header) reason = dibfmt::kDibBadHeaderSize;
        else if (packed < masksEnd) reason = dibfmt::kDibBadMasks;
        else if (packed < tableEnd) reason = dibfmt::kDibTableOutside;
        else if (runLength) reason = dibfmt::kDibOk;
        out.push_back(Decided(name + " cut to " + std::to_string(n) + " bytes", bmpw::Truncated(whole, n), reason));
    }
}

// Where got differs from what the picture must show, described for the
// first three pixels; "" when every pixel agrees.
inline std::string Mismatches(const Picture& want, const std::function<Rgb(int, int)>& got) {
    std::string out;
    long wrong = 0;
    const std::uint8_t m = want.channelMask;
    for (int y = 0; y < want.height; ++y) {
        for (int x = 0; x < want.width; ++x) {
            const Rgb w = want.colour(x, y);
            const Rgb g = got(x, y);
            if ((w.r & m) == (g.r & m) && (w.g & m) == (g.g & m) && (w.b & m) == (g.b & m)) continue;
            if (++wrong > 3) continue;
            char line[80];
            std::snprintf(line, sizeof line, "pixel %d,%d is #%02X%02X%02X, not #%02X%02X%02X; ", x, y, g.r, g.g, g.b,
                          w.r, w.g, w.b);
            out += line;
        }
    }
    if (wrong > 3) out += std::to_string(wrong) + " pixels wrong in all";
    return out;
}

}  // namespace dibcase
