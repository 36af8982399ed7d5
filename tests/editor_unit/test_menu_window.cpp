// The menu window shows what it is given: the definition file, the layout
// and the folder its background, sounds and actions come from, whatever
// folder the program that runs it lives in.
#include "editor/EditorMenuIds.h"
#include "menu/HeadingFonts.h"
#include "menu/PlayerDlg.h"
#include "support/tempdir.h"
#include "ui_script.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct Seen {
    std::string title, line1, heading1, headingFace, folder;
};

// Runs the window with the editor's numbers until the script has looked at it.
INT_PTR RunMenu(int layout, const std::string& definition, const std::string& folder, Seen& seen) {
    CPlayerDlg menu(kEditorMenuIds, layout, definition.c_str(), folder.c_str());
    HWND window = nullptr;
    ui::Script script({
        [&] { return (window = ui::FindWindowOfThread([](HWND h) { return GetDlgItem(h, EDITOR_IDC_LINE1) != nullptr; })) != nullptr; },
        [&] {
            seen.title = ui::Title(window);
            seen.line1 = ui::Title(GetDlgItem(window, EDITOR_IDC_LINE1));
            HWND heading = GetDlgItem(window, EDITOR_IDC_HEAD1);
            seen.heading1 = ui::Title(heading);
            LOGFONTA font = {};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(heading, WM_GETFONT, 0, 0)), sizeof font, &font);
            seen.headingFace = font.lfFaceName;
            char current[MAX_PATH] = "";
            GetCurrentDirectoryA(MAX_PATH, current);
            seen.folder = current;
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            return true;
        }});
    char before[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, before);
    const INT_PTR result = menu.DoModal();
    script.Drain();
    SetCurrentDirectoryA(before);   // the temporary folder must go again
    EXPECT_FALSE(script.TimedOut());
    return result;
}

}  // namespace

TEST(MenuWindow, ShowsTheDefinitionItIsGivenAndWorksInTheGivenFolder) {
    TempDir dir{"menuwin"};
    dir.Write("other.tdf", "[100]\r\n200=Given Menu\r\n500=0\r\n[15001]\r\n1=First line\r\n13=Top heading\r\n");
    Seen seen;
    // Layout 4 although the file names 0: the caller's layout counts.
    RunMenu(4, dir.File("other.tdf"), dir.Path(), seen);
    EXPECT_EQ("Given Menu", seen.title);
    EXPECT_EQ("First line", seen.line1);
    EXPECT_EQ("Top heading", seen.heading1);
    EXPECT_STREQ(kHeadingFonts[4].face, seen.headingFace.c_str());
    EXPECT_STRNE(kHeadingFonts[0].face, kHeadingFonts[4].face) << "the two layouts must differ for this test";
    // Relative sounds and actions resolve against the given folder.
    EXPECT_EQ(dir.Path(), seen.folder + "\\");
}

TEST(MenuWindow, ALayoutOutsideTheTenOpensNoWindow) {
    TempDir dir{"menuwin"};
    dir.Write("auto.tdf", "[100]\r\n200=Never\r\n");
    for (int layout : {-1, 10, 1000}) {
        CPlayerDlg menu(kEditorMenuIds, layout, dir.File("auto.tdf").c_str(), dir.Path().c_str());
        EXPECT_EQ(-1, menu.DoModal()) << layout;
    }
}
