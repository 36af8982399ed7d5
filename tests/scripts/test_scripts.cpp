// Every script on every code page, with the real programs: the editor,
// installed in a folder whose name its code page cannot spell, takes a menu
// in seven scripts from real key input, builds the disc folder and writes
// its image; the real player then shows exactly those letters from the
// folder and from the image's files, whatever code page it runs under, and
// draws them as glyphs rather than boxes or question marks.
//
// The same program runs once per code page (LANG picks Wine's): the design
// only where the editor's user sits (1252), the player checks everywhere.
#include "support/driver.h"
#include "editor_e2e/wizard_session.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// What the menu says: accented Latin (in code page 1252), Latin beyond it,
// Cyrillic, Greek, Japanese, Arabic and Hebrew.
const wchar_t kTitle[] = L"Überblick Обзор Ελληνικά 日本語";
const wchar_t* const kLines[7] = {
    L"Café Übersicht, Straße", L"Обзор программы", L"Ελληνικά μενού", L"日本語のメニュー",
    L"العربية الفصحى", L"עברית שפה", L"Dvořák Žluťoučký",
};
const bool kRightToLeft[7] = {false, false, false, false, true, true, false};
// The lines' colour: one no background here contains.
const COLORREF kInk = RGB(255, 0, 255);

const int kLineIds[7] = {1004, 1005, 1006, 1007, 1008, 1011, 1012};

std::wstring EnvW(const wchar_t* name) {
    wchar_t value[1024] = L"";
    DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return n > 0 && n < 1024 ? value : L"";
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buf[512] = L"";
    DWORD_PTR r = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 3000, &r);
    return buf;
}

std::string Utf8(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n : 0, '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

std::string ReadBytes(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "";
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
    CloseHandle(h);
    return out;
}

bool CopyTreeW(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW f;
    HANDLE h = FindFirstFileW((from + L"\\*").c_str(), &f);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        std::wstring name = f.cFileName;
        if (name == L"." || name == L"..") continue;
        if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ok = CopyTreeW(from + L"\\" + name, to + L"\\" + name) && ok;
        else ok = CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE) && ok;
    } while (FindNextFileW(h, &f));
    FindClose(h);
    return ok;
}

// A program started with a command line of any letters.
class WideProcess {
public:
    ~WideProcess() {
        if (m_pi.hProcess) {
            if (WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(m_pi.hProcess, 1);
            CloseHandle(m_pi.hProcess);
            CloseHandle(m_pi.hThread);
        }
    }
    bool Start(const std::wstring& exe, const std::wstring& args, const std::wstring& cwd, HANDLE output = nullptr) {
        std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
        std::vector<wchar_t> buf(cmd.begin(), cmd.end());
        buf.push_back(L'\0');
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        if (output) {
            si.dwFlags = STARTF_USESTDHANDLES;
            si.hStdOutput = si.hStdError = output;
        }
        return CreateProcessW(nullptr, buf.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                              cwd.empty() ? nullptr : cwd.c_str(), &si, &m_pi) != FALSE;
    }
    DWORD Id() const { return m_pi.dwProcessId; }
    bool Wait(DWORD ms) { return !m_pi.hProcess || WaitForSingleObject(m_pi.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = 0;
        if (m_pi.hProcess) GetExitCodeProcess(m_pi.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_pi = {};
};

// Real key input, one UTF-16 unit a key: what an input method hands over.
void TypeWide(const std::wstring& text) {
    for (wchar_t ch : text) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wScan = in[1].ki.wScan = ch;
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof in[0]);
        Sleep(5);
    }
    Sleep(150);
}


// A picture of a line: its pixels, row by row.
struct Pixels {
    int w = 0, h = 0;
    std::vector<COLORREF> p;
    COLORREF At(int x, int y) const { return p[size_t(y) * w + x]; }
};

Pixels FromScreen(HWND window, RECT client) {
    drv::ScreenGrab g(window, client);
    Pixels out;
    out.w = g.Width();
    out.h = g.Height();
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) out.p.push_back(g.At(x, y));
    return out;
}

// How many different glyph shapes a line of text shows: the ink (pixels of
// the text colour) falls into runs of columns, one run a letter or a joined
// group of letters. Boxes for missing letters, or question marks, are one
// shape however many letters there are.
int GlyphShapes(const Pixels& g, COLORREF ink) {
    auto isInk = [&](int x, int y) {
        COLORREF p = g.At(x, y);
        return std::abs(int(GetRValue(p)) - int(GetRValue(ink))) <= 24 &&
               std::abs(int(GetGValue(p)) - int(GetGValue(ink))) <= 24 &&
               std::abs(int(GetBValue(p)) - int(GetBValue(ink))) <= 24;
    };
    std::set<std::string> shapes;
    for (int x = 0; x < g.w;) {
        std::string shape;
        for (; x < g.w; ++x) {
            std::string column;
            bool inked = false;
            for (int y = 0; y < g.h; ++y) {
                bool i = isInk(x, y);
                inked = inked || i;
                column += i ? '#' : '.';
            }
            if (!inked) break;
            shape += column + '|';
        }
        if (shape.empty()) ++x;
        else shapes.insert(shape);
    }
    return static_cast<int>(shapes.size());
}

// The same measure on text drawn here, to know what boxes and question
// marks give: a check that cannot tell them from letters proves nothing.
int ShapesDrawnHere(const wchar_t* text) {
    Pixels out;
    out.w = 600;
    out.h = 40;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, out.w, out.h);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFontW(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all = {0, 0, out.w, out.h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, kInk);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 2, 4, text, lstrlenW(text));
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) out.p.push_back(GetPixel(dc, x, y));
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return GlyphShapes(out, kInk);
}

