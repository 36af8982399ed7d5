#include "ProfileImage.h"
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <new>

// Each rule below is what the profile functions were measured to do (under
// Wine, with the ANSI code page 1252), written once.
namespace {

// White space: the C locale's, plus Ctrl-Z (the DOS end-of-file mark found
// on old discs). Nothing beyond ASCII: a no-break or an ideographic space is
// text to the system.
bool IsSpace(wchar_t c) {
    return c == L' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A;
}

// Lines end at a line feed or a carriage return, whichever comes first.
bool IsLineEnd(wchar_t c) { return c == L'\n' || c == L'\r'; }

// Names match without regard to the case of ASCII letters only: "[\xC9]"
// is not found as "\xE9".
wchar_t Fold(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c; }

// A stored text ends at its first NUL, as the system's strings do.
size_t CutAtNul(const wchar_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (!p[i]) return i;
    return n;
}

void Trim(const wchar_t*& a, const wchar_t*& b) {
    while (a < b && IsSpace(*a)) ++a;
    while (b > a && IsSpace(b[-1])) --b;
}

// A text handed to a wide function, as the function sees it.
class CWide {
public:
    explicit CWide(const wchar_t* s) : m_text(s ? s : L"") {
        while (m_text[m_length]) ++m_length;
    }
    const wchar_t* Text() const { return m_text; }
    size_t Length() const { return m_length; }

private:
    const wchar_t* m_text;
    size_t m_length = 0;
};

// What a read puts into a buffer of bufferSize characters from a stored
// value or a fallback of n characters: a value in matching quotes (at least
// two characters) loses the opening one, and is cut to bufferSize - 1
// characters; then, when what is left after the opening quote is no longer
// than the buffer, the last character copied goes too. That is normally the
// closing quote, but at the buffer's edge it is a character of the text: a
// quoted value comes back one character shorter than an unquoted one.
void CopyEntry(const wchar_t*& v, size_t& n, int bufferSize) {
    bool quoted = n >= 2 && (v[0] == L'"' || v[0] == L'\'') && v[n - 1] == v[0];
    if (quoted) { ++v; --n; }
    size_t room = bufferSize > 0 ? static_cast<size_t>(bufferSize - 1) : 0;
    size_t copied = n < room ? n : room;
    if (quoted && static_cast<size_t>(bufferSize) >= n && copied > 0) --copied;
    n = copied;
}


// The file's bytes go into the top of the text's own memory (room for
// size + 2 characters) and are decoded from there in place, front to back:
// a character is never written over a byte not yet read, whatever the width
// of a character. A large definition costs its memory once, and touching
// fresh memory is most of what a read costs.
size_t BytesAt(size_t size) { return (size + 2) * sizeof(wchar_t) - size; }

}  // namespace

char* CProfileImage::Reserve(size_t size) {
    m_text.reset();
    m_sections.reset();
    m_keys.reset();
    m_byName.reset();
    m_length = m_sectionCount = m_keyCount = 0;
    m_form = kAnsi;
    const size_t kLargest = 16 * 1024 * 1024;   // far above any definition
    if (size > kLargest) return nullptr;
    m_text.reset(new (std::nothrow) wchar_t[size + 2]);
    return m_text ? reinterpret_cast<char*>(m_text.get()) + BytesAt(size) : nullptr;
}

CProfileImage::Form CProfileImage::FormOf(const unsigned char* u, size_t size) {
    if (size >= 2 && u[0] == 0xFF && u[1] == 0xFE) return kUtf16LE;
    if (size >= 2 && u[0] == 0xFE && u[1] == 0xFF) return kUtf16BE;
    if (size >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) return kUtf8;
    return kAnsi;
}

bool CProfileImage::Decode(size_t size) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(m_text.get()) + BytesAt(size);
    wchar_t* out = m_text.get();
    // A byte-order mark chooses the form; any other file is ANSI text.
    m_form = FormOf(u, size);
    if (m_form == kUtf16LE || m_form == kUtf16BE) {
        // A UTF-16 file of odd length ends in half a character, which the
        // system reads together with a byte beyond the file's data
        // (measured: whatever lies there); the image drops that half.
        bool bigEndian = u[0] == 0xFE;
        m_length = (size - 2) / 2;
        for (size_t i = 0; i < m_length; ++i) {
            unsigned a = u[2 + 2 * i], b = u[3 + 2 * i];
            out[i] = static_cast<wchar_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
        }
        return true;
    }
    bool utf8 = m_form == kUtf8;
    CPINFO info;
    if (!utf8 && GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1) {
        // A single-byte code page maps each byte by itself, with the
        // system's own table.
        char bytes[256];
        wchar_t table[256];
        for (int i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);
        if (MultiByteToWideChar(CP_ACP, 0, bytes, 256, table, 256) != 256) return false;
        for (size_t i = 0; i < size; ++i) out[i] = table[u[i]];
        m_length = size;
        return true;
    }
    // UTF-8, or a code page of several bytes a character: the system's own
    // conversion, into memory of its own (it turns broken UTF-8 into
    // replacement characters as the profile functions do).
    size_t skip = utf8 ? 3 : 0;
    std::unique_ptr<wchar_t[]> text(new (std::nothrow) wchar_t[size + 1]);
    if (!text) return false;
    int got = size > skip ? MultiByteToWideChar(utf8 ? CP_UTF8 : CP_ACP, 0, reinterpret_cast<const char*>(u) + skip,
                                                static_cast<int>(size - skip), text.get(), static_cast<int>(size))
                          : 0;
    m_length = got > 0 ? static_cast<size_t>(got) : 0;
    m_text = std::move(text);
    return true;
}

