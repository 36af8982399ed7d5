#include "Storage.h"
#include "../workspace/WorkDir.h"
#include "../menu/Definition.h"
#include "../menu/Variants.h"
#include "../platform/Encoding.h"
#include "../workspace/Languages.h"
#include <windows.h>
#include <cstring>

const wchar_t kMsgWorkDirReserved[] =
    L"Please select another sub-directory, this sub-directory is reserved as a work directory for TLK "
    L"Autoplay Varrow";
const wchar_t kMsgSaveComplete[] = L"Save Definition Complete";
const wchar_t kMsgDefinitionCleared[] = L"Definition Cleared";
const wchar_t kAskSaveBeforeNew[] = L"Do you want to save the current definition before starting a new definition?";
const wchar_t kAskSaveBeforeExit[] = L"Do you want to save the current definition before exiting?";
const wchar_t kDefinitionFilter[] = L"tdf Files (*.tdf)|*.tdf||";
const wchar_t kDefinitionExtension[] = L"tdf";

SetNames DeriveSetNames(const wchar_t* chosenPath) {
    const CString chosen(chosenPath);
    CString path = chosen.Left(CutLength(chosen, chosen.GetLength(), 255));
    SetNames names;
    int slash = path.ReverseFind('\\');
    names.folder = path.Left(static_cast<size_t>(slash + 1));
    names.name = path.Mid(static_cast<size_t>(slash + 1));
    int dot = names.name.ReverseFind('.');
    names.base = dot < 0 ? CString() : names.name.Left(static_cast<size_t>(dot));
    names.prefix = names.base + L"~";
    return names;
}

// The folder in one spelling: full, long names, with a trailing backslash.
static CString CanonicalFolder(const wchar_t* folder) {
    CString path(folder);
    wchar_t full[MAX_PATH * 2] = L"";
    DWORD n = path.IsEmpty() ? 0 : GetFullPathNameW(path, ARRAYSIZE(full), full, nullptr);
    if (n > 0 && n < ARRAYSIZE(full)) path = full;
    wchar_t longer[MAX_PATH * 2] = L"";
    n = path.IsEmpty() ? 0 : GetLongPathNameW(path, longer, ARRAYSIZE(longer));
    if (n > 0 && n < ARRAYSIZE(longer)) path = longer;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\') path += '\\';
    return path;
}

bool SameFolder(const wchar_t* a, const wchar_t* b) {
    return lstrcmpiW(CanonicalFolder(a), CanonicalFolder(b)) == 0;
}

CString RestoredSoundName(const wchar_t* savedName, const wchar_t* prefix) {
    CString saved(savedName);
    const size_t n = prefix ? std::wcslen(prefix) : 0;
    // The saved name was prefix + the sound's own name; that name may hold
    // a "~" itself, so only the prefix is taken off.
    if (n == 0 || saved.GetLength() <= n || !saved.StartsWith(prefix)) return CString();
    return saved.Mid(n);
}

StorageResult SaveDefinitionSet(EditorState& state, const wchar_t* chosenPath) {
    const SetNames set = DeriveSetNames(chosenPath);
    const CString work(state.workDir);
    if (SameFolder(set.folder, work)) return StorageResult::kRefusedWorkDir;

    CopyFileNormal(work + def::kDefinitionFile, set.folder + set.name);
    // The languages as name.<tag>.tdf beside name.tdf; those of an earlier
    // save under the name that the definition no longer has go.
    const std::vector<CString> languages = EditedLanguages(state);
    for (const CString& tag : variants::VariantTagsOf(set.folder + set.name)) {
        bool kept = false;
        for (const CString& t : languages) kept = kept || t.EqualsNoCase(tag);
        if (!kept) DeleteFileW(variants::VariantPath(set.folder + set.name, tag));
    }
    for (const CString& tag : languages)
        CopyFileNormal(variants::VariantPath(state.defaultDefinitionPath, tag),
                       variants::VariantPath(set.folder + set.name, tag));
    CopyFileNormal(work + def::kBackgroundFile, set.folder + set.prefix + def::kBackgroundFile);
    for (const CString& sound : SoundFilesIn(work))
        CopyFileNormal(work + sound, set.folder + set.prefix + sound);
    state.definitionSaved = true;
    return StorageResult::kDone;
}

std::vector<SetFile> SetFiles(const SetNames& set) {
    std::vector<SetFile> files;
    files.push_back({def::kBackgroundFile, set.folder + set.prefix + def::kBackgroundFile});
    files.push_back({def::kDefinitionFile, set.folder + set.name});
    for (const CString& tag : variants::VariantTagsOf(set.folder + set.name))
        files.push_back({variants::VariantPath(def::kDefinitionFile, tag), variants::VariantPath(set.folder + set.name, tag)});
    for (const CString& saved : SoundFilesIn(set.folder)) {
        CString own = RestoredSoundName(saved, set.prefix);
        if (!own.IsEmpty()) files.push_back({own, set.folder + saved});
    }
    return files;
}

StorageResult OpenDefinitionSet(EditorState& state, const wchar_t* chosenPath) {
    const SetNames set = DeriveSetNames(chosenPath);
    const CString work(state.workDir);
    // The reset below would delete the very files it is about to copy.
    if (SameFolder(set.folder, work)) return StorageResult::kRefusedWorkDir;

    ResetWorkDirectory(state);
    for (const SetFile& file : SetFiles(set)) CopyFileNormal(file.source, work + file.workName);
    state.definitionSaved = true;
    state.definitionPresent = true;
    return StorageResult::kDone;
}
