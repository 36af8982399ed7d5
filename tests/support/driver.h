// Drives the real programs from a separate test process: starts them,
// finds their windows, reads texts and positions, sends input.
#pragma once
#include <windows.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace drv {

inline std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

inline bool CopyInto(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

class Process {
public:
    Process() { ZeroMemory(&m_pi, sizeof m_pi); }
    ~Process() { Kill(); }

    bool Start(const std::string& exe, const std::string& args, const std::string& cwd) {
        std::string cmd = "\"" + exe + "\"";
        if (!args.empty()) cmd += " " + args;
        std::vector<char> buf(cmd.begin(), cmd.end());
        buf.push_back('\0');
        STARTUPINFOA si;
        ZeroMemory(&si, sizeof si);
        si.cb = sizeof si;
        return CreateProcessA(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              cwd.empty() ? nullptr : cwd.c_str(), &si, &m_pi) != FALSE;
    }
    DWORD Id() const { return m_pi.dwProcessId; }
    // True when the process ended within the time.
    bool WaitExit(DWORD ms) {
        return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, ms) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = 0;
        if (m_pi.hProcess) GetExitCodeProcess(m_pi.hProcess, &code);
        return code;
    }
    void Kill() {
        if (m_pi.hProcess) {
            if (WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0) {
                TerminateProcess(m_pi.hProcess, 1);
                WaitForSingleObject(m_pi.hProcess, 5000);
            }
            CloseHandle(m_pi.hProcess);
            CloseHandle(m_pi.hThread);
            ZeroMemory(&m_pi, sizeof m_pi);
        }
    }

private:
    PROCESS_INFORMATION m_pi;
};

struct FindCtx {
    DWORD pid;
    const char* className;
    const char* title;
    HWND found;
};

inline BOOL CALLBACK FindProc(HWND hwnd, LPARAM lp) {
    FindCtx* c = reinterpret_cast<FindCtx*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != c->pid || !IsWindowVisible(hwnd)) return TRUE;
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (c->className && lstrcmpA(cls, c->className) != 0) return TRUE;
    if (c->title) {
        char t[256] = "";
        GetWindowTextA(hwnd, t, sizeof t);
        if (lstrcmpA(t, c->title) != 0) return TRUE;
    }
    c->found = hwnd;
    return FALSE;
}

// A visible top-level window of the process, polled for up to timeoutMs.
inline HWND WaitWindow(DWORD pid, DWORD timeoutMs, const char* className = "#32770",
                       const char* title = nullptr) {
    DWORD start = GetTickCount();
    do {
        FindCtx c = {pid, className, title, nullptr};
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&c));
        if (c.found) return c.found;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

inline std::string Text(HWND hwnd) {
    char buf[1024] = "";
    DWORD_PTR r = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                        3000, &r);
    return buf;
}

inline std::string ItemText(HWND dlg, int id) { return Text(GetDlgItem(dlg, id)); }

// A child's rectangle in the parent's client coordinates.
inline RECT ChildRect(HWND parent, HWND child) {
    RECT r = {0, 0, 0, 0};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Lets the target process finish painting.
inline void Settle(HWND hwnd, DWORD ms = 150) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &r);
    Sleep(ms);
}

inline COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return c;
}

inline POINT ClientToScreenPt(HWND hwnd, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

// Real input: move the pointer to a client point of the window.
inline void MoveMouse(HWND hwnd, int x, int y) {
    POINT p = ClientToScreenPt(hwnd, x, y);
    SetCursorPos(p.x, p.y);
    INPUT in;
    ZeroMemory(&in, sizeof in);
    in.type = INPUT_MOUSE;
    in.mi.dx = (p.x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = (p.y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

inline void Click(HWND hwnd, int x, int y) {
    MoveMouse(hwnd, x, y);
    Sleep(30);
    INPUT in[2];
    ZeroMemory(in, sizeof in);
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
}

}  // namespace drv
