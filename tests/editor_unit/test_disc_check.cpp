// The checks of a disc folder, each on a prepared folder, and the parsing
// of the command line.
#include "workspace/BackgroundLimit.h"
#include "editor/CommandLine.h"
#include "disc/DiscCheck.h"
#include "disc/VolumeLabel.h"
#include "support/bmpwriter.h"
#include "support/driver.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>

namespace {

// The definition of the good disc, with what menu 2 holds.
void WriteDefinition(const TempDir& d, const std::string& texts2 = "12=Back", const std::string& actions2 = "12=_menu1") {
    d.Write("auto.tdf",
            "[100]\r\n200=My Disc\r\n300=2\r\n500=3\r\n600=intro.wav\r\n800=click.wav\r\n"
            "[15001]\r\n1=Install\r\n2=Manual\r\n3=More\r\n4=Notes\r\n5=Web site\r\n"
            "[17001]\r\n1=setup.exe\r\n2=docs\\manual.txt\r\n3=_menu2\r\n4=notepad.exe\r\n5=http://example.invalid/\r\n"
            "[15002]\r\n" + texts2 + "\r\n[17002]\r\n" + actions2 + "\r\n");
}

// A disc folder the check has nothing to say about: the four disc files, a
// background, two sounds and a menu whose lines all lead somewhere.
void MakeGoodDisc(const TempDir& d) {
    d.Write("autorun.exe", "MZ player");
    d.Write("autorun.inf", "[autorun]\r\nopen=autorun.exe\r\n");
    bmpw::Bytes bmp = bmpw::SolidPicture(8, 8, bmpw::Rgb{1, 2, 3});
    d.Write("autorun.bmp", std::string(bmp.begin(), bmp.end()));
    d.Write("intro.wav", "RIFF");
    d.Write("click.wav", "RIFF");
    CreateDirectoryA(d.File("docs").c_str(), nullptr);
    d.Write("docs\\manual.txt", "manual");
    d.Write("setup.exe", "MZ setup");
    WriteDefinition(d);
}

struct CheckCase {
    const char* name;
    std::function<void(const TempDir&)> spoil;
    DiscFinding::Kind kind;
    const char* says;           // part of the finding's text
};

const CheckCase kCases[] = {
    {"no player", [](const TempDir& d) { DeleteFileA(d.File("autorun.exe").c_str()); }, DiscFinding::kError, "autorun.exe is missing"},
    {"no AutoRun file", [](const TempDir& d) { DeleteFileA(d.File("autorun.inf").c_str()); }, DiscFinding::kError, "autorun.inf is missing"},
    {"AutoRun program not there", [](const TempDir& d) { d.Write("autorun.inf", "[autorun]\r\nopen=menu.exe /x\r\n"); },
     DiscFinding::kError, "autorun.inf: open=menu.exe /x names a file that is not in the folder"},
    {"AutoRun without a program", [](const TempDir& d) { d.Write("autorun.inf", "[AutoRun]\r\nicon=autorun.exe,0\r\n[other]\r\nopen=autorun.exe\r\n"); },
     DiscFinding::kError, "autorun.inf names no program with open= under [autorun]"},
    {"AutoRun line that is no key", [](const TempDir& d) { d.Write("autorun.inf", "[autorun]\r\nopen=autorun.exe\r\nopen autorun.exe\r\n"); },
     DiscFinding::kError, "autorun.inf, line 3 cannot be read as a key and value: \"open autorun.exe\""},
    {"AutoRun section without its bracket", [](const TempDir& d) { d.Write("autorun.inf", "[autorun\r\nopen=autorun.exe\r\n"); },
     DiscFinding::kError, "autorun.inf, line 1 cannot be read as a key and value: \"[autorun\""},
    {"AutoRun of binary garbage", [](const TempDir& d) {
         std::string junk;
         for (int i = 0; i < 200000; ++i) junk += static_cast<char>((i * 7919) % 251);
         d.Write("autorun.inf", junk);
     }, DiscFinding::kError, "more lines cannot be read as a key and value"},
    {"AutoRun icon not there", [](const TempDir& d) { d.Write("autorun.inf", "[autorun]\r\nopen=autorun.exe\r\nicon=\"disc.ico\"\r\n"); },
     DiscFinding::kWarning, "autorun.inf: icon=disc.ico names a file that is not in the folder"},
    {"AutoRun label too long", [](const TempDir& d) { d.Write("autorun.inf", "[autorun]\r\nopen=autorun.exe\r\nlabel=" + std::string(33, 'L') + "\r\n"); },
     DiscFinding::kWarning, "is longer than 32 characters"},
    {"AutoRun with UseAutoPlay", [](const TempDir& d) { d.Write("autorun.inf", "[autorun]\r\nopen=autorun.exe\r\nuseautoplay=1\r\n"); },
     DiscFinding::kWarning, "autorun.inf: UseAutoPlay takes the menu out of the AutoPlay choices"},
    {"no definition", [](const TempDir& d) { DeleteFileA(d.File("auto.tdf").c_str()); }, DiscFinding::kError, "auto.tdf is missing"},
    {"go-to past the count", [](const TempDir& d) { WriteDefinition(d, "1=Next", "1=_menu3"); },
     DiscFinding::kError, "menu 2, line 1 (\"Next\") goes to \"_menu3\", but the menus are numbered 1 to 2"},
    {"go-to menu 0", [](const TempDir& d) { WriteDefinition(d, "11=Zero", "11=_menu0"); },
     DiscFinding::kError, "menu 2, line 11 (\"Zero\") goes to \"_menu0\""},
    {"open of a missing file", [](const TempDir& d) { DeleteFileA(d.File("docs\\manual.txt").c_str()); },
     DiscFinding::kError, "menu 1, line 2 (\"Manual\") opens \"docs\\manual.txt\", which is not in the folder"},
    {"open of a program no PC has", [](const TempDir& d) { WriteDefinition(d, "2=Tool", "2=nosuchtool.exe"); },
     DiscFinding::kError, "opens \"nosuchtool.exe\", which is not in the folder"},
    {"missing sound", [](const TempDir& d) { DeleteFileA(d.File("click.wav").c_str()); },
     DiscFinding::kError, "the selection sound \"click.wav\" is not in the folder"},
    {"no background", [](const TempDir& d) { DeleteFileA(d.File("autorun.bmp").c_str()); },
     DiscFinding::kWarning, "autorun.bmp is missing"},
    {"background no bitmap", [](const TempDir& d) { d.Write("autorun.bmp", "BM but not really"); },
     DiscFinding::kWarning, "autorun.bmp is not a bitmap the menu can show"},
    {"action without text", [](const TempDir& d) { WriteDefinition(d, "12=Back", "1=_menu1"); },
     DiscFinding::kWarning, "menu 2, line 1 has an action but no text"},
    {"absolute path", [](const TempDir& d) { WriteDefinition(d, "2=Tool", "2=C:\\tools\\x.exe"); },
     DiscFinding::kWarning, "opens \"C:\\tools\\x.exe\", a path that does not point into the disc"},
    {"path out of the folder", [](const TempDir& d) { WriteDefinition(d, "2=Up", "2=docs\\..\\..\\setup.exe"); },
     DiscFinding::kWarning, "opens \"docs\\..\\..\\setup.exe\", a path that does not point into the disc"},
    {"name Joliet cannot hold", [](const TempDir& d) { d.Write(std::string(70, 'n') + ".txt", "x"); },
     DiscFinding::kWarning, "Joliet cannot hold this name (more than 64 characters)"},
    {"nine levels", [](const TempDir& d) {
         std::string sub;
         for (int i = 1; i <= 9; ++i) {
             sub += std::to_string(i) + "\\";
             CreateDirectoryA(d.File(sub).c_str(), nullptr);
         }
     }, DiscFinding::kWarning, "\"\\1\\2\\3\\4\\5\\6\\7\\8\\9\": folders deeper than 8 levels"},
};

class DiscCheckCase : public ::testing::TestWithParam<CheckCase> {};

TEST_P(DiscCheckCase, FindsIt) {
    TempDir disc("disc");
    MakeGoodDisc(disc);
    GetParam().spoil(disc);
    std::vector<DiscFinding> findings = CheckDiscFolder(SystemDiscFiles(), disc.Path(), BackgroundLimit());
    bool found = false;
    std::string all;
    for (const DiscFinding& f : findings) {
        all += FindingLine(f) + "\n";
        if (f.kind == GetParam().kind && f.text.find(GetParam().says) != std::string::npos) found = true;
    }
    EXPECT_TRUE(found) << "looked for: " << GetParam().says << "\nfound:\n" << all;
    EXPECT_EQ(HasErrors(findings), GetParam().kind == DiscFinding::kError) << all;
}

INSTANTIATE_TEST_SUITE_P(Folders, DiscCheckCase, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CheckCase>& i) {
                             std::string n;
                             for (const char* p = i.param.name; *p; ++p) n += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return n;
                         });

