// The disc writer's file access through the Windows calls.
#include "DiscFiles.h"
#include "../platform/Encoding.h"
#include <windows.h>

namespace {

// Windows file times count 100 ns steps from 1601; the writer counts seconds from 1970.
std::int64_t UnixTime(const FILETIME& t) {
    const std::uint64_t ticks = (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000ULL) - 11644473600LL;
}

HANDLE ToHandle(DiscFiles::Handle h) { return reinterpret_cast<HANDLE>(h); }

// The disc subsystem's paths are UTF-8; Windows takes them as UTF-16.
CString W(const std::string& path) { return FromUtf8(path); }

class Win32DiscFiles : public DiscFiles {
public:
    char Separator() const override { return '\\'; }

    bool List(const std::string& folder, std::vector<Item>& items) override {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(W(JoinPath(*this, folder, "*")), &found);
        if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
        do {
            const std::string name = ToUtf8(found.cFileName, WideLength(found.cFileName));
            if (name == "." || name == "..") continue;
            Item item;
            item.name = name;
            item.wide = Wide(name);
            item.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            item.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            item.modified = UnixTime(found.ftLastWriteTime);
            items.push_back(item);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return true;
    }

    bool Exists(const std::string& path) override {
        return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES;
    }

    std::u16string Wide(const std::string& text) override {
        const CString wide = W(text);
        return std::u16string(wide.c_str(), wide.c_str() + wide.GetLength());
    }

    Handle OpenRead(const std::string& path) override {
        HANDLE h = CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        return h == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<Handle>(h);
    }

    long long Read(Handle file, void* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(ToHandle(file), buffer, static_cast<DWORD>(size), &got, nullptr)) return -1;
        return got;
    }

    Handle Create(const std::string& path) override {
        SetFileAttributesW(W(path), FILE_ATTRIBUTE_NORMAL);
        HANDLE h = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        return h == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<Handle>(h);
    }

    bool Write(Handle file, const void* data, std::size_t size) override {
        DWORD written = 0;
        return WriteFile(ToHandle(file), data, static_cast<DWORD>(size), &written, nullptr) && written == size;
    }

    bool Skip(Handle file, std::uint64_t size) override {
        LARGE_INTEGER move;
        move.QuadPart = static_cast<LONGLONG>(size);
        return SetFilePointerEx(ToHandle(file), move, nullptr, FILE_CURRENT) != FALSE;
    }

    bool Finish(Handle file, std::uint64_t length) override {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(length);
        bool ok = SetFilePointerEx(ToHandle(file), at, nullptr, FILE_BEGIN) && SetEndOfFile(ToHandle(file));
        return CloseHandle(ToHandle(file)) && ok;
    }

    void Close(Handle file) override { CloseHandle(ToHandle(file)); }

    bool Replace(const std::string& from, const std::string& to) override {
        SetFileAttributesW(W(to), FILE_ATTRIBUTE_NORMAL);
        return MoveFileExW(W(from), W(to), MOVEFILE_REPLACE_EXISTING) != FALSE;
    }

    void Remove(const std::string& path) override { DeleteFileW(W(path)); }

    bool SamePath(const std::string& a, const std::string& b) override {
        const DWORD kRoom = MAX_PATH * 2;
        wchar_t fa[kRoom], fb[kRoom];
        DWORD na = GetFullPathNameW(W(a), kRoom, fa, nullptr);
        DWORD nb = GetFullPathNameW(W(b), kRoom, fb, nullptr);
        if (na == 0 || na >= kRoom || nb == 0 || nb >= kRoom) return lstrcmpiW(W(a), W(b)) == 0;
        return lstrcmpiW(fa, fb) == 0;
    }
};

}  // namespace

DiscFiles& SystemDiscFiles() {
    static Win32DiscFiles files;
    return files;
}
