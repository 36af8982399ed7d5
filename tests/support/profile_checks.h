// profile_checks.h - the checks every read of a definition's bytes must
// pass, shared by the host tests and the fuzz target.
//
// The profile image is held against a plain reading of the same text (every
// line split, trimmed and matched the slow way, by the rules written down in
// ProfileImage.cpp): every section name in the text finds the first section
// of that name, every key in it finds its first entry, and every read agrees
// with the plain reading, with a second image of the same bytes and with
// the other reads (what a buffer of any size holds, the integer read's
// fallback, a write that changes nothing).

#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "menu/ProfileImage.h"

namespace profcheck {

// The text the image must hold: UTF-16 units as they are (a last odd byte
// dropped), UTF-8 and ANSI through the system's conversion.
inline std::wstring Decoded(const unsigned char* b, std::size_t n) {
    const CProfileImage::Form form = CProfileImage::FormOf(b, n);
    std::wstring text;
    if (form == CProfileImage::kUtf16LE || form == CProfileImage::kUtf16BE) {
        for (std::size_t i = 2; i + 1 < n; i += 2)
            text += static_cast<wchar_t>(form == CProfileImage::kUtf16BE ? b[i] << 8 | b[i + 1] : b[i + 1] << 8 | b[i]);
        return text;
    }
    const std::size_t skip = form == CProfileImage::kUtf8 ? 3 : 0;
    if (n <= skip) return text;
    const char* from = reinterpret_cast<const char*>(b) + skip;
    const int length = static_cast<int>(n - skip);
    const UINT page = skip ? CP_UTF8 : CP_ACP;
    text.resize(static_cast<std::size_t>(MultiByteToWideChar(page, 0, from, length, nullptr, 0)));
    if (!text.empty()) MultiByteToWideChar(page, 0, from, length, &text[0], static_cast<int>(text.size()));
    return text;
}

inline bool Blank(wchar_t c) { return c == L' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A; }

inline std::wstring Trim(const std::wstring& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && Blank(s[a])) ++a;
    while (b > a && Blank(s[b - 1])) --b;
    return s.substr(a, b - a);
}

// A name or value as a C string of the system sees it: up to its first NUL.
inline std::wstring Cut(const std::wstring& s) { return s.substr(0, s.find(L'\0')); }

inline std::wstring Fold(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}

struct Entry {
    std::wstring name, value;
    bool hasValue;
};
struct Section {
    std::wstring name;
    std::vector<Entry> keys;
};

// The plain reading: sections in file order, the keys before the first
// header in a nameless first one.
inline std::vector<Section> Sections(const std::wstring& text) {
    std::vector<Section> out(1);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find_first_of(L"\r\n", at);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (line.empty()) continue;
        const std::size_t close = line.rfind(L']');
        const std::size_t equals = line.find(L'=');
        if (line[0] == L'[' && close != std::wstring::npos)
            out.push_back({Trim(line.substr(1, close - 1)), {}});
        else if (equals == std::wstring::npos)
            out.back().keys.push_back({line, L"", false});
        else
            out.back().keys.push_back({Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), true});
    }
    return out;
}

// The name a look-up compares: trimmed, up to a NUL, ASCII letters folded.
inline std::wstring Wanted(const std::wstring& asked) { return Fold(Trim(Cut(asked))); }

// The first entry of a section a key name finds, or nullptr.
inline const Entry* FirstNamed(const Section* s, const std::wstring& key) {
    const std::wstring wanted = Wanted(key);
    for (std::size_t i = 0; s && i < s->keys.size(); ++i)
        if (Fold(Cut(s->keys[i].name)) == wanted) return &s->keys[i];
    return nullptr;
}

