#include "BuildPlan.h"
#include <cstring>

CString BuildFolderWithSlash(const char* typed) {
    CString folder(typed);
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\') folder += '\\';
    return folder;
}

bool IsBareFileName(const char* name) {
    if (!name || !*name) return false;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) {
        if (*p < 32 || std::strchr("\\/:*?\"<>|", *p)) return false;
    }
    return true;
}

BuildFileList PlanBuild(const CString& hoverSound, const CString& selectSound, const CString& menuChangeSound,
                        const CString& startupSound) {
    BuildFileList list;
    const char* fixed[4] = {def::kBackgroundFile, def::kPlayerFile, def::kAutoRunFile, def::kDefinitionFile};
    for (const char* f : fixed) list.names[list.count++] = f;
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
    return PlanBuild(file.ReadString(kGeneral, kHoverSound, "", kShortBuffer),
                     file.ReadString(kGeneral, kSelectSound, "", kShortBuffer),
                     file.ReadString(kGeneral, kMenuChangeSound, "", kShortBuffer),
                     file.ReadString(kGeneral, kStartupSound, "", kShortBuffer));
}
