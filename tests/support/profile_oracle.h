// The system's own reading of a definition, key by key through the profile
// functions, to hold the programs' readers against; and the search for the
// smallest file that still shows a difference.
#pragma once
#include "menu/Definition.h"
#include "profile_gen.h"
#include "tempdir.h"
#include <windows.h>
#include <cstdlib>
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

inline std::string Read(const std::string& path, const char* section, const char* key, const char* fallback,
                        int size) {
    std::vector<char> buf(static_cast<size_t>(size) + 1, '\0');
    ++Calls();
    GetPrivateProfileStringA(section, key, fallback, buf.data(), static_cast<DWORD>(size), path.c_str());
    return buf.data();
}

inline int ReadInt(const std::string& path, const char* section, const char* key, int fallback) {
    ++Calls();
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path.c_str()));
}

inline bool Write(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value) {
    ++Calls();
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
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
inline void ReadKeys(const std::string& path, const std::wstring* text, const CString& section, int keys, int size,
                     CString* out) {
    if (text && text->find(pgen::Widen(section.c_str())) == std::wstring::npos) return;
    for (int k = 1; k <= keys; ++k) out[k - 1] = Read(path, section, std::to_string(k).c_str(), "", size).c_str();
}

inline void ReadAll(const std::string& path, Definition& d, int maxMenus, const std::wstring* text = nullptr) {
    using namespace def;
    MenuSettings& s = d.settings;
    s.title = Read(path, kGeneral, kTitle, "", kShortBuffer).c_str();
    s.hoverSound = Read(path, kGeneral, kHoverSound, "", kShortBuffer).c_str();
    s.selectSound = Read(path, kGeneral, kSelectSound, "", kShortBuffer).c_str();
    s.menuChangeSound = Read(path, kGeneral, kMenuChangeSound, "", kShortBuffer).c_str();
    s.startupSound = Read(path, kGeneral, kStartupSound, "", kShortBuffer).c_str();
    s.menuCount = ClampMenuCount(ReadInt(path, kGeneral, kMenuCount, 1));
    const char* colours[3] = {kRed, kGreen, kBlue};
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
    return std::string(what) + ": the system reads \"" + pgen::Escape(std::string(system.c_str())) +
           "\", the program \"" + pgen::Escape(std::string(ours.c_str())) + "\"";
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
    std::string Put(const std::string& bytes) {
        std::string name = "f" + std::to_string(++m_count) + ".tdf";
        m_dir.Write(name, bytes);
        return m_dir.File(name);
    }
    void Remove(const std::string& path) { DeleteFileA(path.c_str()); }

private:
    TempDir m_dir{"profile"};
    unsigned m_count = 0;
};

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
