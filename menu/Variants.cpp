#include "Variants.h"
#include "Definition.h"
#include <windows.h>
#include <utility>

namespace variants {

bool IsTag(const CString& tag) {
    if (tag.IsEmpty() || tag.GetLength() > 40 || tag[0] == L'-') return false;
    for (size_t i = 0; i < tag.GetLength(); ++i) {
        const wchar_t c = tag[i];
        const bool ok = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-';
        if (!ok) return false;
    }
    return true;
}

namespace {

void Add(const CString& tail, CString (&tails)[kMaxTails], int& count) {
    for (int i = 0; i < count; ++i)
        if (tails[i].EqualsNoCase(tail)) return;
    if (count < kMaxTails) tails[count++] = tail;
}

bool Readable(const wchar_t* path) {
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    // A folder of that name is no definition.
    BY_HANDLE_FILE_INFORMATION info;
    const bool file = GetFileInformationByHandle(h, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(h);
    return file;
}

typedef BOOL(WINAPI* PreferredLanguagesFn)(DWORD, PULONG, PZZWSTR, PULONG);

}  // namespace

int TailsFor(const CString* tags, int tagCount, CString (&tails)[kMaxTails]) {
    int count = 0;
    for (int i = 0; i < tagCount && i < kMaxLanguages; ++i) {
        if (!IsTag(tags[i])) continue;
        Add(L"." + tags[i], tails, count);
        const int dash = tags[i].Find(L'-');
        if (dash > 0) Add(L"." + tags[i].Left(static_cast<size_t>(dash)), tails, count);
    }
    return count;
}

int UserLanguages(CString (&tags)[kMaxLanguages]) {
    int count = 0;
    // Windows XP has no list: asked by name, so the player still starts there.
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    PreferredLanguagesFn preferred =
        kernel ? reinterpret_cast<PreferredLanguagesFn>(
                     reinterpret_cast<void*>(GetProcAddress(kernel, "GetUserPreferredUILanguages")))
               : nullptr;
    const DWORD kLanguageName = 0x8;   // MUI_LANGUAGE_NAME
    wchar_t list[1024];
    ULONG languages = 0, size = 1024;
    if (preferred && preferred(kLanguageName, &languages, list, &size) && size <= 1024) {
        list[1023] = L'\0';
        for (const wchar_t* p = list; *p && p < list + size && count < kMaxLanguages; p += WideLength(p) + 1)
            tags[count++] = p;
        if (count > 0) return count;
    }
    const LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    wchar_t language[16] = L"", country[16] = L"";
    if (!GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, language, 16)) return 0;
    tags[count] = language;
    if (GetLocaleInfoW(locale, LOCALE_SISO3166CTRYNAME, country, 16) && country[0])
        tags[count] += CString(L"-") + country;
    return ++count;
}

void SplitStem(const CString& path, CString& stem, CString& extension) {
    const int dot = path.ReverseFind(L'.');
    const int slash = path.ReverseFind(L'\\');
    if (dot > slash) {
        stem = path.Left(static_cast<size_t>(dot));
        extension = path.Mid(static_cast<size_t>(dot));
    } else {
        stem = path;
        extension = CString();
    }
}

CString VariantPath(const wchar_t* definitionPath, const wchar_t* tag) {
    CString stem, extension;
    SplitStem(definitionPath, stem, extension);
    return stem + L"." + tag + extension;
}

CString ChooseDefinition(const wchar_t* folderWithSlash, const wchar_t* commandTail) {
    if (commandTail && *commandTail) return DefinitionPathFor(folderWithSlash, commandTail);
    CString tags[kMaxLanguages];
    CString tails[kMaxTails];
    const int count = TailsFor(tags, UserLanguages(tags), tails);
    for (int i = 0; i < count; ++i) {
        const CString path = DefinitionPathFor(folderWithSlash, tails[i]);
        if (Readable(path)) return path;
    }
    return DefinitionPathFor(folderWithSlash, L"");
}

}  // namespace variants
