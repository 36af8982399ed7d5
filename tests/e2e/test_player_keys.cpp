// The menu with the keyboard: real key presses on the real player, the
// highlight read from the screen, started programs from their marker file,
// and what a screen reader is told.
#include "player_fixture.h"
#include "support/bmpwriter.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const COLORREF kPaper = RGB(0, 0, 96);

// Layout 0 shows main lines 1 to 5 and the bottom lines 11 and 12. Line 6
// has a text but is hidden in this layout, lines 1, 3 and 12 are empty.
std::string Sparse(const std::string& more = "") {
    return "[100]\r\n200=Keys\r\n300=2\r\n500=0\r\n" + GreenAndMagenta() +
           "[15001]\r\n2=Two\r\n4=Four\r\n6=Hidden\r\n11=Eleven\r\n13=Heading\r\n" + more;
}

class PlayerKeys : public PlayerTest {
protected:
    void StartOn(const std::string& definition) {
        ASSERT_TRUE(bmpw::WriteFile(dir.File("autorun.bmp"), bmpw::SolidPicture(16, 16, {0, 0, 96})));
        dir.Write("auto.tdf", definition);
        ASSERT_NE(nullptr, Start());
        Activate();
    }
    void CopyMarker() { ASSERT_TRUE(drv::CopyInto(drv::Env("TLK_MARKER"), dir.File("marker.exe"))); }
};

// Records the focus and name-change events of one process.
struct EventLog {
    struct Event {
        DWORD event;
        HWND hwnd;
        LONG object;
    };
    static std::vector<Event>& Events() {
        static std::vector<Event> events;
        return events;
    }
    static void CALLBACK Hook(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG, DWORD, DWORD) {
        Events().push_back({event, hwnd, object});
    }
    explicit EventLog(DWORD pid) {
        Events().clear();
        hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Hook, pid, 0,
                               WINEVENT_OUTOFCONTEXT);
    }
    ~EventLog() {
        if (hook) UnhookWinEvent(hook);
    }
    // Lets the events arrive: an out-of-context hook is called from this
    // thread's message loop.
    void Pump(DWORD ms) {
        DWORD start = GetTickCount();
        MSG m;
        do {
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
            Sleep(10);
        } while (GetTickCount() - start < ms);
    }
    bool Has(DWORD event, HWND hwnd) const {
        for (const Event& e : Events())
            if (e.event == event && e.hwnd == hwnd) return true;
        return false;
    }
    HWND LastFocus() const {
        HWND last = nullptr;
        for (const Event& e : Events())
            if (e.event == EVENT_OBJECT_FOCUS) last = e.hwnd;
        return last;
    }
    HWINEVENTHOOK hook = nullptr;
};

}  // namespace

TEST_F(PlayerKeys, KeysWalkTheLinesWithTextInScreenOrderAndWrap) {
    StartOn(Sparse());
    EXPECT_EQ(std::vector<int>{}, SlotsIn(kMagentaHighlight)) << "nothing lit before a key";
    struct {
        WORD vk;
        bool shift;
        int lit;        // the one line slot in the highlight colour afterwards
    } steps[] = {
        {VK_DOWN, false, 1},    // the first line with text
        {VK_DOWN, false, 3},    // over the empty line 3
        {VK_TAB, false, 10},    // past the hidden line 6 to the bottom-left line
        {VK_TAB, false, 1},     // line 12 is empty: round to the top
        {VK_UP, false, 10},     // and back
        {VK_TAB, true, 3},
        {VK_END, false, 10},
        {VK_HOME, false, 1},
    };
    for (auto& s : steps) {
        Key(s.vk, s.shift);
        EXPECT_EQ(std::vector<int>{s.lit}, SlotsIn(kMagentaHighlight)) << "after key " << s.vk << (s.shift ? " with Shift" : "");
    }
    // The others keep the normal colour; the hidden line never shows.
    std::vector<int> normal = SlotsIn(kGreenText);
    EXPECT_EQ((std::vector<int>{3, 10}), normal);
    EXPECT_FALSE(IsWindowVisible(Line(5)));
}

TEST_F(PlayerKeys, EnterStartsTheLinesProgramAndItsQuitFlagEndsThePlayer) {
    CopyMarker();
    CreateDirectoryA(dir.File("work").c_str(), nullptr);
    const std::string work = dir.File("work");
    StartOn("[100]\r\n500=0\r\n[15001]\r\n1=Run and stay\r\n2=Run and quit\r\n"
            "[17001]\r\n1=marker.exe\r\n2=marker.exe\r\n[18001]\r\n1=alpha beta\r\n2=last\r\n"
            "[19001]\r\n1=" + work + "\r\n2=" + work + "\r\n[16001]\r\n1=FALSE\r\n2=TRUE\r\n");
    Key(VK_DOWN);
    Key(VK_RETURN);
    auto lines = drv::WaitLines(dir.File("work\\marker.txt"), 1, 8000);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("alpha beta|"));
    EXPECT_NE(std::string::npos, lines[0].find("work")) << lines[0];
    EXPECT_FALSE(proc.WaitExit(300)) << "FALSE keeps the player open";

    Sleep(600);   // past the click lock
    Activate();
    Key(VK_DOWN);
    drv::PressKey(VK_SPACE);
    EXPECT_TRUE(proc.WaitExit(8000)) << "Space on a TRUE line ends the player";
    lines = drv::WaitLines(dir.File("work\\marker.txt"), 2, 8000);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(0u, lines[1].find("last|"));
}

