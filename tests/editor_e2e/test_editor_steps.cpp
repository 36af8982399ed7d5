// Steps 2 and 3 and the Testing menu of the real editor: the test run, the
// preview of all layouts, the build of the disc files and the menu listing.
#include "editor_session.h"
#include "support/bmpwriter.h"
#include <cmath>
#include <vector>

namespace {

const int kTestButton = 2002;
const int kBuildButton = 2003;
const UINT kPreviewCommand = 32774;
const UINT kExportCommand = 32775;
const UINT kOpenCommand = 57601;

// The menu window's line controls with the editor's numbers, slots 0 to 11.
const int kEditorLines[12] = {3004, 3005, 3006, 3007, 3008, 3011, 3012, 3013, 3014, 3015, 3009, 3010};
const int kEditorHeading1 = 1079;
const int kEditorHeading2 = 1080;

// What tells the ten layouts apart from outside: how many of the first ten
// lines show, and where line 1 starts and ends across the window (dialog
// units: x, width of line 1, width of the window).
struct LayoutShape {
    int visibleMain;
    int x, w, windowWidth;
};
const LayoutShape kShapes[10] = {
    {5, 30, 175, 240}, {5, 0, 145, 146},  {5, 35, 155, 196}, {7, 0, 145, 146},  {5, 15, 140, 161},
    {5, 10, 145, 161}, {8, 10, 145, 161}, {10, 0, 200, 200}, {10, 15, 180, 200}, {10, 50, 145, 200},
};

const char kTitle[] = "Fair Menu";
const COLORREF kPaper = RGB(20, 90, 160);

std::string TwoMenus(int layout) {
    return "[100]\r\n200=" + std::string(kTitle) + "\r\n300=2\r\n500=" + std::to_string(layout) +
           "\r\n[15001]\r\n1=To the second menu\r\n2=Second line\r\n13=Welcome\r\n14=Pick one\r\n"
           "[17001]\r\n1=_menu2\r\n"
           "[15002]\r\n1=Run and close\r\n13=Second menu\r\n"
           "[17002]\r\n1=marker.exe\r\n[18002]\r\n1=from the test\r\n[16002]\r\n1=TRUE\r\n";
}

class EditorSteps : public ::testing::Test {
protected:
    // The marker program started by a menu line left its line, and the
    // line's quit flag closed the menu window but not the editor.
    void ExpectProgramRanAndMenuClosed(HWND menu) {
        auto lines = drv::WaitLines(s.Work("marker.txt"), 1, 8000);
        ASSERT_EQ(1u, lines.size());
        EXPECT_EQ(0u, lines[0].find("from the test|"));
        EXPECT_TRUE(ed::Session::WaitGone(menu));
        EXPECT_FALSE(s.Ended(500)) << "the editor goes on";
    }

    // The menu window of a test run or preview: owned by the main window.
    HWND WaitMenuWindow(DWORD ms = 15000) {
        HWND w = drv::WaitWindow(s.proc.Id(), ms, "#32770", kTitle);
        if (w) drv::Settle(w, 300);
        return w;
    }

    // Which of the ten layouts the window shows; -1 when none fits.
    static int LayoutOf(HWND w) {
        int visible = 0;
        for (int i = 0; i < 10; ++i) visible += IsWindowVisible(GetDlgItem(w, kEditorLines[i])) ? 1 : 0;
        RECT client;
        GetClientRect(w, &client);
        RECT line = drv::ChildRect(w, GetDlgItem(w, kEditorLines[0]));
        if (client.right <= 0) return -1;
        for (int k = 0; k < 10; ++k) {
            const LayoutShape& f = kShapes[k];
            if (f.visibleMain != visible) continue;
            double x = double(line.left) / client.right, want = double(f.x) / f.windowWidth;
            double wd = double(line.right - line.left) / client.right, wantW = double(f.w) / f.windowWidth;
            if (std::fabs(x - want) < 0.02 && std::fabs(wd - wantW) < 0.02) return k;
        }
        return -1;
    }

    static void PostClickOn(HWND w, int control) {
        RECT r = drv::ChildRect(w, GetDlgItem(w, control));
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(w, WM_LBUTTONUP, 0, at);
    }

    // Opens a definition set as a user would, so that the editor knows it
    // has a definition.
    void OpenSet(const std::string& definition) {
        sets.Write("fair.tdf", definition);
        sets.Write("fair~autorun.bmp", "BM not a real picture");
        s.Command(kOpenCommand);
        ASSERT_TRUE(s.ChooseFile(sets.File("fair.tdf")));
        for (int i = 0; i < 100 && s.dir.Read("auto.tdf") != definition; ++i) Sleep(50);
        ASSERT_EQ(definition, s.dir.Read("auto.tdf"));
        drv::Settle(s.main, 200);
    }

