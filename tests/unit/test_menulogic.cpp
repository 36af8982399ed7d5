// Decisions of the menu window: go-to decoding, hot line, clicks.
#include "player/MenuLogic.h"
#include <gtest/gtest.h>

using namespace menu;

TEST(GoTo, DecodesOneToThreeDigits) {
    EXPECT_EQ(2, DecodeGoTo("_menu2", 200));
    EXPECT_EQ(12, DecodeGoTo("_menu12", 200));
    EXPECT_EQ(150, DecodeGoTo("_menu150", 200));
    EXPECT_EQ(200, DecodeGoTo("_menu200", 200));
}

TEST(GoTo, OnlyExactLowerCasePrefixIsAGoTo) {
    EXPECT_EQ(-1, DecodeGoTo("_MENU2", 200));
    EXPECT_EQ(-1, DecodeGoTo("_Menu2", 200));
    EXPECT_EQ(-1, DecodeGoTo("setup.exe", 200));
    EXPECT_EQ(-1, DecodeGoTo("", 200));
    EXPECT_EQ(-1, DecodeGoTo(nullptr, 200));
    EXPECT_EQ(-1, DecodeGoTo("_men", 200));
}

TEST(GoTo, UnusableTargetsDecodeToZero) {
    EXPECT_EQ(0, DecodeGoTo("_menu", 200));
    EXPECT_EQ(0, DecodeGoTo("_menu0", 200));
    EXPECT_EQ(0, DecodeGoTo("_menu999", 200));
    EXPECT_EQ(0, DecodeGoTo("_menu201", 200));
    EXPECT_EQ(0, DecodeGoTo("_menu1234", 200));
    EXPECT_EQ(0, DecodeGoTo("_menux", 200));
    EXPECT_EQ(0, DecodeGoTo("_menu-5", 200));
    EXPECT_EQ(3, DecodeGoTo("_menu3x", 200)) << "leading digits count";
}

TEST(Pointer, EnteringLeavingAndSwitchingLines) {
    PointerTracker t;
    const uintptr_t dialog = 1, line1 = 10, line3 = 30, heading = 50;
    EXPECT_EQ(kNoLine, t.HotLine());

    MoveOutcome o = t.OnMove(true, line3, 2, false, true, true);
    EXPECT_EQ(2, t.HotLine());
    ASSERT_EQ(1, o.repaintCount);
    EXPECT_EQ(2, o.repaint[0]);
    EXPECT_TRUE(o.playHoverSound);

    // Moving within the line: nothing new.
    o = t.OnMove(true, line3, 2, false, true, true);
    EXPECT_EQ(0, o.repaintCount);
    EXPECT_FALSE(o.playHoverSound);
    EXPECT_FALSE(o.repaintAllLines);

    // Straight from line 3 onto line 1: both repaint, line 1 is hot.
    o = t.OnMove(true, line1, 0, false, true, true);
    EXPECT_EQ(0, t.HotLine());
    ASSERT_EQ(2, o.repaintCount);
    EXPECT_EQ(2, o.repaint[0]);
    EXPECT_EQ(0, o.repaint[1]);
    EXPECT_TRUE(o.playHoverSound);

    // Onto a heading: highlight cleared, no sound.
    o = t.OnMove(true, heading, -1, false, false, true);
    EXPECT_EQ(kNoLine, t.HotLine());
    ASSERT_EQ(1, o.repaintCount);
    EXPECT_EQ(0, o.repaint[0]);
    EXPECT_FALSE(o.playHoverSound);

    // Further over the heading: nothing.
    o = t.OnMove(true, heading, -1, false, false, true);
    EXPECT_EQ(0, o.repaintCount);
    EXPECT_FALSE(o.repaintAllLines);

    // Onto the bare background, then resting on it: all lines redrawn plain.
    o = t.OnMove(true, dialog, -1, true, false, true);
    EXPECT_EQ(0, o.repaintCount);
    EXPECT_FALSE(o.repaintAllLines);
    o = t.OnMove(true, dialog, -1, true, false, true);
    EXPECT_TRUE(o.repaintAllLines);
    EXPECT_EQ(kNoLine, t.HotLine());
}