TEST_F(PlayerKeys, EnterOnAGoToShowsTheTargetWithThePositionOnItsFirstLine) {
    StartOn(Sparse("[17001]\r\n2=_menu2\r\n[15002]\r\n3=Back\r\n12=Right\r\n13=Second\r\n[17002]\r\n3=_menu1\r\n"));
    Key(VK_DOWN);
    Key(VK_RETURN);
    drv::Settle(window, 300);
    EXPECT_EQ("Back", drv::ItemText(window, kLineIds[2]));
    EXPECT_EQ("", drv::ItemText(window, kLineIds[1]));
    EXPECT_EQ(std::vector<int>{2}, SlotsIn(kMagentaHighlight));
    EXPECT_EQ(std::vector<int>{11}, SlotsIn(kGreenText));

    Sleep(600);
    Key(VK_RETURN);
    drv::Settle(window, 300);
    EXPECT_EQ("Two", drv::ItemText(window, kLineIds[1]));
    EXPECT_EQ(std::vector<int>{1}, SlotsIn(kMagentaHighlight));
}

TEST_F(PlayerKeys, EscapeAndEnterWithoutAPositionStillClose) {
    struct {
        const char* name;
        std::vector<WORD> keys;
        bool closes;
    } cases[] = {
        {"Escape", {VK_ESCAPE}, true},
        {"Enter with no line chosen", {VK_RETURN}, true},
        {"Escape with a line chosen", {VK_DOWN, VK_ESCAPE}, true},
        {"Space with no line chosen", {VK_SPACE}, false},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartOn(Sparse());
        for (WORD k : c.keys) Key(k);
        EXPECT_EQ(c.closes, proc.WaitExit(3000));
        if (!c.closes) PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(proc.WaitExit(8000));
        proc.Kill();
        window = nullptr;
    }
}

TEST_F(PlayerKeys, PointerAndKeysShareOneHighlight) {
    CopyMarker();
    StartOn(Sparse("[17001]\r\n4=marker.exe\r\n[18001]\r\n4=four\r\n"));
    Key(VK_DOWN);
    ASSERT_EQ(std::vector<int>{1}, SlotsIn(kMagentaHighlight));

    // The pointer onto line 4 takes the highlight and the keyboard position.
    POINT p = LineCentre(3);
    drv::MoveMouse(window, p.x, p.y);
    drv::Settle(window, 300);
    EXPECT_EQ(std::vector<int>{3}, SlotsIn(kMagentaHighlight));

    // Keys go on from there while the pointer rests on line 4.
    Key(VK_DOWN);
    drv::Settle(window, 300);
    EXPECT_EQ(std::vector<int>{10}, SlotsIn(kMagentaHighlight));
    Key(VK_UP);
    EXPECT_EQ(std::vector<int>{3}, SlotsIn(kMagentaHighlight));
    Key(VK_RETURN);
    auto lines = drv::WaitLines(dir.File("marker.txt"), 1, 8000);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("four|"));
}

TEST_F(PlayerKeys, ScreenReadersHearTheFocusedLineAndTheNewTexts) {
    StartOn(Sparse("[17001]\r\n4=_menu2\r\n[15002]\r\n1=Back\r\n2=Two\r\n"));
    // The system's accessible objects of windows and statics take their
    // names from the window texts.
    EXPECT_EQ("Keys", Caption());
    EXPECT_EQ("Heading", drv::ItemText(window, kHeading1));

    EventLog log(proc.Id());
    ASSERT_NE(nullptr, log.hook);
    Key(VK_DOWN);
    log.Pump(300);
    EXPECT_EQ(Line(1), log.LastFocus()) << "line 2 is the first with text";
    Key(VK_DOWN);
    log.Pump(300);
    EXPECT_EQ(Line(3), log.LastFocus());
    EXPECT_FALSE(log.Has(EVENT_OBJECT_FOCUS, Line(0))) << "empty lines are not announced";
    EXPECT_FALSE(log.Has(EVENT_OBJECT_FOCUS, Line(2)));

    Key(VK_RETURN);
    log.Pump(500);
    EXPECT_EQ("Back", drv::ItemText(window, kLineIds[0]));
    EXPECT_TRUE(log.Has(EVENT_OBJECT_NAMECHANGE, Line(0))) << "line 1 has a new text";
    EXPECT_EQ(Line(0), log.LastFocus()) << "the position is on the new menu's first line";
}
