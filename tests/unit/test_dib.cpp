// test_dib.cpp - every case of the bitmap corpus (tests/support/dib_corpus.h)
// loaded from a file with CDibImage and, when it loads, drawn.
//
// The pictures are drawn 1:1 and stretched to twice their size into 32-bit
// DIB sections whose colours are read back pixel by pixel; every other file
// is either refused, leaving the image empty, or loads with header, colour
// table and every row inside what was read, and draws.

#include <cstdio>
#include <cstring>

#include "dib_fixture.h"
#include "support/dib_corpus.h"

namespace {

using dibcase::Case;
using dibcase::Picture;
using dibdraw::Canvas;
using dibdraw::Rect;

// What the palette, rows and drawing of a loaded picture must be.
void ExpectShows(const CDibImage& image, const Picture& want) {
    EXPECT_EQ(want.width, image.Width());
    EXPECT_EQ(want.height, image.Height());
    EXPECT_EQ(want.table.size(), image.ColorCount());
    const unsigned entry = want.kind == dibfmt::kCoreHeader ? 3 : 4;
    EXPECT_EQ(want.table.size() * entry, image.ColorTableSize());
    if (want.table.empty()) {
        EXPECT_TRUE(image.Palette() == nullptr);
    } else {
        ExpectPaletteMatches(image.Palette(), want.table);
    }
    // Plain rows are drawn where they lie in the file; decoded ones beside it.
    const std::ptrdiff_t offset = image.Pixels() - image.Block();
    const bool inBlock = offset >= 0 && std::size_t(offset) < image.DataSize();
    EXPECT_EQ(!want.decoded, inBlock);
    if (!want.decoded) {
        EXPECT_EQ(std::ptrdiff_t(want.pixelOffset), offset);
    }

    const int w = want.width, h = want.height;
    const Canvas oneToOne(w, h);
    ASSERT_TRUE(oneToOne.ok());
    EXPECT_NE(0, image.Render(oneToOne.dc(), Rect(0, 0, w, h), Rect(0, 0, w, h)));
    EXPECT_EQ("", dibcase::Mismatches(want, [&](int x, int y) { return oneToOne.At(x, y); })) << "drawn 1:1";
    // Wine leaves a destination of more than 65535 rows untouched, though
    // the stretch reports rows drawn; no window is that tall.
    if (2 * h > 65535) return;
    const Canvas doubled(2 * w, 2 * h);
    ASSERT_TRUE(doubled.ok());
    EXPECT_NE(0, image.Render(doubled.dc(), Rect(0, 0, 2 * w, 2 * h), Rect(0, 0, w, h)));
    EXPECT_EQ("", dibcase::Mismatches(want, [&](int x, int y) { return doubled.At(2 * x + 1, 2 * y + 1); }))
        << "drawn twice the size";
}

// What holds for every file that loads, whatever it claims.
void ExpectInside(const CDibImage& image, std::size_t fileSize, const Canvas& canvas) {
    const dibfmt::DibLayout& layout = image.Layout();
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(fileSize - 14, image.DataSize());
    EXPECT_GT(image.Width(), 0);
    EXPECT_GT(image.Height(), 0);
    EXPECT_LE(image.ColorCount(), 256);
    EXPECT_EQ(dibfmt::kCompressionNone, layout.compression);
    const BYTE* pixels = image.Pixels();
    if (pixels >= image.Block() && pixels < image.Block() + image.DataSize()) {
        const std::size_t pixelStart = static_cast<std::size_t>(pixels - image.Block());
        EXPECT_EQ(layout.colorTableOffset + image.ColorTableSize(), pixelStart);
        EXPECT_LE(pixelStart + std::size_t(layout.stride) * image.Height(), image.DataSize());
    }  // else rows decoded beside the block, of exactly the layout's size
    EXPECT_EQ(image.ColorCount() != 0, image.Palette() != nullptr);
    const RECT whole = Rect(0, 0, image.Width(), image.Height());
    EXPECT_NE(0, image.Render(canvas.dc(), whole, whole));
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 16, 16), whole));
}

TEST_F(DibFileTest, CorpusLoadsAndDrawsAsStated) {
    const std::vector<Case> corpus = dibcase::Corpus();
    const Canvas blank(4, 4), scratch(16, 16);
    ASSERT_TRUE(blank.ok() && scratch.ok());
    int count[3] = {}, pictures = 0;
    for (const Case& c : corpus) {
        SCOPED_TRACE(c.name);
        ++count[c.expect];
        const std::wstring path = Write(L"case.bmp", c.file);
        CDibImage image;
        const bool loaded = image.LoadFromFile(path.c_str());
        EXPECT_EQ(c.expect == dibcase::kLoads, loaded);
        if (!loaded) {
            ExpectEmpty(image, blank);
            continue;
        }
        ExpectInside(image, c.file.size(), scratch);
        if (c.picture) {
            ++pictures;
            ExpectShows(image, *c.picture);
        }
    }
    std::printf("corpus: %zu cases: %d load (%d pictures with known colours), %d refused, %d not bitmap files\n",
                corpus.size(), count[dibcase::kLoads], pictures, count[dibcase::kRefused], count[dibcase::kNotBmp]);
    EXPECT_GT(pictures, 40);
}

}  // namespace
