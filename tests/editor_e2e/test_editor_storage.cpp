// New, Save As and Open of the real editor, checked on the files.
#include "editor_session.h"

namespace {

const char kSaveComplete[] = "Save Definition Complete";
const char kCleared[] = "Definition Cleared";
const char kReserved[] =
    "Please select another sub-directory, this sub-directory is reserved as a work directory for TLK Autoplay Varrow";

const char kDefinition[] = "[100]\r\n200=Summer Fair\r\n600=intro.wav\r\n700=click.wav\r\n";

class EditorStorage : public ::testing::Test {
protected:
    // What the wizard would have left in the work directory.
    void EditDefinition() {
        s.dir.Write("auto.tdf", kDefinition);
        s.dir.Write("autorun.bmp", "BM the chosen background");
        s.dir.Write("intro.wav", "RIFF intro");
        s.dir.Write("click.wav", "RIFF click");
    }
    ed::Session s;
    TempDir sets{"sets"};
};

}  // namespace

TEST_F(EditorStorage, SaveAsWritesTheSetIntoAnotherFolder) {
    ASSERT_NE(nullptr, s.Start());
    EditDefinition();
    s.Command(32773);
    // A new name, typed without its extension.
    ASSERT_TRUE(s.ChooseFile(sets.File("fair")));
    EXPECT_EQ(kSaveComplete, s.Answer(IDOK));
    EXPECT_EQ(kDefinition, sets.Read("fair.tdf"));
    EXPECT_EQ("BM the chosen background", sets.Read("fair~autorun.bmp"));
    EXPECT_EQ("RIFF intro", sets.Read("fair~intro.wav"));
    EXPECT_EQ("RIFF click", sets.Read("fair~click.wav"));
    // The definition stays in the work directory, now saved.
    EXPECT_EQ(kDefinition, s.dir.Read("auto.tdf"));
    s.Click(1097);
    EXPECT_TRUE(s.Ended());
}

TEST_F(EditorStorage, SaveAsIntoTheWorkDirectoryInAnotherCaseIsRefused) {
    ASSERT_NE(nullptr, s.Start());
    EditDefinition();
    s.Command(32773);
    ASSERT_TRUE(s.ChooseFile(ed::Upper(s.dir.Path()) + "mine.tdf"));
    EXPECT_EQ(kReserved, s.Answer(IDOK));
    EXPECT_FALSE(s.dir.Exists("mine.tdf"));
    EXPECT_FALSE(s.dir.Exists("MINE.TDF"));
    EXPECT_FALSE(s.dir.Exists("mine~autorun.bmp"));
    EXPECT_FALSE(s.dir.Exists("mine~intro.wav"));
}

TEST_F(EditorStorage, OpenRestoresTheSetWithOnlyItsOwnSounds) {
    sets.Write("fair.tdf", kDefinition);
    sets.Write("fair~autorun.bmp", "BM fair background");
    sets.Write("fair~intro.wav", "RIFF fair intro");
    sets.Write("fair~click.wav", "RIFF fair click");
    sets.Write("fair2~bell.wav", "RIFF another set");
    sets.Write("other~horn.wav", "RIFF yet another");
    ASSERT_NE(nullptr, s.Start());
    s.dir.Write("auto.tdf", "[100]\r\n200=Unsaved\r\n");
    s.dir.Write("stale.wav", "RIFF stale");

    s.Command(57601);
    ASSERT_TRUE(s.ChooseFile(sets.File("fair.tdf")));
    // Open shows no message; wait until the set has arrived.
    for (int i = 0; i < 100 && s.dir.Read("autorun.bmp") != "BM fair background"; ++i) Sleep(50);
    drv::Settle(s.main, 300);
    EXPECT_EQ(nullptr, drv::WaitWindow(s.proc.Id(), 200, "#32770", ed::kBoxTitle));
    EXPECT_EQ(kDefinition, s.dir.Read("auto.tdf"));
    EXPECT_EQ("BM fair background", s.dir.Read("autorun.bmp"));
    EXPECT_EQ("RIFF fair intro", s.dir.Read("intro.wav"));
    EXPECT_EQ("RIFF fair click", s.dir.Read("click.wav"));
    EXPECT_FALSE(s.dir.Exists("bell.wav"));
    EXPECT_FALSE(s.dir.Exists("horn.wav"));
    EXPECT_FALSE(s.dir.Exists("stale.wav"));
    // An opened set counts as saved: leaving asks nothing.
    s.Click(1097);
    EXPECT_TRUE(s.Ended());
}

TEST_F(EditorStorage, OpenOfASetInTheWorkDirectoryIsRefusedAndKeepsTheFiles) {
    ASSERT_NE(nullptr, s.Start());
    EditDefinition();
    s.dir.Write("here.tdf", "[100]\r\n200=Here\r\n");
    s.dir.Write("here~autorun.bmp", "BM here");
    s.Command(57601);
    ASSERT_TRUE(s.ChooseFile(s.dir.File("here.tdf")));
    EXPECT_EQ(kReserved, s.Answer(IDOK));
    EXPECT_EQ(kDefinition, s.dir.Read("auto.tdf"));
    EXPECT_EQ("BM the chosen background", s.dir.Read("autorun.bmp"));
    EXPECT_EQ("RIFF intro", s.dir.Read("intro.wav"));
    EXPECT_EQ("[100]\r\n200=Here\r\n", s.dir.Read("here.tdf"));
}

TEST_F(EditorStorage, NewWithNothingUnsavedClearsTheDefinition) {
    ASSERT_NE(nullptr, s.Start());
    EditDefinition();
    s.Command(57600);
    EXPECT_EQ(kCleared, s.Answer(IDOK));
    EXPECT_FALSE(s.dir.Exists("auto.tdf"));
    EXPECT_FALSE(s.dir.Exists("intro.wav"));
    EXPECT_FALSE(s.dir.Exists("click.wav"));
    EXPECT_EQ(ed::ReadAll(s.Work("BMPS\\nodef.bmp")), ed::ReadAll(s.Work("autorun.bmp")));
}
