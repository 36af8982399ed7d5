#include "String.h"
#include <windows.h>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <new>

size_t WideLength(const wchar_t* text) {
    size_t n = 0;
    if (text)
        while (text[n]) ++n;
    return n;
}

CString::CString() : m_data(nullptr), m_length(0), m_capacity(0) {}

CString::CString(const wchar_t* text) : CString() {
    if (text) Assign(text, WideLength(text));
}

CString::CString(const wchar_t* text, size_t length) : CString() {
    if (text) Assign(text, length);
}

CString::CString(const char* text) : CString() {
    size_t n = text ? std::strlen(text) : 0;
    if (n == 0 || n > 0x7FFFFFF) return;
    // A code page never makes more characters than bytes.
    wchar_t* p = static_cast<wchar_t*>(std::malloc((n + 1) * sizeof(wchar_t)));
    if (!p) throw std::bad_alloc();
    int got = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(n), p, static_cast<int>(n));
    m_data = p;
    m_capacity = n + 1;
    m_length = got > 0 ? static_cast<size_t>(got) : 0;
    m_data[m_length] = L'\0';
}

CString::CString(const CString& other) : CString() { Assign(other.m_data, other.m_length); }

CString::CString(CString&& other) noexcept
    : m_data(other.m_data), m_length(other.m_length), m_capacity(other.m_capacity) {
    other.m_data = nullptr;
    other.m_length = other.m_capacity = 0;
}

CString::~CString() { std::free(m_data); }

CString& CString::operator=(const CString& other) {
    if (this != &other) Assign(other.m_data, other.m_length);
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        std::free(m_data);
        m_data = other.m_data;
        m_length = other.m_length;
        m_capacity = other.m_capacity;
        other.m_data = nullptr;
        other.m_length = other.m_capacity = 0;
    }
    return *this;
}

CString& CString::operator=(const wchar_t* text) {
    if (!text) { Empty(); return *this; }
    // The source may point into our own buffer.
    CString copy(text, WideLength(text));
    return *this = static_cast<CString&&>(copy);
}

CString& CString::operator+=(const CString& other) {
    CString copy(other);
    Append(copy.m_data, copy.m_length);
    return *this;
}

CString& CString::operator+=(const wchar_t* text) {
    if (text) { CString copy(text); Append(copy.m_data, copy.m_length); }
    return *this;
}

CString& CString::operator+=(wchar_t c) {
    Append(&c, 1);
    return *this;
}

void CString::Empty() {
    m_length = 0;
    if (m_data) m_data[0] = L'\0';
}

void CString::Assign(const wchar_t* text, size_t length) {
    m_length = 0;
    Append(text, length);
}

void CString::Append(const wchar_t* text, size_t length) {
    if (length == 0) {
        return;
    }
    size_t needed = m_length + length + 1;
    if (needed < m_length || needed > (size_t(-1) / sizeof(wchar_t))) throw std::bad_alloc();
    if (needed > m_capacity) {
        size_t cap = m_capacity ? m_capacity : 16;
        while (cap < needed) cap *= 2;
        wchar_t* p = static_cast<wchar_t*>(std::realloc(m_data, cap * sizeof(wchar_t)));
        if (!p) throw std::bad_alloc();
        m_data = p;
        m_capacity = cap;
    }
    std::memmove(m_data + m_length, text, length * sizeof(wchar_t));
    m_length += length;
    m_data[m_length] = L'\0';
}

CString CString::Left(size_t count) const {
    return CString(c_str(), count < m_length ? count : m_length);
}

CString CString::Mid(size_t first) const {
    if (first >= m_length) return CString();
    return CString(m_data + first, m_length - first);
}

CString CString::Mid(size_t first, size_t count) const {
    if (first >= m_length) return CString();
    size_t rest = m_length - first;
    return CString(m_data + first, count < rest ? count : rest);
}

int CString::Find(wchar_t c) const {
    for (size_t i = 0; i < m_length; ++i)
        if (m_data[i] == c) return static_cast<int>(i);
    return -1;
}

int CString::Find(const wchar_t* sub) const {
    size_t n = WideLength(sub);
    if (!sub || n > m_length) return -1;
    for (size_t i = 0; i + n <= m_length; ++i)
        if (std::memcmp(m_data + i, sub, n * sizeof(wchar_t)) == 0) return static_cast<int>(i);
    return -1;
}