    // Fills in a folder dialog and presses OK; returns the preset text.
    std::string AnswerFolderDialog(const char* caption, int edit, const std::string& folder) {
        HWND dialog = drv::WaitWindow(s.proc.Id(), 10000, "#32770", caption);
        if (!dialog) return "(no dialog)";
        drv::Settle(dialog, 100);
        std::string preset = drv::ItemText(dialog, edit);
        SendDlgItemMessageA(dialog, edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ed::Session::WaitGone(dialog);
        return preset;
    }

    ed::Session s;
    TempDir sets{"sets"};
    TempDir out{"build"};
};

}  // namespace

TEST_F(EditorSteps, TestRunShowsTheMenuInItsLayoutAndAQuitLineReturns) {
    ASSERT_NE(nullptr, s.Start());
    ASSERT_TRUE(drv::CopyInto(drv::Env("TLK_MARKER"), s.Work("marker.exe")));
    s.dir.Write("auto.tdf", TwoMenus(6));
    ASSERT_TRUE(bmpw::WriteFile(s.Work("autorun.bmp"), bmpw::SolidPicture(32, 32, {GetRValue(kPaper), GetGValue(kPaper), GetBValue(kPaper)})));

    s.Click(kTestButton);
    HWND menu = WaitMenuWindow();
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(s.main, GetWindow(menu, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(s.main)) << "the main window waits for the test run";
    EXPECT_EQ(6, LayoutOf(menu));
    EXPECT_EQ("To the second menu", drv::ItemText(menu, kEditorLines[0]));
    EXPECT_EQ("Second line", drv::ItemText(menu, kEditorLines[1]));
    EXPECT_EQ("Welcome", drv::ItemText(menu, kEditorHeading1));
    EXPECT_EQ("Pick one", drv::ItemText(menu, kEditorHeading2));

    // The work directory's background fills the window where no text is.
    RECT client;
    GetClientRect(menu, &client);
    RECT corner = {2, client.bottom - 12, 12, client.bottom - 2};
    drv::ScreenGrab paper(menu, corner);
    EXPECT_EQ(100, paper.Count(kPaper, 4));

    // A go-to line switches to menu 2.
    SetForegroundWindow(menu);
    drv::Settle(menu, 200);
    PostClickOn(menu, kEditorLines[0]);
    for (int i = 0; i < 100 && drv::ItemText(menu, kEditorLines[0]) != "Run and close"; ++i) Sleep(50);
    EXPECT_EQ("Run and close", drv::ItemText(menu, kEditorLines[0]));
    EXPECT_EQ("", drv::ItemText(menu, kEditorLines[1]));
    EXPECT_EQ("Second menu", drv::ItemText(menu, kEditorHeading1));

    // Its program line starts the program from the editor's folder, and the
    // quit flag closes only the menu window.
    Sleep(600);
    PostClickOn(menu, kEditorLines[0]);
    ExpectProgramRanAndMenuClosed(menu);
    drv::Settle(s.main, 200);
    EXPECT_TRUE(IsWindowEnabled(s.main));

    // A second run starts at menu 1 again, with the definition read anew.
    s.dir.Write("auto.tdf", TwoMenus(0));
    s.Click(kTestButton);
    menu = WaitMenuWindow();
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(0, LayoutOf(menu));
    EXPECT_EQ("To the second menu", drv::ItemText(menu, kEditorLines[0]));
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ed::Session::WaitGone(menu));
}

TEST_F(EditorSteps, TestRunAnswersTheKeysAsThePlayerDoes) {
    ASSERT_NE(nullptr, s.Start());
    ASSERT_TRUE(drv::CopyInto(drv::Env("TLK_MARKER"), s.Work("marker.exe")));
    s.dir.Write("auto.tdf", TwoMenus(0));
    ASSERT_TRUE(bmpw::WriteFile(s.Work("autorun.bmp"), bmpw::SolidPicture(32, 32, {GetRValue(kPaper), GetGValue(kPaper), GetBValue(kPaper)})));
    drv::PointerAway();
    s.Click(kTestButton);
    HWND menu = WaitMenuWindow();
    ASSERT_NE(nullptr, menu);
    SetForegroundWindow(menu);
    drv::Settle(menu, 200);
    // Without colours in the definition the highlight is white.
    auto lit = [menu](int slot) {
        return drv::ScreenGrab(menu, drv::ChildRect(menu, GetDlgItem(menu, kEditorLines[slot]))).Count(RGB(255, 255, 255), 8) > 20;
    };
    EXPECT_FALSE(lit(0));
    drv::PressKey(VK_DOWN);
    drv::Settle(menu, 300);
    EXPECT_TRUE(lit(0));
    EXPECT_FALSE(lit(1));

    // Enter on the go-to: menu 2, its first line lit; Enter there runs its
    // program and the quit flag closes the test run only.
    drv::PressKey(VK_RETURN);
    for (int i = 0; i < 100 && drv::ItemText(menu, kEditorLines[0]) != "Run and close"; ++i) Sleep(50);
    drv::Settle(menu, 300);
    EXPECT_EQ("Second menu", drv::ItemText(menu, kEditorHeading1));
    EXPECT_TRUE(lit(0));
    Sleep(600);
    drv::PressKey(VK_RETURN);
    ExpectProgramRanAndMenuClosed(menu);

    // Escape closes the next run and leaves the editor working.
    drv::Settle(s.main, 200);
    s.Click(kTestButton);
    menu = WaitMenuWindow();
    ASSERT_NE(nullptr, menu);
    SetForegroundWindow(menu);
    drv::Settle(menu, 200);
    drv::PressKey(VK_ESCAPE);
    EXPECT_TRUE(ed::Session::WaitGone(menu));
    EXPECT_FALSE(s.Ended(500));
}

TEST_F(EditorSteps, TestRunWithoutADefinitionShowsAnEmptyLayoutThree) {
    ASSERT_NE(nullptr, s.Start());
    s.Click(kTestButton);
    HWND menu = drv::WaitWindow(s.proc.Id(), 15000, "#32770", "");
    ASSERT_NE(nullptr, menu);
    drv::Settle(menu, 200);
    EXPECT_EQ(3, LayoutOf(menu));
    EXPECT_EQ("", drv::ItemText(menu, kEditorLines[0]));
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ed::Session::WaitGone(menu));
}