std::wstring Out() { return EnvW(L"TLK_SCRIPTS_OUT"); }

// With TLK_SCRIPTS_SCREENSHOT set (tools/screenshots.sh), the test says
// when the screen shows something worth a picture and holds still.
void HoldForScreenshot(const wchar_t* name) {
    if (EnvW(L"TLK_SCRIPTS_SCREENSHOT").empty()) return;
    HANDLE h = CreateFileW((Out() + L"\\" + name + L".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    Sleep(2500);
}
// The disc folder the editor builds: its name holds Cyrillic and Japanese.
std::wstring DiscFolder() { return Out() + L"\\Диск 日本"; }
std::wstring ImageFile() { return Out() + L"\\Диск 日本.iso"; }

// ---- The design, on the author's machine ---------------------------------------------

const int kWizardButton = 2001, kBuildButton = 2003, kBuildEdit = 1067;
const int kTplList = 1007, kLine1 = 5043, kTitleEdit = 1066, kNormal = 1034;

struct SheetFind { DWORD pid; HWND main; HWND found; };
BOOL CALLBACK FindSheet(HWND h, LPARAM lp) {
    SheetFind* f = reinterpret_cast<SheetFind*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == f->pid && h != f->main && IsWindowVisible(h) && SendMessageW(h, PSM_GETCURRENTPAGEHWND, 0, 0)) {
        f->found = h;
        return FALSE;
    }
    return TRUE;
}

class Editor {
public:
    bool Start(const std::wstring& folder) {
        m_folder = folder;
        if (!m_proc.Start(folder + L"\\tlkedit.exe", L"", Out())) return false;
        main = drv::WaitWindow(m_proc.Id(), 20000, "#32770", "TLK Autoplay Varrow");
        if (main) drv::Settle(main, 200);
        return main != nullptr;
    }
    ~Editor() {
        if (main && IsWindow(main)) PostMessageW(main, WM_CLOSE, 0, 0);
        m_proc.Wait(5000);
    }
    DWORD Id() const { return m_proc.Id(); }
    bool OpenWizard() {
        PostMessageW(GetDlgItem(main, kWizardButton), BM_CLICK, 0, 0);
        for (int i = 0; i < 300 && !(sheet = Sheet()); ++i) Sleep(50);
        if (sheet) drv::Settle(sheet, 250);
        return sheet != nullptr;
    }
    HWND Sheet() const {
        SheetFind f = {m_proc.Id(), main, nullptr};
        EnumWindows(FindSheet, reinterpret_cast<LPARAM>(&f));
        return f.found;
    }
    HWND Page() const { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
    HWND Item(int id) const { return GetDlgItem(Page(), id); }
    bool Press(int button) {
        HWND before = Page();
        PostMessageW(sheet, PSM_PRESSBUTTON, button, 0);
        for (int i = 0; i < 300; ++i) {
            if (button == PSBTN_FINISH ? !IsWindow(sheet) || !IsWindowVisible(sheet) : Page() != before && Page()) {
                if (button != PSBTN_FINISH) drv::Settle(sheet, 200);
                return true;
            }
            Sleep(30);
        }
        return false;
    }
    HWND WaitDialog(const char* caption) { return drv::WaitWindow(m_proc.Id(), 10000, "#32770", caption); }

    HWND main = nullptr;
    HWND sheet = nullptr;

private:
    WideProcess m_proc;
    std::wstring m_folder;
};

bool PickColor(DWORD pid, COLORREF c) {
    HWND dialog = nullptr;
    for (int i = 0; i < 200 && !dialog; ++i) {
        HWND w = drv::WaitWindow(pid, 50, "#32770");
        if (w && GetDlgItem(w, 706)) dialog = w;
    }
    if (!dialog) return false;
    const int v[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    for (int i = 0; i < 3; ++i) SetDlgItemInt(dialog, 706 + i, v[i], FALSE);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 200 && IsWindow(dialog); ++i) Sleep(25);
    return !IsWindow(dialog);
}

TEST(Design, TypedInEveryScriptInAFolderTheCodePageCannotSpell) {
    ASSERT_FALSE(Out().empty()) << "TLK_SCRIPTS_OUT names the shared output folder";
    // "Dvořák" has a letter code page 1252 lacks, the rest none at all.
    const std::wstring install = Out() + L"\\Dvořák 田中 Ελλάδα";
    ASSERT_TRUE(CopyTreeW(EnvW(L"TLK_DIST"), install)) << "the installation folder could not be made";

    Editor editor;
    ASSERT_TRUE(editor.Start(install)) << "the editor did not start from " << Utf8(install);
    ASSERT_TRUE(editor.OpenWizard());
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));   // background
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));   // layout: the 7-line one
    SendMessageW(editor.Item(kTplList), LB_SETCURSEL, 3, 0);
    SendMessageW(editor.Page(), WM_COMMAND, MAKEWPARAM(kTplList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(editor.Item(kTplList)));
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));   // texts
    for (int i = 0; i < 7; ++i) {
        wz::RealClick(editor.Item(kLine1 + i));
        TypeWide(kLines[i]);
        EXPECT_EQ(kLines[i], TextOf(editor.Item(kLine1 + i))) << "line " << i + 1 << " as typed";
    }
    HoldForScreenshot(L"editor-texts");
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));   // title and colours
    wz::RealClick(editor.Item(kTitleEdit));
    TypeWide(kTitle);
    PostMessageW(editor.Item(kNormal), BM_CLICK, 0, 0);
    ASSERT_TRUE(PickColor(editor.Id(), kInk));
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));
    ASSERT_TRUE(editor.Press(PSBTN_FINISH));
    drv::Settle(editor.main, 300);

    // The definition holds every letter: UTF-16 with its mark.
    const std::string stored = ReadBytes(install + L"\\auto.tdf");
    ASSERT_GE(stored.size(), 2u);
    EXPECT_EQ("\xFF\xFE", stored.substr(0, 2)) << "a definition with letters beyond ASCII is UTF-16";

    // Step 3 into a folder whose name has Cyrillic and Japanese letters.
    PostMessageW(GetDlgItem(editor.main, kBuildButton), BM_CLICK, 0, 0);
    HWND build = editor.WaitDialog("Build Information");
    ASSERT_NE(nullptr, build);
    drv::Settle(build, 100);
    SendDlgItemMessageW(build, kBuildEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(DiscFolder().c_str()));
    PostMessageW(build, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND done = editor.WaitDialog("tlkedit");
    ASSERT_NE(nullptr, done) << "no Build Complete message";
    PostMessageW(done, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(stored, ReadBytes(DiscFolder() + L"\\auto.tdf"));

    // A document of the disc whose name the ISO 9660 names cannot hold.
    HANDLE doc = CreateFileW((DiscFolder() + L"\\Übersicht Обзор.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, doc);
    CloseHandle(doc);

    // The command line takes and prints such names: a redirected output is UTF-8.
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    const std::wstring report = Out() + L"\\check.txt";
    HANDLE out = CreateFileW(report.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, out);
    WideProcess check;
    ASSERT_TRUE(check.Start(install + L"\\tlkedit.exe", L"/check \"" + DiscFolder() + L"\"", Out(), out));
    ASSERT_TRUE(check.Wait(60000));
    CloseHandle(out);
    const std::string printed = ReadBytes(report);
    EXPECT_EQ(0u, check.ExitCode()) << printed;
    EXPECT_NE(std::string::npos, printed.find(Utf8(L"Übersicht Обзор.txt") + "\": the name has letters beyond ASCII"))
        << printed;

    WideProcess image;
    ASSERT_TRUE(image.Start(install + L"\\tlkedit.exe", L"/image \"" + DiscFolder() + L"\" \"" + ImageFile() + L"\"", Out()));
    ASSERT_TRUE(image.Wait(120000));
    EXPECT_EQ(0u, image.ExitCode());
    EXPECT_GT(ReadBytes(ImageFile()).size(), 100000u);
}

// The menu in a second language: German added as a copy of the default,
// two lines translated and the background changed in German; saved, opened
// again and built: every file carries the new background, the German texts
// stay German, the disc folder has both languages.
const UINT kLanguageAdd = 32780, kFileSaveAs = 32773, kFileNew = 57600, kFileOpen = 57601;
const int kLanguageLabel = 2011, kLanguageList = 2120, kBackgroundList = 1000, kStockButton = 1002;
const int kAction1 = 4009, kActProgram = 1029, kActRunAs = 1079, kActConditionKind = 1080, kActConditionValue = 1081,
          kActConditionBrowse = 1083, kActConditionNot = 1085, kActConditionHide = 1086, kActConditionGrey = 1087;

std::wstring KeyOf(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[256] = L"";
    GetPrivateProfileStringW(section, key, L"(missing)", value, 256, file.c_str());
    return value;
}

bool FileChosen(DWORD pid, const std::wstring& path) {
    HWND dialog = nullptr;
    for (int i = 0; i < 600 && !dialog; ++i) {
        ed::FileDialogSearch search = {pid, nullptr};
        EnumWindows(ed::FindFileDialogProc, reinterpret_cast<LPARAM>(&search));
        if (!(dialog = search.found)) Sleep(50);
    }
    if (!dialog) return false;
    drv::Settle(dialog, 200);
    HWND box = ed::Descendant(dialog, 0x480);
    if (!box) box = ed::Descendant(dialog, 0x47c);
    HWND edit = box ? FindWindowExW(box, nullptr, L"Edit", nullptr) : nullptr;
    SendMessageW(edit ? edit : box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 200 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(50);
    return !IsWindowVisible(dialog);
}

// Presses OK in the program's next message box and gives its text.
std::string Answered(DWORD pid) {
    HWND box = drv::WaitWindow(pid, 10000, "#32770", "tlkedit");
    if (!box) return "(no message box)";
    std::string text = ed::StaticTexts(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(25);
    return text;
}

void TypeLine(Editor& editor, int line, const std::wstring& text) {
    wz::RealClick(editor.Item(kLine1 + line));
    SendMessageW(editor.Item(kLine1 + line), EM_SETSEL, 0, -1);
    TypeWide(text);
}

TEST(Design, AGermanMenuBesideTheDefaultIsSavedOpenedAndBuilt) {
    const std::wstring install = Out() + L"\\languages";
    ASSERT_TRUE(CopyTreeW(EnvW(L"TLK_DIST"), install));
    Editor editor;
    ASSERT_TRUE(editor.Start(install));
    EXPECT_EQ(L"Language: Default", TextOf(GetDlgItem(editor.main, kLanguageLabel)));
    ASSERT_TRUE(editor.OpenWizard());
    for (int page = 0; page < 3; ++page) ASSERT_TRUE(editor.Press(PSBTN_NEXT));
    TypeLine(editor, 0, L"Install");
    TypeLine(editor, 1, L"Read me");
    // Line 1 installs the program where it is not there yet, as administrator.
    PostMessageW(editor.Item(kAction1), BM_CLICK, 0, 0);
    HWND action = editor.WaitDialog("Configure Actions");
    ASSERT_NE(nullptr, action);
    drv::Settle(action, 200);
    SetDlgItemTextW(action, kActProgram, L"setup.exe");
    CheckDlgButton(action, kActRunAs, BST_CHECKED);
    HWND kinds = GetDlgItem(action, kActConditionKind);
    SendMessageW(kinds, CB_SETCURSEL, 3, 0);   // a file or folder
    SendMessageW(action, WM_COMMAND, MAKEWPARAM(kActConditionKind, CBN_SELCHANGE), reinterpret_cast<LPARAM>(kinds));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(action, kActConditionBrowse))) << "a path can be browsed for";
    SetDlgItemTextW(action, kActConditionValue, L"%ProgramFiles%\\Fair\\fair.exe");
    CheckDlgButton(action, kActConditionNot, BST_CHECKED);
    CheckDlgButton(action, kActConditionHide, BST_CHECKED);
    CheckDlgButton(action, kActConditionGrey, BST_UNCHECKED);
    HoldForScreenshot(L"editor-action-condition");
    PostMessageW(action, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 200 && IsWindow(action); ++i) Sleep(25);
    drv::Settle(editor.Page(), 200);
    const std::wstring work = install + L"\\auto.tdf";
    EXPECT_EQ(L"file", KeyOf(work, L"20001", L"1"));
    EXPECT_EQ(L"%ProgramFiles%\\Fair\\fair.exe", KeyOf(work, L"21001", L"1"));
    EXPECT_EQ(L"TRUE", KeyOf(work, L"22001", L"1"));
    EXPECT_EQ(L"HIDE", KeyOf(work, L"23001", L"1"));
    EXPECT_EQ(L"TRUE", KeyOf(work, L"24001", L"1"));
    EXPECT_EQ(L"(missing)", KeyOf(work, L"20001", L"2")) << "a line without a condition has no keys of one";
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));
    ASSERT_TRUE(editor.Press(PSBTN_FINISH));
    drv::Settle(editor.main, 200);

    // Language > Add Language..., German from the system's list.
    PostMessageW(editor.main, WM_COMMAND, MAKEWPARAM(kLanguageAdd, 0), 0);
    HWND add = editor.WaitDialog("Add Language");
    ASSERT_NE(nullptr, add);
    HWND list = GetDlgItem(add, kLanguageList);
    const int rows = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    EXPECT_GT(rows, 20) << "the system's languages";
    int german = -1;
    for (int i = 0; i < rows && german < 0; ++i) {
        wchar_t row[256] = L"";
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 256) SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row));
        if (std::wstring(row).find(L"(de)") != std::wstring::npos) german = i;
    }
    ASSERT_GE(german, 0) << "German is not in the list";
    SendMessageW(list, LB_SETCURSEL, german, 0);
    PostMessageW(add, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 200 && IsWindow(add); ++i) Sleep(25);
    drv::Settle(editor.main, 200);
    const std::wstring label = TextOf(GetDlgItem(editor.main, kLanguageLabel));
    EXPECT_NE(std::wstring::npos, label.find(L"(de)")) << Utf8(label);
    HoldForScreenshot(L"editor-language");

    // Translated, and another background chosen, in German.
    ASSERT_TRUE(editor.OpenWizard());
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));
    PostMessageW(editor.Item(kStockButton), BM_CLICK, 0, 0);
    drv::Settle(editor.Page(), 100);
    SendMessageW(editor.Item(kBackgroundList), LB_SETCURSEL, 2, 0);
    SendMessageW(editor.Page(), WM_COMMAND, MAKEWPARAM(kBackgroundList, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(editor.Item(kBackgroundList)));
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));
    EXPECT_EQ(L"Install", TextOf(editor.Item(kLine1))) << "a new language starts with the default's texts";
    TypeLine(editor, 0, L"Installieren");
    TypeLine(editor, 1, L"Lies mich");
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));
    ASSERT_TRUE(editor.Press(PSBTN_NEXT));
    ASSERT_TRUE(editor.Press(PSBTN_FINISH));
    drv::Settle(editor.main, 300);

    // File > Save As.
    const std::wstring sets = Out() + L"\\sets";
    CreateDirectoryW(sets.c_str(), nullptr);
    PostMessageW(editor.main, WM_COMMAND, MAKEWPARAM(kFileSaveAs, 0), 0);
    ASSERT_TRUE(FileChosen(editor.Id(), sets + L"\\fair.tdf"));
    EXPECT_EQ("Save Definition Complete", Answered(editor.Id()));
    const std::wstring saved = sets + L"\\fair.tdf", savedGerman = sets + L"\\fair.de.tdf";
    EXPECT_EQ(L"2", KeyOf(saved, L"100", L"400")) << "the background is the disc's, in every language";
    EXPECT_EQ(L"2", KeyOf(savedGerman, L"100", L"400"));
    EXPECT_EQ(L"Install", KeyOf(saved, L"15001", L"1"));
    EXPECT_EQ(L"Lies mich", KeyOf(savedGerman, L"15001", L"2"));

    // New, then Open: both languages come back.
    PostMessageW(editor.main, WM_COMMAND, MAKEWPARAM(kFileNew, 0), 0);
    EXPECT_EQ("Definition Cleared", Answered(editor.Id()));
    EXPECT_EQ(L"Language: Default", TextOf(GetDlgItem(editor.main, kLanguageLabel)));
    EXPECT_EQ(L"(missing)", KeyOf(install + L"\\auto.de.tdf", L"15001", L"1")) << "New clears every language";
    PostMessageW(editor.main, WM_COMMAND, MAKEWPARAM(kFileOpen, 0), 0);
    ASSERT_TRUE(FileChosen(editor.Id(), saved));
    drv::Settle(editor.main, 300);
    EXPECT_EQ(L"Installieren", KeyOf(install + L"\\auto.de.tdf", L"15001", L"1"));
    EXPECT_EQ(L"Install", KeyOf(install + L"\\auto.tdf", L"15001", L"1"));

    // Build: the disc folder has both.
    const std::wstring disc = Out() + L"\\languages-disc";
    PostMessageW(GetDlgItem(editor.main, kBuildButton), BM_CLICK, 0, 0);
    HWND build = editor.WaitDialog("Build Information");
    ASSERT_NE(nullptr, build);
    drv::Settle(build, 100);
    SendDlgItemMessageW(build, kBuildEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(disc.c_str()));
    PostMessageW(build, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ("Build Complete", Answered(editor.Id()));
    EXPECT_EQ(L"Installieren", KeyOf(disc + L"\\auto.de.tdf", L"15001", L"1"));
    EXPECT_EQ(L"Read me", KeyOf(disc + L"\\auto.tdf", L"15001", L"2"));
    EXPECT_EQ(L"2", KeyOf(disc + L"\\auto.de.tdf", L"100", L"400"));
}

