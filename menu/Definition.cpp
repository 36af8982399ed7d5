#include "Definition.h"
#include "ProfileImage.h"
#include <windows.h>
#include <cstring>
#include <memory>

namespace def {
const char kGeneral[] = "100";
const char kTitle[] = "200";
const char kMenuCount[] = "300";
const char kBackground[] = "400";
const char kTemplate[] = "500";
const char kStartupSound[] = "600";
const char kHoverSound[] = "700";
const char kSelectSound[] = "800";
const char kMenuChangeSound[] = "900";
const char kNormalColor[] = "1000";
const char kHighlightColor[] = "1100";
const char kRed[] = "1200";
const char kGreen[] = "1300";
const char kBlue[] = "1400";
const char kTextBase[] = "1500";
const char kQuitBase[] = "1600";
const char kActionBase[] = "1700";
const char kParamsBase[] = "1800";
const char kWorkDirBase[] = "1900";
const char kTrue[] = "TRUE";
const char kFalse[] = "FALSE";
const char kDefinitionFile[] = "auto.tdf";
const char kBackgroundFile[] = "autorun.bmp";
const char kPlayerFile[] = "autorun.exe";
const char kAutoRunFile[] = "autorun.inf";
const int kVisibleLines[kLayouts] = {5, 5, 5, 7, 5, 5, 8, 10, 10, 10};

bool IsLayoutIndex(int index) { return index >= 0 && index < kLayouts; }

bool IsTrue(const char* flag) { return flag && std::strcmp(flag, kTrue) == 0; }

unsigned long ColorFromComponents(int red, int green, int blue) {
    return static_cast<unsigned long>(red & 0xFF) | (static_cast<unsigned long>(green & 0xFF) << 8) |
           (static_cast<unsigned long>(blue & 0xFF) << 16);
}

void ComponentsOfColor(unsigned long rgb, int components[3]) {
    components[0] = static_cast<int>(rgb & 0xFF);
    components[1] = static_cast<int>((rgb >> 8) & 0xFF);
    components[2] = static_cast<int>((rgb >> 16) & 0xFF);
}

int VisibleMainLines(int layoutIndex) {
    return IsLayoutIndex(layoutIndex) ? kVisibleLines[layoutIndex] : kLines - 2;
}
}  // namespace def

CString MenuSection(const char* base, int menu) {
    return CString::Format("%s%d", base, menu);
}

CString DefinitionPathFor(const char* directoryWithSlash, const char* commandTail) {
    return CString::Format("%sauto%s.tdf", directoryWithSlash ? directoryWithSlash : "",
                           commandTail ? commandTail : "");
}

CString DirectoryWithSlash(const char* path) {
    CString p(path);
    int slash = p.ReverseFind('\\');
    return slash < 0 ? CString() : p.Left(static_cast<size_t>(slash) + 1);
}

int ClampMenuCount(int stored) {
    if (stored < 0) return 0;
    return stored > def::kMaxMenus ? def::kMaxMenus : stored;
}

CString CDefinitionFile::ReadString(const char* section, const char* key, const char* fallback,
                                    int bufferSize) const {
    if (bufferSize < 1) return CString();
    std::unique_ptr<char[]> buffer(new char[bufferSize]);
    buffer[0] = '\0';
    GetPrivateProfileStringA(section, key, fallback, buffer.get(), static_cast<DWORD>(bufferSize),
                             m_path);
    buffer[bufferSize - 1] = '\0';
    return CString(buffer.get());
}

int CDefinitionFile::ReadInt(const char* section, const char* key, int fallback) const {
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, m_path));
}

// A text the system cannot write as it is.
static bool Unwritable(const char* s) {
    return s && (std::strchr(s, '\r') || std::strchr(s, '\n') || std::strlen(s) >= CDefinitionFile::kMaxWritten);
}

bool CDefinitionFile::WriteString(const char* section, const char* key, const char* value) const {
    if (Unwritable(section) || Unwritable(key) || Unwritable(value)) return false;
    return WritePrivateProfileStringA(section, key, value ? value : "", m_path) != FALSE;
}

bool CDefinitionFile::WriteInt(const char* section, const char* key, int value) const {
    return WriteString(section, key, CString::Format("%d", value));
}

bool CDefinitionFile::UpdateString(const char* section, const char* key, const char* value) const {
    return UpdateString(CDefinitionSnapshot(*this), section, key, value);
}

bool CDefinitionFile::UpdateString(const CDefinitionSnapshot& snapshot, const char* section, const char* key,
                                   const char* value) const {
    if (Unwritable(section) || Unwritable(key) || Unwritable(value)) return false;
    if (snapshot.WriteChangesNothing(section, key, value ? value : "")) return true;
    return WriteString(section, key, value);
}

