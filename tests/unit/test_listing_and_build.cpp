// The menu listing's exact text and the build's file list.
#include "disc/BuildPlan.h"
#include "editor/MenuListing.h"
#include "support/tempdir.h"
#include "support/text.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

const std::string kHeader =
    "Menu    Line    Text                                               Menu goto\r\n"
    "------- ------- -------------------------------------------------- ---------\r\n";

std::string Pad(const std::string& text) { return std::string(text.size() < 50 ? 50 - text.size() : 0, ' ') + text; }

struct Tables {
    std::unique_ptr<MenuTables> t{new MenuTables};
    MenuTables& operator*() { return *t; }
};

}  // namespace

TEST(MenuListing, HeaderAndRuleStandInTheirColumns) {
    EXPECT_EQ(17u, kHeader.find("Text") + 1);
    EXPECT_EQ(68u, kHeader.find("Menu goto") + 1);
    Tables t;
    EXPECT_EQ(kHeader, text::U8(FormatMenuListing(*t, 0))) << "count 0 lists no menu";
    EXPECT_EQ(kHeader, text::U8(FormatMenuListing(*t, -3)));
    EXPECT_EQ(kHeader, text::U8(FormatMenuListing(*t, 1))) << "an empty menu gives no line";
}

TEST(MenuListing, OnlyNonEmptyHeadingsAndLinesInOrder) {
    Tables t;
    (*t).text[1][12] = "Second menu";      // menu 2, heading 1
    (*t).text[1][0] = "First line";
    (*t).text[1][2] = "Third line";
    (*t).program[1][0] = "_menu4";
    (*t).program[1][2] = "setup.exe";
    (*t).program[1][1] = "_menu1";          // action without text: not listed
    std::string expected = kHeader +
                           "Menu  2 Head  1 " + Pad("Second menu") + "\r\n" +
                           "Menu  2 Line  1 " + Pad("First line") + " _menu4\r\n" +
                           "Menu  2 Line  3 " + Pad("Third line") + " \r\n";
    EXPECT_EQ(expected, text::U8(FormatMenuListing(*t, 2)));
}

TEST(MenuListing, NumbersAndWidths) {
    Tables t;
    std::string fifty(50, 'F'), longer(60, 'G');
    (*t).text[9][13] = "Lower heading";     // menu 10, heading 2
    (*t).text[9][11] = fifty.c_str();              // line 12
    (*t).text[2][0] = longer.c_str();              // menu 3, line 1
    (*t).program[2][0] = "_MENU2";          // not a go-to: not listed
    (*t).text[199][0] = "Last";             // menu 200
    std::string out = text::U8(FormatMenuListing(*t, 250));
    EXPECT_NE(std::string::npos, out.find("Menu  3 Line  1 " + longer + " \r\n")) << "a longer text is written whole";
    EXPECT_NE(std::string::npos, out.find("Menu 10 Head  2 " + Pad("Lower heading") + "\r\n"));
    std::string line12 = "Menu 10 Line 12 " + fifty + " \r\n";
    size_t at = out.find(line12);
    ASSERT_NE(std::string::npos, at);
    EXPECT_EQ(16u, line12.find(fifty)) << "a 50-character text fills columns 17 to 66";
    EXPECT_NE(std::string::npos, out.find("Menu 200 Line  1 " + Pad("Last") + " \r\n")) << "count above 200 lists 200";
    EXPECT_EQ(std::string::npos, out.find("_MENU2"));
}

TEST(MenuListing, ReadsTextsAndActionsFromTheDefinition) {
    TempDir dir("listing");
    dir.Write("auto.tdf", "[100]\r\n300=2\r\n[15001]\r\n1=Go on\r\n13=Top\r\n[17001]\r\n1=_menu2\r\n"
                          "[15002]\r\n2=Back\r\n[17002]\r\n2=_menu1\r\n[15003]\r\n1=Beyond the count\r\n");
    Tables t;
    CDefinitionFile file(dir.File(L"auto.tdf").c_str());
    int count = ReadMenuListing(file, *t);
    EXPECT_EQ(2, count);
    std::string expected = kHeader + "Menu  1 Head  1 " + Pad("Top") + "\r\n" +
                           "Menu  1 Line  1 " + Pad("Go on") + " _menu2\r\n" +
                           "Menu  2 Line  2 " + Pad("Back") + " _menu1\r\n";
    EXPECT_EQ(expected, text::U8(FormatMenuListing(*t, count)));

    TempDir empty("listing0");
    Tables none;
    CDefinitionFile missing(empty.File(L"auto.tdf").c_str());
    EXPECT_EQ(1, ReadMenuListing(missing, *none));
    EXPECT_EQ(kHeader, text::U8(FormatMenuListing(*none, 1)));
}

