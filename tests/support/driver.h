// Drives the real programs from a separate test process: starts them,
// finds their windows, reads texts and positions, sends input.
#pragma once
#include <windows.h>
#include <cstdlib>
#include <cstdint>
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
        if (!m_pi.hProcess) return true;  // none started, or already collected
        return WaitForSingleObject(m_pi.hProcess, ms) == WAIT_OBJECT_0;
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

// The same whole, as UTF-16: the programs' windows are Unicode windows and
// hold letters no code page has.
inline std::wstring TextW(HWND hwnd) {
    wchar_t buf[1024] = L"";
    DWORD_PTR r = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, sizeof buf / sizeof buf[0], reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                        3000, &r);
    return buf;
}

inline std::wstring ItemTextW(HWND dlg, int id) { return TextW(GetDlgItem(dlg, id)); }

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

// Real input: a key pressed and released, with Shift held around it when asked.
inline void PressKey(WORD vk, bool shift = false) {
    INPUT in[4];
    ZeroMemory(in, sizeof in);
    int n = 0;
    if (shift) { in[n].type = INPUT_KEYBOARD; in[n].ki.wVk = VK_SHIFT; ++n; }
    in[n].type = INPUT_KEYBOARD; in[n].ki.wVk = vk; ++n;
    in[n].type = INPUT_KEYBOARD; in[n].ki.wVk = vk; in[n].ki.dwFlags = KEYEVENTF_KEYUP; ++n;
    if (shift) { in[n].type = INPUT_KEYBOARD; in[n].ki.wVk = VK_SHIFT; in[n].ki.dwFlags = KEYEVENTF_KEYUP; ++n; }
    SendInput(n, in, sizeof in[0]);
}

// Puts the pointer where no test window is, so that it lights no line.
inline void PointerAway() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
}

}  // namespace drv

namespace drv {

// Screen pixels of a rectangle given in a window's client coordinates.
class ScreenGrab {
public:
    ScreenGrab(HWND hwnd, RECT client) : m_w(client.right - client.left), m_h(client.bottom - client.top) {
        POINT origin = ClientToScreenPt(hwnd, client.left, client.top);
        if (m_w <= 0 || m_h <= 0) { m_w = m_h = 0; return; }
        m_pixels.resize(size_t(m_w) * m_h);
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        BITMAPINFO bi;
        ZeroMemory(&bi, sizeof bi);
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = m_w;
        bi.bmiHeader.biHeight = -m_h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, dib);
        BitBlt(mem, 0, 0, m_w, m_h, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        const DWORD* p = static_cast<const DWORD*>(bits);
        for (size_t i = 0; i < m_pixels.size(); ++i) {
            DWORD v = p[i];  // 0x00RRGGBB
            m_pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        }
        SelectObject(mem, old);
        DeleteObject(dib);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
    }
    COLORREF At(int x, int y) const {
        return (x >= 0 && y >= 0 && x < m_w && y < m_h) ? m_pixels[size_t(y) * m_w + x] : CLR_INVALID;
    }
    // Pixels within tol of the colour in every component.
    int Count(COLORREF c, int tol = 0) const {
        int n = 0;
        for (COLORREF p : m_pixels)
            if (std::abs(int(GetRValue(p)) - int(GetRValue(c))) <= tol &&
                std::abs(int(GetGValue(p)) - int(GetGValue(c))) <= tol &&
                std::abs(int(GetBValue(p)) - int(GetBValue(c))) <= tol)
                ++n;
        return n;
    }
    int Width() const { return m_w; }
    int Height() const { return m_h; }

private:
    int m_w, m_h;
    std::vector<COLORREF> m_pixels;
};

inline bool Near(COLORREF a, COLORREF b, int tol = 2) {
    return std::abs(int(GetRValue(a)) - int(GetRValue(b))) <= tol &&
           std::abs(int(GetGValue(a)) - int(GetGValue(b))) <= tol &&
           std::abs(int(GetBValue(a)) - int(GetBValue(b))) <= tol;
}

// Lines of a text file (CR LF), polled until at least `want` exist or time runs out.
inline std::vector<std::string> WaitLines(const std::string& path, size_t want, DWORD timeoutMs) {
    std::vector<std::string> lines;
    DWORD start = GetTickCount();
    for (;;) {
        lines.clear();
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            std::string all;
            char buf[1024];
            DWORD got = 0;
            while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) all.append(buf, got);
            CloseHandle(h);
            size_t pos = 0, nl;
            while ((nl = all.find("\r\n", pos)) != std::string::npos) {
                lines.push_back(all.substr(pos, nl - pos));
                pos = nl + 2;
            }
        }
        if (lines.size() >= want || GetTickCount() - start > timeoutMs) return lines;
        Sleep(100);
    }
}

}  // namespace drv
