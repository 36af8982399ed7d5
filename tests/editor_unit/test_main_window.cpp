// The main window run inside the test process: its menus, fonts and icons
// (which other processes cannot read) and the questions around unsaved
// changes (which need a changed definition that only the wizard makes).
#include "editor/EditorDlg.h"
#include "editor/Storage.h"
#include "platform/WinApp.h"
#include "resources/editor_ids.h"
#include "files.h"
#include "support/tempdir.h"
#include "test_editor_dlg.h"
#include "ui_script.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kMainTitle[] = "TLK Autoplay Varrow";

// An application object that notes which help topics were asked for.
class RecordingApp : public CWinApp {
public:
    BOOL InitInstance() override { return FALSE; }
    void WinHelp(DWORD context) override { contexts.push_back(context); }
    std::vector<DWORD> contexts;
};

HWND FindMainWindow() { return ui::FindDialog(kMainTitle); }

HWND MessageBoxWindow() { return ui::FindDialog(AppProgramName()); }

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(dir.File("BMPS").c_str(), nullptr);
        dir.Write("BMPS\\nodef.bmp", "BM nodef");
    }

    // Runs the main window with the script; returns DoModal's result.
    INT_PTR Run(std::vector<ui::Step> steps, const std::string& tail = "") {
        TestEditorDlg dialog(dir.File("tlkedit.exe"), tail);
        running = &dialog;
        ui::Script script(std::move(steps));
        INT_PTR result = dialog.DoModal();
        running = nullptr;
        EXPECT_NE(-1, result) << "the window could not be made";
        script.Drain();
        EXPECT_FALSE(script.TimedOut()) << "the script stopped at step " << script.StepReached();
        EXPECT_TRUE(script.Finished());
        return result;
    }

    // The state of the window that Run is running.
    EditorState& State() { return running->State(); }
    TestEditorDlg* running = nullptr;

    // Steps shared by the tests.
    ui::Step FindMain() {
        return [this] { return (main = FindMainWindow()) != nullptr; };
    }
    ui::Step Post(UINT command) {
        return [this, command] {
            PostMessageA(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
            return true;
        };
    }
    // Waits for a message box, keeps its text and presses a button.
    ui::Step Answer(int button, std::string* text = nullptr) {
        return [this, button, text] {
            HWND box = MessageBoxWindow();
            if (!box) return false;
            if (text) *text = ui::StaticTexts(box);
            boxes.push_back(box);
            ui::Press(box, button);
            return true;
        };
    }
    ui::Step CancelFileDialog(bool* seen = nullptr) {
        return [seen] {
            HWND d = ui::FindFileDialog();
            if (!d) return false;
            if (seen) *seen = true;
            ui::Press(d, IDCANCEL);
            return true;
        };
    }
    ui::Step WaitClosed() {
        return [this] { return !IsWindow(main); };
    }
    ui::Step Do(std::function<void()> f) {
        return [f] { f(); return true; };
    }
    // True after the given time without a message box.
    ui::Step NoMessageBoxFor(DWORD ms) {
        auto start = std::make_shared<DWORD>(0);
        return [this, ms, start] {
            if (!*start) *start = GetTickCount();
            if (MessageBoxWindow()) {
                unexpectedBox = true;
                ui::Press(MessageBoxWindow(), IDOK);
            }
            return GetTickCount() - *start >= ms;
        };
    }

    TempDir dir{"mainwin"};
    HWND main = nullptr;
    std::vector<HWND> boxes;
    bool unexpectedBox = false;
};

std::vector<std::pair<UINT, std::string>> Items(HMENU menu) {
    std::vector<std::pair<UINT, std::string>> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        out.emplace_back((info.fType & MFT_SEPARATOR) ? 0u : info.wID, text);
    }
    return out;
}

}  // namespace

