// The editor program: runs the main window and ends when it closes.
#pragma once
#include "../platform/String.h"
#include "../platform/WinApp.h"

class CEditorApp : public CWinApp {
public:
    BOOL InitInstance() override;
    // Help pages are HTML files beside the editor, shown by the browser.
    void WinHelp(DWORD context) override;

private:
    CString m_programFolder;   // with its trailing backslash
};
