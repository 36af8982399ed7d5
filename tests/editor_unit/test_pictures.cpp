// Pictures as backgrounds: the size rule and the limit it is measured
// against, what a file's first bytes say about it, the conversion to a
// 24-bit bitmap, and decoding real and hostile files with the system's
// picture library.
#include "workspace/BackgroundLimit.h"
#include "workspace/PictureFile.h"
#include "workspace/PictureRules.h"
#include "resources/menu_ids.h"
#include "support/driver.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "support/text.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pic {
// Sizes in failure messages.
std::ostream& operator<<(std::ostream& os, Size s) { return os << s.w << "x" << s.h; }
}  // namespace pic

namespace {

using pic::Size;

TEST(PictureSize, ReducedToTheLargestSizeOfItsProportionsWithinTheLimit) {
    const Size limit{1087, 900};
    struct { Size picture, want; } cases[] = {
        {{4000, 3000}, {1087, 815}},     // 815.25: the width meets the limit first
        {{3000, 4000}, {675, 900}},
        {{2000, 900}, {1087, 489}},      // only too wide
        {{10, 901}, {10, 900}},          // 9.99 rounds to 10
        {{100000, 1}, {1087, 1}},        // never below one pixel
        {{1, 100000}, {1, 900}},
        {{1087, 900}, {1087, 900}},      // at the limit: as it is
        {{640, 480}, {640, 480}},        // smaller: never enlarged
        {{1088, 900}, {1087, 899}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.want, pic::ReducedSize(c.picture, limit)) << c.picture;
        EXPECT_EQ(c.want != c.picture, pic::LargerThan(c.picture, limit)) << c.picture;
    }
}

TEST(PictureSize, TheLimitIsTheBoxOfTheLayoutWindowsAtTwiceTheScale) {
    HMODULE self = GetModuleHandleA(nullptr);
    const Size limit = BackgroundLimit();
    EXPECT_EQ(limit, LayoutsBox(self, EDITOR_LAYOUT_BASE, 192));
    std::vector<Size> at100;
    for (int i = 0; i < 10; ++i) {
        const Size small = LayoutWindowSize(self, EDITOR_LAYOUT_BASE + i, 96);
        const Size large = LayoutWindowSize(self, EDITOR_LAYOUT_BASE + i, 192);
        ASSERT_GT(small.w, 0) << i;
        // Twice the font: twice the dialog units, give or take the font's own rounding.
        EXPECT_NEAR(2.0, double(large.w) / small.w, 0.2) << i;
        EXPECT_NEAR(2.0, double(large.h) / small.h, 0.2) << i;
        EXPECT_LE(large.w, limit.w);
        EXPECT_LE(large.h, limit.h);
        at100.push_back(small);
    }
    EXPECT_EQ(Size(), LayoutWindowSize(self, 9999, 192)) << "no such template";
    std::printf("background limit: %d x %d (at 100 %%: %d x %d)\n", limit.w, limit.h, pic::BoxAround(at100).w,
                pic::BoxAround(at100).h);
}

TEST(PictureSize, ADialogTemplateCutAnywhereIsRefused) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(EDITOR_LAYOUT_BASE), reinterpret_cast<LPCSTR>(RT_DIALOG));
    ASSERT_NE(nullptr, found);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(self, found)));
    DialogFacts full;
    ASSERT_TRUE(ReadDialogFacts(data, SizeofResource(self, found), full));
    EXPECT_EQ(240, full.cx);
    EXPECT_EQ(173, full.cy);
    EXPECT_EQ(12, full.pointSize);
    EXPECT_EQ(L"Arial", full.face);
    // The header and font end with the face name; any shorter read fails.
    const std::size_t end = 26 + 2 * (1 + 1 + 8) + 6 + 2 * 6;   // fixed part, menu, class, "autorun", font, "Arial"
    for (std::size_t n = 0; n < end; ++n) {
        DialogFacts facts;
        EXPECT_FALSE(ReadDialogFacts(data, n, facts)) << n;
    }
}

