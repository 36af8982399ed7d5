#include "Definition.h"
#include "ProfileImage.h"
#include <windows.h>
#include "../platform/Encoding.h"
#include <cwchar>
#include <new>
#include <memory>

namespace def {
const wchar_t kGeneral[] = L"100";
const wchar_t kTitle[] = L"200";
const wchar_t kMenuCount[] = L"300";
const wchar_t kBackground[] = L"400";
const wchar_t kTemplate[] = L"500";
const wchar_t kStartupSound[] = L"600";
const wchar_t kHoverSound[] = L"700";
const wchar_t kSelectSound[] = L"800";
const wchar_t kMenuChangeSound[] = L"900";
const wchar_t kNormalColor[] = L"1000";
const wchar_t kHighlightColor[] = L"1100";
const wchar_t kRed[] = L"1200";
const wchar_t kGreen[] = L"1300";
const wchar_t kBlue[] = L"1400";
const wchar_t kTextBase[] = L"1500";
const wchar_t kQuitBase[] = L"1600";
const wchar_t kActionBase[] = L"1700";
const wchar_t kParamsBase[] = L"1800";
const wchar_t kWorkDirBase[] = L"1900";
const wchar_t kConditionBase[] = L"2000";
const wchar_t kConditionValueBase[] = L"2100";
const wchar_t kConditionNotBase[] = L"2200";
const wchar_t kConditionHideBase[] = L"2300";
const wchar_t kRunAsBase[] = L"2400";
const wchar_t kTrue[] = L"TRUE";
const wchar_t kFalse[] = L"FALSE";
const wchar_t kDefinitionFile[] = L"auto.tdf";
const wchar_t kBackgroundFile[] = L"autorun.bmp";
const wchar_t kPlayerFile[] = L"autorun.exe";
const wchar_t kAutoRunFile[] = L"autorun.inf";
const KeyName kSharedKeys[] = {
    {kGeneral, kMenuCount},     {kGeneral, kBackground},  {kGeneral, kTemplate},
    {kGeneral, kStartupSound},  {kGeneral, kHoverSound},  {kGeneral, kSelectSound},
    {kGeneral, kMenuChangeSound},
    {kNormalColor, kRed},       {kNormalColor, kGreen},   {kNormalColor, kBlue},
    {kHighlightColor, kRed},    {kHighlightColor, kGreen}, {kHighlightColor, kBlue},
};
const int kSharedKeyCount = sizeof kSharedKeys / sizeof kSharedKeys[0];
const int kVisibleLines[kLayouts] = {5, 5, 5, 7, 5, 5, 8, 10, 10, 10};

bool IsLayoutIndex(int index) { return index >= 0 && index < kLayouts; }

bool IsTrue(const wchar_t* flag) { return flag && std::wcscmp(flag, kTrue) == 0; }

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

CString MenuSection(const wchar_t* base, int menu) {
    return CString::Format(L"%s%d", base, menu);
}

CString DefinitionPathFor(const wchar_t* directoryWithSlash, const wchar_t* commandTail) {
    return CString::Format(L"%sauto%s.tdf", directoryWithSlash ? directoryWithSlash : L"",
                           commandTail ? commandTail : L"");
}

CString DirectoryWithSlash(const wchar_t* path) {
    CString p(path);
    int slash = p.ReverseFind(L'\\');
    return slash < 0 ? CString() : p.Left(static_cast<size_t>(slash) + 1);
}

int ClampMenuCount(int stored) {
    if (stored < 0) return 0;
    return stored > def::kMaxMenus ? def::kMaxMenus : stored;
}

CString ReadCut(CString value, int bufferSize) {
    // A value cut at the buffer's edge may end in the first half of a
    // letter written as two UTF-16 units: that half is no letter.
    size_t room = bufferSize > 0 ? static_cast<size_t>(bufferSize - 1) : 0;
    size_t n = value.GetLength();
    if (n > 0 && n == room && IsHighSurrogate(value[n - 1])) return value.Left(n - 1);
    return value;
}

CString CDefinitionFile::ReadString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                                    int bufferSize) const {
    if (bufferSize < 1) return CString();
    std::unique_ptr<wchar_t[]> buffer(new wchar_t[bufferSize]);
    buffer[0] = L'\0';
    GetPrivateProfileStringW(section, key, fallback, buffer.get(), static_cast<DWORD>(bufferSize), m_path);
    buffer[bufferSize - 1] = L'\0';
    return ReadCut(CString(buffer.get()), bufferSize);
}

int CDefinitionFile::ReadInt(const wchar_t* section, const wchar_t* key, int fallback) const {
    return static_cast<int>(GetPrivateProfileIntW(section, key, fallback, m_path));
}

// A text the system cannot write as it is.
static bool Unwritable(const wchar_t* s) {
    return s && (std::wcschr(s, L'\r') || std::wcschr(s, L'\n') || WideLength(s) >= CDefinitionFile::kMaxWritten);
}

