// Menus: a window's menu bar, its system menu, and string resources for
// their texts. CMenu does not own the menu it wraps.
#pragma once
#include "String.h"
#include <windows.h>

class CMenu {
public:
    explicit CMenu(HMENU menu = nullptr) : m_hMenu(menu) {}

    // The window's system menu (the one behind the caption's icon).
    static CMenu SystemMenuOf(HWND window) { return CMenu(window ? GetSystemMenu(window, FALSE) : nullptr); }
    // The window's menu bar.
    static CMenu MenuOf(HWND window) { return CMenu(window ? GetMenu(window) : nullptr); }

    HMENU GetSafeHmenu() const { return m_hMenu; }
    bool AppendSeparator();
    bool AppendItem(UINT commandId, const wchar_t* text);
    int ItemCount() const;
    // The item's command id; (UINT)-1 for separators and submenus.
    UINT ItemId(int position) const;
    // The text of the item at a position, with its '&' marks.
    CString ItemText(int position) const;
    // The submenu at a position (an empty CMenu if none).
    CMenu SubMenu(int position) const;

private:
    HMENU m_hMenu;
};

// A string resource of the program; empty when it does not exist.
CString LoadResString(UINT id);
