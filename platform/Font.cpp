#include "Font.h"
#include <cstring>

bool CFont::CreateIndirect(const LOGFONTA& description) {
    DeleteObject();
    m_hFont = ::CreateFontIndirectA(&description);
    return m_hFont != nullptr;
}

bool CFont::Create(int height, int weight, const char* face) {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lstrcpynA(lf.lfFaceName, face ? face : "", LF_FACESIZE);
    return CreateIndirect(lf);
}

void CFont::DeleteObject() {
    if (m_hFont) ::DeleteObject(m_hFont);
    m_hFont = nullptr;
}
