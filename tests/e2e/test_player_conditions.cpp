// Lines that fit the computer, on the real player: a line hidden until what
// it asks for appears, a greyed line that nothing reaches, the 64-bit
// condition, and a line that starts its program as administrator.
#include "player_fixture.h"
#include <oleacc.h>
#include <gtest/gtest.h>
#include <string>

using namespace e2e;

namespace {

class PlayerConditions : public PlayerTest {
protected:
    void CopyMarker() { ASSERT_TRUE(drv::CopyInto(drv::Env("TLK_MARKER"), dir.File("marker.exe"))); }
    // Another window takes the focus, then the menu gets it back: what a
    // user coming back from the installer does.
    void LeaveAndComeBack() {
        HWND other = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
        for (int i = 0; i < 20 && GetForegroundWindow() != other; ++i) {
            SetForegroundWindow(other);
            Pump(50);
        }
        EXPECT_EQ(other, GetForegroundWindow()) << "the menu did not lose the focus";
        for (int i = 0; i < 20 && GetForegroundWindow() != window; ++i) {
            SetForegroundWindow(window);
            Pump(50);
        }
        drv::Settle(window, 300);
        DestroyWindow(other);
    }
    // This thread's window answers its messages meanwhile.
    static void Pump(DWORD ms) {
        const DWORD start = GetTickCount();
        do {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(10);
        } while (GetTickCount() - start < ms);
    }
    bool Lit(int slot) {
        for (int s : SlotsIn(kMagentaHighlight))
            if (s == slot) return true;
        return false;
    }
};

// The state a screen reader is told for a line.
long AccessibleState(HWND line) {
    CoInitialize(nullptr);
    IAccessible* object = nullptr;
    long state = -1;
    if (SUCCEEDED(AccessibleObjectFromWindow(line, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))) &&
        object) {
        VARIANT self, value;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        VariantInit(&value);
        if (SUCCEEDED(object->get_accState(self, &value)) && value.vt == VT_I4) state = value.lVal;
        object->Release();
    }
    CoUninitialize();
    return state;
}

}  // namespace

// "Start the program" appears once the program is there and the menu is
// active again; "Install" goes.
TEST_F(PlayerConditions, AHiddenLineAppearsWhenItsFileDoes) {
    dir.Write("auto.tdf", "[100]\r\n500=0\r\n[15001]\r\n1=Start the program\r\n2=Install\r\n3=Read me\r\n"
                          "[20001]\r\n1=file\r\n2=file\r\n[21001]\r\n1=installed.flag\r\n2=installed.flag\r\n"
                          "[22001]\r\n2=TRUE\r\n[23001]\r\n1=HIDE\r\n2=HIDE\r\n");
    ASSERT_TRUE(Start());
    EXPECT_FALSE(IsWindowVisible(Line(0))) << "nothing installed yet";
    EXPECT_TRUE(IsWindowVisible(Line(1)));
    EXPECT_TRUE(IsWindowVisible(Line(2))) << "a line without a condition shows everywhere";
    dir.Write("installed.flag", "x");
    LeaveAndComeBack();
    EXPECT_TRUE(IsWindowVisible(Line(0)));
    EXPECT_FALSE(IsWindowVisible(Line(1)));
    EXPECT_TRUE(IsWindowVisible(Line(2)));
    DeleteFileA(dir.File("installed.flag").c_str());
    LeaveAndComeBack();
    EXPECT_FALSE(IsWindowVisible(Line(0)));
    EXPECT_TRUE(IsWindowVisible(Line(1)));
}

