// Save As and Open of definition sets, on real folders.
#include "editor/Storage.h"
#include "workspace/WorkDir.h"
#include "files.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <cctype>
#include <string>

namespace {

class Storage : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(work.File("BMPS").c_str(), nullptr);
        work.Write("BMPS\\nodef.bmp", "BM nodef");
        ASSERT_TRUE(SetupEditorPaths(state, work.File("tlkedit.exe").c_str(), ""));
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
    static std::string Upper(std::string s) {
        for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    }

    TempDir work{"work"};
    TempDir sets{"sets"};
    EditorState state = {};
};

}  // namespace

TEST_F(Storage, SaveAsCopiesTheGroupUnderTheSetsNames) {
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File("demo.tdf").c_str()));
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
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File("plain.tdf").c_str()));
    EXPECT_EQ(2u, files::Names(sets.Path()).size());
    EXPECT_TRUE(sets.Exists("plain.tdf"));
    EXPECT_TRUE(sets.Exists("plain~autorun.bmp"));
}

TEST_F(Storage, SaveAsOverAnOlderSetReplacesItsFilesAndKeepsOldSounds) {
    sets.Write("demo.tdf", "old definition");
    sets.Write("demo~autorun.bmp", "old picture");
    sets.Write("demo~gone.wav", "a sound the new definition no longer has");
    SetFileAttributesA(sets.File("demo~autorun.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File("demo.tdf").c_str()));
    EXPECT_EQ(work.Read("auto.tdf"), sets.Read("demo.tdf"));
    EXPECT_EQ("BM my background", sets.Read("demo~autorun.bmp"));
    EXPECT_EQ("a sound the new definition no longer has", sets.Read("demo~gone.wav"));
}

TEST_F(Storage, SaveAsIntoTheWorkDirectoryIsRefusedInAnyLetterCase) {
    EditSomething();
    for (const std::string& path : {work.File("demo.tdf"), Upper(work.File("demo.tdf")),
                                    work.Path() + "BMPS\\..\\demo.tdf"}) {
        EXPECT_EQ(StorageResult::kRefusedWorkDir, SaveDefinitionSet(state, path.c_str())) << path;
    }
    EXPECT_FALSE(work.Exists("demo.tdf"));
    EXPECT_FALSE(work.Exists("demo~autorun.bmp"));
    EXPECT_FALSE(state.definitionSaved) << "a refusal changes no flag";
}

TEST_F(Storage, SaveAsIntoASubfolderOfTheWorkDirectoryIsAllowed) {
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, work.File("BMPS\\mine.tdf").c_str()));
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

    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File("demo.tdf").c_str()));
    EXPECT_EQ("[100]\r\n200=Demo\r\n", work.Read("auto.tdf"));
    EXPECT_EQ("BM demo picture", work.Read("autorun.bmp"));
    EXPECT_EQ("RIFF demo intro", work.Read("intro.wav"));
    EXPECT_EQ("RIFF tilde", work.Read("a~b.wav"));
    EXPECT_FALSE(work.Exists("click.wav")) << "the old definition's sounds are gone";
    EXPECT_FALSE(work.Exists("loud.wav"));
    EXPECT_FALSE(work.Exists("x.wav"));
    EXPECT_FALSE(work.Exists("b.wav"));
    EXPECT_EQ(2u, SoundFilesIn(work.Path().c_str()).size());
    EXPECT_TRUE(state.definitionSaved);
    EXPECT_TRUE(state.definitionPresent);
    // The set itself is untouched.
    EXPECT_EQ(7u, files::Names(sets.Path()).size());
}

TEST_F(Storage, OpenWithoutTheSetsBackgroundShowsNodef) {
    sets.Write("bare.tdf", "[100]\r\n");
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File("bare.tdf").c_str()));
    EXPECT_EQ("BM nodef", work.Read("autorun.bmp"));
    EXPECT_EQ("[100]\r\n", work.Read("auto.tdf"));
}

TEST_F(Storage, OpenOfAMissingDefinitionLeavesNoDefinitionFile) {
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File("nothing.tdf").c_str()));
    EXPECT_FALSE(work.Exists("auto.tdf"));
    EXPECT_EQ("BM nodef", work.Read("autorun.bmp"));
}

TEST_F(Storage, OpenOfASetInsideTheWorkDirectoryIsRefusedAndDeletesNothing) {
    EditSomething();
    work.Write("demo.tdf", "a set someone put here");
    work.Write("demo~autorun.bmp", "BM its picture");
    work.Write("demo~intro.wav", "RIFF its sound");
    std::string path = Upper(work.File("demo.tdf"));
    EXPECT_EQ(StorageResult::kRefusedWorkDir, OpenDefinitionSet(state, path.c_str()));
    EXPECT_EQ("[100]\r\n200=My Disc\r\n600=intro.wav\r\n", work.Read("auto.tdf"));
    EXPECT_EQ("BM my background", work.Read("autorun.bmp"));
    EXPECT_EQ("RIFF click", work.Read("click.wav"));
    EXPECT_EQ("RIFF its sound", work.Read("demo~intro.wav"));
    EXPECT_FALSE(state.definitionSaved);
}

TEST_F(Storage, SaveThenOpenGivesBackTheSameWorkDirectory) {
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File("round.tdf").c_str()));
    ResetWorkDirectory(state);
    ASSERT_FALSE(work.Exists("intro.wav"));
    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File("round.tdf").c_str()));
    EXPECT_EQ("[100]\r\n200=My Disc\r\n600=intro.wav\r\n", work.Read("auto.tdf"));
    EXPECT_EQ("BM my background", work.Read("autorun.bmp"));
    EXPECT_EQ("RIFF intro", work.Read("intro.wav"));
    EXPECT_EQ("RIFF click", work.Read("click.wav"));
}

TEST_F(Storage, SetsWithoutADotInTheirNameStillRoundTrip) {
    EditSomething();
    ASSERT_EQ(StorageResult::kDone, SaveDefinitionSet(state, sets.File("nodot").c_str()));
    EXPECT_TRUE(sets.Exists("nodot"));
    EXPECT_TRUE(sets.Exists("~autorun.bmp"));
    EXPECT_TRUE(sets.Exists("~intro.wav"));
    ResetWorkDirectory(state);
    ASSERT_EQ(StorageResult::kDone, OpenDefinitionSet(state, sets.File("nodot").c_str()));
    EXPECT_EQ("RIFF intro", work.Read("intro.wav"));
    EXPECT_EQ("BM my background", work.Read("autorun.bmp"));
}
