// Which picture set a display takes, and the filter that fits a set to a
// scale between the sets.
#include "platform/ImageScale.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

TEST(PictureSet, ExactScalesTakeTheirOwnSetOthersTheNextLarger) {
    struct Case { int dpi, set; const wchar_t* suffix; } cases[] = {
        {72, 96, L""},      {96, 96, L""},      {97, 120, L"_125"}, {120, 120, L"_125"}, {132, 144, L"_150"},
        {144, 144, L"_150"}, {168, 192, L"_200"}, {192, 192, L"_200"}, {288, 192, L"_200"}};
    for (const Case& c : cases) {
        PictureSet s = PictureSetFor(c.dpi);
        EXPECT_EQ(c.set, s.dpi) << c.dpi;
        EXPECT_STREQ(c.suffix, s.suffix) << c.dpi;
    }
}

TEST(ResampleArea, KeepsAFlatColourAndTheSize) {
    std::vector<uint32_t> src(90 * 90, 0x336699), dst(79 * 79, 0);
    ResampleArea(src.data(), 90, 90, dst.data(), 79, 79);
    for (uint32_t p : dst) ASSERT_EQ(0x336699u, p);
}

TEST(ResampleArea, AveragesTheAreaEachPixelCovers) {
    // Halving: each target pixel is the mean of a 2 x 2 block.
    const uint32_t src[4 * 2] = {0x000000, 0xFFFFFF, 0xFF0000, 0xFF0000,
                                 0xFFFFFF, 0x000000, 0x0000FF, 0x0000FF};
    uint32_t dst[2] = {};
    ResampleArea(src, 4, 2, dst, 2, 1);
    EXPECT_EQ(0x808080u, dst[0]);
    EXPECT_EQ(0x800080u, dst[1]);
}

TEST(ResampleArea, AThinLineSurvivesAReduction) {
    // A one-pixel vertical line in a 12-wide picture reduced to 10: a
    // nearest-pixel reduction may drop it, an area filter keeps its ink.
    for (int column = 0; column < 12; ++column) {
        std::vector<uint32_t> src(12 * 4, 0xFFFFFF), dst(10 * 4, 0);
        for (int y = 0; y < 4; ++y) src[y * 12 + column] = 0x000000;
        ResampleArea(src.data(), 12, 4, dst.data(), 10, 4);
        long ink = 0;
        for (int x = 0; x < 10; ++x) ink += 255 - (dst[x] & 0xFF);
        EXPECT_NEAR(255 * 10 / 12, ink, 3) << "column " << column;
    }
}

TEST(ResampleArea, RefusesEmptyOrMissingPictures) {
    uint32_t dst[4] = {1, 2, 3, 4};
    ResampleArea(nullptr, 2, 2, dst, 2, 2);
    const uint32_t src[4] = {0};
    ResampleArea(src, 0, 2, dst, 2, 2);
    ResampleArea(src, 2, 2, dst, 0, 2);
    EXPECT_EQ(1u, dst[0]);
    EXPECT_EQ(4u, dst[3]);
}

TEST(UnpackPicture, LiteralsAndOverlappingCopies) {
    // "ab", then 7 bytes from 2 back: "ababababa".
    const uint8_t packed[] = {9, 0, 0, 0, 0x01, 'a', 'b', 0x84, 2, 0, 0};
    std::vector<uint8_t> out;
    ASSERT_TRUE(UnpackPicture(packed, sizeof packed, out));
    EXPECT_EQ(std::string("ababababa"), std::string(out.begin(), out.end()));
}

TEST(UnpackPicture, DamagedStreamsGiveNothing) {
    struct Case { std::vector<uint8_t> bytes; const char* what; } cases[] = {
        {{}, "empty"},
        {{3, 0, 0, 0, 0x02, 'a', 'b'}, "literal run past the end"},
        {{3, 0, 0, 0, 0x80, 1, 0, 0}, "copy before any byte"},
        {{5, 0, 0, 0, 0x00, 'a', 0x81, 2, 0, 0}, "copy from too far back"},
        {{4, 0, 0, 0, 0x00, 'a', 0x80, 1, 0}, "cut distance"},
        {{2, 0, 0, 0, 0x02, 'a', 'b', 'c'}, "more than announced"},
        {{9, 0, 0, 0, 0x01, 'a', 'b'}, "less than announced"},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 'a'}, "absurd length"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> out(3, 'x');
        EXPECT_FALSE(UnpackPicture(c.bytes.data(), c.bytes.size(), out)) << c.what;
        EXPECT_TRUE(out.empty()) << c.what;
    }
}

TEST(LoadPictureResource, PackedSetsLoadLikeThePlainOnes) {
    // The 150 % set is packed; its pictures come out at their own size.
    struct Case { const wchar_t* name; int w, h; } cases[] = {
        {L"WIZARDU", 60, 60}, {L"WIZARDU_150", 90, 90}, {L"ACTIONF_125", 30, 30}, {L"D10_200", 608, 514}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name));
        HBITMAP b = LoadPictureResource(GetModuleHandleW(nullptr), c.name);
        ASSERT_NE(nullptr, b);
        BITMAP info;
        GetObjectW(b, sizeof info, &info);
        EXPECT_EQ(c.w, info.bmWidth);
        EXPECT_EQ(c.h, info.bmHeight);
        DeleteObject(b);
    }
    EXPECT_EQ(nullptr, LoadPictureResource(GetModuleHandleW(nullptr), L"NO_SUCH_PICTURE_150"));
}
