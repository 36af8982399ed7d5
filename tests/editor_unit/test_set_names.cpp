// How a saved set's names come from the path chosen in the file dialog,
// and how folders are compared.
#include "editor/Storage.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <string>

namespace {

void ExpectNames(const char* path, const char* folder, const char* name, const char* base, const char* prefix) {
    SetNames n = DeriveSetNames(path);
    EXPECT_STREQ(folder, n.folder.c_str()) << path;
    EXPECT_STREQ(name, n.name.c_str()) << path;
    EXPECT_STREQ(base, n.base.c_str()) << path;
    EXPECT_STREQ(prefix, n.prefix.c_str()) << path;
}

}  // namespace

TEST(SetNames, OrdinaryPathGivesFolderNameBaseAndPrefix) {
    ExpectNames("C:\\Designs\\demo.tdf", "C:\\Designs\\", "demo.tdf", "demo", "demo~");
}

TEST(SetNames, BaseEndsAtTheLastDotOfTheName) {
    ExpectNames("C:\\D\\my.demo.v2.tdf", "C:\\D\\", "my.demo.v2.tdf", "my.demo.v2", "my.demo.v2~");
    ExpectNames("C:\\D\\trailing.", "C:\\D\\", "trailing.", "trailing", "trailing~");
}

TEST(SetNames, NameWithoutDotHasAnEmptyBase) {
    ExpectNames("C:\\D\\demo", "C:\\D\\", "demo", "", "~");
}

TEST(SetNames, DotsInFolderNamesDoNotCount) {
    ExpectNames("C:\\my.sets\\demo", "C:\\my.sets\\", "demo", "", "~");
    ExpectNames("C:\\v1.0\\x.tdf", "C:\\v1.0\\", "x.tdf", "x", "x~");
}

TEST(SetNames, PathWithoutBackslashIsAllName) {
    ExpectNames("demo.tdf", "", "demo.tdf", "demo", "demo~");
    ExpectNames("", "", "", "", "~");
}

TEST(SetNames, FolderOnlyGivesAnEmptyName) {
    ExpectNames("C:\\Designs\\", "C:\\Designs\\", "", "", "~");
}

TEST(SetNames, NamesWithSpacesAndTildesAreKept) {
    ExpectNames("C:\\My Discs\\Summer ~ Fair.tdf", "C:\\My Discs\\", "Summer ~ Fair.tdf", "Summer ~ Fair",
                "Summer ~ Fair~");
}

TEST(SetNames, OnlyTheFirst255CharactersOfThePathCount) {
    std::string longPath = "C:\\" + std::string(300, 'a') + ".tdf";
    SetNames n = DeriveSetNames(longPath.c_str());
    EXPECT_EQ(255u, n.folder.GetLength() + n.name.GetLength());
    EXPECT_STREQ("C:\\", n.folder.c_str());
    EXPECT_EQ(std::string(252, 'a'), n.name.c_str()) << "the extension lies beyond the limit";
    EXPECT_STREQ("", n.base.c_str());
}

TEST(SameFolder, IgnoresLetterCaseAndTrailingBackslash) {
    EXPECT_TRUE(SameFolder("C:\\Tools\\Editor\\", "c:\\TOOLS\\editor\\"));
    EXPECT_TRUE(SameFolder("C:\\Tools\\Editor", "C:\\Tools\\Editor\\"));
    EXPECT_FALSE(SameFolder("C:\\Tools\\Editor\\", "C:\\Tools\\Editor2\\"));
    EXPECT_FALSE(SameFolder("C:\\Tools\\Editor\\", "C:\\Tools\\"));
    EXPECT_FALSE(SameFolder("C:\\Tools\\Editor\\Sets\\", "C:\\Tools\\Editor\\"));
}

TEST(SameFolder, SeesThroughDotAndDotDotParts) {
    EXPECT_TRUE(SameFolder("C:\\Tools\\Editor\\", "C:\\Tools\\Other\\..\\Editor\\"));
    EXPECT_TRUE(SameFolder("C:\\Tools\\.\\Editor\\", "C:\\Tools\\Editor\\"));
}

TEST(SameFolder, SeesThroughShortNamesOfRealFolders) {
    TempDir dir("same-folder");
    std::string longName = dir.Path() + "A Rather Long Folder Name\\";
    ASSERT_TRUE(CreateDirectoryA(longName.c_str(), nullptr));
    char shortName[MAX_PATH] = "";
    DWORD n = GetShortPathNameA(longName.c_str(), shortName, sizeof shortName);
    if (n == 0 || n >= sizeof shortName || lstrcmpiA(shortName, longName.c_str()) == 0)
        GTEST_SKIP() << "this file system gives no short names";
    EXPECT_TRUE(SameFolder(shortName, longName.c_str()));
}

TEST(SameFolder, EmptyFolderIsNoRealFolder) {
    EXPECT_FALSE(SameFolder("", "C:\\Tools\\"));
}

TEST(RestoredSoundName, TakesOffExactlyThePrefix) {
    EXPECT_STREQ("click.wav", RestoredSoundName("demo~click.wav", "demo~").c_str());
    // A sound whose own name holds a "~" comes back under that name.
    EXPECT_STREQ("a~b.wav", RestoredSoundName("demo~a~b.wav", "demo~").c_str());
    EXPECT_STREQ("x.wav", RestoredSoundName("~x.wav", "~").c_str());
}

TEST(RestoredSoundName, OtherSetsAndOtherCasesDoNotBelong) {
    EXPECT_STREQ("", RestoredSoundName("demo2~x.wav", "demo~").c_str());
    EXPECT_STREQ("", RestoredSoundName("Demo~x.wav", "demo~").c_str());
    EXPECT_STREQ("", RestoredSoundName("demo.wav", "demo~").c_str());
    EXPECT_STREQ("", RestoredSoundName("demo~", "demo~").c_str());
    EXPECT_STREQ("", RestoredSoundName("x.wav", "").c_str());
}
