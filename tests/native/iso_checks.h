// Reads an ISO 9660 image the hard way and checks what the usual readers
// let pass: both halves of every both-endian field, L and M path tables that
// agree with each other and with the folders, records that never cross a
// sector, sorted records, extents inside the volume and a volume size that
// matches the file.
#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace iso {

struct File {
    std::string path;                   // "/A/B.TXT" (primary, without ";1") or the Joliet name in UTF-8
    std::uint64_t size = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> extents;   // sector, bytes
};

struct Tree {
    std::vector<File> files;
    std::vector<std::string> folders;   // "/A", "/A/B"
};

struct Report {
    std::vector<std::string> faults;
    Tree tree[2];                       // primary, Joliet
    std::string primaryLabel;           // trailing spaces removed
    std::string jolietLabel;            // UTF-8, trailing spaces removed
    std::uint32_t volumeSectors = 0;
};

inline std::string Utf8(const unsigned char* p, std::size_t bytes) {
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes; i += 2) {
        unsigned c = (p[i] << 8) | p[i + 1];
        if (c < 0x80) out += static_cast<char>(c);
        else if (c < 0x800) { out += static_cast<char>(0xC0 | (c >> 6)); out += static_cast<char>(0x80 | (c & 0x3F)); }
        else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

inline std::string Trim(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
}

class Reader {
public:
    explicit Reader(const std::string& image) { m_fd = open(image.c_str(), O_RDONLY); }
    ~Reader() { if (m_fd >= 0) close(m_fd); }
    bool Ok() const { return m_fd >= 0; }
    std::uint64_t Size() const { struct stat st; return fstat(m_fd, &st) == 0 ? st.st_size : 0; }
    std::vector<unsigned char> Read(std::uint64_t offset, std::size_t size) const {
        std::vector<unsigned char> b(size);
        ssize_t n = pread(m_fd, b.data(), size, static_cast<off_t>(offset));
        b.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return b;
    }
    std::string Content(const File& f) const {
        std::string out;
        for (auto& e : f.extents) {
            auto b = Read(std::uint64_t(e.first) * 2048, e.second);
            out.append(b.begin(), b.end());
        }
        return out;
    }

private:
    int m_fd = -1;
};

inline std::uint32_t LE(const unsigned char* p, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}
inline std::uint32_t BE(const unsigned char* p, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | p[i];
    return v;
}

class Checker {
public:
    Checker(const Reader& r, Report& rep) : m_r(r), m_rep(rep) {}

    void Fault(const std::string& s) { if (m_rep.faults.size() < 50) m_rep.faults.push_back(s); }

    std::uint32_t Both32(const unsigned char* p, const std::string& what) {
        if (LE(p, 4) != BE(p + 4, 4)) Fault(what + ": halves differ");
        return LE(p, 4);
    }
    std::uint32_t Both16(const unsigned char* p, const std::string& what) {
        if (LE(p, 2) != BE(p + 2, 2)) Fault(what + ": halves differ");
        return LE(p, 2);
    }

    struct PathEntry {
        std::string id;
        std::uint32_t sector;
        unsigned parent;
        bool operator==(const PathEntry& o) const { return id == o.id && sector == o.sector && parent == o.parent; }
    };

    std::vector<PathEntry> PathTable(std::uint32_t sector, std::uint32_t bytes, bool big) {
        std::vector<PathEntry> out;
        auto b = m_r.Read(std::uint64_t(sector) * 2048, bytes);
        if (b.size() != bytes) { Fault("path table outside the image"); return out; }
        for (std::size_t p = 0; p + 8 <= b.size();) {
            unsigned len = b[p];
            if (len == 0 || p + 8 + len > b.size()) { Fault("bad path table entry"); break; }
            PathEntry e;
            e.sector = big ? BE(&b[p + 2], 4) : LE(&b[p + 2], 4);
            e.parent = big ? BE(&b[p + 6], 2) : LE(&b[p + 6], 2);
            e.id.assign(reinterpret_cast<const char*>(&b[p + 8]), len);
            out.push_back(e);
            p += 8 + len + len % 2;
        }
        return out;
    }

    void Volume(int t, const unsigned char* d) {
        const std::string tag = t == 0 ? "primary" : "Joliet";
        std::uint32_t space = Both32(d + 80, tag + " volume space size");
        if (std::uint64_t(space) * 2048 != m_r.Size()) Fault(tag + ": volume space size does not match the file");
        m_rep.volumeSectors = space;
        if (Both16(d + 120, tag + " volume set size") != 1) Fault("volume set size");
        if (Both16(d + 124, tag + " volume sequence") != 1) Fault("volume sequence number");
        if (Both16(d + 128, tag + " block size") != 2048) Fault("block size");
        std::uint32_t ptBytes = Both32(d + 132, tag + " path table size");
        auto l = PathTable(LE(d + 140, 4), ptBytes, false);
        auto m = PathTable(BE(d + 148, 4), ptBytes, true);
        if (!(l == m)) Fault(tag + ": L and M path tables differ");
        if (d[156] != 34) Fault(tag + ": root record length");
        Walk(t, d + 156, l);
    }

    void Walk(int t, const unsigned char* rootRecord, const std::vector<PathEntry>& table) {
        struct Dir { std::uint32_t sector, bytes; std::string path; unsigned number, parentNumber; std::uint32_t parentSector; std::string id; };
        std::deque<Dir> queue;
        std::uint32_t rs = Both32(rootRecord + 2, "root extent"), rb = Both32(rootRecord + 10, "root size");
        queue.push_back({rs, rb, "", 1, 1, rs, std::string(1, '\0')});
        unsigned next = 1;
        std::vector<Dir> order;
        while (!queue.empty()) {
            Dir dir = queue.front();
            queue.pop_front();
            order.push_back(dir);
            if (dir.bytes % 2048) Fault("folder size not whole sectors: " + dir.path);
            if (std::uint64_t(dir.sector) + dir.bytes / 2048 > m_rep.volumeSectors) { Fault("folder outside volume"); continue; }
            auto b = m_r.Read(std::uint64_t(dir.sector) * 2048, dir.bytes);
            std::size_t p = 0;
            int index = 0;
            std::string lastKey;
            File* pending = nullptr;
            File current;
            std::vector<std::string> seen;      // names must be unique within a folder
            while (p < b.size()) {
                unsigned len = b[p];
                if (len == 0) { p = (p / 2048 + 1) * 2048; continue; }
                if (p % 2048 + len > 2048) Fault("record crosses a sector in " + dir.path);
                if (p + len > b.size() || len < 34) { Fault("bad record in " + dir.path); break; }
                const unsigned char* r = &b[p];
                std::uint32_t sector = Both32(r + 2, "extent of a record"), bytes = Both32(r + 10, "size of a record");
                Both16(r + 28, "volume sequence of a record");
                unsigned flags = r[25], idLen = r[32];
                if (33 + idLen > len) { Fault("identifier longer than record"); break; }
                std::string id(reinterpret_cast<const char*>(r + 33), idLen);
                if (index == 0) {
                    if (id != std::string(1, '\0') || sector != dir.sector) Fault("bad '.' in " + dir.path);
                } else if (index == 1) {
                    if (id != std::string(1, '\1') || sector != dir.parentSector) Fault("bad '..' in " + dir.path);
                } else {
                    std::string key = t == 0 ? SortKey(id) : id;
                    if (key < lastKey) Fault("records out of order in " + dir.path);
                    lastKey = key;
                    std::string name = t == 0 ? id : Utf8(r + 33, idLen);
                    if (t == 0 && !(flags & 2)) {
                        std::size_t semi = name.find(';');
                        if (semi == std::string::npos) Fault("primary file without version: " + name);
                        else name.erase(semi);
                        if (!name.empty() && name.back() == '.') name.pop_back();
                    }
                    if (!pending) {
                        std::string folded = name;
                        for (char& ch : folded) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
                        if (std::find(seen.begin(), seen.end(), folded) != seen.end()) Fault("two records named " + name + " in " + dir.path);
                        seen.push_back(folded);
                    }
                    if (flags & 2) {
                        queue.push_back({sector, bytes, dir.path + "/" + name, ++next, dir.number, dir.sector, id});
                        m_rep.tree[t].folders.push_back(dir.path + "/" + name);
                    } else {
                        if (sector != 0 || bytes != 0)
                            if (std::uint64_t(sector) + (bytes + 2047) / 2048 > m_rep.volumeSectors) Fault("extent outside volume: " + name);
                        if (!pending) {
                            current = File();
                            current.path = dir.path + "/" + name;
                            pending = &current;
                        } else if (dir.path + "/" + name != current.path) {
                            Fault("multi-extent file continues under another name: " + name);
                        }
                        if ((flags & 0x80) && bytes % 2048) Fault("inner extent not whole sectors: " + name);
                        current.extents.push_back({sector, bytes});
                        current.size += bytes;
                        if (!(flags & 0x80)) {
                            m_rep.tree[t].files.push_back(current);
                            pending = nullptr;
                        }
                    }
                }
                ++index;
                p += len;
            }
            if (pending) Fault("multi-extent file without its last record");
            if (index < 2) Fault("folder without '.' and '..': " + dir.path);
        }
        // The path table lists the folders in the same order, with their parents.
        if (table.size() != order.size()) {
            Fault("path table has " + std::to_string(table.size()) + " folders, the tree " + std::to_string(order.size()));
            return;
        }
        for (std::size_t i = 0; i < order.size(); ++i) {
            const PathEntry& e = table[i];
            if (e.sector != order[i].sector || e.parent != order[i].parentNumber || e.id != order[i].id)
                Fault("path table entry " + std::to_string(i + 1) + " does not match folder " + order[i].path);
        }
    }

    static std::string SortKey(std::string id) {
        std::string ext;
        std::size_t semi = id.find(';');
        if (semi != std::string::npos) id.erase(semi);
        std::size_t dot = id.find('.');
        if (dot != std::string::npos) { ext = id.substr(dot + 1); id.erase(dot); }
        id.resize(8, ' ');
        ext.resize(3, ' ');
        return id + ext;
    }

private:
    const Reader& m_r;
    Report& m_rep;
};

inline Report Check(const std::string& image) {
    Report rep;
    Reader r(image);
    if (!r.Ok()) { rep.faults.push_back("cannot open image"); return rep; }
    if (r.Size() % 2048) rep.faults.push_back("image size not whole sectors");
    auto pvd = r.Read(16 * 2048, 2048), svd = r.Read(17 * 2048, 2048), term = r.Read(18 * 2048, 2048);
    if (pvd.size() < 2048 || svd.size() < 2048 || term.size() < 2048) { rep.faults.push_back("short image"); return rep; }
    if (pvd[0] != 1 || std::memcmp(&pvd[1], "CD001", 5) || pvd[6] != 1) rep.faults.push_back("no primary descriptor");
    if (svd[0] != 2 || std::memcmp(&svd[1], "CD001", 5) || std::memcmp(&svd[88], "%/E", 3))
        rep.faults.push_back("no Joliet descriptor");
    if (term[0] != 255 || std::memcmp(&term[1], "CD001", 5)) rep.faults.push_back("no terminator");
    rep.primaryLabel = Trim(std::string(reinterpret_cast<const char*>(&pvd[40]), 32));
    rep.jolietLabel = Trim(Utf8(&svd[40], 32));
    Checker c(r, rep);
    c.Volume(0, pvd.data());
    c.Volume(1, svd.data());
    return rep;
}

}  // namespace iso
