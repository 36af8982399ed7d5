// Decisions of the menu window: go-to decoding, hot line, clicks.
#include "menu/MenuLogic.h"
#include <gtest/gtest.h>

using namespace menu;

TEST(GoTo, DecodesOneToThreeDigits) {
    EXPECT_EQ(2, DecodeGoTo(L"_menu2", 200));
    EXPECT_EQ(12, DecodeGoTo(L"_menu12", 200));
    EXPECT_EQ(150, DecodeGoTo(L"_menu150", 200));
    EXPECT_EQ(200, DecodeGoTo(L"_menu200", 200));
}

TEST(GoTo, OnlyExactLowerCasePrefixIsAGoTo) {
    EXPECT_EQ(-1, DecodeGoTo(L"_MENU2", 200));
    EXPECT_EQ(-1, DecodeGoTo(L"_Menu2", 200));
    EXPECT_EQ(-1, DecodeGoTo(L"setup.exe", 200));
    EXPECT_EQ(-1, DecodeGoTo(L"", 200));
    EXPECT_EQ(-1, DecodeGoTo(nullptr, 200));
    EXPECT_EQ(-1, DecodeGoTo(L"_men", 200));
}

TEST(GoTo, UnusableTargetsDecodeToZero) {
    EXPECT_EQ(0, DecodeGoTo(L"_menu", 200));
    EXPECT_EQ(0, DecodeGoTo(L"_menu0", 200));
    EXPECT_EQ(0, DecodeGoTo(L"_menu999", 200));
    EXPECT_EQ(0, DecodeGoTo(L"_menu201", 200));
    EXPECT_EQ(0, DecodeGoTo(L"_menu1234", 200));
    EXPECT_EQ(0, DecodeGoTo(L"_menux", 200));
    EXPECT_EQ(0, DecodeGoTo(L"_menu-5", 200));
    EXPECT_EQ(3, DecodeGoTo(L"_menu3x", 200)) << "leading digits count";
    EXPECT_EQ(2, DecodeGoTo(L"_menu2\xE9", 200));
    // Only the digits 0-9 make a number: those of other scripts do not.
    EXPECT_EQ(0, DecodeGoTo(L"_menu\xFF12", 200));
    EXPECT_EQ(0, DecodeGoTo(L"_menu\x0662", 200));
    EXPECT_EQ(-1, DecodeGoTo(L"\xFF3Fmenu2", 200));
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
    ClickOutcome c = DecideClick(true, 1, false, L"_menu2", L"", 200);
    EXPECT_EQ(ClickOutcome::GoTo, c.kind);
    EXPECT_EQ(2, c.target);

    c = DecideClick(true, 0, false, L"setup.exe", L"TRUE", 200);
    EXPECT_EQ(ClickOutcome::Open, c.kind);
    EXPECT_TRUE(c.quit);
    c = DecideClick(true, 0, false, L"setup.exe", L"true", 200);
    EXPECT_FALSE(c.quit);
    c = DecideClick(true, 0, false, L"", L"TRUE", 200);
    EXPECT_EQ(ClickOutcome::Open, c.kind) << "empty action still plays and may quit";
    EXPECT_TRUE(c.quit);
    c = DecideClick(true, 0, false, L"_MENU2", L"", 200);
    EXPECT_EQ(ClickOutcome::Open, c.kind);

    EXPECT_EQ(ClickOutcome::LockOnly, DecideClick(true, 0, false, L"_menu0", L"TRUE", 200).kind);
    EXPECT_EQ(ClickOutcome::LockOnly, DecideClick(true, 0, false, L"_menu999", L"", 200).kind);
    EXPECT_EQ(ClickOutcome::LockOnly, DecideClick(true, 0, false, L"_menu1234", L"", 200).kind);

    EXPECT_EQ(ClickOutcome::Ignore, DecideClick(false, 0, false, L"_menu2", L"", 200).kind);
    EXPECT_EQ(ClickOutcome::Ignore, DecideClick(true, -1, false, L"_menu2", L"", 200).kind);
    EXPECT_EQ(ClickOutcome::Ignore, DecideClick(true, 12, false, L"_menu2", L"", 200).kind);
    EXPECT_EQ(ClickOutcome::Ignore, DecideClick(true, 0, true, L"_menu2", L"", 200).kind);
}

namespace {

// Reachable lines from a pattern of twelve characters, slots 0 to 11: 'x'
// for a line the keyboard reaches.
struct Lines {
    bool r[kLineCount];
    explicit Lines(const char* pattern) {
        for (int i = 0; i < kLineCount; ++i) r[i] = pattern[i] == 'x';
    }
};

}  // namespace