// ---- The player, on any machine ------------------------------------------------------

struct PlayerRun {
    explicit PlayerRun(const std::wstring& folder) {
        drv::PointerAway();
        if (proc.Start(folder + L"\\autorun.exe", L"", Out())) window = drv::WaitWindow(proc.Id(), 15000);
        if (window) drv::Settle(window, 500);
    }
    ~PlayerRun() {
        if (window && IsWindow(window)) PostMessageW(window, WM_CLOSE, 0, 0);
        proc.Wait(10000);
    }
    WideProcess proc;
    HWND window = nullptr;
};

void CheckMenu(const std::wstring& folder) {
    PlayerRun run(folder);
    ASSERT_NE(nullptr, run.window) << "no menu from " << Utf8(folder);
    wchar_t caption[256] = L"";
    GetWindowTextW(run.window, caption, 256);
    EXPECT_EQ(kTitle, std::wstring(caption));
    for (int i = 0; i < 7; ++i) {
        HWND line = GetDlgItem(run.window, kLineIds[i]);
        EXPECT_EQ(kLines[i], TextOf(line)) << "line " << i + 1;
        const bool rtl = (GetWindowLongW(line, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
        EXPECT_EQ(kRightToLeft[i], rtl) << "reading order of line " << i + 1;
        const int shapes = GlyphShapes(FromScreen(run.window, drv::ChildRect(run.window, line)), kInk);
        EXPECT_GE(shapes, 3) << "line " << i + 1 << " shows boxes or question marks, not its letters";
    }
    HoldForScreenshot((L"menu-" + std::to_wstring(GetACP())).c_str());
}

TEST(Player, ShowsEveryScriptFromTheBuiltFolder) { CheckMenu(DiscFolder()); }

TEST(Player, ShowsEveryScriptFromTheImagesFiles) { CheckMenu(Out() + L"\\iso"); }

// ---- Language variants: auto.<tag>.tdf beside auto.tdf ------------------------------

void WriteUtf16(const std::wstring& path, const std::wstring& text) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    const std::wstring all = L"\xFEFF" + text;
    DWORD wrote = 0;
    WriteFile(h, all.data(), static_cast<DWORD>(all.size() * sizeof(wchar_t)), &wrote, nullptr);
    CloseHandle(h);
}

std::wstring MenuTitled(const wchar_t* title) { return std::wstring(L"[100]\r\n200=") + title + L"\r\n[15001]\r\n1=" + title + L"\r\n"; }

std::wstring CaptionOfPlayer(const std::wstring& folder, const std::wstring& tail = L"") {
    WideProcess proc;
    if (!proc.Start(folder + L"\\autorun.exe", tail, Out())) return L"(not started)";
    HWND window = drv::WaitWindow(proc.Id(), 15000);
    if (!window) return L"(no window)";
    wchar_t caption[256] = L"";
    GetWindowTextW(window, caption, 256);
    PostMessageW(window, WM_CLOSE, 0, 0);
    proc.Wait(10000);
    return caption;
}

// The user's language (LANG chooses Wine's) picks the disc's variant; a tail
// on the command line still names the file; a language the disc has no
// variant for, or a variant that cannot be read, gets auto.tdf.
TEST(Player, ShowsTheVariantOfTheUsersLanguage) {
    const std::wstring language = EnvW(L"TLK_SCRIPTS_LANGUAGE");   // "de", "ja" or "" for none of the disc's
    const std::map<std::wstring, std::wstring> titles = {{L"", L"Welcome"}, {L"de", L"Willkommen"}, {L"ja", L"ようこそ"}};
    // A folder of this run's own: each run leaves unreadable variants behind.
    const std::wstring folder = Out() + L"\\variants-" + std::to_wstring(GetUserDefaultUILanguage()) + L"-" +
                                std::to_wstring(GetACP());
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((EnvW(L"TLK_DIST") + L"\\autorun.exe").c_str(), (folder + L"\\autorun.exe").c_str(), FALSE));
    WriteUtf16(folder + L"\\auto.tdf", MenuTitled(L"Welcome"));
    WriteUtf16(folder + L"\\auto.de.tdf", MenuTitled(L"Willkommen"));
    WriteUtf16(folder + L"\\auto.JA.tdf", MenuTitled(L"ようこそ"));   // the tag in any case
    ASSERT_TRUE(titles.count(language));
    EXPECT_EQ(titles.at(language), CaptionOfPlayer(folder));
    EXPECT_EQ(L"ようこそ", CaptionOfPlayer(folder, L".ja"));
    EXPECT_EQ(L"Willkommen", CaptionOfPlayer(folder, L".de"));

    // The disc the editor built with a German menu beside the default.
    {
        PlayerRun run(Out() + L"\\languages-disc");
        ASSERT_NE(nullptr, run.window);
        EXPECT_EQ(language == L"de" ? L"Installieren" : L"Install", TextOf(GetDlgItem(run.window, kLineIds[0])));
        HoldForScreenshot((L"menu-languages-" + (language.empty() ? std::wstring(L"default") : language)).c_str());
    }

    // A variant that cannot be read: the default, and no crash.
    DeleteFileW((folder + L"\\auto.de.tdf").c_str());
    DeleteFileW((folder + L"\\auto.JA.tdf").c_str());
    CreateDirectoryW((folder + L"\\auto.de.tdf").c_str(), nullptr);
    CreateDirectoryW((folder + L"\\auto.ja.tdf").c_str(), nullptr);
    EXPECT_EQ(L"Welcome", CaptionOfPlayer(folder));
}

