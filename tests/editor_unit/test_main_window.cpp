// The main window run inside the test process: its menus, fonts and icons
// (which other processes cannot read), Enter, help and the About box.
#include "main_window_fixture.h"

namespace {

std::vector<std::pair<UINT, std::wstring>> Items(HMENU menu) {
    std::vector<std::pair<UINT, std::wstring>> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = L"";
        GetMenuStringW(menu, i, text, sizeof text / sizeof text[0], MF_BYPOSITION);
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        out.emplace_back((info.fType & MFT_SEPARATOR) ? 0u : info.wID, text);
    }
    return out;
}

}  // namespace

TEST_F(MainWindow, HasTheFileTestingAndLanguageMenus) {
    std::vector<std::pair<UINT, std::wstring>> file, testing, language, bar;
    Run({FindMain(), Do([&] {
             HMENU menu = GetMenu(main);
             for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                 wchar_t text[64] = L"";
                 GetMenuStringW(menu, i, text, sizeof text / sizeof text[0], MF_BYPOSITION);
                 bar.emplace_back(0, text);
             }
             file = Items(GetSubMenu(menu, 0));
             testing = Items(GetSubMenu(menu, 1));
             language = Items(GetSubMenu(menu, 2));
         }),
         Post(ID_FILE_EXIT), WaitClosed()});
    using V = std::vector<std::pair<UINT, std::wstring>>;
    EXPECT_EQ((V{{0, L"&File"}, {0, L"Testing"}, {0, L"&Language"}}), bar);
    // Make Disc Image follows Save As; the rest is the menu as it always was.
    EXPECT_EQ((V{{57600, L"&New"}, {57601, L"&Open"}, {0, L""}, {32773, L"Save&As"}, {32777, L"Make Disc &Image..."},
                 {0, L""}, {32776, L"E&xit"}}),
              file);
    EXPECT_EQ((V{{32774, L"Preview All Templates"}, {32775, L"Export Menu to File"}}), testing);
    // A work folder without other languages lists the default one alone.
    EXPECT_EQ((V{{ID_LANGUAGE_ADD, L"&Add Language..."}, {ID_LANGUAGE_REMOVE, L"&Remove Language"}, {0, L""},
                 {ID_LANGUAGE_DEFAULT, L"Default"}}),
              language);
}

TEST_F(MainWindow, SystemMenuEndsWithTheAboutItem) {
    std::vector<std::pair<UINT, std::wstring>> items;
    Run({FindMain(), Do([&] { items = Items(GetSystemMenu(main, FALSE)); }), Post(ID_FILE_EXIT), WaitClosed()});
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(16u, items.back().first);
    EXPECT_EQ(L"&About tlkedit...", items.back().second);
    EXPECT_EQ(0u, items[items.size() - 2].first) << "a separator comes before it";
    EXPECT_EQ(L"", items[items.size() - 2].second);
}

TEST_F(MainWindow, StepLabelsUseTheirOwnBoldFont) {
    LOGFONTW step[3] = {}, text = {};
    HFONT fonts[3] = {};
    Run({FindMain(), Do([&] {
             const int ids[3] = {IDC_STEP1, IDC_STEP2, IDC_STEP3};
             for (int i = 0; i < 3; ++i) {
                 fonts[i] = reinterpret_cast<HFONT>(SendDlgItemMessageA(main, ids[i], WM_GETFONT, 0, 0));
                 GetObjectW(fonts[i], sizeof step[i], &step[i]);
             }
             GetObjectW(reinterpret_cast<HFONT>(SendMessageA(main, WM_GETFONT, 0, 0)), sizeof text, &text);
         }),
         Post(ID_FILE_EXIT), WaitClosed()});
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fonts[0], fonts[i]) << "one font for the three labels";
        EXPECT_EQ(24, step[i].lfHeight);
        EXPECT_EQ(700, step[i].lfWeight);
        EXPECT_STREQ(L"Arial", step[i].lfFaceName);
        EXPECT_FALSE(step[i].lfItalic);
        EXPECT_FALSE(step[i].lfUnderline);
    }
    EXPECT_STREQ(L"Arial", text.lfFaceName) << "the window's own font";
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

TEST_F(MainWindow, EnterRunsTheFocusedStepButton) {
    bool stillOpen = false;
    Run({FindMain(), Do([&] { SetFocus(GetDlgItem(main, IDC_HELP_BUTTON)); }), Post(IDOK), NoMessageBoxFor(300),
         Do([&] { stillOpen = IsWindow(main) != FALSE; }),
         Do([&] { SetFocus(GetDlgItem(main, IDC_EXIT)); }), Post(IDOK), WaitClosed()});
    EXPECT_TRUE(stillOpen) << "Enter on the Help button does not end the program";
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
             HWND about = ui::FindDialog(L"About tlkedit");
             if (!about) return false;
             HELPINFO info = {sizeof info, HELPINFO_WINDOW, 0, nullptr, 0, {0, 0}};
             SetActiveWindow(about);
             SendMessageA(about, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
             ui::Press(about, IDOK);
             return true;
         },
         [&] { return ui::FindDialog(L"About tlkedit") == nullptr; }, Post(IDC_EXIT), WaitClosed()});
    // The Help button, F1 on a control of the main window, F1 on the main
    // window itself, F1 in the about box (which asks for its own topic).
    EXPECT_EQ((std::vector<DWORD>{0x20066, 0x20066, 0x20066, 0x20064}), app.contexts);
}

TEST_F(MainWindow, AboutBoxFromTheSystemMenu) {
    std::wstring text;
    RECT mainRect = {}, aboutRect = {};
    Run({FindMain(), Do([&] { PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }),
         [&] {
             HWND about = ui::FindDialog(L"About tlkedit");
             if (!about) return false;
             text = ui::StaticTexts(about);
             GetWindowRect(main, &mainRect);
             GetWindowRect(about, &aboutRect);
             EXPECT_EQ(main, GetWindow(about, GW_OWNER));
             ui::Press(about, IDOK);
             return true;
         },
         [&] { return ui::FindDialog(L"About tlkedit") == nullptr; },
         Do([&] { EXPECT_TRUE(IsWindow(main)) << "the main window stays"; }), Post(IDC_EXIT), WaitClosed()});
    EXPECT_EQ(L"tlkedit Version 1.0", text);
    EXPECT_LT(aboutRect.right - aboutRect.left, mainRect.right - mainRect.left);
}