TEST(Keys, TheKeyboardWalksTheShownLinesInScreenOrderAndWraps) {
    struct {
        const char* lines;
        KeyMove move;
        int from;
        int to;
    } cases[] = {
        {"xx.x......xx", kNextLine, kNoLine, 0},      // Down with no position: the first line
        {"..x.......x.", kNextLine, kNoLine, 2},      // ...which may be further down
        {"xx.x......xx", kPreviousLine, kNoLine, 11}, // Up with no position: the last line
        {"xx.x......xx", kNextLine, 1, 3},            // over an empty line
        {"xx.x......xx", kNextLine, 3, 10},           // main lines, then bottom-left
        {"xx.x......xx", kNextLine, 10, 11},          // bottom-left, then bottom-right
        {"xx.x......xx", kNextLine, 11, 0},           // wraps to the top
        {"xx.x......xx", kPreviousLine, 0, 11},       // and back round
        {"xx.x......xx", kPreviousLine, 10, 3},
        {"xx.x.......x", kNextLine, 2, 3},            // from a line the keys cannot reach
        {"xx.x.......x", kPreviousLine, 2, 1},
        {".x.x.....x..", kFirstLine, 9, 1},
        {".x.x.....x..", kLastLine, 1, 9},
        {"...x........", kNextLine, 3, 3},            // one line: wraps onto itself
        {"............", kNextLine, kNoLine, -1},     // nothing to reach
        {"............", kLastLine, 4, -1},
    };
    for (auto& c : cases) {
        Lines l(c.lines);
        EXPECT_EQ(c.to, KeyTarget(c.move, c.from, l.r)) << c.lines << " move " << c.move << " from " << c.from;
    }
}

TEST(Keys, KeysOfTheMenu) {
    struct {
        unsigned vk;
        bool shift;
        KeyRequest::Kind kind;
        KeyMove move;
    } cases[] = {
        {0x28, false, KeyRequest::kMove, kNextLine},      // Down
        {0x26, false, KeyRequest::kMove, kPreviousLine},  // Up
        {0x09, false, KeyRequest::kMove, kNextLine},      // Tab
        {0x09, true, KeyRequest::kMove, kPreviousLine},   // Shift+Tab
        {0x24, false, KeyRequest::kMove, kFirstLine},     // Home
        {0x23, false, KeyRequest::kMove, kLastLine},      // End
        {0x0D, false, KeyRequest::kSelect, kNextLine},    // Enter
        {0x20, false, KeyRequest::kSelect, kNextLine},    // Space
        {0x1B, false, KeyRequest::kNotOurs, kNextLine},   // Escape stays the dialog's
        {0x41, false, KeyRequest::kNotOurs, kNextLine},
    };
    for (auto& c : cases) {
        KeyRequest r = KeyFor(c.vk, c.shift);
        EXPECT_EQ(c.kind, r.kind) << c.vk;
        if (c.kind == KeyRequest::kMove) {
            EXPECT_EQ(c.move, r.move) << c.vk;
        }
    }
}

TEST(Keys, BlankTextsAreEmptyLines) {
    EXPECT_TRUE(ShowsText(L"Install"));
    EXPECT_TRUE(ShowsText(L"  x "));
    EXPECT_FALSE(ShowsText(L""));
    EXPECT_FALSE(ShowsText(L"   "));
    EXPECT_FALSE(ShowsText(L" \t "));
    EXPECT_FALSE(ShowsText(nullptr));
    EXPECT_TRUE(ShowsText(L"\x4E2D"));
    EXPECT_TRUE(ShowsText(L" \xD83D\xDE00"));
}

TEST(Keys, KeysMoveTheHighlightSoundAndAnnounce) {
    PointerTracker t;
    Lines l("xx.x......xx");
    EXPECT_EQ(-1, t.KeySelection(l.r)) << "no position before a key";

    MoveOutcome o = t.OnKey(kNextLine, l.r, true);
    EXPECT_EQ(0, t.HotLine());
    ASSERT_EQ(1, o.repaintCount);
    EXPECT_EQ(0, o.repaint[0]);
    EXPECT_TRUE(o.playHoverSound);
    EXPECT_EQ(0, o.announce);
    EXPECT_EQ(0, t.KeySelection(l.r));

    o = t.OnKey(kLastLine, l.r, false);
    EXPECT_EQ(11, t.HotLine());
    ASSERT_EQ(2, o.repaintCount) << "the line left and the line reached";
    EXPECT_EQ(0, o.repaint[0]);
    EXPECT_EQ(11, o.repaint[1]);
    EXPECT_FALSE(o.playHoverSound) << "no sound without a sound name";
    EXPECT_EQ(11, o.announce);

    // One reachable line: the key changes nothing and says nothing again.
    Lines one("...........x");
    o = t.OnKey(kNextLine, one.r, true);
    EXPECT_EQ(0, o.repaintCount);
    EXPECT_FALSE(o.playHoverSound);
    EXPECT_EQ(-1, o.announce);
}

