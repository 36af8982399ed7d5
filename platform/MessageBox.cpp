#include "MessageBox.h"
#include "WinApp.h"

int AppMessageBox(const char* text, UINT type) {
    HWND owner = GetActiveWindow();
    if (!owner) {
        CWinApp* app = CWinApp::Current();
        if (app && app->m_hMainWnd && IsWindow(app->m_hMainWnd)) owner = app->m_hMainWnd;
    }
    return MessageBoxA(owner, text ? text : "", AppProgramName(), type);
}
