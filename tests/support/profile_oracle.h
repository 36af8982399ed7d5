// The system's own reading of a definition, key by key through the wide
// profile functions the programs use, to hold the programs' readers
// against; and the search for the smallest file that still shows a
// difference.
#pragma once
#include "menu/Definition.h"
#include "profile_gen.h"
#include "tempdir.h"
#include "text.h"
#include <windows.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace oracle {

// How many files a run checks: the number in the environment variable, or
// the fallback (a quick run for every test run).
inline int RunSize(const char* variable, int fallback) {
    const char* v = std::getenv(variable);
    int n = v ? std::atoi(v) : 0;
    return n > 0 ? n : fallback;
}

// Profile calls made, for the tests' reports.
inline long& Calls() {
    static long calls = 0;
    return calls;
}

// The wide functions, as the programs call them: the text as the system
// holds it, with no code page in between.
inline CString Read(const std::wstring& path, const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                    int size) {
    std::vector<wchar_t> buf(static_cast<size_t>(size) + 1, L'\0');
    ++Calls();
    GetPrivateProfileStringW(section, key, fallback, buf.data(), static_cast<DWORD>(size), path.c_str());
    return CString(buf.data());
}

inline int ReadInt(const std::wstring& path, const wchar_t* section, const wchar_t* key, int fallback) {
    ++Calls();
    return static_cast<int>(GetPrivateProfileIntW(section, key, fallback, path.c_str()));
}

