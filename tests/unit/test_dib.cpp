// test_dib.cpp - CDibImage: loading .bmp files, palettes and drawing.
//
// Every picture is written by the test itself into a private temporary
// folder, loaded, and where it matters drawn into a 32-bit DIB section so the
// resulting colours can be read back and compared pixel by pixel.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "menu/DibImage.h"
#include "../support/bmpwriter.h"

namespace {

using bmpw::Bytes;
using bmpw::BmpRecipe;
using bmpw::Rgb;

// ---------------------------------------------------------------------------
// Helpers

// A temporary folder per test; files are removed again afterwards.  Deleting
// a file fails while someone still holds it open, so the clean-up also
// catches a loader that forgets to close its handle.
class DibFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static unsigned counter = 0;
        char temp[MAX_PATH];
        const DWORD n = GetTempPathA(MAX_PATH, temp);
        ASSERT_TRUE(n > 0 && n < MAX_PATH);
        char name[64];
        std::snprintf(name, sizeof(name), "dibtest-%lu-%u",
                      static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
        m_dir = std::string(temp) + name + "\\";
        ASSERT_TRUE(CreateDirectoryA(m_dir.c_str(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS);
    }

    void TearDown() override
    {
        for (const std::string& f : m_files)
            EXPECT_TRUE(DeleteFileA(f.c_str())) << "cannot delete " << f << " (still open?)";
        EXPECT_TRUE(RemoveDirectoryA(m_dir.c_str()));
    }

    std::string Write(const std::string& name, const Bytes& bytes)
    {
        const std::string path = m_dir + name;
        EXPECT_TRUE(bmpw::WriteFile(path, bytes)) << path;
        bool known = false;
        for (const std::string& f : m_files)
            known = known || f == path;
        if (!known)
            m_files.push_back(path);
        return path;
    }

    std::string Path(const std::string& name) const { return m_dir + name; }

    std::string m_dir;
    std::vector<std::string> m_files;
};

const COLORREF kUntouched = RGB(0x12, 0x34, 0x56);

// A memory DC with a top-down 32-bit DIB section selected into it.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height), m_bits(NULL)
    {
        m_dc = CreateCompatibleDC(NULL);
        BITMAPINFO bi;
        std::memset(&bi, 0, sizeof(bi));
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = NULL;
        m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
        m_bits = static_cast<DWORD*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
        for (int i = 0; i < width * height; ++i)
            m_bits[i] = (GetRValue(kUntouched) << 16) | (GetGValue(kUntouched) << 8) | GetBValue(kUntouched);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    bool ok() const { return m_dc != NULL && m_bits != NULL; }
    HDC dc() const { return m_dc; }

    Rgb At(int x, int y) const
    {
        GdiFlush();
        const DWORD v = m_bits[y * m_width + x];
        const Rgb c = { static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                        static_cast<std::uint8_t>(v) };
        return c;
    }
    bool Untouched(int x, int y) const
    {
        const Rgb c = At(x, y);
        return c.r == GetRValue(kUntouched) && c.g == GetGValue(kUntouched) && c.b == GetBValue(kUntouched);
    }

private:
    Canvas(const Canvas&);
    Canvas& operator=(const Canvas&);
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DWORD* m_bits;
};

std::string Str(const Rgb& c)
{
    char s[16];
    std::snprintf(s, sizeof(s), "#%02X%02X%02X", c.r, c.g, c.b);
    return s;
}

RECT Rect(int left, int top, int right, int bottom)
{
    RECT r = { left, top, right, bottom };
    return r;
}

Rgb FromRgb24(std::uint32_t v)
{
    const Rgb c = { static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                    static_cast<std::uint8_t>(v) };
    return c;
}

// The pixel pattern of bmpw::ValidRecipe as a colour.
Rgb ExpectedValidPixel(const BmpRecipe& s, int x, int y)
{
    const std::uint32_t v = static_cast<std::uint32_t>(x * 7 + y * 13 + 1);
    if (s.bitCount <= 8)
        return s.colors[v % (1u << s.bitCount)];
    const std::uint32_t deep = (v * 2654435761u) & 0xFFFFFFu;
    if (s.bitCount == 16) {
        // 5-5-5 components widened to 8 bits; implementations differ in the
        // low three bits, so only the top five are compared (see caller).
        const Rgb c = { static_cast<std::uint8_t>(((deep >> 10) & 31) << 3),
                        static_cast<std::uint8_t>(((deep >> 5) & 31) << 3),
                        static_cast<std::uint8_t>((deep & 31) << 3) };
        return c;
    }
    return FromRgb24(deep);
}

void ExpectPaletteMatches(HPALETTE palette, const std::vector<Rgb>& colors)
{
    ASSERT_TRUE(palette != NULL);
    WORD entries = 0;
    ASSERT_EQ(static_cast<int>(sizeof(entries)), GetObject(palette, sizeof(entries), &entries));
    ASSERT_EQ(colors.size(), entries);
    std::vector<PALETTEENTRY> got(entries);
    ASSERT_EQ(entries, GetPaletteEntries(palette, 0, entries, &got[0]));
    for (WORD i = 0; i < entries; ++i) {
        EXPECT_EQ(colors[i].r, got[i].peRed) << "entry " << i;
        EXPECT_EQ(colors[i].g, got[i].peGreen) << "entry " << i;
        EXPECT_EQ(colors[i].b, got[i].peBlue) << "entry " << i;
        EXPECT_EQ(0, got[i].peFlags) << "entry " << i;
    }
}

void ExpectEmpty(const CDibImage& image)
{
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(0, image.Width());
    EXPECT_EQ(0, image.Height());
    EXPECT_EQ(0, image.ColorCount());
    EXPECT_TRUE(image.Pixels() == NULL);
    EXPECT_TRUE(image.Palette() == NULL);
    Canvas canvas(4, 4);
    ASSERT_TRUE(canvas.ok());
    EXPECT_EQ(0, image.Render(canvas.dc(), Rect(0, 0, 4, 4), Rect(0, 0, 4, 4)));
    EXPECT_EQ(0, image.Render(canvas.dc(), Rect(0, 0, 4, 4), Rect(0, 0, 2, 2)));
    EXPECT_TRUE(canvas.Untouched(0, 0));
}

// ---------------------------------------------------------------------------
// Each supported form loads with the right counts, table, palette and pixels
// and draws 1:1 with the right colours.

struct FormCase {
    int bits;
    bmpw::FieldLayout fields;
    WORD colors;
};

class DibFormTest : public DibFileTest, public ::testing::WithParamInterface<FormCase> {};

TEST_P(DibFormTest, LoadsAndDraws)
{
    const FormCase c = GetParam();
    const int width = 13, height = 6;
    const BmpRecipe recipe = bmpw::ValidRecipe(width, height, c.bits, c.fields);
    const Bytes file = bmpw::Build(recipe);
    const std::string path = Write("form.bmp", file);

    CDibImage image;
    ASSERT_TRUE(image.LoadFromFile(path.c_str()));
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(width, image.Width());
    EXPECT_EQ(height, image.Height());
    EXPECT_EQ(c.colors, image.ColorCount());
    const unsigned entry = c.fields == bmpw::kInfoFields ? 4 : 3;
    const unsigned headerSize = c.fields == bmpw::kInfoFields ? 40 : 12;
    EXPECT_EQ(c.colors * entry, image.ColorTableSize());
    ASSERT_EQ(static_cast<std::ptrdiff_t>(headerSize + c.colors * entry), image.Pixels() - image.Block());
    EXPECT_EQ(file.size() - 14, image.DataSize());
    EXPECT_EQ(0, std::memcmp(image.Pixels(), recipe.pixels.data(), recipe.pixels.size()));

    if (c.colors != 0)
        ExpectPaletteMatches(image.Palette(), recipe.colors);
    else
        EXPECT_TRUE(image.Palette() == NULL);

    Canvas canvas(width, height);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, width, height), Rect(0, 0, width, height)));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgb want = ExpectedValidPixel(recipe, x, y);
            Rgb got = canvas.At(x, y);
            if (c.bits == 16) {
                got.r &= 0xF8; got.g &= 0xF8; got.b &= 0xF8;
            }
            ASSERT_EQ(want, got) << "pixel " << x << "," << y << " want " << Str(want) << " got " << Str(got);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DibFormTest,
    ::testing::Values(FormCase{ 1, bmpw::kInfoFields, 2 }, FormCase{ 4, bmpw::kInfoFields, 16 },
                      FormCase{ 8, bmpw::kInfoFields, 256 }, FormCase{ 16, bmpw::kInfoFields, 0 },
                      FormCase{ 24, bmpw::kInfoFields, 0 }, FormCase{ 32, bmpw::kInfoFields, 0 },
                      FormCase{ 1, bmpw::kCoreFields, 2 }, FormCase{ 4, bmpw::kCoreFields, 16 },
                      FormCase{ 8, bmpw::kCoreFields, 256 }, FormCase{ 24, bmpw::kCoreFields, 0 }));

