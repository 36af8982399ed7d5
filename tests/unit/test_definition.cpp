// The definition file: naming, defaults, limits and the fast menu reader.
#include "menu/Definition.h"
#include "support/profile_gen.h"
#include "support/tempdir.h"
#include "support/text.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Loaded {
    MenuSettings settings;
    std::unique_ptr<MenuTables> tables{new MenuTables};
};

void Load(const CDefinitionFile& file, Loaded& out) { ReadMenuDefinition(file, out.settings, *out.tables); }

}  // namespace

TEST(DefinitionNames, MenuSectionsJoinBaseAndNumberWithoutSeparator) {
    EXPECT_STREQ(L"15001", MenuSection(def::kTextBase, 1).c_str());
    EXPECT_STREQ(L"150010", MenuSection(def::kTextBase, 10).c_str());
    EXPECT_STREQ(L"1500100", MenuSection(def::kTextBase, 100).c_str());
    EXPECT_STREQ(L"1700200", MenuSection(def::kActionBase, 200).c_str());
    EXPECT_STREQ(L"16003", MenuSection(def::kQuitBase, 3).c_str());
}

TEST(DefinitionNames, FileNameTakesTheCommandTail) {
    EXPECT_STREQ(L"C:\\disc\\auto.tdf", DefinitionPathFor(L"C:\\disc\\", L"").c_str());
    EXPECT_STREQ(L"C:\\disc\\auto2.tdf", DefinitionPathFor(L"C:\\disc\\", L"2").c_str());
    EXPECT_STREQ(L"D:\\auto.tdf", DefinitionPathFor(DirectoryWithSlash(L"D:\\autorun.exe"), L"").c_str());
    EXPECT_STREQ(L"", DirectoryWithSlash(L"autorun.exe").c_str());
    EXPECT_STREQ(L"C:\\\x7C21\x5355\\auto\xE9.tdf",
                 DefinitionPathFor(DirectoryWithSlash(L"C:\\\x7C21\x5355\\autorun.exe"), L"\xE9").c_str())
        << "folders and tails of any script";
}

TEST(DefinitionNames, MenuCountIsClampedToTheTables) {
    EXPECT_EQ(0, ClampMenuCount(-3));
    EXPECT_EQ(0, ClampMenuCount(0));
    EXPECT_EQ(7, ClampMenuCount(7));
    EXPECT_EQ(200, ClampMenuCount(200));
    EXPECT_EQ(200, ClampMenuCount(201));
    EXPECT_EQ(200, ClampMenuCount(100000));
}

TEST(DefinitionRead, MissingFileGivesThePlayerDefaults) {
    TempDir dir;
    CDefinitionFile file(dir.File(L"auto.tdf").c_str());
    Loaded d;
    Load(file, d);
    EXPECT_TRUE(d.settings.title.IsEmpty());
    EXPECT_TRUE(d.settings.startupSound.IsEmpty());
    EXPECT_TRUE(d.settings.hoverSound.IsEmpty());
    EXPECT_EQ(1, d.settings.menuCount);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(0, d.settings.normalRGB[c]);
        EXPECT_EQ(255, d.settings.highlightRGB[c]);
    }
    EXPECT_EQ(3, file.ReadInt(def::kGeneral, def::kTemplate, def::kTemplateDefaultPlayer));
    EXPECT_EQ(3, d.settings.layout);
    EXPECT_TRUE(d.tables->text[0][0].IsEmpty());
    EXPECT_FALSE(dir.Exists("auto.tdf")) << "reading must never create the file";
}

TEST(DefinitionRead, OnlyTemplateSevenGivesOneEmptyMenu) {
    TempDir dir;
    dir.Write("auto.tdf", "[100]\r\n500=7\r\n");
    CDefinitionFile file(dir.File(L"auto.tdf").c_str());
    Loaded d;
    Load(file, d);
    EXPECT_EQ(7, file.ReadInt(def::kGeneral, def::kTemplate, def::kTemplateDefaultPlayer));
    EXPECT_EQ(7, d.settings.layout);
    EXPECT_EQ(1, d.settings.menuCount);
    EXPECT_TRUE(d.settings.title.IsEmpty());
    EXPECT_TRUE(d.settings.startupSound.IsEmpty());
}

