// Save As and Open of definition sets, on real folders.
#include "editor/Storage.h"
#include "workspace/WorkDir.h"
#include "files.h"
#include "support/tempdir.h"
#include "support/text.h"
#include <gtest/gtest.h>
#include <string>

namespace {

class Storage : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(work.File(L"BMPS").c_str(), nullptr);
        work.Write("BMPS\\nodef.bmp", "BM nodef");
        ASSERT_TRUE(SetupEditorPaths(state, work.File(L"tlkedit.exe").c_str(), L""));
        state.definitionSaved = false;
        state.definitionPresent = true;
    }
    // A definition being edited in the work directory.
    void EditSomething() {
        work.Write("auto.tdf", "[100]\r\n200=My Disc\r\n600=intro.wav\r\n");
        work.Write("autorun.bmp", "BM my background");
        work.Write("intro.wav", "RIFF intro");
        work.Write("click.wav", "RIFF click");
    }
    // Every letter in capitals, those beyond ASCII too.
    static std::wstring Upper(std::wstring s) {
        if (!s.empty()) CharUpperBuffW(&s[0], static_cast<DWORD>(s.size()));
        return s;
    }

    // Folders whose names are not ASCII, with letters that have capitals.
    TempDir work{L"work-\xE9\x03B4"};
    TempDir sets{L"sets-\x96C6"};
    EditorState state = {};
};

}  // namespace

TEST_F(Storage, SaveAsCopiesTheGroupUnderTheSetsNames) {
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File(L"demo.tdf").c_str()));
    EXPECT_EQ(work.Read("auto.tdf"), sets.Read("demo.tdf"));
    EXPECT_EQ("BM my background", sets.Read("demo~autorun.bmp"));
    EXPECT_EQ("RIFF intro", sets.Read("demo~intro.wav"));
    EXPECT_EQ("RIFF click", sets.Read("demo~click.wav"));
    EXPECT_EQ(4u, files::Names(sets.Path()).size());
    EXPECT_TRUE(state.definitionSaved);
    EXPECT_TRUE(state.definitionPresent) << "unchanged";
    // The work directory keeps its definition.
    EXPECT_EQ("RIFF intro", work.Read("intro.wav"));
}

TEST_F(Storage, SaveAsWithoutSoundsWritesTwoFiles) {
    work.Write("auto.tdf", "[100]\r\n");
    work.Write("autorun.bmp", "BM b");
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File(L"plain.tdf").c_str()));
    EXPECT_EQ(2u, files::Names(sets.Path()).size());
    EXPECT_TRUE(sets.Exists("plain.tdf"));
    EXPECT_TRUE(sets.Exists("plain~autorun.bmp"));
}

TEST_F(Storage, SaveAsOverAnOlderSetReplacesItsFilesAndKeepsOldSounds) {
    sets.Write("demo.tdf", "old definition");
    sets.Write("demo~autorun.bmp", "old picture");
    sets.Write("demo~gone.wav", "a sound the new definition no longer has");
    SetFileAttributesW(sets.File(L"demo~autorun.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File(L"demo.tdf").c_str()));
    EXPECT_EQ(work.Read("auto.tdf"), sets.Read("demo.tdf"));
    EXPECT_EQ("BM my background", sets.Read("demo~autorun.bmp"));
    EXPECT_EQ("a sound the new definition no longer has", sets.Read("demo~gone.wav"));
}

TEST_F(Storage, SaveAsIntoTheWorkDirectoryIsRefusedInAnyLetterCase) {
    EditSomething();
    ASSERT_NE(work.PathW(), Upper(work.PathW()));
    for (const std::wstring& path : {work.File(L"demo.tdf"), Upper(work.File(L"demo.tdf")),
                                     work.PathW() + L"BMPS\\..\\demo.tdf"}) {
        EXPECT_EQ(StorageResult::kRefusedWorkDir, SaveDefinitionSet(state, path.c_str())) << text::U8(path);
    }
    EXPECT_FALSE(work.Exists("demo.tdf"));
    EXPECT_FALSE(work.Exists("demo~autorun.bmp"));
    EXPECT_FALSE(state.definitionSaved) << "a refusal changes no flag";
}

TEST_F(Storage, SaveAsIntoASubfolderOfTheWorkDirectoryIsAllowed) {
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, work.File(L"BMPS\\mine.tdf").c_str()));
    EXPECT_TRUE(work.Exists("BMPS\\mine~autorun.bmp"));
}