// ---------------------------------------------------------------------------
// Table and offset rules

TEST_F(DibFileTest, ColorsUsedSixteenInAnEightBitFile)
{
    BmpRecipe s = bmpw::ValidRecipe(4, 4, 8);
    s.colors = bmpw::DistinctColors(16);
    s.colorsUsed = 16;
    s.pixels = bmpw::PackRows(4, 4, 8, false, [](int x, int y) { return std::uint32_t(y * 4 + x); });
    const std::string path = Write("used16.bmp", bmpw::Build(s));

    CDibImage image;
    ASSERT_TRUE(image.LoadFromFile(path.c_str()));
    EXPECT_EQ(16, image.ColorCount());
    EXPECT_EQ(64, image.ColorTableSize());
    EXPECT_EQ(40 + 64, image.Pixels() - image.Block());
    ExpectPaletteMatches(image.Palette(), s.colors);

    Canvas canvas(4, 4);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 4, 4), Rect(0, 0, 4, 4)));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(s.colors[y * 4 + x], canvas.At(x, y)) << x << "," << y;
}

TEST_F(DibFileTest, DeepPictureWithTableGetsPaletteAndDrawsItsOwnColours)
{
    BmpRecipe s = bmpw::ValidRecipe(3, 2, 24);
    s.colors = bmpw::DistinctColors(5);
    s.colorsUsed = 5;
    const std::string path = Write("deep.bmp", bmpw::Build(s));

    CDibImage image;
    ASSERT_TRUE(image.LoadFromFile(path.c_str()));
    EXPECT_EQ(5, image.ColorCount());
    EXPECT_EQ(20, image.ColorTableSize());
    EXPECT_EQ(40 + 20, image.Pixels() - image.Block());
    ExpectPaletteMatches(image.Palette(), s.colors);

    Canvas canvas(3, 2);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 3, 2), Rect(0, 0, 3, 2)));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(ExpectedValidPixel(s, x, y), canvas.At(x, y)) << x << "," << y;
}

