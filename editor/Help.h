// The editor's help: HTML pages in the "help" folder beside the editor,
// one page per help context number (the base number plus the template id
// of the dialog or wizard page), opened with the user's web browser.
#pragma once
#include "../platform/String.h"
#include <windows.h>

// The page file for a context number; the index page for numbers that
// have no page of their own.
const wchar_t* HelpTopicFile(DWORD context);

// Full path of that page under the program's folder (ending in a backslash).
CString HelpTopicPath(const wchar_t* programFolder, DWORD context);

// Opens the page through the shell; shows "Failed to launch help." when
// that fails. Returns whether the page was opened.
bool ShowHelpTopic(HWND owner, const wchar_t* programFolder, DWORD context);

struct HelpTopic {
    DWORD context;
    const wchar_t* file;
};
// Every page that belongs to a context number, and the index page.
extern const HelpTopic kHelpTopics[];
extern const int kHelpTopicCount;
extern const wchar_t kHelpIndexFile[];
extern const wchar_t kHelpFolder[];        // "help\"
extern const wchar_t kMsgHelpFailed[];
