#include "Storage.h"
#include "../workspace/WorkDir.h"
#include "../menu/Definition.h"
#include <windows.h>
#include <cstring>

const char kMsgWorkDirReserved[] =
    "Please select another sub-directory, this sub-directory is reserved as a work directory for TLK "
    "Autoplay Varrow";
const char kMsgSaveComplete[] = "Save Definition Complete";
const char kMsgDefinitionCleared[] = "Definition Cleared";
const char kAskSaveBeforeNew[] = "Do you want to save the current definition before starting a new definition?";
const char kAskSaveBeforeExit[] = "Do you want to save the current definition before exiting?";
const char kDefinitionFilter[] = "tdf Files (*.tdf)|*.tdf||";
const char kDefinitionExtension[] = "tdf";

SetNames DeriveSetNames(const char* chosenPath) {
    CString path = CString(chosenPath).Left(255);
    SetNames names;
    int slash = path.ReverseFind('\\');
    names.folder = path.Left(static_cast<size_t>(slash + 1));
    names.name = path.Mid(static_cast<size_t>(slash + 1));
    int dot = names.name.ReverseFind('.');
    names.base = dot < 0 ? CString() : names.name.Left(static_cast<size_t>(dot));
    names.prefix = names.base + "~";
    return names;
}

// The folder in one spelling: full, long names, with a trailing backslash.
static CString CanonicalFolder(const char* folder) {
    CString path(folder);
    char full[MAX_PATH * 2] = "";
    DWORD n = path.IsEmpty() ? 0 : GetFullPathNameA(path, sizeof full, full, nullptr);
    if (n > 0 && n < sizeof full) path = full;
    char longer[MAX_PATH * 2] = "";
    n = path.IsEmpty() ? 0 : GetLongPathNameA(path, longer, sizeof longer);
    if (n > 0 && n < sizeof longer) path = longer;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\') path += '\\';
    return path;
}

bool SameFolder(const char* a, const char* b) {
    return lstrcmpiA(CanonicalFolder(a), CanonicalFolder(b)) == 0;
}

CString RestoredSoundName(const char* savedName, const char* prefix) {
    CString saved(savedName);
    const size_t n = prefix ? std::strlen(prefix) : 0;
    // The saved name was prefix + the sound's own name; that name may hold
    // a "~" itself, so only the prefix is taken off.
    if (n == 0 || saved.GetLength() <= n || !saved.StartsWith(prefix)) return CString();
    return saved.Mid(n);
}

StorageResult SaveDefinitionSet(EditorState& state, const char* chosenPath) {
    const SetNames set = DeriveSetNames(chosenPath);
    const CString work(state.workDir);
    if (SameFolder(set.folder, work)) return StorageResult::kRefusedWorkDir;

    CopyFileNormal(work + def::kDefinitionFile, set.folder + set.name);
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
    for (const CString& saved : SoundFilesIn(set.folder)) {
        CString own = RestoredSoundName(saved, set.prefix);
        if (!own.IsEmpty()) files.push_back({own, set.folder + saved});
    }
    return files;
}

StorageResult OpenDefinitionSet(EditorState& state, const char* chosenPath) {
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
