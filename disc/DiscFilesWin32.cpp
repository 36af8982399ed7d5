// The disc writer's file access through the Windows calls.
#include "DiscFiles.h"
#include <windows.h>

namespace {

// Windows file times count 100 ns steps from 1601; the writer counts seconds from 1970.
std::int64_t UnixTime(const FILETIME& t) {
    const std::uint64_t ticks = (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000ULL) - 11644473600LL;
}

HANDLE ToHandle(DiscFiles::Handle h) { return reinterpret_cast<HANDLE>(h); }

class Win32DiscFiles : public DiscFiles {
public:
    char Separator() const override { return '\\'; }

    bool List(const std::string& folder, std::vector<Item>& items) override {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(JoinPath(*this, folder, "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            Item item;
            item.name = name;
            item.wide = Wide(name);
            item.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            item.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            item.modified = UnixTime(found.ftLastWriteTime);
            items.push_back(item);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return true;
    }

    bool Exists(const std::string& path) override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::u16string Wide(const std::string& text) override {
        if (text.empty()) return std::u16string();
        int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        if (n <= 0) return std::u16string(text.begin(), text.end());
        std::u16string out(static_cast<std::size_t>(n), u'\0');
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                            reinterpret_cast<wchar_t*>(&out[0]), n);
        return out;
    }

    Handle OpenRead(const std::string& path) override {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        return h == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<Handle>(h);
    }

    long long Read(Handle file, void* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(ToHandle(file), buffer, static_cast<DWORD>(size), &got, nullptr)) return -1;
        return got;
    }

    Handle Create(const std::string& path) override {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
        SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    }

    void Remove(const std::string& path) override { DeleteFileA(path.c_str()); }

    bool SamePath(const std::string& a, const std::string& b) override {
        char fa[MAX_PATH * 2], fb[MAX_PATH * 2];
        DWORD na = GetFullPathNameA(a.c_str(), sizeof fa, fa, nullptr);
        DWORD nb = GetFullPathNameA(b.c_str(), sizeof fb, fb, nullptr);
        if (na == 0 || na >= sizeof fa || nb == 0 || nb >= sizeof fb) return lstrcmpiA(a.c_str(), b.c_str()) == 0;
        return lstrcmpiA(fa, fb) == 0;
    }
};

}  // namespace

DiscFiles& SystemDiscFiles() {
    static Win32DiscFiles files;
    return files;
}
