#include "WinApp.h"
#include "Dialog.h"
#include <cwchar>

CWinApp* CWinApp::s_current = nullptr;

CWinApp::CWinApp() : m_hInstance(nullptr), m_lpCmdLine(L""), m_hMainWnd(nullptr) {
    s_current = this;
}

CWinApp::~CWinApp() {
    if (s_current == this) s_current = nullptr;
}

int CWinApp::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

void CWinApp::OnHelp() {
    DWORD context = QueryHelpContext(GetActiveWindow());
    if (context) WinHelp(context);
}

void CWinApp::WinHelp(DWORD) {}

int CWinApp::Main(HINSTANCE instance, const wchar_t* cmdLine) {
    CWinApp* app = s_current;
    if (!app) return 1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine ? cmdLine : L"";
    try {
        if (!app->InitInstance()) return app->m_nExitCode;
        return app->Run();
    } catch (...) {
        return 1;
    }
}

const wchar_t* CommandTail(const wchar_t* p) {
    if (!p) return L"";
    if (*p == L'"') {
        while (*++p && *p != L'"') {}
        if (*p == L'"') ++p;
    } else {
        while (*p > L' ') ++p;
    }
    while (*p && *p <= L' ') ++p;
    return p;
}

CString AppProgramPath() {
    wchar_t path[MAX_PATH + 1] = L"";
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? CString(path) : CString();
}

const wchar_t* AppProgramName() {
    static wchar_t name[MAX_PATH];
    if (!name[0]) {
        wchar_t path[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, path, MAX_PATH - 1);
        const wchar_t* base = std::wcsrchr(path, L'\\');
        base = base ? base + 1 : path;
        lstrcpynW(name, base, MAX_PATH);
        wchar_t* dot = std::wcsrchr(name, L'.');
        if (dot) *dot = L'\0';
    }
    return name;
}

HINSTANCE AppResourceHandle() {
    CWinApp* app = CWinApp::Current();
    return app && app->m_hInstance ? app->m_hInstance : GetModuleHandleW(nullptr);
}

DWORD QueryHelpContext(HWND window) {
    if (!window || !IsWindow(window)) return 0;
    DWORD_PTR context = 0;
    if (SendMessageTimeoutW(window, WM_QUERYHELPCONTEXT, 0, 0, SMTO_ABORTIFHUNG, 2000, &context) && context)
        return static_cast<DWORD>(context);
    // A property sheet is no dialog of ours: its current page is.
    const UINT kGetCurrentPage = WM_USER + 118;   // PSM_GETCURRENTPAGEHWND
    HWND page = reinterpret_cast<HWND>(SendMessageW(window, kGetCurrentPage, 0, 0));
    if (page && page != window && IsWindow(page) && GetParent(page) == window)
        return QueryHelpContext(page);
    return 0;
}
