// A font owned by the object that made it: deleted with the object.
#pragma once
#include <windows.h>

class CFont {
public:
    CFont() : m_hFont(nullptr) {}
    ~CFont() { DeleteObject(); }

    // Makes the font; every field of the description not given is zero.
    bool Create(int height, int weight, const wchar_t* face);
    bool CreateIndirect(const LOGFONTW& description);
    void DeleteObject();
    HFONT GetSafeHandle() const { return m_hFont; }

private:
    HFONT m_hFont;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
};
