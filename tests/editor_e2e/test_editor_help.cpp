// Help pages opened through the shell, and the about box, of the real editor.
#include "wizard_session.h"

namespace {

const char kProgId[] = "TlkHelpRecorder.Page";

// Makes the test's browser stand-in the program that opens .htm files, for
// the length of a test; the earlier association comes back afterwards.
class HtmAssociation {
public:
    HtmAssociation() {
        char old[256] = "";
        LONG size = sizeof old;
        m_hadOld = RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", old, &size) == ERROR_SUCCESS;
        m_old = old;
        std::string recorder = drv::Env("TLK_HELP_RECORDER");
        std::string command = "\"" + recorder + "\" \"%1\"";
        m_ok = !recorder.empty() &&
               RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, kProgId, lstrlenA(kProgId)) == ERROR_SUCCESS &&
               RegSetValueA(HKEY_CLASSES_ROOT, (std::string(kProgId) + "\\shell\\open\\command").c_str(), REG_SZ,
                            command.c_str(), static_cast<DWORD>(command.size())) == ERROR_SUCCESS;
    }
    ~HtmAssociation() {
        if (m_hadOld && !m_old.empty())
            RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, m_old.c_str(), static_cast<DWORD>(m_old.size()));
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kProgId) + "\\shell\\open\\command").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kProgId) + "\\shell\\open").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kProgId) + "\\shell").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, kProgId);
    }
    bool Ok() const { return m_ok; }

private:
    bool m_ok = false, m_hadOld = false;
    std::string m_old;
};

class EditorHelp : public ::testing::Test {
protected:
    void SetUp() override {
        record = records.File("opened.txt");
        SetEnvironmentVariableA("TLK_HELP_RECORD", record.c_str());
        ASSERT_TRUE(association.Ok()) << "TLK_HELP_RECORDER names the recorder";
    }
    void TearDown() override { SetEnvironmentVariableA("TLK_HELP_RECORD", nullptr); }

    // The pages the recorder was asked to open so far, after waiting for
    // at least 'count' of them.
    std::string Opened(size_t count = 1) {
        std::string text;
        for (int i = 0; i < 200; ++i) {
            text = ed::ReadAll(record);
            size_t lines = 0;
            for (char c : text) lines += c == '\n';
            if (lines >= count) break;
            Sleep(50);
        }
        return text;
    }
    static size_t Count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
    static void PressKey(WORD key) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = key;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof in[0]);
    }

    TempDir records{"helprec"};
    std::string record;
    HtmAssociation association;
    ed::Session s;
};

}  // namespace

TEST_F(EditorHelp, HelpButtonOpensTheMainWindowsPage) {
    ASSERT_NE(nullptr, s.Start());
    s.Click(2004);
    std::string opened = Opened();
    EXPECT_NE(std::string::npos, opened.find(s.dir.Path() + "help\\main.htm")) << opened;
    EXPECT_EQ(nullptr, drv::WaitWindow(s.proc.Id(), 300, "#32770", ed::kBoxTitle)) << "no failure message";
}

// F1 is real key input here: it reaches the window that has the keyboard
// focus, and the editor asks the dialog in front for its topic.
TEST_F(EditorHelp, F1InTheMainWindowOpensItsPage) {
    ASSERT_NE(nullptr, s.Start());
    SetForegroundWindow(s.main);
    drv::Settle(s.main, 300);
    ASSERT_EQ(s.main, GetForegroundWindow());
    PressKey(VK_F1);
    std::string opened = Opened(1);
    EXPECT_EQ(1u, Count(opened, "help\\main.htm")) << opened;
}

TEST_F(EditorHelp, F1InTheAboutBoxAsksForTheAboutBoxsOwnTopic) {
    ASSERT_NE(nullptr, s.Start());
    SetForegroundWindow(s.main);
    drv::Settle(s.main, 300);
    PostMessageA(s.main, WM_SYSCOMMAND, 16, 0);
    HWND about = drv::WaitWindow(s.proc.Id(), 10000, "#32770", "About tlkedit");
    ASSERT_NE(nullptr, about);
    drv::Settle(about, 300);
    ASSERT_EQ(about, GetForegroundWindow());
    PressKey(VK_F1);
    std::string opened = Opened(1);
    // The about box has no page of its own: its number leads to the index.
    EXPECT_EQ(1u, Count(opened, "help\\index.htm")) << opened;
    EXPECT_EQ(0u, Count(opened, "help\\main.htm")) << opened;
    PostMessageA(about, WM_COMMAND, IDOK, 0);
}

