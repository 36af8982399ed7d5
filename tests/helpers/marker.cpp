// A stand-in for a program on the disc: records how it was started by
// appending one line "<command-line tail>|<current directory>" to
// marker.txt in its current directory.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, cwd);
    HANDLE h = CreateFileA("marker.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    DWORD n = 0;
    WriteFile(h, cmdLine, lstrlenA(cmdLine), &n, nullptr);
    WriteFile(h, "|", 1, &n, nullptr);
    WriteFile(h, cwd, lstrlenA(cwd), &n, nullptr);
    WriteFile(h, "\r\n", 2, &n, nullptr);
    CloseHandle(h);
    return 0;
}
