#include "ProfileImage.h"
#include <algorithm>
#include <cstring>

namespace {

// The profile functions' idea of white space: the C locale's, plus Ctrl-Z
// (the DOS end-of-file mark found on old discs).
bool IsSpace(unsigned char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A;
}

// Lines end at a line feed or a carriage return, whichever comes first.
const char* LineEnd(const char* p, const char* end) {
    while (p < end && *p != '\n' && *p != '\r') ++p;
    return p;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// A stored text ends at its first NUL, as the system's strings do.
size_t CutAtNul(const char* p, size_t n) {
    const void* nul = std::memchr(p, '\0', n);
    return nul ? static_cast<size_t>(static_cast<const char*>(nul) - p) : n;
}

void Trim(const char*& a, const char*& b) {
    while (a < b && IsSpace(static_cast<unsigned char>(*a))) ++a;
    while (b > a && IsSpace(static_cast<unsigned char>(b[-1]))) --b;
}

}  // namespace

bool CProfileImage::Parse(const char* data, size_t size) {
    m_text.reset();
    m_sections.reset();
    m_keys.reset();
    m_sectionCount = m_keyCount = 0;
    m_byName.reset();
    const unsigned char* u = reinterpret_cast<const unsigned char*>(data);
    if (size >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) return false;
    if (size >= 2 && ((u[0] == 0xFF && u[1] == 0xFE) || (u[0] == 0xFE && u[1] == 0xFF))) return false;

    size_t lines = 1;
    for (size_t i = 0; i < size; ++i) lines += (data[i] == '\n' || data[i] == '\r') ? 1 : 0;
    m_text.reset(new char[size + 1]);
    if (size) std::memcpy(m_text.get(), data, size);
    m_sections.reset(new Section[lines + 1]);
    m_keys.reset(new Key[lines]);
    const char* base = m_text.get();
    const char* end = base + size;
    // Keys before the first section header form a nameless section.
    m_sections[m_sectionCount++] = Section{{0, 0}, 0, 0};
    for (const char* line = base; line < end;) {
        const char* nl = LineEnd(line, end);
        const char* next = nl < end ? nl + 1 : end;
        const char* a = line;
        const char* b = next;
        line = next;
        Trim(a, b);
        if (a >= b) continue;

        if (*a == '[') {
            const char* close = nullptr;
            for (const char* p = b; p > a; --p)
                if (p[-1] == ']') { close = p - 1; break; }
            if (close) {
                const char* na = a + 1;
                const char* nb = close;
                Trim(na, nb);
                Section s = {{static_cast<size_t>(na - base), static_cast<size_t>(nb - na)}, m_keyCount, 0};
                m_sections[m_sectionCount++] = s;
                continue;
            }
            // A "[" without "]" is an ordinary key line.
        }
        Key k;
        const char* eq = static_cast<const char*>(std::memchr(a, '=', static_cast<size_t>(b - a)));
        if (eq) {
            const char* nameEnd = eq;
            while (nameEnd > a && IsSpace(static_cast<unsigned char>(nameEnd[-1]))) --nameEnd;
            const char* v = eq + 1;
            while (v < b && IsSpace(static_cast<unsigned char>(*v))) ++v;
            k.name = {static_cast<size_t>(a - base), static_cast<size_t>(nameEnd - a)};
            k.value = {static_cast<size_t>(v - base), static_cast<size_t>(b - v)};
            k.hasValue = true;
        } else {
            k.name = {static_cast<size_t>(a - base), static_cast<size_t>(b - a)};
            k.value = {0, 0};
            k.hasValue = false;
        }
        m_keys[m_keyCount++] = k;
        ++m_sections[m_sectionCount - 1].keyCount;
    }

    // An index by name makes each section look-up a binary search; equal
    // names keep their file order, so the first of them is found first.
    m_byName.reset(new size_t[m_sectionCount ? m_sectionCount : 1]);
    for (size_t i = 0; i < m_sectionCount; ++i) m_byName[i] = i;
    std::sort(m_byName.get(), m_byName.get() + m_sectionCount, [this](size_t x, size_t y) {
        const Span& b = m_sections[y].name;
        const char* bp = m_text.get() + b.at;
        int c = CompareName(m_sections[x].name, bp, CutAtNul(bp, b.length));
        return c != 0 ? c < 0 : x < y;
    });
    return true;
}

int CProfileImage::CompareName(const Span& stored, const char* wanted, size_t wantedLength) const {
    const char* s = m_text.get() + stored.at;
    size_t n = CutAtNul(s, stored.length);
    size_t common = n < wantedLength ? n : wantedLength;
    for (size_t i = 0; i < common; ++i) {
        unsigned char a = static_cast<unsigned char>(Lower(s[i]));
        unsigned char b = static_cast<unsigned char>(Lower(wanted[i]));
        if (a != b) return a < b ? -1 : 1;
    }
    return n == wantedLength ? 0 : (n < wantedLength ? -1 : 1);
}

bool CProfileImage::NameEquals(const Span& stored, const char* wanted, size_t wantedLength) const {
    const char* s = m_text.get() + stored.at;
    size_t n = CutAtNul(s, stored.length);
    if (n != wantedLength) return false;
    for (size_t i = 0; i < n; ++i)
        if (Lower(s[i]) != Lower(wanted[i])) return false;
    return true;
}

int CProfileImage::FindSection(const char* section) const {
    if (!section) return -1;
    const char* sa = section;
    const char* sb = section + std::strlen(section);
    Trim(sa, sb);
    size_t len = static_cast<size_t>(sb - sa);
    size_t lo = 0, hi = m_sectionCount;
    while (lo < hi) {
        size_t mid = lo + (hi - lo) / 2;
        if (CompareName(m_sections[m_byName[mid]].name, sa, len) < 0) lo = mid + 1;
        else hi = mid;
    }
    if (lo < m_sectionCount && CompareName(m_sections[m_byName[lo]].name, sa, len) == 0)
        return static_cast<int>(m_byName[lo]);
    return -1;
}

bool CProfileImage::GetKey(int section, const char* key, int bufferSize, const char** value,
                           size_t* length) const {
    *value = "";
    *length = 0;
    if (section < 0 || static_cast<size_t>(section) >= m_sectionCount || !key || !*key || bufferSize < 1)
        return false;
    const char* ka = key;
    const char* kb = key + std::strlen(key);
    Trim(ka, kb);
    const Section& s = m_sections[section];
    for (size_t i = s.firstKey; i < s.firstKey + s.keyCount; ++i) {
        const Key& k = m_keys[i];
        if (!NameEquals(k.name, ka, static_cast<size_t>(kb - ka))) continue;
        if (!k.hasValue) return false;
        const char* v = m_text.get() + k.value.at;
        size_t n = CutAtNul(v, k.value.length);
        // A value in matching quotes loses them; when the value is cut
        // the closing quote goes with the cut part.
        bool quoted = n >= 2 && (v[0] == '"' || v[0] == '\'') && v[n - 1] == v[0];
        if (quoted) { ++v; --n; }
        size_t room = static_cast<size_t>(bufferSize - 1);
        size_t copied = n < room ? n : room;
        if (quoted && static_cast<size_t>(bufferSize) >= n && copied > 0) --copied;
        *value = v;
        *length = copied;
        return true;
    }
    return false;
}

bool CProfileImage::Get(const char* section, const char* key, int bufferSize, const char** value,
                        size_t* length) const {
    *value = "";
    *length = 0;
    return GetKey(FindSection(section), key, bufferSize, value, length);
}