// The measure tells letters from boxes and question marks at all.
TEST(Player, GlyphCheckSeesBoxesAndQuestionMarks) {
    EXPECT_LE(ShapesDrawnHere(L"\xE000\xE001\xE002\xE003\xE004\xE005"), 1);
    EXPECT_LE(ShapesDrawnHere(L"??????"), 1);
    EXPECT_GE(ShapesDrawnHere(L"Обзор"), 3);
}

// An 8-bit definition reads through this machine's code page, exactly as it
// always did: the same bytes show other letters on another code page.
TEST(Player, AnsiDefinitionReadsThroughTheCodePage) {
    const std::wstring folder = Out() + L"\\ansi-" + std::to_wstring(GetACP());
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((EnvW(L"TLK_DIST") + L"\\autorun.exe").c_str(), (folder + L"\\autorun.exe").c_str(), FALSE));
    const std::string values[3] = {"Caf\xE9 au lait", "\xDC" "berblick", "Stra\xDF" "e"};
    const std::string definition = "[100]\r\n200=" + values[0] + "\r\n[15001]\r\n1=" + values[1] + "\r\n2=" + values[2] + "\r\n";
    HANDLE h = CreateFileW((folder + L"\\auto.tdf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD wrote = 0;
    WriteFile(h, definition.data(), static_cast<DWORD>(definition.size()), &wrote, nullptr);
    CloseHandle(h);
    // What this code page makes of the bytes, and on the two most common
    // ones, spelt out.
    std::wstring expected[3];
    for (int i = 0; i < 3; ++i) {
        wchar_t w[64] = L"";
        int n = MultiByteToWideChar(CP_ACP, 0, values[i].data(), static_cast<int>(values[i].size()), w, 64);
        expected[i].assign(w, n > 0 ? n : 0);
    }
    if (GetACP() == 1252) {
        EXPECT_EQ(L"Überblick", expected[1]);
    } else if (GetACP() == 1251) {
        EXPECT_EQ(L"Ьberblick", expected[1]);
        EXPECT_EQ(L"StraЯe", expected[2]);
    }
    PlayerRun run(folder);
    ASSERT_NE(nullptr, run.window);
    wchar_t caption[256] = L"";
    GetWindowTextW(run.window, caption, 256);
    EXPECT_EQ(expected[0], std::wstring(caption));
    EXPECT_EQ(expected[1], TextOf(GetDlgItem(run.window, kLineIds[0])));
    EXPECT_EQ(expected[2], TextOf(GetDlgItem(run.window, kLineIds[1])));
}

}  // namespace