inline bool Write(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                  const std::wstring& value) {
    ++Calls();
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

// What the programs keep of a read through a buffer of `size` characters:
// when the text fills the buffer and ends in the first half of a surrogate
// pair, the buffer cut the pair and that half is no letter.
inline CString Kept(const CString& read, int size) {
    size_t n = read.GetLength();
    if (size > 0 && n > 0 && n == static_cast<size_t>(size - 1) && pgen::IsHigh(read[n - 1])) return read.Left(n - 1);
    return read;
}

// What the player keeps of a definition, as the system reads it key by key:
// section "100", the colours and menus 1..count (count clamped, at most
// maxMenus of them).
struct Definition {
    MenuSettings settings;
    std::unique_ptr<MenuTables> tables{new MenuTables};
};

// The keys of a section. When the file's text is given, a section whose name
// appears nowhere in it cannot be found and is not asked for: every key of it
// reads as the empty fallback.
inline void ReadKeys(const std::wstring& path, const std::wstring* text, const CString& section, int keys, int size,
                     CString* out) {
    if (text && text->find(section.c_str()) == std::wstring::npos) return;
    for (int k = 1; k <= keys; ++k) out[k - 1] = Kept(Read(path, section, std::to_wstring(k).c_str(), L"", size), size);
}

inline void ReadAll(const std::wstring& path, Definition& d, int maxMenus, const std::wstring* text = nullptr) {
    using namespace def;
    MenuSettings& s = d.settings;
    s.title = Kept(Read(path, kGeneral, kTitle, L"", kShortBuffer), kShortBuffer);
    s.hoverSound = Kept(Read(path, kGeneral, kHoverSound, L"", kShortBuffer), kShortBuffer);
    s.selectSound = Kept(Read(path, kGeneral, kSelectSound, L"", kShortBuffer), kShortBuffer);
    s.menuChangeSound = Kept(Read(path, kGeneral, kMenuChangeSound, L"", kShortBuffer), kShortBuffer);
    s.startupSound = Kept(Read(path, kGeneral, kStartupSound, L"", kShortBuffer), kShortBuffer);
    s.menuCount = ClampMenuCount(ReadInt(path, kGeneral, kMenuCount, 1));
    s.layout = ReadInt(path, kGeneral, kTemplate, kTemplateDefaultPlayer);
    const wchar_t* colours[3] = {kRed, kGreen, kBlue};
    for (int c = 0; c < 3; ++c) {
        s.normalRGB[c] = ReadInt(path, kNormalColor, colours[c], 0);
        s.highlightRGB[c] = ReadInt(path, kHighlightColor, colours[c], 255);
    }
    MenuTables& t = *d.tables;
    for (int m = 1; m <= s.menuCount && m <= maxMenus; ++m) {
        ReadKeys(path, text, MenuSection(kTextBase, m), kTexts, kTextBuffer, t.text[m - 1]);
        ReadKeys(path, text, MenuSection(kActionBase, m), kLines, kShortBuffer, t.program[m - 1]);
        ReadKeys(path, text, MenuSection(kParamsBase, m), kLines, kShortBuffer, t.params[m - 1]);
        ReadKeys(path, text, MenuSection(kWorkDirBase, m), kLines, kShortBuffer, t.workDir[m - 1]);
        ReadKeys(path, text, MenuSection(kQuitBase, m), kLines, kShortBuffer, t.quit[m - 1]);
    }
}

inline std::string Show(const char* what, const CString& system, const CString& ours) {
    return std::string(what) + ": the system reads \"" + pgen::Escape(text::Whole(system)) +
           "\", the program \"" + pgen::Escape(text::Whole(ours)) + "\"";
}

// The first difference between two rows of texts, or "".
inline std::string RowDifference(const char* what, int menu, const CString* system, const CString* ours, int keys) {
    for (int k = 0; k < keys; ++k)
        if (system[k] != ours[k])
            return Show((std::string(what) + " of menu " + std::to_string(menu) + " key " + std::to_string(k + 1)).c_str(),
                        system[k], ours[k]);
    return "";
}

// The first difference between what the system reads and a reader's
// settings and tables, or "". Menus up to the count must agree; the one
// after it must have stayed empty.
inline std::string Difference(const Definition& d, const MenuSettings& s, const MenuTables& t) {
    const MenuSettings& e = d.settings;
    const std::pair<const char*, std::pair<const CString*, const CString*>> texts[] = {
        {"title", {&e.title, &s.title}},
        {"mouse-over sound", {&e.hoverSound, &s.hoverSound}},
        {"selection sound", {&e.selectSound, &s.selectSound}},
        {"menu change sound", {&e.menuChangeSound, &s.menuChangeSound}},
        {"start-up sound", {&e.startupSound, &s.startupSound}}};
    for (const auto& x : texts)
        if (*x.second.first != *x.second.second) return Show(x.first, *x.second.first, *x.second.second);
    if (e.menuCount != s.menuCount)
        return "menu count: the system " + std::to_string(e.menuCount) + ", the program " + std::to_string(s.menuCount);
    if (e.layout != s.layout)
        return "layout: the system " + std::to_string(e.layout) + ", the program " + std::to_string(s.layout);
    for (int c = 0; c < 3; ++c)
        if (e.normalRGB[c] != s.normalRGB[c] || e.highlightRGB[c] != s.highlightRGB[c])
            return "colour component " + std::to_string(c) + " differs";
    const MenuTables& x = *d.tables;
    for (int m = 1; m <= e.menuCount + 1 && m <= def::kMaxMenus; ++m) {
        std::string diff = RowDifference("text", m, x.text[m - 1], t.text[m - 1], def::kTexts);
        if (diff.empty()) diff = RowDifference("action", m, x.program[m - 1], t.program[m - 1], def::kLines);
        if (diff.empty()) diff = RowDifference("parameters", m, x.params[m - 1], t.params[m - 1], def::kLines);
        if (diff.empty()) diff = RowDifference("folder", m, x.workDir[m - 1], t.workDir[m - 1], def::kLines);
        if (diff.empty()) diff = RowDifference("quit flag", m, x.quit[m - 1], t.quit[m - 1], def::kLines);
        if (!diff.empty()) return diff;
    }
    return "";
}

// Files for the checks, each under a name of its own: the system's profile
// functions keep what they read of a file by its name and time.
class Files {
public:
    std::wstring Put(const std::string& bytes) {
        std::wstring name = L"f" + std::to_wstring(++m_count) + L".tdf";
        m_dir.Write(name, bytes);
        return m_dir.File(name);
    }
    void Remove(const std::wstring& path) { DeleteFileW(path.c_str()); }

private:
    TempDir m_dir{"profile"};
    unsigned m_count = 0;
};

// The rule the programs follow before a write, made here with the system's
// own conversions: a UTF-16 little-endian file stays; an ANSI file of plain
// ASCII stays while it gets plain ASCII (`written`: the section, key and
// value); any other file becomes UTF-16 little-endian with its mark,
// decoded from its own form (ANSI through the machine's code page).
inline bool MakeSafeForWrite(const std::wstring& path, const std::wstring& written) {
    const std::string bytes = files::ReadAll(path);
    auto marked = [&bytes](const char* mark) { return bytes.compare(0, std::strlen(mark), mark) == 0; };
    auto ascii = [](unsigned c) { return c < 0x80; };
    if (marked("\xFF\xFE")) return true;
    std::wstring decoded;
    if (marked("\xFE\xFF")) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            decoded += static_cast<wchar_t>((static_cast<unsigned char>(bytes[i]) << 8) | static_cast<unsigned char>(bytes[i + 1]));
    } else if (marked("\xEF\xBB\xBF")) {
        decoded = text::W(bytes.substr(3));
    } else {
        if (std::all_of(bytes.begin(), bytes.end(), [&](char c) { return ascii(static_cast<unsigned char>(c)); }) &&
            std::all_of(written.begin(), written.end(), [&](wchar_t c) { return ascii(c); }))
            return true;
        int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        decoded.resize(static_cast<size_t>(n > 0 ? n : 0));
        if (n > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &decoded[0], n);
    }
    std::string out = "\xFF\xFE";
    for (wchar_t c : decoded) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
    }
    return files::WriteAll(path, out);
}

