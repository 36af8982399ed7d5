// test_dibformat.cpp - the packed-bitmap reader on the host, under
// AddressSanitizer and UndefinedBehaviorSanitizer: every case of the corpus
// (tests/support/dib_corpus.h) parsed and decoded, then random damage.
//
// Every block is copied into a heap buffer of exactly its size before it is
// parsed, so a read one byte past the end is reported by the sanitizer.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

#include "../support/dib_checks.h"
#include "../support/dib_corpus.h"

namespace {

using bmpw::Bytes;
using dibcheck::ExactBlock;
using dibcase::Case;
using dibcase::Picture;

// What the layout, table, blit header and rows of a loaded block must be.
void ExpectPicture(const ExactBlock& block, const dibfmt::DibLayout& layout, const Picture& want) {
    EXPECT_EQ(want.kind, layout.kind);
    EXPECT_EQ(want.width, layout.width);
    EXPECT_EQ(want.height, layout.height);
    EXPECT_EQ(want.pixelOffset, layout.pixelOffset);
    EXPECT_EQ(want.decoded, dibfmt::NeedsDecoding(layout));
    ASSERT_EQ(want.table.size(), layout.colorCount);
    for (unsigned i = 0; i < layout.colorCount; ++i) {
        bmpw::Rgb got;
        dibfmt::ColorEntry(block.data(), layout, i, got.r, got.g, got.b);
        EXPECT_TRUE(got == want.table[i]) << "table entry " << i;
    }

    // The header the blits get carries only entries the bit count indexes,
    // and nothing but zeros after them.
    dibfmt::GdiInfo info;
    dibfmt::BuildGdiInfo(block.data(), layout, info);
    EXPECT_EQ(want.gdiEntries, info.entries);
    for (std::size_t i = info.size; i < sizeof(info.words); ++i)
        ASSERT_EQ(0, info.bytes()[i]) << "unused table byte " << i << " not cleared";

    // Rows made bottom-up (a bottom-up block stays as it is), then plain.
    dibfmt::DibLayout bottomUp = layout;
    const Bytes before(block.data(), block.data() + block.size());
    dibfmt::MakeBottomUp(block.data(), bottomUp);
    if (!layout.topDown) {
        EXPECT_EQ(0, std::memcmp(before.data(), block.data(), before.size())) << "bottom-up block changed";
    } else {
        dibfmt::DibLayout again;
        ASSERT_EQ(dibfmt::kDibOk, dibfmt::ParseDib(block.data(), block.size(), again));
        EXPECT_FALSE(again.topDown);
        EXPECT_EQ(want.height, again.height);
    }
    dibfmt::DibLayout plain = bottomUp;
    std::vector<unsigned char> rows;
    if (dibfmt::NeedsDecoding(bottomUp))
        rows = dibcheck::Decode(block.data(), block.size(), bottomUp, plain);
    else
        rows.assign(block.data() + plain.pixelOffset, block.data() + plain.pixelOffset + plain.pixelBytes);
    const std::string wrong = dibcase::Mismatches(want, [&](int x, int y) {
        bmpw::Rgb c;
        dibcheck::PlainColour(block.data(), plain, rows.data(), x, y, c.r, c.g, c.b);
        return c;
    });
    EXPECT_EQ("", wrong);
}

void ExpectCase(const Case& c) {
    SCOPED_TRACE(c.name);
    const Bytes packed = bmpw::PackedPart(c.file);

    // Nothing read outside the block, and every invariant of a loaded block.
    ExactBlock checked(packed);
    const dibcheck::Result r = dibcheck::CheckBlock(checked.data(), checked.size());
    EXPECT_EQ("", r.error);

    // Loaded or refused for the stated reason; a refusal leaves the layout alone.
    ExactBlock block(packed);
    dibfmt::DibLayout layout = dibfmt::DibLayout();
    layout.width = 1234;
    const dibfmt::DibStatus status = dibfmt::ParseDib(block.data(), block.size(), layout);
    const dibfmt::DibStatus want = c.expect == dibcase::kRefused ? c.reason : dibfmt::kDibOk;
    EXPECT_EQ(want, status) << dibfmt::DibStatusName(status) << ", not " << dibfmt::DibStatusName(want);
    if (status != dibfmt::kDibOk) {
        EXPECT_EQ(1234, layout.width) << "layout changed on refusal";
    } else if (c.picture) {
        ExpectPicture(block, layout, *c.picture);
    }
}

TEST(DibCorpus, EveryCaseParsesAndDecodesAsStated) {
    const std::vector<Case> corpus = dibcase::Corpus();
    int count[3] = {}, pictures = 0;
    for (const Case& c : corpus) {
        ExpectCase(c);
        ++count[c.expect];
        pictures += c.picture ? 1 : 0;
    }
    std::printf("corpus: %zu cases: %d load (%d pictures with known colours), %d refused, %d not bitmap files\n",
                corpus.size(), count[dibcase::kLoads], pictures, count[dibcase::kRefused], count[dibcase::kNotBmp]);
    EXPECT_GT(pictures, 40);
}

// ---------------------------------------------------------------------------
// What only the functions themselves can be asked

TEST(DibFormat, NoBlockAtAllIsTooShort) {
    dibfmt::DibLayout layout;
    EXPECT_EQ(dibfmt::kDibTooShort, dibfmt::ParseDib(nullptr, 0, layout));
    EXPECT_EQ(dibfmt::kDibTooShort, dibfmt::ParseDib(nullptr, 100, layout));
}

TEST(DibFormat, RowStrideIsPaddedAndCannotOverflow) {
    struct Stride {
        std::uint64_t width;
        std::uint32_t bits;
        std::uint64_t bytes;
    };
    const Stride strides[] = {
        { 1, 1, 4 }, { 32, 1, 4 }, { 33, 1, 8 }, { 8, 4, 4 }, { 9, 4, 8 }, { 5, 8, 8 }, { 5, 24, 16 },
        { 4, 24, 12 }, { 6, 16, 12 }, { 5, 32, 20 }, { 0xFFFFFFFFull, 32, 0xFFFFFFFFull * 4 },
        { 0xFFFFFFFFull, 0xFFFF, ((0xFFFFFFFFull * 0xFFFF + 31) / 32) * 4 },
    };
    for (const Stride& s : strides)
        EXPECT_EQ(s.bytes, dibfmt::RowStride(s.width, s.bits)) << s.width << " x " << s.bits << " bits";
}

// Random damage to the corpus's pictures, with a fixed seed so failures
// repeat.
TEST(DibFormatHostile, RandomMutationsStayInsideTheBlock) {
    const std::vector<Bytes> seeds = dibcase::SeedBlocks(4096);
    ASSERT_FALSE(seeds.empty());
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
            const std::size_t limit = (rng() % 4 != 0) ? std::min<std::size_t>(48, block.size()) : block.size();
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
            if (block.empty()) break;
        }
        ExactBlock exact(block);
        const dibcheck::Result r = dibcheck::CheckBlock(exact.data(), exact.size());
        ASSERT_TRUE(r.error.empty()) << "run " << runs << ": " << r.error;
        if (r.status == dibfmt::kDibOk) ++loaded;
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(5)) break;
    }
    // The mutations must exercise both outcomes, or the loop proves little.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, runs);
    std::printf("mutation runs: %d, loaded: %d\n", runs, loaded);
}

}  // namespace