// ---- What the first bytes say ---------------------------------------------------------
std::vector<std::uint8_t> Bytes(std::initializer_list<int> list) {
    std::vector<std::uint8_t> out;
    for (int b : list) out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

TEST(PictureHeader, KindAndSizeFromTheFirstBytes) {
    const auto png = Bytes({0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                            0, 0, 0x0F, 0xA0, 0, 0, 0x0B, 0xB8, 8, 2, 0, 0, 0});
    struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        pic::Format format;
        Size size;
    } cases[] = {
        {"png", png, pic::Format::kPng, {4000, 3000}},
        {"png cut in its header", std::vector<std::uint8_t>(png.begin(), png.begin() + 20), pic::Format::kPng, {}},
        {"png of 30000 x 30000", Bytes({0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0,
                                        0x75, 0x30, 0, 0, 0x75, 0x30}), pic::Format::kPng, {30000, 30000}},
        {"jpeg after an app segment and fill bytes",
         Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F', 0xFF, 0xFF, 0xFF, 0xC2, 0, 11, 8, 0x0B, 0xB8, 0x0F, 0xA0, 3}),
         pic::Format::kJpeg, {4000, 3000}},
        {"jpeg with its data before a frame", Bytes({0xFF, 0xD8, 0xFF, 0xDA, 0, 4, 0, 0, 0xFF, 0xC0, 0, 11, 8, 0, 1, 0, 1}),
         pic::Format::kJpeg, {}},
        {"jpeg with a segment of length 0", Bytes({0xFF, 0xD8, 0xFF, 0xE1, 0, 0, 0xFF, 0xC0, 0, 11, 8, 0, 1, 0, 1}),
         pic::Format::kJpeg, {}},
        {"jpeg whose segment runs past its end", Bytes({0xFF, 0xD8, 0xFF, 0xE1, 0x40, 0, 0xFF, 0xC0, 0, 11, 8, 0, 1, 0, 1}),
         pic::Format::kJpeg, {}},
        {"jpeg of zero width", Bytes({0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 0, 5, 0, 0, 3}), pic::Format::kJpeg, {}},
        {"gif", Bytes({'G', 'I', 'F', '8', '9', 'a', 0x80, 0x02, 0xE0, 0x01, 0}), pic::Format::kGif, {640, 480}},
        {"tiff, little-endian", Bytes({'I', 'I', 42, 0, 8, 0, 0, 0, 2, 0, 0, 1, 3, 0, 1, 0, 0, 0, 0x80, 2, 0, 0,
                                       1, 1, 4, 0, 1, 0, 0, 0, 0xE0, 1, 0, 0}), pic::Format::kTiff, {640, 480}},
        {"tiff, big-endian, directory past the end", Bytes({'M', 'M', 0, 42, 0x7F, 0, 0, 0}), pic::Format::kTiff, {}},
        {"bitmap, bottom-up or top-down", Bytes({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                                 8, 0, 0, 0, 0xFA, 0xFF, 0xFF, 0xFF, 1, 0, 24, 0}), pic::Format::kBmp, {8, 6}},
        {"text", Bytes({'h', 'e', 'l', 'l', 'o', '\n'}), pic::Format::kUnknown, {}},
        {"nothing", {}, pic::Format::kUnknown, {}},
    };
    for (const auto& c : cases) {
        pic::MemorySource source(c.bytes.data(), c.bytes.size());
        const pic::Header h = pic::ReadHeader(source);
        EXPECT_EQ(int(c.format), int(h.format)) << c.name;
        EXPECT_EQ(c.size, h.size) << c.name;
    }
    EXPECT_TRUE(pic::TooLargeToRead({30000, 30000}));
    EXPECT_TRUE(pic::TooLargeToRead({40000, 10}));
    EXPECT_FALSE(pic::TooLargeToRead({8192, 8192}));
}

TEST(PictureFileKind, OnlyBmpIsCopiedAsItIs) {
    for (const wchar_t* p : {L"c:\\a\\x.bmp", L"X.BMP", L"a.jpg.bmp", L"c:\\\x5199\x771F\\\xE9t\xE9.bmp"})
        EXPECT_TRUE(pic::CopiedAsItIs(p)) << text::U8(p);
    for (const wchar_t* p : {L"x.png", L"x.jpeg", L"bmp", L"x.bmp.png", L"x.bm", L"", L"c:\\bmp\\x", L"\x5199\x771F.bmp\x3002"})
        EXPECT_FALSE(pic::CopiedAsItIs(p)) << text::U8(p);
    // The filter lists "All pictures" first, so the dialog opens with it.
    EXPECT_EQ(0u, std::wstring(pic::kBrowseFilter).find(L"All pictures|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff|"));
}

// ---- The conversion ---------------------------------------------------------------------
TEST(PictureConversion, FineDetailTurnsGreyAndClearPartsWhite) {
    EXPECT_EQ(0xFFFFFFu, pic::OnWhite(0x00000000));
    EXPECT_EQ(0x102030u, pic::OnWhite(0xFF102030));
    EXPECT_EQ(0x7F7F7Fu, pic::OnWhite(0x80000000));   // half covered black: half way to white
    EXPECT_EQ(0xFF7F7Fu, pic::OnWhite(0x80FF0000));

    // Columns one pixel wide, alternating, reduced by four: all grey.
    const Size source{16, 8}, target{4, 2};
    std::vector<std::uint32_t> rows;
    for (int y = 0; y < source.h; ++y)
        for (int x = 0; x < source.w; ++x) rows.push_back(x % 2 ? 0xFFFFFFFFu : 0xFF000000u);
    pic::Converter converter(source, target);
    converter.AddRows(rows.data(), 3, source.w);
    EXPECT_FALSE(converter.Complete());
    EXPECT_TRUE(converter.BitmapFile().empty()) << "no file before every row came";
    converter.AddRows(rows.data() + 3 * source.w, 5, source.w);
    ASSERT_TRUE(converter.Complete());
    const std::vector<std::uint8_t> file = converter.BitmapFile();
    ASSERT_EQ(pic::Bitmap24Bytes(target), file.size());
    ASSERT_EQ(54u + 2 * 12, file.size());
    for (std::size_t i = 54; i < file.size(); ++i) EXPECT_NEAR(128, file[i], 1) << i;   // rows need no padding
}

