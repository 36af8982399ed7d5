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
const char kGoToPrefix[] = "_menu";

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

static bool HasLineBreak(const char* s) {
    return s && (std::strchr(s, '\r') || std::strchr(s, '\n'));
}

bool CDefinitionFile::WriteString(const char* section, const char* key, const char* value) const {
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
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
    CString v(value);
    CString stored;
    // A stored value as long as the buffer may have been cut: then write.
    if (snapshot.Lookup(section, key, kCompareBuffer, stored) && stored.GetLength() < kCompareBuffer - 1 && stored == v)
        return true;
    return WriteString(section, key, v);
}

bool CDefinitionFile::UpdateInt(const char* section, const char* key, int value) const {
    return UpdateString(section, key, CString::Format("%d", value));
}

// A section is fetched whole into this many bytes; one that does not fit
// is read key by key instead.
static const DWORD kSectionBuffer = 32 * 1024;

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Parses "key" of a section line; returns the key number 1..keyCount or 0.
static int NumberedKey(const char* line, const char* eq, int keyCount) {
    const char* a = line;
    const char* b = eq;
    while (a < b && IsBlank(*a)) ++a;
    while (b > a && IsBlank(b[-1])) --b;
    if (b - a < 1 || b - a > 2) return 0;
    int n = 0;
    for (const char* p = a; p < b; ++p) {
        if (*p < '0' || *p > '9') return 0;
        n = n * 10 + (*p - '0');
    }
    // "01" is not key "1" for the profile functions either.
    if (*a == '0') return 0;
    return (n >= 1 && n <= keyCount) ? n : 0;
}

void CDefinitionFile::ReadNumberedKeys(const char* section, int keyCount, int bufferSize,
                                       CString* values) const {
    for (int k = 0; k < keyCount; ++k) values[k].Empty();
    std::unique_ptr<char[]> buffer(new char[kSectionBuffer]);
    DWORD n = GetPrivateProfileSectionA(section, buffer.get(), kSectionBuffer, m_path);
    if (n == 0) return;
    if (n >= kSectionBuffer - 2) {
        for (int k = 1; k <= keyCount; ++k)
            values[k - 1] = ReadString(section, CString::Format("%d", k), "", bufferSize);
        return;
    }
    bool seen[100] = {};
    const char* end = buffer.get() + n;
    for (const char* line = buffer.get(); line < end && *line; line += std::strlen(line) + 1) {
        const char* eq = std::strchr(line, '=');
        if (!eq) continue;
        int key = NumberedKey(line, eq, keyCount);
        if (key == 0 || seen[key]) continue;   // the first of two equal keys wins
        seen[key] = true;
        const char* v = eq + 1;
        const char* ve = v + std::strlen(v);
        while (v < ve && IsBlank(*v)) ++v;
        while (ve > v && IsBlank(ve[-1])) --ve;
        // Surrounding quotes are dropped, as a single-key read does.
        if (ve - v >= 2 && (*v == '"' || *v == '\'') && ve[-1] == *v) { ++v; --ve; }
        size_t len = static_cast<size_t>(ve - v);
        if (len > static_cast<size_t>(bufferSize - 1)) len = static_cast<size_t>(bufferSize - 1);
        values[key - 1] = CString(v, len);
    }
}

// Reads the whole file once, for CProfileImage. False when it cannot be
// read or is larger than any real definition.
static bool ReadWholeFile(const char* path, std::unique_ptr<char[]>& bytes, DWORD& size) {
    const DWORD kLimit = 16 * 1024 * 1024;
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0;
    size = GetFileSize(h, &high);
    bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= kLimit;
    if (ok) {
        bytes.reset(new char[size + 1]);
        DWORD got = 0;
        ok = size == 0 || (ReadFile(h, bytes.get(), size, &got, nullptr) && got == size);
    }
    CloseHandle(h);
    return ok;
}

static void CopyKeys(const CProfileImage& image, const char* section, int keyCount, int bufferSize,
                     CString* values) {
    int index = image.FindSection(section);
    for (int k = 1; k <= keyCount; ++k) {
        char key[8];
        wsprintfA(key, "%d", k);
        const char* v;
        size_t n;
        if (image.GetKey(index, key, bufferSize, &v, &n)) values[k - 1] = CString(v, n);
        else values[k - 1].Empty();
    }
}

