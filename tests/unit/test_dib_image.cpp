// test_dib_image.cpp - CDibImage as an object: which paths it reads, the
// file size limit, sharing with other programs, reloading, and the life of
// its palette.  What it makes of each file's contents is the corpus's part
// (test_dib.cpp).

#include <cstring>

#include "dib_fixture.h"

namespace {

using bmpw::BmpRecipe;

// Paths that name no readable file.  (Files too short for a file header,
// or without the "BM" signature, are cases of the corpus.)
TEST_F(DibFileTest, PathsWithoutAPictureLeaveTheImageEmpty) {
    CDibImage image;
    EXPECT_FALSE(image.LoadFromFile(Path(L"missing.bmp").c_str()));
    ExpectEmpty(image);
    EXPECT_FALSE(image.LoadFromFile(m_dir.c_str()));  // a folder
    ExpectEmpty(image);
    EXPECT_FALSE(image.LoadFromFile(nullptr));
    ExpectEmpty(image);
}

// Bytes after the last pixel row are allowed; a file over the size limit is
// refused before anything is allocated for it.
TEST_F(DibFileTest, SizeLimit) {
    const BmpRecipe s = bmpw::ValidRecipe(4, 4, 8);
    const std::wstring path = Write(L"big.bmp", bmpw::Build(s));
    auto setLength = [&](DWORD length) {
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, f);
        EXPECT_NE(INVALID_SET_FILE_POINTER, SetFilePointer(f, static_cast<LONG>(length), nullptr, FILE_BEGIN));
        EXPECT_TRUE(SetEndOfFile(f));
        CloseHandle(f);
    };

    setLength(CDibImage::kMaxFileSize);
    CDibImage image;
    ASSERT_TRUE(image.LoadFromFile(path.c_str()));
    EXPECT_EQ(CDibImage::kMaxFileSize - 14, image.DataSize());
    EXPECT_EQ(4, image.Width());
    EXPECT_EQ(40 + 1024, image.Pixels() - image.Block());
    EXPECT_EQ(0, std::memcmp(image.Pixels(), s.pixels.data(), s.pixels.size()));

    setLength(CDibImage::kMaxFileSize + 1);
    EXPECT_FALSE(image.LoadFromFile(path.c_str()));
    ExpectEmpty(image);
}

TEST_F(DibFileTest, OpensSharingReadButNotWrite) {
    const std::wstring path = Write(L"shared.bmp", bmpw::Build(bmpw::ValidRecipe(4, 4, 8)));

    // Another reader that lets others read: loading works.
    HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    CDibImage image;
    EXPECT_TRUE(image.LoadFromFile(path.c_str()));
    CloseHandle(reader);

    // Someone writing to it: the loader does not share writing, so it fails.
    HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    EXPECT_FALSE(image.LoadFromFile(path.c_str()));
    ExpectEmpty(image);
    CloseHandle(writer);
}

// ---------------------------------------------------------------------------
// Object life: reloading, palettes

TEST_F(DibFileTest, LoadingAgainReplacesTheImageAndItsPalette) {
    const BmpRecipe eight = bmpw::ValidRecipe(6, 5, 8);
    const std::wstring first = Write(L"eight.bmp", bmpw::Build(eight));
    const std::wstring second = Write(L"deep.bmp", bmpw::Build(bmpw::ValidRecipe(3, 2, 24)));
    const BmpRecipe four = bmpw::ValidRecipe(2, 7, 4, bmpw::kCoreFields);
    const std::wstring third = Write(L"four.bmp", bmpw::Build(four));

    CDibImage image;
    ASSERT_TRUE(image.LoadFromFile(first.c_str()));
    const HPALETTE old = image.Palette();
    ASSERT_TRUE(old != nullptr);

    ASSERT_TRUE(image.LoadFromFile(second.c_str()));
    EXPECT_EQ(3, image.Width());
    EXPECT_EQ(2, image.Height());
    EXPECT_EQ(0, image.ColorCount());
    EXPECT_TRUE(image.Palette() == nullptr);
    EXPECT_EQ(0u, GetObjectType(old)) << "previous palette not deleted";

    ASSERT_TRUE(image.LoadFromFile(third.c_str()));
    EXPECT_EQ(16, image.ColorCount());
    ExpectPaletteMatches(image.Palette(), four.colors);

    const HPALETTE before = image.Palette();
    EXPECT_FALSE(image.LoadFromFile(Path(L"missing.bmp").c_str()));
    ExpectEmpty(image);
    EXPECT_EQ(0u, GetObjectType(before));
}

TEST_F(DibFileTest, BuildPaletteAndDeletePalette) {
    CDibImage image;
    EXPECT_FALSE(image.BuildPalette());  // nothing loaded
    EXPECT_TRUE(image.Palette() == nullptr);

    const BmpRecipe s = bmpw::ValidRecipe(4, 4, 1);
    ASSERT_TRUE(image.LoadFromFile(Write(L"mono.bmp", bmpw::Build(s)).c_str()));
    const HPALETTE first = image.Palette();
    ASSERT_TRUE(first != nullptr);

    EXPECT_TRUE(image.BuildPalette());
    EXPECT_TRUE(image.Palette() != nullptr);
    EXPECT_EQ(0u, GetObjectType(first)) << "rebuilding must delete the old palette";
    ExpectPaletteMatches(image.Palette(), s.colors);

    const HPALETTE second = image.Palette();
    image.DeletePalette();
    EXPECT_TRUE(image.Palette() == nullptr);
    EXPECT_EQ(0u, GetObjectType(second));
    image.DeletePalette();  // twice is harmless
    EXPECT_FALSE(image.IsEmpty()) << "the picture outlives its palette";

    ASSERT_TRUE(image.LoadFromFile(Write(L"rgb.bmp", bmpw::Build(bmpw::ValidRecipe(2, 2, 32))).c_str()));
    EXPECT_FALSE(image.BuildPalette());
    EXPECT_TRUE(image.Palette() == nullptr);
}

TEST_F(DibFileTest, DestructorReleasesThePalette) {
    const std::wstring path = Write(L"p.bmp", bmpw::Build(bmpw::ValidRecipe(2, 2, 8)));
    HPALETTE palette;
    {
        CDibImage image;
        ASSERT_TRUE(image.LoadFromFile(path.c_str()));
        palette = image.Palette();
        ASSERT_EQ(static_cast<DWORD>(OBJ_PAL), GetObjectType(palette));
    }
    EXPECT_EQ(0u, GetObjectType(palette));
}

}  // namespace
