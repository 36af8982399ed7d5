#include "DiscPlan.h"
#include <algorithm>
#include <set>

std::string JoinPath(const DiscFiles& files, const std::string& folder, const std::string& name) {
    const char sep = files.Separator();
    if (folder.empty()) return name;
    if (folder.back() == sep || folder.back() == '/') return folder + name;
    return folder + sep + name;
}

namespace disc {

namespace {

const std::uint32_t kFirstFreeSector = 19;      // after the system area and three descriptors

// ---- Names --------------------------------------------------------------------

bool IsDChar(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

// Names are UTF-8: a letter of several bytes becomes one "_".
std::string DChars(const std::string& text, std::size_t max) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x80 && c < 0xC0) continue;   // the rest of a letter already replaced
        if (out.size() == max) break;
        if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
        out += IsDChar(c) ? static_cast<char>(c) : '_';
    }
    return out;
}

bool JolietForbidden(char16_t c) {
    return c < 0x20 || c == '*' || c == '/' || c == ':' || c == ';' || c == '?' || c == '\\';
}

char16_t FoldAscii(char16_t c) { return c >= 'a' && c <= 'z' ? static_cast<char16_t>(c - 'a' + 'A') : c; }

std::u16string Folded(const std::u16string& s) {
    std::u16string f(s);
    for (char16_t& c : f) c = FoldAscii(c);
    return f;
}

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string JolietBytes(const std::u16string& name) {
    std::string b;
    for (char16_t c : name) {
        b += static_cast<char>((c >> 8) & 0xFF);
        b += static_cast<char>(c & 0xFF);
    }
    return b;
}

// Primary names sort by name then extension, each padded with spaces.
std::string PrimarySortKey(const std::string& id) {
    std::string name = id, ext;
    std::size_t semi = name.find(';');
    if (semi != std::string::npos) name.erase(semi);
    std::size_t dot = name.find('.');
    if (dot != std::string::npos) {
        ext = name.substr(dot + 1);
        name.erase(dot);
    }
    name.resize(8, ' ');
    ext.resize(3, ' ');
    return name + ext;
}

std::uint32_t Sectors(std::uint64_t bytes) {
    return static_cast<std::uint32_t>((bytes + kSectorSize - 1) / kSectorSize);
}

// Bytes of a folder's extent: ".", "..", then its records, none crossing a sector.
std::uint32_t DirectoryBytes(const std::vector<ImageNode>& nodes, int dir, int tree) {
    std::uint64_t used = 34 + 34;
    for (int k : nodes[dir].sorted[tree]) {
        const std::size_t len = RecordLength(nodes[k].id[tree].size());
        const std::uint64_t records = nodes[k].folder ? 1 : ExtentCount(nodes[k].size);
        for (std::uint64_t r = 0; r < records; ++r) {
            if (used % kSectorSize + len > kSectorSize) used += kSectorSize - used % kSectorSize;
            used += len;
        }
    }
    return Sectors(used) * kSectorSize;
}

}  // namespace

std::size_t RecordLength(std::size_t idLength) { return 33 + idLength + (idLength % 2 == 0 ? 1 : 0); }

std::uint64_t ExtentCount(std::uint64_t size) {
    if (size <= 0xFFFFFFFFULL) return 1;
    return (size + kExtentMax - 1) / kExtentMax;
}

std::u16string JolietLabel(DiscFiles& files, const std::string& label) {
    std::u16string out = files.Wide(label).substr(0, kJolietLabelMax);
    // Never half of a letter written as two units.
    if (!out.empty() && out.back() >= 0xD800 && out.back() <= 0xDBFF) out.pop_back();
    for (char16_t& c : out)
        if (JolietForbidden(c)) c = '_';
    return out;
}

// ---- The plan -----------------------------------------------------------------

bool ImagePlan::Scan(const std::string& folder, const std::string& skipA, const std::string& skipB) {
    ImageNode root;
    root.path = folder;
    root.folder = true;
    nodes.push_back(root);
    // Breadth first over an index list: no recursion, however deep the tree.
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (!nodes[i].folder) continue;
        std::vector<DiscFiles::Item> items;
        const std::string path = nodes[i].path;
        if (!m_files.List(path, items)) {
            error = "Cannot read the folder " + path;
            return false;
        }
        std::vector<int> kids;
        for (const DiscFiles::Item& item : items) {
            ImageNode n;
            n.path = JoinPath(m_files, path, item.name);
            if (!item.folder && ((!skipA.empty() && m_files.SamePath(n.path, skipA)) ||
                                 (!skipB.empty() && m_files.SamePath(n.path, skipB))))
                continue;
            n.folder = item.folder;
            n.size = item.folder ? 0 : item.size;
            n.modified = item.modified;
            n.parent = static_cast<int>(i);
            n.id[1] = JolietBytes(item.wide);   // the real name for now, fixed by NameChildren
            n.id[0] = item.name;
            kids.push_back(static_cast<int>(nodes.size()));
            nodes.push_back(n);
        }
        nodes[i].children = kids;
        NameChildren(static_cast<int>(i));
    }
    return true;
}

