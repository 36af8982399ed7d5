// Start-up of the real editor: its window, the emptied work directory,
// what reaches the screen, and leaving without changes.
#include "editor_session.h"
#include "support/files.h"
#include <cstdint>
#include <vector>

namespace {

struct ControlFacts {
    int id;
    const char* text;
    bool ownerDrawn;
};

const ControlFacts kControls[] = {
    {2000, "Logo", true},   {2001, "wizard", true}, {2002, "test", true},     {2003, "build", true},
    {2004, "help", true},   {1097, "exit", true},   {1089, "Step 1", false}, {1090, "Step 2", false},
    {1091, "Step 3", false},
};

const char* const kStaticTexts[] = {"First use the Wizard to design your Autoplay", "Test how your Autoplay Works",
                                    "Build the Autoplay files for the CD"};

// A bitmap file's pixels, top row first.
files::Pixels LoadPicture(const std::string& path) {
    return files::TakePixels(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

// Pixels of the screen rectangle that differ from the picture placed at
// its top-left corner; the picture's face grey shows as the face colour.
int ScreenMismatches(HWND control, const files::Pixels& pic, int w, int h) {
    RECT r;
    GetWindowRect(control, &r);
    HDC screen = GetDC(nullptr);
    int bad = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF want = pic.At(x, y);
            if (want == RGB(192, 192, 192)) want = GetSysColor(COLOR_BTNFACE);
            bad += GetPixel(screen, r.left + x, r.top + y) != want;
        }
    ReleaseDC(nullptr, screen);
    return bad;
}

}  // namespace

class EditorStartup : public ::testing::Test {
protected:
    ed::Session s;
};

TEST_F(EditorStartup, MainWindowHasItsCaptionAndEveryControl) {
    ASSERT_NE(nullptr, s.Start());
    EXPECT_EQ(ed::kMainTitle, drv::Text(s.main));
    for (const ControlFacts& c : kControls) {
        HWND control = GetDlgItem(s.main, c.id);
        ASSERT_NE(nullptr, control) << c.id;
        EXPECT_TRUE(IsWindowVisible(control)) << c.id;
        EXPECT_EQ(c.text, drv::Text(control)) << c.id;
        LONG style = GetWindowLongA(control, GWL_STYLE);
        EXPECT_EQ(c.ownerDrawn, (style & 0x0F) == BS_OWNERDRAW && ed::ClassOf(control) == "Button") << c.id;
        if (c.ownerDrawn) {
            EXPECT_EQ(c.id != 2000, (style & WS_TABSTOP) != 0) << c.id << ": tab stops";
        }
    }
    std::string statics = ed::StaticTexts(s.main);
    for (const char* t : kStaticTexts) EXPECT_NE(std::string::npos, statics.find(t)) << t;

    LONG style = GetWindowLongA(s.main, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongA(s.main, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "shown on the task bar";
    EXPECT_NE(nullptr, GetMenu(s.main));
}

TEST_F(EditorStartup, StepButtonsAreSizedToTheirPicturesAndTheLabelsStandLeft) {
    ASSERT_NE(nullptr, s.Start());
    struct { int id, w, h; } sizes[] = {{2001, 60, 60}, {2002, 60, 60}, {2003, 60, 60}, {2004, 35, 34}, {1097, 40, 40}};
    for (auto& z : sizes) {
        RECT r;
        GetWindowRect(GetDlgItem(s.main, z.id), &r);
        EXPECT_EQ(z.w, r.right - r.left) << z.id;
        EXPECT_EQ(z.h, r.bottom - r.top) << z.id;
    }
    // Each label stands left of its step and the steps go down the window.
    RECT step1 = drv::ChildRect(s.main, GetDlgItem(s.main, 1089));
    RECT wizard = drv::ChildRect(s.main, GetDlgItem(s.main, 2001));
    RECT build = drv::ChildRect(s.main, GetDlgItem(s.main, 2003));
    EXPECT_LT(step1.right, wizard.left + 1);
    EXPECT_LT(wizard.top, build.top);
}

TEST_F(EditorStartup, WorkDirectoryHoldsOnlyTheEmptyBackground) {
    s.dir.Write("autorun.bmp", "BM a background left from the last run");
    s.dir.Write("auto.tdf", "[100]\r\n200=Last Run\r\n");
    s.dir.Write("click.wav", "RIFF");
    s.dir.Write("LOUD.WAV", "RIFF");
    s.dir.Write("notes.txt", "the user's own file");
    s.dir.Write("auto2.tdf", "[100]\r\n");
    ASSERT_NE(nullptr, s.Start());

    std::string nodef = ed::ReadAll(s.Work("BMPS\\nodef.bmp"));
    ASSERT_FALSE(nodef.empty());
    EXPECT_EQ(nodef, ed::ReadAll(s.Work("autorun.bmp")));
    EXPECT_FALSE(s.dir.Exists("auto.tdf"));
    EXPECT_FALSE(s.dir.Exists("click.wav"));
    EXPECT_FALSE(s.dir.Exists("LOUD.WAV"));
    EXPECT_TRUE(s.dir.Exists("notes.txt"));
    EXPECT_TRUE(s.dir.Exists("auto2.tdf"));
    for (const char* kept : {"tlkedit.exe", "autorun.exe", "autorun.inf", "help\\index.htm"})
        EXPECT_TRUE(s.dir.Exists(kept)) << kept;
}

TEST_F(EditorStartup, FreshInstallationGetsItsBackground) {
    ASSERT_FALSE(s.dir.Exists("autorun.bmp"));
    ASSERT_NE(nullptr, s.Start());
    EXPECT_EQ(ed::ReadAll(s.Work("BMPS\\nodef.bmp")), ed::ReadAll(s.Work("autorun.bmp")));
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(s.Work("*.wav").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h) << "no sound file in the work directory";
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(EditorStartup, ButtonsShowTheirPicturesOnScreen) {
    ASSERT_NE(nullptr, s.Start());
    const std::string res = drv::Env("TLK_ASSETS") + "\\res\\";
    files::Pixels focused = LoadPicture(res + "WIZARDF.bmp"), test = LoadPicture(res + "TESTU.bmp");
    files::Pixels logo = LoadPicture(res + "TLKLOGO.bmp");
    ASSERT_EQ(60, focused.w);
    ASSERT_EQ(344, logo.w);
    SetForegroundWindow(s.main);
    drv::Settle(s.main, 400);
    // The wizard button has the focus at start: it shows its focus picture.
    EXPECT_EQ(0, ScreenMismatches(GetDlgItem(s.main, 2001), focused, 60, 60));
    EXPECT_EQ(0, ScreenMismatches(GetDlgItem(s.main, 2002), test, 60, 60));
    // The logo's picture, unscaled from its top-left corner, as far as the button reaches.
    RECT r;
    GetWindowRect(GetDlgItem(s.main, 2000), &r);
    int w = r.right - r.left < logo.w ? r.right - r.left : logo.w;
    int h = r.bottom - r.top < logo.h ? r.bottom - r.top : logo.h;
    EXPECT_EQ(0, ScreenMismatches(GetDlgItem(s.main, 2000), logo, w, h));
}

class LeavingWithoutChanges : public ::testing::TestWithParam<int> {
protected:
    ed::Session s;
};

TEST_P(LeavingWithoutChanges, ClosesWithoutAQuestion) {
    ASSERT_NE(nullptr, s.Start());
    switch (GetParam()) {
    case 0: s.Click(1097); break;                                   // the Exit button
    case 1: s.Command(32776); break;                                // File > Exit
    case 2: PostMessageA(s.main, WM_SYSCOMMAND, SC_CLOSE, 0); break; // the close box
    case 3: s.Command(IDCANCEL); break;                             // Escape
    }
    EXPECT_TRUE(s.Ended(10000));
    EXPECT_EQ(nullptr, drv::WaitWindow(s.proc.Id(), 100, "#32770", ed::kBoxTitle));
}

INSTANTIATE_TEST_SUITE_P(Routes, LeavingWithoutChanges, ::testing::Range(0, 4));
