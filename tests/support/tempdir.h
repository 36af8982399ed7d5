// A fresh folder under the system's temporary folder, removed with its files
// when the test ends.
//
// Its paths come in two forms: UTF-16 (File(L"x"), PathW()) for the
// programs' code, and UTF-8 (File("x"), Path()) for the disc subsystem and
// for the drivers that start programs through the A functions (there the
// folder's tag stays ASCII, where both forms are the same bytes).
#pragma once
#include "files.h"
#include "text.h"
#include <windows.h>
#include <string>

class TempDir {
public:
    explicit TempDir(const wchar_t* tag = L"tlk") {
        wchar_t base[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, base);
        static unsigned counter = 0;
        for (;;) {
            std::wstring name = std::wstring(base) + tag + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(++counter);
            if (CreateDirectoryW(name.c_str(), nullptr)) { m_path = name; break; }
            if (GetLastError() != ERROR_ALREADY_EXISTS) break;
        }
        m_path += L"\\";
    }
    explicit TempDir(const char* tag) : TempDir(text::W(tag).c_str()) {}
    ~TempDir() { RemoveTree(m_path); }

    // Folder with its trailing backslash.
    const std::wstring& PathW() const { return m_path; }
    std::string Path() const { return text::U8(m_path); }
    std::wstring File(const std::wstring& name) const { return m_path + name; }
    std::string File(const std::string& name) const { return text::U8(File(text::W(name))); }

    void Write(const std::wstring& name, const std::string& content) const { files::WriteAll(File(name), content); }
    void Write(const std::string& name, const std::string& content) const { Write(text::W(name), content); }

    std::string Read(const std::wstring& name) const { return files::ReadAll(File(name)); }
    std::string Read(const std::string& name) const { return Read(text::W(name)); }

    bool Exists(const std::wstring& name) const { return GetFileAttributesW(File(name).c_str()) != INVALID_FILE_ATTRIBUTES; }
    bool Exists(const std::string& name) const { return Exists(text::W(name)); }

    static void RemoveTree(const std::wstring& dir) {
        if (dir.empty()) return;
        WIN32_FIND_DATAW fd;
        HANDLE find = FindFirstFileW((dir + L"*").c_str(), &fd);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring n = fd.cFileName;
                if (n == L"." || n == L"..") continue;
                std::wstring full = dir + n;
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full + L"\\");
                else DeleteFileW(full.c_str());
            } while (FindNextFileW(find, &fd));
            FindClose(find);
        }
        RemoveDirectoryW(dir.c_str());
    }
    static void RemoveTree(const std::string& dir) { RemoveTree(text::W(dir)); }

private:
    std::wstring m_path;
};
