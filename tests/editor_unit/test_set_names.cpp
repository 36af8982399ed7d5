// How a saved set's names come from the path chosen in the file dialog,
// and how folders are compared.
#include "editor/Storage.h"
#include "support/tempdir.h"
#include "support/text.h"
#include <gtest/gtest.h>
#include <string>

namespace {

void ExpectNames(const wchar_t* path, const wchar_t* folder, const wchar_t* name, const wchar_t* base,
                 const wchar_t* prefix) {
    SCOPED_TRACE(text::U8(path));
    SetNames n = DeriveSetNames(path);
    EXPECT_STREQ(folder, n.folder.c_str());
    EXPECT_STREQ(name, n.name.c_str());
    EXPECT_STREQ(base, n.base.c_str());
    EXPECT_STREQ(prefix, n.prefix.c_str());
}

}  // namespace

TEST(SetNames, OrdinaryPathGivesFolderNameBaseAndPrefix) {
    ExpectNames(L"C:\\Designs\\demo.tdf", L"C:\\Designs\\", L"demo.tdf", L"demo", L"demo~");
}

TEST(SetNames, BaseEndsAtTheLastDotOfTheName) {
    ExpectNames(L"C:\\D\\my.demo.v2.tdf", L"C:\\D\\", L"my.demo.v2.tdf", L"my.demo.v2", L"my.demo.v2~");
    ExpectNames(L"C:\\D\\trailing.", L"C:\\D\\", L"trailing.", L"trailing", L"trailing~");
}

TEST(SetNames, NameWithoutDotHasAnEmptyBase) {
    ExpectNames(L"C:\\D\\demo", L"C:\\D\\", L"demo", L"", L"~");
}

TEST(SetNames, DotsInFolderNamesDoNotCount) {
    ExpectNames(L"C:\\my.sets\\demo", L"C:\\my.sets\\", L"demo", L"", L"~");
    ExpectNames(L"C:\\v1.0\\x.tdf", L"C:\\v1.0\\", L"x.tdf", L"x", L"x~");
}

TEST(SetNames, PathWithoutBackslashIsAllName) {
    ExpectNames(L"demo.tdf", L"", L"demo.tdf", L"demo", L"demo~");
    ExpectNames(L"", L"", L"", L"", L"~");
}

TEST(SetNames, FolderOnlyGivesAnEmptyName) {
    ExpectNames(L"C:\\Designs\\", L"C:\\Designs\\", L"", L"", L"~");
}

TEST(SetNames, NamesWithSpacesAndTildesAreKept) {
    ExpectNames(L"C:\\My Discs\\Summer ~ Fair.tdf", L"C:\\My Discs\\", L"Summer ~ Fair.tdf", L"Summer ~ Fair",
                L"Summer ~ Fair~");
}

TEST(SetNames, NamesOfAnyScriptAreKept) {
    ExpectNames(L"C:\\\x8A2D\x8A08\\\xE9t\xE9.\x7248.tdf", L"C:\\\x8A2D\x8A08\\", L"\xE9t\xE9.\x7248.tdf",
                L"\xE9t\xE9.\x7248", L"\xE9t\xE9.\x7248~");
    ExpectNames(L"D:\\\xD83D\xDCBF\\\x05D3\x05D9\x05E1\x05E7.tdf", L"D:\\\xD83D\xDCBF\\", L"\x05D3\x05D9\x05E1\x05E7.tdf",
                L"\x05D3\x05D9\x05E1\x05E7", L"\x05D3\x05D9\x05E1\x05E7~");
}

TEST(SetNames, OnlyTheFirst255CharactersOfThePathCount) {
    std::wstring longPath = L"C:\\" + std::wstring(300, L'a') + L".tdf";
    SetNames n = DeriveSetNames(longPath.c_str());
    EXPECT_EQ(255u, n.folder.GetLength() + n.name.GetLength());
    EXPECT_STREQ(L"C:\\", n.folder.c_str());
    EXPECT_EQ(std::wstring(252, L'a'), text::Whole(n.name)) << "the extension lies beyond the limit";
    EXPECT_STREQ(L"", n.base.c_str());
}

TEST(SameFolder, IgnoresLetterCaseAndTrailingBackslash) {
    EXPECT_TRUE(SameFolder(L"C:\\Tools\\Editor\\", L"c:\\TOOLS\\editor\\"));
    EXPECT_TRUE(SameFolder(L"C:\\Tools\\Editor", L"C:\\Tools\\Editor\\"));
    EXPECT_FALSE(SameFolder(L"C:\\Tools\\Editor\\", L"C:\\Tools\\Editor2\\"));
    EXPECT_FALSE(SameFolder(L"C:\\Tools\\Editor\\", L"C:\\Tools\\"));
    EXPECT_FALSE(SameFolder(L"C:\\Tools\\Editor\\Sets\\", L"C:\\Tools\\Editor\\"));
    EXPECT_TRUE(SameFolder(L"C:\\\xC9T\xC9\\\x0394", L"c:\\\xE9t\xE9\\\x03B4\\")) << "letters beyond ASCII too";
    EXPECT_FALSE(SameFolder(L"C:\\\x8A2D\\", L"C:\\\x8A08\\"));
}

TEST(SameFolder, SeesThroughDotAndDotDotParts) {
    EXPECT_TRUE(SameFolder(L"C:\\Tools\\Editor\\", L"C:\\Tools\\Other\\..\\Editor\\"));
    EXPECT_TRUE(SameFolder(L"C:\\Tools\\.\\Editor\\", L"C:\\Tools\\Editor\\"));
}

TEST(SameFolder, SeesThroughShortNamesOfRealFolders) {
    TempDir dir(L"same-folder");
    std::wstring longName = dir.PathW() + L"A Rather Long Folder Name \x6587\x4EF6\x5939\\";
    ASSERT_TRUE(CreateDirectoryW(longName.c_str(), nullptr));
    wchar_t shortName[MAX_PATH] = L"";
    DWORD n = GetShortPathNameW(longName.c_str(), shortName, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || lstrcmpiW(shortName, longName.c_str()) == 0)
        GTEST_SKIP() << "this file system gives no short names";
    EXPECT_TRUE(SameFolder(shortName, longName.c_str()));
}

TEST(SameFolder, EmptyFolderIsNoRealFolder) {
    EXPECT_FALSE(SameFolder(L"", L"C:\\Tools\\"));
}

TEST(RestoredSoundName, TakesOffExactlyThePrefix) {
    EXPECT_STREQ(L"click.wav", RestoredSoundName(L"demo~click.wav", L"demo~").c_str());
    // A sound whose own name holds a L"~" comes back under that name.
    EXPECT_STREQ(L"a~b.wav", RestoredSoundName(L"demo~a~b.wav", L"demo~").c_str());
    EXPECT_STREQ(L"x.wav", RestoredSoundName(L"~x.wav", L"~").c_str());
}

TEST(RestoredSoundName, OtherSetsAndOtherCasesDoNotBelong) {
    EXPECT_STREQ(L"", RestoredSoundName(L"demo2~x.wav", L"demo~").c_str());
    EXPECT_STREQ(L"", RestoredSoundName(L"Demo~x.wav", L"demo~").c_str());
    EXPECT_STREQ(L"", RestoredSoundName(L"demo.wav", L"demo~").c_str());
    EXPECT_STREQ(L"", RestoredSoundName(L"demo~", L"demo~").c_str());
    EXPECT_STREQ(L"", RestoredSoundName(L"x.wav", L"").c_str());
}