TEST_F(DibFileTest, FileOffsetFieldIsIgnoredSoAGapIsDrawnShifted)
{
    // Four extra bytes before the real pixels of a 24-bit picture: they are
    // taken as the first pixel (blue, green, red) and everything moves on.
    BmpRecipe s = bmpw::ValidRecipe(4, 1, 24);
    s.pixels = bmpw::PackRows(4, 1, 24, false, [](int, int) { return std::uint32_t(0x808080); });
    s.gap = Bytes{ 0x00, 0x00, 0xFF, 0x00 };
    const std::string path = Write("gap.bmp", bmpw::Build(s));

    CDibImage image;
    ASSERT_TRUE(image.LoadFromFile(path.c_str()));
    EXPECT_EQ(40, image.Pixels() - image.Block());
    Canvas canvas(4, 1);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 4, 1), Rect(0, 0, 4, 1)));
    const Rgb red = { 0xFF, 0, 0 };
    const Rgb mixed = { 0x80, 0x80, 0x00 };  // gap byte 3, then two grey bytes
    EXPECT_EQ(red, canvas.At(0, 0)) << Str(canvas.At(0, 0));
    EXPECT_EQ(mixed, canvas.At(1, 0)) << Str(canvas.At(1, 0));
}

// The 108- and 124-byte headers, bit-field pixels and run-length rows load
// and draw 1:1 with the colours a picture viewer shows; GDI only ever sees
// plain rows behind a 40-byte header of ours.
TEST_F(DibFileTest, NewerFormsLoadAndDraw)
{
    for (const bmpw::FormSample& sample : bmpw::NewFormSamples()) {
        const BmpRecipe& s = sample.recipe;
        const std::string path = Write("form.bmp", bmpw::Build(s));
        CDibImage image;
        ASSERT_TRUE(image.LoadFromFile(path.c_str())) << sample.name;
        EXPECT_EQ(s.width, image.Width()) << sample.name;
        EXPECT_EQ(s.height, image.Height()) << sample.name;
        if (!s.colors.empty())
            ExpectPaletteMatches(image.Palette(), s.colors);
        Canvas canvas(s.width, s.height);
        ASSERT_TRUE(canvas.ok());
        EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, s.width, s.height), Rect(0, 0, s.width, s.height)))
            << sample.name;
        int wrong = 0;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                if (!(sample.colour(x, y) == canvas.At(x, y)) && ++wrong <= 3)
                    ADD_FAILURE() << sample.name << ": pixel " << x << "," << y << " want "
                                  << Str(sample.colour(x, y)) << " got " << Str(canvas.At(x, y));
    }
}

