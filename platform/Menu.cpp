#include "Menu.h"
#include "WinApp.h"

bool CMenu::AppendSeparator() {
    return m_hMenu && AppendMenuA(m_hMenu, MF_SEPARATOR, 0, nullptr);
}

bool CMenu::AppendItem(UINT commandId, const char* text) {
    return m_hMenu && AppendMenuA(m_hMenu, MF_STRING, commandId, text ? text : "");
}

int CMenu::ItemCount() const {
    return m_hMenu ? GetMenuItemCount(m_hMenu) : 0;
}

UINT CMenu::ItemId(int position) const {
    return m_hMenu ? GetMenuItemID(m_hMenu, position) : static_cast<UINT>(-1);
}

CString CMenu::ItemText(int position) const {
    char text[256] = "";
    if (m_hMenu) GetMenuStringA(m_hMenu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return CString(text);
}

CMenu CMenu::SubMenu(int position) const {
    return CMenu(m_hMenu ? GetSubMenu(m_hMenu, position) : nullptr);
}

CString LoadResString(UINT id) {
    char text[512] = "";
    int n = LoadStringA(AppResourceHandle(), id, text, sizeof text);
    return n > 0 ? CString(text, static_cast<size_t>(n)) : CString();
}
