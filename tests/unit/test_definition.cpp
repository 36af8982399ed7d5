// The definition file: naming, defaults, limits and the fast menu reader.
#include "menu/Definition.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include <string>

namespace {

struct Loaded {
    MenuSettings settings;
    std::unique_ptr<MenuTables> tables{new MenuTables};
};

void Load(const CDefinitionFile& file, Loaded& out) { ReadMenuDefinition(file, out.settings, *out.tables); }

}  // namespace

TEST(DefinitionNames, MenuSectionsJoinBaseAndNumberWithoutSeparator) {
    EXPECT_STREQ("15001", MenuSection(def::kTextBase, 1).c_str());
    EXPECT_STREQ("150010", MenuSection(def::kTextBase, 10).c_str());
    EXPECT_STREQ("1500100", MenuSection(def::kTextBase, 100).c_str());
    EXPECT_STREQ("1700200", MenuSection(def::kActionBase, 200).c_str());
    EXPECT_STREQ("16003", MenuSection(def::kQuitBase, 3).c_str());
}

TEST(DefinitionNames, FileNameTakesTheCommandTail) {
    EXPECT_STREQ("C:\\disc\\auto.tdf", DefinitionPathFor("C:\\disc\\", "").c_str());
    EXPECT_STREQ("C:\\disc\\auto2.tdf", DefinitionPathFor("C:\\disc\\", "2").c_str());
    EXPECT_STREQ("D:\\auto.tdf", DefinitionPathFor(DirectoryWithSlash("D:\\autorun.exe"), "").c_str());
    EXPECT_STREQ("", DirectoryWithSlash("autorun.exe").c_str());
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
    CDefinitionFile file(dir.File("auto.tdf").c_str());
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
    EXPECT_TRUE(d.tables->text[0][0].IsEmpty());
    EXPECT_FALSE(dir.Exists("auto.tdf")) << "reading must never create the file";
}

TEST(DefinitionRead, OnlyTemplateSevenGivesOneEmptyMenu) {
    TempDir dir;
    dir.Write("auto.tdf", "[100]\r\n500=7\r\n");
    CDefinitionFile file(dir.File("auto.tdf").c_str());
    Loaded d;
    Load(file, d);
    EXPECT_EQ(7, file.ReadInt(def::kGeneral, def::kTemplate, def::kTemplateDefaultPlayer));
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
    Load(CDefinitionFile(dir.File("a.tdf").c_str()), a);
    Load(CDefinitionFile(dir.File("b.tdf").c_str()), b);
    EXPECT_EQ(title79, a.settings.title.c_str());
    EXPECT_EQ(title79, b.settings.title.c_str()) << "the 80th character is lost";
    EXPECT_EQ(line127, a.tables->text[0][0].c_str());
    EXPECT_EQ(line127, b.tables->text[0][0].c_str());
    EXPECT_EQ(79u, b.tables->program[0][0].GetLength());
}

TEST(DefinitionRead, MenuCountZeroNegativeAndAboveTwoHundred) {
    TempDir dir;
    std::string menus = "[15001]\r\n1=first\r\n[1500200]\r\n1=last\r\n[1500201]\r\n1=beyond\r\n";
    dir.Write("zero.tdf", "[100]\r\n300=0\r\n" + menus);
    dir.Write("neg.tdf", "[100]\r\n300=-4\r\n" + menus);
    dir.Write("big.tdf", "[100]\r\n300=250\r\n" + menus);
    Loaded zero, neg, big;
    Load(CDefinitionFile(dir.File("zero.tdf").c_str()), zero);
    Load(CDefinitionFile(dir.File("neg.tdf").c_str()), neg);
    Load(CDefinitionFile(dir.File("big.tdf").c_str()), big);
    EXPECT_EQ(0, zero.settings.menuCount);
    EXPECT_TRUE(zero.tables->text[0][0].IsEmpty()) << "count 0 loads no menu";
    EXPECT_EQ(0, neg.settings.menuCount);
    EXPECT_TRUE(neg.tables->text[0][0].IsEmpty());
    EXPECT_EQ(200, big.settings.menuCount);
    EXPECT_STREQ("first", big.tables->text[0][0].c_str());
    EXPECT_STREQ("last", big.tables->text[199][0].c_str());
}

