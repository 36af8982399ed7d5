// The main window's state at start-up and its questions before a definition
// with unsaved changes is lost: Exit, Escape, the close box, New, Open and
// Save As.
#include "main_window_fixture.h"

// A suite of its own: the fixture is this file's.
using MainWindowState = MainWindow;

TEST_F(MainWindowState, StartUpSetsTheSharedStateAndEmptiesTheFolder) {
    dir.Write("auto.tdf", "[100]\r\n");
    dir.Write("old.wav", "RIFF");
    EditorState seen;
    Run({FindMain(), Do([&] { seen = State(); }), Post(ID_FILE_EXIT), WaitClosed()}, L"2");
    EXPECT_EQ(dir.PathW(), seen.workDir);
    EXPECT_EQ(dir.File(L"auto2.tdf"), seen.definitionPath);
    EXPECT_EQ(dir.PathW() + L"BMPS\\", seen.bitmapDir);
    EXPECT_EQ(dir.PathW() + L"sounds\\", seen.soundDir);
    EXPECT_TRUE(seen.definitionSaved);
    EXPECT_FALSE(seen.definitionPresent);
    EXPECT_FALSE(dir.Exists("auto.tdf"));
    EXPECT_FALSE(dir.Exists("old.wav"));
    EXPECT_EQ("BM nodef", dir.Read("autorun.bmp"));
}

TEST_F(MainWindowState, ExitWithUnsavedChangesAsksAndNoCloses) {
    std::wstring question;
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

TEST_F(MainWindowState, ExitQuestionShowsTheExclamationIcon) {
    bool exclamation = false;
    Run({FindMain(), Do([&] { State().definitionSaved = false; }), Post(ID_FILE_EXIT),
         [&] {
             HWND box = MessageBoxWindow();
             if (!box) return false;
             HICON expected = LoadIconW(nullptr, IDI_EXCLAMATION);
             for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                 if (reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0)) == expected) exclamation = true;
             ui::Press(box, IDNO);
             return true;
         },
         WaitClosed()});
    EXPECT_TRUE(exclamation);
}

TEST_F(MainWindowState, ExitYesThenCancelledSaveKeepsTheWindowAndAsksAgain) {
    std::wstring first, second;
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

TEST_F(MainWindowState, EscapeAndTheCloseBoxAskLikeExit) {
    std::wstring viaEscape, viaClose;
    Run({FindMain(), Do([&] { State().definitionSaved = false; }), Post(IDCANCEL),
         Answer(IDYES, &viaEscape), CancelFileDialog(),
         Do([&] { PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); }), Answer(IDNO, &viaClose), WaitClosed()});
    EXPECT_EQ(kAskSaveBeforeExit, viaEscape);
    EXPECT_EQ(kAskSaveBeforeExit, viaClose);
}

TEST_F(MainWindowState, EscapeWithNothingToSaveClosesAtOnce) {
    Run({FindMain(), Post(IDCANCEL), WaitClosed()});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowState, NewWithUnsavedChangesAnsweredNoResetsButStaysUnsaved) {
    std::wstring question, exitQuestion;
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

TEST_F(MainWindowState, NewAnsweredYesSavesFirstAndClearsNothing) {
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

TEST_F(MainWindowState, NewWithNothingUnsavedClearsAndSaysSo) {
    std::wstring message;
    Run({FindMain(), Do([&] { dir.Write("auto.tdf", "[100]\r\n"); }), Post(ID_FILE_NEW), Answer(IDOK, &message),
         Post(IDC_EXIT), WaitClosed()});
    EXPECT_EQ(kMsgDefinitionCleared, message);
    EXPECT_FALSE(dir.Exists("auto.tdf"));
}

TEST_F(MainWindowState, CancelledOpenAndSaveAsChangeNothing) {
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

TEST_F(MainWindowState, ExecutableFolderTooLongEndsBeforeTouchingFiles) {
    std::wstring message;
    TestEditorDlg dialog(L"C:\\" + std::wstring(260, L'x') + L"\\tlkedit.exe");
    ui::Script script({Answer(IDOK, &message)});
    EXPECT_EQ(IDABORT, dialog.DoModal());
    script.Drain();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(kMsgFolderTooLong, message);
    EXPECT_STREQ(L"", dialog.State().workDir);
}
