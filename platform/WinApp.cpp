#include "WinApp.h"
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

int CWinApp::Main(HINSTANCE instance, const char* cmdLine) {
    CWinApp* app = s_current;
    if (!app) return 1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine ? cmdLine : "";
    try {
        if (!app->InitInstance()) return 0;
        return app->Run();
    } catch (...) {
        return 1;
    }
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
