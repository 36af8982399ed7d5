#include "Menu.h"
#include "WinApp.h"

bool CMenu::AppendSeparator() {
    return m_hMenu && AppendMenuW(m_hMenu, MF_SEPARATOR, 0, nullptr);
}

bool CMenu::AppendItem(UINT commandId, const wchar_t* text) {
    return m_hMenu && AppendMenuW(m_hMenu, MF_STRING, commandId, text ? text : L"");
}

int CMenu::ItemCount() const {
    return m_hMenu ? GetMenuItemCount(m_hMenu) : 0;
}

UINT CMenu::ItemId(int position) const {
    return m_hMenu ? GetMenuItemID(m_hMenu, position) : static_cast<UINT>(-1);
}

CString CMenu::ItemText(int position) const {
    wchar_t text[256] = L"";
    if (m_hMenu) GetMenuStringW(m_hMenu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return CString(text);
}

CMenu CMenu::SubMenu(int position) const {
    return CMenu(m_hMenu ? GetSubMenu(m_hMenu, position) : nullptr);
}

CString LoadResString(UINT id) {
    wchar_t text[512] = L"";
    int n = LoadStringW(AppResourceHandle(), id, text, 512);
    return n > 0 ? CString(text, static_cast<size_t>(n)) : CString();
}