TEST_F(MainWindow, HasTheFileAndTestingMenus) {
    std::vector<std::pair<UINT, std::string>> file, testing, bar;
    Run({FindMain(), Do([&] {
             HMENU menu = GetMenu(main);
             for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                 char text[64] = "";
                 GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
                 bar.emplace_back(0, text);
             }
             file = Items(GetSubMenu(menu, 0));
             testing = Items(GetSubMenu(menu, 1));
         }),
         Post(ID_FILE_EXIT), WaitClosed()});
    using V = std::vector<std::pair<UINT, std::string>>;
    EXPECT_EQ((V{{0, "&File"}, {0, "Testing"}}), bar);
    // Make Disc Image follows Save As; the rest is the menu as it always was.
    EXPECT_EQ((V{{57600, "&New"}, {57601, "&Open"}, {0, ""}, {32773, "Save&As"}, {32777, "Make Disc &Image..."},
                 {0, ""}, {32776, "E&xit"}}),
              file);
    EXPECT_EQ((V{{32774, "Preview All Templates"}, {32775, "Export Menu to File"}}), testing);
}

TEST_F(MainWindow, SystemMenuEndsWithTheAboutItem) {
    std::vector<std::pair<UINT, std::string>> items;
    Run({FindMain(), Do([&] { items = Items(GetSystemMenu(main, FALSE)); }), Post(ID_FILE_EXIT), WaitClosed()});
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(16u, items.back().first);
    EXPECT_EQ("&About tlkedit...", items.back().second);
    EXPECT_EQ(0u, items[items.size() - 2].first) << "a separator comes before it";
    EXPECT_EQ("", items[items.size() - 2].second);
}

TEST_F(MainWindow, StepLabelsUseTheirOwnBoldFont) {
    LOGFONTA step[3] = {}, text = {};
    HFONT fonts[3] = {};
    Run({FindMain(), Do([&] {
             const int ids[3] = {IDC_STEP1, IDC_STEP2, IDC_STEP3};
             for (int i = 0; i < 3; ++i) {
                 fonts[i] = reinterpret_cast<HFONT>(SendDlgItemMessageA(main, ids[i], WM_GETFONT, 0, 0));
                 GetObjectA(fonts[i], sizeof step[i], &step[i]);
             }
             GetObjectA(reinterpret_cast<HFONT>(SendMessageA(main, WM_GETFONT, 0, 0)), sizeof text, &text);
         }),
         Post(ID_FILE_EXIT), WaitClosed()});
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fonts[0], fonts[i]) << "one font for the three labels";
        EXPECT_EQ(24, step[i].lfHeight);
        EXPECT_EQ(700, step[i].lfWeight);
        EXPECT_STREQ("Arial", step[i].lfFaceName);
        EXPECT_FALSE(step[i].lfItalic);
        EXPECT_FALSE(step[i].lfUnderline);
    }
    EXPECT_STREQ("Arial", text.lfFaceName) << "the window's own font";
    EXPECT_NE(700, text.lfWeight);
}

TEST_F(MainWindow, ImageButtonsTakeTheSizeOfTheirPictures) {
    SIZE sizes[6] = {};
    RECT logoDialogUnits = {0, 0, 170, 35};
    Run({FindMain(), Do([&] {
             const int ids[6] = {IDC_WIZARD, IDC_TEST, IDC_BUILD, IDC_HELP_BUTTON, IDC_EXIT, IDC_LOGO};
             for (int i = 0; i < 6; ++i) {
                 RECT r;
                 GetWindowRect(GetDlgItem(main, ids[i]), &r);
                 sizes[i] = SIZE{r.right - r.left, r.bottom - r.top};
             }
             MapDialogRect(main, &logoDialogUnits);
         }),
         Post(ID_FILE_EXIT), WaitClosed()});
    EXPECT_EQ(60, sizes[0].cx); EXPECT_EQ(60, sizes[0].cy);
    EXPECT_EQ(60, sizes[1].cx); EXPECT_EQ(60, sizes[1].cy);
    EXPECT_EQ(60, sizes[2].cx); EXPECT_EQ(60, sizes[2].cy);
    EXPECT_EQ(35, sizes[3].cx); EXPECT_EQ(34, sizes[3].cy);
    EXPECT_EQ(40, sizes[4].cx); EXPECT_EQ(40, sizes[4].cy);
    // The logo keeps the size the window gives it.
    EXPECT_EQ(logoDialogUnits.right, sizes[5].cx);
    EXPECT_EQ(logoDialogUnits.bottom, sizes[5].cy);
}

