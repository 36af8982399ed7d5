#include "VolumeLabel.h"
#include "../platform/Encoding.h"
#include <windows.h>

std::string LabelFromTitle(const wchar_t* title) {
    std::wstring label;
    for (const wchar_t* p = title ? title : L""; *p; ++p) {
        const wchar_t c = *p;
        bool pair = IsHighSurrogate(c) && IsLowSurrogate(p[1]);
        if (label.size() + 1 > 32) break;
        if (pair) {
            // Joliet's labels are UCS-2: a letter beyond the first 65,536
            // does not fit one.
            ++p;
        } else if (c < 0x80 ? ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'))
                            : (!IsLowSurrogate(c) && !IsHighSurrogate(c) && IsCharAlphaNumericW(c))) {
            label += c;
        } else if (c == L' ' && !label.empty() && label.back() != L' ') {
            label += L' ';
        } else if ((c == L'_' || c == L'-') && !label.empty()) {
            label += c;
        }
    }
    while (!label.empty() && label.back() == L' ') label.pop_back();
    return label.empty() ? "DISC" : ToUtf8(label.data(), label.size());
}
