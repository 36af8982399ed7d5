// Helpers shared by the host tests of the disc image writer: scratch
// folders, files, shell commands and an image of a folder with fixed dates.
#pragma once
#include "disc/DiscImage.h"
#include "posix_disc_files.h"
#include <sys/stat.h>
#include <sys/wait.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

const std::int64_t kSomeTime = 1700000000;   // 2023-11-14 22:13:20 UTC

// A scratch folder, removed with everything in it.
struct Folder {
    std::string path;
    Folder() {
        char tmpl[] = "/tmp/discimg-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~Folder() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

// Creates the folders on the way to a file.
inline void MakeParents(const std::string& file) {
    for (std::size_t i = 1; i < file.size(); ++i)
        if (file[i] == '/') mkdir(file.substr(0, i).c_str(), 0755);
}

inline void Put(const std::string& file, const std::string& content) {
    MakeParents(file);
    std::ofstream(file, std::ios::binary) << content;
}

inline std::string Slurp(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Ran {
    int code = -1;
    std::string out;
};

// Runs a command (its errors silenced) and keeps what it prints.
inline Ran Shell(const std::string& command) {
    Ran r;
    FILE* p = popen(("LC_ALL=C.UTF-8 " + command + " 2>/dev/null").c_str(), "r");
    if (!p) return r;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// Files are compared by size and checksum, so that a failure prints short.
inline std::string Digest(const std::string& content) {
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : content) h = (h ^ c) * 1099511628211ULL;
    return std::to_string(content.size()) + ":" + std::to_string(h);
}

// The lines of a text that are not empty.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// n bytes of a pattern that differs with the seed.
inline std::string Bytes(std::size_t n, int seed) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + seed * 7 + i / 251) & 0xFF);
    return s;
}

// The image of a folder with the volume dates at kSomeTime.
inline disc::ImageResult Make(const std::string& folder, const std::string& image, const std::string& label,
                       const disc::Progress& progress = nullptr) {
    PosixDiscFiles files;
    disc::ImageOptions options;
    options.label = label;
    options.created = kSomeTime;
    return disc::WriteImage(files, folder, image, options, progress);
}