TEST(Keys, PointerAndKeysShareOneHighlight) {
    PointerTracker t;
    Lines l("xxxx........");
    const uintptr_t dialog = 1, line1 = 10, line2 = 20;

    // The pointer on line 2 puts the keyboard position there.
    t.OnMove(true, line2, 1, false, true, true, 500);
    EXPECT_EQ(1, t.KeySelection(l.r));
    MoveOutcome o = t.OnKey(kNextLine, l.r, true, 500);
    EXPECT_EQ(2, t.HotLine());

    // The pointer at rest: repeated moves to the same place change nothing.
    o = t.OnMove(true, line2, 1, false, true, true, 500);
    EXPECT_EQ(2, t.HotLine());
    EXPECT_EQ(0, o.repaintCount);

    // Moved within line 2: line 2 is lit again, silently.
    o = t.OnMove(true, line2, 1, false, true, true, 501);
    EXPECT_EQ(1, t.HotLine());
    ASSERT_EQ(2, o.repaintCount);
    EXPECT_EQ(2, o.repaint[0]);
    EXPECT_EQ(1, o.repaint[1]);
    EXPECT_FALSE(o.playHoverSound);
    EXPECT_EQ(-1, o.announce) << "the pointer does not announce";

    // Keys to line 4, then the pointer onto line 1: line 2 (left by the
    // pointer), line 4 (left by the keys) and line 1 repaint; line 1 sounds.
    t.OnKey(kLastLine, l.r, true, 501);
    EXPECT_EQ(3, t.HotLine());
    o = t.OnMove(true, line1, 0, false, true, true, 300);
    EXPECT_EQ(0, t.HotLine());
    ASSERT_EQ(3, o.repaintCount);
    EXPECT_EQ(1, o.repaint[0]);
    EXPECT_EQ(3, o.repaint[1]);
    EXPECT_EQ(0, o.repaint[2]);
    EXPECT_TRUE(o.playHoverSound);

    // On the background: at rest it leaves the keys' line lit, moving clears it.
    t.OnMove(true, dialog, -1, true, false, true, 100);
    t.OnMove(true, dialog, -1, true, false, true, 101);
    EXPECT_EQ(kNoLine, t.HotLine());
    t.OnKey(kNextLine, l.r, true, 101);
    EXPECT_EQ(0, t.HotLine());
    o = t.OnMove(true, dialog, -1, true, false, true, 101);
    EXPECT_EQ(0, t.HotLine());
    EXPECT_FALSE(o.repaintAllLines);
    o = t.OnMove(true, dialog, -1, true, false, true, 102);
    EXPECT_EQ(kNoLine, t.HotLine());
    EXPECT_TRUE(o.repaintAllLines);
}

TEST(Keys, APointerNotSeenBeforeTheKeyRestsWhereItWasAtTheKey) {
    struct {
        long long atKey;
        long long move;
        int hot;
    } cases[] = {
        {700, 700, 0},                  // resting where it was: the keys' line stays lit
        {700, 710, kNoLine},            // moved: the pointer's rules again
        {kNoPosition, 700, kNoLine},    // not known at the key: any move counts
    };
    for (auto& c : cases) {
        PointerTracker t;
        Lines l("xx..........");
        t.OnKey(kNextLine, l.r, false, c.atKey);
        // The background: entered, then moved over (or not).
        t.OnMove(true, 1, -1, true, false, false, c.move);
        t.OnMove(true, 1, -1, true, false, false, c.move == c.atKey ? c.move : c.move + 1);
        EXPECT_EQ(c.hot, t.HotLine()) << c.atKey << " " << c.move;
    }
}

TEST(Keys, AfterAGoToTheFirstLineOfTheNewMenu) {
    PointerTracker t;
    t.OnMove(true, 10, 4, false, true, true, 5);
    Lines target("...xx......x");
    MoveOutcome o = t.PlaceOnFirstLine(target.r, 5);
    EXPECT_EQ(3, t.HotLine());
    EXPECT_EQ(3, o.announce);
    EXPECT_FALSE(o.playHoverSound) << "the menu-change sound is playing";
    EXPECT_EQ(3, t.KeySelection(target.r));
    // The pointer resting on its line does not take it back.
    t.OnMove(true, 10, 4, false, true, true, 5);
    EXPECT_EQ(3, t.HotLine());

    Lines empty("............");
    o = t.PlaceOnFirstLine(empty.r);
    EXPECT_EQ(kNoLine, t.HotLine());
    EXPECT_EQ(-1, o.announce);
    EXPECT_EQ(-1, t.KeySelection(empty.r)) << "Enter closes an empty menu";
}

TEST(Keys, APointerOnAnEmptyLineIsNoKeyboardPosition) {
    PointerTracker t;
    Lines l("x.x.........");
    t.OnMove(true, 20, 1, false, false, true, 50);
    EXPECT_EQ(1, t.HotLine()) << "lit, invisibly, as before";
    EXPECT_EQ(-1, t.KeySelection(l.r));
    t.OnKey(kNextLine, l.r, false);
    EXPECT_EQ(2, t.HotLine()) << "Down goes on from where the pointer is";
}
