// The menu window's decisions, kept apart from the window so that they can
// be tested without one: which line is hot, what a pointer move or a key
// repaints and plays, what a click does, how a go-to reference decodes.
#pragma once
#include <cstdint>

namespace menu {

const int kNoLine = 14;     // hot line index when no line is hot
const int kLineCount = 12;  // line slots 0..11

// The target of a go-to action ("_menu" followed by one to three digits),
// 0 when the action is a go-to that names no usable menu (no digits, four or
// more characters, or a number outside 1..maxMenu), or -1 when the action is
// not a go-to at all (anything not starting with exactly "_menu").
int DecodeGoTo(const wchar_t* action, int maxMenu);

// Whether a line's text shows anything: blanks alone leave the line empty.
bool ShowsText(const wchar_t* text);

// Whether a text reads right to left: its first letter with a direction of
// its own (digits, blanks and punctuation have none) is a right-to-left one,
// such as Arabic or Hebrew. The system's character table decides.
bool ReadsRightToLeft(const wchar_t* text);

// How a line shows on this PC: as usual, greyed (shown; nothing lights,
// clicks or keys reach it) or hidden (its place stays empty), by its
// condition.
enum class LineState { kShown, kGreyed, kHidden };

// The colour of a greyed line: the normal text colour moved half way
// towards the side it already contrasts with (light text darker, dark text
// lighter), so that it reads dimmed where the author's colour reads.
unsigned long GreyedColor(const int normalRGB[3]);

// How a key moves the keyboard position.
enum KeyMove { kNextLine, kPreviousLine, kFirstLine, kLastLine };

// The slot a key moves the keyboard position to from 'from' (a slot, or
// kNoLine), over the lines marked reachable (shown and with text), wrapping
// at both ends; -1 when no line is reachable. The slots are in screen order
// already: the main lines top to bottom, then the bottom-left and the
// bottom-right line.
int KeyTarget(KeyMove move, int from, const bool reachable[kLineCount]);

// What a key pressed in the menu window asks for. Enter and Space select;
// a key that is not the menu's own is left to the dialog (Escape, and Enter
// while no line is selected, close the window there).
struct KeyRequest {
    enum Kind { kNotOurs, kMove, kSelect } kind;
    KeyMove move;
};
KeyRequest KeyFor(unsigned virtualKey, bool shift);

// What the window must do after a pointer move or a key.
struct MoveOutcome {
    int repaint[3] = {-1, -1, -1};   // line slots whose colour changed: repaint with erase
    int repaintCount = 0;
    bool repaintAllLines = false;    // redraw every line in its current colour
    bool playHoverSound = false;
    int announce = -1;               // slot to announce as the focused line, or -1
};

// Position of a pointer move as the window received it; kNoPosition when
// unknown.
const long long kNoPosition = -1;

// Tracks the child under the pointer and the hot line, which is also the
// keyboard position: pointer and keys share one highlight. Children are
// opaque identities (window handles in the menu window).
class PointerTracker {
public:
    PointerTracker() { Reset(); }
    void Reset();
    int HotLine() const { return m_hot; }

    // active: the window's last activation state is not inactive.
    // child / childSlot: what the hit test found (slot -1 when not a line).
    // childIsActiveWindow: the child is the thread's active window, which
    //   happens when the pointer rests on the active menu window's background.
    // lineHasText / hoverSoundSet: whether entering the line should sound.
    // position: where the pointer is; once a key has moved the highlight,
    //   moves that report the pointer where it was at the key or at the
    //   last move change nothing (the system repeats them when windows
    //   repaint).
    MoveOutcome OnMove(bool active, uintptr_t child, int childSlot, bool childIsActiveWindow,
                       bool lineHasText, bool hoverSoundSet, long long position = kNoPosition);

    // A key that moves the keyboard position. The line it reaches is lit,
    // sounds as a line the pointer enters does, and is announced.
    // pointer: where the pointer is at the key, which the moves it causes
    // while resting there will report.
    MoveOutcome OnKey(KeyMove move, const bool reachable[kLineCount], bool hoverSoundSet,
                      long long pointer = kNoPosition);

    // After a go-to chosen with a key: the position goes to the first line
    // of the new menu, without the mouse-over sound (the menu-change sound
    // plays), and is announced.
    MoveOutcome PlaceOnFirstLine(const bool reachable[kLineCount], long long pointer = kNoPosition);

    // The line Enter and Space act on: the keyboard position when it is on a
    // reachable line, else -1.
    int KeySelection(const bool reachable[kLineCount]) const;

private:
    // Sets the hot line and lists the repaint of the line that lost it and
    // of the line that took it.
    void MoveHighlight(int slot, MoveOutcome& out);

    uintptr_t m_lastChild;
    int m_lastSlot;
    int m_hot;
    bool m_keyOwns;             // a key moved the highlight since the pointer last did
    long long m_lastPosition;   // of the last move processed, or kNoPosition
};

// What a click on the menu window does.
struct ClickOutcome {
    enum Kind { Ignore, LockOnly, GoTo, Open } kind;
    int target;             // GoTo: the menu to show
    bool quit;              // Open: end the window afterwards
};

ClickOutcome DecideClick(bool active, int slot, bool locked, const wchar_t* action,
                         const wchar_t* quitFlag, int maxMenu);

}  // namespace menu
