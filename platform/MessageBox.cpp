#include "MessageBox.h"
#include "WinApp.h"

int AppMessageBox(const wchar_t* text, UINT type) {
    HWND owner = GetActiveWindow();
    if (!owner) {
        CWinApp* app = CWinApp::Current();
        if (app && app->m_hMainWnd && IsWindow(app->m_hMainWnd)) owner = app->m_hMainWnd;
    }
    return MessageBoxW(owner, text ? text : L"", AppProgramName(), type);
}
