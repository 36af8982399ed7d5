#include "WorkDir.h"
#include "../menu/Definition.h"
#include "../menu/Variants.h"
#include <windows.h>
#include <cstring>

const wchar_t kEmptyBackground[] = L"nodef.bmp";

static CString FullPath(const wchar_t* path) {
    wchar_t full[MAX_PATH * 2] = L"";
    DWORD n = GetFullPathNameW(path, ARRAYSIZE(full), full, nullptr);
    return n > 0 && n < ARRAYSIZE(full) ? CString(full) : CString(path);
}

bool CopyFileNormal(const wchar_t* from, const wchar_t* to) {
    if (!from || !to) return false;
    if (lstrcmpiW(FullPath(from), FullPath(to)) == 0)
        return GetFileAttributesW(from) != INVALID_FILE_ATTRIBUTES;
    SetFileAttributesW(to, FILE_ATTRIBUTE_NORMAL);
    BOOL copied = CopyFileW(from, to, FALSE);
    SetFileAttributesW(to, FILE_ATTRIBUTE_NORMAL);
    return copied != FALSE;
}

static bool EndsWithWav(const wchar_t* name) {
    size_t n = std::wcslen(name);
    return n >= 4 && lstrcmpiW(name + n - 4, L".wav") == 0;
}

std::vector<CString> SoundFilesIn(const wchar_t* folderWithSlash) {
    std::vector<CString> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(CString::Format(L"%s*.wav", folderWithSlash ? folderWithSlash : L""), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;   // also "." and ".."
        if (!EndsWithWav(found.cFileName)) continue;
        names.push_back(CString(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// A read-only file left from an earlier run must go as well.
static void DeleteAnyway(const CString& path) {
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path);
}

void ResetWorkDirectory(EditorState& state) {
    const CString work(state.workDir);
    if (!work.IsEmpty()) {
        DeleteAnyway(work + def::kBackgroundFile);
        DeleteAnyway(work + def::kDefinitionFile);
        // The language variants beside it go with it.
        for (const CString& tag : variants::VariantTagsOf(state.defaultDefinitionPath))
            DeleteAnyway(variants::VariantPath(state.defaultDefinitionPath, tag));
        for (const CString& name : SoundFilesIn(work)) DeleteAnyway(work + name);
        CopyFileNormal(CString(state.bitmapDir) + kEmptyBackground, work + def::kBackgroundFile);
    }
    state.definitionPresent = false;
    lstrcpynW(state.definitionPath, state.defaultDefinitionPath, EditorState::kPathSize);
    state.language.Empty();
}
