// Texts between the tests' byte strings and the programs' UTF-16 text. The
// tests convert through the system (MultiByteToWideChar and its partner),
// not through the programs' own conversions, so that a fault in those shows.
#pragma once
#include "platform/String.h"
#include <windows.h>
#include <ostream>
#include <string>

namespace text {

inline std::wstring W(const char* utf8, size_t length) {
    if (length == 0) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(length), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(length), &out[0], n);
    return out;
}
// UTF-8 (ASCII in most tests) as UTF-16.
inline std::wstring W(const std::string& utf8) { return W(utf8.data(), utf8.size()); }
inline std::wstring W(const char* utf8) { return utf8 ? W(utf8, std::char_traits<char>::length(utf8)) : std::wstring(); }

inline std::string U8(const wchar_t* text, size_t length) {
    if (length == 0) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), &out[0], n, nullptr, nullptr);
    return out;
}
// UTF-16 as UTF-8, for comparing with byte strings and for messages.
inline std::string U8(const std::wstring& text) { return U8(text.data(), text.size()); }
inline std::string U8(const wchar_t* text) { return text ? U8(text, std::char_traits<wchar_t>::length(text)) : ""; }
inline std::string U8(const CString& text) { return U8(text.c_str(), text.GetLength()); }

// The text of a CString whole, NULs included.
inline std::wstring Whole(const CString& text) { return std::wstring(text.c_str(), text.GetLength()); }

// The bytes of a text in the machine's ANSI code page, as the A functions
// and an ANSI file hold it.
inline std::string Ansi(const std::wstring& text) {
    if (text.empty()) return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

}  // namespace text

// A failing check shows a CString as its text (gtest would otherwise show
// the address its conversion gives).
inline void PrintTo(const CString& s, std::ostream* os) { *os << '"' << text::U8(s) << '"'; }
