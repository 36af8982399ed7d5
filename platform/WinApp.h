// The application object: one global instance per program, whose
// InitInstance runs the program's main dialog.
#pragma once
#include "String.h"
#include <windows.h>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    // Runs the program. Return FALSE to end it when this returns.
    virtual BOOL InitInstance() = 0;
    // Called only when InitInstance returned TRUE: the message loop.
    virtual int Run();

    HINSTANCE m_hInstance;
    // The command-line tail: what follows the program name, as Windows passes it.
    const wchar_t* m_lpCmdLine;
    // Owner of dialogs created without a parent.
    HWND m_hMainWnd;
    // The program's exit code when InitInstance returns FALSE.
    int m_nExitCode = 0;

    // The Help command (F1 in any dialog): asks the active window for its
    // help context number and shows that topic.
    virtual void OnHelp();
    // Shows the help topic with this context number. The base class has no
    // help to show.
    virtual void WinHelp(DWORD context);

    static CWinApp* Current() { return s_current; }
    // The entry point's work, guarded so that no exception leaves the program.
    static int Main(HINSTANCE instance, const wchar_t* cmdLine);

private:
    static CWinApp* s_current;
};

// What follows the program's name in a command line, as the runtime hands
// it to WinMain: the name ends at its closing quote or at the first blank,
// and the blanks after it are skipped.
const wchar_t* CommandTail(const wchar_t* commandLine);

// The running program's full path; empty when it does not fit MAX_PATH, since
// a cut path would name the wrong folder.
CString AppProgramPath();

// Program name as used for message-box captions: the executable's file name
// without its extension.
const wchar_t* AppProgramName();

// The module holding the program's resources: the application's instance,
// or the executable when there is no application object (tests).
HINSTANCE AppResourceHandle();

// The help context number a window answers with (a dialog's own, or for a
// property sheet that of its current page); 0 when it has none.
DWORD QueryHelpContext(HWND window);
