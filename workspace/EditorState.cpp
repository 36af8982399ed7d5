#include "EditorState.h"
#include "../menu/Definition.h"
#include <windows.h>

static bool Fits(const CString& path) {
    return path.GetLength() < static_cast<size_t>(EditorState::kPathSize);
}

bool SetupEditorPaths(EditorState& state, const wchar_t* executablePath, const wchar_t* commandTail) {
    state.workDir[0] = state.definitionPath[0] = state.defaultDefinitionPath[0] = state.bitmapDir[0] =
        state.soundDir[0] = '\0';
    state.language.Empty();
    CString folder = DirectoryWithSlash(executablePath);
    if (folder.IsEmpty()) return false;
    // The stock folders hang off the folder without its trailing backslash.
    CString base = folder.Left(folder.GetLength() - 1);
    CString definition = DefinitionPathFor(folder, commandTail);
    CString bitmaps = CString::Format(L"%s\\BMPS\\", base.c_str());
    CString sounds = CString::Format(L"%s\\sounds\\", base.c_str());
    if (!Fits(folder) || !Fits(definition) || !Fits(bitmaps) || !Fits(sounds)) return false;
    lstrcpynW(state.workDir, folder, EditorState::kPathSize);
    lstrcpynW(state.definitionPath, definition, EditorState::kPathSize);
    lstrcpynW(state.defaultDefinitionPath, definition, EditorState::kPathSize);
    lstrcpynW(state.bitmapDir, bitmaps, EditorState::kPathSize);
    lstrcpynW(state.soundDir, sounds, EditorState::kPathSize);
    return true;
}
