// The wizard's content pages on the real editor: menu texts and actions,
// title, colours and sounds, from a first design to the disc that plays it.
#include "e2e/player_fixture.h"
#include "wizard_session.h"

namespace {

const int kTplList = 1007, kMenuCombo = 1031, kHeading1 = 5055, kLine1 = 5043, kAction1 = 4009;
const int kProgram = 1029, kParams = 1077, kQuit = 1055, kGoto = 1031, kActHeading = 1056, kActLine = 1076;
const int kTitle = 1066, kNormal = 1034, kHighlight = 1035, kSetStartup = 1057;
const char kActionCaption[] = "Configure Actions";

class WizardContent : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(s.Start()) << "the editor did not start"; }

    HWND OpenActionDialog(int line) {
        PostMessageA(w.Item(kAction1 + line - 1), BM_CLICK, 0, 0);
        HWND d = drv::WaitWindow(s.proc.Id(), 10000, "#32770", kActionCaption);
        if (d) drv::Settle(d, 200);
        return d;
    }
    static void SetText(HWND control, const std::string& text) {
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Ends a dialog and waits until its owner has done what follows it.
    static void EndDialogWith(HWND d, int button) {
        HWND owner = GetWindow(d, GW_OWNER);
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        ed::Session::WaitGone(d);
        if (owner) drv::Settle(owner, 50);
    }
    std::string Work() const { return s.Work("auto.tdf"); }

    ed::Session s;
    wz::Wizard w{s};
};

// The road from the first design to a disc: background, the 7-line layout,
// a heading and a line that starts an installer and quits, colours and a
// start-up sound; then Test, Build, and the real player on the built folder.
TEST_F(WizardContent, TypicalRoadFromDesignToDisc) {
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.GoTo(2));
    w.SelectListEntry(kTplList, 3);
    ASSERT_TRUE(w.Next());
    for (int k = 0; k < 10; ++k) EXPECT_EQ(k < 7, IsWindowVisible(w.Item(kLine1 + k)) != FALSE) << k;

    wz::RealClick(w.Item(kHeading1));
    wz::TypeText("Welcome to the fair");
    wz::RealClick(w.Item(kLine1));
    wz::TypeText("Install the game");
    // Pressing the action button takes the focus from the line: it is stored.
    wz::RealClick(w.Item(kAction1));
    HWND action = drv::WaitWindow(s.proc.Id(), 10000, "#32770", kActionCaption);
    ASSERT_NE(nullptr, action);
    drv::Settle(action, 200);
    EXPECT_EQ("Install the game", wz::Key(s, "15001", "1"));
    EXPECT_EQ("Menu # 1 Line # 1", drv::ItemText(action, kActHeading));
    EXPECT_EQ("Install the game", drv::ItemText(action, kActLine));
    SetText(GetDlgItem(action, kProgram), "marker.exe");
    SetText(GetDlgItem(action, kParams), "from the disc");
    SendMessageA(GetDlgItem(action, kQuit), BM_CLICK, 0, 0);
    EndDialogWith(action, IDOK);
    ASSERT_TRUE(w.Next());

    wz::RealClick(w.Item(kTitle));
    wz::TypeText("Summer Fair");
    PostMessageA(w.Item(kNormal), BM_CLICK, 0, 0);
    ASSERT_TRUE(wz::PickColor(s.proc.Id(), 255, 128, 0));
    PostMessageA(w.Item(kHighlight), BM_CLICK, 0, 0);
    ASSERT_TRUE(wz::PickColor(s.proc.Id(), 0, 255, 255));
    PostMessageA(w.Item(kSetStartup), BM_CLICK, 0, 0);
    ASSERT_TRUE(s.ChooseFile(s.Work("sounds\\welcome.wav")));
    drv::Settle(w.sheet, 200);
    EXPECT_EQ("welcome.wav", drv::ItemText(w.Page(), 1062));
    ASSERT_TRUE(w.Next());
    ASSERT_TRUE(w.Finish());

    wz::Ini expected = {
        {"100", {{"400", "0"}, {"500", "3"}, {"200", "Summer Fair"}, {"600", "welcome.wav"}}},
        {"1000", {{"1200", "255"}, {"1300", "128"}, {"1400", "0"}}},
        {"1100", {{"1200", "0"}, {"1300", "255"}, {"1400", "255"}}},
        {"15001", {{"13", "Welcome to the fair"}, {"14", ""}, {"1", "Install the game"}}},
        {"17001", {{"1", "marker.exe"}}},
        {"18001", {{"1", "from the disc"}}},
        {"19001", {{"1", ""}}},
        {"16001", {{"1", "TRUE"}}},
    };
    for (int k = 2; k <= 12; ++k) expected["15001"][std::to_string(k)] = "";
    EXPECT_EQ(expected, wz::ReadIni(Work()));
    EXPECT_EQ(files::ReadAll(s.Work("sounds\\welcome.wav")), files::ReadAll(s.Work("welcome.wav")));

    // Step 2 shows the menu in the editor.
    s.Click(2002);
    HWND menu = drv::WaitWindow(s.proc.Id(), 15000, "#32770", "Summer Fair");
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ("Install the game", drv::ItemText(menu, 3004));
    EXPECT_EQ("Welcome to the fair", drv::ItemText(menu, 1079));
    PostMessageA(menu, WM_CLOSE, 0, 0);
    ASSERT_TRUE(ed::Session::WaitGone(menu));

    // Step 3 builds the disc folder.
    TempDir disc{"disc"};
    s.Click(2003);
    HWND build = drv::WaitWindow(s.proc.Id(), 10000, "#32770", "Build Information");
    ASSERT_NE(nullptr, build);
    SetText(GetDlgItem(build, 1067), disc.Path());
    EndDialogWith(build, IDOK);
    EXPECT_EQ("Build Complete", s.Answer(IDOK));
    EXPECT_EQ(files::ReadAll(s.Work("auto.tdf")), files::ReadAll(disc.File("auto.tdf")));
    EXPECT_EQ(files::ReadAll(s.Work("welcome.wav")), files::ReadAll(disc.File("welcome.wav")));

    // The author adds the installer; the player on the disc shows the line
    // and a click starts it and ends the menu.
    ASSERT_TRUE(drv::CopyInto(drv::Env("TLK_MARKER"), disc.File("marker.exe")));
    drv::Process player;
    ASSERT_TRUE(player.Start(disc.File("autorun.exe"), "", s.dist));
    HWND shown = drv::WaitWindow(player.Id(), 15000, "#32770", "Summer Fair");
    ASSERT_NE(nullptr, shown);
    drv::Settle(shown, 300);
    HWND line = GetDlgItem(shown, e2e::kLineIds[0]);
    EXPECT_EQ("Install the game", drv::Text(line));
    RECT r = drv::ChildRect(shown, line);
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(shown, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(shown, WM_LBUTTONUP, 0, at);
    auto lines = drv::WaitLines(disc.File("marker.txt"), 1, 10000);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("from the disc|" + disc.Path().substr(0, disc.Path().size() - 1), lines[0]);
    EXPECT_TRUE(player.WaitExit(10000)) << "the quit flag ends the player";
}

