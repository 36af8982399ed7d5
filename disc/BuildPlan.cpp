#include "BuildPlan.h"
#include <cwchar>

CString BuildFolderWithSlash(const wchar_t* typed) {
    CString folder(typed);
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != L'\\') folder += L'\\';
    return folder;
}

bool IsBareFileName(const wchar_t* name) {
    if (!name || !*name) return false;
    if (std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0) return false;
    for (const wchar_t* p = name; *p; ++p) {
        if (*p < 32 || std::wcschr(L"\\/:*?\"<>|", *p)) return false;
    }
    return true;
}

BuildFileList PlanBuild(const CString& hoverSound, const CString& selectSound, const CString& menuChangeSound,
                        const CString& startupSound) {
    BuildFileList list;
    const wchar_t* fixed[4] = {def::kBackgroundFile, def::kPlayerFile, def::kAutoRunFile, def::kDefinitionFile};
    for (const wchar_t* f : fixed) list.names[list.count++] = f;
    // A definition from elsewhere may name "..\..\x" or "C:\x": copying
    // that would read and write outside the two folders, so only plain
    // names are taken.
    const CString* sounds[4] = {&hoverSound, &selectSound, &menuChangeSound, &startupSound};
    for (const CString* s : sounds)
        if (IsBareFileName(*s)) list.names[list.count++] = *s;
    return list;
}

BuildFileList PlanBuild(const CDefinitionFile& file) {
    using namespace def;
    return PlanBuild(file.ReadString(kGeneral, kHoverSound, L"", kShortBuffer),
                     file.ReadString(kGeneral, kSelectSound, L"", kShortBuffer),
                     file.ReadString(kGeneral, kMenuChangeSound, L"", kShortBuffer),
                     file.ReadString(kGeneral, kStartupSound, L"", kShortBuffer));
}