// Texts of any script are listed as they are; the file holds plain ASCII
// as it is and anything else as UTF-8 after its byte-order mark.
TEST(MenuListing, LettersBeyondAsciiAndTheFileBytes) {
    Tables t;
    (*t).text[0][0] = L"Caf\xE9 \x4E2D\x6587";
    (*t).program[0][0] = L"_menu2";
    (*t).text[0][12] = L"\x05E9\x05DC\x05D5\x05DD";   // a heading in Hebrew
    const CString listing = FormatMenuListing(*t, 1);
    const std::wstring expected = text::W(kHeader) + L"Menu  1 Head  1 " + std::wstring(46, L' ') + L"\x05E9\x05DC\x05D5\x05DD\r\n" +
                                  L"Menu  1 Line  1 " + std::wstring(43, L' ') + L"Caf\xE9 \x4E2D\x6587 _menu2\r\n";
    EXPECT_EQ(expected, text::Whole(listing));
    EXPECT_EQ("\xEF\xBB\xBF" + text::U8(expected), ListingFileBytes(listing));

    Tables plain;
    (*plain).text[0][0] = L"Plain";
    const CString ascii = FormatMenuListing(*plain, 1);
    EXPECT_EQ(text::U8(ascii), ListingFileBytes(ascii)) << "plain ASCII has no mark";
    EXPECT_EQ(0u, text::U8(ascii).find("Menu    Line"));
}

TEST(BuildPlan, FolderAlwaysEndsWithABackslash) {
    EXPECT_STREQ(L"c:\\cd\\", BuildFolderWithSlash(L"c:\\cd").c_str());
    EXPECT_STREQ(L"c:\\cd\\", BuildFolderWithSlash(L"c:\\cd\\").c_str());
    EXPECT_STREQ(L"\\", BuildFolderWithSlash(L"").c_str());
    EXPECT_STREQ(L"c:\\\x5149\x789F\\", BuildFolderWithSlash(L"c:\\\x5149\x789F").c_str());
}

TEST(BuildPlan, OnlyAStartUpSoundGivesFiveFiles) {
    BuildFileList list = PlanBuild(L"", L"", L"", L"intro.wav");
    ASSERT_EQ(5, list.count);
    const wchar_t* expected[5] = {L"autorun.bmp", L"autorun.exe", L"autorun.inf", L"auto.tdf", L"intro.wav"};
    for (int i = 0; i < 5; ++i) EXPECT_STREQ(expected[i], list.names[i].c_str());
}

TEST(BuildPlan, SoundsInKeyOrderAndHostileNamesSkipped) {
    BuildFileList all = PlanBuild(L"over.wav", L"select.wav", L"change.wav", L"start.wav");
    ASSERT_EQ(8, all.count);
    EXPECT_STREQ(L"over.wav", all.names[4].c_str());
    EXPECT_STREQ(L"start.wav", all.names[7].c_str());

    BuildFileList hostile = PlanBuild(L"..\\..\\x.wav", L"C:\\x.wav", L"sub/x.wav", L"..");
    EXPECT_EQ(4, hostile.count);
    for (const wchar_t* bad : {L"x:y.wav", L"a?.wav", L"tab\t.wav", L".", L"", L"\\x.wav", L"\x30B5\\x.wav"})
        EXPECT_FALSE(IsBareFileName(bad)) << text::U8(bad);
    for (const wchar_t* good : {L"x.wav", L"my sound.wav", L"..x.wav", L"a.b.c", L"caf\xE9.wav", L"\x30B5\x30A6\x30F3\x30C9.wav"})
        EXPECT_TRUE(IsBareFileName(good)) << text::U8(good);
}

TEST(BuildPlan, ReadsTheFourSoundKeysFromTheDefinition) {
    TempDir dir("plan");
    dir.Write("auto.tdf", "[100]\r\n600=start.wav\r\n700=over.wav\r\n800=..\\evil.wav\r\n900=\r\n");
    BuildFileList list = PlanBuild(CDefinitionFile(dir.File(L"auto.tdf").c_str()));
    ASSERT_EQ(6, list.count);
    EXPECT_STREQ(L"over.wav", list.names[4].c_str());
    EXPECT_STREQ(L"start.wav", list.names[5].c_str());
}