TEST_F(DibFileTest, TopDownPictureLoadsBottomUpAndDrawsTheSame)
{
    auto colour = [](int x, int y) { return std::uint32_t((x * 40) << 16 | (y * 50) << 8 | 0x11); };
    BmpRecipe down = bmpw::ValidRecipe(5, 4, 24);
    down.height = -4;
    down.pixels = bmpw::PackRows(5, 4, 24, true, colour);
    const std::string path = Write("topdown.bmp", bmpw::Build(down));

    CDibImage image;
    ASSERT_TRUE(image.LoadFromFile(path.c_str()));
    EXPECT_EQ(4, image.Height());
    const Bytes bottomUp = bmpw::PackRows(5, 4, 24, false, colour);
    EXPECT_EQ(0, std::memcmp(image.Pixels(), bottomUp.data(), bottomUp.size()));

    Canvas oneToOne(5, 4), stretched(10, 8);
    ASSERT_TRUE(oneToOne.ok() && stretched.ok());
    EXPECT_NE(0, image.Render(oneToOne.dc(), Rect(0, 0, 5, 4), Rect(0, 0, 5, 4)));
    EXPECT_NE(0, image.Render(stretched.dc(), Rect(0, 0, 10, 8), Rect(0, 0, 5, 4)));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(FromRgb24(colour(x, y)), oneToOne.At(x, y)) << x << "," << y;
            EXPECT_EQ(FromRgb24(colour(x, y)), stretched.At(2 * x + 1, 2 * y + 1)) << x << "," << y;
        }
    }
}

// ---------------------------------------------------------------------------
// Files that are not pictures

TEST_F(DibFileTest, UnreadableFilesLeaveTheImageEmpty)
{
    const Bytes good = bmpw::Build(bmpw::ValidRecipe(4, 4, 8));
    Bytes notBm = good;
    notBm[0] = 'M';
    notBm[1] = 'B';
    Bytes lowercase = good;
    lowercase[0] = 'b';
    lowercase[1] = 'm';

    struct Bad {
        const char* name;
        Bytes bytes;
    };
    const Bad bad[] = {
        { "empty.bmp", Bytes() },
        { "one.bmp", Bytes{ 'B' } },
        { "thirteen.bmp", bmpw::Truncated(good, 13) },
        { "onlybm.bmp", Bytes{ 'B', 'M' } },
        { "fileheader.bmp", bmpw::Truncated(good, 14) },
        { "mb.bmp", notBm },
        { "lower.bmp", lowercase },
    };
    for (const Bad& b : bad) {
        const std::string path = Write(b.name, b.bytes);
        CDibImage image;
        EXPECT_FALSE(image.LoadFromFile(path.c_str())) << b.name;
        ExpectEmpty(image);
    }

    CDibImage image;
    EXPECT_FALSE(image.LoadFromFile(Path("missing.bmp").c_str()));
    ExpectEmpty(image);
    EXPECT_FALSE(image.LoadFromFile(m_dir.c_str()));  // a folder
    ExpectEmpty(image);
    EXPECT_FALSE(image.LoadFromFile(NULL));
    ExpectEmpty(image);
}

