// Drives modal windows of the test's own thread. A thread timer fires
// inside every modal loop (the dialog's, a message box's, a file dialog's),
// so a script of steps can look at the windows and post input while the
// code under test sits in DoModal.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace ui {

// A step returns true when it is done; false to be tried again at the next tick.
using Step = std::function<bool()>;

struct FindCtx {
    std::function<bool(HWND)> match;
    HWND found;
};

inline BOOL CALLBACK FindProc(HWND hwnd, LPARAM lp) {
    FindCtx* c = reinterpret_cast<FindCtx*>(lp);
    if (IsWindowVisible(hwnd) && c->match(hwnd)) {
        c->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of this thread.
inline HWND FindWindowOfThread(std::function<bool(HWND)> match) {
    FindCtx c = {std::move(match), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindProc, reinterpret_cast<LPARAM>(&c));
    return c.found;
}

// The windows are Unicode windows: their texts are read whole, as UTF-16.
inline std::wstring Title(HWND hwnd) {
    wchar_t t[1024] = L"";
    GetWindowTextW(hwnd, t, sizeof t / sizeof t[0]);
    return t;
}

inline std::wstring ClassOf(HWND hwnd) {
    wchar_t c[64] = L"";
    GetClassNameW(hwnd, c, sizeof c / sizeof c[0]);
    return c;
}

inline HWND FindDialog(const std::wstring& title) {
    return FindWindowOfThread([&](HWND h) { return ClassOf(h) == L"#32770" && Title(h) == title; });
}

// The texts of a dialog's static controls, joined by new lines.
inline std::wstring StaticTexts(HWND dialog) {
    std::wstring all;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (lstrcmpiW(ClassOf(c).c_str(), L"Static") != 0) continue;
        // An icon's window text is its resource number, not text.
        if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        std::wstring t = Title(c);
        if (t.empty()) continue;
        if (!all.empty()) all += L"\n";
        all += t;
    }
    return all;
}

inline BOOL CALLBACK FindIdProc(HWND hwnd, LPARAM lp) {
    auto* p = reinterpret_cast<std::pair<int, HWND>*>(lp);
    if (GetDlgCtrlID(hwnd) == p->first) {
        p->second = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A control anywhere below a window, by id.
inline HWND Descendant(HWND root, int id) {
    std::pair<int, HWND> p(id, nullptr);
    EnumChildWindows(root, FindIdProc, reinterpret_cast<LPARAM>(&p));
    return p.second;
}

// A common file dialog of this thread (its file-name box has one of two ids).
inline HWND FindFileDialog() {
    return FindWindowOfThread([](HWND h) {
        return ClassOf(h) == L"#32770" && (Descendant(h, 0x47c) || Descendant(h, 0x480));
    });
}

inline void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

class Script {
public:
    explicit Script(std::vector<Step> steps, DWORD timeoutMs = 20000)
        : m_steps(std::move(steps)), m_timeout(timeoutMs), m_start(GetTickCount()) {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 40, Tick);
    }
    ~Script() {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    bool Finished() const { return m_next == m_steps.size(); }

    // Goes on running the steps once the modal window has returned (the
    // last steps usually check that it has closed).
    void Drain(DWORD ms = 5000) {
        DWORD start = GetTickCount();
        while (!Finished() && GetTickCount() - start < ms) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(10);
        }
    }
    bool TimedOut() const { return m_timedOut; }
    size_t StepReached() const { return m_next; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Script* s = s_current;
        if (!s || s->m_busy) return;
        s->m_busy = true;
        if (s->m_next < s->m_steps.size()) {
            if (GetTickCount() - s->m_start > s->m_timeout) {
                s->m_timedOut = true;
                s->CloseEverything();
            } else if (s->m_steps[s->m_next]()) {
                ++s->m_next;
            }
        }
        s->m_busy = false;
    }
    // Ends every dialog of the thread so that a failing test cannot hang.
    void CloseEverything() {
        for (int round = 0; round < 10; ++round) {
            HWND h = FindWindowOfThread([](HWND w) { return ClassOf(w) == L"#32770"; });
            if (!h) break;
            EndDialog(h, IDCANCEL);
            ShowWindow(h, SW_HIDE);
        }
        m_next = m_steps.size();
    }

    std::vector<Step> m_steps;
    size_t m_next = 0;
    DWORD m_timeout, m_start;
    UINT_PTR m_timer = 0;
    bool m_busy = false;
    bool m_timedOut = false;
    static inline Script* s_current = nullptr;
};

}  // namespace ui