TEST_F(MainWindow, WindowShowsTheProgramsIcon) {
    HICON big = nullptr, small = nullptr, dragged = nullptr;
    Run({FindMain(), Do([&] {
             big = reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, ICON_BIG, 0));
             small = reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, ICON_SMALL, 0));
             dragged = reinterpret_cast<HICON>(SendMessageA(main, WM_QUERYDRAGICON, 0, 0));
         }),
         Post(ID_FILE_EXIT), WaitClosed()});
    HICON own = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, own);
    EXPECT_EQ(own, big);
    EXPECT_EQ(own, small);
    EXPECT_EQ(own, dragged);
}

TEST_F(MainWindow, StartUpSetsTheSharedStateAndEmptiesTheFolder) {
    dir.Write("auto.tdf", "[100]\r\n");
    dir.Write("old.wav", "RIFF");
    EditorState seen;
    Run({FindMain(), Do([&] { seen = State(); }), Post(ID_FILE_EXIT), WaitClosed()}, "2");
    EXPECT_EQ(dir.Path(), seen.workDir);
    EXPECT_EQ(dir.File("auto2.tdf"), seen.definitionPath);
    EXPECT_EQ(dir.Path() + "BMPS\\", seen.bitmapDir);
    EXPECT_EQ(dir.Path() + "sounds\\", seen.soundDir);
    EXPECT_TRUE(seen.definitionSaved);
    EXPECT_FALSE(seen.definitionPresent);
    EXPECT_FALSE(dir.Exists("auto.tdf"));
    EXPECT_FALSE(dir.Exists("old.wav"));
    EXPECT_EQ("BM nodef", dir.Read("autorun.bmp"));
}

TEST_F(MainWindow, ExitWithUnsavedChangesAsksAndNoCloses) {
    std::string question;
    HWND box = nullptr;
    Run({FindMain(), Do([&] { State().definitionSaved = false; }), Post(IDC_EXIT),
         [&] {
             box = MessageBoxWindow();
             if (!box) return false;
             question = ui::StaticTexts(box);
             EXPECT_NE(nullptr, GetDlgItem(box, IDYES));
             EXPECT_NE(nullptr, GetDlgItem(box, IDNO));
             EXPECT_EQ(nullptr, GetDlgItem(box, IDCANCEL)) << "Yes and No only";
             ui::Press(box, IDNO);
             return true;
         },
         WaitClosed()});
    EXPECT_EQ(kAskSaveBeforeExit, question);
}

TEST_F(MainWindow, ExitQuestionShowsTheExclamationIcon) {
    bool exclamation = false;
    Run({FindMain(), Do([&] { State().definitionSaved = false; }), Post(ID_FILE_EXIT),
         [&] {
             HWND box = MessageBoxWindow();
             if (!box) return false;
             HICON expected = LoadIconA(nullptr, IDI_EXCLAMATION);
             for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                 if (reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0)) == expected) exclamation = true;
             ui::Press(box, IDNO);
             return true;
         },
         WaitClosed()});
    EXPECT_TRUE(exclamation);
}

TEST_F(MainWindow, ExitYesThenCancelledSaveKeepsTheWindowAndAsksAgain) {
    std::string first, second;
    bool saveDialogSeen = false, stillOpen = false, flagAfterCancel = true;
    Run({FindMain(), Do([&] { State().definitionSaved = false; }), Post(IDC_EXIT),
         Answer(IDYES, &first), CancelFileDialog(&saveDialogSeen), NoMessageBoxFor(300),
         Do([&] {
             stillOpen = IsWindow(main) && IsWindowVisible(main);
             flagAfterCancel = State().definitionSaved;
         }),
         Post(IDC_EXIT), Answer(IDNO, &second), WaitClosed()});
    EXPECT_EQ(kAskSaveBeforeExit, first);
    EXPECT_TRUE(saveDialogSeen) << "Yes leads to Save As";
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(flagAfterCancel);
    EXPECT_EQ(kAskSaveBeforeExit, second);
    EXPECT_FALSE(unexpectedBox);
}

