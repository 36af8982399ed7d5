// What a build of the disc files copies, decided without touching a file.
#pragma once
#include "../platform/String.h"
#include "../menu/Definition.h"

// The folder text as typed, with a trailing backslash ("" gives "\").
CString BuildFolderWithSlash(const wchar_t* typed);

// True for a plain file name that stays inside the folder it is joined to:
// not empty, not "." or "..", no folder separators, drive colons or other
// characters file names cannot hold.
bool IsBareFileName(const wchar_t* name);

// The files of a build, in copy order: the background, the player, the
// AutoRun file, the definition, then the sounds named by the definition
// (mouse-over, select, menu change, start-up) that are bare file names.
struct BuildFileList {
    CString names[8];
    int count = 0;
};
BuildFileList PlanBuild(const CString& hoverSound, const CString& selectSound, const CString& menuChangeSound,
                        const CString& startupSound);

// The same from a definition file.
BuildFileList PlanBuild(const CDefinitionFile& file);