static bool IsAsciiText(const wchar_t* s) {
    for (; s && *s; ++s)
        if (*s >= 0x80) return false;
    return true;
}

// The file's bytes, whole; false when it cannot be read (a missing file
// reads as empty and true).
static bool ReadBytes(const wchar_t* path, std::unique_ptr<unsigned char[]>& bytes, size_t& size, bool& exists) {
    size = 0;
    exists = false;
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD e = GetLastError();
        return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND;
    }
    exists = true;
    DWORD high = 0, n = GetFileSize(h, &high), got = 0;
    bool ok = n != INVALID_FILE_SIZE && high == 0 && n <= 16 * 1024 * 1024;
    if (ok) {
        bytes.reset(new (std::nothrow) unsigned char[n + 1]);
        ok = bytes && (n == 0 || (ReadFile(h, bytes.get(), n, &got, nullptr) && got == n));
        size = n;
    }
    CloseHandle(h);
    return ok;
}

// Writes the bytes beside the file and puts them in its place in one step:
// a failure leaves the old file as it was, never half a file.
static bool ReplaceWhole(const wchar_t* path, const void* data, size_t size) {
    CString temporary = CString(path) + L".new";
    HANDLE h = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD wrote = 0;
    bool ok = WriteFile(h, data, static_cast<DWORD>(size), &wrote, nullptr) && wrote == size;
    ok = CloseHandle(h) && ok;
    if (ok) {
        // Another program (a virus scanner, an indexer) may hold the file
        // for a moment.
        for (int attempt = 0; attempt < 15; ++attempt) {
            if (MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
            DWORD e = GetLastError();
            if (e != ERROR_SHARING_VIOLATION && e != ERROR_LOCK_VIOLATION && e != ERROR_ACCESS_DENIED) break;
            Sleep(100);
        }
    }
    DeleteFileW(temporary);
    return false;
}

bool CDefinitionFile::PrepareForm(const wchar_t* section, const wchar_t* key, const wchar_t* value) const {
    std::unique_ptr<unsigned char[]> bytes;
    size_t size = 0;
    bool exists = false;
    if (!ReadBytes(m_path, bytes, size, exists)) return false;
    CProfileImage::Form form = exists ? CProfileImage::FormOf(bytes.get(), size) : CProfileImage::kAnsi;
    if (form == CProfileImage::kUtf16LE) return true;
    bool asciiWrite = IsAsciiText(section) && IsAsciiText(key) && IsAsciiText(value);
    bool asciiFile = true;
    for (size_t i = 0; form == CProfileImage::kAnsi && i < size; ++i)
        if (bytes[i] >= 0x80) asciiFile = false;
    // An ANSI file of plain ASCII that gets plain ASCII stays as it is; every
    // other letter needs UTF-16, which every Windows since 2000 reads the
    // same way whatever its code page. A UTF-8 or big-endian file is read by
    // Windows' profile functions as ANSI: it is turned into UTF-16 before
    // they write to it.
    if (form == CProfileImage::kAnsi && asciiWrite && asciiFile) return true;
    CProfileImage image;
    if (exists && !image.Parse(reinterpret_cast<const char*>(bytes.get()), size)) return false;
    size_t n = image.TextLength();
    std::unique_ptr<unsigned char[]> out(new (std::nothrow) unsigned char[2 + 2 * n]);
    if (!out) return false;
    out[0] = 0xFF;
    out[1] = 0xFE;
    const wchar_t* text = image.Text();
    for (size_t i = 0; i < n; ++i) {
        out[2 + 2 * i] = static_cast<unsigned char>(text[i] & 0xFF);
        out[3 + 2 * i] = static_cast<unsigned char>((text[i] >> 8) & 0xFF);
    }
    return ReplaceWhole(m_path, out.get(), 2 + 2 * n);
}

bool CDefinitionFile::WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value) const {
    if (Unwritable(section) || Unwritable(key) || Unwritable(value)) return false;
    if (!PrepareForm(section, key, value)) return false;
    return WritePrivateProfileStringW(section, key, value ? value : L"", m_path) != FALSE;
}

bool CDefinitionFile::WriteInt(const wchar_t* section, const wchar_t* key, int value) const {
    return WriteString(section, key, CString::Format(L"%d", value));
}

bool CDefinitionFile::UpdateString(const wchar_t* section, const wchar_t* key, const wchar_t* value) const {
    return UpdateString(CDefinitionSnapshot(*this), section, key, value);
}

bool CDefinitionFile::UpdateString(const CDefinitionSnapshot& snapshot, const wchar_t* section, const wchar_t* key,
                                   const wchar_t* value) const {
    if (Unwritable(section) || Unwritable(key) || Unwritable(value)) return false;
    if (snapshot.WriteChangesNothing(section, key, value ? value : L"")) return true;
    return WriteString(section, key, value);
}