TEST_F(WizardContent, CancelKeepsWhatWasWrittenAndLosesWhatWaitsForLeaving) {
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.GoTo(3));
    wz::RealClick(w.Item(kLine1));
    wz::TypeText("Kept line");
    wz::RealClick(w.Item(kHeading1));   // line 1 loses the focus and is stored
    wz::TypeText("Lost heading");
    ASSERT_TRUE(w.Next());               // menu 1 is saved when the page is left
    wz::RealClick(w.Item(kTitle));
    wz::TypeText("Lost title");
    PostMessageA(w.Item(kNormal), BM_CLICK, 0, 0);
    ASSERT_TRUE(wz::PickColor(s.proc.Id(), 10, 20, 30));
    PostMessageA(w.Item(kSetStartup), BM_CLICK, 0, 0);
    ASSERT_TRUE(s.ChooseFile(s.Work("sounds\\chime.wav")));
    ASSERT_TRUE(w.Cancel());

    EXPECT_EQ("Kept line", wz::Key(s, "15001", "1"));
    EXPECT_EQ("Lost heading", wz::Key(s, "15001", "13")) << "the heading went with the leaving save";
    EXPECT_EQ("(missing)", wz::Key(s, "100", "200")) << "the title waits for the page to be left";
    EXPECT_EQ("10", wz::Key(s, "1000", "1200"));
    EXPECT_EQ("30", wz::Key(s, "1000", "1400"));
    EXPECT_EQ("chime.wav", wz::Key(s, "100", "600"));
    EXPECT_TRUE(s.dir.Exists("chime.wav"));

    // A heading typed on a fresh run and cancelled at once is not stored.
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.GoTo(3));
    EXPECT_EQ("Lost heading", drv::Text(w.Item(kHeading1)));
    EXPECT_EQ("Kept line", drv::Text(w.Item(kLine1)));
    wz::RealClick(w.Item(kHeading1));
    SendMessageA(w.Item(kHeading1), EM_SETSEL, 0, -1);
    wz::TypeText("Never stored");
    ASSERT_TRUE(w.Cancel());
    EXPECT_EQ("Lost heading", wz::Key(s, "15001", "13"));
}