// Bytes after the last pixel row are allowed; a file over the size limit is
// refused before anything is allocated for it.
TEST_F(DibFileTest, SizeLimit)
{
    const BmpRecipe s = bmpw::ValidRecipe(4, 4, 8);
    const std::string path = Write("big.bmp", bmpw::Build(s));
    auto setLength = [&](DWORD length) {
        HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, f);
        EXPECT_NE(INVALID_SET_FILE_POINTER, SetFilePointer(f, static_cast<LONG>(length), NULL, FILE_BEGIN));
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

TEST_F(DibFileTest, OpensSharingReadButNotWrite)
{
    const std::string path = Write("shared.bmp", bmpw::Build(bmpw::ValidRecipe(4, 4, 8)));

    // Another reader that lets others read: loading works.
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    CDibImage image;
    EXPECT_TRUE(image.LoadFromFile(path.c_str()));
    CloseHandle(reader);

    // Someone writing to it: the loader does not share writing, so it fails.
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    EXPECT_FALSE(image.LoadFromFile(path.c_str()));
    ExpectEmpty(image);
    CloseHandle(writer);
}

// ---------------------------------------------------------------------------
// Object life: reloading, palettes

TEST_F(DibFileTest, LoadingAgainReplacesTheImageAndItsPalette)
{
    const BmpRecipe eight = bmpw::ValidRecipe(6, 5, 8);
    const std::string first = Write("eight.bmp", bmpw::Build(eight));
    const std::string second = Write("deep.bmp", bmpw::Build(bmpw::ValidRecipe(3, 2, 24)));
    const BmpRecipe four = bmpw::ValidRecipe(2, 7, 4, bmpw::kCoreFields);
    const std::string third = Write("four.bmp", bmpw::Build(four));

    CDibImage image;
    ASSERT_TRUE(image.LoadFromFile(first.c_str()));
    const HPALETTE old = image.Palette();
    ASSERT_TRUE(old != NULL);

    ASSERT_TRUE(image.LoadFromFile(second.c_str()));
    EXPECT_EQ(3, image.Width());
    EXPECT_EQ(2, image.Height());
    EXPECT_EQ(0, image.ColorCount());
    EXPECT_TRUE(image.Palette() == NULL);
    EXPECT_EQ(0u, GetObjectType(old)) << "previous palette not deleted";

    ASSERT_TRUE(image.LoadFromFile(third.c_str()));
    EXPECT_EQ(16, image.ColorCount());
    ExpectPaletteMatches(image.Palette(), four.colors);

    const HPALETTE before = image.Palette();
    EXPECT_FALSE(image.LoadFromFile(Path("missing.bmp").c_str()));
    ExpectEmpty(image);
    EXPECT_EQ(0u, GetObjectType(before));
}

TEST_F(DibFileTest, BuildPaletteAndDeletePalette)
{
    CDibImage image;
    EXPECT_FALSE(image.BuildPalette());  // nothing loaded
    EXPECT_TRUE(image.Palette() == NULL);

    const BmpRecipe s = bmpw::ValidRecipe(4, 4, 1);
    ASSERT_TRUE(image.LoadFromFile(Write("mono.bmp", bmpw::Build(s)).c_str()));
    const HPALETTE first = image.Palette();
    ASSERT_TRUE(first != NULL);

    EXPECT_TRUE(image.BuildPalette());
    EXPECT_TRUE(image.Palette() != NULL);
    EXPECT_EQ(0u, GetObjectType(first)) << "rebuilding must delete the old palette";
    ExpectPaletteMatches(image.Palette(), s.colors);

    const HPALETTE second = image.Palette();
    image.DeletePalette();
    EXPECT_TRUE(image.Palette() == NULL);
    EXPECT_EQ(0u, GetObjectType(second));
    image.DeletePalette();  // twice is harmless
    EXPECT_FALSE(image.IsEmpty()) << "the picture outlives its palette";

    ASSERT_TRUE(image.LoadFromFile(Write("rgb.bmp", bmpw::Build(bmpw::ValidRecipe(2, 2, 32))).c_str()));
    EXPECT_FALSE(image.BuildPalette());
    EXPECT_TRUE(image.Palette() == NULL);
}

TEST_F(DibFileTest, DestructorReleasesThePalette)
{
    const std::string path = Write("p.bmp", bmpw::Build(bmpw::ValidRecipe(2, 2, 8)));
    HPALETTE palette;
    {
        CDibImage image;
        ASSERT_TRUE(image.LoadFromFile(path.c_str()));
        palette = image.Palette();
        ASSERT_EQ(static_cast<DWORD>(OBJ_PAL), GetObjectType(palette));
    }
    EXPECT_EQ(0u, GetObjectType(palette));
}

// ---------------------------------------------------------------------------
// Drawing

class DibRenderTest : public DibFileTest {
protected:
    // An 8x8 one-pixel checker in two colours, 1 bit per pixel.
    void LoadChecker(CDibImage& image)
    {
        BmpRecipe s = bmpw::ValidRecipe(8, 8, 1);
        s.colors = { m_dark, m_light };
        s.pixels = bmpw::PackRows(8, 8, 1, false, [](int x, int y) { return std::uint32_t((x + y) & 1); });
        ASSERT_TRUE(image.LoadFromFile(Write("checker.bmp", bmpw::Build(s)).c_str()));
    }
    Rgb Checker(int x, int y) const { return ((x + y) & 1) ? m_light : m_dark; }

    // A 24-bit picture where every pixel has its own colour.
    static std::uint32_t Gradient(int x, int y) { return std::uint32_t(((x * 17) << 16) | ((y * 23) << 8) | ((x * y) & 0xFF)); }
    void LoadGradient(CDibImage& image, int width, int height)
    {
        BmpRecipe s = bmpw::ValidRecipe(width, height, 24);
        s.pixels = bmpw::PackRows(width, height, 24, false, Gradient);
        ASSERT_TRUE(image.LoadFromFile(Write("gradient.bmp", bmpw::Build(s)).c_str()));
    }

    const Rgb m_dark = { 0x20, 0x10, 0x90 };
    const Rgb m_light = { 0xF0, 0xE0, 0x30 };
};

TEST_F(DibRenderTest, CheckerOneToOneAtAnOffset)
{
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

TEST_F(DibRenderTest, CheckerStretchedByWholeFactors)
{
    CDibImage image;
    LoadChecker(image);
    Canvas canvas(24, 16);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 24, 16), Rect(0, 0, 8, 8)));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(Checker(x / 3, y / 2), canvas.At(x, y)) << x << "," << y;
}

