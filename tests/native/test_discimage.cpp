// The disc image writer on the host: images of prepared folders, read back
// by three independent readers (isoinfo, xorriso/osirrox, 7z) and by a
// strict structure check of our own.
#include "disc/DiscImage.h"
#include "disc_test_helpers.h"
#include "iso_checks.h"
#include "posix_disc_files.h"
#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/stat.h>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <set>

namespace {

// isoinfo prints and takes Joliet names in Latin-1.
std::string Latin1ToUtf8(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c < 0x80) out += static_cast<char>(c);
        else { out += static_cast<char>(0xC0 | (c >> 6)); out += static_cast<char>(0x80 | (c & 0x3F)); }
    }
    return out;
}
std::string Utf8ToLatin1(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0xC0 && i + 1 < s.size()) { out += static_cast<char>(((c & 0x1F) << 6) | (s[i + 1] & 0x3F)); ++i; }
        else out += static_cast<char>(c);
    }
    return out;
}

// Every file under a folder: "/a/b.txt" -> content.
void Collect(const std::string& root, const std::string& rel, std::map<std::string, std::string>& files,
             std::set<std::string>& folders) {
    DIR* d = opendir((root + rel).c_str());
    if (!d) return;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        struct stat st;
        stat((root + rel + "/" + name).c_str(), &st);
        if (S_ISDIR(st.st_mode)) {
            folders.insert(rel + "/" + name);
            Collect(root, rel + "/" + name, files, folders);
        } else {
            files[rel + "/" + name] = Digest(Slurp(root + rel + "/" + name));
        }
    }
    closedir(d);
}

struct Snapshot {
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
};

Snapshot Take(const std::string& root) {
    Snapshot s;
    Collect(root, "", s.files, s.folders);
    return s;
}

bool ValidPrimaryName(const std::string& name, bool folder) {
    std::size_t dot = name.find('.');
    std::string base = folder ? name : name.substr(0, dot);
    std::string ext = folder || dot == std::string::npos ? "" : name.substr(dot + 1);
    if (!folder && dot == std::string::npos && name.empty()) return false;
    auto dchars = [](const std::string& s) {
        for (char c : s)
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
        return true;
    };
    return base.size() <= 8 && ext.size() <= 3 && dchars(base) && dchars(ext) && !(base.empty() && ext.empty());
}