CDefinitionSnapshot::CDefinitionSnapshot(const CDefinitionFile& file) : m_file(file) {
    std::unique_ptr<char[]> bytes;
    DWORD size = 0;
    m_fast = ReadWholeFile(file.Path(), bytes, size) && m_image.Parse(bytes.get(), size);
}

void CDefinitionSnapshot::ReadNumberedKeys(const char* section, int keyCount, int bufferSize, CString* values) const {
    if (m_fast) CopyKeys(m_image, section, keyCount, bufferSize, values);
    else m_file.ReadNumberedKeys(section, keyCount, bufferSize, values);
}

bool CDefinitionSnapshot::Lookup(const char* section, const char* key, int bufferSize, CString& value) const {
    if (m_fast) {
        const char* v;
        size_t n;
        if (!m_image.Get(section, key, bufferSize, &v, &n)) return false;
        value = CString(v, n);
        return true;
    }
    // No image: ask the profile functions, telling a missing key from an
    // empty one by a default no value can hold.
    const char kMissing[] = "\x01";
    value = m_file.ReadString(section, key, kMissing, bufferSize);
    return value != kMissing;
}

CString CDefinitionSnapshot::ReadString(const char* section, const char* key, const char* fallback,
                                        int bufferSize) const {
    if (!m_fast) return m_file.ReadString(section, key, fallback, bufferSize);
    CString value;
    if (Lookup(section, key, bufferSize, value)) return value;
    CString f(fallback);
    return bufferSize > 0 ? f.Left(static_cast<size_t>(bufferSize - 1)) : CString();
}

int CDefinitionSnapshot::ReadInt(const char* section, const char* key, int fallback) const {
    if (!m_fast) return m_file.ReadInt(section, key, fallback);
    // The integer read: the value as a string read through a small buffer
    // gives, empty or missing meaning the default; then leading blanks, a
    // sign and the digits up to the first other character.
    CString value;
    if (!Lookup(section, key, kIntBuffer, value) || value.IsEmpty()) return fallback;
    const char* p = value.c_str();
    while (*p && static_cast<unsigned char>(*p) <= ' ') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // As the system's conversion does, "0x", "0o" and "0b" choose another base.
    unsigned base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
        base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
        p += 2;
    }
    unsigned long n = 0;
    for (;; ++p) {
        unsigned digit;
        if (*p >= '0' && *p <= '9') digit = static_cast<unsigned>(*p - '0');
        else if (*p >= 'a' && *p <= 'z') digit = static_cast<unsigned>(*p - 'a') + 10;
        else if (*p >= 'A' && *p <= 'Z') digit = static_cast<unsigned>(*p - 'A') + 10;
        else break;
        if (digit >= base) break;
        n = n * base + digit;
    }
    return static_cast<int>(negative ? 0u - n : n);
}

bool CDefinitionFile::UpdateNumberedKeys(const CDefinitionSnapshot& snapshot, const char* section, int keyCount,
                                         const CString* values) const {
    bool ok = true;
    for (int k = 1; k <= keyCount; ++k)
        ok = UpdateString(snapshot, section, CString::Format("%d", k), values[k - 1]) && ok;
    return ok;
}

void ReadMenuDefinition(const CDefinitionFile& file, MenuSettings& s, MenuTables& t) {
    using namespace def;
    s.title = file.ReadString(kGeneral, kTitle, "", kShortBuffer);
    s.hoverSound = file.ReadString(kGeneral, kHoverSound, "", kShortBuffer);
    s.selectSound = file.ReadString(kGeneral, kSelectSound, "", kShortBuffer);
    s.menuChangeSound = file.ReadString(kGeneral, kMenuChangeSound, "", kShortBuffer);
    s.startupSound = file.ReadString(kGeneral, kStartupSound, "", kShortBuffer);
    s.menuCount = ClampMenuCount(file.ReadInt(kGeneral, kMenuCount, 1));

    const char* keys[3] = {kRed, kGreen, kBlue};
    for (int c = 0; c < 3; ++c) {
        s.normalRGB[c] = file.ReadInt(kNormalColor, keys[c], 0);
        s.highlightRGB[c] = file.ReadInt(kHighlightColor, keys[c], 255);
    }
    if (s.menuCount == 0) return;

    // Up to a thousand sections: read the file once and answer from memory.
    CDefinitionSnapshot source(file);
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
