#include "MenuLogic.h"
#include "Definition.h"
#include <windows.h>
#include <cwchar>

namespace menu {

int DecodeGoTo(const wchar_t* action, int maxMenu) {
    if (!action || std::wcsncmp(action, def::kGoToPrefix, def::kGoToPrefixLength) != 0) return -1;
    size_t length = std::wcslen(action);
    if (length < 6 || length > 8) return 0;
    int target = 0;
    for (const wchar_t* p = action + def::kGoToPrefixLength; *p >= L'0' && *p <= L'9'; ++p) target = target * 10 + (*p - L'0');
    return (target >= 1 && target <= maxMenu) ? target : 0;
}

bool ShowsText(const wchar_t* text) {
    if (!text) return false;
    for (const wchar_t* p = text; *p; ++p)
        if (*p != L' ' && *p != L'\t') return true;
    return false;
}

bool ReadsRightToLeft(const wchar_t* text) {
    if (!text) return false;
    // In pieces, so that a long text needs no memory of its own.
    WORD types[32];
    for (const wchar_t* p = text; *p;) {
        int n = 0;
        while (n < 32 && p[n]) ++n;
        if (!GetStringTypeW(CT_CTYPE2, p, n, types)) return false;
        for (int i = 0; i < n; ++i) {
            if (types[i] == C2_RIGHTTOLEFT) return true;
            if (types[i] == C2_LEFTTORIGHT) return false;
        }
        p += n;
    }
    return false;
}

unsigned long GreyedColor(const int normalRGB[3]) {
    int c[3];
    for (int i = 0; i < 3; ++i) c[i] = normalRGB[i] & 0xFF;
    // Perceived lightness, 0..255 (ITU-R BT.601 weights).
    const int light = (299 * c[0] + 587 * c[1] + 114 * c[2]) / 1000;
    for (int i = 0; i < 3; ++i) {
        // Light text over a dark picture grows darker, dark text lighter,
        // both towards the middle grey but never past it.
        c[i] = light >= 128 ? (c[i] + 0x60) / 2 : (c[i] + 0xA0) / 2;
    }
    return def::ColorFromComponents(c[0], c[1], c[2]);
}

int KeyTarget(KeyMove move, int from, const bool reachable[kLineCount]) {
    const int at = from >= 0 && from < kLineCount ? from : -1;
    int start, step;
    switch (move) {
    case kFirstLine: start = 0; step = 1; break;
    case kLastLine: start = kLineCount - 1; step = -1; break;
    case kNextLine: start = at < 0 ? 0 : at + 1; step = 1; break;
    default: start = at < 0 ? kLineCount - 1 : at - 1; step = -1; break;
    }
    for (int n = 0; n < kLineCount; ++n) {
        int i = ((start + step * n) % kLineCount + kLineCount) % kLineCount;
        if (reachable[i]) return i;
    }
    return -1;
}

KeyRequest KeyFor(unsigned virtualKey, bool shift) {
    // Virtual-key codes of the system's keyboard input.
    enum { kTab = 0x09, kReturn = 0x0D, kSpace = 0x20, kEnd = 0x23, kHome = 0x24,
           kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28 };
    KeyRequest r = {KeyRequest::kMove, kNextLine};
    switch (virtualKey) {
    case kDown: case kRight: r.move = kNextLine; break;
    case kUp: case kLeft: r.move = kPreviousLine; break;
    case kTab: r.move = shift ? kPreviousLine : kNextLine; break;
    case kHome: r.move = kFirstLine; break;
    case kEnd: r.move = kLastLine; break;
    case kReturn: case kSpace: r.kind = KeyRequest::kSelect; break;
    default: r.kind = KeyRequest::kNotOurs; break;
    }
    return r;
}

namespace {

void AddRepaint(MoveOutcome& out, int slot) {
    if (slot < 0 || slot >= kLineCount) return;
    for (int i = 0; i < out.repaintCount; ++i)
        if (out.repaint[i] == slot) return;
    if (out.repaintCount < 3) out.repaint[out.repaintCount++] = slot;
}

}  // namespace

void PointerTracker::Reset() {
    m_lastChild = 0;
    m_lastSlot = -1;
    m_hot = kNoLine;
    m_keyOwns = false;
    m_lastPosition = kNoPosition;
}

void PointerTracker::MoveHighlight(int slot, MoveOutcome& out) {
    if (m_hot != slot) AddRepaint(out, m_hot);
    m_hot = slot;
    AddRepaint(out, slot);
}

MoveOutcome PointerTracker::OnMove(bool active, uintptr_t child, int childSlot,
                                   bool childIsActiveWindow, bool lineHasText,
                                   bool hoverSoundSet, long long position) {
    MoveOutcome out;
    if (!active) return out;
    if (childSlot < 0 || childSlot >= kLineCount) childSlot = -1;

    // A pointer at rest does not take the highlight back from the keys.
    const bool moved = position == kNoPosition || position != m_lastPosition;
    const bool keyOwned = m_keyOwns;
    m_lastPosition = position;
    if (keyOwned && !moved) return out;
    m_keyOwns = false;

    if (child != m_lastChild) {
        if (m_lastSlot >= 0) {
            AddRepaint(out, m_lastSlot);
            MoveHighlight(kNoLine, out);
        }
        if (childSlot >= 0) {
            MoveHighlight(childSlot, out);
            out.playHoverSound = hoverSoundSet && lineHasText;
        }
    } else if (childIsActiveWindow) {
        // Resting on the bare background: make sure no line stays lit.
        m_hot = kNoLine;
        out.repaintAllLines = true;
    } else if (keyOwned && childSlot >= 0 && childSlot != m_hot) {
        // The pointer moves again within the line the keys left: that line
        // is lit again, but it was not entered, so it stays silent.
        MoveHighlight(childSlot, out);
    }
    m_lastChild = child;
    m_lastSlot = childSlot;
    return out;
}

MoveOutcome PointerTracker::OnKey(KeyMove move, const bool reachable[kLineCount], bool hoverSoundSet,
                                  long long pointer) {
    MoveOutcome out;
    m_lastPosition = pointer;
    const int target = KeyTarget(move, m_hot, reachable);
    if (target < 0 || target == m_hot) return out;
    MoveHighlight(target, out);
    m_keyOwns = true;
    out.playHoverSound = hoverSoundSet;   // a reachable line has text
    out.announce = target;
    return out;
}

MoveOutcome PointerTracker::PlaceOnFirstLine(const bool reachable[kLineCount], long long pointer) {
    MoveOutcome out;
    m_lastPosition = pointer;
    const int target = KeyTarget(kFirstLine, kNoLine, reachable);
    MoveHighlight(target < 0 ? kNoLine : target, out);
    m_keyOwns = true;
    out.announce = target;
    return out;
}

int PointerTracker::KeySelection(const bool reachable[kLineCount]) const {
    return m_hot >= 0 && m_hot < kLineCount && reachable[m_hot] ? m_hot : -1;
}

ClickOutcome DecideClick(bool active, int slot, bool locked, const wchar_t* action,
                         const wchar_t* quitFlag, int maxMenu) {
    ClickOutcome out = {ClickOutcome::Ignore, 0, false};
    if (!active || slot < 0 || slot >= kLineCount || locked) return out;
    int target = DecodeGoTo(action, maxMenu);
    if (target == 0) {
        out.kind = ClickOutcome::LockOnly;
    } else if (target > 0) {
        out.kind = ClickOutcome::GoTo;
        out.target = target;
    } else {
        out.kind = ClickOutcome::Open;
        out.quit = def::IsTrue(quitFlag);
    }
    return out;
}

}  // namespace menu