TEST(DiscCheck, AGoodFolderAndTheBuiltDemoDiscGiveNoFindings) {
    TempDir disc("disc");
    MakeGoodDisc(disc);
    for (const DiscFinding& f : CheckDiscFolder(SystemDiscFiles(), disc.Path(), BackgroundLimit())) ADD_FAILURE() << FindingLine(f);

    // The demo disc as the build leaves it: its files and the player beside them.
    const std::string demo = drv::Env("TLK_DEMO"), dist = drv::Env("TLK_DIST");
    if (demo.empty() || dist.empty()) GTEST_SKIP() << "TLK_DEMO or TLK_DIST not set";
    TempDir built("demo");
    const std::vector<std::string> names = files::Names(demo + "\\");
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) CopyFileA((demo + "\\" + name).c_str(), built.File(name).c_str(), FALSE);
    CopyFileA((dist + "\\autorun.exe").c_str(), built.File("autorun.exe").c_str(), FALSE);
    for (const DiscFinding& f : CheckDiscFolder(SystemDiscFiles(), built.Path(), BackgroundLimit())) ADD_FAILURE() << FindingLine(f);
}

TEST(DiscCheck, AutoRunFilesThatAreFine) {
    const std::string utf16 = std::string("\xFF\xFE", 2) + [] {
        std::string t;
        for (char c : std::string("[autorun]\r\nopen=autorun.exe\r\n")) t += std::string(1, c) + '\0';
        return t;
    }();
    const std::string texts[] = {
        "[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe,0\r\nshell\\menu=Open menu\r\n"
        "shell\\menu\\command=autorun.exe\r\n\r\n[Content]\r\nMusicFiles=false\r\n",
        "; a comment\n  [ autorun ]  \n  open = \"autorun.exe\" 2\nlabel=" + std::string(32, 'L') + "\n",
        "\xEF\xBB\xBF[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe",
        utf16,
    };
    for (const std::string& text : texts) {
        TempDir disc("disc");
        MakeGoodDisc(disc);
        disc.Write("autorun.inf", text);
        for (const DiscFinding& f : CheckDiscFolder(SystemDiscFiles(), disc.Path(), BackgroundLimit())) ADD_FAILURE() << FindingLine(f) << "\nfor:\n" << text;
    }
}

