// The real autorun.exe on prepared folders, checked from outside the process.
#include "player_fixture.h"
#include <gtest/gtest.h>
#include <cmath>
#include <string>

using namespace e2e;

namespace {

struct LayoutFacts {
    int width, height;          // dialog units
    int visibleMain;            // main lines shown
    int line1[4];               // x, y, w, h of line 1
};

// Sizes and line-1 rectangles of the ten layouts, in dialog units.
const LayoutFacts kLayouts[10] = {
    {240, 173, 5, {30, 40, 175, 20}}, {146, 93, 5, {0, 30, 145, 8}},   {196, 159, 5, {35, 34, 155, 17}},
    {146, 113, 7, {0, 30, 145, 8}},   {161, 120, 5, {15, 35, 140, 8}}, {161, 120, 5, {10, 35, 145, 8}},
    {161, 123, 8, {10, 30, 145, 8}},  {200, 154, 10, {0, 40, 200, 8}}, {200, 154, 10, {15, 40, 180, 8}},
    {200, 154, 10, {50, 40, 145, 8}},
};

std::string FullDefinition(int layout, const char* title) {
    std::string s = "[100]\r\n200=" + std::string(title) + "\r\n300=2\r\n";
    if (layout >= 0) s += "500=" + std::to_string(layout) + "\r\n";
    s += "[15001]\r\n";
    for (int k = 1; k <= 12; ++k) s += std::to_string(k) + "=Line " + std::to_string(k) + "\r\n";
    s += "13=Heading One\r\n14=Heading Two\r\n[15002]\r\n1=Second menu\r\n";
    return s;
}

class PlayerStartup : public e2e::PlayerTest {
protected:
    int VisibleMainLines() const {
        int n = 0;
        for (int i = 0; i < 10; ++i) n += IsWindowVisible(Line(i)) ? 1 : 0;
        return n;
    }
};

}  // namespace

class EveryLayout : public PlayerStartup, public ::testing::WithParamInterface<int> {};

TEST_P(EveryLayout, ShowsMenuOneInTheLayoutOfTheTable) {
    const int layout = GetParam();
    const LayoutFacts& f = kLayouts[layout];
    dir.Write("auto.tdf", FullDefinition(layout, "Layout Check"));
    ASSERT_NE(nullptr, Start());

    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ("Layout Check", caption);

    for (int k = 0; k < 12; ++k)
        EXPECT_EQ("Line " + std::to_string(k + 1), drv::ItemText(window, kLineIds[k])) << "line " << k + 1;
    EXPECT_EQ("Heading One", drv::ItemText(window, kHeading1));
    EXPECT_EQ("Heading Two", drv::ItemText(window, kHeading2));
    EXPECT_EQ("", drv::ItemText(window, kNoLine));

    // Exactly the layout's main lines are visible, in order; the two bottom
    // lines, the headings and the no-line marker always are.
    EXPECT_EQ(f.visibleMain, VisibleMainLines());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(i < f.visibleMain, IsWindowVisible(GetDlgItem(window, kLineIds[i])) != FALSE) << "line " << i + 1;
    for (int id : {kLineIds[10], kLineIds[11], kHeading1, kHeading2, kNoLine})
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, id))) << id;

    // Line 1 stands where the table puts it, relative to the client area.
    RECT client;
    GetClientRect(window, &client);
    RECT r = drv::ChildRect(window, GetDlgItem(window, kLineIds[0]));
    const double tol = 0.015;
    EXPECT_NEAR(double(f.line1[0]) / f.width, double(r.left) / client.right, tol);
    EXPECT_NEAR(double(f.line1[1]) / f.height, double(r.top) / client.bottom, tol);
    EXPECT_NEAR(double(f.line1[2]) / f.width, double(r.right - r.left) / client.right, tol);
    EXPECT_NEAR(double(f.line1[3]) / f.height, double(r.bottom - r.top) / client.bottom, tol);

    // The window sits at the top-left corner and has no maximise/size frame.
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_CLIPCHILDREN) << "line repaints rely on children being included";
    EXPECT_EQ(layout == 0, (style & WS_POPUP) != 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryLayout, ::testing::Range(0, 10));

TEST_F(PlayerStartup, ArgumentTwoReadsAuto2) {
    dir.Write("auto.tdf", FullDefinition(3, "Plain"));
    dir.Write("auto2.tdf", FullDefinition(7, "Second File"));
    ASSERT_NE(nullptr, Start("2"));
    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ("Second File", caption);
    EXPECT_EQ(10, VisibleMainLines());
}

TEST_F(PlayerStartup, MissingTemplateKeyGivesLayoutThree) {
    dir.Write("auto.tdf", FullDefinition(-1, "No Layout Key"));
    ASSERT_NE(nullptr, Start());
    EXPECT_EQ(7, VisibleMainLines()) << "only layout 3 shows seven lines";
}

TEST_F(PlayerStartup, MissingDefinitionGivesAnEmptyLayoutThreeWindow) {
    ASSERT_NE(nullptr, Start());
    char caption[128] = "x";
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ("", caption) << "the layout's own caption is replaced";
    EXPECT_EQ(7, VisibleMainLines());
    for (int id : kLineIds) EXPECT_EQ("", drv::ItemText(window, id));
    EXPECT_EQ("", drv::ItemText(window, kHeading1));
}

TEST_F(PlayerStartup, MenuCountZeroShowsEmptyLines) {
    std::string d = FullDefinition(0, "Zero");
    d.replace(d.find("300=2"), 5, "300=0");
    dir.Write("auto.tdf", d);
    ASSERT_NE(nullptr, Start());
    for (int id : kLineIds) EXPECT_EQ("", drv::ItemText(window, id));
    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ("Zero", caption);
}

TEST_F(PlayerStartup, TemplateTenEndsWithoutAWindow) {
    dir.Write("auto.tdf", "[100]\r\n500=10\r\n");
    ASSERT_TRUE(proc.Start(dir.File("autorun.exe"), "", dist));
    EXPECT_TRUE(proc.WaitExit(15000));
    EXPECT_EQ(nullptr, drv::WaitWindow(proc.Id(), 200));
}

TEST_F(PlayerStartup, HostileValuesDoNotBreakStartUp) {
    std::string d = "[100]\r\n200=" + std::string(5000, 'T') + "\r\n300=99999\r\n500=-1\r\n";
    dir.Write("auto.tdf", d);
    ASSERT_TRUE(proc.Start(dir.File("autorun.exe"), "", dist));
    EXPECT_TRUE(proc.WaitExit(15000)) << "layout -1 does not exist: the player ends";
    EXPECT_EQ(0u, proc.ExitCode());
}

TEST_F(PlayerStartup, FullTwoHundredMenusAndLongTitleLoad) {
    std::string d = "[100]\r\n200=" + std::string(300, 'W') + "\r\n300=500\r\n500=7\r\n";
    for (int m = 1; m <= 200; ++m) {
        d += "[1500" + std::to_string(m) + "]\r\n1=Menu " + std::to_string(m) + "\r\n";
    }
    dir.Write("auto.tdf", d);
    ASSERT_NE(nullptr, Start());
    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_EQ(std::string(79, 'W'), caption);
    EXPECT_EQ("Menu 1", drv::ItemText(window, kLineIds[0]));
}
