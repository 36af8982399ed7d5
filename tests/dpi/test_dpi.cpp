// The editor's windows and the menu window at the display scale of the Wine
// prefix the test runs in (TLK_DPI): pictures of that scale, buttons of
// their pictures' size, pictures that fill their buttons on the screen, and
// pixel-height fonts grown with the scale. Runs in-process: fonts cannot be
// read from another process.
#include "editor/EditorDlg.h"
#include "platform/Dpi.h"
#include "platform/ImageScale.h"
#include "player/HeadingFonts.h"
#include "player/PlayerDlg.h"
#include "resources/editor_ids.h"
#include "resources/menu_ids.h"
#include "editor_unit/ui_script.h"
#include "support/files.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>

namespace {

int ExpectedDpi() {
    const char* v = std::getenv("TLK_DPI");
    return v && *v ? std::atoi(v) : 96;
}

// The resource name of a picture in the set for this display.
std::string SetName(const std::string& name) { return name + PictureSetFor(SystemDpi()).suffix; }

// A picture as a button shows it: the classic face grey is the system's face colour.
files::Pixels Picture(const std::string& name) {
    files::Pixels p = files::TakePixels(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    for (COLORREF& c : p.px)
        if (c == RGB(192, 192, 192)) c = GetSysColor(COLOR_BTNFACE);
    return p;
}

// What the screen shows of a window.
files::Pixels Screen(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return files::TakePixels(shot);
}

// Pixels of the screen's picture that differ from the picture placed at its
// top-left corner, over the area both cover.
int Mismatches(const files::Pixels& shown, const files::Pixels& picture) {
    int bad = 0;
    for (int y = 0; y < shown.h && y < picture.h; ++y)
        for (int x = 0; x < shown.w && x < picture.w; ++x) bad += shown.At(x, y) != picture.At(x, y);
    return bad;
}

SIZE SizeOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

LOGFONTA FontOf(HWND control) {
    LOGFONTA lf = {};
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    GetObjectA(font, sizeof lf, &lf);
    return lf;
}

class TestEditorDlg : public CEditorDlg {
public:
    explicit TestEditorDlg(std::string exe) : m_exe(std::move(exe)) {}

protected:
    CString ExecutablePath() const override { return CString(m_exe.c_str()); }
    CString CommandTail() const override { return CString(""); }

private:
    std::string m_exe;
};

// Runs a modal window of this thread until the step has looked at it.
void RunAndLook(CDialog& dialog, std::function<HWND()> find, std::function<void(HWND)> look) {
    HWND window = nullptr;
    DWORD shown = 0;
    ui::Script script({[&] { return (window = find()) != nullptr; },
                       [&] {
                           // Let it paint fully before the screen is read.
                           if (!shown) shown = GetTickCount();
                           UpdateWindow(window);
                           return GetTickCount() - shown > 300;
                       },
                       [&] {
                           look(window);
                           PostMessageA(window, WM_CLOSE, 0, 0);
                           return true;
                       },
                       [&] { return !IsWindow(window); }});
    EXPECT_NE(-1, dialog.DoModal());
    script.Drain();
    EXPECT_TRUE(script.Finished()) << "stopped at step " << script.StepReached();
}

}  // namespace

TEST(DisplayScale, TheProgramRunsAtThePrefixsDpi) {
    EXPECT_EQ(ExpectedDpi(), SystemDpi());
}

TEST(DisplayScale, MainWindowButtonsAndLabelsGrowWithTheScale) {
    const int dpi = SystemDpi();
    TempDir dir("dpimain");
    CreateDirectoryA(dir.File("BMPS").c_str(), nullptr);
    TestEditorDlg dialog(dir.File("tlkedit.exe"));
    RunAndLook(dialog, [] { return ui::FindDialog("TLK Autoplay Varrow"); }, [&](HWND main) {
        struct Button { int id; const char* name; int w, h; } buttons[] = {
            {IDC_WIZARD, "WIZARD", 60, 60}, {IDC_TEST, "TEST", 60, 60}, {IDC_BUILD, "BUILD", 60, 60},
            {IDC_HELP_BUTTON, "HELP", 35, 34}, {IDC_EXIT, "EXIT", 40, 40}};
        for (const Button& b : buttons) {
            SCOPED_TRACE(b.name);
            HWND control = GetDlgItem(main, b.id);
            const SIZE size = SizeOf(control);
            EXPECT_EQ(ScaleToDpi(b.w, dpi), size.cx);
            EXPECT_EQ(ScaleToDpi(b.h, dpi), size.cy);
            // The screen shows the whole picture of the button's state: the
            // normal one, or the focused one on the button with the focus.
            const files::Pixels shown = Screen(control);
            const files::Pixels normal = Picture(SetName(std::string(b.name) + "U"));
            const files::Pixels focused = Picture(SetName(std::string(b.name) + "F"));
            EXPECT_EQ(size.cx, normal.w);
            EXPECT_EQ(size.cy, normal.h);
            const bool match = Mismatches(shown, normal) == 0 || Mismatches(shown, focused) == 0;
            EXPECT_TRUE(match) << Mismatches(shown, normal) << " pixels differ from the picture";
        }
        // The logo: its control grows with the dialog, and so does its picture.
        HWND logo = GetDlgItem(main, IDC_LOGO);
        const SIZE control = SizeOf(logo);
        const files::Pixels picture = Picture(SetName("TLKLOGO"));
        EXPECT_EQ(ScaleToDpi(344, dpi), picture.w);
        EXPECT_EQ(ScaleToDpi(63, dpi), picture.h);
        EXPECT_EQ(0, Mismatches(Screen(logo), picture));
        std::printf("logo control %ldx%ld picture %dx%d\n", control.cx, control.cy, picture.w, picture.h);

        const LOGFONTA step = FontOf(GetDlgItem(main, IDC_STEP1));
        EXPECT_EQ(ScaleToDpi(24, dpi), step.lfHeight);
        EXPECT_EQ(FW_BOLD, step.lfWeight);
    });
}

TEST(DisplayScale, MenuWindowHeadingsGrowWithTheScale) {
    const int dpi = SystemDpi();
    for (int layout : {0, 4}) {
        SCOPED_TRACE(layout);
        g_nTemplateIndex = layout;
        CPlayerDlg menu(kEditorMenuIds);
        RunAndLook(menu, [] { return ui::FindWindowOfThread([](HWND h) { return GetDlgItem(h, EDITOR_IDC_HEAD1) != nullptr; }); },
                   [&](HWND window) {
                       const LOGFONTA h1 = FontOf(GetDlgItem(window, EDITOR_IDC_HEAD1));
                       const LOGFONTA h2 = FontOf(GetDlgItem(window, EDITOR_IDC_HEAD2));
                       EXPECT_EQ(ScaleToDpi(kHeadingFonts[layout].heading1, dpi), h1.lfHeight);
                       EXPECT_EQ(ScaleToDpi(kHeadingFonts[layout].heading2, dpi), h2.lfHeight);
                       EXPECT_STREQ(kHeadingFonts[layout].face, h1.lfFaceName);
                   });
    }
}