// A greyed line: drawn dimmed, never lit, not clicked, skipped by the keys,
// and unavailable to a screen reader.
TEST_F(PlayerConditions, AGreyedLineIsShownButNothingReachesIt) {
    CopyMarker();
    dir.Write("auto.tdf", "[100]\r\n500=0\r\n" + GreenAndMagenta() +
                              "[15001]\r\n1=First\r\n2=Greyed out\r\n3=Third\r\n"
                              "[17001]\r\n1=marker.exe\r\n2=marker.exe\r\n3=marker.exe\r\n[18001]\r\n1=one\r\n2=two\r\n3=three\r\n"
                              "[20001]\r\n2=opens\r\n[21001]\r\n2=.no-program-opens-this\r\n");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(IsWindowVisible(Line(1)));
    EXPECT_FALSE(IsWindowEnabled(Line(1)));
    EXPECT_TRUE(IsWindowEnabled(Line(0)));
    // Dimmed green: the normal colour (0, 255, 0) moved towards the middle.
    EXPECT_GT(drv::ScreenGrab(window, LineRect(1)).Count(RGB(48, 175, 48), 12), 20);
    EXPECT_EQ(0, drv::ScreenGrab(window, LineRect(1)).Count(kGreenText, 8));
    EXPECT_NE(-1, AccessibleState(Line(1)));
    EXPECT_TRUE(AccessibleState(Line(1)) & STATE_SYSTEM_UNAVAILABLE) << "a screen reader hears it as unavailable";
    EXPECT_FALSE(AccessibleState(Line(0)) & STATE_SYSTEM_UNAVAILABLE);

    Activate();
    // The pointer lights the lines around it, not the greyed one.
    const POINT greyed = LineCentre(1);
    drv::MoveMouse(window, greyed.x, greyed.y);
    drv::Settle(window, 300);
    EXPECT_FALSE(Lit(1));
    // A click on it starts nothing; Enter has no line to act on.
    drv::Click(window, greyed.x, greyed.y);
    drv::Settle(window, 700);
    EXPECT_TRUE(drv::WaitLines(dir.File("marker.txt"), 1, 1000).empty());
    // Down from the first line goes past it to the third.
    drv::PointerAway();
    Key(VK_HOME);
    EXPECT_TRUE(Lit(0));
    Key(VK_DOWN);
    EXPECT_TRUE(Lit(2)) << "the keys skip the greyed line";
    EXPECT_FALSE(Lit(1));
    Key(VK_RETURN);
    auto lines = drv::WaitLines(dir.File("marker.txt"), 1, 8000);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("three|"));
}

// 64-bit Windows is the PC's, not the player's: here the test's own build
// tells which Wine runs it (a 32-bit prefix for the i686 build, a 64-bit
// one for the x86_64 build).
TEST_F(PlayerConditions, SixtyFourBitWindowsIsAskedOfTheSystem) {
    dir.Write("auto.tdf", "[100]\r\n500=0\r\n[15001]\r\n1=64-bit\r\n2=32-bit\r\n"
                          "[20001]\r\n1=64bit\r\n2=64bit\r\n[22001]\r\n2=TRUE\r\n[23001]\r\n1=HIDE\r\n2=HIDE\r\n");
    ASSERT_TRUE(Start());
    BOOL wow = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow);
    const bool windows64 = sizeof(void*) == 8 || wow;
    EXPECT_EQ(windows64, IsWindowVisible(Line(0)) != FALSE);
    EXPECT_EQ(!windows64, IsWindowVisible(Line(1)) != FALSE);
}

// "runas" where Windows would ask for an administrator: Wine has no such
// prompt and starts the program as it is.
TEST_F(PlayerConditions, AnAdministratorsLineStartsItsProgram) {
    CopyMarker();
    dir.Write("auto.tdf", "[100]\r\n500=0\r\n[15001]\r\n1=Set up\r\n[17001]\r\n1=marker.exe\r\n[18001]\r\n1=elevated\r\n"
                          "[16001]\r\n1=TRUE\r\n[24001]\r\n1=TRUE\r\n");
    ASSERT_TRUE(Start());
    Activate();
    drv::Click(window, LineCentre(0).x, LineCentre(0).y);
    auto lines = drv::WaitLines(dir.File("marker.txt"), 1, 8000);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("elevated|"));
    EXPECT_TRUE(proc.WaitExit(10000)) << "the quit flag ends the menu once the program started";
    window = nullptr;
}
