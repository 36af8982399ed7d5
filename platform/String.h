// A counted, heap-owned UTF-16 string: the text type of the whole program,
// as in a Unicode build of the usual framework. Deliberately small (no
// locale, no iostreams) so that the player stays tiny.
//
// Texts become bytes only at the edges that need bytes (files in a code
// page, the disc image's names, the console): see Encoding.h.
#pragma once
#include <cstddef>

class CString {
public:
    CString();
    CString(const wchar_t* text);
    CString(const wchar_t* text, size_t length);
    // From 8-bit text in the ANSI code page (program literals are ASCII).
    CString(const char* text);
    CString(const CString& other);
    CString(CString&& other) noexcept;
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const wchar_t* text);
    CString& operator=(const char* text) { return *this = CString(text); }
    CString& operator+=(const CString& other);
    CString& operator+=(const wchar_t* text);
    CString& operator+=(wchar_t c);

    size_t GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    const wchar_t* c_str() const { return m_data ? m_data : L""; }
    operator const wchar_t*() const { return c_str(); }
    wchar_t operator[](size_t i) const { return i < m_length ? m_data[i] : L'\0'; }
    wchar_t operator[](int i) const { return i >= 0 ? (*this)[static_cast<size_t>(i)] : L'\0'; }

    void Empty();
    // Parts of the string; out-of-range arguments are clamped, never read past the end.
    CString Left(size_t count) const;
    CString Mid(size_t first) const;
    CString Mid(size_t first, size_t count) const;
    // Index of the first/last occurrence, or -1.
    int Find(wchar_t c) const;
    int Find(const wchar_t* sub) const;
    int ReverseFind(wchar_t c) const;
    bool StartsWith(const wchar_t* prefix) const;      // case-sensitive
    bool EqualsNoCase(const wchar_t* other) const;     // ASCII letters without regard to case
    // True when every character is ASCII (below 128).
    bool IsAscii() const;

    // printf-style formatting into a new string (no length limit). Knows
    // what the programs use: %d %i %u %x %X %c %s (a wide string, also as
    // %ls) and %%, with the '-' and '0' flags and a width.
    static CString Format(const wchar_t* fmt, ...);

    friend bool operator==(const CString& a, const CString& b);
    friend bool operator==(const CString& a, const wchar_t* b);
    friend bool operator==(const CString& a, const char* b) { return a == CString(b); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator==(const wchar_t* a, const CString& b) { return b == a; }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const wchar_t* a, const CString& b) { return !(b == a); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const wchar_t* b);
    friend CString operator+(const wchar_t* a, const CString& b);

private:
    void Assign(const wchar_t* text, size_t length);
    void Append(const wchar_t* text, size_t length);
    wchar_t* m_data;
    size_t m_length;
    size_t m_capacity;
};

// The length of a NUL-terminated wide text (0 for null).
size_t WideLength(const wchar_t* text);