TEST(DefinitionRead, TextLimitsAre79And127Characters) {
    TempDir dir;
    std::string title79(79, 'T'), title80 = title79 + "X";
    std::string line127(127, 'L'), line128 = line127 + "Y";
    std::string action80(80, 'a');
    dir.Write("a.tdf", "[100]\r\n200=" + title79 + "\r\n[15001]\r\n1=" + line127 + "\r\n");
    dir.Write("b.tdf", "[100]\r\n200=" + title80 + "\r\n[15001]\r\n1=" + line128 +
                           "\r\n[17001]\r\n1=" + action80 + "\r\n");
    Loaded a, b;
    Load(CDefinitionFile(dir.File(L"a.tdf").c_str()), a);
    Load(CDefinitionFile(dir.File(L"b.tdf").c_str()), b);
    EXPECT_EQ(title79, text::U8(a.settings.title));
    EXPECT_EQ(title79, text::U8(b.settings.title)) << "the 80th character is lost";
    EXPECT_EQ(line127, text::U8(a.tables->text[0][0]));
    EXPECT_EQ(line127, text::U8(b.tables->text[0][0]));
    EXPECT_EQ(79u, b.tables->program[0][0].GetLength());
}

TEST(DefinitionRead, MenuCountZeroNegativeAndAboveTwoHundred) {
    TempDir dir;
    std::string menus = "[15001]\r\n1=first\r\n[1500200]\r\n1=last\r\n[1500201]\r\n1=beyond\r\n";
    dir.Write("zero.tdf", "[100]\r\n300=0\r\n" + menus);
    dir.Write("neg.tdf", "[100]\r\n300=-4\r\n" + menus);
    dir.Write("big.tdf", "[100]\r\n300=250\r\n" + menus);
    Loaded zero, neg, big;
    Load(CDefinitionFile(dir.File(L"zero.tdf").c_str()), zero);
    Load(CDefinitionFile(dir.File(L"neg.tdf").c_str()), neg);
    Load(CDefinitionFile(dir.File(L"big.tdf").c_str()), big);
    EXPECT_EQ(0, zero.settings.menuCount);
    EXPECT_TRUE(zero.tables->text[0][0].IsEmpty()) << "count 0 loads no menu";
    EXPECT_EQ(0, neg.settings.menuCount);
    EXPECT_TRUE(neg.tables->text[0][0].IsEmpty());
    EXPECT_EQ(200, big.settings.menuCount);
    EXPECT_STREQ(L"first", big.tables->text[0][0].c_str());
    EXPECT_STREQ(L"last", big.tables->text[199][0].c_str());
}

TEST(DefinitionRead, QuitFlagIsKeptAsWrittenSoOnlyExactTrueQuits) {
    TempDir dir;
    dir.Write("auto.tdf", "[16001]\r\n1=TRUE\r\n2=true\r\n3=True\r\n4=FALSE\r\n5=\r\n");
    Loaded d;
    Load(CDefinitionFile(dir.File(L"auto.tdf").c_str()), d);
    EXPECT_STREQ(L"TRUE", d.tables->quit[0][0].c_str());
    EXPECT_STREQ(L"true", d.tables->quit[0][1].c_str());
    EXPECT_STREQ(L"True", d.tables->quit[0][2].c_str());
    EXPECT_STREQ(L"FALSE", d.tables->quit[0][3].c_str());
    EXPECT_STREQ(L"", d.tables->quit[0][4].c_str());
}

TEST(DefinitionRead, ColoursAndSoundsOfSectionHundred) {
    TempDir dir;
    dir.Write("auto.tdf",
              "[100]\r\n200=Welcome\r\n600=intro.wav\r\n700=over.wav\r\n800=sel.wav\r\n900=chg.wav\r\n"
              "[1000]\r\n1200=0\r\n1300=0\r\n1400=128\r\n[1100]\r\n1200=255\r\n1300=255\r\n1400=0\r\n");
    Loaded d;
    Load(CDefinitionFile(dir.File(L"auto.tdf").c_str()), d);
    EXPECT_STREQ(L"Welcome", d.settings.title.c_str());
    EXPECT_STREQ(L"intro.wav", d.settings.startupSound.c_str());
    EXPECT_STREQ(L"over.wav", d.settings.hoverSound.c_str());
    EXPECT_STREQ(L"sel.wav", d.settings.selectSound.c_str());
    EXPECT_STREQ(L"chg.wav", d.settings.menuChangeSound.c_str());
    EXPECT_EQ(128, d.settings.normalRGB[2]);
    EXPECT_EQ(0, d.settings.highlightRGB[2]);
    EXPECT_EQ(255, d.settings.highlightRGB[0]);
}

