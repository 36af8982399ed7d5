#include "EditorApp.h"
#include "EditorDlg.h"
#include "EditorState.h"
#include "Help.h"
#include <commctrl.h>

CEditorApp theApp;

BOOL CEditorApp::InitInstance() {
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
