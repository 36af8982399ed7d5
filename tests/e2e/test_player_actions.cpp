// The player's background, highlight and clicks, seen on the screen and in
// the files the started programs leave.
#include "player_fixture.h"
#include "support/bmpwriter.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const COLORREF kNormal = RGB(0, 255, 0);
const COLORREF kHighlight = RGB(255, 0, 255);
const COLORREF kPaper = RGB(0, 0, 96);

std::string Colours() {
    return "[1000]\r\n1200=0\r\n1300=255\r\n1400=0\r\n[1100]\r\n1200=255\r\n1300=0\r\n1400=255\r\n";
}

bmpw::Bytes PlainPicture(int w, int h, COLORREF c) {
    return bmpw::SolidPicture(w, h, {GetRValue(c), GetGValue(c), GetBValue(c)});
}

// Four coloured quarters: red, green / blue, yellow (top row first).
const COLORREF kQuarter[4] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
bmpw::Bytes Quarters(int w, int h, int bits) {
    bmpw::BmpRecipe s = bmpw::ValidRecipe(w, h, bits);
    if (bits == 8) {
        s.colors.assign(256, bmpw::Rgb{0, 0, 0});
        for (int i = 0; i < 4; ++i)
            s.colors[i] = bmpw::Rgb{GetRValue(kQuarter[i]), GetGValue(kQuarter[i]), GetBValue(kQuarter[i])};
    }
    s.pixels = bmpw::PackRows(w, h, bits, false, [w, h, bits](int x, int y) {
        int q = (y >= h / 2 ? 2 : 0) + (x >= w / 2 ? 1 : 0);
        if (bits == 8) return uint32_t(q);
        COLORREF c = kQuarter[q];
        return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    });
    return bmpw::Build(s);
}

class PlayerActions : public PlayerTest {
protected:
    void Activate() {
        SetForegroundWindow(window);
        drv::Settle(window, 200);
    }
    drv::ScreenGrab GrabLine(int slot) { return drv::ScreenGrab(window, LineRect(slot)); }
    // A point of the bare background of layout 0 (no control there).
    POINT Background() {
        RECT c;
        GetClientRect(window, &c);
        POINT p = {c.right * 20 / 240, c.bottom * 62 / 173};
        return p;
    }
    void CopyMarker() { ASSERT_TRUE(drv::CopyInto(drv::Env("TLK_MARKER"), dir.File("marker.exe"))); }
    // The stretched background shows the four colours in its quarters (top
    // row first); then the player is closed for the next start.
    void ExpectQuartersThenClose(const COLORREF (&quarters)[4]) {
        RECT c;
        GetClientRect(window, &c);
        drv::ScreenGrab g(window, c);
        EXPECT_TRUE(drv::Near(quarters[0], g.At(c.right / 4, c.bottom / 8)));
        EXPECT_TRUE(drv::Near(quarters[1], g.At(c.right * 3 / 4, c.bottom / 8)));
        EXPECT_TRUE(drv::Near(quarters[2], g.At(c.right / 4, c.bottom * 7 / 8)));
        EXPECT_TRUE(drv::Near(quarters[3], g.At(c.right * 3 / 4, c.bottom * 7 / 8)));
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(proc.WaitExit(10000));
        proc.Kill();
        window = nullptr;
    }
};

}  // namespace

TEST_F(PlayerActions, StretchedBackgroundShowsEachQuarter) {
    for (int bits : {8, 24}) {
        SCOPED_TRACE(bits);
        ASSERT_TRUE(bmpw::WriteFile(dir.File("autorun.bmp"), Quarters(64, 48, bits)));
        ASSERT_NE(nullptr, Start());
        ExpectQuartersThenClose(kQuarter);
    }
}