// The whole-section reader must give what key-by-key reads give, whatever
// the file holds.
TEST(DefinitionRead, NumberedKeysAgreeWithSingleKeyReads) {
    TempDir dir;
    std::string longValue(300, 'v');
    dir.Write("auto.tdf",
              "[15001]\r\n"
              "1=plain\r\n"
              "  2  =  padded value  \r\n"
              "3=\"quoted\"\r\n"
              "4='single'\r\n"
              "5=\"unbalanced\r\n"
              "6=first\r\n6=second\r\n"
              "7=\r\n"
              "01=leading zero is another key\r\n"
              "8=" + longValue + "\r\n"
              "; a comment line\r\n"
              "no equals sign here\r\n"
              "14=heading two\r\n"
              "15=beyond the keys\r\n"
              "12=a=b=c\r\n");
    CDefinitionFile file(dir.File(L"auto.tdf").c_str());
    CString fast[14];
    CDefinitionSnapshot(file).ReadNumberedKeys(L"15001", 14, def::kTextBuffer, fast);
    for (int k = 1; k <= 14; ++k) {
        CString slow = file.ReadString(L"15001", CString::Format(L"%d", k), L"", def::kTextBuffer);
        EXPECT_STREQ(slow.c_str(), fast[k - 1].c_str()) << "key " << k;
    }
    EXPECT_STREQ(L"first", fast[5].c_str());
    EXPECT_EQ(127u, fast[7].GetLength());
}

TEST(DefinitionRead, HugeSectionIsReadWhole) {
    TempDir dir;
    std::string content = "[15001]\r\n1=one\r\n";
    for (int i = 0; i < 2000; ++i) content += "x" + std::to_string(i) + "=" + std::string(30, 'p') + "\r\n";
    content += "2=two\r\n";
    dir.Write("auto.tdf", content);
    CDefinitionFile file(dir.File(L"auto.tdf").c_str());
    CString values[14];
    CDefinitionSnapshot(file).ReadNumberedKeys(L"15001", 14, def::kTextBuffer, values);
    EXPECT_STREQ(L"one", values[0].c_str());
    EXPECT_STREQ(L"two", values[1].c_str());
}

TEST(DefinitionWrite, LineBreaksAreRefusedSoNoSectionCanBeInjected) {
    TempDir dir;
    CDefinitionFile file(dir.File(L"auto.tdf").c_str());
    EXPECT_TRUE(file.WriteString(def::kGeneral, def::kTitle, L"Safe title"));
    EXPECT_FALSE(file.WriteString(def::kGeneral, def::kTitle, L"abc\r\n[15001]\r\n1=evil"));
    EXPECT_FALSE(file.WriteString(def::kGeneral, def::kTitle, L"line\nbreak"));
    EXPECT_FALSE(file.WriteString(def::kGeneral, def::kTitle, L"carriage\rreturn"));
    EXPECT_FALSE(file.WriteString(def::kGeneral, def::kTitle, L"\xE9t\xE9\n[15001]")) << "nor beyond ASCII";
    EXPECT_STREQ(L"Safe title", file.ReadString(def::kGeneral, def::kTitle, L"", 80).c_str());
    EXPECT_STREQ(L"", file.ReadString(L"15001", L"1", L"", 128).c_str());
    EXPECT_EQ(std::string::npos, dir.Read("auto.tdf").find("evil"));
}

TEST(DefinitionWrite, IntegersAreWrittenAsDecimalText) {
    TempDir dir;
    CDefinitionFile file(dir.File(L"auto.tdf").c_str());
    EXPECT_TRUE(file.WriteInt(def::kNormalColor, def::kRed, 255));
    EXPECT_TRUE(file.WriteInt(def::kGeneral, def::kMenuCount, -1));
    EXPECT_STREQ(L"255", file.ReadString(def::kNormalColor, def::kRed, L"", 80).c_str());
    EXPECT_EQ(-1, file.ReadInt(def::kGeneral, def::kMenuCount, 1));
}

