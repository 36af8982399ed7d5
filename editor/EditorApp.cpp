#include "EditorApp.h"
#include "../platform/Encoding.h"
#include "CommandLine.h"
#include "EditorDlg.h"
#include "../menu/Definition.h"
#include "../workspace/EditorState.h"
#include "Help.h"
#include <commctrl.h>

CEditorApp theApp;

BOOL CEditorApp::InitInstance() {
    // A command for scripts: no window, and the work directory stays as it is.
    const CString program = AppProgramPath();
    CommandRequest command = ParseCommandLine(m_lpCmdLine);
    if (command.kind != CommandRequest::kNone) {
        // The editor's folders as the main window derives them.
        EditorState editor;
        ProcessConsole console;
        if (program.IsEmpty() || !SetupEditorPaths(editor, program, L"")) {
            console.Err(ToUtf8(CString(kMsgFolderTooLong)));
            m_nExitCode = 1;
            return FALSE;
        }
        m_nExitCode = RunCommand(command, editor, console);
        return FALSE;
    }

    // The help pages lie beside the program.
    m_programFolder = DirectoryWithSlash(program);

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
    ShowHelpTopic(GetActiveWindow(), m_programFolder, context);
}