bool CDefinitionFile::UpdateInt(const wchar_t* section, const wchar_t* key, int value) const {
    return UpdateString(section, key, CString::Format(L"%d", value));
}

bool CDefinitionFile::DeleteKey(const wchar_t* section, const wchar_t* key) const {
    if (Unwritable(section) || Unwritable(key)) return false;
    if (!CDefinitionSnapshot(*this).HasValue(section, key)) return true;
    if (!PrepareForm(section, key, L"")) return false;
    return WritePrivateProfileStringW(section, key, nullptr, m_path) != FALSE;
}

bool CDefinitionFile::UpdateNumberedKeys(const CDefinitionSnapshot& snapshot, const wchar_t* section, int keyCount,
                                         const CString* values, bool* wrote) const {
    bool ok = true;
    if (wrote) *wrote = false;
    for (int k = 1; k <= keyCount; ++k) {
        CString key = CString::Format(L"%d", k);
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

CString CDefinitionSnapshot::ReadString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                                        int bufferSize) const {
    if (!m_fast) return m_file.ReadString(section, key, fallback, bufferSize);
    return ReadCut(m_image.ReadString(section, key, fallback, bufferSize), bufferSize);
}

int CDefinitionSnapshot::ReadInt(const wchar_t* section, const wchar_t* key, int fallback) const {
    if (!m_fast) return m_file.ReadInt(section, key, fallback);
    return m_image.ReadInt(m_image.FindSection(section), key, fallback);
}

void CDefinitionSnapshot::ReadNumberedKeys(const wchar_t* section, int keyCount, int bufferSize, CString* values) const {
    int index = m_fast ? m_image.FindSection(section) : -1;
    for (int k = 1; k <= keyCount; ++k) {
        wchar_t key[16];
        wsprintfW(key, L"%d", k);
        values[k - 1] = m_fast ? ReadCut(m_image.ReadString(index, key, L"", bufferSize), bufferSize)
                               : m_file.ReadString(section, key, L"", bufferSize);
    }
}

bool CDefinitionSnapshot::HasValue(const wchar_t* section, const wchar_t* key) const {
    if (m_fast) return m_image.HasValue(m_image.FindSection(section), key);
    // Without an image: a value differs from both of two different fallbacks.
    return m_file.ReadString(section, key, L"\x1", 2) != L"\x1" || m_file.ReadString(section, key, L"\x2", 2) != L"\x2";
}

bool CDefinitionSnapshot::WriteChangesNothing(const wchar_t* section, const wchar_t* key, const wchar_t* value) const {
    // Without an image nothing is known: the write is made, which is exact.
    return m_fast && m_image.WriteChangesNothing(section, key, value);
}

void ReadMenuDefinition(const CDefinitionFile& file, MenuSettings& s, MenuTables& t) {
    using namespace def;
    // Up to a thousand sections: read the file once and answer from memory.
    CDefinitionSnapshot source(file);
    s.title = source.ReadString(kGeneral, kTitle, L"", kShortBuffer);
    s.hoverSound = source.ReadString(kGeneral, kHoverSound, L"", kShortBuffer);
    s.selectSound = source.ReadString(kGeneral, kSelectSound, L"", kShortBuffer);
    s.menuChangeSound = source.ReadString(kGeneral, kMenuChangeSound, L"", kShortBuffer);
    s.startupSound = source.ReadString(kGeneral, kStartupSound, L"", kShortBuffer);
    s.menuCount = ClampMenuCount(source.ReadInt(kGeneral, kMenuCount, 1));
    s.layout = source.ReadInt(kGeneral, kTemplate, kTemplateDefaultPlayer);

    const wchar_t* keys[3] = {kRed, kGreen, kBlue};
    for (int c = 0; c < 3; ++c) {
        s.normalRGB[c] = source.ReadInt(kNormalColor, keys[c], 0);
        s.highlightRGB[c] = source.ReadInt(kHighlightColor, keys[c], 255);
    }

    struct Part { const wchar_t* base; int keys; int buffer; CString* (*row)(MenuTables&, int); };
    const Part parts[] = {
        {kActionBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.program[r]; }},
        {kParamsBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.params[r]; }},
        {kWorkDirBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.workDir[r]; }},
        {kQuitBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.quit[r]; }},
        {kTextBase, kTexts, kTextBuffer, [](MenuTables& m, int r) { return m.text[r]; }},
        {kConditionBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.condition[r]; }},
        {kConditionValueBase, kLines, kTextBuffer, [](MenuTables& m, int r) { return m.conditionValue[r]; }},
        {kConditionNotBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.conditionNot[r]; }},
        {kConditionHideBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.conditionHide[r]; }},
        {kRunAsBase, kLines, kShortBuffer, [](MenuTables& m, int r) { return m.runAs[r]; }},
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
