// The edges where text becomes bytes and bytes become text: files written
// in a code page or in UTF-8, the disc image's names, the console.
#pragma once
#include "String.h"
#include <string>

// UTF-8 from and to the program's text. Lone surrogates become U+FFFD.
std::string ToUtf8(const wchar_t* text, size_t length);
inline std::string ToUtf8(const CString& text) { return ToUtf8(text.c_str(), text.GetLength()); }
CString FromUtf8(const char* bytes, size_t length);
inline CString FromUtf8(const std::string& bytes) { return FromUtf8(bytes.data(), bytes.size()); }

// The ANSI code page's bytes for a text (letters it lacks become its best
// fit or "?"); *lossless tells whether every letter survived.
std::string ToAnsi(const CString& text, bool* lossless = nullptr);

// Whether a UTF-16 unit is the first or the second half of a surrogate pair.
inline bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The length to cut a text to so that it holds at most 'limit' UTF-16
// units without splitting a surrogate pair.
size_t CutLength(const wchar_t* text, size_t length, size_t limit);
