// A fresh folder under the system's temporary folder, removed with its files
// when the test ends.
#pragma once
#include "files.h"
#include <windows.h>
#include <string>

class TempDir {
public:
    explicit TempDir(const char* tag = "tlk") {
        char base[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, base);
        static unsigned counter = 0;
        for (;;) {
            char name[MAX_PATH];
            wsprintfA(name, "%s%s-%lu-%u", base, tag, GetCurrentProcessId(), ++counter);
            if (CreateDirectoryA(name, nullptr)) { m_path = name; break; }
            if (GetLastError() != ERROR_ALREADY_EXISTS) break;
        }
        m_path += "\\";
    }
    ~TempDir() { RemoveTree(m_path); }

    // Folder with its trailing backslash.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }

    void Write(const std::string& name, const std::string& content) const {
        HANDLE h = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(h);
    }

    std::string Read(const std::string& name) const { return files::ReadAll(File(name)); }

    bool Exists(const std::string& name) const {
        return GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    static void RemoveTree(const std::string& dir) {
        if (dir.empty()) return;
        WIN32_FIND_DATAA fd;
        HANDLE find = FindFirstFileA((dir + "*").c_str(), &fd);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string n = fd.cFileName;
                if (n == "." || n == "..") continue;
                std::string full = dir + n;
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full + "\\");
                else DeleteFileA(full.c_str());
            } while (FindNextFileA(find, &fd));
            FindClose(find);
        }
        RemoveDirectoryA(dir.c_str());
    }

private:
    std::string m_path;
};