std::string Leaf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// Reads the image with every reader and compares it with the source.
// 'expected' is what the Joliet tree must hold (the source unless names were
// changed to fit).
void CompareWithReaders(const std::string& image, const Snapshot& expected, const std::string& label) {
    iso::Report rep = iso::Check(image);
    for (const std::string& f : rep.faults) ADD_FAILURE() << "structure: " << f;
    iso::Reader reader(image);

    // Joliet tree, our own reading: names, sizes and bytes.
    std::map<std::string, std::string> joliet;
    for (const iso::File& f : rep.tree[1].files) joliet[f.path] = Digest(reader.Content(f));
    EXPECT_EQ(joliet, expected.files);
    EXPECT_EQ(std::set<std::string>(rep.tree[1].folders.begin(), rep.tree[1].folders.end()), expected.folders);

    // Primary tree: the same files (same extents) under valid 8.3 names.
    ASSERT_EQ(rep.tree[0].files.size(), rep.tree[1].files.size());
    std::multiset<std::pair<std::uint32_t, std::uint64_t>> pe, je;
    for (const iso::File& f : rep.tree[0].files) {
        pe.insert({f.extents[0].first, f.size});
        EXPECT_TRUE(ValidPrimaryName(Leaf(f.path), false)) << f.path;
    }
    for (const iso::File& f : rep.tree[1].files) je.insert({f.extents[0].first, f.size});
    EXPECT_EQ(pe, je);
    for (const std::string& f : rep.tree[0].folders) EXPECT_TRUE(ValidPrimaryName(Leaf(f), true)) << f;
    EXPECT_EQ(rep.tree[0].folders.size(), expected.folders.size());

    // isoinfo: summary, Joliet names, primary records, extraction.
    Ran d = Shell("isoinfo -d -i '" + image + "'");
    EXPECT_EQ(d.code, 0);
    EXPECT_NE(d.out.find("Joliet with UCS level 3 found"), std::string::npos) << d.out;
    EXPECT_NE(d.out.find("Volume id: " + disc::PrimaryLabel(label)), std::string::npos) << d.out;
    EXPECT_NE(d.out.find("Volume size is: " + std::to_string(rep.volumeSectors)), std::string::npos) << d.out;

    std::set<std::string> names;
    for (const std::string& line : Lines(Shell("isoinfo -J -j iso8859-1 -f -i '" + image + "'").out))
        names.insert(Latin1ToUtf8(line));
    std::set<std::string> want(expected.folders);
    for (auto& f : expected.files) want.insert(f.first);
    EXPECT_EQ(names, want);

    // isoinfo -l: every primary file with its size, folder by folder.
    std::multiset<std::pair<std::string, std::uint64_t>> listed, parsed;
    std::string dir;
    for (const std::string& line : Lines(Shell("isoinfo -l -i '" + image + "'").out)) {
        if (line.rfind("Directory listing of ", 0) == 0) { dir = line.substr(21); continue; }
        std::size_t close = line.find(']');
        if (line.size() < 12 || line[0] != '-' || close == std::string::npos) continue;
        std::string name = line.substr(close + 1);
        name.erase(0, name.find_first_not_of(' '));
        while (!name.empty() && name.back() == ' ') name.pop_back();
        unsigned long long size = 0;
        std::sscanf(line.c_str() + 10, "%*s %*s %*s %llu", &size);
        listed.insert({dir + name, size});
    }
    for (const iso::File& f : rep.tree[0].files) {
        std::string n = f.path;
        parsed.insert({n.substr(0, n.rfind('/') + 1) + Leaf(n) + (Leaf(n).find('.') == std::string::npos ? ".;1" : ";1"),
                       f.size});
    }
    EXPECT_EQ(listed, parsed);

    int extracted = 0;
    for (auto& f : expected.files) {
        if (++extracted > 25) break;   // a sample is enough
        Ran x = Shell("isoinfo -J -j iso8859-1 -i '" + image + "' -x '" + Utf8ToLatin1(f.first) + "'");
        EXPECT_EQ(Digest(x.out), f.second) << "isoinfo -x " << f.first;
    }

    // xorriso: Joliet and primary trees with their extents.
    for (int t = 0; t < 2; ++t) {
        std::multiset<std::pair<std::string, std::uint32_t>> lba, ours;
        std::string cmd = std::string("xorriso ") + (t == 0 ? "-read_fs nojoliet " : "") + "-indev '" + image +
                          "' -find / -type f -exec report_lba --";
        for (const std::string& line : Lines(Shell(cmd).out)) {
            if (line.rfind("File data lba:", 0) != 0) continue;
            unsigned xt, start, blocks;
            unsigned long long bytes;
            if (std::sscanf(line.c_str() + 14, " %u , %u , %u , %llu", &xt, &start, &blocks, &bytes) != 4) continue;
            std::size_t q = line.find('\'');
            std::string path = line.substr(q + 1, line.rfind('\'') - q - 1);
            lba.insert({path, start});
        }
        for (const iso::File& f : rep.tree[t].files)
            for (auto& e : f.extents) ours.insert({f.path, e.first});
        if (t == 1) EXPECT_EQ(lba, ours) << "xorriso report_lba (Joliet)";
        else EXPECT_EQ(lba.size(), ours.size()) << "xorriso report_lba (primary)";
    }

    Folder out;
    Shell("osirrox -indev '" + image + "' -extract / '" + out / "o" + "'");
    Snapshot o = Take(out / "o");
    EXPECT_EQ(o.files, expected.files) << "osirrox -extract";
    EXPECT_EQ(o.folders, expected.folders) << "osirrox -extract";

    // 7z: list and extract (it reads the Joliet tree).
    std::set<std::string> sevenList;
    for (const std::string& line : Lines(Shell("7z l -ba '" + image + "'").out)) {
        if (line.size() < 53 || line[20] == 'D') continue;
        sevenList.insert("/" + line.substr(53));
    }
    std::set<std::string> wantFiles;
    for (auto& f : expected.files) wantFiles.insert(f.first);
    EXPECT_EQ(sevenList, wantFiles) << "7z l";
    Shell("7z x -y -o'" + out / "s" + "' '" + image + "'");
    Snapshot s = Take(out / "s");
    EXPECT_EQ(s.files, expected.files) << "7z x";
}

struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;   // relative path, content ("/" at the end: folder)
};

