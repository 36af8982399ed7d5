// The editor's windows and the menu window at the display scale of the Wine
// prefix the test runs in (TLK_DPI): pictures of that scale, buttons of
// their pictures' size, pictures that fill their buttons on the screen, and
// pixel-height fonts grown with the scale. Runs in-process: fonts cannot be
// read from another process.
#include "workspace/BackgroundLimit.h"
#include "editor/EditorDlg.h"
#include "editor/EditorMenuIds.h"
#include "platform/Dpi.h"
#include "platform/ImageScale.h"
#include "platform/WinApp.h"
#include "menu/HeadingFonts.h"
#include "menu/PlayerDlg.h"
#include "resources/editor_ids.h"
#include "resources/menu_ids.h"
#include "editor_unit/test_editor_dlg.h"
#include "editor_unit/ui_script.h"
#include "support/files.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int ExpectedDpi() {
    const char* v = std::getenv("TLK_DPI");
    return v && *v ? std::atoi(v) : 96;
}

// The resource name of a picture in the set for this display (the next
// larger set when the display's scale lies between two).
std::wstring SetName(const std::string& name) { return text::W(name) + PictureSetFor(SystemDpi()).suffix; }

// A picture as a button shows it: the classic face grey is the system's
// face colour, and at a scale between the sets, the set's picture reduced
// to the scale's size.
files::Pixels Picture(const std::string& name, int w96, int h96) {
    files::Pixels p = files::TakePixels(LoadPictureResource(GetModuleHandleW(nullptr), SetName(name).c_str()));
    for (COLORREF& c : p.px)
        if (c == RGB(192, 192, 192)) c = GetSysColor(COLOR_BTNFACE);
    const int dpi = SystemDpi(), w = ScaleToDpi(w96, dpi), h = ScaleToDpi(h96, dpi);
    if (p.w > 0 && (p.w != w || p.h != h)) {
        std::vector<uint32_t> src, dst(static_cast<size_t>(w) * h);
        for (COLORREF c : p.px) src.push_back(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        ResampleArea(src.data(), p.w, p.h, dst.data(), w, h);
        p.w = w;
        p.h = h;
        p.px.clear();
        for (uint32_t v : dst) p.px.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    }
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

// Where the control's visible siblings overlap it, in its own coordinates:
// some layouts stack image buttons closer than their pictures are high.
std::vector<RECT> Overlaps(HWND control) {
    std::vector<RECT> out;
    RECT mine;
    GetWindowRect(control, &mine);
    for (HWND c = GetWindow(GetParent(control), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r, both;
        if (c == control || !IsWindowVisible(c)) continue;
        // A group box paints only its frame and caption, around the buttons.
        if (ui::ClassOf(c) == L"Button" && (GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) continue;
        GetWindowRect(c, &r);
        if (IntersectRect(&both, &r, &mine)) {
            OffsetRect(&both, -mine.left, -mine.top);
            out.push_back(both);
        }
    }
    // What the windows around it cut off (a property sheet narrower than
    // its page, for one) does not show either.
    RECT seen = mine;
    for (HWND w = GetParent(control); w; w = GetParent(w)) {
        RECT client;
        GetClientRect(w, &client);
        MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
        IntersectRect(&seen, &seen, &client);
    }
    OffsetRect(&seen, -mine.left, -mine.top);
    const LONG w = mine.right - mine.left, h = mine.bottom - mine.top;
    if (seen.right <= seen.left || seen.bottom <= seen.top) seen = RECT{0, 0, 0, 0};
    out.push_back(RECT{seen.right, 0, w, h});
    out.push_back(RECT{0, seen.bottom, w, h});
    out.push_back(RECT{0, 0, seen.left, h});
    out.push_back(RECT{0, 0, w, seen.top});
    return out;
}

// Pixels of the screen's picture that differ from the picture placed at its
// top-left corner, over the area both cover and no sibling overlaps.
int Mismatches(const files::Pixels& shown, const files::Pixels& picture, const std::vector<RECT>& skip = {}) {
    int bad = 0;
    for (int y = 0; y < shown.h && y < picture.h; ++y)
        for (int x = 0; x < shown.w && x < picture.w; ++x) {
            bool hidden = false;
            for (const RECT& r : skip) hidden = hidden || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            bad += !hidden && shown.At(x, y) != picture.At(x, y);
        }
    return bad;
}

SIZE SizeOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW lf = {};
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

// An image button sized to its picture: its size is the picture's for this
// scale, and the screen shows the whole picture of its state (the normal
// one, or the focused one on the button with the focus).
void CheckSetButton(HWND control, const std::string& name, int w96, int h96) {
    SCOPED_TRACE(name);
    ASSERT_NE(nullptr, control);
    const int dpi = SystemDpi();
    const SIZE size = SizeOf(control);
    EXPECT_EQ(ScaleToDpi(w96, dpi), size.cx);
    EXPECT_EQ(ScaleToDpi(h96, dpi), size.cy);
    const files::Pixels normal = Picture(name + "U", w96, h96);
    const files::Pixels focused = Picture(name + "F", w96, h96);
    EXPECT_EQ(size.cx, normal.w);
    EXPECT_EQ(size.cy, normal.h);
    const files::Pixels shown = Screen(control);
    const std::vector<RECT> skip = Overlaps(control);
    int compared = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            bool hidden = false;
            for (const RECT& r : skip) hidden = hidden || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            compared += !hidden;
        }
    EXPECT_GT(compared, size.cx * size.cy / 4) << "too little of the button shows to judge it";
    const int bad = Mismatches(shown, normal, skip);
    EXPECT_TRUE(bad == 0 || Mismatches(shown, focused, skip) == 0) << bad << " pixels differ from the picture";
}

// A control's size at 96 DPI: its dialog-unit rectangle converted with the
// base units that the dialog's font has at 96 DPI.
SIZE ControlSizeAt96(HWND control) {
    HWND dialog = GetParent(control);
    RECT r;
    GetWindowRect(control, &r);
    RECT units = {0, 0, 4, 8};
    MapDialogRect(dialog, &units);
    LOGFONTW lf = FontOf(dialog);
    lf.lfHeight = MulDiv(lf.lfHeight, 96, SystemDpi());
    HFONT font = CreateFontIndirectW(&lf);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SIZE letters;
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    const int baseX = (letters.cx / 26 + 1) / 2, baseY = tm.tmHeight;
    // Back to dialog units with today's base units, then out with 96 DPI's.
    const int duW = MulDiv(r.right - r.left, 4, units.right), duH = MulDiv(r.bottom - r.top, 8, units.bottom);
    return SIZE{MulDiv(duW, baseX, 4), MulDiv(duH, baseY, 8)};
}

// A single-image button: the screen shows the picture for this scale from
// the control's top-left corner, and the picture covers as much of its
// control as the 100 % picture covers at 96 DPI.
void CheckSingleImage(HWND control, const std::string& name, int w96, int h96) {
    SCOPED_TRACE(name);
    ASSERT_NE(nullptr, control);
    const int dpi = SystemDpi();
    const files::Pixels picture = Picture(name, w96, h96);
    EXPECT_EQ(ScaleToDpi(w96, dpi), picture.w);
    EXPECT_EQ(ScaleToDpi(h96, dpi), picture.h);
    EXPECT_EQ(0, Mismatches(Screen(control), picture, Overlaps(control)));
    const SIZE now = SizeOf(control), then = ControlSizeAt96(control);
    auto covered = [](int picture, long control) { return picture < control ? double(picture) / control : 1.0; };
    EXPECT_NEAR(covered(w96, then.cx), covered(picture.w, now.cx), 0.08) << now.cx << " wide, " << then.cx << " at 96 DPI";
    EXPECT_NEAR(covered(h96, then.cy), covered(picture.h, now.cy), 0.08) << now.cy << " high, " << then.cy << " at 96 DPI";
}

// Runs a modal window of this thread until the step has looked at it.
void RunAndLook(CDialog& dialog, std::function<HWND()> find, std::function<void(HWND)> look) {
    HWND window = nullptr;
    DWORD shown = 0;
    ui::Script script({[&] { return (window = find()) != nullptr; },
                       [&] {
                           // Let it paint fully before the screen is read.
                           if (!shown) shown = GetTickCount();
                           RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
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
    CreateDirectoryW(dir.File(L"BMPS").c_str(), nullptr);
    TestEditorDlg dialog(dir.File(L"tlkedit.exe"));
    RunAndLook(dialog, [] { return ui::FindDialog(L"TLK Autoplay Varrow"); }, [&](HWND main) {
        CheckSetButton(GetDlgItem(main, IDC_WIZARD), "WIZARD", 60, 60);
        CheckSetButton(GetDlgItem(main, IDC_TEST), "TEST", 60, 60);
        CheckSetButton(GetDlgItem(main, IDC_BUILD), "BUILD", 60, 60);
        CheckSetButton(GetDlgItem(main, IDC_HELP_BUTTON), "HELP", 35, 34);
        CheckSetButton(GetDlgItem(main, IDC_EXIT), "EXIT", 40, 40);
        CheckSingleImage(GetDlgItem(main, IDC_LOGO), "TLKLOGO", 344, 63);
        const LOGFONTW step = FontOf(GetDlgItem(main, IDC_STEP1));
        EXPECT_EQ(ScaleToDpi(24, dpi), step.lfHeight);
        EXPECT_EQ(FW_BOLD, step.lfWeight);
    });
}

TEST(DisplayScale, MenuWindowHeadingsGrowWithTheScale) {
    const int dpi = SystemDpi();
    wchar_t module[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, module, MAX_PATH - 1);
    const CString folder = DirectoryWithSlash(module);
    for (int layout : {0, 4}) {
        SCOPED_TRACE(layout);
        CPlayerDlg menu(kEditorMenuIds, layout, folder + def::kDefinitionFile, folder);
        RunAndLook(menu, [] { return ui::FindWindowOfThread([](HWND h) { return GetDlgItem(h, EDITOR_IDC_HEAD1) != nullptr; }); },
                   [&](HWND window) {
                       const LOGFONTW h1 = FontOf(GetDlgItem(window, EDITOR_IDC_HEAD1));
                       const LOGFONTW h2 = FontOf(GetDlgItem(window, EDITOR_IDC_HEAD2));
                       EXPECT_EQ(ScaleToDpi(kHeadingFonts[layout].heading1, dpi), h1.lfHeight);
                       EXPECT_EQ(ScaleToDpi(kHeadingFonts[layout].heading2, dpi), h2.lfHeight);
                       EXPECT_STREQ(kHeadingFonts[layout].face, h1.lfFaceName);
                   });
    }
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The background limit assumes the menu windows' sizes from their templates
// and fonts; the dialog manager makes them so at every scale.
TEST(DisplayScale, MenuWindowsAreTheSizeTheBackgroundLimitMeasures) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    std::vector<pic::Size> windows;
    for (int i = 0; i < 10; ++i) {
        HWND window = CreateDialogParamA(self, MAKEINTRESOURCEA(EDITOR_LAYOUT_BASE + i), nullptr, PlainDialogProc, 0);
        ASSERT_NE(nullptr, window) << i;
        RECT client;
        GetClientRect(window, &client);
        DestroyWindow(window);
        const pic::Size real{client.right, client.bottom};
        EXPECT_EQ(SizeText(real), SizeText(LayoutWindowSize(self, EDITOR_LAYOUT_BASE + i, SystemDpi()))) << i;
        windows.push_back(real);
    }
    if (SystemDpi() == 192) {
        EXPECT_EQ(SizeText(pic::BoxAround(windows)), SizeText(BackgroundLimit()));
    }
}

// The current page holds all its controls, and the sheet holds the page:
// a sheet that sizes its pages with another font than theirs cuts them off.
void CheckPageFits(HWND sheet) {
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(nullptr, page);
    const int kSlack = 4;
    RECT p, s;
    GetWindowRect(page, &p);
    GetClientRect(sheet, &s);
    MapWindowPoints(sheet, nullptr, reinterpret_cast<POINT*>(&s), 2);
    EXPECT_LE(p.right, s.right) << "the page reaches past the sheet";
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c)) continue;
        RECT r;
        GetWindowRect(c, &r);
        EXPECT_LE(r.right, p.right + kSlack) << "control " << GetDlgCtrlID(c) << " is cut off at the right";
        EXPECT_LE(r.bottom, p.bottom + kSlack) << "control " << GetDlgCtrlID(c) << " is cut off at the bottom";
    }
}

TEST(DisplayScale, WizardPicturesGrowWithTheScale) {
    TempDir dir("dpiwizard");
    CreateDirectoryW(dir.File(L"BMPS").c_str(), nullptr);
    TestEditorDlg dialog(dir.File(L"tlkedit.exe"));
    HWND main = nullptr, sheet = nullptr;
    DWORD since = 0;
    // Waits until the control shows, then a little longer so that it has painted.
    auto shown = [&](int id) -> ui::Step {
        return [&, id] {
            HWND c = sheet ? ui::Descendant(sheet, id) : nullptr;
            if (!c || !IsWindowVisible(c)) return false;
            if (!since) since = GetTickCount();
            RedrawWindow(sheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            if (GetTickCount() - since < 300) return false;
            since = 0;
            return true;
        };
    };
    auto next = [&]() -> ui::Step {
        return [&] { PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0); return true; };
    };
    auto look = [&](std::function<void()> f) -> ui::Step { return [f] { f(); return true; }; };
    ui::Script script({
        [&] { return (main = ui::FindDialog(L"TLK Autoplay Varrow")) != nullptr; },
        [&] { PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_WIZARD, BN_CLICKED), 0); return true; },
        [&] { return (sheet = ui::FindWindowOfThread([](HWND h) { return ui::Descendant(h, IDC_WIZLOGO) != nullptr; })) != nullptr; },
        shown(IDC_WIZLOGO),
        look([&] { CheckSingleImage(ui::Descendant(sheet, IDC_WIZLOGO), "WIZLOGO", 72, 61); CheckPageFits(sheet); }),
        next(), shown(IDC_BG_PREVIEW), look([&] { CheckPageFits(sheet); }),
        next(), shown(IDC_TPL_PREVIEW),
        look([&] { CheckSingleImage(ui::Descendant(sheet, IDC_TPL_PREVIEW), "D1", 328, 248); CheckPageFits(sheet); }),
        next(), shown(IDC_ACTION1),
        look([&] {
            int checked = 0;
            for (int k = 0; k < 12; ++k) {
                HWND b = ui::Descendant(sheet, IDC_ACTION1 + k);
                if (b && IsWindowVisible(b)) {
                    CheckSetButton(b, "ACTION", 24, 24);
                    ++checked;
                }
            }
            EXPECT_GE(checked, 7) << "five lines and the two bottom lines";
            CheckPageFits(sheet);
        }),
        next(), shown(IDC_NORMAL_COLOR),
        look([&] {
            for (int id : {IDC_NORMAL_COLOR, IDC_HIGHLIGHT_COLOR}) CheckSetButton(ui::Descendant(sheet, id), "PALLET", 34, 33);
            for (int id : {IDC_SET_STARTUP, IDC_SET_HOVER, IDC_SET_SELECT, IDC_SET_MENUCHANGE})
                CheckSetButton(ui::Descendant(sheet, id), "SSOUND", 40, 40);
            for (int id : {IDC_LISTEN_STARTUP, IDC_LISTEN_HOVER, IDC_LISTEN_SELECT, IDC_LISTEN_MENUCHANGE})
                CheckSetButton(ui::Descendant(sheet, id), "HSOUND", 40, 40);
            CheckPageFits(sheet);
        }),
        [&] { PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); return true; },
        [&] { return !IsWindow(sheet); },
        [&] { PostMessageA(main, WM_CLOSE, 0, 0); return true; },
        [&] {
            // Leaving the background page made the definition unsaved: say No.
            if (HWND box = ui::FindDialog(AppProgramName())) ui::Press(box, IDNO);
            return !IsWindow(main);
        }}, 30000);
    EXPECT_NE(-1, dialog.DoModal());
    script.Drain();
    EXPECT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
}