// What a buffer large enough for anything gets: the value cut at a NUL, or
// the fallback without its trailing spaces, less a pair of matching quotes.
inline std::wstring Whole(const Entry* e, std::wstring fallback) {
    std::wstring v = e && e->hasValue ? Cut(e->value) : fallback.erase(fallback.find_last_not_of(L' ') + 1);
    if (v.size() >= 2 && (v[0] == L'"' || v[0] == L'\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
    return v;
}

class Checker {
public:
    Checker(const CProfileImage& image, const CProfileImage& again) : m_a(image), m_b(again) {}
    std::string error;

    void Fail(const char* what) {
        if (error.empty()) error = what;
    }

    // The first section a name finds, or -1.
    int FirstSection(const std::wstring& name) const {
        const auto found = m_first.find(Wanted(name));
        return found == m_first.end() ? -1 : found->second;
    }

    // The reads of one key, in the section a name found (index, -1 when none).
    void Key(int index, const std::wstring& section, const std::wstring& key) {
        const Section* s = index >= 0 && static_cast<std::size_t>(index) < m_sections.size() ? &m_sections[index] : nullptr;
        const Entry* e = FirstNamed(s, key);
        const wchar_t* k = key.c_str();
        const wchar_t kFallback[] = L"'-fallback-'  ";   // loses its trailing blanks, then its quotes
        const int huge = static_cast<int>(m_a.TextLength()) + 64;   // room for any value and the fallback
        const CString whole = m_a.ReadString(index, k, kFallback, huge);
        if (m_a.HasValue(index, k) != (e && e->hasValue)) Fail("HasValue disagrees with the plain reading");
        if (std::wstring(whole.c_str(), whole.GetLength()) != Whole(e, kFallback)) Fail("a read disagrees with the plain reading");
        if (m_b.ReadString(index, k, kFallback, huge) != whole) Fail("the same bytes read twice give two values");
        // Buffers around the value's own length, where a quoted value loses
        // a character of its text, and the integer read's.
        const int length = static_cast<int>(whole.GetLength());
        for (int size : {1, length, length + 1, 30}) {
            const CString part = m_a.ReadString(index, k, kFallback, size);
            if (part.GetLength() + 1 > static_cast<std::size_t>(size > 1 ? size : 1)) Fail("a read fills more than its buffer");
            if (whole.Left(part.GetLength()) != part) Fail("a small buffer gets other text than a large one");
        }
        // The integer read takes its fallback exactly when the value read
        // through its 30-character buffer is empty.
        const int one = m_a.ReadInt(index, k, 1), two = m_a.ReadInt(index, k, 2);
        if (m_a.ReadString(index, k, L"", 30).IsEmpty() ? one != 1 || two != 2 : one != two)
            Fail("the integer read takes its fallback for a value, or a value for its fallback");
        // A write of the stored value (leading blanks do not count) changes
        // nothing; any other write does.
        if (index >= 0) {
            const std::wstring stored = e ? Cut(e->value) : L"";
            std::wstring other = stored.empty() ? L"~" : stored;
            other.back() = static_cast<wchar_t>(other.back() ^ 1);
            if (m_a.WriteChangesNothing(section.c_str(), k, (L" \t" + stored).c_str()) != (e && e->hasValue))
                Fail("a write of the stored value is said to change the file");
            if (m_a.WriteChangesNothing(section.c_str(), k, other.c_str()))
                Fail("a write of another value is said to change nothing");
        }
    }

    void Run() {
        m_sections = Sections(std::wstring(m_a.Text(), m_a.TextLength()));
        for (std::size_t j = m_sections.size(); j-- > 0;) m_first[Fold(Cut(m_sections[j].name))] = static_cast<int>(j);
        // Every name in the text (a 200-menu file has about a thousand
        // sections); the first names also in other case, with blanks around
        // and in the second image, and the keys of as many sections as a
        // check of a millisecond or two has time for.
        const std::size_t kSectionsChecked = 2000, kSectionsCompared = 64;
        std::size_t keysLeft = 24;
        for (std::size_t j = 0; j < m_sections.size() && j < kSectionsChecked && error.empty(); ++j) {
            const std::wstring name = Cut(m_sections[j].name);
            const int index = m_a.FindSection(name.c_str());
            if (index != FirstSection(name)) Fail("FindSection disagrees with the plain reading");
            if (j >= kSectionsCompared) continue;
            std::wstring upper = name;
            for (wchar_t& c : upper)
                if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
            if (m_a.FindSection(upper.c_str()) != index || m_a.FindSection((L" \t" + name + L"\x1a ").c_str()) != index)
                Fail("FindSection depends on case or blanks");
            if (m_b.FindSection(name.c_str()) != index) Fail("the same bytes read twice give two sections");
            if (index != static_cast<int>(j)) continue;   // the keys of a later section of the name are never read
            const Section& s = m_sections[j];
            for (std::size_t k = 0; k < s.keys.size() && keysLeft > 0; ++k, --keysLeft) Key(index, name, s.keys[k].name);
            // Names a section does not hold: the next section's first key
            // lies right behind its last one.
            if (keysLeft > 0) Key(index, name, L"~none~");
            if (keysLeft > 0 && j + 1 < m_sections.size() && !m_sections[j + 1].keys.empty())
                Key(index, name, m_sections[j + 1].keys[0].name);
            if (m_a.ReadString(name.c_str(), L"1", L"x", 80) != m_a.ReadString(index, L"1", L"x", 80))
                Fail("a read by section name differs from a read by its index");
        }
        if (m_a.FindSection(L"~none~") != FirstSection(L"~none~")) Fail("FindSection finds a name that is not there");
        Key(FirstSection(L"~none~"), L"~none~", L"1");
    }

private:
    const CProfileImage& m_a;
    const CProfileImage& m_b;
    std::vector<Section> m_sections;
    std::map<std::wstring, int> m_first;   // the first section of each name, by its name as compared
};

// Every check on the bytes of one file, which should be an exactly sized
// heap copy so that a read past them is reported; "" when all pass.
inline std::string Check(const char* data, std::size_t size) {
    CProfileImage image, again;
    if (!image.Parse(data, size) || !again.Parse(data, size)) return "a file in memory was not read";
    const std::wstring want = Decoded(reinterpret_cast<const unsigned char*>(data), size);
    if (std::wstring(image.Text(), image.TextLength()) != want) return "the text is not what the form's decoding gives";
    Checker checker(image, again);
    checker.Run();
    return checker.error;
}

}  // namespace profcheck