TEST_F(EditorHelp, MissingPageShowsThatHelpFailed) {
    ASSERT_TRUE(DeleteFileA(s.dir.File("help\\main.htm").c_str()));
    ASSERT_NE(nullptr, s.Start());
    s.Click(2004);
    EXPECT_EQ("Failed to launch help.", s.Answer(IDOK));
    EXPECT_TRUE(IsWindow(s.main));
}

TEST_F(EditorHelp, AboutBoxFromTheSystemMenu) {
    ASSERT_NE(nullptr, s.Start());
    PostMessageA(s.main, WM_SYSCOMMAND, 16, 0);
    HWND about = drv::WaitWindow(s.proc.Id(), 10000, "#32770", "About tlkedit");
    ASSERT_NE(nullptr, about);
    EXPECT_EQ("tlkedit Version 1.0", ed::StaticTexts(about));
    HWND ok = GetDlgItem(about, IDOK);
    ASSERT_NE(nullptr, ok);
    EXPECT_EQ("OK", drv::Text(ok));
    EXPECT_TRUE(GetWindowLongA(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_FALSE(IsWindowEnabled(s.main)) << "the about box is modal";
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(ed::Session::WaitGone(about));
    EXPECT_TRUE(IsWindow(s.main));
    drv::Settle(s.main);
    EXPECT_TRUE(IsWindowEnabled(s.main));
}

// The folder dialogs of the build and of the menu listing have pages of
// their own; their Help buttons leave the dialogs open.
TEST_F(EditorHelp, FolderDialogsOpenTheirOwnPages) {
    ASSERT_NE(nullptr, s.Start());
    struct Case {
        UINT command;
        int control;
        const char* caption;
        const char* page;
    };
    const Case cases[] = {{2003, 2003, "Build Information", "help\\build.htm"},
                          {32775, 0, "Menu File Information", "help\\menu-listing.htm"}};
    size_t opened = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        if (c.control) s.Click(c.control);
        else s.Command(c.command);
        HWND dialog = drv::WaitWindow(s.proc.Id(), 10000, "#32770", c.caption);
        ASSERT_NE(nullptr, dialog);
        PostMessageA(GetDlgItem(dialog, 2004), BM_CLICK, 0, 0);
        std::string pages = Opened(++opened);
        EXPECT_EQ(1u, Count(pages, c.page)) << pages;
        EXPECT_TRUE(IsWindowVisible(dialog));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_TRUE(ed::Session::WaitGone(dialog));
    }
    EXPECT_EQ(nullptr, drv::WaitWindow(s.proc.Id(), 300, "#32770", ed::kBoxTitle)) << "Cancel does nothing";
}

// Each wizard page opens its own topic, from the sheet's Help button and
// from F1 (real key input into the page in front).
TEST_F(EditorHelp, EveryWizardPageOpensItsOwnPage) {
    ASSERT_NE(nullptr, s.Start());
    wz::Wizard w(s);
    ASSERT_TRUE(w.Open());
    const char* pages[6] = {"help\\wizard.htm", "help\\background.htm", "help\\layout.htm",
                            "help\\menus.htm", "help\\title-colours-sounds.htm", "help\\wizard-finish.htm"};
    size_t opened = 0;
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(pages[i]);
        ASSERT_EQ(i, w.PageIndex());
        for (int tries = 0; tries < 20 && GetForegroundWindow() != w.sheet; ++tries) {
            SetForegroundWindow(w.sheet);
            drv::Settle(w.sheet, 100);
        }
        ASSERT_EQ(w.sheet, GetForegroundWindow());
        PressKey(VK_F1);
        std::string record = Opened(++opened);
        EXPECT_EQ(1u, Count(record, pages[i])) << record;
        PostMessageA(w.sheet, PSM_PRESSBUTTON, PSBTN_HELP, 0);
        record = Opened(++opened);
        EXPECT_EQ(2u, Count(record, pages[i])) << record;
        if (i < 5) { ASSERT_TRUE(w.Next()); }
    }
    EXPECT_TRUE(w.Cancel());
}