TEST(DiscCheck, PathsOver240Characters) {
    // Only a disc folder with a short path can hold such a path at all.
    const std::string root = "C:\\t240\\";
    TempDir::RemoveTree(root);
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    std::string sub;
    for (int i = 0; i < 5; ++i) {
        sub += std::string(48, static_cast<char>('a' + i)) + "\\";
        ASSERT_TRUE(CreateDirectoryA((root + sub).c_str(), nullptr)) << sub.size();
    }
    std::vector<DiscFinding> findings = CheckDiscFolder(SystemDiscFiles(), root, BackgroundLimit());
    TempDir::RemoveTree(root);
    bool found = false;
    for (const DiscFinding& f : findings)
        found = found || (f.kind == DiscFinding::kWarning && f.text.find("longer than 240 characters") != std::string::npos);
    EXPECT_TRUE(found);
}

TEST(DiscCheck, AFolderThatDoesNotExistIsOneError) {
    std::vector<DiscFinding> findings = CheckDiscFolder(SystemDiscFiles(), "C:\\no\\such\\folder", BackgroundLimit());
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(FindingLine(findings[0]), "error: the folder \"C:\\no\\such\\folder\" does not exist or cannot be read");
}

TEST(DiscCheck, ABackgroundLargerThanTheLimitIsReportedWithTheSizeItWouldHave) {
    const pic::Size limit = BackgroundLimit();
    ASSERT_GT(limit.w, 0);
    TempDir disc("disc");
    MakeGoodDisc(disc);
    struct { pic::Size size; bool reported; } cases[] = {
        {limit, false}, {{limit.w + 1, limit.h}, true}, {{limit.w, limit.h + 1}, true}};
    for (const auto& c : cases) {
        bmpw::Bytes bmp = bmpw::SolidPicture(c.size.w, c.size.h, bmpw::Rgb{1, 2, 3});
        disc.Write("autorun.bmp", std::string(bmp.begin(), bmp.end()));
        std::vector<DiscFinding> findings = CheckDiscFolder(SystemDiscFiles(), disc.Path(), BackgroundLimit());
        ASSERT_EQ(c.reported ? 1u : 0u, findings.size()) << SizeText(c.size);
        if (!c.reported) continue;
        const pic::Size reduced = pic::ReducedSize(c.size, limit);
        EXPECT_EQ("warning: autorun.bmp is " + SizeText(c.size) + " pixels (" + pic::ByteCount(bmp.size()) +
                      "), larger than any menu window needs: reduced to " + SizeText(reduced) +
                      " pixels it would take " + pic::ByteCount(54 + (reduced.w * 3 + 3) / 4 * 4 * reduced.h) +
                      ". Chosen as a JPEG or PNG picture, it is reduced so.",
                  FindingLine(findings[0]));
    }
    EXPECT_EQ("850 KB", pic::ByteCount(849001));
    EXPECT_EQ("36.0 MB", pic::ByteCount(36000000));
    EXPECT_EQ("2.7 MB", pic::ByteCount(2660214));
}

