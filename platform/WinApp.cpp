#include "WinApp.h"
#include "Dialog.h"
#include <cstring>

CWinApp* CWinApp::s_current = nullptr;

CWinApp::CWinApp() : m_hInstance(nullptr), m_lpCmdLine(""), m_hMainWnd(nullptr) {
    s_current = this;
}

CWinApp::~CWinApp() {
    if (s_current == this) s_current = nullptr;
}

int CWinApp::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

void CWinApp::OnHelp() {
    DWORD context = QueryHelpContext(GetActiveWindow());
    if (context) WinHelp(context);
}

void CWinApp::WinHelp(DWORD) {}

int CWinApp::Main(HINSTANCE instance, const char* cmdLine) {
    CWinApp* app = s_current;
    if (!app) return 1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine ? cmdLine : "";
    try {
        if (!app->InitInstance()) return app->m_nExitCode;
        return app->Run();
    } catch (...) {
        return 1;
    }
}

CString AppProgramPath() {
    char path[MAX_PATH + 1] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? CString(path) : CString();
}

const char* AppProgramName() {
    static char name[MAX_PATH];
    if (!name[0]) {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
        const char* base = std::strrchr(path, '\\');
        base = base ? base + 1 : path;
        lstrcpynA(name, base, MAX_PATH);
        char* dot = std::strrchr(name, '.');
        if (dot) *dot = '\0';
    }
    return name;
}

HINSTANCE AppResourceHandle() {
    CWinApp* app = CWinApp::Current();
    return app && app->m_hInstance ? app->m_hInstance : GetModuleHandleA(nullptr);
}

DWORD QueryHelpContext(HWND window) {
    if (!window || !IsWindow(window)) return 0;
    DWORD_PTR context = 0;
    if (SendMessageTimeoutA(window, WM_QUERYHELPCONTEXT, 0, 0, SMTO_ABORTIFHUNG, 2000, &context) && context)
        return static_cast<DWORD>(context);
    // A property sheet is no dialog of ours: its current page is.
    const UINT kGetCurrentPage = WM_USER + 118;   // PSM_GETCURRENTPAGEHWND
    HWND page = reinterpret_cast<HWND>(SendMessageA(window, kGetCurrentPage, 0, 0));
    if (page && page != window && IsWindow(page) && GetParent(page) == window)
        return QueryHelpContext(page);
    return 0;
}
