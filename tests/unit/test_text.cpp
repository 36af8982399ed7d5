// The programs' text: formatting, the command-line tail, reading order,
// cuts that keep letters whole, and the forms a definition is written in.
#include "menu/Definition.h"
#include "menu/MenuLogic.h"
#include "menu/Variants.h"
#include "editor/MenuListing.h"
#include "platform/Encoding.h"
#include "platform/WinApp.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string Utf8Of(const wchar_t* text) { return ToUtf8(text, WideLength(text)); }

TEST(Text, FormatKnowsWhatTheProgramsUse) {
    struct Case { CString got; const wchar_t* want; } cases[] = {
        {CString::Format(L"%s%d", L"1500", 12), L"150012"},
        {CString::Format(L"%d|%i|%u|%x|%X", -7, 42, 4000000000u, 255, 255), L"-7|42|4000000000|ff|FF"},
        {CString::Format(L"Menu %2d Line %2d", 3, 12), L"Menu  3 Line 12"},
        {CString::Format(L"[%5s][%-5s][%05d][%-4d][%03d]", L"ab", L"ab", -42, 7, -5), L"[   ab][ab   ][-0042][7   ][-05]"},
        {CString::Format(L"%ls and %c, 100%%", L"Обзор 日本", L'Ж'), L"Обзор 日本 and Ж, 100%"},
        {CString::Format(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)"},
        {CString::Format(L"ends in %"), L"ends in "},
        {CString::Format(L"%q"), L"%q"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.want, c.got);
    // No limit of length, and letters of any script.
    CString longText;
    for (int i = 0; i < 400; ++i) longText += L'ж';
    EXPECT_EQ(401u, CString::Format(L"%s!", longText.c_str()).GetLength());
}

TEST(Text, CommandTailSkipsTheProgramNameAsTheRuntimeDoes) {
    struct Case { const wchar_t* line; const wchar_t* tail; } cases[] = {
        {L"autorun.exe", L""},
        {L"autorun.exe .de", L".de"},
        {L"\"D:\\Диск 日本\\autorun.exe\"   .ja  ", L".ja  "},
        {L"\"C:\\a b\\tlkedit.exe\"/check \"x y\"", L"/check \"x y\""},
        {L"\"unclosed quote", L""},
        {L"prog\t\tx", L"x"},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_STREQ(c.tail, CommandTail(c.line)) << Utf8Of(c.line);
    EXPECT_STREQ(L"", CommandTail(nullptr));
}

TEST(Text, TheFirstLetterWithADirectionDecidesTheReadingOrder) {
    struct Case { const wchar_t* text; bool rightToLeft; } cases[] = {
        {L"", false},
        {L"Install", false},
        {L"العربية", true},
        {L"עברית", true},
        {L"123 - (العربية)", true},          // digits and punctuation have no direction of their own
        {L"« עברית »", true},
        {L"Windows العربية", false},
        {L"Обзор עברית", false},
        {L"日本語 العربية", false},
        {L"   \t!?", false},
        {L"\x200F" L"abc", true},            // a right-to-left mark is such a letter
    };
    for (const Case& c : cases) EXPECT_EQ(c.rightToLeft, menu::ReadsRightToLeft(c.text)) << Utf8Of(c.text);
    // Past the first pieces of a long text.
    std::wstring late(100, L' ');
    late += L"עברית";
    EXPECT_TRUE(menu::ReadsRightToLeft(late.c_str()));
    EXPECT_FALSE(menu::ReadsRightToLeft(nullptr));
}

TEST(Text, CutsNeverSplitALetterOfTwoUnits) {
    const wchar_t clef[] = L"\xD834\xDD1E";   // one letter, two UTF-16 units
    struct Case { std::wstring value; int buffer; std::wstring kept; } cases[] = {
        {L"abc", 80, L"abc"},
        {std::wstring(78, L'a') + clef, 80, std::wstring(78, L'a')},          // the cut fell inside it
        {std::wstring(77, L'a') + clef, 80, std::wstring(77, L'a') + clef},   // it fits whole
        {std::wstring(79, L'a'), 80, std::wstring(79, L'a')},
    };
    for (const Case& c : cases) {
        const std::wstring cut = c.value.substr(0, c.buffer - 1);
        EXPECT_EQ(c.kept, std::wstring(ReadCut(CString(cut.c_str()), c.buffer).c_str())) << c.value.size();
        EXPECT_EQ(c.kept.size(), CutLength(c.value.c_str(), c.value.size(), c.buffer - 1));
    }
}

TEST(Text, Utf8RoundTripsEveryLetterAndMarksLoneHalves) {
    const CString all(L"Café Обзор Ελληνικά 日本語 العربية עברית \xD834\xDD1E");
    EXPECT_EQ(all, FromUtf8(ToUtf8(all)));
    EXPECT_EQ("\xEF\xBF\xBD" "a", ToUtf8(CString(L"\xD800" L"a")));
    EXPECT_EQ("\xF0\x9D\x84\x9E", ToUtf8(CString(L"\xD834\xDD1E")));
}

// The user's languages become the files to look for, in order: each tag,
// then its language alone, once each whatever the case.
TEST(Text, VariantsAreLookedForInTheUsersOrder) {
    struct Case { std::vector<CString> tags; const wchar_t* tails; } cases[] = {
        {{}, L""},
        {{L"de-DE"}, L".de-DE .de"},
        {{L"pt-BR", L"pt-PT", L"en-US"}, L".pt-BR .pt .pt-PT .en-US .en"},
        {{L"de", L"DE-at", L"de-AT"}, L".de .DE-at"},
        {{L"zh-Hant-TW"}, L".zh-Hant-TW .zh"},
        // Nothing that could name another file or folder.
        {{L"..\\x", L"a b", L"-de", L"x/y", L"", L"ja"}, L".ja"},
    };
    for (const Case& c : cases) {
        CString tails[variants::kMaxTails];
        const int n = variants::TailsFor(c.tags.data(), static_cast<int>(c.tags.size()), tails);
        CString joined;
        for (int i = 0; i < n; ++i) joined += (i ? L" " : L"") + tails[i];
        EXPECT_EQ(c.tails, joined);
    }
}

// Every language under its name, and under a line what it requires; a
// menu in one language alone keeps the listing it always had.
TEST(Text, TheListingListsEveryLanguageAndEveryCondition) {
    TempDir dir("listing");
    dir.Write("auto.tdf", "[100]\r\n300=1\r\n[15001]\r\n1=Install\r\n2=Manual\r\n"
                          "[20001]\r\n1=file\r\n[21001]\r\n1=%ProgramFiles%\\Fair\\fair.exe\r\n[22001]\r\n1=TRUE\r\n"
                          "[23001]\r\n1=HIDE\r\n[24001]\r\n1=TRUE\r\n");
    dir.Write("auto.de.tdf", "[100]\r\n300=1\r\n[15001]\r\n1=Installieren\r\n");
    const CString one = ListEveryLanguage({L"Default"}, {CString(dir.File("auto.tdf").c_str())});
    EXPECT_EQ(0, one.Find(L"Menu    Line")) << "one language: the listing as it was";
    EXPECT_NE(-1, one.Find(L"\r\n                requires no file %ProgramFiles%\\Fair\\fair.exe, hidden otherwise; runs as administrator\r\n"));
    EXPECT_EQ(-1, one.Find(L"Manual                                             \r\n                requires"))
        << "a line without a condition gets no line under it";
    const CString both = ListEveryLanguage({L"Default", L"Deutsch (de)"},
                                           {CString(dir.File("auto.tdf").c_str()), CString(dir.File("auto.de.tdf").c_str())});
    EXPECT_EQ(0, both.Find(L"Language: Default\r\n\r\nMenu    Line"));
    const int german = both.Find(L"\r\nLanguage: Deutsch (de)\r\n\r\nMenu    Line");
    ASSERT_GT(german, 0);
    EXPECT_GT(both.Find(L"Installieren"), german);
}

// The disc's settings go to every language at once; a language's own
// texts stay.
TEST(Text, SharedKeysReachEveryLanguageAndNothingElse) {
    TempDir dir("share");
    dir.Write("auto.tdf", "[100]\r\n200=Title\r\n300=3\r\n400=2\r\n500=7\r\n700=hover.wav\r\n[1000]\r\n1200=10\r\n");
    dir.Write("auto.de.tdf", "[100]\r\n200=Titel\r\n300=1\r\n400=0\r\n600=old.wav\r\n[15001]\r\n1=Hallo\r\n");
    const CString source(dir.File("auto.tdf").c_str()), german(dir.File("auto.de.tdf").c_str());
    ASSERT_TRUE(ShareKeys(source, {german}));
    const CDefinitionFile de(german);
    EXPECT_EQ(3, de.ReadInt(def::kGeneral, def::kMenuCount, 0));
    EXPECT_EQ(7, de.ReadInt(def::kGeneral, def::kTemplate, 0));
    EXPECT_EQ(CString(L"hover.wav"), de.ReadString(def::kGeneral, def::kHoverSound, L"", def::kShortBuffer));
    EXPECT_EQ(CString(L"(none)"), de.ReadString(def::kGeneral, def::kStartupSound, L"(none)", def::kShortBuffer))
        << "a key the source has not goes";
    EXPECT_EQ(10, de.ReadInt(def::kNormalColor, def::kRed, 0));
    EXPECT_EQ(CString(L"Titel"), de.ReadString(def::kGeneral, def::kTitle, L"", def::kShortBuffer));
    EXPECT_EQ(CString(L"Hallo"), de.ReadString(L"15001", L"1", L"", def::kTextBuffer));
    EXPECT_FALSE(dir.Exists("auto.de.tdf.new"));
    // A file that cannot be written: every file stays as it was.
    const std::string before = dir.Read("auto.de.tdf");
    EXPECT_FALSE(ShareKeys(source, {german, CString(dir.File("missing\\auto.ja.tdf").c_str())}));
    EXPECT_EQ(before, dir.Read("auto.de.tdf"));
}

TEST(Text, TheListingIsPlainAsciiOrUtf8WithItsMark) {
    EXPECT_EQ("Menu  1\r\n", ListingFileBytes(CString(L"Menu  1\r\n")));
    EXPECT_EQ("\xEF\xBB\xBF" "Menu \xD0\x9E", ListingFileBytes(CString(L"Menu О")));
}

// What a write leaves: the form of the file and every letter readable
// through the wide functions, from every form a file can have.
TEST(Text, WritesKeepEveryLetterInAFormEveryWindowsReads) {
    TempDir dir("forms");
    const std::string ansiUmlaut = "[100]\r\n200=\xDC" "berblick\r\n";   // code page 1252
    struct Case {
        const char* name;
        std::string before;          // the file's bytes; "-" for no file
        const wchar_t* value;        // written to [100] 300
        const char* formAfter;       // "ansi" or "utf16"
        const wchar_t* titleAfter;   // [100] 200 read back
    } cases[] = {
        {"ascii file, ascii value", "[100]\r\n200=Plain\r\n", L"7", "ansi", L"Plain"},
        {"ascii file, other letters", "[100]\r\n200=Plain\r\n", L"Обзор", "utf16", L"Plain"},
        {"no file, ascii value", "-", L"7", "ansi", L""},
        {"no file, other letters", "-", L"日本語", "utf16", L""},
        {"ansi letters, ascii value", ansiUmlaut, L"7", "utf16", nullptr},
        {"utf-8 mark", "\xEF\xBB\xBF[100]\r\n200=\xC3\x9C" "ber\r\n", L"7", "utf16", L"Über"},
        {"utf-16 big-endian", std::string("\xFE\xFF\0[\0" "1\0" "0\0" "0\0]\0\r\0\n\0" "2\0" "0\0" "0\0=\x04\x1E", 26), L"7",
         "utf16", L"О"},
        {"utf-16 little-endian", std::string("\xFF\xFE[\0" "1\0" "0\0" "0\0]\0\r\0\n\0" "2\0" "0\0" "0\0=\0\x1E\x04", 26),
         L"Ж", "utf16", L"О"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "f" + std::to_string(++n) + ".tdf";
        if (c.before != "-") dir.Write(name, c.before);
        const CString path(dir.File(name).c_str());
        CDefinitionFile file(path);
        ASSERT_TRUE(file.WriteString(def::kGeneral, def::kMenuCount, c.value)) << c.name;
        const std::string after = dir.Read(name);
        const bool utf16 = after.size() >= 2 && after[0] == '\xFF' && after[1] == '\xFE';
        EXPECT_EQ(std::string(c.formAfter), utf16 ? "utf16" : "ansi") << c.name;
        EXPECT_EQ(CString(c.value), file.ReadString(def::kGeneral, def::kMenuCount, L"", def::kShortBuffer)) << c.name;
        // The letters that were there read the same after the change of form.
        const CString title = c.titleAfter ? CString(c.titleAfter) : CString(ansiUmlaut.substr(11, 9).c_str());
        EXPECT_EQ(title, file.ReadString(def::kGeneral, def::kTitle, L"", def::kShortBuffer)) << c.name;
        EXPECT_FALSE(dir.Exists(name + ".new")) << c.name;
    }
}

}  // namespace