// An update leaves the file alone only when the plain write would, and
// otherwise writes: either way the file ends as after the plain write.
TEST(DefinitionUpdate, SkipsOnlyWritesThatChangeNothing) {
    struct Case { const char* name; std::string file; std::wstring value; bool untouched; };
    const std::string nul("[s]\r\nk=a\0b\r\n[]\r\nx=1\r\n", 21);
    const std::string utf16("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0", 18);
    const Case cases[] = {
        {"blanks around the stored value", "[s]\r\nk = same \r\n", L"same", true},
        {"leading blanks of the new value", "[s]\r\nk=same\r\n", L"  same", true},
        {"names without regard to case", "[S]\r\nK=x\r\n", L"x", true},
        {"an empty value", "[s]\r\nk=\r\n", L"", true},
        {"stored up to a NUL", nul, L"a", true},
        {"stored in quotes", "[s]\r\nk=\"quoted\"\r\n", L"quoted", false},
        {"typed in quotes", "[s]\r\nk=\"  Welcome  \"\r\n", L"  Welcome  ", false},
        {"trailing blanks of the new value", "[s]\r\nk=same\r\n", L"same ", false},
        {"a key without =", "[s]\r\nk\r\nk=\r\n", L"", false},
        {"a missing key", "[s]\r\nother=1\r\n", L"", false},
        {"a changed value in a damaged file", "[s]\r\nk=old\r\n[]\r\nx=1\r\n", L"new", false},
        {"a quoted value of 1023 characters", "[s]\r\nk=\"" + std::string(1023, 'L') + "\"\r\n", std::wstring(1023, L'L'), false},
        {"in a UTF-16 file", utf16, L"\xE9", true},
        {"a changed value in a UTF-16 file", utf16, L"\x4E2D\xD83D\xDE00", false},
        // A write that changes nothing is left out, so the file keeps its
        // form, which the rule for writes would change.
        {"in a UTF-8 file", "\xEF\xBB\xBF[s]\r\nk=caf\xC3\xA9\r\n", L"caf\xE9", true},
        {"in a big-endian UTF-16 file", std::string("\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\x4E\x2D", 18), L"\x4E2D", true},
    };
    for (const Case& c : cases) {
        TempDir dir("update");
        dir.Write("auto.tdf", c.file);
        dir.Write("plain.tdf", c.file);
        CDefinitionFile file(dir.File(L"auto.tdf").c_str());
        EXPECT_TRUE(file.UpdateString(L"s", L"k", c.value.c_str())) << c.name;
        WritePrivateProfileStringW(L"s", L"k", c.value.c_str(), dir.File(L"plain.tdf").c_str());
        EXPECT_EQ(dir.Read("plain.tdf"), dir.Read("auto.tdf")) << c.name;
        EXPECT_EQ(c.untouched, dir.Read("auto.tdf") == c.file) << c.name;
    }
}

// A write the rule refuses changes nothing, not even the file's form.
TEST(DefinitionWrite, ARefusedWriteLeavesTheFormAlone) {
    TempDir dir("form");
    const std::string utf8 = "\xEF\xBB\xBF[s]\r\nk=\xE4\xB8\xAD\r\n";
    dir.Write("ansi.tdf", "[s]\r\nk=old\r\n");
    dir.Write("utf8.tdf", utf8);
    EXPECT_FALSE(CDefinitionFile(dir.File(L"ansi.tdf").c_str()).WriteString(L"s", L"k", L"\xE9\r\n[x]"));
    EXPECT_FALSE(CDefinitionFile(dir.File(L"utf8.tdf").c_str()).WriteString(L"s", L"k", L"a\nb"));
    EXPECT_EQ("[s]\r\nk=old\r\n", dir.Read("ansi.tdf"));
    EXPECT_EQ(utf8, dir.Read("utf8.tdf"));
}