TEST(CommandLine, SwitchesAndTheirArguments) {
    struct {
        const char* text;
        CommandRequest::Kind kind;
        const char* folder;
        const char* image;
        const char* label;
    } cases[] = {
        {"", CommandRequest::kNone, "", "", ""},
        {"2", CommandRequest::kNone, "", "", ""},                   // auto2.tdf, as before
        {"/other x", CommandRequest::kNone, "", "", ""},
        {"/check c:\\cd\\", CommandRequest::kCheck, "c:\\cd", "", ""},
        {"/CHECK \"c:\\my cd\"", CommandRequest::kCheck, "c:\\my cd", "", ""},
        {"/check", CommandRequest::kUsage, "", "", ""},
        {"/check a b", CommandRequest::kUsage, "", "", ""},
        {"/image c:\\cd c:\\cd.iso", CommandRequest::kImage, "c:\\cd", "c:\\cd.iso", ""},
        {"/image c:\\cd c:\\cd.iso /label \"My Disc\"", CommandRequest::kImage, "c:\\cd", "c:\\cd.iso", "My Disc"},
        {"/image c:\\cd c:\\cd.iso /label", CommandRequest::kUsage, "", "", ""},
        {"/image c:\\cd c:\\cd.iso /name x", CommandRequest::kUsage, "", "", ""},
        {"/image c:\\cd", CommandRequest::kUsage, "", "", ""},
        {"/build c:\\sets\\demo.tdf c:\\cd", CommandRequest::kBuild, "c:\\cd", "", ""},
        {"/build c:\\sets\\demo.tdf", CommandRequest::kUsage, "", "", ""},
        {"/picture photo.jpg", CommandRequest::kUsage, "", "", ""},
        {"/picture a b c", CommandRequest::kUsage, "", "", ""},
        {"/picture \"\" b.tdf", CommandRequest::kUsage, "", "", ""},
        {"  /check   \"\"  ", CommandRequest::kUsage, "", "", ""},
    };
    for (auto& c : cases) {
        CommandRequest r = ParseCommandLine(c.text);
        EXPECT_EQ(r.kind, c.kind) << c.text;
        if (r.kind != c.kind || r.kind == CommandRequest::kUsage || r.kind == CommandRequest::kNone) continue;
        EXPECT_EQ(r.folder, c.folder) << c.text;
        EXPECT_EQ(r.image, c.image) << c.text;
        EXPECT_EQ(r.label, c.label) << c.text;
    }
    EXPECT_EQ(ParseCommandLine("/build a.tdf b").set, "a.tdf");
    const CommandRequest picture = ParseCommandLine("/Picture \"c:\\my photos\\a.jpg\" c:\\sets\\x.tdf");
    EXPECT_EQ(CommandRequest::kPicture, picture.kind);
    EXPECT_EQ("c:\\my photos\\a.jpg", picture.picture);
    EXPECT_EQ("c:\\sets\\x.tdf", picture.set);
}

TEST(CommandLine, LabelsFromTitles) {
    EXPECT_EQ(LabelFromTitle("TLK Autoplay Varrow - Demo Disc"), "TLK Autoplay Varrow - Demo Disc");
    EXPECT_EQ(LabelFromTitle("  Caf\xe9 & Co.  "), "Caf Co");
    EXPECT_EQ(LabelFromTitle(""), "DISC");
    EXPECT_EQ(LabelFromTitle(std::string(40, 'x').c_str()).size(), 32u);
}

}  // namespace
