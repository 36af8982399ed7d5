// The naming plan of the disc image writer on the host: level-1 and Joliet
// names and labels, names kept apart in a folder, and what the image leaves
// out, seen in written images by the strict structure check.
#include "disc/DiscImage.h"
#include "disc_test_helpers.h"
#include "iso_checks.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

TEST(DiscImage, NamesJolietCannotHoldAreShortenedAndKeptApart) {
    Folder work;
    const std::string src = work / "disc";
    const std::string a = std::string(70, 'a') + ".txt", b = std::string(70, 'a') + "b.txt";
    Put(src + "/" + a, "1");
    Put(src + "/" + b, "2");
    ASSERT_EQ(Make(src, work / "x.iso", "x").status, disc::ImageResult::kWritten);
    iso::Report rep = iso::Check(work / "x.iso");
    EXPECT_TRUE(rep.faults.empty());
    std::set<std::string> names;
    for (auto& f : rep.tree[1].files) names.insert(f.path);
    EXPECT_EQ(names, (std::set<std::string>{"/" + std::string(60, 'a') + ".txt", "/" + std::string(58, 'a') + "~1.txt"}));
}

TEST(DiscImage, LabelsAndNames) {
    struct { const char* in; bool folder; const char* out; } names[] = {
        {"read me.txt", false, "READ_ME.TXT;1"}, {"archive.tar.gz", false, "ARCHIVE_.GZ;1"},
        {"noext", false, "NOEXT.;1"}, {".profile", false, ".PRO;1"}, {"My Folder.x", true, "MY_FOLDE"},
        {"", true, "_"},
    };
    for (auto& n : names) EXPECT_EQ(disc::PrimaryName(n.in, n.folder), n.out) << n.in;
    EXPECT_EQ(disc::PrimaryLabel("Welcome to the demo disc, version 2"), "WELCOME_TO_THE_DEMO_DISC__VERSIO");
    EXPECT_EQ(disc::PrimaryLabel(""), "CDROM");
    EXPECT_TRUE(disc::JolietHolds(u"Read me.txt"));
    EXPECT_FALSE(disc::JolietHolds(u"a:b"));
    EXPECT_FALSE(disc::JolietHolds(std::u16string(65, u'x')));
    Folder work;
    Put(work / "d/a", "x");
    ASSERT_EQ(Make(work / "d", work / "l.iso", "Welcome to the demo disc").status, disc::ImageResult::kWritten);
    iso::Report rep = iso::Check(work / "l.iso");
    EXPECT_EQ(rep.primaryLabel, "WELCOME_TO_THE_DEMO_DISC");
    EXPECT_EQ(rep.jolietLabel, "Welcome to the d");
}

TEST(DiscImage, ImageInsideItsOwnFolderIsLeftOut) {
    Folder work;
    Put(work / "a.txt", "a");
    Put(work / "disc.iso", "old");
    ASSERT_EQ(Make(work.path, work / "disc.iso", "x").status, disc::ImageResult::kWritten);
    iso::Report rep = iso::Check(work / "disc.iso");
    ASSERT_EQ(rep.tree[1].files.size(), 1u);
    EXPECT_EQ(rep.tree[1].files[0].path, "/a.txt");
}

}  // namespace