bool CProfileImage::Parse(const char* data, size_t size) {
    char* bytes = Reserve(size);
    if (!bytes) return false;
    if (size) std::memcpy(bytes, data, size);
    return Decode(size) && Index();
}

bool CProfileImage::Load(const wchar_t* path) {
    Reserve(0);
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0, size = GetFileSize(h, &high), got = 0;
    char* bytes = size != INVALID_FILE_SIZE && high == 0 ? Reserve(size) : nullptr;
    bool ok = bytes && (size == 0 || (ReadFile(h, bytes, size, &got, nullptr) && got == size));
    CloseHandle(h);
    if (ok && Decode(size) && Index()) return true;
    Reserve(0);
    return false;
}

bool CProfileImage::Index() {
    size_t lines = 1, brackets = 1;
    for (size_t i = 0; i < m_length; ++i) {
        lines += IsLineEnd(m_text[i]) ? 1 : 0;
        brackets += m_text[i] == L'[' ? 1 : 0;
    }
    m_sections.reset(new (std::nothrow) Section[brackets]);
    m_keys.reset(new (std::nothrow) Key[lines]);
    m_byName.reset(new (std::nothrow) Offset[brackets]);
    if (!m_sections || !m_keys || !m_byName) {
        m_length = 0;
        return false;
    }
    const wchar_t* base = m_text.get();
    const wchar_t* end = base + m_length;
    auto span = [base](const wchar_t* a, const wchar_t* b) {
        return Span{static_cast<Offset>(a - base), static_cast<Offset>(b - a)};
    };
    // Keys before the first section header form a nameless section.
    m_sections[m_sectionCount++] = Section{{0, 0}, 0, 0};
    for (const wchar_t* line = base; line < end;) {
        const wchar_t* a = line;
        while (line < end && !IsLineEnd(*line)) ++line;
        const wchar_t* b = line;
        if (line < end) ++line;
        // Blank lines are nothing; every other line is trimmed.
        Trim(a, b);
        if (a >= b) continue;

        // A line that starts with "[" and has a "]" is a section header; the
        // name lies between the "[" and the last "]", trimmed. Text after
        // that "]" is ignored. A "[" without "]" is an ordinary key line.
        if (*a == L'[') {
            const wchar_t* close = b;
            while (close > a && close[-1] != L']') --close;
            if (close > a) {
                const wchar_t* na = a + 1;
                const wchar_t* nb = close - 1;
                Trim(na, nb);
                m_sections[m_sectionCount++] = Section{span(na, nb), static_cast<Offset>(m_keyCount), 0};
                continue;
            }
        }
        // A key line: the name before the first "=", the value after it,
        // both trimmed. A line without "=" is a key without a value: a read
        // gives the fallback, and as the first of its name it hides a later
        // "key=value". Comment lines (";") are keys like any other.
        Key k;
        const wchar_t* eq = a;
        while (eq < b && *eq != L'=') ++eq;
        if (eq < b) {
            const wchar_t* nameEnd = eq;
            while (nameEnd > a && IsSpace(nameEnd[-1])) --nameEnd;
            const wchar_t* v = eq + 1;
            while (v < b && IsSpace(*v)) ++v;
            k = Key{span(a, nameEnd), span(v, b), true};
        } else {
            k = Key{span(a, b), Span{0, 0}, false};
        }
        m_keys[m_keyCount++] = k;
        ++m_sections[m_sectionCount - 1].keyCount;
    }

    // An index by name makes each section look-up a binary search; equal
    // names keep their file order, so the first of them is found first.
    for (size_t i = 0; i < m_sectionCount; ++i) m_byName[i] = static_cast<Offset>(i);
    std::sort(m_byName.get(), m_byName.get() + m_sectionCount, [this](Offset x, Offset y) {
        const Span& n = m_sections[y].name;
        int c = CompareName(m_sections[x].name, m_text.get() + n.at, CutAtNul(m_text.get() + n.at, n.length));
        return c != 0 ? c < 0 : x < y;
    });
    return true;
}