TEST(DefinitionRead, QuitFlagIsKeptAsWrittenSoOnlyExactTrueQuits) {
    TempDir dir;
    dir.Write("auto.tdf", "[16001]\r\n1=TRUE\r\n2=true\r\n3=True\r\n4=FALSE\r\n5=\r\n");
    Loaded d;
    Load(CDefinitionFile(dir.File("auto.tdf").c_str()), d);
    EXPECT_STREQ("TRUE", d.tables->quit[0][0].c_str());
    EXPECT_STREQ("true", d.tables->quit[0][1].c_str());
    EXPECT_STREQ("True", d.tables->quit[0][2].c_str());
    EXPECT_STREQ("FALSE", d.tables->quit[0][3].c_str());
    EXPECT_STREQ("", d.tables->quit[0][4].c_str());
}

TEST(DefinitionRead, ColoursAndSoundsOfSectionHundred) {
    TempDir dir;
    dir.Write("auto.tdf",
              "[100]\r\n200=Welcome\r\n600=intro.wav\r\n700=over.wav\r\n800=sel.wav\r\n900=chg.wav\r\n"
              "[1000]\r\n1200=0\r\n1300=0\r\n1400=128\r\n[1100]\r\n1200=255\r\n1300=255\r\n1400=0\r\n");
    Loaded d;
    Load(CDefinitionFile(dir.File("auto.tdf").c_str()), d);
    EXPECT_STREQ("Welcome", d.settings.title.c_str());
    EXPECT_STREQ("intro.wav", d.settings.startupSound.c_str());
    EXPECT_STREQ("over.wav", d.settings.hoverSound.c_str());
    EXPECT_STREQ("sel.wav", d.settings.selectSound.c_str());
    EXPECT_STREQ("chg.wav", d.settings.menuChangeSound.c_str());
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
    CDefinitionFile file(dir.File("auto.tdf").c_str());
    CString fast[14];
    CDefinitionSnapshot(file).ReadNumberedKeys("15001", 14, def::kTextBuffer, fast);
    for (int k = 1; k <= 14; ++k) {
        CString slow = file.ReadString("15001", CString::Format("%d", k), "", def::kTextBuffer);
        EXPECT_STREQ(slow.c_str(), fast[k - 1].c_str()) << "key " << k;
    }
    EXPECT_STREQ("first", fast[5].c_str());
    EXPECT_EQ(127u, fast[7].GetLength());
}

TEST(DefinitionRead, HugeSectionIsReadWhole) {
    TempDir dir;
    std::string content = "[15001]\r\n1=one\r\n";
    for (int i = 0; i < 2000; ++i) content += "x" + std::to_string(i) + "=" + std::string(30, 'p') + "\r\n";
    content += "2=two\r\n";
    dir.Write("auto.tdf", content);
    CDefinitionFile file(dir.File("auto.tdf").c_str());
    CString values[14];
    CDefinitionSnapshot(file).ReadNumberedKeys("15001", 14, def::kTextBuffer, values);
    EXPECT_STREQ("one", values[0].c_str());
    EXPECT_STREQ("two", values[1].c_str());
}

TEST(DefinitionWrite, LineBreaksAreRefusedSoNoSectionCanBeInjected) {
    TempDir dir;
    CDefinitionFile file(dir.File("auto.tdf").c_str());
    EXPECT_TRUE(file.WriteString(def::kGeneral, def::kTitle, "Safe title"));
    EXPECT_FALSE(file.WriteString(def::kGeneral, def::kTitle, "abc\r\n[15001]\r\n1=evil"));
    EXPECT_FALSE(file.WriteString(def::kGeneral, def::kTitle, "line\nbreak"));
    EXPECT_FALSE(file.WriteString(def::kGeneral, def::kTitle, "carriage\rreturn"));
    EXPECT_STREQ("Safe title", file.ReadString(def::kGeneral, def::kTitle, "", 80).c_str());
    EXPECT_STREQ("", file.ReadString("15001", "1", "", 128).c_str());
    EXPECT_EQ(std::string::npos, dir.Read("auto.tdf").find("evil"));
}

TEST(DefinitionWrite, IntegersAreWrittenAsDecimalText) {
    TempDir dir;
    CDefinitionFile file(dir.File("auto.tdf").c_str());
    EXPECT_TRUE(file.WriteInt(def::kNormalColor, def::kRed, 255));
    EXPECT_TRUE(file.WriteInt(def::kGeneral, def::kMenuCount, -1));
    EXPECT_STREQ("255", file.ReadString(def::kNormalColor, def::kRed, "", 80).c_str());
    EXPECT_EQ(-1, file.ReadInt(def::kGeneral, def::kMenuCount, 1));
}

