// The image button: which picture shows in which state, and how it is
// placed in the button (unscaled, from the top-left corner, clipped).
#include "platform/BitmapButton.h"
#include "support/files.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <vector>

namespace {

const COLORREF kUntouched = RGB(255, 0, 255);

// A 32-bit drawing surface to draw buttons on and read back.
class Canvas {
public:
    Canvas(int w, int h) : m_w(w), m_h(h) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all = {0, 0, w, h};
        HBRUSH b = CreateSolidBrush(kUntouched);
        FillRect(m_dc, &all, b);
        DeleteObject(b);
    }
    ~Canvas() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        uint32_t p = m_bits[y * m_w + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int m_w, m_h;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    uint32_t* m_bits = nullptr;
};

// A bitmap resource's pixels as stored, read without the button's help.
// A button image as the button shows it: the classic face grey becomes
// the system's face colour.
struct RawImage : files::Pixels {
    COLORREF Shown(int x, int y) const {
        COLORREF c = At(x, y);
        return c == RGB(192, 192, 192) ? GetSysColor(COLOR_BTNFACE) : c;
    }
};

RawImage LoadRaw(const char* name) {
    RawImage img;
    static_cast<files::Pixels&>(img) = files::TakePixels(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return img;
}

DRAWITEMSTRUCT Item(HDC dc, RECT rc, UINT state) {
    DRAWITEMSTRUCT d = {};
    d.CtlType = ODT_BUTTON;
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = state;
    d.hDC = dc;
    d.rcItem = rc;
    return d;
}

// Number of pixels in the rectangle that differ from the image placed at
// the rectangle's top-left corner.
int Mismatches(const Canvas& c, RECT rc, const RawImage& img) {
    int bad = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            int ix = x - rc.left, iy = y - rc.top;
            COLORREF want = ix < img.w && iy < img.h ? img.Shown(ix, iy) : GetSysColor(COLOR_BTNFACE);
            bad += c.At(x, y) != want;
        }
    return bad;
}

}  // namespace

TEST(BitmapButtonState, PressedBeatsFocusedBeatsDisabled) {
    const bool all[4] = {true, true, true, true};
    EXPECT_EQ(CBitmapButton::kNormal, CBitmapButton::ImageFor(0, all));
    EXPECT_EQ(CBitmapButton::kPressed, CBitmapButton::ImageFor(ODS_SELECTED | ODS_FOCUS, all));
    EXPECT_EQ(CBitmapButton::kFocused, CBitmapButton::ImageFor(ODS_FOCUS, all));
    EXPECT_EQ(CBitmapButton::kDisabled, CBitmapButton::ImageFor(ODS_DISABLED, all));
    EXPECT_EQ(CBitmapButton::kFocused, CBitmapButton::ImageFor(ODS_FOCUS | ODS_DISABLED, all));
}

TEST(BitmapButtonState, MissingImagesFallBackToTheNormalOne) {
    const bool normalOnly[4] = {true, false, false, false};
    for (UINT state : {0u, UINT(ODS_SELECTED), UINT(ODS_FOCUS), UINT(ODS_DISABLED), UINT(ODS_SELECTED | ODS_FOCUS)})
        EXPECT_EQ(CBitmapButton::kNormal, CBitmapButton::ImageFor(state, normalOnly)) << state;
    const bool noPressed[4] = {true, false, true, false};
    EXPECT_EQ(CBitmapButton::kFocused, CBitmapButton::ImageFor(ODS_SELECTED | ODS_FOCUS, noPressed));
}

TEST(BitmapButtonDrawing, ShowsTheImageOfEachState) {
    RawImage up = LoadRaw("WIZARDU"), down = LoadRaw("WIZARDD"), focus = LoadRaw("WIZARDF");
    ASSERT_EQ(60, up.w);
    ASSERT_EQ(60, up.h);
    ASSERT_NE(up.px, down.px);
    ASSERT_NE(up.px, focus.px);
    ASSERT_GT(up.Count(RGB(192, 192, 192)), 0) << "the corners are face grey";

    CBitmapButton button;
    ASSERT_TRUE(button.LoadBitmaps(L"WIZARDU", L"WIZARDD", L"WIZARDF"));
    EXPECT_EQ(60, button.ImageSize(CBitmapButton::kNormal).cx);
    EXPECT_EQ(0, button.ImageSize(CBitmapButton::kDisabled).cx) << "no disabled image exists";
    const RECT rc = {0, 0, 60, 60};
    struct Case { UINT state; const RawImage* image; } cases[] = {
        {0, &up}, {ODS_FOCUS, &focus}, {ODS_SELECTED | ODS_FOCUS, &down}, {ODS_DISABLED, &up}};
    for (const Case& c : cases) {
        Canvas canvas(60, 60);
        button.DrawItem(Item(canvas.Dc(), rc, c.state));
        EXPECT_EQ(0, Mismatches(canvas, rc, *c.image)) << "state " << c.state;
    }
}

TEST(BitmapButtonDrawing, SingleImageIsClippedToASmallerButtonNotScaled) {
    RawImage logo = LoadRaw("TLKLOGO");
    ASSERT_EQ(344, logo.w);
    ASSERT_EQ(63, logo.h);
    CBitmapButton button;
    ASSERT_TRUE(button.LoadBitmaps(L"TLKLOGO"));
    Canvas canvas(200, 80);
    const RECT rc = {5, 7, 105, 37};   // 100 x 30 at (5, 7)
    button.DrawItem(Item(canvas.Dc(), rc, ODS_SELECTED | ODS_FOCUS));
    EXPECT_EQ(0, Mismatches(canvas, rc, logo));
    // Nothing is drawn outside the button.
    EXPECT_EQ(kUntouched, canvas.At(4, 20));
    EXPECT_EQ(kUntouched, canvas.At(105, 20));
    EXPECT_EQ(kUntouched, canvas.At(50, 37));
    EXPECT_EQ(kUntouched, canvas.At(50, 6));
}

TEST(BitmapButtonDrawing, SingleImageInALargerButtonLeavesTheFaceAroundIt) {
    RawImage logo = LoadRaw("TLKLOGO");
    CBitmapButton button;
    ASSERT_TRUE(button.LoadBitmaps(L"TLKLOGO"));
    Canvas canvas(400, 90);
    const RECT rc = {0, 0, 400, 90};
    button.DrawItem(Item(canvas.Dc(), rc, 0));
    EXPECT_EQ(0, Mismatches(canvas, rc, logo));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), canvas.At(399, 89));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), canvas.At(10, 70));
}

TEST(BitmapButtonDrawing, WithoutImagesOnlyTheFaceShows) {
    CBitmapButton button;
    EXPECT_FALSE(button.LoadBitmaps(L"NO_SUCH_IMAGE_U"));
    EXPECT_FALSE(button.LoadBitmaps(nullptr));
    Canvas canvas(20, 20);
    button.DrawItem(Item(canvas.Dc(), RECT{0, 0, 20, 20}, ODS_FOCUS));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), canvas.At(0, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), canvas.At(19, 19));
}