bool CDefinitionFile::UpdateInt(const char* section, const char* key, int value) const {
    return UpdateString(section, key, CString::Format("%d", value));
}

bool CDefinitionFile::UpdateNumberedKeys(const CDefinitionSnapshot& snapshot, const char* section, int keyCount,
                                         const CString* values, bool* wrote) const {
    bool ok = true;
    if (wrote) *wrote = false;
    for (int k = 1; k <= keyCount; ++k) {
        CString key = CString::Format("%d", k);
        // Keys skipped before or after a write stay exact: a write rewrites
        // the file in the system's form, which keeps every key of the first
        // section of a name where it was, with the value it had.
        if (snapshot.WriteChangesNothing(section, key, values[k - 1])) continue;
        ok = WriteString(section, key, values[k - 1]) && ok;
        if (wrote) *wrote = true;
    }
    return ok;
}

CDefinitionSnapshot::CDefinitionSnapshot(const CDefinitionFile& file) : m_file(file) {
    m_fast = m_image.Load(file.Path());
}

CString CDefinitionSnapshot::ReadString(const char* section, const char* key, const char* fallback,
                                        int bufferSize) const {
    if (!m_fast) return m_file.ReadString(section, key, fallback, bufferSize);
    return m_image.ReadString(section, key, fallback, bufferSize);
}

int CDefinitionSnapshot::ReadInt(const char* section, const char* key, int fallback) const {
    if (!m_fast) return m_file.ReadInt(section, key, fallback);
    return m_image.ReadInt(m_image.FindSection(section), key, fallback);
}

void CDefinitionSnapshot::ReadNumberedKeys(const char* section, int keyCount, int bufferSize, CString* values) const {
    int index = m_fast ? m_image.FindSection(section) : -1;
    for (int k = 1; k <= keyCount; ++k) {
        char key[16];
        wsprintfA(key, "%d", k);
        values[k - 1] = m_fast ? m_image.ReadString(index, key, "", bufferSize)
                               : m_file.ReadString(section, key, "", bufferSize);
    }
}

bool CDefinitionSnapshot::WriteChangesNothing(const char* section, const char* key, const char* value) const {
    // Without an image nothing is known: the write is made, which is exact.
    return m_fast && m_image.WriteChangesNothing(section, key, value);
}

void ReadMenuDefinition(const CDefinitionFile& file, MenuSettings& s, MenuTables& t) {
    using namespace def;
    // Up to a thousand sections: read the file once and answer from memory.
    CDefinitionSnapshot source(file);
    s.title = source.ReadString(kGeneral, kTitle, "", kShortBuffer);
    s.hoverSound = source.ReadString(kGeneral, kHoverSound, "", kShortBuffer);
    s.selectSound = source.ReadString(kGeneral, kSelectSound, "", kShortBuffer);
    s.menuChangeSound = source.ReadString(kGeneral, kMenuChangeSound, "", kShortBuffer);
    s.startupSound = source.ReadString(kGeneral, kStartupSound, "", kShortBuffer);
    s.menuCount = ClampMenuCount(source.ReadInt(kGeneral, kMenuCount, 1));

    const char* keys[3] = {kRed, kGreen, kBlue};
    for (int c = 0; c < 3; ++c) {
        s.normalRGB[c] = source.ReadInt(kNormalColor, keys[c], 0);
        s.highlightRGB[c] = source.ReadInt(kHighlightColor, keys[c], 255);
    }

    struct Part { const char* base; int keys; int buffer; CString* (*row)(MenuTables&, int); };
    const Part parts[] = {
        {kActionBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.program[r]; }},
        {kParamsBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.params[r]; }},
        {kWorkDirBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.workDir[r]; }},
        {kQuitBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.quit[r]; }},
        {kTextBase, kTexts, kTextBuffer, [](MenuTables& m, int r) { return m.text[r]; }},
    };
    for (int n = 1; n <= s.menuCount; ++n) {
        for (const Part& p : parts) source.ReadNumberedKeys(MenuSection(p.base, n), p.keys, p.buffer, p.row(t, n - 1));
    }
}

void ReadMenuTexts(const CDefinitionSnapshot& source, int menuCount, CString (*texts)[def::kTexts]) {
    menuCount = ClampMenuCount(menuCount);
    for (int n = 1; n <= menuCount; ++n)
        source.ReadNumberedKeys(MenuSection(def::kTextBase, n), def::kTexts, def::kTextBuffer, texts[n - 1]);
}
