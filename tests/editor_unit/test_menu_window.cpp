// The menu window shows what it is given: the definition file, the layout
// and the folder its background, sounds and actions come from, whatever
// folder the program that runs it lives in.
#include "editor/EditorMenuIds.h"
#include "menu/HeadingFonts.h"
#include "menu/PlayerDlg.h"
#include "support/profile_gen.h"
#include "support/tempdir.h"
#include "ui_script.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct Seen {
    std::wstring title, line1, line2, heading1, headingFace, folder;
    bool line1RightToLeft = false, line2RightToLeft = false, heading1RightToLeft = false;
};

bool ReadsRightToLeft(HWND control) { return (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0; }

// Runs the window until the script has looked at it.
INT_PTR RunMenu(CPlayerDlg& menu, Seen& seen) {
    HWND window = nullptr;
    ui::Script script({
        [&] { return (window = ui::FindWindowOfThread([](HWND h) { return GetDlgItem(h, EDITOR_IDC_LINE1) != nullptr; })) != nullptr; },
        [&] {
            seen.title = ui::Title(window);
            HWND line1 = GetDlgItem(window, EDITOR_IDC_LINE1), line2 = GetDlgItem(window, EDITOR_IDC_LINE2);
            seen.line1 = ui::Title(line1);
            seen.line2 = ui::Title(line2);
            seen.line1RightToLeft = ReadsRightToLeft(line1);
            seen.line2RightToLeft = ReadsRightToLeft(line2);
            HWND heading = GetDlgItem(window, EDITOR_IDC_HEAD1);
            seen.heading1 = ui::Title(heading);
            seen.heading1RightToLeft = ReadsRightToLeft(heading);
            LOGFONTW font = {};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(heading, WM_GETFONT, 0, 0)), sizeof font, &font);
            seen.headingFace = font.lfFaceName;
            wchar_t current[MAX_PATH] = L"";
            GetCurrentDirectoryW(MAX_PATH, current);
            seen.folder = current;
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            return true;
        }});
    wchar_t before[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, before);
    const INT_PTR result = menu.DoModal();
    script.Drain();
    SetCurrentDirectoryW(before);   // the temporary folder must go again
    EXPECT_FALSE(script.TimedOut());
    return result;
}

// The same with the editor's numbers, for a definition and a folder.
INT_PTR RunMenu(int layout, const std::wstring& definition, const std::wstring& folder, Seen& seen) {
    CPlayerDlg menu(kEditorMenuIds, layout, definition.c_str(), folder.c_str());
    return RunMenu(menu, seen);
}

}  // namespace

TEST(MenuWindow, ShowsTheDefinitionItIsGivenAndWorksInTheGivenFolder) {
    TempDir dir{"menuwin"};
    dir.Write("other.tdf", "[100]\r\n200=Given Menu\r\n500=0\r\n[15001]\r\n1=First line\r\n13=Top heading\r\n");
    Seen seen;
    // Layout 4 although the file names 0: the caller's layout counts.
    RunMenu(4, dir.File(L"other.tdf"), dir.PathW(), seen);
    EXPECT_EQ(L"Given Menu", seen.title);
    EXPECT_EQ(L"First line", seen.line1);
    EXPECT_EQ(L"Top heading", seen.heading1);
    EXPECT_STREQ(kHeadingFonts[4].face, seen.headingFace.c_str());
    EXPECT_STRNE(kHeadingFonts[0].face, kHeadingFonts[4].face) << "the two layouts must differ for this test";
    // Relative sounds and actions resolve against the given folder.
    EXPECT_EQ(dir.PathW(), seen.folder + L"\\");
}

// A definition in UTF-16 in a folder whose name is not ASCII: every letter
// reaches the window; a text that starts with a right-to-left letter reads
// right to left. Asked to, the window takes the definition's layout.
TEST(MenuWindow, TextsOfAnyScriptInTheirReadingOrderAndTheLayoutOfTheDefinition) {
    TempDir dir{L"menuwin-\xE9\x4E2D"};
    const std::wstring title = L"\x30E1\x30CB\x30E5\x30FC \xD83D\xDE00";
    const std::wstring hebrew = L"\x05D4\x05EA\x05E7\x05E0\x05D4 setup";
    const std::wstring heading = L"\x0391\x03C1\x03C7\x03AE";
    dir.Write("auto.tdf", pgen::Encode(L"[100]\r\n200=" + title + L"\r\n500=5\r\n[15001]\r\n1=Install " + hebrew +
                                           L"\r\n2=" + hebrew + L"\r\n13=" + heading + L"\r\n",
                                       pgen::Form::Utf16Le));
    CPlayerDlg menu(kEditorMenuIds, CPlayerDlg::kLayoutOfDefinition, dir.File(L"auto.tdf").c_str(), dir.PathW().c_str());
    EXPECT_EQ(5, menu.Layout());
    Seen seen;
    RunMenu(menu, seen);
    EXPECT_EQ(title, seen.title);
    EXPECT_EQ(L"Install " + hebrew, seen.line1);
    EXPECT_EQ(hebrew, seen.line2);
    EXPECT_EQ(heading, seen.heading1);
    EXPECT_FALSE(seen.line1RightToLeft) << "a Latin letter comes first";
    EXPECT_TRUE(seen.line2RightToLeft);
    EXPECT_FALSE(seen.heading1RightToLeft);
    EXPECT_STREQ(kHeadingFonts[5].face, seen.headingFace.c_str());
    EXPECT_STRNE(kHeadingFonts[def::kTemplateDefaultPlayer].face, kHeadingFonts[5].face)
        << "the layout must differ from the default one for this test";
    EXPECT_EQ(dir.PathW(), seen.folder + L"\\");
}

TEST(MenuWindow, ALayoutOutsideTheTenOpensNoWindow) {
    TempDir dir{"menuwin"};
    dir.Write("auto.tdf", "[100]\r\n200=Never\r\n500=12\r\n");
    for (int layout : {-1, 10, 1000, static_cast<int>(CPlayerDlg::kLayoutOfDefinition)}) {
        CPlayerDlg menu(kEditorMenuIds, layout, dir.File(L"auto.tdf").c_str(), dir.PathW().c_str());
        EXPECT_EQ(-1, menu.DoModal()) << layout;
    }
}