TEST_F(DibRenderTest, GradientOneToOneIsExact)
{
    CDibImage image;
    LoadGradient(image, 15, 9);
    Canvas canvas(15, 9);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 15, 9), Rect(0, 0, 15, 9)));
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 15; ++x)
            ASSERT_EQ(FromRgb24(Gradient(x, y)), canvas.At(x, y)) << x << "," << y;
}

TEST_F(DibRenderTest, GradientStretchedAndShrunk)
{
    CDibImage image;
    LoadGradient(image, 6, 4);
    Canvas big(12, 12);
    ASSERT_TRUE(big.ok());
    EXPECT_NE(0, image.Render(big.dc(), Rect(0, 0, 12, 12), Rect(0, 0, 6, 4)));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(FromRgb24(Gradient(x / 2, y / 3)), big.At(x, y)) << x << "," << y;

    // Shrinking a picture of 2x2 blocks by half must give one pixel per block
    // whichever of the four pixels the stretch keeps.
    BmpRecipe blocks = bmpw::ValidRecipe(8, 6, 24);
    blocks.pixels = bmpw::PackRows(8, 6, 24, false, [](int x, int y) { return Gradient(x / 2, y / 2); });
    ASSERT_TRUE(image.LoadFromFile(Write("blocks.bmp", bmpw::Build(blocks)).c_str()));
    Canvas small(4, 3);
    ASSERT_TRUE(small.ok());
    EXPECT_NE(0, image.Render(small.dc(), Rect(0, 0, 4, 3), Rect(0, 0, 8, 6)));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(FromRgb24(Gradient(x, y)), small.At(x, y)) << x << "," << y;
}

