// The wizard's decisions, without windows.
#include "menu/Definition.h"
#include "wizard/WizardRules.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(BackgroundRules, StoredValueGivesRadioAndSelection) {
    struct Case { int stored; bool own, touch; int selection; };
    const Case cases[] = {
        {0, false, true, 0}, {8, false, true, 8}, {9, false, true, 9},
        {99, true, false, -1},                       // own bitmap: the list is left alone
        {10, false, true, -1}, {-1, false, true, -1}, {98, false, true, -1},
    };
    for (const Case& c : cases) {
        wiz::BackgroundView v = wiz::ViewForStoredBackground(c.stored);
        EXPECT_EQ(c.own, v.ownBitmap) << c.stored;
        EXPECT_EQ(c.touch, v.touchSelection) << c.stored;
        if (c.touch) { EXPECT_EQ(c.selection, v.selection) << c.stored; }
    }
}

TEST(BackgroundRules, LeavingSaveWritesAndCopies) {
    struct Case { bool stock; int sel; bool write; int value; const char* copy; };
    const Case cases[] = {
        {true, 0, true, 0, "bluegrad.bmp"},
        {true, 2, true, 2, "greegrad.bmp"},
        {true, 7, true, 7, "fluff.bmp"},
        {true, 8, true, 8, "shiny.bmp"},
        {false, 3, true, 99, nullptr},    // own bitmap: nothing copied
        {false, -1, true, 99, nullptr},
        {true, -1, false, 0, nullptr},    // no selection: key and picture stay
        {true, 10, false, 0, nullptr},
    };
    for (const Case& c : cases) {
        wiz::BackgroundSave s = wiz::BackgroundLeavingSave(c.stock, c.sel);
        EXPECT_EQ(c.write, s.writeKey) << c.sel;
        if (c.write) { EXPECT_EQ(c.value, s.value) << c.sel; }
        EXPECT_STREQ(c.copy, s.copyStock) << c.sel;
    }
}

TEST(BackgroundRules, PreviewPath) {
    EXPECT_EQ(std::string("C:\\w\\autorun.bmp"),
              wiz::BackgroundPreviewPath(true, 4, "C:\\w\\", "C:\\w\\BMPS\\").c_str());
    EXPECT_EQ(std::string("C:\\w\\BMPS\\rainbow.bmp"),
              wiz::BackgroundPreviewPath(false, 4, "C:\\w\\", "C:\\w\\BMPS\\").c_str());
    EXPECT_TRUE(wiz::BackgroundPreviewPath(false, -1, "C:\\w\\", "C:\\w\\BMPS\\").IsEmpty());
    EXPECT_TRUE(wiz::BackgroundPreviewPath(false, 10, "C:\\w\\", "C:\\w\\BMPS\\").IsEmpty());
}

TEST(TemplateRules, TablesAndVisibleLines) {
    // Four layouts share one list text; only descriptions and previews differ.
    EXPECT_STREQ("5 lines of right justified text.", wiz::kLayoutChoices[4].description);
    EXPECT_STREQ("5 lines of right justified text", wiz::kLayoutChoices[5].description);
    EXPECT_STREQ(wiz::kLayoutChoices[4].listText, wiz::kLayoutChoices[5].listText);
    EXPECT_STREQ("D10", wiz::kLayoutChoices[9].preview);
    const int expected[] = {5, 5, 5, 7, 5, 5, 8, 10, 10, 10};
    for (int t = 0; t < 10; ++t) EXPECT_EQ(expected[t], def::VisibleMainLines(t)) << t;
    for (int t : {-1, 10, 1000}) EXPECT_EQ(10, def::VisibleMainLines(t)) << t;
}

TEST(TextRules, MenuChangeRaisesTheCountNeverLowers) {
    struct Case { int stored, menu, written; };
    const Case cases[] = {
        {1, 1, 0},     // missing count reads 1: menu 1 writes nothing
        {2, 5, 5}, {5, 1, 0}, {5, 5, 0},
        {0, 1, 1},     // an empty definition gains its first menu
        {250, 200, 0}, {-3, 2, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(c.written, wiz::RaisedMenuCount(c.stored, c.menu)) << c.stored << "->" << c.menu;
}

TEST(ActionRules, GotoRecognitionAndPrefixSearch) {
    struct Case { const char* program; int entry; };
    const Case cases[] = {
        {"_menu12", 12}, {"_menu1", 1}, {"_menu200", 200}, {"_menu7", 7},
        {"_menu", 1},                  // the bare prefix finds the first entry
        {"_menu250", 0}, {"_menu0", 0}, {"_menu012", 0}, {"_menu12x", 0},
        {"_MENU3", 0}, {"_Menu3", 0},  // the go-to test minds letter case
        {"_menU3", 0}, {"menu3", 0}, {"", 0}, {"setup.exe", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.entry, wiz::GotoEntryForProgram(c.program)) << c.program;
    EXPECT_STREQ("menu7", wiz::GotoEntryText(7).c_str());
}

TEST(ActionRules, StoredProgramAndQuitFlag) {
    EXPECT_STREQ("_menu4", wiz::ProgramToStore("menu4", "setup.exe").c_str());
    EXPECT_STREQ("setup.exe", wiz::ProgramToStore("", "setup.exe").c_str());
    EXPECT_STREQ("", wiz::ProgramToStore("", "").c_str());
    EXPECT_TRUE(def::IsTrue("TRUE"));
    for (const char* t : {"true", "True", "FALSE", "", " TRUE", "TRUE "}) EXPECT_FALSE(def::IsTrue(t)) << t;
}

TEST(LookRules, ColoursAndSoundNames) {
    int c[3];
    def::ComponentsOfColor(def::ColorFromComponents(255, 128, 0), c);
    EXPECT_EQ(255, c[0]);
    EXPECT_EQ(128, c[1]);
    EXPECT_EQ(0, c[2]);
    // Stored components keep only their low 8 bits.
    EXPECT_EQ(def::ColorFromComponents(0x10, 0x20, 0x30), def::ColorFromComponents(0x110, 0x220, 0x330));
    EXPECT_STREQ("ding.wav", wiz::BareFileName("C:\\sounds\\ding.wav").c_str());
    EXPECT_STREQ("ding.wav", wiz::BareFileName("ding.wav").c_str());
    EXPECT_STREQ("", wiz::BareFileName("C:\\sounds\\").c_str());
    EXPECT_STREQ("C:\\w\\ding.wav", wiz::SoundToPlay("C:\\w\\", "ding.wav").c_str());
    for (const char* n : {"", "..\\x.wav", "C:\\x.wav", "a/b.wav", "c:x.wav"})
        EXPECT_TRUE(wiz::SoundToPlay("C:\\w\\", n).IsEmpty()) << n;
}

}  // namespace
