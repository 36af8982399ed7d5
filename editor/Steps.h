// Steps 2 and 3 of the main window and the Testing menu: the test run, the
// preview in all layouts, the build of the disc files and the menu listing.
#pragma once
#include "../platform/String.h"
#include "../workspace/EditorState.h"
#include <windows.h>

// Runs the menu being designed in its own layout (key "500", default 3).
void RunTestMenu(HWND owner, const EditorState& state);

// Shows the menu in layouts 0 to 9 in turn; needs a definition.
void PreviewAllTemplates(HWND owner, const EditorState& state);

// Asks for a folder and copies the disc files into it.
// The folder is remembered in the state for the disc image.
void BuildDiscFiles(HWND owner, EditorState& state);

// Asks for a folder and writes automenu.txt into it.
void ExportMenuListing(HWND owner, const EditorState& state);

extern const wchar_t kDefaultBuildFolder[];    // "c:\buildvr\"

extern const wchar_t kMsgNoDefinitionToTest[];
extern const wchar_t kMsgBuildComplete[];
extern const wchar_t kMsgListingFailed[];