TEST_F(EditorSteps, PreviewShowsTheTenLayoutsInOrderAndKeepsTheChosenOne) {
    ASSERT_NE(nullptr, s.Start());
    const std::string definition = TwoMenus(7);
    OpenSet(definition);

    s.Command(kPreviewCommand);
    for (int layout = 0; layout < 10; ++layout) {
        SCOPED_TRACE(layout);
        HWND menu = WaitMenuWindow();
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ(layout, LayoutOf(menu));
        EXPECT_EQ("To the second menu", drv::ItemText(menu, kEditorLines[0]));
        EXPECT_FALSE(IsWindowEnabled(s.main));
        PostMessageA(menu, WM_CLOSE, 0, 0);
        ASSERT_TRUE(ed::Session::WaitGone(menu));
    }
    EXPECT_EQ(nullptr, drv::WaitWindow(s.proc.Id(), 800, "#32770", kTitle)) << "ten windows, no more";
    EXPECT_EQ(definition, s.dir.Read("auto.tdf"));

    // The test run afterwards takes the layout from the definition again.
    s.Click(kTestButton);
    HWND menu = WaitMenuWindow();
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(7, LayoutOf(menu));
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ed::Session::WaitGone(menu));
}

TEST_F(EditorSteps, PreviewWithoutADefinitionSaysSo) {
    ASSERT_NE(nullptr, s.Start());
    // A file alone is not a definition the editor knows of.
    s.dir.Write("auto.tdf", TwoMenus(2));
    s.Command(kPreviewCommand);
    EXPECT_EQ("No Autoplay definiton to test! Use the wizard to create one.", s.Answer(IDOK));
    EXPECT_EQ(nullptr, drv::WaitWindow(s.proc.Id(), 500, "#32770", kTitle));
}

TEST_F(EditorSteps, BuildCopiesExactlyTheDiscFilesAndReplacesReadOnlyOnes) {
    ASSERT_NE(nullptr, s.Start());
    s.dir.Write("auto.tdf", "[100]\r\n200=Fair\r\n600=intro.wav\r\n");
    s.dir.Write("intro.wav", "RIFF intro");
    s.dir.Write("other.wav", "RIFF not named by the definition");
    const std::string target = out.File("cd");

    s.Click(kBuildButton);
    EXPECT_EQ("c:\\buildvr\\", AnswerFolderDialog("Build Information", 1067, target));
    EXPECT_EQ("Build Complete", s.Answer(IDOK));
    const std::vector<std::string> expected = {"auto.tdf", "autorun.bmp", "autorun.exe", "autorun.inf",
                                               "intro.wav"};
    EXPECT_EQ(expected, files::SortedNames(target + "\\"));
    for (const std::string& name : expected)
        EXPECT_EQ(s.dir.Read(name), ed::ReadAll(target + "\\" + name)) << name;
    EXPECT_EQ(s.dir.Read("BMPS\\nodef.bmp"), ed::ReadAll(target + "\\autorun.bmp"))
        << "without a background chosen the disc gets the stock one";
    EXPECT_EQ(ed::ReadAll(s.dist + "\\autorun.inf"), ed::ReadAll(target + "\\autorun.inf"))
        << "the disc's AutoRun file is the installed one, byte for byte";

    // The same folder with its backslash, over read-only copies and with a
    // file of the user's own that must stay.
    for (const std::string& name : expected)
        SetFileAttributesA((target + "\\" + name).c_str(), FILE_ATTRIBUTE_READONLY);
    out.Write("cd\\notes.txt", "mine");
    s.dir.Write("auto.tdf", "[100]\r\n200=Fair, second build\r\n600=intro.wav\r\n");
    s.dir.Write("intro.wav", "RIFF intro, second take");
    s.Click(kBuildButton);
    EXPECT_EQ("c:\\buildvr\\", AnswerFolderDialog("Build Information", 1067, target + "\\"))
        << "the preset is the same on every build";
    EXPECT_EQ("Build Complete", s.Answer(IDOK));
    EXPECT_EQ("[100]\r\n200=Fair, second build\r\n600=intro.wav\r\n", ed::ReadAll(target + "\\auto.tdf"));
    EXPECT_EQ("RIFF intro, second take", ed::ReadAll(target + "\\intro.wav"));
    EXPECT_EQ("mine", ed::ReadAll(target + "\\notes.txt"));
}

