#include "Encoding.h"
#include <windows.h>

std::string ToUtf8(const wchar_t* text, size_t length) {
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        unsigned long c = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < length && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<unsigned long>(text[i + 1]) - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

CString FromUtf8(const char* bytes, size_t length) {
    if (!bytes || length == 0 || length > 0x7FFFFFF) return CString();
    std::wstring out(length, L'\0');
    int got = MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(length), &out[0], static_cast<int>(length));
    return CString(out.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

std::string ToAnsi(const CString& text, bool* lossless) {
    if (lossless) *lossless = true;
    if (text.IsEmpty()) return std::string();
    int n = static_cast<int>(text.GetLength());
    int need = WideCharToMultiByte(CP_ACP, 0, text.c_str(), n, nullptr, 0, nullptr, nullptr);
    if (need <= 0) return std::string();
    std::string out(static_cast<size_t>(need), '\0');
    BOOL defaulted = FALSE;
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), n, &out[0], need, nullptr, lossless ? &defaulted : nullptr);
    // A best-fit letter is no default character: check the way back too.
    if (lossless) *lossless = !defaulted && CString(out.c_str()) == text;
    return out;
}

size_t CutLength(const wchar_t* text, size_t length, size_t limit) {
    if (length <= limit) return length;
    if (limit > 0 && IsHighSurrogate(text[limit - 1]) && IsLowSurrogate(text[limit])) return limit - 1;
    return limit;
}