TEST_F(WizardContent, MenuChangeSavesTheMenuLeftRaisesTheCountAndKeepsHiddenLines) {
    wz::SetKey(s, "100", "300", "2");
    wz::SetKey(s, "100", "500", "0");
    wz::SetKey(s, "15001", "1", "First menu");
    wz::SetKey(s, "15001", "7", "Hidden seven");
    wz::SetKey(s, "15002", "1", "Second menu");
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.GoTo(3));
    EXPECT_EQ("First menu", drv::Text(w.Item(kLine1)));
    EXPECT_FALSE(IsWindowVisible(w.Item(kLine1 + 6))) << "the 5-line layout hides line 7";
    EXPECT_TRUE(IsWindowVisible(w.Item(kLine1 + 10)));
    EXPECT_EQ(200, SendMessageA(w.Item(kMenuCombo), CB_GETCOUNT, 0, 0));
    EXPECT_EQ("menu5", wz::EntryText(w.Item(kMenuCombo), 4, true));
    for (int k = 0; k < 14; ++k) {
        int id = k < 12 ? kLine1 + k : kHeading1 + (k - 12);
        EXPECT_EQ(127, SendMessageA(w.Item(id), EM_GETLIMITTEXT, 0, 0)) << id;
    }

    SendMessageA(w.Item(kLine1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("First menu, changed"));
    w.SelectComboEntry(w.Page(), kMenuCombo, 4);
    EXPECT_EQ("First menu, changed", wz::Key(s, "15001", "1"));
    EXPECT_EQ("Hidden seven", wz::Key(s, "15001", "7"));
    EXPECT_EQ("5", wz::Key(s, "100", "300"));
    EXPECT_EQ("", drv::Text(w.Item(kLine1)));
    EXPECT_EQ("(missing)", wz::Key(s, "15003", "1")) << "menus passed over get no section";
    w.SelectComboEntry(w.Page(), kMenuCombo, 1);
    EXPECT_EQ("Second menu", drv::Text(w.Item(kLine1)));
    EXPECT_EQ("", wz::Key(s, "15005", "1"));
    w.SelectComboEntry(w.Page(), kMenuCombo, 0);
    EXPECT_EQ("First menu, changed", drv::Text(w.Item(kLine1)));
    EXPECT_EQ("5", wz::Key(s, "100", "300")) << "the count is never lowered";

    // Real typing stops at what the player can read back.
    wz::RealClick(w.Item(kLine1 + 1));
    wz::TypeText(std::string(130, 'x'));
    EXPECT_EQ(std::string(127, 'x'), drv::Text(w.Item(kLine1 + 1)));
    ASSERT_TRUE(w.Cancel());
}