// One key as the programs' update functions write it: the system's write
// alone tells (on a copy under a name of its own) whether the key changes
// the file; a key that changes nothing is left out, one that does is
// written after the rule above.
inline bool UpdateKey(Files& files, const std::wstring& path, const std::wstring& section, const std::wstring& key,
                      const std::wstring& value) {
    const std::string before = files::ReadAll(path);
    const std::wstring copy = files.Put(before);
    Write(copy, section, key, value);
    const bool changes = files::ReadAll(copy) != before;
    files.Remove(copy);
    return !changes || (MakeSafeForWrite(path, section + key + value) && Write(path, section, key, value));
}

// The smallest text for which fails() still holds: runs of lines taken
// away, halving the run, then single characters; at most `attempts` tries.
inline std::wstring Shrink(std::wstring text, const std::function<bool(const std::wstring&)>& fails,
                           int attempts = 500) {
    std::vector<std::wstring> lines;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find_first_of(L"\r\n", at);
        end = end == std::wstring::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, end - at));
        at = end;
    }
    auto join = [](const std::vector<std::wstring>& parts) {
        std::wstring s;
        for (const std::wstring& p : parts) s += p;
        return s;
    };
    for (size_t run = lines.size() / 2; run >= 1 && attempts > 0; run /= 2) {
        for (size_t at = 0; at + run <= lines.size() && attempts > 0;) {
            std::vector<std::wstring> fewer(lines.begin(), lines.begin() + static_cast<long>(at));
            fewer.insert(fewer.end(), lines.begin() + static_cast<long>(at + run), lines.end());
            --attempts;
            if (fails(join(fewer))) lines = fewer;
            else at += run;
        }
    }
    text = join(lines);
    for (size_t i = text.size(); i-- > 0 && attempts > 0;) {
        std::wstring shorter = text.substr(0, i) + text.substr(i + 1);
        --attempts;
        if (fails(shorter)) text = shorter;
    }
    return text;
}

}  // namespace oracle