TEST_F(Storage, OpenRestoresTheSetAndOnlyItsOwnSounds) {
    sets.Write("demo.tdf", "[100]\r\n200=Demo\r\n");
    sets.Write("demo~autorun.bmp", "BM demo picture");
    sets.Write("demo~intro.wav", "RIFF demo intro");
    sets.Write("demo~a~b.wav", "RIFF tilde");
    sets.Write("demo2~intro.wav", "RIFF other set");
    sets.Write("Demo~loud.wav", "RIFF other case");
    sets.Write("other~x.wav", "RIFF x");
    EditSomething();   // unsaved work that Open discards

    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File(L"demo.tdf").c_str()));
    EXPECT_EQ("[100]\r\n200=Demo\r\n", work.Read("auto.tdf"));
    EXPECT_EQ("BM demo picture", work.Read("autorun.bmp"));
    EXPECT_EQ("RIFF demo intro", work.Read("intro.wav"));
    EXPECT_EQ("RIFF tilde", work.Read("a~b.wav"));
    EXPECT_FALSE(work.Exists("click.wav")) << "the old definition's sounds are gone";
    EXPECT_FALSE(work.Exists("loud.wav"));
    EXPECT_FALSE(work.Exists("x.wav"));
    EXPECT_FALSE(work.Exists("b.wav"));
    EXPECT_EQ(2u, SoundFilesIn(work.PathW().c_str()).size());
    EXPECT_TRUE(state.definitionSaved);
    EXPECT_TRUE(state.definitionPresent);
    // The set itself is untouched.
    EXPECT_EQ(7u, files::Names(sets.Path()).size());
}

TEST_F(Storage, OpenWithoutTheSetsBackgroundShowsNodef) {
    sets.Write("bare.tdf", "[100]\r\n");
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File(L"bare.tdf").c_str()));
    EXPECT_EQ("BM nodef", work.Read("autorun.bmp"));
    EXPECT_EQ("[100]\r\n", work.Read("auto.tdf"));
}

TEST_F(Storage, OpenOfAMissingDefinitionLeavesNoDefinitionFile) {
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File(L"nothing.tdf").c_str()));
    EXPECT_FALSE(work.Exists("auto.tdf"));
    EXPECT_EQ("BM nodef", work.Read("autorun.bmp"));
}

TEST_F(Storage, OpenOfASetInsideTheWorkDirectoryIsRefusedAndDeletesNothing) {
    EditSomething();
    work.Write("demo.tdf", "a set someone put here");
    work.Write("demo~autorun.bmp", "BM its picture");
    work.Write("demo~intro.wav", "RIFF its sound");
    std::wstring path = Upper(work.File(L"demo.tdf"));
    EXPECT_EQ(StorageResult::kRefusedWorkDir, OpenDefinitionSet(state, path.c_str()));
    EXPECT_EQ("[100]\r\n200=My Disc\r\n600=intro.wav\r\n", work.Read("auto.tdf"));
    EXPECT_EQ("BM my background", work.Read("autorun.bmp"));
    EXPECT_EQ("RIFF click", work.Read("click.wav"));
    EXPECT_EQ("RIFF its sound", work.Read("demo~intro.wav"));
    EXPECT_FALSE(state.definitionSaved);
}

TEST_F(Storage, SaveThenOpenGivesBackTheSameWorkDirectory) {
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File(L"round.tdf").c_str()));
    ResetWorkDirectory(state);
    ASSERT_FALSE(work.Exists("intro.wav"));
    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File(L"round.tdf").c_str()));
    EXPECT_EQ("[100]\r\n200=My Disc\r\n600=intro.wav\r\n", work.Read("auto.tdf"));
    EXPECT_EQ("BM my background", work.Read("autorun.bmp"));
    EXPECT_EQ("RIFF intro", work.Read("intro.wav"));
    EXPECT_EQ("RIFF click", work.Read("click.wav"));
}

TEST_F(Storage, SetsWithoutADotInTheirNameStillRoundTrip) {
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File(L"nodot").c_str()));
    EXPECT_TRUE(sets.Exists("nodot"));
    EXPECT_TRUE(sets.Exists("~autorun.bmp"));
    EXPECT_TRUE(sets.Exists("~intro.wav"));
    ResetWorkDirectory(state);
    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File(L"nodot").c_str()));
    EXPECT_EQ("RIFF intro", work.Read("intro.wav"));
    EXPECT_EQ("BM my background", work.Read("autorun.bmp"));
}

TEST_F(Storage, SetsAndSoundsNamedInAnyScriptRoundTrip) {
    EditSomething();
    work.Write("\xE9\x9F\xB3 \xF0\x9F\x94\x8A.wav", "RIFF named");   // "\u97F3 \U0001F50A.wav" in UTF-8
    const std::wstring set = L"\xE9t\xE9 \x590F.tdf";
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File(set).c_str()));
    EXPECT_EQ(work.Read("auto.tdf"), sets.Read(set));
    EXPECT_EQ("BM my background", sets.Read(L"\xE9t\xE9 \x590F~autorun.bmp"));
    EXPECT_EQ("RIFF named", sets.Read(L"\xE9t\xE9 \x590F~\x97F3 \xD83D\xDD0A.wav"));
    ResetWorkDirectory(state);
    ASSERT_FALSE(work.Exists(L"\x97F3 \xD83D\xDD0A.wav"));
    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File(set).c_str()));
    EXPECT_EQ("RIFF named", work.Read(L"\x97F3 \xD83D\xDD0A.wav"));
    EXPECT_EQ("RIFF intro", work.Read("intro.wav"));
    EXPECT_EQ("BM my background", work.Read("autorun.bmp"));
    EXPECT_EQ(3u, SoundFilesIn(work.PathW().c_str()).size());
}
