// test_dibformat.cpp - the packed-bitmap reader on the host, under
// AddressSanitizer and UndefinedBehaviorSanitizer.
//
// Every block is copied into a heap buffer of exactly its size before it is
// parsed, so a read one byte past the end is reported by the sanitizer.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <random>

#include "../support/bmpwriter.h"
#include "dib_checks.h"

namespace {

using bmpw::Bytes;
using bmpw::BmpRecipe;

// A heap copy of exactly the packed part of a file.
class ExactBlock {
public:
    explicit ExactBlock(const Bytes& packed) : m_size(packed.size())
    {
        if (m_size != 0) {
            m_data.reset(new unsigned char[m_size]);
            std::memcpy(m_data.get(), packed.data(), m_size);
        }
    }
    unsigned char* data() const { return m_data.get(); }
    std::size_t size() const { return m_size; }

private:
    std::unique_ptr<unsigned char[]> m_data;
    std::size_t m_size;
};

dibcheck::Result CheckFile(const Bytes& file)
{
    ExactBlock block(bmpw::PackedPart(file));
    return dibcheck::CheckBlock(block.data(), block.size());
}

dibfmt::DibStatus Parse(const Bytes& file, dibfmt::DibLayout& layout)
{
    ExactBlock block(bmpw::PackedPart(file));
    return dibfmt::ParseDib(block.data(), block.size(), layout);
}

// ---------------------------------------------------------------------------
// Reading valid pictures

struct FormCase {
    int bits;
    bmpw::FieldLayout fields;
    unsigned colors;
    unsigned entry;
};

class DibFormatForms : public ::testing::TestWithParam<FormCase> {};

TEST_P(DibFormatForms, DerivesCountsAndOffsets)
{
    const FormCase c = GetParam();
    const Bytes file = bmpw::Build(bmpw::ValidRecipe(13, 7, c.bits, c.fields));
    dibfmt::DibLayout layout;
    ASSERT_EQ(dibfmt::kDibOk, Parse(file, layout));
    const std::uint32_t headerSize = c.fields == bmpw::kInfoFields ? 40 : 12;
    EXPECT_EQ(c.fields == bmpw::kInfoFields ? dibfmt::kInfoHeader : dibfmt::kCoreHeader, layout.kind);
    EXPECT_EQ(headerSize, layout.headerSize);
    EXPECT_EQ(13, layout.width);
    EXPECT_EQ(7, layout.height);
    EXPECT_FALSE(layout.topDown);
    EXPECT_EQ(c.bits, layout.bitCount);
    EXPECT_EQ(c.colors, layout.colorCount);
    EXPECT_EQ(c.entry, layout.colorEntrySize);
    EXPECT_EQ(c.colors * c.entry, layout.colorTableSize);
    EXPECT_EQ(headerSize + c.colors * c.entry, layout.pixelOffset);
    EXPECT_EQ(dibfmt::RowStride(13, c.bits), layout.stride);
    EXPECT_EQ(layout.stride * 7, layout.pixelBytes);
    // The picture is complete, so rows end exactly at the end of the block.
    EXPECT_EQ(file.size() - 14, layout.pixelOffset + layout.pixelBytes);
    EXPECT_TRUE(CheckFile(file).error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    All, DibFormatForms,
    ::testing::Values(FormCase{ 1, bmpw::kInfoFields, 2, 4 }, FormCase{ 4, bmpw::kInfoFields, 16, 4 },
                      FormCase{ 8, bmpw::kInfoFields, 256, 4 }, FormCase{ 16, bmpw::kInfoFields, 0, 4 },
                      FormCase{ 24, bmpw::kInfoFields, 0, 4 }, FormCase{ 32, bmpw::kInfoFields, 0, 4 },
                      FormCase{ 1, bmpw::kCoreFields, 2, 3 }, FormCase{ 4, bmpw::kCoreFields, 16, 3 },
                      FormCase{ 8, bmpw::kCoreFields, 256, 3 }, FormCase{ 24, bmpw::kCoreFields, 0, 3 }));

TEST(DibFormat, ColorEntriesOfBothForms)
{
    for (bmpw::FieldLayout fields : { bmpw::kInfoFields, bmpw::kCoreFields }) {
        const BmpRecipe recipe = bmpw::ValidRecipe(3, 2, 4, fields);
        ExactBlock block(bmpw::PackedPart(bmpw::Build(recipe)));
        dibfmt::DibLayout layout;
        ASSERT_EQ(dibfmt::kDibOk, dibfmt::ParseDib(block.data(), block.size(), layout));
        for (unsigned i = 0; i < 16; ++i) {
            std::uint8_t r, g, b;
            dibfmt::ColorEntry(block.data(), layout, i, r, g, b);
            const bmpw::Rgb got = { r, g, b };
            EXPECT_EQ(recipe.colors[i], got) << "entry " << i << " fields " << fields;
        }
    }
}

TEST(DibFormat, ColorsUsedSetsTableAndPixelStart)
{
    // 8 bits per pixel with a 16-entry table: pixels follow 16 entries.
    BmpRecipe s = bmpw::ValidRecipe(4, 4, 8);
    s.colors = bmpw::DistinctColors(16);
    s.colorsUsed = 16;
    dibfmt::DibLayout layout;
    ASSERT_EQ(dibfmt::kDibOk, Parse(bmpw::Build(s), layout));
    EXPECT_EQ(16, layout.colorCount);
    EXPECT_EQ(64, layout.colorTableSize);
    EXPECT_EQ(40u + 64u, layout.pixelOffset);

    // Only the low 16 bits count: 65536 + 5 is a 5-entry table.
    s.colors = bmpw::DistinctColors(5);
    s.colorsUsed = 65536 + 5;
    ASSERT_EQ(dibfmt::kDibOk, Parse(bmpw::Build(s), layout));
    EXPECT_EQ(5, layout.colorCount);
    EXPECT_EQ(40u + 20u, layout.pixelOffset);

    // 65536 has low bits 0, so the bit count decides.
    s.colors = bmpw::DistinctColors(256);
    s.colorsUsed = 65536;
    ASSERT_EQ(dibfmt::kDibOk, Parse(bmpw::Build(s), layout));
    EXPECT_EQ(256, layout.colorCount);

    // A 24-bit picture may carry a table; its pixels follow it.
    BmpRecipe deep = bmpw::ValidRecipe(4, 4, 24);
    deep.colors = bmpw::DistinctColors(7);
    deep.colorsUsed = 7;
    ASSERT_EQ(dibfmt::kDibOk, Parse(bmpw::Build(deep), layout));
    EXPECT_EQ(7, layout.colorCount);
    EXPECT_EQ(40u + 28u, layout.pixelOffset);

    // The core form has no colours-used field: whatever lies at byte 32 is
    // table data and does not change the count.
    BmpRecipe core = bmpw::ValidRecipe(4, 4, 4, bmpw::kCoreFields);
    core.colors = bmpw::DistinctColors(16);
    core.colors[6].r = 3;  // byte 32 of the block = entry 6's red byte
    ASSERT_EQ(dibfmt::kDibOk, Parse(bmpw::Build(core), layout));
    EXPECT_EQ(16, layout.colorCount);
}

TEST(DibFormat, FileOffsetFieldIsIgnored)
{
    // Bytes between table and pixels: the pixels are still taken to start
    // right after the table, so the gap is drawn as the first pixels.
    BmpRecipe s = bmpw::ValidRecipe(4, 2, 8);
    s.gap = Bytes(8, 0xEE);
    const Bytes file = bmpw::Build(s);
    dibfmt::DibLayout layout;
    ASSERT_EQ(dibfmt::kDibOk, Parse(file, layout));
    EXPECT_EQ(40u + 1024u, layout.pixelOffset);
    EXPECT_EQ(0xEE, file[14 + layout.pixelOffset]);

    // A wild offset field changes nothing either.
    s.gap.clear();
    s.pixelOffsetField = 0xFFFFFFF0;
    ASSERT_EQ(dibfmt::kDibOk, Parse(bmpw::Build(s), layout));
    EXPECT_EQ(40u + 1024u, layout.pixelOffset);
}

TEST(DibFormat, OtherHeaderSizesAreReadAsCore)
{
    // Sizes that are not the info header or one of its longer versions:
    // read as the core form with 3-byte entries after the whole header.
    for (std::uint32_t size : { 64u, 16u, 100u }) {
        BmpRecipe s = bmpw::ValidRecipe(6, 3, 8, bmpw::kCoreFields);
        s.headerSize = size;
        dibfmt::DibLayout layout;
        ASSERT_EQ(dibfmt::kDibOk, Parse(bmpw::Build(s), layout)) << size;
        EXPECT_EQ(dibfmt::kCoreHeader, layout.kind);
        EXPECT_EQ(6, layout.width);
        EXPECT_EQ(3, layout.height);
        EXPECT_EQ(3, layout.colorEntrySize);
        EXPECT_EQ(size + 768u, layout.pixelOffset);
    }
}

// The newer forms decode to the colours every picture viewer shows.
TEST(DibFormat, NewerFormsDecodeToTheirColours)
{
    for (const bmpw::FormSample& sample : bmpw::NewFormSamples()) {
        const Bytes file = bmpw::Build(sample.recipe);
        ExactBlock block(bmpw::PackedPart(file));
        dibfmt::DibLayout layout;
        ASSERT_EQ(dibfmt::kDibOk, dibfmt::ParseDib(block.data(), block.size(), layout)) << sample.name;
        EXPECT_EQ(dibfmt::kInfoHeader, layout.kind) << sample.name;
        EXPECT_TRUE(dibcheck::CheckBlock(block.data(), block.size()).error.empty()) << sample.name;
        std::vector<unsigned char> rows;
        dibfmt::DibLayout plain = layout;
        if (dibfmt::NeedsDecoding(layout)) {
            rows = dibcheck::Decode(block.data(), block.size(), layout, plain);
        } else {
            rows.assign(block.data() + layout.pixelOffset, block.data() + layout.pixelOffset + layout.pixelBytes);
        }
        int wrong = 0;
        for (int y = 0; y < plain.height; ++y) {
            const unsigned char* row = rows.data() + std::size_t(plain.height - 1 - y) * plain.stride;
            for (int x = 0; x < plain.width; ++x) {
                bmpw::Rgb got;
                if (plain.bitCount <= 8) {
                    const unsigned index = plain.bitCount == 8 ? row[x] : (x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4);
                    dibfmt::ColorEntry(block.data(), plain, index, got.r, got.g, got.b);
                } else {
                    const unsigned char* p = row + x * (plain.bitCount / 8);
                    got = bmpw::Rgb{ p[2], p[1], p[0] };
                }
                const bmpw::Rgb want = sample.colour(x, y);
                if (!(got == want) && ++wrong <= 3)
                    ADD_FAILURE() << sample.name << " at " << x << "," << y << ": " << int(got.r) << ","
                                  << int(got.g) << "," << int(got.b) << " want " << int(want.r) << ","
                                  << int(want.g) << "," << int(want.b);
            }
        }
    }
}

TEST(DibFormat, RunLengthDataStopsAtThePictureEdge)
{
    // Three pixels, then a run of 200 that leaves the 5-pixel row: the
    // decoding ends there and the rest keeps colour 0.
    BmpRecipe s = bmpw::SampleNamed("RLE8").recipe;
    s.pixels = Bytes{ 3, 9, 200, 4, 0, 0, 5, 6, 0, 1 };
    ExactBlock block(bmpw::PackedPart(bmpw::Build(s)));
    dibfmt::DibLayout layout, plain;
    ASSERT_EQ(dibfmt::kDibOk, dibfmt::ParseDib(block.data(), block.size(), layout));
    std::vector<unsigned char> rows = dibcheck::Decode(block.data(), block.size(), layout, plain);
    ASSERT_EQ(8u * 3, rows.size());
    const Bytes want = { 9, 9, 9, 4, 4, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 };
    EXPECT_EQ(want, Bytes(rows.begin(), rows.end()));

    // A move right and up, then a run.
    s.pixels = Bytes{ 0, 2, 2, 1, 2, 7, 0, 1 };
    ExactBlock moved(bmpw::PackedPart(bmpw::Build(s)));
    ASSERT_EQ(dibfmt::kDibOk, dibfmt::ParseDib(moved.data(), moved.size(), layout));
    rows = dibcheck::Decode(moved.data(), moved.size(), layout, plain);
    const Bytes movedWant = { 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 7, 7, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 };
    EXPECT_EQ(movedWant, Bytes(rows.begin(), rows.end()));
}

TEST(DibFormat, RowStrideIsPaddedAndCannotOverflow)
{
    EXPECT_EQ(4u, dibfmt::RowStride(1, 1));
    EXPECT_EQ(4u, dibfmt::RowStride(32, 1));
    EXPECT_EQ(8u, dibfmt::RowStride(33, 1));
    EXPECT_EQ(4u, dibfmt::RowStride(8, 4));
    EXPECT_EQ(8u, dibfmt::RowStride(9, 4));
    EXPECT_EQ(8u, dibfmt::RowStride(5, 8));
    EXPECT_EQ(16u, dibfmt::RowStride(5, 24));
    EXPECT_EQ(12u, dibfmt::RowStride(4, 24));
    EXPECT_EQ(12u, dibfmt::RowStride(6, 16));
    EXPECT_EQ(20u, dibfmt::RowStride(5, 32));
    EXPECT_EQ(0xFFFFFFFFull * 4, dibfmt::RowStride(0xFFFFFFFFull, 32));
    EXPECT_EQ(((0xFFFFFFFFull * 0xFFFF + 31) / 32) * 4, dibfmt::RowStride(0xFFFFFFFFull, 0xFFFF));
}

// ---------------------------------------------------------------------------
// Refusals, each for its own reason

TEST(DibFormat, RefusesWithTheRightReason)
{
    const BmpRecipe base = bmpw::ValidRecipe(5, 3, 8);
    struct Refusal {
        const char* what;
        dibfmt::DibStatus status;
        std::size_t at;   // block offset of the patched field
        std::uint32_t value;
        int width;        // 2 or 4 bytes
    };
    const Refusal refusals[] = {
        { "header size 0", dibfmt::kDibBadHeaderSize, 0, 0, 4 },
        { "header size 11", dibfmt::kDibBadHeaderSize, 0, 11, 4 },
        { "header size past block", dibfmt::kDibBadHeaderSize, 0, 40 + 1024 + 24 + 1, 4 },
        { "header size 0xFFFFFFFF", dibfmt::kDibBadHeaderSize, 0, 0xFFFFFFFF, 4 },
        { "width 0", dibfmt::kDibBadDimensions, 4, 0, 4 },
        { "height 0", dibfmt::kDibBadDimensions, 8, 0, 4 },
        { "negative width", dibfmt::kDibBadDimensions, 4, 0xFFFFFFFB, 4 },
        { "height INT_MIN", dibfmt::kDibBadDimensions, 8, 0x80000000, 4 },
        { "width 65536", dibfmt::kDibBadDimensions, 4, 65536, 4 },
        { "height -65536", dibfmt::kDibBadDimensions, 8, 0xFFFF0000, 4 },
        { "bit count 0", dibfmt::kDibBadBitCount, 14, 0, 2 },
        { "bit count 2", dibfmt::kDibBadBitCount, 14, 2, 2 },
        { "bit count 3", dibfmt::kDibBadBitCount, 14, 3, 2 },
        { "bit count 64", dibfmt::kDibBadBitCount, 14, 64, 2 },
        { "RLE4 on 8-bit pixels", dibfmt::kDibBadCompression, 16, 2, 4 },
        { "bit fields on 8-bit pixels", dibfmt::kDibBadCompression, 16, 3, 4 },
        { "JPEG", dibfmt::kDibBadCompression, 16, 4, 4 },
        { "colours used 257", dibfmt::kDibBadColorCount, 32, 257, 4 },
        { "colours used 300", dibfmt::kDibBadColorCount, 32, 300, 4 },
        { "colours used 0xFFFFFFFF", dibfmt::kDibBadColorCount, 32, 0xFFFFFFFF, 4 },
        { "colours used 16384 (16-bit table size would wrap)", dibfmt::kDibBadColorCount, 32, 16384, 4 },
        { "height 4", dibfmt::kDibPixelsOutside, 8, 4, 4 },
        { "width 9", dibfmt::kDibPixelsOutside, 4, 9, 4 },
        { "height 65535", dibfmt::kDibPixelsOutside, 8, 65535, 4 },
    };
    const Bytes good = bmpw::PackedPart(bmpw::Build(base));
    for (const Refusal& r : refusals) {
        Bytes block = good;
        if (r.width == 4) bmpw::PutU32(block, r.at, r.value); else bmpw::PutU16(block, r.at, r.value);
        ExactBlock exact(block);
        dibfmt::DibLayout layout = dibfmt::DibLayout();
        layout.width = 1234;
        EXPECT_EQ(r.status, dibfmt::ParseDib(exact.data(), exact.size(), layout))
            << r.what << ": " << dibfmt::DibStatusName(dibfmt::ParseDib(exact.data(), exact.size(), layout));
        EXPECT_EQ(1234, layout.width) << r.what << ": layout changed on refusal";
    }

    // Colour table cut short: 256 entries claimed, block ends inside them.
    {
        Bytes block = bmpw::Truncated(good, 40 + 1000);
        ExactBlock exact(block);
        dibfmt::DibLayout layout;
        EXPECT_EQ(dibfmt::kDibTableOutside, dibfmt::ParseDib(exact.data(), exact.size(), layout));
    }
    // Fewer than four bytes, and no block at all.
    {
        dibfmt::DibLayout layout;
        ExactBlock three(Bytes{ 40, 0, 0 });
        EXPECT_EQ(dibfmt::kDibTooShort, dibfmt::ParseDib(three.data(), three.size(), layout));
        EXPECT_EQ(dibfmt::kDibTooShort, dibfmt::ParseDib(nullptr, 0, layout));
        EXPECT_EQ(dibfmt::kDibTooShort, dibfmt::ParseDib(nullptr, 100, layout));
    }
    // Core bit counts beyond what the core form defines.
    for (std::uint16_t bits : { 0, 2, 16, 32 }) {
        BmpRecipe s = bmpw::ValidRecipe(5, 3, 24, bmpw::kCoreFields);
        s.bitCount = bits;
        s.pixels = Bytes(4096, 0);
        dibfmt::DibLayout layout;
        EXPECT_EQ(dibfmt::kDibBadBitCount, Parse(bmpw::Build(s), layout)) << bits;
    }
}

TEST(DibFormat, AcceptsTheLargestPicturesThatFit)
{
    // 65535 rows of a 1-pixel 1-bit picture: 4 bytes a row.
    BmpRecipe s = bmpw::ValidRecipe(1, 1, 1, bmpw::kCoreFields);
    s.height = 65535;
    s.pixels = Bytes(65535 * 4, 0);
    dibfmt::DibLayout layout;
    ASSERT_EQ(dibfmt::kDibOk, Parse(bmpw::Build(s), layout));
    EXPECT_EQ(65535, layout.height);
    s.pixels.pop_back();
    EXPECT_EQ(dibfmt::kDibPixelsOutside, Parse(bmpw::Build(s), layout));
}

// ---------------------------------------------------------------------------
// Top-down pictures

TEST(DibFormat, TopDownRowsAreReversedInPlace)
{
    for (int height : { 1, 2, 5, 6 }) {
        // Width 4 at 24 bits fills the rows exactly: every byte is a pixel byte.
        BmpRecipe s = bmpw::ValidRecipe(4, height, 24);
        s.height = -height;
        s.pixels = bmpw::PackRows(4, height, 24, true,
                                  [](int x, int y) { return std::uint32_t(0x010203 * (y + 1) + x); });
        const Bytes bottomUp = bmpw::PackRows(4, height, 24, false,
                                              [](int x, int y) { return std::uint32_t(0x010203 * (y + 1) + x); });
        ExactBlock block(bmpw::PackedPart(bmpw::Build(s)));
        dibfmt::DibLayout layout;
        ASSERT_EQ(dibfmt::kDibOk, dibfmt::ParseDib(block.data(), block.size(), layout));
        EXPECT_TRUE(layout.topDown);
        EXPECT_EQ(height, layout.height);
        dibfmt::MakeBottomUp(block.data(), layout);
        EXPECT_FALSE(layout.topDown);
        EXPECT_EQ(0, std::memcmp(block.data() + layout.pixelOffset, bottomUp.data(), bottomUp.size()))
            << "height " << height;
        EXPECT_EQ(std::uint32_t(height), dibcheck::U32(block.data() + 8));
        // The rewritten block now reads as a plain bottom-up picture.
        dibfmt::DibLayout again;
        ASSERT_EQ(dibfmt::kDibOk, dibfmt::ParseDib(block.data(), block.size(), again));
        EXPECT_FALSE(again.topDown);
        EXPECT_EQ(height, again.height);
    }

    // Bottom-up blocks are left alone.
    const Bytes file = bmpw::Build(bmpw::ValidRecipe(3, 4, 8));
    ExactBlock block(bmpw::PackedPart(file));
    dibfmt::DibLayout layout;
    ASSERT_EQ(dibfmt::kDibOk, dibfmt::ParseDib(block.data(), block.size(), layout));
    dibfmt::MakeBottomUp(block.data(), layout);
    EXPECT_EQ(0, std::memcmp(block.data(), file.data() + 14, block.size()));
}

// ---------------------------------------------------------------------------
// The header handed to GDI

TEST(DibFormat, GdiInfoCarriesOnlyWhatWasChecked)
{
    struct GdiCase {
        int bits;
        bmpw::FieldLayout fields;
        std::uint32_t colorsUsed;
        unsigned tableEntries;
        unsigned expectEntries;
    };
    const GdiCase cases[] = {
        { 8, bmpw::kInfoFields, 0, 256, 256 },
        { 8, bmpw::kInfoFields, 16, 16, 16 },
        { 1, bmpw::kInfoFields, 16, 16, 2 },     // more entries than 1 bit indexes
        { 4, bmpw::kCoreFields, 0, 16, 16 },     // 3-byte entries become RGBQUADs
        { 24, bmpw::kInfoFields, 256, 256, 0 },  // table only for the palette
        { 32, bmpw::kInfoFields, 0, 0, 0 },
    };
    for (const GdiCase& c : cases) {
        BmpRecipe s = bmpw::ValidRecipe(4, 3, c.bits, c.fields);
        s.colors = bmpw::DistinctColors(c.tableEntries);
        s.colorsUsed = c.colorsUsed;
        ExactBlock block(bmpw::PackedPart(bmpw::Build(s)));
        dibfmt::DibLayout layout;
        ASSERT_EQ(dibfmt::kDibOk, dibfmt::ParseDib(block.data(), block.size(), layout)) << c.bits;
        dibfmt::GdiInfo info;
        dibfmt::BuildGdiInfo(block.data(), layout, info);
        const unsigned char* h = info.bytes();
        EXPECT_EQ(40u, dibcheck::U32(h));
        EXPECT_EQ(4u, dibcheck::U32(h + 4));
        EXPECT_EQ(3u, dibcheck::U32(h + 8));
        EXPECT_EQ(1, dibcheck::U16(h + 12));
        EXPECT_EQ(c.bits, dibcheck::U16(h + 14));
        EXPECT_EQ(0u, dibcheck::U32(h + 16));
        EXPECT_EQ(c.expectEntries, dibcheck::U32(h + 32));
        EXPECT_EQ(c.expectEntries, info.entries);
        EXPECT_EQ(40u + 4u * c.expectEntries, info.size);
        for (unsigned i = 0; i < c.expectEntries; ++i) {
            EXPECT_EQ(s.colors[i].b, h[40 + 4 * i]);
            EXPECT_EQ(s.colors[i].g, h[40 + 4 * i + 1]);
            EXPECT_EQ(s.colors[i].r, h[40 + 4 * i + 2]);
            EXPECT_EQ(0, h[40 + 4 * i + 3]);
        }
        for (std::size_t i = info.size; i < sizeof(info.words); ++i)
            ASSERT_EQ(0, h[i]) << "unused table byte " << i << " not cleared";
    }
}

// ---------------------------------------------------------------------------
// Hostile input

TEST(DibFormatHostile, CorpusIsSafeAndDecidedAsExpected)
{
    const std::vector<bmpw::Case> corpus = bmpw::HostileCorpus();
    ASSERT_GT(corpus.size(), 100u);
    for (const bmpw::Case& c : corpus) {
        const dibcheck::Result r = CheckFile(c.file);
        EXPECT_TRUE(r.error.empty()) << c.name << ": " << r.error;
        if (c.expect == bmpw::kMustLoad) {
            EXPECT_EQ(dibfmt::kDibOk, r.status) << c.name << ": " << dibfmt::DibStatusName(r.status);
        } else if (c.expect == bmpw::kMustReject) {
            EXPECT_NE(dibfmt::kDibOk, r.status) << c.name;
        }
    }
}

TEST(DibFormatHostile, EveryTruncationOfEveryFormIsRefused)
{
    for (bmpw::FieldLayout fields : { bmpw::kInfoFields, bmpw::kCoreFields }) {
        for (int bits : { 1, 4, 8, 24 }) {
            const Bytes file = bmpw::Build(bmpw::ValidRecipe(7, 3, bits, fields));
            ASSERT_EQ(dibfmt::kDibOk, CheckFile(file).status);
            for (std::size_t n = 14; n < file.size(); ++n) {
                const dibcheck::Result r = CheckFile(bmpw::Truncated(file, n));
                EXPECT_NE(dibfmt::kDibOk, r.status) << bits << " bits cut to " << n;
            }
        }
    }
}

// Random damage to valid blocks, with a fixed seed so failures repeat.
TEST(DibFormatHostile, RandomMutationsStayInsideTheBlock)
{
    std::vector<Bytes> seeds;
    for (bmpw::FieldLayout fields : { bmpw::kInfoFields, bmpw::kCoreFields })
        for (int bits : { 1, 4, 8, 24 })
            seeds.push_back(bmpw::PackedPart(bmpw::Build(bmpw::ValidRecipe(9, 5, bits, fields))));
    for (int bits : { 16, 32 })
        seeds.push_back(bmpw::PackedPart(bmpw::Build(bmpw::ValidRecipe(9, 5, bits))));
    {
        BmpRecipe s = bmpw::ValidRecipe(9, 5, 8);
        s.colors = bmpw::DistinctColors(16);
        s.colorsUsed = 16;
        seeds.push_back(bmpw::PackedPart(bmpw::Build(s)));
    }
    for (const bmpw::FormSample& sample : bmpw::NewFormSamples(9, 5))
        seeds.push_back(bmpw::PackedPart(bmpw::Build(sample.recipe)));

    const std::uint32_t interesting[] = { 0, 1, 2, 3, 4, 8, 12, 16, 24, 32, 40, 64, 108, 124, 255,
                                          256, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF,
                                          0x80000000, 0xFFFFFFFF };
    std::mt19937 rng(20240611u);
    const auto start = std::chrono::steady_clock::now();
    int loaded = 0;
    int runs = 0;
    for (; runs < 50000; ++runs) {
        Bytes block = seeds[rng() % seeds.size()];
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            // Most damage goes to the header, where the claims are.
            const std::size_t limit = (rng() % 4 != 0) ? std::min<std::size_t>(48, block.size())
                                                       : block.size();
            const std::size_t at = rng() % limit;
            switch (rng() % 5) {
            case 0: block[at] = static_cast<std::uint8_t>(rng()); break;
            case 1: block[at] ^= static_cast<std::uint8_t>(1u << (rng() % 8)); break;
            case 2:
                if (at + 4 <= block.size())
                    bmpw::PutU32(block, at, interesting[rng() % (sizeof(interesting) / sizeof(interesting[0]))]);
                break;
            case 3: block.resize(rng() % (block.size() + 1)); break;
            default: block.resize(block.size() + rng() % 64, static_cast<std::uint8_t>(rng())); break;
            }
            if (block.empty())
                break;
        }
        ExactBlock exact(block);
        const dibcheck::Result r = dibcheck::CheckBlock(exact.data(), exact.size());
        ASSERT_TRUE(r.error.empty()) << "run " << runs << ": " << r.error;
        if (r.status == dibfmt::kDibOk)
            ++loaded;
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(5))
            break;
    }
    // The mutations must exercise both outcomes, or the loop proves little.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, runs);
    std::printf("mutation runs: %d, loaded: %d\n", runs, loaded);
}

}  // namespace
