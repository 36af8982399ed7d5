// test_dib_render.cpp - CDibImage::Render: where it draws, 1:1 and
// stretched, which part of the picture, and that it leaves the device
// context's palette as it found it.

#include "dib_fixture.h"

namespace {

using bmpw::BmpRecipe;
using bmpw::Rgb;
using dibdraw::Canvas;
using dibdraw::Rect;

Rgb FromRgb24(std::uint32_t v) {
    return Rgb{ static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v) };
}

class DibRenderTest : public DibFileTest {
protected:
    // Every pixel of a width x height canvas is what 'expected' gives for it.
    template <class Expected>
    static void ExpectCanvas(const Canvas& canvas, int width, int height, Expected expected) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) ASSERT_EQ(expected(x, y), canvas.At(x, y)) << x << "," << y;
    }

    // An 8x8 one-pixel checker in two colours, 1 bit per pixel.
    void LoadChecker(CDibImage& image) {
        BmpRecipe s = bmpw::ValidRecipe(8, 8, 1);
        s.colors = { m_dark, m_light };
        s.pixels = bmpw::PackRows(8, 8, 1, false, [](int x, int y) { return std::uint32_t((x + y) & 1); });
        ASSERT_TRUE(image.LoadFromFile(Write(L"checker.bmp", bmpw::Build(s)).c_str()));
    }
    Rgb Checker(int x, int y) const { return ((x + y) & 1) ? m_light : m_dark; }

    // A 24-bit picture where every pixel has its own colour.
    static std::uint32_t Gradient(int x, int y) { return std::uint32_t(((x * 17) << 16) | ((y * 23) << 8) | ((x * y) & 0xFF)); }
    void LoadGradient(CDibImage& image, int width, int height) {
        BmpRecipe s = bmpw::ValidRecipe(width, height, 24);
        s.pixels = bmpw::PackRows(width, height, 24, false, Gradient);
        ASSERT_TRUE(image.LoadFromFile(Write(L"gradient.bmp", bmpw::Build(s)).c_str()));
    }

    const Rgb m_dark = { 0x20, 0x10, 0x90 };
    const Rgb m_light = { 0xF0, 0xE0, 0x30 };
};

TEST_F(DibRenderTest, CheckerOneToOneAtAnOffset) {
    CDibImage image;
    LoadChecker(image);
    Canvas canvas(12, 11);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(3, 2, 11, 10), Rect(0, 0, 8, 8)));
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 12; ++x) {
            if (x >= 3 && x < 11 && y >= 2 && y < 10)
                ASSERT_EQ(Checker(x - 3, y - 2), canvas.At(x, y)) << x << "," << y;
            else
                ASSERT_TRUE(canvas.Untouched(x, y)) << "drawn outside at " << x << "," << y;
        }
    }
}

TEST_F(DibRenderTest, CheckerStretchedByWholeFactors) {
    CDibImage image;
    LoadChecker(image);
    Canvas canvas(24, 16);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 24, 16), Rect(0, 0, 8, 8)));
    ASSERT_NO_FATAL_FAILURE(ExpectCanvas(canvas, 24, 16, [&](int x, int y) { return Checker(x / 3, y / 2); }));
}

TEST_F(DibRenderTest, GradientOneToOneIsExact) {
    CDibImage image;
    LoadGradient(image, 15, 9);
    Canvas canvas(15, 9);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 15, 9), Rect(0, 0, 15, 9)));
    ASSERT_NO_FATAL_FAILURE(ExpectCanvas(canvas, 15, 9, [&](int x, int y) { return FromRgb24(Gradient(x, y)); }));
}

TEST_F(DibRenderTest, GradientStretchedAndShrunk) {
    CDibImage image;
    LoadGradient(image, 6, 4);
    Canvas big(12, 12);
    ASSERT_TRUE(big.ok());
    EXPECT_NE(0, image.Render(big.dc(), Rect(0, 0, 12, 12), Rect(0, 0, 6, 4)));
    ASSERT_NO_FATAL_FAILURE(ExpectCanvas(big, 12, 12, [&](int x, int y) { return FromRgb24(Gradient(x / 2, y / 3)); }));

    // Shrinking a picture of 2x2 blocks by half must give one pixel per block
    // whichever of the four pixels the stretch keeps.
    BmpRecipe blocks = bmpw::ValidRecipe(8, 6, 24);
    blocks.pixels = bmpw::PackRows(8, 6, 24, false, [](int x, int y) { return Gradient(x / 2, y / 2); });
    ASSERT_TRUE(image.LoadFromFile(Write(L"blocks.bmp", bmpw::Build(blocks)).c_str()));
    Canvas small(4, 3);
    ASSERT_TRUE(small.ok());
    EXPECT_NE(0, image.Render(small.dc(), Rect(0, 0, 4, 3), Rect(0, 0, 8, 6)));
    ASSERT_NO_FATAL_FAILURE(ExpectCanvas(small, 4, 3, [&](int x, int y) { return FromRgb24(Gradient(x, y)); }));
}

TEST_F(DibRenderTest, OneToOnePartOfThePictureCountsRowsFromTheTop) {
    CDibImage image;
    LoadGradient(image, 9, 7);
    Canvas canvas(4, 3);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 4, 3), Rect(2, 1, 6, 4)));
    ASSERT_NO_FATAL_FAILURE(ExpectCanvas(canvas, 4, 3, [&](int x, int y) { return FromRgb24(Gradient(x + 2, y + 1)); }));
}

TEST_F(DibRenderTest, PaletteIsSelectedOnlyForTheBlit) {
    CDibImage image;
    LoadChecker(image);
    ASSERT_TRUE(image.Palette() != nullptr);
    Canvas canvas(8, 8);
    ASSERT_TRUE(canvas.ok());
    const HGDIOBJ before = GetCurrentObject(canvas.dc(), OBJ_PAL);
    ASSERT_TRUE(before != nullptr);
    ASSERT_TRUE(before != image.Palette());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 8, 8), Rect(0, 0, 8, 8)));
    EXPECT_EQ(before, GetCurrentObject(canvas.dc(), OBJ_PAL));
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 4, 4), Rect(0, 0, 8, 8)));
    EXPECT_EQ(before, GetCurrentObject(canvas.dc(), OBJ_PAL));
    EXPECT_EQ(COLORONCOLOR, GetStretchBltMode(canvas.dc()));
}

}  // namespace