TEST_F(WizardContent, ActionDialogShowsAGotoClearsItAndCancelWritesNothing) {
    wz::SetKey(s, "100", "500", "3");
    wz::SetKey(s, "15001", "2", "To menu twelve");
    wz::SetKey(s, "17001", "2", "_menu12");
    wz::SetKey(s, "16001", "2", "true");
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.GoTo(3));

    HWND d = OpenActionDialog(2);
    ASSERT_NE(nullptr, d);
    EXPECT_EQ(201, SendMessageA(GetDlgItem(d, kGoto), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(12, SendMessageA(GetDlgItem(d, kGoto), CB_GETCURSEL, 0, 0));
    EXPECT_EQ("_menu12", drv::ItemText(d, kProgram));
    EXPECT_EQ("To menu twelve", drv::ItemText(d, kActLine));
    EXPECT_NE(BST_CHECKED, SendMessageA(GetDlgItem(d, kQuit), BM_GETCHECK, 0, 0)) << "only TRUE means quit";
    for (int id : {kProgram, kParams, 1078}) EXPECT_EQ(79, SendMessageA(GetDlgItem(d, id), EM_GETLIMITTEXT, 0, 0));
    std::string before = files::ReadAll(Work());
    w.SelectComboEntry(d, kGoto, 0);
    EXPECT_EQ("", drv::ItemText(d, kProgram));
    EndDialogWith(d, IDCANCEL);
    EXPECT_EQ(before, files::ReadAll(Work())) << "Cancel writes nothing";

    d = OpenActionDialog(2);
    ASSERT_NE(nullptr, d);
    w.SelectComboEntry(d, kGoto, 0);
    SetText(GetDlgItem(d, kProgram), "docs\\readme.txt");
    SetText(GetDlgItem(d, kParams), "-quiet");
    EndDialogWith(d, IDOK);
    EXPECT_EQ("docs\\readme.txt", wz::Key(s, "17001", "2"));
    EXPECT_EQ("-quiet", wz::Key(s, "18001", "2"));
    EXPECT_EQ("", wz::Key(s, "19001", "2"));
    EXPECT_EQ("FALSE", wz::Key(s, "16001", "2"));

    // A go-to chosen while a path stands in the box replaces the path.
    d = OpenActionDialog(2);
    ASSERT_NE(nullptr, d);
    EXPECT_EQ(-1, SendMessageA(GetDlgItem(d, kGoto), CB_GETCURSEL, 0, 0));
    w.SelectComboEntry(d, kGoto, 4);
    EXPECT_EQ("_menu4", drv::ItemText(d, kProgram));
    EndDialogWith(d, IDOK);
    EXPECT_EQ("_menu4", wz::Key(s, "17001", "2"));
    EXPECT_EQ("-quiet", wz::Key(s, "18001", "2"));
    ASSERT_TRUE(w.Cancel());
}

TEST_F(WizardContent, ColourSamplesShowTheChosenColours) {
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.GoTo(4));
    EXPECT_EQ("(missing)", wz::Key(s, "1000", "1200")) << "nothing is written before a choice";
    PostMessageA(w.Item(kNormal), BM_CLICK, 0, 0);
    ASSERT_TRUE(wz::PickColor(s.proc.Id(), 255, 128, 0));
    PostMessageA(w.Item(kHighlight), BM_CLICK, 0, 0);
    ASSERT_TRUE(wz::PickColor(s.proc.Id(), 0, 0, 255));
    drv::Settle(w.sheet, 400);
    EXPECT_EQ("255", wz::Key(s, "1000", "1200"));
    EXPECT_EQ("128", wz::Key(s, "1000", "1300"));
    EXPECT_EQ("0", wz::Key(s, "1000", "1400"));
    EXPECT_EQ("255", wz::Key(s, "1100", "1400"));

    RECT client;
    GetClientRect(w.Page(), &client);
    auto countAround = [&](int cy, COLORREF colour) {
        int cx = (client.right - 300) / 2;
        RECT r = {cx - 60, cy - 8, cx + 60, cy + 8};
        return drv::ScreenGrab(w.Page(), r).Count(colour, 40);
    };
    EXPECT_GT(countAround((client.bottom + 50) / 2, RGB(255, 128, 0)), 20);
    EXPECT_GT(countAround((client.bottom + 140) / 2, RGB(0, 0, 255)), 20);
    EXPECT_EQ(0, countAround((client.bottom + 50) / 2, RGB(0, 0, 255)));
    ASSERT_TRUE(w.Cancel());
}

TEST_F(WizardContent, ADefinitionSavedAndOpenedAgainShowsTheSameInTheWizard) {
    TempDir sets{"sets"};
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Next());
    w.SelectListEntry(1000, 4);
    ASSERT_TRUE(w.Next());
    w.SelectListEntry(kTplList, 7);
    ASSERT_TRUE(w.Next());
    SetText(w.Item(kLine1), "Play the demo");
    ASSERT_TRUE(w.Next());
    SetText(w.Item(kTitle), "Saved Fair");
    PostMessageA(w.Item(kSetStartup), BM_CLICK, 0, 0);
    ASSERT_TRUE(s.ChooseFile(s.Work("sounds\\pop.wav")));
    ASSERT_TRUE(w.Next());
    ASSERT_TRUE(w.Finish());

    s.Command(32773);
    ASSERT_TRUE(s.ChooseFile(sets.File("fair")));
    EXPECT_EQ("Save Definition Complete", s.Answer(IDOK));
    s.Command(57600);
    EXPECT_EQ("Definition Cleared", s.Answer(IDOK));
    EXPECT_FALSE(s.dir.Exists("auto.tdf"));
    s.Command(57601);
    ASSERT_TRUE(s.ChooseFile(sets.File("fair.tdf")));
    drv::Settle(s.main, 300);

    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Next());
    EXPECT_EQ(4, w.ListSelection(1000));
    ASSERT_TRUE(w.Next());
    EXPECT_EQ(7, w.ListSelection(kTplList));
    ASSERT_TRUE(w.Next());
    EXPECT_EQ("Play the demo", drv::Text(w.Item(kLine1)));
    ASSERT_TRUE(w.Next());
    EXPECT_EQ("Saved Fair", drv::Text(w.Item(kTitle)));
    EXPECT_EQ("pop.wav", drv::ItemText(w.Page(), 1062));
    ASSERT_TRUE(w.Cancel());
}

}  // namespace
