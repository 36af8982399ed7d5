// The disc writer's file access on a POSIX host (names are UTF-8 there).
#pragma once
#include "disc/DiscFiles.h"
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>

inline std::u16string Utf8ToUcs2(const std::string& s) {
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        unsigned cp = c;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra) cp = c & (0x3F >> extra);
        ++i;
        for (int k = 0; k < extra && i < s.size(); ++k, ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
        out += cp > 0xFFFF ? u'_' : static_cast<char16_t>(cp);
    }
    return out;
}

class PosixDiscFiles : public DiscFiles {
public:
    char Separator() const override { return '/'; }

    bool List(const std::string& folder, std::vector<Item>& items) override {
        DIR* d = opendir(folder.c_str());
        if (!d) return false;
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name == "." || name == "..") continue;
            struct stat st;
            if (stat(JoinPath(*this, folder, name).c_str(), &st) != 0) continue;
            Item item;
            item.name = name;
            item.wide = Utf8ToUcs2(name);
            item.folder = S_ISDIR(st.st_mode);
            item.size = static_cast<std::uint64_t>(st.st_size);
            item.modified = st.st_mtime;
            items.push_back(item);
        }
        closedir(d);
        return true;
    }
    bool Exists(const std::string& path) override {
        struct stat st;
        return stat(path.c_str(), &st) == 0;
    }
    std::u16string Wide(const std::string& text) override { return Utf8ToUcs2(text); }

    Handle OpenRead(const std::string& path) override {
        int fd = open(path.c_str(), O_RDONLY);
        return fd < 0 ? 0 : fd + 1;
    }
    long long Read(Handle file, void* buffer, std::size_t size) override {
        return read(static_cast<int>(file - 1), buffer, size);
    }
    Handle Create(const std::string& path) override {
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        return fd < 0 ? 0 : fd + 1;
    }
    bool Write(Handle file, const void* data, std::size_t size) override {
        const char* p = static_cast<const char*>(data);
        while (size > 0) {
            ssize_t n = write(static_cast<int>(file - 1), p, size);
            if (n <= 0) return false;
            p += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }
    bool Skip(Handle file, std::uint64_t size) override {
        return lseek(static_cast<int>(file - 1), static_cast<off_t>(size), SEEK_CUR) >= 0;
    }
    bool Finish(Handle file, std::uint64_t length) override {
        bool ok = ftruncate(static_cast<int>(file - 1), static_cast<off_t>(length)) == 0;
        return close(static_cast<int>(file - 1)) == 0 && ok;
    }
    void Close(Handle file) override { close(static_cast<int>(file - 1)); }
    bool Replace(const std::string& from, const std::string& to) override {
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    void Remove(const std::string& path) override { unlink(path.c_str()); }
    bool SamePath(const std::string& a, const std::string& b) override { return a == b; }
};
