// Generated definition files, for the tests that hold the programs' reading
// and writing of a definition against the system's profile functions: the
// shapes a person or an editor writes, and hostile ones, in every form the
// system reads (ANSI, UTF-8 and UTF-16 with a byte-order mark). The same
// seed gives the same file on every machine.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace pgen {

enum class Form { Ansi, Utf8, Utf16Le, Utf16Be };
const Form kForms[4] = {Form::Ansi, Form::Utf8, Form::Utf16Le, Form::Utf16Be};

inline const char* FormName(Form f) {
    switch (f) {
    case Form::Ansi: return "ANSI";
    case Form::Utf8: return "UTF-8";
    case Form::Utf16Le: return "UTF-16 LE";
    default: return "UTF-16 BE";
    }
}

// U+F780..U+F7FF stand for the single bytes 0x80..0xFF in a UTF-8 file:
// broken UTF-8, which the system must decode as it always does.
const wchar_t kRawByte = 0xF700;

inline bool IsHigh(wchar_t c) { return c >= 0xD800 && c < 0xDC00; }
inline bool IsLow(wchar_t c) { return c >= 0xDC00 && c < 0xE000; }

// A text's bytes in a form, with the form's byte-order mark. In ANSI each
// unit is one byte. In UTF-8 a surrogate without its partner is written as
// its own three bytes (broken, too).
inline std::string Encode(const std::wstring& text, Form form) {
    std::string out;
    if (form == Form::Utf8) out = "\xEF\xBB\xBF";
    if (form == Form::Utf16Le) out = "\xFF\xFE";
    if (form == Form::Utf16Be) out = "\xFE\xFF";
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned c = static_cast<unsigned>(text[i]) & 0xFFFF;
        if (form == Form::Ansi) {
            out += static_cast<char>(c & 0xFF);
        } else if (form == Form::Utf16Le || form == Form::Utf16Be) {
            char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
            out += form == Form::Utf16Le ? lo : hi;
            out += form == Form::Utf16Le ? hi : lo;
        } else if (c >= kRawByte + 0x80 && c <= kRawByte + 0xFF) {
            out += static_cast<char>(c - kRawByte);
        } else if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1])) {
            unsigned cp = 0x10000 + ((c - 0xD800) << 10) + ((static_cast<unsigned>(text[++i]) & 0xFFFF) - 0xDC00);
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A text for a failure message: printable ASCII as it is, the rest escaped,
// and a long run of one character as "{count x c}".
inline std::string Escape(const std::wstring& text) {
    std::string out;
    char buf[32];
    for (size_t i = 0; i < text.size(); ++i) {
        size_t run = 1;
        while (i + run < text.size() && text[i + run] == text[i]) ++run;
        if (run > 12) {
            std::snprintf(buf, sizeof buf, "{%u x ", static_cast<unsigned>(run));
            out += buf + Escape(std::wstring(1, text[i])) + "}";
            i += run - 1;
            continue;
        }
        unsigned c = static_cast<unsigned>(text[i]) & 0xFFFF;
        if (c == '\n') out += "\\n\n";
        else if (c == '\\') out += "\\\\";
        else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
        else {
            std::snprintf(buf, sizeof buf, c < 0x100 ? "\\x%02X" : "\\u%04X", c);
            out += buf;
        }
    }
    return out;
}

inline std::string Escape(const std::string& bytes) {
    std::wstring w;
    for (char c : bytes) w += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return Escape(w);
}

class Random {
public:
    explicit Random(uint32_t seed) : m_state(seed * 2654435761u ^ 0x9E3779B9u) { Next(); }
    uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int Below(int n) { return n > 0 ? static_cast<int>(Next() % static_cast<uint32_t>(n)) : 0; }
    bool Chance(int percent) { return Below(100) < percent; }
    template <class T, size_t N> const T& Pick(const T (&items)[N]) { return items[Below(static_cast<int>(N))]; }

private:
    uint32_t m_state;
};

inline std::wstring Widen(const char* s) {
    std::wstring w;
    for (; *s; ++s) w += static_cast<wchar_t>(static_cast<unsigned char>(*s));
    return w;
}

// A character beyond plain ASCII that the form holds: letters Notepad keeps
// in a Unicode file, ones outside the code page (best fit or "?"), look-alikes
// of the syntax (full-width "=", "[", "]", digits), spaces the system does
// not trim, halves of surrogate pairs, and broken UTF-8.
inline std::wstring Special(Random& r, Form form) {
    static const wchar_t ansi[] = {0xE9, 0xC9, 0xA0, 0x80, 0x81, 0x8D, 0x9F, 0xFF, 0xDF, 0xB4, 0x85};
    static const wchar_t wide[] = {0xE9,   0xC9,   0x100,  0x20AC, 0x4E2D, 0xFF15, 0xFF1D, 0xFF3B, 0xFF3D, 0x3000,
                                   0xA0,   0xFEFF, 0xFFFD, 0x85,   0x2028, 0x131,  0x130,  0x212A, 0xD83D, 0xDE00};
    if (form == Form::Ansi) return std::wstring(1, r.Pick(ansi));
    if (r.Chance(10)) return L"\xD83D\xDE00";                        // a whole pair: one emoji
    if (form == Form::Utf8 && r.Chance(15)) return std::wstring(1, static_cast<wchar_t>(kRawByte + 0x80 + r.Below(0x80)));
    return std::wstring(1, r.Pick(wide));
}

inline std::wstring Blanks(Random& r) {
    static const wchar_t* const blanks[] = {L" ", L"  ", L"\t", L" \t ", L"\x0b", L"\x0c", L"\x1a", L"\x1c"};
    return r.Pick(blanks);
}

inline std::wstring Letters(Random& r, int n, Form form) {
    std::wstring s;
    for (int i = 0; i < n; ++i) {
        if (r.Chance(3)) s += Special(r, form);
        else s += static_cast<wchar_t>(r.Chance(15) ? L' ' : L'a' + r.Below(26));
    }
    return s;
}

// A value: words, texts around the buffer sizes (80 and 128, quoted one
// longer), numbers in the forms the integer read knows, quotes whole and
// broken, blanks around, a NUL inside, letters beyond ASCII; rarely a very
// long one.
inline std::wstring Value(Random& r, Form form, bool hostile) {
    static const wchar_t* const words[] = {L"Install", L"Read me", L"Welcome", L"_menu2", L"setup.exe", L"TRUE",
                                           L"FALSE", L"a=b", L";x", L"[x]", L"x]", L"", L"docs\\guide.pdf", L"-q /s"};
    static const wchar_t* const numbers[] = {L"7",   L" 7",  L"+8",     L"-5",          L"0x1F",  L"0o17", L"0b101",
                                             L"12abc", L"abc", L"\"42\"", L"4294967296", L"99999999999", L"- 3", L"0X10",
                                             L"255", L"0",   L"2",      L"1"};
    static const int lengths[] = {0, 1, 2, 77, 78, 79, 80, 81, 125, 126, 127, 128, 129, 130, 1022, 1023, 1024, 1025};
    std::wstring v;
    int kind = r.Below(hostile ? 10 : 6);
    if (kind <= 1) v = r.Pick(words);
    else if (kind == 2) v = r.Pick(numbers);
    else if (kind <= 4) v = Letters(r, 1 + r.Below(20), form);
    else {
        int n = r.Pick(lengths);
        v = Letters(r, n, form);
        if (r.Chance(50) && n > 0) v = L"\"" + v.substr(0, v.size() - 1) + L"\"";
    }
    if (form != Form::Ansi && r.Chance(20)) v.insert(r.Below(static_cast<int>(v.size()) + 1), Special(r, form));
    if (r.Chance(hostile ? 30 : 10)) {
        static const wchar_t* const quotes[] = {L"\"", L"'"};
        std::wstring q = r.Pick(quotes), inner = r.Chance(40) ? L"  " + v + L"  " : v;
        v = r.Chance(80) ? q + inner + q : q + inner;
    }
    if (r.Chance(hostile ? 25 : 8)) v = Blanks(r) + v;
    if (r.Chance(hostile ? 25 : 8)) v += Blanks(r);
    if (hostile && r.Chance(4)) v.insert(r.Below(static_cast<int>(v.size()) + 1), 1, L'\0');
    return v;
}

inline std::wstring LineEnd(Random& r, bool hostile) {
    if (!hostile || r.Chance(70)) return L"\r\n";
    static const wchar_t* const ends[] = {L"\n", L"\r", L"\r\r\n", L"\n\r", L"\r\n\r\n"};
    return r.Pick(ends);
}

// The file's sections: [100], the colours and menus 1..3 (rarely up to 5).
inline std::wstring SectionName(Random& r, int menus) {
    static const char* const general[] = {"100", "1000", "1100"};
    static const char* const bases[] = {"1500", "1600", "1700", "1800", "1900"};
    if (r.Chance(25)) return Widen(r.Pick(general));
    return Widen(r.Pick(bases)) + std::to_wstring(1 + r.Below(menus));
}

inline std::wstring KeyName(Random& r, const std::wstring& section) {
    static const char* const general[] = {"200", "300", "400", "500", "600", "700", "800", "900"};
    static const char* const colours[] = {"1200", "1300", "1400"};
    if (section == L"100") return Widen(r.Pick(general));
    if (section == L"1000" || section == L"1100") return Widen(r.Pick(colours));
    return std::to_wstring(1 + r.Below(section.compare(0, 4, L"1500") == 0 ? 14 : 12));
}

// A header in one of the shapes the system still reads (blanks, text after
// the "]", a NUL in the name), or does not ("[" alone, "[]").
inline std::wstring Header(Random& r, const std::wstring& name, bool hostile) {
    if (!hostile || r.Chance(60)) return L"[" + name + L"]";
    switch (r.Below(7)) {
    case 0: return Blanks(r) + L"[" + Blanks(r) + name + Blanks(r) + L"]" + Blanks(r);
    case 1: return L"[" + name;
    case 2: return L"[" + name + L"] junk]";
    case 3: return L"[]";
    case 4: return L"[" + name + std::wstring(1, L'\0') + L"x]";
    case 5: return L"[" + name + L"x]";
    default: return L"]" + name + L"[";
    }
}

// A key line: "key=value" with blanks around, or without "=", or with the
// name empty, padded with a zero, or a comment.
inline std::wstring KeyLine(Random& r, const std::wstring& key, const std::wstring& value, bool hostile) {
    if (!hostile || r.Chance(55)) return key + L"=" + value;
    switch (r.Below(7)) {
    case 0: return Blanks(r) + key + Blanks(r) + L"=" + Blanks(r) + value;
    case 1: return key;
    case 2: return key + Blanks(r);
    case 3: return L"=" + value;
    case 4: return L"0" + key + L"=" + value;
    case 5: return L";" + key + L"=" + value;
    default: return key + L"==" + value;
    }
}

// The menu count: 0 to 3 in the forms the integer read takes.
inline std::wstring Count(Random& r) {
    static const wchar_t* const counts[] = {L"1", L"2", L"3", L" 2", L"+2", L"\"3\"", L"0x2", L"2abc", L"0",
                                            L"-1", L"abc", L"", L"0b11", L"\xFF13", L"'1'", L"1 2"};
    return r.Pick(counts);
}

// A whole definition as units of text (encode it with Encode). A tidy one is
// what the editor or a person writes: sections in order, most keys present,
// blanks, quotes, comments and special letters now and then. A hostile one
// is a random run of headers, key lines and junk. A playable one starts
// with a valid layout so that the player opens its window.
inline std::wstring Definition(Random& r, Form form, bool hostile, bool playable) {
    int menus = r.Chance(10) ? 5 : 1 + r.Below(3);
    std::wstring text;
    auto line = [&](const std::wstring& l) { text += l + LineEnd(r, hostile); };
    if (playable) line(L"[100]\r\n500=" + std::to_wstring(r.Below(10)));
    if (!hostile) {
        if (!playable) line(L"[100]");
        line(L"200=" + Value(r, form, false));
        line(L"300=" + Count(r));
        for (const wchar_t* k : {L"600", L"700", L"800", L"900"})
            if (r.Chance(40)) line(std::wstring(k) + L"=" + Value(r, form, false));
        for (const wchar_t* s : {L"1000", L"1100"}) {
            if (!r.Chance(50)) continue;
            line(Header(r, s, false));
            for (const wchar_t* k : {L"1200", L"1300", L"1400"}) line(KeyLine(r, k, std::to_wstring(r.Below(300)), false));
        }
        for (int m = 1; m <= menus; ++m)
            for (const wchar_t* base : {L"1500", L"1600", L"1700", L"1800", L"1900"}) {
                if (base[1] != L'5' && r.Chance(50)) continue;
                line(Header(r, base + std::to_wstring(m), false));
                int keys = base[1] == L'5' ? 14 : 12;
                for (int k = 1; k <= keys; ++k)
                    if (r.Chance(70)) line(KeyLine(r, std::to_wstring(k), Value(r, form, false), false));
                if (r.Chance(10)) line(L"; " + Letters(r, 10, form));
                if (r.Chance(10)) text += LineEnd(r, false);
            }
        return text;
    }
    std::wstring section = L"100";
    int lines = 5 + r.Below(40);
    for (int i = 0; i < lines; ++i) {
        int kind = r.Below(100);
        if (kind < 20) {
            section = SectionName(r, menus);
            line(Header(r, section, true));
        } else if (kind < 25 && section == L"100") {
            line(KeyLine(r, L"300", Count(r), true));
        } else if (kind < 85) {
            line(KeyLine(r, KeyName(r, section), Value(r, form, true), true));
        } else if (kind < 90) {
            line(Blanks(r));
        } else if (kind < 95) {
            line(Letters(r, 1 + r.Below(8), form));
        } else {
            static const wchar_t* const junk[] = {L"[", L"]", L"=", L"==", L"[]=x", L";", L"\x1a", L"[ ]"};
            line(r.Pick(junk));
        }
    }
    // Rarely a value longer than the system can write.
    if (r.Chance(2)) line(KeyName(r, section) + L"=" + std::wstring(33000, L'z'));
    if (r.Chance(30)) text.erase(text.find_last_not_of(L"\r\n") + 1);   // no line end at the end
    return text;
}

}  // namespace pgen
