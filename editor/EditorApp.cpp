#include "EditorApp.h"
#include "CommandLine.h"
#include "EditorDlg.h"
#include "EditorState.h"
#include "Help.h"
#include <commctrl.h>

CEditorApp theApp;

BOOL CEditorApp::InitInstance() {
    // A command for scripts: no window, and the work directory stays as it is.
    CommandRequest command = ParseCommandLine(m_lpCmdLine);
    if (command.kind != CommandRequest::kNone) {
        char path[MAX_PATH + 1] = "";
        DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path, n > 0 && n < MAX_PATH ? n : 0);
        folder.erase(folder.rfind('\\') == std::string::npos ? 0 : folder.rfind('\\') + 1);
        m_nExitCode = RunCommand(command, folder, ProcessConsole());
        return FALSE;
    }

    // The current look of the controls (the manifest asks for it).
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    {
        CEditorDlg dialog;
        dialog.DoModal();
    }
    m_hMainWnd = nullptr;
    // No message loop of our own: the program ends with the main window.
    return FALSE;
}

void CEditorApp::WinHelp(DWORD context) {
    ShowHelpTopic(GetActiveWindow(), TheEditorState().workDir, context);
}
