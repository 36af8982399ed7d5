// The wizard's decisions, without windows.
#include "menu/Definition.h"
#include "wizard/WizardRules.h"
#include "support/text.h"
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
    struct Case { bool stock; int sel; bool write; int value; const wchar_t* copy; };
    const Case cases[] = {
        {true, 0, true, 0, L"bluegrad.bmp"},
        {true, 2, true, 2, L"greegrad.bmp"},
        {true, 7, true, 7, L"fluff.bmp"},
        {true, 8, true, 8, L"shiny.bmp"},
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
    EXPECT_EQ(std::wstring(L"C:\\w\\autorun.bmp"),
              wiz::BackgroundPreviewPath(true, 4, L"C:\\w\\", L"C:\\w\\BMPS\\").c_str());
    EXPECT_EQ(std::wstring(L"C:\\w\\BMPS\\rainbow.bmp"),
              wiz::BackgroundPreviewPath(false, 4, L"C:\\w\\", L"C:\\w\\BMPS\\").c_str());
    EXPECT_TRUE(wiz::BackgroundPreviewPath(false, -1, L"C:\\w\\", L"C:\\w\\BMPS\\").IsEmpty());
    EXPECT_TRUE(wiz::BackgroundPreviewPath(false, 10, L"C:\\w\\", L"C:\\w\\BMPS\\").IsEmpty());
}

TEST(TemplateRules, TablesAndVisibleLines) {
    // Four layouts share one list text; only descriptions and previews differ.
    EXPECT_STREQ(L"5 lines of right justified text.", wiz::kLayoutChoices[4].description);
    EXPECT_STREQ(L"5 lines of right justified text", wiz::kLayoutChoices[5].description);
    EXPECT_STREQ(wiz::kLayoutChoices[4].listText, wiz::kLayoutChoices[5].listText);
    EXPECT_STREQ(L"D10", wiz::kLayoutChoices[9].preview);
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
    struct Case { const wchar_t* program; int entry; };
    const Case cases[] = {
        {L"_menu12", 12}, {L"_menu1", 1}, {L"_menu200", 200}, {L"_menu7", 7},
        {L"_menu", 1},                  // the bare prefix finds the first entry
        {L"_menu250", 0}, {L"_menu0", 0}, {L"_menu012", 0}, {L"_menu12x", 0},
        {L"_MENU3", 0}, {L"_Menu3", 0},  // the go-to test minds letter case
        {L"_menU3", 0}, {L"menu3", 0}, {L"", 0}, {L"setup.exe", 0},
        {L"_menu\xFF13", 0}, {L"_menu3\xE9", 0}, {L"\x5B89\x88C5.exe", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.entry, wiz::GotoEntryForProgram(c.program)) << text::U8(c.program);
    EXPECT_STREQ(L"menu7", wiz::GotoEntryText(7).c_str());
}

TEST(ActionRules, StoredProgramAndQuitFlag) {
    EXPECT_STREQ(L"_menu4", wiz::ProgramToStore(L"menu4", L"setup.exe").c_str());
    EXPECT_STREQ(L"setup.exe", wiz::ProgramToStore(L"", L"setup.exe").c_str());
    EXPECT_STREQ(L"\x5B89\x88C5\\\xE9.exe", wiz::ProgramToStore(L"", L"\x5B89\x88C5\\\xE9.exe").c_str());
    EXPECT_STREQ(L"", wiz::ProgramToStore(L"", L"").c_str());
    EXPECT_TRUE(def::IsTrue(L"TRUE"));
    for (const wchar_t* t : {L"true", L"True", L"FALSE", L"", L" TRUE", L"TRUE "}) EXPECT_FALSE(def::IsTrue(t)) << text::U8(t);
}

TEST(LookRules, ColoursAndSoundNames) {
    int c[3];
    def::ComponentsOfColor(def::ColorFromComponents(255, 128, 0), c);
    EXPECT_EQ(255, c[0]);
    EXPECT_EQ(128, c[1]);
    EXPECT_EQ(0, c[2]);
    // Stored components keep only their low 8 bits.
    EXPECT_EQ(def::ColorFromComponents(0x10, 0x20, 0x30), def::ColorFromComponents(0x110, 0x220, 0x330));
    EXPECT_STREQ(L"ding.wav", wiz::BareFileName(L"C:\\sounds\\ding.wav").c_str());
    EXPECT_STREQ(L"ding.wav", wiz::BareFileName(L"ding.wav").c_str());
    EXPECT_STREQ(L"", wiz::BareFileName(L"C:\\sounds\\").c_str());
    EXPECT_STREQ(L"\x97F3.wav", wiz::BareFileName(L"C:\\\x58F0\\\x97F3.wav").c_str());
    EXPECT_STREQ(L"C:\\w\\ding.wav", wiz::SoundToPlay(L"C:\\w\\", L"ding.wav").c_str());
    EXPECT_STREQ(L"C:\\\x58F0\\\x97F3 \xD83D\xDD0A.wav", wiz::SoundToPlay(L"C:\\\x58F0\\", L"\x97F3 \xD83D\xDD0A.wav").c_str());
    for (const wchar_t* n : {L"", L"..\\x.wav", L"C:\\x.wav", L"a/b.wav", L"c:x.wav"})
        EXPECT_TRUE(wiz::SoundToPlay(L"C:\\w\\", n).IsEmpty()) << text::U8(n);
}

}  // namespace
