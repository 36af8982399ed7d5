#include "MenuLogic.h"
#include <cstring>

namespace menu {

int DecodeGoTo(const char* action, int maxMenu) {
    if (!action || std::strncmp(action, "_menu", 5) != 0) return -1;
    size_t length = std::strlen(action);
    if (length < 6 || length > 8) return 0;
    int target = 0;
    for (const char* p = action + 5; *p >= '0' && *p <= '9'; ++p) target = target * 10 + (*p - '0');
    return (target >= 1 && target <= maxMenu) ? target : 0;
}

MoveOutcome PointerTracker::OnMove(bool active, uintptr_t child, int childSlot,
                                   bool childIsActiveWindow, bool lineHasText,
                                   bool hoverSoundSet) {
    MoveOutcome out = {{-1, -1}, 0, false, false};
    if (!active) return out;
    if (childSlot < 0 || childSlot >= kLineCount) childSlot = -1;

    if (child != m_lastChild) {
        if (m_lastSlot >= 0) {
            m_hot = kNoLine;
            out.repaint[out.repaintCount++] = m_lastSlot;
        }
        if (childSlot >= 0) {
            m_hot = childSlot;
            out.repaint[out.repaintCount++] = childSlot;
            out.playHoverSound = hoverSoundSet && lineHasText;
        }
    } else if (childIsActiveWindow) {
        // Resting on the bare background: make sure no line stays lit.
        m_hot = kNoLine;
        out.repaintAllLines = true;
    }
    m_lastChild = child;
    m_lastSlot = childSlot;
    return out;
}

ClickOutcome DecideClick(bool active, int slot, bool locked, const char* action,
                         const char* quitFlag, int maxMenu) {
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
        out.quit = quitFlag && std::strcmp(quitFlag, "TRUE") == 0;
    }
    return out;
}

}  // namespace menu
