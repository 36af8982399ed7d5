// A prepared disc folder with the real autorun.exe, and the running player.
#pragma once
#include "support/driver.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace e2e {

const int kLineIds[12] = {1004, 1005, 1006, 1007, 1008, 1011, 1012, 1013, 1014, 1015, 1009, 1010};
const int kHeading1 = 1017, kHeading2 = 1018, kNoLine = 1000;

// Normal green, highlight magenta: the colour sections of a definition.
const COLORREF kGreenText = RGB(0, 255, 0);
const COLORREF kMagentaHighlight = RGB(255, 0, 255);
inline std::string GreenAndMagenta() {
    return "[1000]\r\n1200=0\r\n1300=255\r\n1400=0\r\n[1100]\r\n1200=255\r\n1300=0\r\n1400=255\r\n";
}

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dist = drv::Env("TLK_DIST");
        ASSERT_FALSE(dist.empty()) << "TLK_DIST names the installation folder";
        ASSERT_TRUE(drv::CopyInto(dist + "\\autorun.exe", dir.File("autorun.exe")));
    }
    void TearDown() override {
        if (window && IsWindow(window)) PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(proc.WaitExit(10000)) << "closing the menu window ends the player";
    }
    // Starts the player from an unrelated working directory: it must find
    // its files beside itself.
    HWND Start(const std::string& args = "") {
        drv::PointerAway();
        EXPECT_TRUE(proc.Start(dir.File("autorun.exe"), args, dist));
        window = drv::WaitWindow(proc.Id(), 15000);
        if (window) drv::Settle(window, 300);
        return window;
    }
    std::string Caption() const {
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        return caption;
    }
    HWND Line(int slot) const { return GetDlgItem(window, kLineIds[slot]); }
    RECT LineRect(int slot) const { return drv::ChildRect(window, Line(slot)); }
    POINT LineCentre(int slot) const {
        RECT r = LineRect(slot);
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        return p;
    }
    // Line slots drawn in the colour on the screen (a lit line shows more
    // than a few pixels of it), in slot order.
    std::vector<int> SlotsIn(COLORREF colour) const {
        std::vector<int> slots;
        for (int i = 0; i < 12; ++i)
            if (IsWindowVisible(Line(i)) && drv::ScreenGrab(window, LineRect(i)).Count(colour, 8) > 20) slots.push_back(i);
        return slots;
    }
    void Activate() {
        SetForegroundWindow(window);
        drv::Settle(window, 200);
    }
    void Key(WORD vk, bool shift = false) {
        drv::PressKey(vk, shift);
        drv::Settle(window, 250);
    }
    void PostClick(POINT p) {
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }

    TempDir dir{"player"};
    std::string dist;
    drv::Process proc;
    HWND window = nullptr;
};

}  // namespace e2e