TEST_F(EditorSteps, BuildCopiesOnlySoundsWithBareNames) {
    ASSERT_NE(nullptr, s.Start());
    // A definition from elsewhere naming sounds outside the work directory.
    out.Write("secret.wav", "RIFF outside");
    s.dir.Write("auto.tdf", "[100]\r\n700=..\\secret.wav\r\n800=" + out.File("secret.wav") +
                                "\r\n900=menu.wav\r\n");
    s.dir.Write("menu.wav", "RIFF menu");
    const std::string target = out.File("deep\\cd");
    CreateDirectoryA(out.File("deep").c_str(), nullptr);

    s.Click(kBuildButton);
    AnswerFolderDialog("Build Information", 1067, target);
    EXPECT_EQ("Build Complete", s.Answer(IDOK));
    const std::vector<std::string> expected = {"auto.tdf", "autorun.bmp", "autorun.exe", "autorun.inf", "menu.wav"};
    EXPECT_EQ(expected, files::SortedNames(target + "\\"));
    EXPECT_FALSE(out.Exists("deep\\secret.wav")) << "nothing is written beside the build folder";
}

TEST_F(EditorSteps, BuildIntoAFolderThatCannotBeMadeStillCompletes) {
    ASSERT_NE(nullptr, s.Start());
    s.Click(kBuildButton);
    AnswerFolderDialog("Build Information", 1067, out.File("missing\\cd\\"));
    EXPECT_EQ("Build Complete", s.Answer(IDOK));
    EXPECT_FALSE(out.Exists("missing"));
}

TEST_F(EditorSteps, ExportWritesTheMenuListing) {
    ASSERT_NE(nullptr, s.Start());
    s.dir.Write("auto.tdf", TwoMenus(0));
    const std::string folder = out.File("listing");
    s.Command(kExportCommand);
    EXPECT_EQ("c:\\menufile\\", AnswerFolderDialog("Menu File Information", 1101, folder));
    drv::Settle(s.main, 300);
    const std::string expected =
        "Menu    Line    Text                                               Menu goto\r\n"
        "------- ------- -------------------------------------------------- ---------\r\n"
        "Menu  1 Head  1                                            Welcome\r\n"
        "Menu  1 Head  2                                           Pick one\r\n"
        "Menu  1 Line  1                                 To the second menu _menu2\r\n"
        "Menu  1 Line  2                                        Second line \r\n"
        "Menu  2 Head  1                                        Second menu\r\n"
        "Menu  2 Line  1                                      Run and close \r\n";
    EXPECT_EQ(expected, ed::ReadAll(folder + "\\automenu.txt"));
    EXPECT_EQ(nullptr, drv::WaitWindow(s.proc.Id(), 300, "#32770", ed::kBoxTitle)) << "no message";

    // A second export replaces the first.
    s.dir.Write("auto.tdf", "[100]\r\n300=0\r\n");
    s.Command(kExportCommand);
    AnswerFolderDialog("Menu File Information", 1101, folder + "\\");
    drv::Settle(s.main, 300);
    EXPECT_EQ(expected.substr(0, expected.find("Menu  1")), ed::ReadAll(folder + "\\automenu.txt"));
}

TEST_F(EditorSteps, ExportIntoAFolderThatCannotBeMadeSaysSo) {
    ASSERT_NE(nullptr, s.Start());
    s.Command(kExportCommand);
    AnswerFolderDialog("Menu File Information", 1101, out.File("missing\\listing"));
    EXPECT_EQ("Couldn't create automenu.txt", s.Answer(IDOK));
}