// The forms today's tools write beyond the 40- and 12-byte headers' plain
// rows: each background shows its four quarters as a picture viewer does.
TEST_F(PlayerActions, NewerBackgroundFormsShowEachQuarter) {
    // Full channels, which every mask depth holds exactly.
    const COLORREF full[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    const int w = 64, h = 48;
    auto quarter = [&](int x, int y) { return (y >= h / 2 ? 2 : 0) + (x >= w / 2 ? 1 : 0); };
    auto masked = [&](uint32_t rm, uint32_t gm, uint32_t bm) {
        return [&, rm, gm, bm](int x, int y) {
            COLORREF c = full[quarter(x, y)];
            return (GetRValue(c) ? rm : 0) | (GetGValue(c) ? gm : 0) | (GetBValue(c) ? bm : 0);
        };
    };
    struct Form { const char* name; int bits; uint32_t header, compression; std::vector<uint32_t> masks; };
    const Form forms[] = {
        {"108-byte header, 8-bit", 8, 108, 0, {}},
        {"124-byte header, 24-bit", 24, 124, 0, {}},
        {"16-bit 5-6-5 bit fields", 16, 40, 3, {0xF800, 0x07E0, 0x001F}},
        {"32-bit bit fields in the high bytes", 32, 124, 3, {0x0000FF00, 0x00FF0000, 0xFF000000}},
        {"RLE8", 8, 40, 1, {}},
        {"RLE4", 4, 40, 2, {}},
    };
    for (const Form& f : forms) {
        SCOPED_TRACE(f.name);
        bmpw::BmpRecipe s = bmpw::ValidRecipe(w, h, f.bits);
        s.headerSize = f.header;
        s.compression = f.compression;
        s.masks = f.masks;
        if (f.bits <= 8) {
            s.colors.assign(size_t(1) << f.bits, bmpw::Rgb{0, 0, 0});
            for (int i = 0; i < 4; ++i)
                s.colors[i] = bmpw::Rgb{GetRValue(full[i]), GetGValue(full[i]), GetBValue(full[i])};
        }
        const auto index = [&](int x, int y) { return uint32_t(quarter(x, y)); };
        if (f.compression == 1 || f.compression == 2)
            s.pixels = bmpw::EncodeRle(w, h, f.bits, index);
        else if (f.bits <= 8)
            s.pixels = bmpw::PackRows(w, h, f.bits, false, index);
        else if (f.bits == 24)
            s.pixels = bmpw::PackRows(w, h, 24, false, masked(0xFF0000, 0xFF00, 0xFF));
        else
            s.pixels = bmpw::PackRows(w, h, f.bits, false, masked(f.masks[0], f.masks[1], f.masks[2]));
        ASSERT_TRUE(bmpw::WriteFile(dir.File("autorun.bmp"), bmpw::Build(s)));
        ASSERT_NE(nullptr, Start());
        ExpectQuartersThenClose(full);
    }
}

TEST_F(PlayerActions, PictureOfTheClientSizeIsCopiedOneToOne) {
    ASSERT_NE(nullptr, Start());
    RECT c;
    GetClientRect(window, &c);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(proc.WaitExit(10000));
    proc.Kill();

    // One-pixel stripes survive only an unscaled copy.
    bmpw::BmpRecipe s = bmpw::ValidRecipe(c.right, c.bottom, 24);
    s.pixels = bmpw::PackRows(c.right, c.bottom, 24, false,
                              [](int x, int y) { return ((x + y) % 2) ? 0xFFFFFFu : 0x000080u; });
    ASSERT_TRUE(bmpw::WriteFile(dir.File("autorun.bmp"), bmpw::Build(s)));
    ASSERT_NE(nullptr, Start());
    drv::ScreenGrab g(window, c);
    int good = 0, total = 0;
    for (int y = c.bottom - 12; y < c.bottom - 2; ++y)
        for (int x = c.right / 2; x < c.right / 2 + 40; ++x, ++total)
            good += g.At(x, y) == (((x + y) % 2) ? RGB(255, 255, 255) : RGB(0, 0, 128)) ? 1 : 0;
    EXPECT_EQ(total, good);
}

TEST_F(PlayerActions, BrokenPictureLeavesNoBackground) {
    bmpw::Bytes whole = Quarters(64, 48, 24);
    ASSERT_TRUE(bmpw::WriteFile(dir.File("autorun.bmp"), bmpw::Truncated(whole, whole.size() / 2)));
    ASSERT_NE(nullptr, Start());
    RECT c;
    GetClientRect(window, &c);
    drv::ScreenGrab g(window, c);
    for (COLORREF q : kQuarter) EXPECT_EQ(0, g.Count(q, 2)) << "a truncated picture must not be drawn";
    EXPECT_FALSE(proc.WaitExit(0)) << "the player keeps running";
}

TEST_F(PlayerActions, LineUnderThePointerTakesTheHighlightColour) {
    ASSERT_TRUE(bmpw::WriteFile(dir.File("autorun.bmp"), PlainPicture(16, 16, kPaper)));
    dir.Write("auto.tdf", "[100]\r\n500=0\r\n" + Colours() +
                              "[15001]\r\n1=MMMMMMMM\r\n2=WWWWWWWW\r\n13=Heading\r\n");
    ASSERT_NE(nullptr, Start());
    Activate();

    drv::MoveMouse(window, LineCentre(0).x, LineCentre(0).y);
    drv::Settle(window, 300);
    drv::ScreenGrab lit = GrabLine(0);
    drv::ScreenGrab other = GrabLine(1);
    EXPECT_GT(lit.Count(kHighlight, 8), 20);
    EXPECT_EQ(0, lit.Count(kNormal, 8));
    EXPECT_GT(other.Count(kNormal, 8), 20);
    EXPECT_EQ(0, other.Count(kHighlight, 8));

    // Straight onto line 2: line 1 returns to normal, line 2 lights.
    drv::MoveMouse(window, LineCentre(1).x, LineCentre(1).y);
    drv::Settle(window, 300);
    EXPECT_EQ(0, GrabLine(0).Count(kHighlight, 8));
    EXPECT_GT(GrabLine(0).Count(kNormal, 8), 20);
    EXPECT_GT(GrabLine(1).Count(kHighlight, 8), 20);

    // Off onto the background: every line normal again.
    POINT bg = Background();
    drv::MoveMouse(window, bg.x, bg.y);
    drv::Settle(window, 300);
    drv::MoveMouse(window, bg.x + 2, bg.y);
    drv::Settle(window, 300);
    EXPECT_EQ(0, GrabLine(1).Count(kHighlight, 8));
    EXPECT_GT(GrabLine(1).Count(kNormal, 8), 20);
}

TEST_F(PlayerActions, GoToShowsTheTargetMenuWithoutRemainsOfTheOld) {
    ASSERT_TRUE(bmpw::WriteFile(dir.File("autorun.bmp"), PlainPicture(16, 16, kPaper)));
    dir.Write("auto.tdf", "[100]\r\n300=2\r\n500=0\r\n" + Colours() +
                              "[15001]\r\n1=Onwards\r\n2=OLD TEXT HERE\r\n13=First\r\n"
                              "[17001]\r\n1=_menu2\r\n"
                              "[15002]\r\n1=Menu Two\r\n13=Second\r\n");
    ASSERT_NE(nullptr, Start());
    Activate();
    ASSERT_GT(GrabLine(1).Count(kNormal, 8), 20);

    POINT p = LineCentre(0);
    drv::Click(window, p.x, p.y);
    drv::Settle(window, 400);
    EXPECT_EQ("Menu Two", drv::ItemText(window, kLineIds[0]));
    EXPECT_EQ("", drv::ItemText(window, kLineIds[1]));
    EXPECT_EQ("Second", drv::ItemText(window, kHeading1));
    drv::ScreenGrab line2 = GrabLine(1);
    EXPECT_EQ(0, line2.Count(kNormal, 60)) << "old text must be erased";
    EXPECT_GT(line2.Count(kPaper, 4), line2.Width() * line2.Height() * 9 / 10);
    // The pointer still rests on line 1: its new text is lit.
    EXPECT_GT(GrabLine(0).Count(kHighlight, 8), 20);
    EXPECT_EQ("", Caption());
}

TEST_F(PlayerActions, ProgramLineStartsWithParametersAndFolderThenQuits) {
    CopyMarker();
    CreateDirectoryA(dir.File("work").c_str(), nullptr);
    std::string work = dir.File("work");
    dir.Write("auto.tdf", "[100]\r\n500=0\r\n[15001]\r\n1=Run and stay\r\n2=Run and quit\r\n"
                          "[17001]\r\n1=marker.exe\r\n2=marker.exe\r\n"
                          "[18001]\r\n1=alpha beta\r\n2=last\r\n"
                          "[19001]\r\n1=" + work + "\r\n2=" + work + "\r\n"
                          "[16001]\r\n1=FALSE\r\n2=TRUE\r\n");
    ASSERT_NE(nullptr, Start());
    Activate();
    PostClick(LineCentre(0));
    auto lines = drv::WaitLines(dir.File("work\\marker.txt"), 1, 8000);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("alpha beta|"));
    EXPECT_TRUE(lines[0].find("work") != std::string::npos) << lines[0];
    EXPECT_FALSE(proc.WaitExit(300)) << "FALSE keeps the player open";

    Sleep(600);
    PostClick(LineCentre(1));
    EXPECT_TRUE(proc.WaitExit(8000)) << "TRUE ends the player";
    lines = drv::WaitLines(dir.File("work\\marker.txt"), 2, 8000);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(0u, lines[1].find("last|"));
}