std::vector<Case> Cases() {
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    Case many{"120 files", {}};
    for (int i = 0; i < 120; ++i)
        many.files.push_back({(i % 3 ? "" : "sub/") + std::string("file") + std::to_string(i) + ".dat", Bytes(i * 97, i)});
    cases.push_back(many);
    cases.push_back({"names",
                     {{"Read Me.txt", "a"},
                      {"readme.txt", "b"},
                      {"README.TXT1", "c"},
                      {"longfilename1.html", "d"},
                      {"longfilename2.html", "e"},
                      {"lower case folder/x.y.z", "f"},
                      {"caf\xc3\xa9 cr\xc3\xa8me.doc", "g"},
                      {std::string(64, 'n'), "h"},
                      {"some.very.dotted.name.here", "i"},
                      {".hidden", "j"},
                      {"noextension", "k"},
                      {"empty folder/", ""}}});
    cases.push_back({"nine levels", {{"1/2/3/4/5/6/7/8/9/deep.txt", "deep"}, {"1/2/top.txt", "t"}}});
    cases.push_back({"sector sizes", {{"zero", ""}, {"one", Bytes(2048, 1)}, {"two", Bytes(2049, 2)},
                                      {"big", Bytes(3 * 1024 * 1024 + 5, 3)}}});
    return cases;
}

class ImageCase : public ::testing::TestWithParam<Case> {};

TEST_P(ImageCase, ReadersSeeTheSourceFolder) {
    Folder work;
    const std::string src = work / "disc";
    mkdir(src.c_str(), 0755);
    for (auto& f : GetParam().files) {
        if (!f.first.empty() && f.first.back() == '/') {
            MakeParents(src + "/" + f.first);
        } else {
            Put(src + "/" + f.first, f.second);
        }
    }
    disc::ImageResult r = Make(src, work / "disc.iso", "My Disc 1");
    ASSERT_EQ(r.status, disc::ImageResult::kWritten) << r.message;
    EXPECT_EQ(r.bytes, Slurp(work / "disc.iso").size());
    PosixDiscFiles files;
    EXPECT_EQ(disc::MeasureImage(files, src), r.bytes);
    CompareWithReaders(work / "disc.iso", Take(src), "My Disc 1");
}

INSTANTIATE_TEST_SUITE_P(Folders, ImageCase, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& i) {
                             std::string n;
                             for (char c : std::string(i.param.name)) n += isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return n;
                         });

TEST(DiscImage, DemoDisc) {
    const char* demo = std::getenv("TLK_DEMO_DIR");
    if (!demo || !*demo) GTEST_SKIP() << "TLK_DEMO_DIR not set";
    Folder work;
    disc::ImageResult r = Make(demo, work / "demo.iso", "Demo");
    ASSERT_EQ(r.status, disc::ImageResult::kWritten) << r.message;
    Snapshot s = Take(demo);
    ASSERT_FALSE(s.files.empty());
    CompareWithReaders(work / "demo.iso", s, "Demo");
}

// The structure check itself: a fault the usual readers let pass must not
// pass it.
TEST(DiscImage, StructureCheckCatchesWhatReadersLetPass) {
    Folder work;
    Put(work / "d/a.txt", "a");
    Put(work / "d/sub/b.txt", "b");
    ASSERT_EQ(Make(work / "d", work / "good.iso", "x").status, disc::ImageResult::kWritten);
    const std::string good = Slurp(work / "good.iso");
    ASSERT_TRUE(iso::Check(work / "good.iso").faults.empty());
    auto le32 = [&](std::size_t at) {
        return std::uint32_t(std::uint8_t(good[at])) | std::uint32_t(std::uint8_t(good[at + 1])) << 8 |
               std::uint32_t(std::uint8_t(good[at + 2])) << 16 | std::uint32_t(std::uint8_t(good[at + 3])) << 24;
    };
    const std::size_t pvd = 16 * 2048, root = std::size_t(le32(pvd + 156 + 2)) * 2048;
    const std::size_t mTable = std::size_t(std::uint8_t(good[pvd + 148])) << 24 | std::size_t(std::uint8_t(good[pvd + 149])) << 16 |
                               std::size_t(std::uint8_t(good[pvd + 150])) << 8 | std::uint8_t(good[pvd + 151]);
    struct { const char* what; std::function<void(std::string&)> spoil; } mutations[] = {
        {"big-endian volume size", [&](std::string& s) { s[pvd + 87] ^= 1; }},
        {"M path table entry", [&](std::string& s) { s[mTable * 2048 + 5] ^= 1; }},
        {"big-endian size of a record", [&](std::string& s) { s[root + 68 + 17] ^= 1; }},
        {"one sector too many", [&](std::string& s) { s.append(2048, '\0'); }},
    };
    for (auto& m : mutations) {
        std::string bad = good;
        m.spoil(bad);
        std::ofstream(work / "bad.iso", std::ios::binary | std::ios::trunc) << bad;
        EXPECT_FALSE(iso::Check(work / "bad.iso").faults.empty()) << m.what;
    }
}

}  // namespace
