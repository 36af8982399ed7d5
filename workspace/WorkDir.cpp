#include "WorkDir.h"
#include "../menu/Definition.h"
#include <windows.h>
#include <cstring>

const char kEmptyBackground[] = "nodef.bmp";

static CString FullPath(const char* path) {
    char full[MAX_PATH * 2] = "";
    DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? CString(full) : CString(path);
}

bool CopyFileNormal(const char* from, const char* to) {
    if (!from || !to) return false;
    if (lstrcmpiA(FullPath(from), FullPath(to)) == 0)
        return GetFileAttributesA(from) != INVALID_FILE_ATTRIBUTES;
    SetFileAttributesA(to, FILE_ATTRIBUTE_NORMAL);
    BOOL copied = CopyFileA(from, to, FALSE);
    SetFileAttributesA(to, FILE_ATTRIBUTE_NORMAL);
    return copied != FALSE;
}

static bool EndsWithWav(const char* name) {
    size_t n = std::strlen(name);
    return n >= 4 && lstrcmpiA(name + n - 4, ".wav") == 0;
}

std::vector<CString> SoundFilesIn(const char* folderWithSlash) {
    std::vector<CString> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(CString::Format("%s*.wav", folderWithSlash ? folderWithSlash : ""), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;   // also "." and ".."
        if (!EndsWithWav(found.cFileName)) continue;
        names.push_back(CString(found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// A read-only file left from an earlier run must go as well.
static void DeleteAnyway(const CString& path) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
}

void ResetWorkDirectory(EditorState& state) {
    const CString work(state.workDir);
    if (!work.IsEmpty()) {
        DeleteAnyway(work + def::kBackgroundFile);
        DeleteAnyway(work + def::kDefinitionFile);
        for (const CString& name : SoundFilesIn(work)) DeleteAnyway(work + name);
        CopyFileNormal(CString(state.bitmapDir) + kEmptyBackground, work + def::kBackgroundFile);
    }
    state.definitionPresent = false;
}