TEST_F(MainWindow, EscapeAndTheCloseBoxAskLikeExit) {
    std::string viaEscape, viaClose;
    Run({FindMain(), Do([&] { State().definitionSaved = false; }), Post(IDCANCEL),
         Answer(IDYES, &viaEscape), CancelFileDialog(),
         Do([&] { PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); }), Answer(IDNO, &viaClose), WaitClosed()});
    EXPECT_EQ(kAskSaveBeforeExit, viaEscape);
    EXPECT_EQ(kAskSaveBeforeExit, viaClose);
}

TEST_F(MainWindow, EscapeWithNothingToSaveClosesAtOnce) {
    Run({FindMain(), Post(IDCANCEL), WaitClosed()});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindow, EnterRunsTheFocusedStepButton) {
    bool stillOpen = false;
    Run({FindMain(), Do([&] { SetFocus(GetDlgItem(main, IDC_HELP_BUTTON)); }), Post(IDOK), NoMessageBoxFor(300),
         Do([&] { stillOpen = IsWindow(main) != FALSE; }),
         Do([&] { SetFocus(GetDlgItem(main, IDC_EXIT)); }), Post(IDOK), WaitClosed()});
    EXPECT_TRUE(stillOpen) << "Enter on the Help button does not end the program";
}

TEST_F(MainWindow, NewWithUnsavedChangesAnsweredNoResetsButStaysUnsaved) {
    std::string question, exitQuestion;
    bool savedAfterNew = true;
    Run({FindMain(), Do([&] {
             dir.Write("auto.tdf", "[100]\r\n200=Edited\r\n");
             dir.Write("click.wav", "RIFF");
             dir.Write("autorun.bmp", "BM edited");
             State().definitionSaved = false;
             State().definitionPresent = true;
         }),
         Post(ID_FILE_NEW), Answer(IDNO, &question), NoMessageBoxFor(300),
         Do([&] { savedAfterNew = State().definitionSaved; }),
         Post(IDC_EXIT), Answer(IDNO, &exitQuestion), WaitClosed()});
    EXPECT_EQ(kAskSaveBeforeNew, question);
    EXPECT_FALSE(unexpectedBox) << "No resets without a message";
    EXPECT_FALSE(dir.Exists("auto.tdf"));
    EXPECT_FALSE(dir.Exists("click.wav"));
    EXPECT_EQ("BM nodef", dir.Read("autorun.bmp"));
    EXPECT_FALSE(savedAfterNew);
    EXPECT_EQ(kAskSaveBeforeExit, exitQuestion) << "the next exit still asks";
}

TEST_F(MainWindow, NewAnsweredYesSavesFirstAndClearsNothing) {
    bool saveDialogSeen = false, presentAfter = false;
    Run({FindMain(), Do([&] {
             dir.Write("auto.tdf", "[100]\r\n200=Edited\r\n");
             dir.Write("click.wav", "RIFF");
             State().definitionSaved = false;
             State().definitionPresent = true;
         }),
         Post(ID_FILE_NEW), Answer(IDYES), CancelFileDialog(&saveDialogSeen), NoMessageBoxFor(300),
         Do([&] {
             presentAfter = State().definitionPresent;
             State().definitionSaved = true;
         }),
         Post(IDC_EXIT), WaitClosed()});
    EXPECT_TRUE(saveDialogSeen);
    EXPECT_TRUE(dir.Exists("auto.tdf"));
    EXPECT_TRUE(dir.Exists("click.wav"));
    EXPECT_TRUE(presentAfter);
}