TEST_F(DibRenderTest, OneToOnePartOfThePictureCountsRowsFromTheTop)
{
    CDibImage image;
    LoadGradient(image, 9, 7);
    Canvas canvas(4, 3);
    ASSERT_TRUE(canvas.ok());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 4, 3), Rect(2, 1, 6, 4)));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(FromRgb24(Gradient(x + 2, y + 1)), canvas.At(x, y)) << x << "," << y;
}

TEST_F(DibRenderTest, PaletteIsSelectedOnlyForTheBlit)
{
    CDibImage image;
    LoadChecker(image);
    ASSERT_TRUE(image.Palette() != NULL);
    Canvas canvas(8, 8);
    ASSERT_TRUE(canvas.ok());
    const HGDIOBJ before = GetCurrentObject(canvas.dc(), OBJ_PAL);
    ASSERT_TRUE(before != NULL);
    ASSERT_TRUE(before != image.Palette());
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 8, 8), Rect(0, 0, 8, 8)));
    EXPECT_EQ(before, GetCurrentObject(canvas.dc(), OBJ_PAL));
    EXPECT_NE(0, image.Render(canvas.dc(), Rect(0, 0, 4, 4), Rect(0, 0, 8, 8)));
    EXPECT_EQ(before, GetCurrentObject(canvas.dc(), OBJ_PAL));
    EXPECT_EQ(COLORONCOLOR, GetStretchBltMode(canvas.dc()));
}

// ---------------------------------------------------------------------------
// Hostile files: none may crash; each is refused, or loads with header,
// colour table and every pixel row inside what was read, and draws.

TEST_F(DibFileTest, HostileCorpus)
{
    const std::vector<bmpw::Case> corpus = bmpw::HostileCorpus();
    ASSERT_GT(corpus.size(), 100u);
    Canvas canvas(16, 16);
    ASSERT_TRUE(canvas.ok());
    int loaded = 0;
    for (const bmpw::Case& c : corpus) {
        const std::string path = Write("hostile.bmp", c.file);
        CDibImage image;
        const BOOL ok = image.LoadFromFile(path.c_str());
        if (c.expect == bmpw::kMustLoad) {
            EXPECT_TRUE(ok) << c.name;
        } else if (c.expect == bmpw::kMustReject) {
            EXPECT_FALSE(ok) << c.name;
        }
        if (!ok) {
            EXPECT_TRUE(image.IsEmpty()) << c.name;
            EXPECT_TRUE(image.Palette() == NULL) << c.name;
            EXPECT_EQ(0, image.Render(canvas.dc(), Rect(0, 0, 16, 16), Rect(0, 0, 16, 16))) << c.name;
            continue;
        }
        ++loaded;
        const dibfmt::DibLayout& layout = image.Layout();
        ASSERT_FALSE(image.IsEmpty()) << c.name;
        EXPECT_EQ(c.file.size() - 14, image.DataSize()) << c.name;
        EXPECT_GT(image.Width(), 0) << c.name;
        EXPECT_GT(image.Height(), 0) << c.name;
        EXPECT_LE(image.ColorCount(), 256) << c.name;
        EXPECT_EQ(dibfmt::kCompressionNone, layout.compression) << c.name;
        const BYTE* pixels = image.Pixels();
        if (pixels >= image.Block() && pixels < image.Block() + image.DataSize()) {
            const std::size_t pixelStart = static_cast<std::size_t>(pixels - image.Block());
            EXPECT_EQ(layout.colorTableOffset + image.ColorTableSize(), pixelStart) << c.name;
            EXPECT_LE(pixelStart + std::size_t(layout.stride) * image.Height(), image.DataSize()) << c.name;
        }  // else rows decoded beside the block, of exactly the layout's size
        EXPECT_EQ(image.ColorCount() != 0, image.Palette() != NULL) << c.name;
        const RECT whole = Rect(0, 0, image.Width(), image.Height());
        const RECT fit = Rect(0, 0, 16, 16);
        EXPECT_NE(0, image.Render(canvas.dc(), whole, whole)) << c.name;
        EXPECT_NE(0, image.Render(canvas.dc(), fit, whole)) << c.name;
    }
    EXPECT_GT(loaded, 5);
}

}  // namespace