TEST_F(PlayerActions, ClickLockTakesOnlyTheFirstOfTwoQuickClicks) {
    CopyMarker();
    dir.Write("auto.tdf", "[100]\r\n500=0\r\n[15001]\r\n1=One\r\n2=Two\r\n"
                          "[17001]\r\n1=marker.exe\r\n2=marker.exe\r\n[18001]\r\n1=first\r\n2=second\r\n");
    ASSERT_NE(nullptr, Start());
    Activate();
    PostClick(LineCentre(0));
    Sleep(300);
    PostClick(LineCentre(1));
    auto lines = drv::WaitLines(dir.File("marker.txt"), 2, 2500);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("first|"));

    Sleep(600);
    PostClick(LineCentre(1));
    lines = drv::WaitLines(dir.File("marker.txt"), 2, 8000);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(0u, lines[1].find("second|"));
}

TEST_F(PlayerActions, ClicksWhileAnotherWindowIsActiveDoNothing) {
    CopyMarker();
    dir.Write("auto.tdf", "[100]\r\n500=0\r\n[15001]\r\n1=One\r\n[17001]\r\n1=marker.exe\r\n");
    ASSERT_NE(nullptr, Start());

    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 600, 200, 100,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, other);
    SetForegroundWindow(other);
    MSG m;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(20);
    }
    drv::Settle(window, 200);
    PostClick(LineCentre(0));
    EXPECT_TRUE(drv::WaitLines(dir.File("marker.txt"), 1, 1500).empty());

    Activate();
    PostClick(LineCentre(0));
    EXPECT_EQ(1u, drv::WaitLines(dir.File("marker.txt"), 1, 8000).size());
    DestroyWindow(other);
}

TEST_F(PlayerActions, UnusableGoToChangesNothing) {
    dir.Write("auto.tdf", "[100]\r\n300=2\r\n500=0\r\n[15001]\r\n1=Zero\r\n2=Far\r\n3=Long\r\n"
                          "[17001]\r\n1=_menu0\r\n2=_menu999\r\n3=_menu1234\r\n[15002]\r\n1=Two\r\n");
    ASSERT_NE(nullptr, Start());
    Activate();
    for (int slot = 0; slot < 3; ++slot) {
        PostClick(LineCentre(slot));
        drv::Settle(window, 650);
    }
    EXPECT_EQ("Zero", drv::ItemText(window, kLineIds[0]));
    EXPECT_EQ("Far", drv::ItemText(window, kLineIds[1]));
    EXPECT_FALSE(proc.WaitExit(0));
}