TEST(PictureConversion, BitmapFileIsBottomUpWithPaddedRows) {
    // Two rows of three pixels: 9 bytes a row, padded to 12.
    const std::uint32_t px[6] = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112};
    const std::vector<std::uint8_t> f = pic::Bitmap24File(px, {3, 2});
    ASSERT_EQ(54u + 24, f.size());
    EXPECT_EQ('B', f[0]);
    EXPECT_EQ(78, f[2]);
    EXPECT_EQ(54, f[10]);
    EXPECT_EQ(40, f[14]);
    EXPECT_EQ(3, f[18]);
    EXPECT_EQ(2, f[22]);
    EXPECT_EQ(24, f[28]);
    EXPECT_EQ(0, f[30]) << "no compression";
    // The bottom row first, each pixel blue, green, red.
    EXPECT_EQ(Bytes({0x0C, 0x0B, 0x0A, 0x0F, 0x0E, 0x0D, 0x12, 0x11, 0x10, 0, 0, 0}),
              std::vector<std::uint8_t>(f.begin() + 54, f.begin() + 66));
    EXPECT_EQ(0x03, f[66]);
}

// ---- Real files through the system's decoder ------------------------------------------------
class PictureFiles : public ::testing::Test {
protected:
    void SetUp() override {
        pictures = drv::Env("TLK_PICTURES");
        if (pictures.empty()) GTEST_SKIP() << "TLK_PICTURES not set";
    }
    std::wstring Picture(const wchar_t* name) const { return text::W(pictures) + L"\\" + name; }
    std::string pictures;
    // A folder whose name is not ASCII: the pictures are read and written
    // through the system's wide functions.
    TempDir dir{L"pictures-\xE9\x5199"};
};

TEST_F(PictureFiles, ATiffIsReducedIntoTheLimit) {
    const std::wstring target = dir.File(L"autorun.bmp");
    const PlacedPicture placed = PlacePicture(Picture(L"photo.tif").c_str(), target.c_str(), BackgroundLimit());
    ASSERT_TRUE(placed.ok) << placed.message;
    EXPECT_TRUE(placed.converted);
    EXPECT_EQ(Size({4000, 3000}), placed.original);
    EXPECT_EQ(pic::ReducedSize({4000, 3000}, BackgroundLimit()), placed.written);
    EXPECT_EQ(pic::Bitmap24Bytes(placed.written), files::ReadAll(target).size());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((target + L".new").c_str())) << "no temporary file is left";
}

TEST_F(PictureFiles, HostileFilesAreRefusedOrReadSafelyAndARefusalChangesNothing) {
    const std::string png = files::ReadAll(Picture(L"photo.png"));
    const std::string jpg = files::ReadAll(Picture(L"photo.jpg"));
    const std::string gif = files::ReadAll(Picture(L"photo.gif"));
    ASSERT_FALSE(png.empty());
    std::string huge = png;
    huge.replace(16, 8, std::string("\0\0\x75\x30\0\0\x75\x30", 8));   // 30000 x 30000 in the header
    struct {
        const char* name;
        std::string bytes;
        bool mustRefuse;
    } cases[] = {
        {"text.png", "This is a text file, renamed.\r\n", true},
        {"\xE6\x96\x87\xE6\x9C\xAC \xF0\x9F\x93\xB7.png", "Named in letters of other scripts.\r\n", true},
        {"empty.jpg", "", true},
        {"huge.png", huge, true},
        {"bitmap named.png", std::string("BM") + std::string(60, '\0'), true},
        {"half.png", png.substr(0, png.size() / 2), false},
        {"header only.png", png.substr(0, 33), true},
        {"cut.jpg", jpg.substr(0, jpg.size() / 3), false},
        {"frame only.jpg", jpg.substr(0, 700), false},
        {"cut.gif", gif.substr(0, 40), false},
    };
    const std::wstring target = dir.File(L"autorun.bmp");
    const std::string before = "the background before";
    for (const auto& c : cases) {
        dir.Write(c.name, c.bytes);
        dir.Write("autorun.bmp", before);
        const PlacedPicture placed = PlacePicture(text::W(dir.File(c.name)).c_str(), target.c_str(), BackgroundLimit());
        if (c.mustRefuse) {
            EXPECT_FALSE(placed.ok) << c.name;
        }
        if (!placed.ok) {
            EXPECT_EQ(0u, placed.message.find(dir.File(c.name))) << c.name << ": " << placed.message;
            EXPECT_EQ(before, files::ReadAll(target)) << c.name;
        } else {
            EXPECT_EQ(pic::Bitmap24Bytes(placed.written), files::ReadAll(target).size()) << c.name;
        }
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((target + L".new").c_str())) << c.name;
    }
    dir.Write("autorun.bmp", before);
    const PlacedPicture huge30000 = PlacePicture(dir.File(L"huge.png").c_str(), target.c_str(), BackgroundLimit());
    EXPECT_NE(std::string::npos, huge30000.message.find("30000 x 30000 pixels: too large")) << huge30000.message;
}

}  // namespace
