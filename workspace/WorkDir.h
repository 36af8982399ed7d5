// The editor's file handling shared by its windows: the file copy and the
// reset of the work directory.
#pragma once
#include "../platform/String.h"
#include "EditorState.h"
#include <vector>

// Copies a file over another, replacing it. The destination's attributes
// are set to normal before and after, so that a copy taken from a
// read-only medium (a CD) is writable and a read-only destination is
// replaced. A file copied onto itself is left alone (and counts as copied).
bool CopyFileNormal(const wchar_t* from, const wchar_t* to);

// The sound files of a folder (its "*.wav" files), in the order the system
// lists them; bare names. Folders and names merely matched through their
// short 8.3 alias (such as "x.wave") are not sound files.
std::vector<CString> SoundFilesIn(const wchar_t* folderWithSlash);

// Empties the work directory of the definition being edited: deletes
// autorun.bmp, auto.tdf and its language variants and every sound file
// (the default language is then the one edited), copies the stock nodef.bmp
// in as autorun.bmp and clears the definition-present flag. Failures are
// ignored; a missing nodef.bmp leaves no autorun.bmp.
void ResetWorkDirectory(EditorState& state);

// The names the editor's work directory uses.
extern const wchar_t kEmptyBackground[];   // "nodef.bmp", in the stock background folder