// What the system cannot write is refused, and the file keeps its value.
TEST(DefinitionUpdate, LineBreaksAndOverlongTextsAreRefused) {
    TempDir dir("update");
    dir.Write("auto.tdf", "[s]\r\nk=old\r\n");
    CDefinitionFile file(dir.File(L"auto.tdf").c_str());
    const std::wstring tooLong(CDefinitionFile::kMaxWritten, L'x');
    EXPECT_FALSE(file.UpdateString(L"s", L"k", L"a\r\n[x]"));
    EXPECT_FALSE(file.UpdateString(L"s", L"k", tooLong.c_str()));
    EXPECT_FALSE(file.WriteString(L"s", tooLong.c_str(), L"v"));
    EXPECT_STREQ(L"old", file.ReadString(L"s", L"k", L"", 80).c_str());
    EXPECT_TRUE(file.UpdateString(L"s", L"k", tooLong.substr(1).c_str())) << "one character less is written";
    EXPECT_EQ(tooLong.size() - 1, file.ReadString(L"s", L"k", L"", 40000).GetLength());
}

// A snapshot answers integer and string reads as the profile functions do,
// in an ANSI file and in a UTF-16 one that holds digits of other scripts.
TEST(DefinitionSnapshot, ReadsAsTheProfileFunctions) {
    const std::vector<std::wstring> ascii = {
        L"7",  L" 7",  L"12abc", L"+8",  L"-5",  L"abc", L"",     L"  ",   L"0x10", L"\"42\"", L"'9'",  L"- 3",  L"4294967295",
        L"4294967296", L"99999999999", L"007", L"1 2", L"+", L"-", L"\t5", L"0X10", L"0b101", L"0o17", L"0x1g", L"-0x10", L"0xFF"};
    std::vector<std::wstring> wide = ascii;
    for (const wchar_t* v : {L"\xFF17", L"\x0661\x0662", L"4\xFF15", L"caf\xE9", L"\x3000" L"5", L"\xD83D\xDE00", L"9\xD83D"})
        wide.push_back(v);
    for (bool utf16 : {false, true}) {
        const std::vector<std::wstring>& values = utf16 ? wide : ascii;
        std::wstring content = L"[100]\r\n";
        for (size_t i = 0; i < values.size(); ++i) content += L"k" + std::to_wstring(i) + L"=" + values[i] + L"\r\n";
        content += L"[100]\r\nk0=second section\r\n";
        TempDir dir;
        dir.Write("auto.tdf", utf16 ? pgen::Encode(content, pgen::Form::Utf16Le) : text::U8(content));
        CDefinitionFile file(dir.File(L"auto.tdf").c_str());
        CDefinitionSnapshot snapshot(file);
        for (size_t i = 0; i <= values.size(); ++i) {   // the last key is missing
            std::wstring key = L"k" + std::to_wstring(i);
            SCOPED_TRACE(text::U8(key) + (utf16 ? " in UTF-16" : " in ANSI"));
            EXPECT_EQ(file.ReadInt(L"100", key.c_str(), 31), snapshot.ReadInt(L"100", key.c_str(), 31));
            for (int size : {2, 3, 6})
                EXPECT_STREQ(file.ReadString(L"100", key.c_str(), L"dflt", size).c_str(),
                             snapshot.ReadString(L"100", key.c_str(), L"dflt", size).c_str()) << "buffer " << size;
        }
        EXPECT_EQ(31, snapshot.ReadInt(L"nosection", L"k0", 31));
    }
}

// Reading through a buffer that cuts a letter of two UTF-16 units keeps
// neither half, through the file and through a snapshot alike.
TEST(DefinitionRead, ABufferNeverEndsInHalfALetter) {
    TempDir dir;
    dir.Write("auto.tdf", pgen::Encode(L"[100]\r\n200=ab\xD83D\xDE00" L"c\r\n", pgen::Form::Utf16Le));
    CDefinitionFile file(dir.File(L"auto.tdf").c_str());
    CDefinitionSnapshot snapshot(file);
    const struct { int size; const wchar_t* kept; } reads[] = {
        {3, L"ab"}, {4, L"ab"}, {5, L"ab\xD83D\xDE00"}, {6, L"ab\xD83D\xDE00" L"c"}};
    for (const auto& r : reads) {
        EXPECT_STREQ(r.kept, file.ReadString(def::kGeneral, def::kTitle, L"", r.size).c_str()) << r.size;
        EXPECT_STREQ(r.kept, snapshot.ReadString(def::kGeneral, def::kTitle, L"", r.size).c_str()) << r.size;
    }
}
