#include "Font.h"
#include <cstring>

bool CFont::CreateIndirect(const LOGFONTW& description) {
    DeleteObject();
    m_hFont = ::CreateFontIndirectW(&description);
    return m_hFont != nullptr;
}

bool CFont::Create(int height, int weight, const wchar_t* face) {
    LOGFONTW lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lstrcpynW(lf.lfFaceName, face ? face : L"", LF_FACESIZE);
    return CreateIndirect(lf);
}

void CFont::DeleteObject() {
    if (m_hFont) ::DeleteObject(m_hFont);
    m_hFont = nullptr;
}