int CString::ReverseFind(wchar_t c) const {
    for (size_t i = m_length; i > 0; --i)
        if (m_data[i - 1] == c) return static_cast<int>(i - 1);
    return -1;
}

bool CString::StartsWith(const wchar_t* prefix) const {
    size_t n = WideLength(prefix);
    return n <= m_length && std::memcmp(c_str(), prefix, n * sizeof(wchar_t)) == 0;
}

static wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c; }

bool CString::EqualsNoCase(const wchar_t* other) const {
    if (!other) other = L"";
    const wchar_t* a = c_str();
    for (; *a && *other; ++a, ++other)
        if (LowerAscii(*a) != LowerAscii(*other)) return false;
    return *a == *other;
}

bool CString::IsAscii() const {
    for (size_t i = 0; i < m_length; ++i)
        if (m_data[i] >= 0x80) return false;
    return true;
}

namespace {
// Appends one converted field, padded to its width.
void Field(CString& out, const wchar_t* text, size_t n, size_t width, bool left, wchar_t pad) {
    for (size_t i = n; !left && i < width; ++i) out += pad;
    out += CString(text, n);
    for (size_t i = n; left && i < width; ++i) out += L' ';
}
}  // namespace

// The programs' formats are few and simple; a formatter of their own keeps
// the runtime's wide printf (and its size) out of the player.
CString CString::Format(const wchar_t* fmt, ...) {
    CString out;
    if (!fmt) return out;
    va_list args;
    va_start(args, fmt);
    for (const wchar_t* p = fmt; *p; ++p) {
        if (*p != L'%') { out += *p; continue; }
        ++p;
        bool left = false;
        wchar_t pad = L' ';
        for (;; ++p) {
            if (*p == L'-') left = true;
            else if (*p == L'0') pad = L'0';
            else break;
        }
        size_t width = 0;
        while (*p >= L'0' && *p <= L'9') width = width * 10 + static_cast<size_t>(*p++ - L'0');
        if (*p == L'l') ++p;
        if (left) pad = L' ';
        wchar_t digits[40];
        switch (*p) {
        case L'd': case L'i': case L'u': case L'x': case L'X': {
            bool isSigned = *p == L'd' || *p == L'i';
            unsigned base = (*p == L'x' || *p == L'X') ? 16 : 10;
            const wchar_t* symbols = *p == L'X' ? L"0123456789ABCDEF" : L"0123456789abcdef";
            unsigned value = va_arg(args, unsigned);
            bool negative = isSigned && static_cast<int>(value) < 0;
            if (negative) value = 0u - value;
            wchar_t* end = digits + 40;
            wchar_t* q = end;
            do { *--q = symbols[value % base]; value /= base; } while (value);
            size_t n = static_cast<size_t>(end - q);
            if (negative && pad == L'0') {
                out += L'-';
                Field(out, q, n, width ? width - 1 : 0, left, pad);
            } else {
                if (negative) { *--q = L'-'; ++n; }
                Field(out, q, n, width, left, pad);
            }
            break;
        }
        case L'c': {
            wchar_t c = static_cast<wchar_t>(va_arg(args, int));
            Field(out, &c, 1, width, left, L' ');
            break;
        }
        case L's': {
            const wchar_t* s = va_arg(args, const wchar_t*);
            if (!s) s = L"(null)";
            Field(out, s, WideLength(s), width, left, L' ');
            break;
        }
        case L'%':
            out += L'%';
            break;
        case L'\0':
            --p;   // a lone '%' at the end
            break;
        default:
            out += L'%';
            out += *p;
            break;
        }
    }
    va_end(args);
    return out;
}

bool operator==(const CString& a, const CString& b) {
    return a.m_length == b.m_length && std::memcmp(a.c_str(), b.c_str(), a.m_length * sizeof(wchar_t)) == 0;
}

bool operator==(const CString& a, const wchar_t* b) {
    size_t n = WideLength(b);
    return a.m_length == n && std::memcmp(a.c_str(), b ? b : L"", n * sizeof(wchar_t)) == 0;
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, const wchar_t* b) { CString r(a); r += b; return r; }
CString operator+(const wchar_t* a, const CString& b) { CString r(a); r += b; return r; }
