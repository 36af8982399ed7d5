// Saved definitions: the files of the work directory copied into a folder
// of the user's choice as one set, and brought back from there.
//
// A set saved under D + N (folder D, file name N with its extension, base
// B = N before its last ".") consists of
//     D + N                       the definition file (auto.tdf)
//     D + B + "." + T + ext       its variant for the language T (auto.T.tdf)
//     D + B + "~autorun.bmp"      the background
//     D + B + "~" + S             every sound file S
// Several sets share a folder as long as their base names differ.
#pragma once
#include <vector>
#include "../platform/String.h"
#include "../workspace/EditorState.h"

struct SetNames {
    CString folder;   // D: up to and including the last backslash ("" if none)
    CString name;     // N: after the last backslash
    CString base;     // B: N before its last "." ("" when N has none)
    CString prefix;   // B + "~"
};

// The names of a set from the chosen path (at most 255 characters of it).
SetNames DeriveSetNames(const wchar_t* chosenPath);

// The files of a saved set, each as the name it has in the work directory
// and the file in the set's folder it comes from: the background, the
// definition, its language variants and the set's own sounds, in that order.
struct SetFile {
    CString workName;
    CString source;
};
std::vector<SetFile> SetFiles(const SetNames& set);

// Whether two folder paths name the same folder, regardless of letter
// case, a trailing backslash, "." and ".." parts or short (8.3) names.
bool SameFolder(const wchar_t* a, const wchar_t* b);

// The name a saved sound file of the set with this prefix had in the work
// directory, or "" when the file does not belong to the set (the prefix
// must match exactly, letter case included).
CString RestoredSoundName(const wchar_t* savedName, const wchar_t* prefix);

enum class StorageResult {
    kDone,
    kRefusedWorkDir,   // the chosen folder is the work directory itself
};

// Copies the definition, the background and every sound file of the work
// directory into the set named by the chosen path and marks the definition
// as saved. Copy failures are not reported.
StorageResult SaveDefinitionSet(EditorState& state, const wchar_t* chosenPath);

// Resets the work directory, then copies the set named by the chosen path
// into it (only the sound files carrying the set's own prefix), and marks
// the definition as saved and present.
StorageResult OpenDefinitionSet(EditorState& state, const wchar_t* chosenPath);

// The texts shown around storage.
extern const wchar_t kMsgWorkDirReserved[];
extern const wchar_t kMsgSaveComplete[];
extern const wchar_t kMsgDefinitionCleared[];
extern const wchar_t kAskSaveBeforeNew[];
extern const wchar_t kAskSaveBeforeExit[];
extern const wchar_t kDefinitionFilter[];      // for the file dialogs
extern const wchar_t kDefinitionExtension[];