TEST_F(MainWindow, NewWithNothingUnsavedClearsAndSaysSo) {
    std::string message;
    Run({FindMain(), Do([&] { dir.Write("auto.tdf", "[100]\r\n"); }), Post(ID_FILE_NEW), Answer(IDOK, &message),
         Post(IDC_EXIT), WaitClosed()});
    EXPECT_EQ(kMsgDefinitionCleared, message);
    EXPECT_FALSE(dir.Exists("auto.tdf"));
}

TEST_F(MainWindow, CancelledOpenAndSaveAsChangeNothing) {
    bool openSeen = false, saveSeen = false;
    Run({FindMain(), Do([&] {
             dir.Write("auto.tdf", "[100]\r\n200=Keep\r\n");
             State().definitionSaved = false;
         }),
         Post(ID_FILE_OPEN), CancelFileDialog(&openSeen), NoMessageBoxFor(200), Post(ID_FILE_SAVE_AS),
         CancelFileDialog(&saveSeen), NoMessageBoxFor(200),
         Do([&] {
             EXPECT_FALSE(State().definitionSaved);
             State().definitionSaved = true;
         }),
         Post(IDC_EXIT), WaitClosed()});
    EXPECT_TRUE(openSeen);
    EXPECT_TRUE(saveSeen);
    EXPECT_FALSE(unexpectedBox);
    EXPECT_EQ("[100]\r\n200=Keep\r\n", dir.Read("auto.tdf"));
}

TEST_F(MainWindow, HelpAsksForTheTopicOfTheDialogInFront) {
    RecordingApp app;
    Run({FindMain(), Post(IDC_HELP_BUTTON), Do([&] {
             // F1 reaches a dialog as WM_HELP.
             HELPINFO info = {sizeof info, HELPINFO_WINDOW, 0, nullptr, 0, {0, 0}};
             SendMessageA(GetDlgItem(main, IDC_WIZARD), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
             SendMessageA(main, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
             PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
         }),
         [&] {
             HWND about = ui::FindDialog("About tlkedit");
             if (!about) return false;
             HELPINFO info = {sizeof info, HELPINFO_WINDOW, 0, nullptr, 0, {0, 0}};
             SetActiveWindow(about);
             SendMessageA(about, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
             ui::Press(about, IDOK);
             return true;
         },
         [&] { return ui::FindDialog("About tlkedit") == nullptr; }, Post(IDC_EXIT), WaitClosed()});
    // The Help button, F1 on a control of the main window, F1 on the main
    // window itself, F1 in the about box (which asks for its own topic).
    EXPECT_EQ((std::vector<DWORD>{0x20066, 0x20066, 0x20066, 0x20064}), app.contexts);
}

TEST_F(MainWindow, AboutBoxFromTheSystemMenu) {
    std::string text;
    RECT mainRect = {}, aboutRect = {};
    Run({FindMain(), Do([&] { PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }),
         [&] {
             HWND about = ui::FindDialog("About tlkedit");
             if (!about) return false;
             text = ui::StaticTexts(about);
             GetWindowRect(main, &mainRect);
             GetWindowRect(about, &aboutRect);
             EXPECT_EQ(main, GetWindow(about, GW_OWNER));
             ui::Press(about, IDOK);
             return true;
         },
         [&] { return ui::FindDialog("About tlkedit") == nullptr; },
         Do([&] { EXPECT_TRUE(IsWindow(main)) << "the main window stays"; }), Post(IDC_EXIT), WaitClosed()});
    EXPECT_EQ("tlkedit Version 1.0", text);
    EXPECT_LT(aboutRect.right - aboutRect.left, mainRect.right - mainRect.left);
}

TEST_F(MainWindow, ExecutableFolderTooLongEndsBeforeTouchingFiles) {
    std::string message;
    TestEditorDlg dialog("C:\\" + std::string(260, 'x') + "\\tlkedit.exe");
    ui::Script script({Answer(IDOK, &message)});
    EXPECT_EQ(IDABORT, dialog.DoModal());
    script.Drain();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(kMsgFolderTooLong, message);
    EXPECT_STREQ("", dialog.State().workDir);
}
