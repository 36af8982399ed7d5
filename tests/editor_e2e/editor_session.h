// The real tlkedit.exe in a private copy of the installation folder,
// driven from the test process.
#pragma once
#include "support/driver.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <cctype>
#include <string>

namespace ed {

const char kMainTitle[] = "TLK Autoplay Varrow";
const char kBoxTitle[] = "tlkedit";   // message boxes carry the program name

inline void CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((from + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::string n = fd.cFileName;
        if (n == "." || n == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyTree(from + "\\" + n, to + "\\" + n);
        else CopyFileA((from + "\\" + n).c_str(), (to + "\\" + n).c_str(), FALSE);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

using files::ReadAll;

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

inline std::string ClassOf(HWND h) {
    char c[64] = "";
    GetClassNameA(h, c, sizeof c);
    return c;
}

// The texts of a dialog's static controls, joined by new lines.
inline std::string StaticTexts(HWND dialog) {
    std::string all;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (lstrcmpiA(ClassOf(c).c_str(), "Static") != 0) continue;
        // An icon's window text is its resource number, not text.
        if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        std::string t = drv::Text(c);
        if (t.empty()) continue;
        if (!all.empty()) all += "\n";
        all += t;
    }
    return all;
}

struct IdSearch {
    int id;
    HWND found;
};

inline BOOL CALLBACK FindIdProc(HWND hwnd, LPARAM lp) {
    IdSearch* s = reinterpret_cast<IdSearch*>(lp);
    if (GetDlgCtrlID(hwnd) == s->id) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

inline HWND Descendant(HWND root, int id) {
    IdSearch s = {id, nullptr};
    EnumChildWindows(root, FindIdProc, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

struct FileDialogSearch {
    DWORD pid;
    HWND found;
};

inline BOOL CALLBACK FindFileDialogProc(HWND hwnd, LPARAM lp) {
    FileDialogSearch* s = reinterpret_cast<FileDialogSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd) || ClassOf(hwnd) != "#32770") return TRUE;
    if (Descendant(hwnd, 0x47c) || Descendant(hwnd, 0x480)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

class Session {
public:
    Session() {
        dist = drv::Env("TLK_DIST");
        if (!dist.empty()) CopyTree(dist, dir.Path().substr(0, dir.Path().size() - 1));
    }
    ~Session() {
        if (main && IsWindow(main)) PostMessageA(main, WM_CLOSE, 0, 0);
        if (!proc.WaitExit(5000)) proc.Kill();
    }

    // Starts the editor from an unrelated working folder and waits for its window.
    HWND Start(const std::string& args = "") {
        if (dist.empty()) return nullptr;
        if (!proc.Start(dir.File("tlkedit.exe"), args, dist)) return nullptr;
        main = drv::WaitWindow(proc.Id(), 20000, "#32770", kMainTitle);
        if (main) drv::Settle(main);
        return main;
    }

    void Command(UINT id) { PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Click(int control) { PostMessageA(GetDlgItem(main, control), BM_CLICK, 0, 0); }

    HWND WaitMessageBox(DWORD ms = 10000) { return drv::WaitWindow(proc.Id(), ms, "#32770", kBoxTitle); }

    // Waits for a message box, returns its text and presses the button.
    std::string Answer(int button, DWORD ms = 10000) {
        HWND box = WaitMessageBox(ms);
        if (!box) return "(no message box)";
        std::string text = StaticTexts(box);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        WaitGone(box);
        return text;
    }

    static bool WaitGone(HWND w, DWORD ms = 10000) {
        DWORD start = GetTickCount();
        while (IsWindow(w) && IsWindowVisible(w)) {
            if (GetTickCount() - start > ms) return false;
            Sleep(30);
        }
        return true;
    }

    // The first file dialog of a fresh prefix takes Wine several seconds
    // (the shell's folders are set up then).
    HWND WaitFileDialog(DWORD ms = 30000) {
        DWORD start = GetTickCount();
        do {
            FileDialogSearch s = {proc.Id(), nullptr};
            EnumWindows(FindFileDialogProc, reinterpret_cast<LPARAM>(&s));
            if (s.found) return s.found;
            Sleep(50);
        } while (GetTickCount() - start < ms);
        return nullptr;
    }

    // Types a path into the open file dialog and accepts it.
    bool ChooseFile(const std::string& path) {
        HWND dialog = WaitFileDialog();
        if (!dialog) return false;
        drv::Settle(dialog, 200);
        HWND box = Descendant(dialog, 0x480);
        if (!box) box = Descendant(dialog, 0x47c);
        if (!box) return false;
        // The name box may be a combo box with an edit inside.
        HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
        SendMessageA(edit ? edit : box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return WaitGone(dialog);
    }

    bool CancelFileDialog() {
        HWND dialog = WaitFileDialog();
        if (!dialog) return false;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return WaitGone(dialog);
    }

    bool Ended(DWORD ms = 10000) { return proc.WaitExit(ms); }

    std::string Work(const std::string& name) const { return dir.File(name); }

    TempDir dir{"editor"};
    std::string dist;
    drv::Process proc;
    HWND main = nullptr;
};

// What a command-line run of the editor gave.
struct Ran {
    DWORD code = 0xFFFF;
    std::string out, err;
};

// Runs the editor with a command line, standard output and error going to files.
// From the installation folder, or from the folder given.
inline Ran RunEditor(const Session& s, const std::string& args, const TempDir& scratch, const std::string& from = "") {
    Ran r;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    const std::string outPath = scratch.File("stdout.txt"), errPath = scratch.File("stderr.txt");
    HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    HANDLE err = CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi;
    std::string cmd = "\"" + s.Work("tlkedit.exe") + "\" " + args;
    std::vector<char> buf(cmd.begin(), cmd.end());
    buf.push_back('\0');
    if (CreateProcessA(nullptr, buf.data(), nullptr, nullptr, TRUE, 0, nullptr, from.empty() ? s.dist.c_str() : from.c_str(),
                       &si, &pi)) {
        if (WaitForSingleObject(pi.hProcess, 120000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
        GetExitCodeProcess(pi.hProcess, &r.code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(out);
    CloseHandle(err);
    r.out = ed::ReadAll(outPath);
    r.err = ed::ReadAll(errPath);
    return r;
}

}  // namespace ed
