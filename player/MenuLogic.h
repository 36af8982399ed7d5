// The menu window's decisions, kept apart from the window so that they can
// be tested without one: which line is hot, what a pointer move repaints
// and plays, what a click does, how a go-to reference decodes.
#pragma once
#include <cstdint>

namespace menu {

const int kNoLine = 14;     // hot line index when no line is hot
const int kLineCount = 12;  // line slots 0..11

// The target of a go-to action ("_menu" followed by one to three digits),
// 0 when the action is a go-to that names no usable menu (no digits, four or
// more characters, or a number outside 1..maxMenu), or -1 when the action is
// not a go-to at all (anything not starting with exactly "_menu").
int DecodeGoTo(const char* action, int maxMenu);

// What the window must do after a pointer move.
struct MoveOutcome {
    int repaint[2];         // line slots whose colour changed: repaint with erase
    int repaintCount;
    bool repaintAllLines;   // redraw every line in its current colour
    bool playHoverSound;
};

// Tracks the child under the pointer and the hot line. Children are opaque
// identities (window handles in the menu window).
class PointerTracker {
public:
    PointerTracker() { Reset(); }
    void Reset() { m_lastChild = 0; m_lastSlot = -1; m_hot = kNoLine; }
    int HotLine() const { return m_hot; }

    // active: the window's last activation state is not inactive.
    // child / childSlot: what the hit test found (slot -1 when not a line).
    // childIsActiveWindow: the child is the thread's active window, which
    //   happens when the pointer rests on the active menu window's background.
    // lineHasText / hoverSoundSet: whether entering the line should sound.
    MoveOutcome OnMove(bool active, uintptr_t child, int childSlot, bool childIsActiveWindow,
                       bool lineHasText, bool hoverSoundSet);

private:
    uintptr_t m_lastChild;
    int m_lastSlot;
    int m_hot;
};

// What a click on the menu window does.
struct ClickOutcome {
    enum Kind { Ignore, LockOnly, GoTo, Open } kind;
    int target;             // GoTo: the menu to show
    bool quit;              // Open: end the window afterwards
};

ClickOutcome DecideClick(bool active, int slot, bool locked, const char* action,
                         const char* quitFlag, int maxMenu);

}  // namespace menu