int CProfileImage::CompareName(const Span& stored, const wchar_t* wanted, size_t wantedLength) const {
    const wchar_t* s = m_text.get() + stored.at;
    size_t n = CutAtNul(s, stored.length);
    size_t common = n < wantedLength ? n : wantedLength;
    for (size_t i = 0; i < common; ++i) {
        wchar_t a = Fold(s[i]), b = Fold(wanted[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    return n == wantedLength ? 0 : (n < wantedLength ? -1 : 1);
}

// The name asked for is trimmed as stored names are; an empty name is a
// name like any other (it finds "=value" lines and the keys before the
// first header).
int CProfileImage::FindSection(const wchar_t* section) const {
    if (!section || m_sectionCount == 0) return -1;
    CWide wanted(section);
    const wchar_t* sa = wanted.Text();
    const wchar_t* sb = sa + CutAtNul(sa, wanted.Length());
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

// Only the first section of a name is searched, and in it the first key of
// the name counts.
const CProfileImage::Key* CProfileImage::FindKey(int section, const wchar_t* key) const {
    if (section < 0 || static_cast<size_t>(section) >= m_sectionCount || !key) return nullptr;
    CWide wanted(key);
    const wchar_t* ka = wanted.Text();
    const wchar_t* kb = ka + CutAtNul(ka, wanted.Length());
    Trim(ka, kb);
    const Section& s = m_sections[section];
    for (size_t i = s.firstKey; i < s.firstKey + s.keyCount; ++i)
        if (CompareName(m_keys[i].name, ka, static_cast<size_t>(kb - ka)) == 0) return &m_keys[i];
    return nullptr;
}

bool CProfileImage::HasValue(int section, const wchar_t* key) const {
    const Key* k = FindKey(section, key);
    return k && k->hasValue;
}

CString CProfileImage::ReadString(int section, const wchar_t* key, const wchar_t* fallback, int bufferSize) const {
    if (bufferSize < 1) return CString();
    const wchar_t* v;
    size_t n;
    CWide fallbackText(fallback);
    const Key* k = FindKey(section, key);
    if (k && k->hasValue) {
        v = m_text.get() + k->value.at;
        n = CutAtNul(v, k->value.length);
    } else {
        // The fallback loses its trailing spaces (only spaces: tabs stay,
        // and so do leading blanks), then reads like a stored value.
        v = fallbackText.Text();
        n = fallbackText.Length();
        while (n > 0 && v[n - 1] == L' ') --n;
    }
    CopyEntry(v, n, bufferSize);
    return CString(v, n);
}

// The integer read: the value as a string read through a 30-character
// buffer gives it, empty or missing meaning the fallback; then characters
// up to the blank, a sign, and the digits up to the first other character,
// in base 10 or, after "0x", "0o" or "0b", 16, 8 or 2. Only ASCII digits
// count, and the number wraps around at 32 bits.
int CProfileImage::ReadInt(int section, const wchar_t* key, int fallback) const {
    const Key* k = FindKey(section, key);
    if (!k || !k->hasValue) return fallback;
    const wchar_t* v = m_text.get() + k->value.at;
    size_t n = CutAtNul(v, k->value.length);
    CopyEntry(v, n, 30);
    if (n == 0) return fallback;
    const wchar_t* p = v;
    const wchar_t* end = v + n;
    while (p < end && *p <= L' ') ++p;
    bool negative = false;
    if (p < end && (*p == L'+' || *p == L'-')) negative = *p++ == L'-';
    unsigned base = 10;
    if (end - p >= 2 && p[0] == L'0' && (p[1] == L'x' || p[1] == L'o' || p[1] == L'b')) {
        base = p[1] == L'x' ? 16 : p[1] == L'o' ? 8 : 2;
        p += 2;
    }
    unsigned number = 0;
    for (; p < end; ++p) {
        unsigned digit;
        if (*p >= L'0' && *p <= L'9') digit = static_cast<unsigned>(*p - L'0');
        else if (*p >= L'a' && *p <= L'z') digit = static_cast<unsigned>(*p - L'a') + 10;
        else if (*p >= L'A' && *p <= L'Z') digit = static_cast<unsigned>(*p - L'A') + 10;
        else break;
        if (digit >= base) break;
        number = number * base + digit;
    }
    return static_cast<int>(negative ? 0u - number : number);
}

// A single-key write finds the key as a read does. When the key is there
// with a value equal to the new one without its leading blanks (the stored
// value compared up to a NUL in it), the system changes nothing and does
// not touch the file. Any other write, even one that reads back the same
// (quotes, blanks, a key without "="), rewrites the whole file in the
// system's own form, which for a damaged file changes other keys too.
bool CProfileImage::WriteChangesNothing(const wchar_t* section, const wchar_t* key, const wchar_t* value) const {
    const Key* k = FindKey(FindSection(section), key);
    if (!k || !k->hasValue) return false;
    CWide wanted(value);
    const wchar_t* a = wanted.Text();
    const wchar_t* b = a + wanted.Length();
    while (a < b && IsSpace(*a)) ++a;
    const wchar_t* stored = m_text.get() + k->value.at;
    size_t n = CutAtNul(stored, k->value.length);
    return n == static_cast<size_t>(b - a) && std::equal(a, b, stored);
}