// Gives the children of a folder unique names in both trees.
void ImagePlan::NameChildren(int dir) {
    std::set<std::string> primaryTaken;
    std::set<std::u16string> jolietTaken;
    for (int k : nodes[dir].children) {
        ImageNode& n = nodes[k];
        // Primary: the 8.3 form, "~1", "~2"... on a collision.
        std::string real = n.id[0];
        std::string id = PrimaryName(real, n.folder);
        for (int serial = 1; primaryTaken.count(PrimarySortKey(id)); ++serial) {
            std::string base = id, tail;
            std::size_t cut = base.find_first_of(".;");
            if (cut != std::string::npos) { tail = base.substr(cut); base.erase(cut); }
            // Level-1 names hold only d-characters, so no "~".
            std::string mark = "_" + std::to_string(serial);
            if (base.size() + mark.size() > 8) base.resize(8 - mark.size());
            id = base + mark + tail;
        }
        primaryTaken.insert(PrimarySortKey(id));
        n.id[0] = id;
        n.sortKey[0] = PrimarySortKey(id);

        // Joliet: the real name, forbidden characters replaced, cut to 64.
        std::u16string wide;
        for (std::size_t i = 0; i + 1 < n.id[1].size(); i += 2)
            wide += static_cast<char16_t>((static_cast<unsigned char>(n.id[1][i]) << 8) |
                                          static_cast<unsigned char>(n.id[1][i + 1]));
        for (char16_t& c : wide)
            if (JolietForbidden(c)) c = '_';
        if (wide.empty()) wide.assign(1, u'_');
        std::u16string name = wide, ext;
        std::size_t dot = wide.rfind('.');
        if (!n.folder && dot != std::u16string::npos && dot > 0 && wide.size() - dot <= 8) {
            name = wide.substr(0, dot);
            ext = wide.substr(dot);
        }
        std::u16string candidate = (name + ext).substr(0, kJolietNameMax);
        if (name.size() + ext.size() > static_cast<std::size_t>(kJolietNameMax))
            candidate = name.substr(0, kJolietNameMax - ext.size()) + ext;
        for (int serial = 1; jolietTaken.count(Folded(candidate)); ++serial) {
            std::u16string mark = Widen("~" + std::to_string(serial));
            std::size_t room = kJolietNameMax - ext.size() - mark.size();
            candidate = name.substr(0, room) + mark + ext;
        }
        jolietTaken.insert(Folded(candidate));
        n.id[1] = JolietBytes(candidate);
        n.sortKey[1] = n.id[1];             // big-endian bytes sort as UCS-2 code units
    }
    for (int t = 0; t < 2; ++t) {
        std::vector<int> s = nodes[dir].children;
        std::sort(s.begin(), s.end(), [&](int a, int b) { return nodes[a].sortKey[t] < nodes[b].sortKey[t]; });
        nodes[dir].sorted[t] = s;
    }
}

void ImagePlan::Layout() {
    for (int t = 0; t < 2; ++t) {
        // Path-table order: by level, then by parent's number, then by name.
        dirs[t].clear();
        dirs[t].push_back(0);
        for (std::size_t i = 0; i < dirs[t].size(); ++i) {
            nodes[dirs[t][i]].number[t] = static_cast<int>(i) + 1;
            for (int k : nodes[dirs[t][i]].sorted[t])
                if (nodes[k].folder) dirs[t].push_back(k);
        }
        std::uint32_t bytes = 0;
        for (int d : dirs[t]) {
            const std::size_t idLen = d == 0 ? 1 : nodes[d].id[t].size();
            bytes += static_cast<std::uint32_t>(8 + idLen + idLen % 2);
        }
        pathTableBytes[t] = bytes;
    }
    std::uint32_t sector = kFirstFreeSector;
    for (int t = 0; t < 2; ++t)
        for (int lm = 0; lm < 2; ++lm) {
            pathTableSector[t][lm] = sector;
            sector += Sectors(pathTableBytes[t]);
        }
    for (int t = 0; t < 2; ++t)
        for (int d : dirs[t]) {
            nodes[d].dirBytes[t] = DirectoryBytes(nodes, d, t);
            nodes[d].dirSector[t] = sector;
            sector += nodes[d].dirBytes[t] / kSectorSize;
        }
    for (int d : dirs[0])
        for (int k : nodes[d].sorted[0]) {
            ImageNode& n = nodes[k];
            if (n.folder) continue;
            // Empty files take no sector: extent 0, as the other writers do.
            n.dataSector = n.size == 0 ? 0 : sector;
            sector += Sectors(n.size);
        }
    totalSectors = sector;
}

// ---- Names and size for the callers (DiscImage.h) -----------------------------

std::string PrimaryName(const std::string& name, bool folder) {
    if (folder) {
        std::string id = DChars(name, 8);
        return id.empty() ? "_" : id;
    }
    std::string base = name, ext;
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        base = name.substr(0, dot);
        ext = name.substr(dot + 1);
    }
    base = DChars(base, 8);
    ext = DChars(ext, 3);
    if (base.empty() && ext.empty()) base = "_";
    return base + "." + ext + ";1";
}

std::string PrimaryLabel(const std::string& label) {
    std::string id = DChars(label, kPrimaryLabelMax);
    return id.empty() ? "CDROM" : id;
}

bool JolietHolds(const std::u16string& name) {
    if (name.empty() || name.size() > static_cast<std::size_t>(kJolietNameMax)) return false;
    for (char16_t c : name)
        if (JolietForbidden(c)) return false;
    return true;
}

std::uint64_t MeasureImage(DiscFiles& files, const std::string& folder) {
    ImagePlan plan(files);
    if (!plan.Scan(folder, "", "")) return 0;
    plan.Layout();
    return static_cast<std::uint64_t>(plan.totalSectors) * kSectorSize;
}

}  // namespace disc
