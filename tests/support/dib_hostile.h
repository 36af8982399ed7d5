// dib_hostile.h - the files of the bitmap corpus that lie: headers that
// claim sizes, counts and forms the bytes do not hold, run-length data and
// bit-field masks that break the rules, and every truncation of every form.
// Each must be refused for its own reason, or load with everything it claims
// inside what was read.

#pragma once

#include "dib_pictures.h"

namespace dibcase {

// One field of the base picture (8-bit, 5 x 3, 40-byte header) overwritten.
struct Patch {
    const char* name;
    std::size_t at;  // file offset: the packed part's offset + 14
    std::uint32_t value;
    int width;       // 2 or 4 bytes
    dibfmt::DibStatus reason;  // kDibOk: the file still loads
};

inline void AddPatches(std::vector<Case>& out) {
    using namespace dibfmt;
    const Patch patches[] = {
        { "header size 0", 14, 0, 4, kDibBadHeaderSize },
        { "header size 1", 14, 1, 4, kDibBadHeaderSize },
        { "header size 4", 14, 4, 4, kDibBadHeaderSize },
        { "header size 11", 14, 11, 4, kDibBadHeaderSize },
        // Other sizes read the core fields: the height is the high half of
        // the 32-bit width, 0.
        { "header size 39", 14, 39, 4, kDibBadDimensions },
        { "header size 41", 14, 41, 4, kDibBadDimensions },
        { "header size 64", 14, 64, 4, kDibBadDimensions },
        { "header size 108 (table then past the block)", 14, 108, 4, kDibTableOutside },
        { "header size 124 (table then past the block)", 14, 124, 4, kDibTableOutside },
        { "header size one past the block", 14, 40 + 1024 + 24 + 1, 4, kDibBadHeaderSize },
        { "header size 0xFFFF", 14, 0xFFFF, 4, kDibBadHeaderSize },
        { "header size 0x7FFFFFFF", 14, 0x7FFFFFFF, 4, kDibBadHeaderSize },
        { "header size 0x80000000", 14, 0x80000000u, 4, kDibBadHeaderSize },
        { "header size 0xFFFFFFF0", 14, 0xFFFFFFF0u, 4, kDibBadHeaderSize },
        { "header size 0xFFFFFFFF", 14, 0xFFFFFFFFu, 4, kDibBadHeaderSize },
        { "width 0", 18, 0, 4, kDibBadDimensions },
        { "width 8 (same 8-byte rows, fits)", 18, 8, 4, kDibOk },
        { "width 9 (rows of 12 bytes, block short)", 18, 9, 4, kDibPixelsOutside },
        { "width 65536", 18, 65536, 4, kDibBadDimensions },
        { "width 0x7FFFFFFF", 18, 0x7FFFFFFF, 4, kDibBadDimensions },
        { "width 0x80000000", 18, 0x80000000u, 4, kDibBadDimensions },
        { "width -5", 18, static_cast<std::uint32_t>(-5), 4, kDibBadDimensions },
        { "width 0xFFFFFFFF", 18, 0xFFFFFFFFu, 4, kDibBadDimensions },
        { "height 0", 22, 0, 4, kDibBadDimensions },
        { "height 4 (one row more than stored)", 22, 4, 4, kDibPixelsOutside },
        { "height 65535", 22, 65535, 4, kDibPixelsOutside },
        { "height 0x7FFFFFFF", 22, 0x7FFFFFFF, 4, kDibBadDimensions },
        { "height 0x80000000", 22, 0x80000000u, 4, kDibBadDimensions },
        { "height -3 (top-down, fits)", 22, static_cast<std::uint32_t>(-3), 4, kDibOk },
        { "height -4 (top-down, one row short)", 22, static_cast<std::uint32_t>(-4), 4, kDibPixelsOutside },
        { "height 0xFFFFFFFF (top-down 1 row)", 22, 0xFFFFFFFFu, 4, kDibOk },
        { "height -65536", 22, 0xFFFF0000u, 4, kDibBadDimensions },
        { "bit count 16 (rows fit)", 28, 16, 2, kDibOk },
        { "compression 1 (plain rows read as RLE8)", 30, 1, 4, kDibOk },
        { "compression 2 (RLE4 on 8-bit pixels)", 30, 2, 4, kDibBadCompression },
        { "compression 3 (bit fields on 8-bit pixels)", 30, 3, 4, kDibBadCompression },
        { "compression 4 (JPEG)", 30, 4, 4, kDibBadCompression },
        { "compression 5 (PNG)", 30, 5, 4, kDibBadCompression },
        { "compression 6", 30, 6, 4, kDibBadCompression },
        { "compression 0xFFFFFFFF", 30, 0xFFFFFFFFu, 4, kDibBadCompression },
        { "colours used 1", 46, 1, 4, kDibOk },
        { "colours used 255", 46, 255, 4, kDibOk },
        { "colours used 0x10000 (low bits 0)", 46, 0x10000, 4, kDibOk },
        { "colours used 65536 + 5", 46, 65536 + 5, 4, kDibOk },
        { "colours used 257", 46, 257, 4, kDibBadColorCount },
        { "colours used 300", 46, 300, 4, kDibBadColorCount },
        { "colours used 16384 (16-bit table size would wrap)", 46, 16384, 4, kDibBadColorCount },
        { "colours used 65535", 46, 65535, 4, kDibBadColorCount },
        { "colours used 0xFFFFFFFF", 46, 0xFFFFFFFFu, 4, kDibBadColorCount },
    };
    const Bytes good = bmpw::Build(bmpw::ValidRecipe(5, 3, 8));
    for (const Patch& p : patches) {
        Case c = Decided(p.name, good, p.reason);
        if (p.width == 4) bmpw::PutU32(c.file, p.at, p.value);
        else bmpw::PutU16(c.file, p.at, p.value);
        out.push_back(std::move(c));
    }
    for (std::uint32_t bits : { 0u, 2u, 3u, 5u, 7u, 9u, 12u, 15u, 31u, 33u, 48u, 64u, 0xFFFFu }) {
        Case c = Decided("bit count " + std::to_string(bits), good, kDibBadBitCount);
        bmpw::PutU16(c.file, 28, bits);
        out.push_back(std::move(c));
    }
    // Not a bitmap file, though what follows the file header is one.
    for (const char* signature : { "MB", "bm" }) {
        Case c = Decided(std::string("signature ") + signature, good, kDibOk);
        c.expect = kNotBmp;
        c.file[0] = static_cast<std::uint8_t>(signature[0]);
        c.file[1] = static_cast<std::uint8_t>(signature[1]);
        out.push_back(std::move(c));
    }
}

// A recipe changed by f, refused for reason (kDibOk: loads).
inline Case Changed(const std::string& name, BmpRecipe s, dibfmt::DibStatus reason,
                    const std::function<void(BmpRecipe&)>& f) {
    f(s);
    return Decided(name, bmpw::Build(s), reason);
}

inline void AddLies(std::vector<Case>& out) {
    using namespace dibfmt;
    const BmpRecipe base = bmpw::ValidRecipe(5, 3, 8);
    const auto asCore = [](BmpRecipe& s) { s.headerSize = 12; s.fields = bmpw::kCoreFields; };
    out.push_back(Changed("core 65535 x 65535", base, kDibPixelsOutside, [&](BmpRecipe& s) {
        asCore(s); s.width = 65535; s.height = 65535;
    }));
    out.push_back(Changed("core width 0", base, kDibBadDimensions, [&](BmpRecipe& s) { asCore(s); s.width = 0; }));
    for (std::uint16_t bits : { 0, 2, 3, 16, 32, 64 })
        out.push_back(Changed("core bit count " + std::to_string(bits), base, kDibBadBitCount, [&](BmpRecipe& s) {
            asCore(s); s.bitCount = bits;
        }));
    out.push_back(Changed("header size 12 in a 12-byte block", base, kDibTableOutside, [&](BmpRecipe& s) {
        asCore(s); s.colors.clear(); s.pixels.clear();
    }));
    out.push_back(Changed("16-bit with 15 rows claimed", base, kDibPixelsOutside, [](BmpRecipe& s) {
        s.bitCount = 16; s.colors.clear(); s.height = 15;
    }));
    out.push_back(Changed("24-bit colours used 300, table written", base, kDibBadColorCount, [](BmpRecipe& s) {
        s.bitCount = 24; s.colors = bmpw::DistinctColors(300); s.colorsUsed = 300;
        s.pixels = bmpw::PackRows(5, 3, 24, false, [](int x, int y) { return std::uint32_t(x + y); });
    }));
    out.push_back(Changed("108-byte header", base, kDibOk, [](BmpRecipe& s) { s.headerSize = 108; }));
    out.push_back(Changed("124-byte header", base, kDibOk, [](BmpRecipe& s) { s.headerSize = 124; }));
    BmpRecipe tall = bmpw::ValidRecipe(1, 1, 1, bmpw::kCoreFields);
    out.push_back(Changed("1-bit core 1 x 65535, one byte short", tall, kDibPixelsOutside, [](BmpRecipe& s) {
        s.height = 65535; s.pixels = Bytes(65535 * 4 - 1, 0);
    }));

    // Run-length data that leaves the picture or ends early is decoded as
    // far as it goes; run-length rows in the wrong form are refused.
    BmpRecipe rle8 = bmpw::ValidRecipe(5, 3, 8);
    rle8.compression = kCompressionRle8;
    const auto stream = [](const Bytes& data) { return [data](BmpRecipe& s) { s.pixels = data; }; };
    out.push_back(Changed("RLE8 run past the right edge", rle8, kDibOk, stream({ 200, 5, 0, 1 })));
    out.push_back(Changed("RLE8 literal past the right edge", rle8, kDibOk, stream({ 0, 8, 1, 2, 3, 4, 5, 6, 7, 8, 0, 1 })));
    out.push_back(Changed("RLE8 literal past the end of the data", rle8, kDibOk, stream({ 0, 50, 1, 2, 3 })));
    out.push_back(Changed("RLE8 rows past the top", rle8, kDibOk, stream({ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 1 })));
    out.push_back(Changed("RLE8 move past the top", rle8, kDibOk, stream({ 0, 2, 0, 200, 5, 1 })));
    out.push_back(Changed("RLE8 move past the right edge", rle8, kDibOk, stream({ 0, 2, 200, 0, 5, 1 })));
    out.push_back(Changed("RLE8 move cut short", rle8, kDibOk, stream({ 0, 2, 1 })));
    out.push_back(Changed("RLE8 no data at all", rle8, kDibOk, stream({})));
    out.push_back(Changed("RLE8 odd byte at the end", rle8, kDibOk, stream({ 3, 1, 7 })));
    rle8.pixels = Bytes{ 5, 1, 0, 1 };
    out.push_back(Changed("RLE8 top-down", rle8, kDibBadCompression, [](BmpRecipe& s) { s.height = -3; }));
    out.push_back(Changed("RLE8 on 4-bit pixels", rle8, kDibBadCompression, [](BmpRecipe& s) { s.bitCount = 4; }));
    out.push_back(Changed("RLE4 on 8-bit pixels", rle8, kDibBadCompression, [](BmpRecipe& s) { s.compression = 2; }));
    out.push_back(Changed("RLE4 odd literal past the edge", rle8, kDibOk, [](BmpRecipe& s) {
        s.compression = 2; s.bitCount = 4; s.colors = bmpw::DistinctColors(16);
        s.pixels = Bytes{ 0, 7, 0x12, 0x34, 0x56, 0x70, 0, 1 };
    }));
    out.push_back(Changed("RLE8 65535 x 65535 from four bytes", rle8, kDibTooLarge, [](BmpRecipe& s) {
        s.width = 65535; s.height = 65535; s.pixels = Bytes{ 0, 0, 0, 1 };
    }));

    // Bit-field masks: each an unbroken run of bits inside the pixel, none
    // shared, not all empty, and all of them inside the block.
    BmpRecipe fields = bmpw::ValidRecipe(5, 3, 16);
    fields.compression = kCompressionBitFields;
    fields.masks = { 0xF800, 0x07E0, 0x001F };
    const auto masks = [](std::vector<std::uint32_t> m) { return [m](BmpRecipe& s) { s.masks = m; }; };
    out.push_back(Changed("bit fields, all masks empty", fields, kDibBadMasks, masks({ 0, 0, 0 })));
    out.push_back(Changed("bit fields, one mask empty", fields, kDibOk, masks({ 0xF800, 0, 0x1F })));
    out.push_back(Changed("bit fields, overlapping masks", fields, kDibBadMasks, masks({ 0xF800, 0x0FE0, 0x1F })));
    out.push_back(Changed("bit fields, broken mask", fields, kDibBadMasks, masks({ 0xF0F0, 0x0F00, 0x0F })));
    out.push_back(Changed("bit fields, mask beyond 16 bits", fields, kDibBadMasks, masks({ 0xF8000, 0x7E0, 0x1F })));
    out.push_back(Changed("bit fields, whole-pixel mask", fields, kDibOk, masks({ 0xFFFF, 0, 0 })));
    out.push_back(Changed("bit fields on 24-bit pixels", fields, kDibBadCompression, [](BmpRecipe& s) { s.bitCount = 24; }));
    out.push_back(Changed("bit fields on 8-bit pixels", fields, kDibBadCompression, [](BmpRecipe& s) { s.bitCount = 8; }));
    out.push_back(Changed("bit fields, block ends inside the masks", fields, kDibBadMasks, [](BmpRecipe& s) {
        s.masks = { 0xF800, 0x07E0 }; s.pixels.clear();
    }));
    out.push_back(Changed("bit fields, one row short", fields, kDibPixelsOutside, [](BmpRecipe& s) { s.height = 4; }));
    out.push_back(Changed("bit fields, 32-bit 65535 x 65535", fields, kDibPixelsOutside, [](BmpRecipe& s) {
        s.bitCount = 32; s.width = 65535; s.height = 65535;
    }));
    out.push_back(Changed("bit fields, top-down", fields, kDibOk, [](BmpRecipe& s) { s.height = -3; }));
}

// Every truncation of every form (7 x 3: rows padded at every depth), of the
// picture the patches start from, and of the newer forms.
inline void AddTruncationsOfEveryForm(std::vector<Case>& out) {
    for (bmpw::FieldLayout fields : { bmpw::kInfoFields, bmpw::kCoreFields }) {
        for (int bits : { 1, 4, 8, 16, 24, 32 }) {
            if (fields == bmpw::kCoreFields && bits > 8 && bits != 24) continue;
            const std::string name = std::to_string(bits) + (fields == bmpw::kInfoFields ? "-bit" : "-bit core");
            AddTruncations(out, name + " 7 x 3", bmpw::ValidRecipe(7, 3, bits, fields));
        }
    }
    AddTruncations(out, "8-bit 5 x 3", bmpw::ValidRecipe(5, 3, 8));
    for (const Form& form : NewerForms(5, 3)) AddTruncations(out, form.name, form.recipe);
}

inline std::vector<Case> HostileCases() {
    std::vector<Case> out;
    AddPatches(out);
    AddLies(out);
    AddTruncationsOfEveryForm(out);
    return out;
}

}  // namespace dibcase