TEST(Pointer, SoundNeedsTextAndASoundName) {
    PointerTracker t;
    MoveOutcome o = t.OnMove(true, 10, 0, false, false, true);
    EXPECT_EQ(0, t.HotLine()) << "an empty line is still lit";
    EXPECT_FALSE(o.playHoverSound);
    o = t.OnMove(true, 11, 1, false, true, false);
    EXPECT_FALSE(o.playHoverSound);
    o = t.OnMove(true, 12, 2, false, true, true);
    EXPECT_TRUE(o.playHoverSound);
}

TEST(Pointer, InactiveWindowFreezesEverything) {
    PointerTracker t;
    t.OnMove(true, 10, 0, false, true, true);
    MoveOutcome o = t.OnMove(false, 11, 1, false, true, true);
    EXPECT_EQ(0, t.HotLine());
    EXPECT_EQ(0, o.repaintCount);
    EXPECT_FALSE(o.playHoverSound);
    // Active again over line 2: line 1 (the last child seen while active) goes plain.
    o = t.OnMove(true, 11, 1, false, true, true);
    ASSERT_EQ(2, o.repaintCount);
    EXPECT_EQ(0, o.repaint[0]);
    EXPECT_EQ(1, t.HotLine());
}

TEST(Pointer, ResetStartsWithNoHotLine) {
    PointerTracker t;
    t.OnMove(true, 10, 4, false, true, true);
    EXPECT_EQ(4, t.HotLine());
    t.Reset();
    EXPECT_EQ(kNoLine, t.HotLine());
    // After a reset the same line is entered anew and sounds again.
    MoveOutcome o = t.OnMove(true, 10, 4, false, true, true);
    EXPECT_TRUE(o.playHoverSound);
}

TEST(Click, GoToOpenAndIgnoredClicks) {
    ClickOutcome c = DecideClick(true, 1, false, "_menu2", "", 200);
    EXPECT_EQ(ClickOutcome::GoTo, c.kind);
    EXPECT_EQ(2, c.target);

    c = DecideClick(true, 0, false, "setup.exe", "TRUE", 200);
    EXPECT_EQ(ClickOutcome::Open, c.kind);
    EXPECT_TRUE(c.quit);
    c = DecideClick(true, 0, false, "setup.exe", "true", 200);
    EXPECT_FALSE(c.quit);
    c = DecideClick(true, 0, false, "", "TRUE", 200);
    EXPECT_EQ(ClickOutcome::Open, c.kind) << "empty action still plays and may quit";
    EXPECT_TRUE(c.quit);
    c = DecideClick(true, 0, false, "_MENU2", "", 200);
    EXPECT_EQ(ClickOutcome::Open, c.kind);

    EXPECT_EQ(ClickOutcome::LockOnly, DecideClick(true, 0, false, "_menu0", "TRUE", 200).kind);
    EXPECT_EQ(ClickOutcome::LockOnly, DecideClick(true, 0, false, "_menu999", "", 200).kind);
    EXPECT_EQ(ClickOutcome::LockOnly, DecideClick(true, 0, false, "_menu1234", "", 200).kind);

    EXPECT_EQ(ClickOutcome::Ignore, DecideClick(false, 0, false, "_menu2", "", 200).kind);
    EXPECT_EQ(ClickOutcome::Ignore, DecideClick(true, -1, false, "_menu2", "", 200).kind);
    EXPECT_EQ(ClickOutcome::Ignore, DecideClick(true, 12, false, "_menu2", "", 200).kind);
    EXPECT_EQ(ClickOutcome::Ignore, DecideClick(true, 0, true, "_menu2", "", 200).kind);
}
