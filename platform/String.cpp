#include "String.h"
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

CString::CString() : m_data(nullptr), m_length(0), m_capacity(0) {}

CString::CString(const char* text) : CString() {
    if (text) Assign(text, std::strlen(text));
}

CString::CString(const char* text, size_t length) : CString() {
    if (text) Assign(text, length);
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

CString& CString::operator=(const char* text) {
    if (!text) { Empty(); return *this; }
    // The source may point into our own buffer.
    CString copy(text, std::strlen(text));
    return *this = static_cast<CString&&>(copy);
}

CString& CString::operator+=(const CString& other) {
    CString copy(other);
    Append(copy.m_data, copy.m_length);
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text) { CString copy(text); Append(copy.m_data, copy.m_length); }
    return *this;
}

CString& CString::operator+=(char c) {
    Append(&c, 1);
    return *this;
}

void CString::Empty() {
    m_length = 0;
    if (m_data) m_data[0] = '\0';
}

void CString::Assign(const char* text, size_t length) {
    m_length = 0;
    Append(text, length);
}

void CString::Append(const char* text, size_t length) {
    if (length == 0) {
        return;
    }
    size_t needed = m_length + length + 1;
    if (needed < m_length) throw std::bad_alloc();
    if (needed > m_capacity) {
        size_t cap = m_capacity ? m_capacity : 16;
        while (cap < needed) cap *= 2;
        char* p = static_cast<char*>(std::realloc(m_data, cap));
        if (!p) throw std::bad_alloc();
        m_data = p;
        m_capacity = cap;
    }
    std::memmove(m_data + m_length, text, length);
    m_length += length;
    m_data[m_length] = '\0';
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

int CString::Find(char c) const {
    for (size_t i = 0; i < m_length; ++i)
        if (m_data[i] == c) return static_cast<int>(i);
    return -1;
}

int CString::Find(const char* sub) const {
    if (!sub || !m_data) return -1;
    const char* p = std::strstr(m_data, sub);
    return p ? static_cast<int>(p - m_data) : -1;
}

int CString::ReverseFind(char c) const {
    for (size_t i = m_length; i > 0; --i)
        if (m_data[i - 1] == c) return static_cast<int>(i - 1);
    return -1;
}

bool CString::StartsWith(const char* prefix) const {
    size_t n = prefix ? std::strlen(prefix) : 0;
    return n <= m_length && std::memcmp(c_str(), prefix, n) == 0;
}

static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool CString::EqualsNoCase(const char* other) const {
    if (!other) other = "";
    const char* a = c_str();
    for (; *a && *other; ++a, ++other)
        if (LowerAscii(*a) != LowerAscii(*other)) return false;
    return *a == *other;
}

CString CString::Format(const char* fmt, ...) {
    char small[256];
    va_list args;
    va_start(args, fmt);
    int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    if (n < 0) return CString();
    if (static_cast<size_t>(n) < sizeof small) return CString(small, static_cast<size_t>(n));
    char* big = static_cast<char*>(std::malloc(static_cast<size_t>(n) + 1));
    if (!big) throw std::bad_alloc();
    va_start(args, fmt);
    std::vsnprintf(big, static_cast<size_t>(n) + 1, fmt, args);
    va_end(args);
    CString result(big, static_cast<size_t>(n));
    std::free(big);
    return result;
}

bool operator==(const CString& a, const CString& b) {
    return a.m_length == b.m_length && std::memcmp(a.c_str(), b.c_str(), a.m_length) == 0;
}

bool operator==(const CString& a, const char* b) {
    return std::strcmp(a.c_str(), b ? b : "") == 0;
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
