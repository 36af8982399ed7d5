// A counted, heap-owned 8-bit string: the text type of the whole program.
// Deliberately small (no locale, no iostreams) so that the player stays tiny.
#pragma once
#include <cstddef>

class CString {
public:
    CString();
    CString(const char* text);
    CString(const char* text, size_t length);
    CString(const CString& other);
    CString(CString&& other) noexcept;
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char c);

    size_t GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    const char* c_str() const { return m_data ? m_data : ""; }
    operator const char*() const { return c_str(); }
    char operator[](size_t i) const { return i < m_length ? m_data[i] : '\0'; }
    char operator[](int i) const { return i >= 0 ? (*this)[static_cast<size_t>(i)] : '\0'; }

    void Empty();
    // Parts of the string; out-of-range arguments are clamped, never read past the end.
    CString Left(size_t count) const;
    CString Mid(size_t first) const;
    CString Mid(size_t first, size_t count) const;
    // Index of the first/last occurrence, or -1.
    int Find(char c) const;
    int Find(const char* sub) const;
    int ReverseFind(char c) const;
    bool StartsWith(const char* prefix) const;      // case-sensitive
    bool EqualsNoCase(const char* other) const;

    // printf-style formatting into a new string (no length limit).
    static CString Format(const char* fmt, ...);

    friend bool operator==(const CString& a, const CString& b);
    friend bool operator==(const CString& a, const char* b);
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);

private:
    void Assign(const char* text, size_t length);
    void Append(const char* text, size_t length);
    char* m_data;
    size_t m_length;
    size_t m_capacity;
};