// An update leaves the file alone only when the plain write would, and
// otherwise writes: either way the file ends as after the plain write.
TEST(DefinitionUpdate, SkipsOnlyWritesThatChangeNothing) {
    struct Case { const char* name; std::string file; std::string value; bool untouched; };
    const std::string nul("[s]\r\nk=a\0b\r\n[]\r\nx=1\r\n", 21);
    const Case cases[] = {
        {"blanks around the stored value", "[s]\r\nk = same \r\n", "same", true},
        {"leading blanks of the new value", "[s]\r\nk=same\r\n", "  same", true},
        {"names without regard to case", "[S]\r\nK=x\r\n", "x", true},
        {"an empty value", "[s]\r\nk=\r\n", "", true},
        {"stored up to a NUL", nul, "a", true},
        {"stored in quotes", "[s]\r\nk=\"quoted\"\r\n", "quoted", false},
        {"typed in quotes", "[s]\r\nk=\"  Welcome  \"\r\n", "  Welcome  ", false},
        {"trailing blanks of the new value", "[s]\r\nk=same\r\n", "same ", false},
        {"a key without =", "[s]\r\nk\r\nk=\r\n", "", false},
        {"a missing key", "[s]\r\nother=1\r\n", "", false},
        {"a changed value in a damaged file", "[s]\r\nk=old\r\n[]\r\nx=1\r\n", "new", false},
        {"a quoted value of 1023 characters", "[s]\r\nk=\"" + std::string(1023, 'L') + "\"\r\n", std::string(1023, 'L'), false},
        {"in a UTF-16 file", std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0", 18), "\xE9", true},
    };
    for (const Case& c : cases) {
        TempDir dir("update");
        dir.Write("auto.tdf", c.file);
        dir.Write("plain.tdf", c.file);
        CDefinitionFile file(dir.File("auto.tdf").c_str());
        EXPECT_TRUE(file.UpdateString("s", "k", c.value.c_str())) << c.name;
        WritePrivateProfileStringA("s", "k", c.value.c_str(), dir.File("plain.tdf").c_str());
        EXPECT_EQ(dir.Read("plain.tdf"), dir.Read("auto.tdf")) << c.name;
        EXPECT_EQ(c.untouched, dir.Read("auto.tdf") == c.file) << c.name;
    }
}

// What the system cannot write is refused, and the file keeps its value.
TEST(DefinitionUpdate, LineBreaksAndOverlongTextsAreRefused) {
    TempDir dir("update");
    dir.Write("auto.tdf", "[s]\r\nk=old\r\n");
    CDefinitionFile file(dir.File("auto.tdf").c_str());
    const std::string tooLong(CDefinitionFile::kMaxWritten, 'x');
    EXPECT_FALSE(file.UpdateString("s", "k", "a\r\n[x]"));
    EXPECT_FALSE(file.UpdateString("s", "k", tooLong.c_str()));
    EXPECT_FALSE(file.WriteString("s", tooLong.c_str(), "v"));
    EXPECT_STREQ("old", file.ReadString("s", "k", "", 80).c_str());
    EXPECT_TRUE(file.UpdateString("s", "k", tooLong.substr(1).c_str())) << "one character less is written";
    EXPECT_EQ(tooLong.size() - 1, file.ReadString("s", "k", "", 40000).GetLength());
}

// A snapshot answers integer and string reads as the profile functions do.
TEST(DefinitionSnapshot, ReadsAsTheProfileFunctions) {
    const char* values[] = {"7", " 7", "12abc", "+8", "-5", "abc", "", "  ", "0x10", "\"42\"", "'9'", "- 3",
                            "4294967295", "4294967296", "99999999999", "007", "1 2", "+", "-", "\t5", "0X10", "0b101", "0o17", "0x1g", "-0x10", "0xFF"};
    std::string text = "[100]\r\n";
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i)
        text += "k" + std::to_string(i) + "=" + values[i] + "\r\n";
    text += "[100]\r\nk0=second section\r\n";
    TempDir dir;
    dir.Write("auto.tdf", text);
    CDefinitionFile file(dir.File("auto.tdf").c_str());
    CDefinitionSnapshot snapshot(file);
    for (size_t i = 0; i <= sizeof values / sizeof values[0]; ++i) {   // the last key is missing
        std::string key = "k" + std::to_string(i);
        EXPECT_EQ(file.ReadInt("100", key.c_str(), 31), snapshot.ReadInt("100", key.c_str(), 31)) << key;
        EXPECT_STREQ(file.ReadString("100", key.c_str(), "dflt", 6).c_str(),
                     snapshot.ReadString("100", key.c_str(), "dflt", 6).c_str()) << key;
    }
    EXPECT_EQ(31, snapshot.ReadInt("nosection", "k0", 31));
}
