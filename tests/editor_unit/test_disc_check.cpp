// The checks of a disc folder, each on a prepared folder, and the parsing
// of the command line.
#include "workspace/BackgroundLimit.h"
#include "editor/CommandLine.h"
#include "disc/DiscCheck.h"
#include "disc/VolumeLabel.h"
#include "support/bmpwriter.h"
#include "support/driver.h"
#include "support/profile_gen.h"
#include "support/tempdir.h"
#include "support/text.h"
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
    CreateDirectoryW(d.File(L"docs").c_str(), nullptr);
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
    {"no player", [](const TempDir& d) { DeleteFileW(d.File(L"autorun.exe").c_str()); }, DiscFinding::kError, "autorun.exe is missing"},
    {"no AutoRun file", [](const TempDir& d) { DeleteFileW(d.File(L"autorun.inf").c_str()); }, DiscFinding::kError, "autorun.inf is missing"},
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
    {"no definition", [](const TempDir& d) { DeleteFileW(d.File(L"auto.tdf").c_str()); }, DiscFinding::kError, "auto.tdf is missing"},
    {"go-to past the count", [](const TempDir& d) { WriteDefinition(d, "1=Next", "1=_menu3"); },
     DiscFinding::kError, "menu 2, line 1 (\"Next\") goes to \"_menu3\", but the menus are numbered 1 to 2"},
    {"go-to menu 0", [](const TempDir& d) { WriteDefinition(d, "11=Zero", "11=_menu0"); },
     DiscFinding::kError, "menu 2, line 11 (\"Zero\") goes to \"_menu0\""},
    {"open of a missing file", [](const TempDir& d) { DeleteFileW(d.File(L"docs\\manual.txt").c_str()); },
     DiscFinding::kError, "menu 1, line 2 (\"Manual\") opens \"docs\\manual.txt\", which is not in the folder"},
    {"open of a program no PC has", [](const TempDir& d) { WriteDefinition(d, "2=Tool", "2=nosuchtool.exe"); },
     DiscFinding::kError, "opens \"nosuchtool.exe\", which is not in the folder"},
    {"missing sound", [](const TempDir& d) { DeleteFileW(d.File(L"click.wav").c_str()); },
     DiscFinding::kError, "the selection sound \"click.wav\" is not in the folder"},
    {"no background", [](const TempDir& d) { DeleteFileW(d.File(L"autorun.bmp").c_str()); },
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
             CreateDirectoryW(d.File(text::W(sub)).c_str(), nullptr);
         }
     }, DiscFinding::kWarning, "\"\\1\\2\\3\\4\\5\\6\\7\\8\\9\": folders deeper than 8 levels"},
    // Languages beside the default: auto.<tag>.tdf against auto.tdf.
    {"language with other menus", [](const TempDir& d) { d.Write("auto.de.tdf", "[100]\r\n300=1\r\n500=3\r\n600=intro.wav\r\n800=click.wav\r\n[15001]\r\n1=Installieren\r\n"); },
     DiscFinding::kError, "auto.de.tdf: the language has 1 menus, auto.tdf has 2"},
    {"language going elsewhere", [](const TempDir& d) {
         d.Write("auto.ja.tdf", "[100]\r\n300=2\r\n500=3\r\n600=intro.wav\r\n800=click.wav\r\n[15001]\r\n3=More\r\n[17001]\r\n3=_menu1\r\n"
                                "[15002]\r\n12=Back\r\n[17002]\r\n12=_menu1\r\n");
     }, DiscFinding::kError, "auto.ja.tdf: menu 1, line 3 (\"More\") does not go where the same line of auto.tdf goes (\"_menu2\")"},
    {"language with a line of its own", [](const TempDir& d) {
         d.Write("auto.de.tdf", "[100]\r\n300=2\r\n500=3\r\n600=intro.wav\r\n800=click.wav\r\n"
                                "[15001]\r\n1=Installieren\r\n2=Handbuch\r\n3=Mehr\r\n4=Notizen\r\n5=Web\r\n6=Extra\r\n"
                                "[17001]\r\n1=setup.exe\r\n2=docs\\manual.txt\r\n3=_menu2\r\n4=notepad.exe\r\n5=http://example.invalid/\r\n"
                                "[15002]\r\n12=Zur\xC3\xBC" "ck\r\n[17002]\r\n12=_menu1\r\n");
     }, DiscFinding::kWarning, "auto.de.tdf: menu 1, line 6 (\"Extra\") has text, the same line of auto.tdf none"},
    // Lines that fit the computer.
    {"condition that cannot be checked", [](const TempDir& d) {
         d.Write("auto.tdf", d.Read("auto.tdf") + "[20001]\r\n1=version\r\n[21001]\r\n1=ten\r\n[23001]\r\n1=HIDE\r\n");
     }, DiscFinding::kWarning, "menu 1, line 1 (\"Install\") has a condition the player cannot check (the Windows version is not written as 6.1 or 10.0): the line is never shown"},
    {"document as administrator", [](const TempDir& d) { d.Write("auto.tdf", d.Read("auto.tdf") + "[24001]\r\n2=TRUE\r\n"); },
     DiscFinding::kWarning, "menu 1, line 2 (\"Manual\") opens the document \"docs\\manual.txt\" as administrator"},
    {"program without a signature", [](const TempDir& d) {
         ASSERT_TRUE(CopyFileW(text::W(drv::Env("TLK_MARKER")).c_str(), d.File(L"setup.exe").c_str(), FALSE));
     }, DiscFinding::kWarning, "menu 1, line 1 (\"Install\") starts \"setup.exe\", which carries no Authenticode signature"},
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

// The same program signed: no word about signatures.
TEST(DiscCheck, ASignedProgramIsToldFromAnUnsignedOne) {
    TempDir disc("disc");
    MakeGoodDisc(disc);
    ASSERT_TRUE(CopyFileW(text::W(drv::Env("TLK_SIGNED_MARKER")).c_str(), disc.File(L"setup.exe").c_str(), FALSE));
    for (const DiscFinding& f : CheckDiscFolder(SystemDiscFiles(), disc.Path(), BackgroundLimit())) ADD_FAILURE() << FindingLine(f);
}

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
    for (const std::string& name : names) CopyFileW(text::W(demo + "\\" + name).c_str(), built.File(text::W(name)).c_str(), FALSE);
    CopyFileW(text::W(dist + "\\autorun.exe").c_str(), built.File(L"autorun.exe").c_str(), FALSE);
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

// A definition in UTF-16 whose texts and actions are of other scripts, in
// a folder whose name is not ASCII: the check finds the files by those
// names, says which names ISO 9660 must replace, and reports in UTF-8.
TEST(DiscCheck, NamesAndTextsOfAnyScript) {
    TempDir disc(L"disc-\x5149\x789F");
    MakeGoodDisc(disc);
    disc.Write("auto.tdf", pgen::Encode(L"[100]\r\n200=\x5149\x789F\r\n300=1\r\n600=\x97F3.wav\r\n[15001]\r\n"
                                        L"1=\x624B\x518C\r\n2=\xD83D\xDCC4\r\n[17001]\r\n1=docs\\\x624B\x518C.txt\r\n"
                                        L"2=\xE9t\xE9 \xD83D\xDCC4.txt\r\n",
                                        pgen::Form::Utf16Le));
    disc.Write(L"docs\\\x624B\x518C.txt", "manual");
    disc.Write(L"\xE9t\xE9 \xD83D\xDCC4.txt", "page");
    disc.Write(L"\x97F3.wav", "RIFF");
    const char* const named[] = {"\"\\docs\\\xE6\x89\x8B\xE5\x86\x8C.txt\"", "\"\\\xC3\xA9t\xC3\xA9 \xF0\x9F\x93\x84.txt\"",
                                 "\"\\\xE9\x9F\xB3.wav\""};
    std::vector<DiscFinding> findings = CheckDiscFolder(SystemDiscFiles(), disc.Path(), BackgroundLimit());
    std::string all;
    for (const DiscFinding& f : findings) {
        all += FindingLine(f) + "\n";
        EXPECT_EQ(DiscFinding::kWarning, f.kind) << FindingLine(f);
        EXPECT_NE(std::string::npos, f.text.find("ISO 9660 names replace")) << FindingLine(f);
    }
    for (const char* name : named) EXPECT_NE(std::string::npos, all.find(name)) << name << " in:\n" << all;

    DeleteFileW(disc.File(L"docs\\\x624B\x518C.txt").c_str());
    DeleteFileW(disc.File(L"\x97F3.wav").c_str());
    std::string errors;
    for (const DiscFinding& f : CheckDiscFolder(SystemDiscFiles(), disc.Path(), BackgroundLimit()))
        if (f.kind == DiscFinding::kError) errors += FindingLine(f) + "\n";
    EXPECT_NE(std::string::npos, errors.find("menu 1, line 1 (\"\xE6\x89\x8B\xE5\x86\x8C\") opens \"docs\\\xE6\x89\x8B\xE5\x86\x8C.txt\", "
                                             "which is not in the folder")) << errors;
    EXPECT_NE(std::string::npos, errors.find("the start-up sound \"\xE9\x9F\xB3.wav\" is not in the folder")) << errors;
    EXPECT_EQ(std::string::npos, errors.find("\xF0\x9F\x93\x84")) << "the second line's file is there: " << errors;
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
        const wchar_t* text;
        CommandRequest::Kind kind;
        const char* folder;
        const char* image;
        const char* label;
    } cases[] = {
        {L"", CommandRequest::kNone, "", "", ""},
        {L"2", CommandRequest::kNone, "", "", ""},                   // auto2.tdf, as before
        {L"/other x", CommandRequest::kNone, "", "", ""},
        {L"/check c:\\cd\\", CommandRequest::kCheck, "c:\\cd", "", ""},
        {L"/CHECK \"c:\\my cd\"", CommandRequest::kCheck, "c:\\my cd", "", ""},
        {L"/check", CommandRequest::kUsage, "", "", ""},
        {L"/check a b", CommandRequest::kUsage, "", "", ""},
        {L"/image c:\\cd c:\\cd.iso", CommandRequest::kImage, "c:\\cd", "c:\\cd.iso", ""},
        {L"/image c:\\cd c:\\cd.iso /label \"My Disc\"", CommandRequest::kImage, "c:\\cd", "c:\\cd.iso", "My Disc"},
        {L"/image c:\\cd c:\\cd.iso /label", CommandRequest::kUsage, "", "", ""},
        {L"/image c:\\cd c:\\cd.iso /name x", CommandRequest::kUsage, "", "", ""},
        {L"/image c:\\cd", CommandRequest::kUsage, "", "", ""},
        {L"/build c:\\sets\\demo.tdf c:\\cd", CommandRequest::kBuild, "c:\\cd", "", ""},
        {L"/build c:\\sets\\demo.tdf", CommandRequest::kUsage, "", "", ""},
        {L"/picture photo.jpg", CommandRequest::kUsage, "", "", ""},
        {L"/picture a b c", CommandRequest::kUsage, "", "", ""},
        {L"/picture \"\" b.tdf", CommandRequest::kUsage, "", "", ""},
        {L"  /check   \"\"  ", CommandRequest::kUsage, "", "", ""},
        // Texts of any script come out in UTF-8, as the disc subsystem takes them.
        {L"/check \"c:\\\x5149\x789F \xE9\"", CommandRequest::kCheck, "c:\\\xE5\x85\x89\xE7\xA2\x9F \xC3\xA9", "", ""},
        {L"/image c:\\cd c:\\\xD83D\xDCBF.iso /label \"Caf\xE9\"", CommandRequest::kImage, "c:\\cd",
         "c:\\\xF0\x9F\x92\xBF.iso", "Caf\xC3\xA9"},
    };
    for (auto& c : cases) {
        CommandRequest r = ParseCommandLine(c.text);
        SCOPED_TRACE(text::U8(c.text));
        EXPECT_EQ(r.kind, c.kind);
        if (r.kind != c.kind || r.kind == CommandRequest::kUsage || r.kind == CommandRequest::kNone) continue;
        EXPECT_EQ(r.folder, c.folder);
        EXPECT_EQ(r.image, c.image);
        EXPECT_EQ(r.label, c.label);
    }
    EXPECT_EQ(ParseCommandLine(L"/build a.tdf b").set, "a.tdf");
    const CommandRequest picture = ParseCommandLine(L"/Picture \"c:\\my photos\\a.jpg\" c:\\sets\\x.tdf");
    EXPECT_EQ(CommandRequest::kPicture, picture.kind);
    EXPECT_EQ("c:\\my photos\\a.jpg", picture.picture);
    EXPECT_EQ("c:\\sets\\x.tdf", picture.set);
}

TEST(CommandLine, LabelsFromTitles) {
    EXPECT_EQ(LabelFromTitle(L"TLK Autoplay Varrow - Demo Disc"), "TLK Autoplay Varrow - Demo Disc");
    // Letters of any script stay (in UTF-8); signs and runs of blanks do not.
    EXPECT_EQ(LabelFromTitle(L"  Caf\xe9 & Co.  "), "Caf\xC3\xA9 Co");
    EXPECT_EQ(LabelFromTitle(L"\x5149\x789F: \x30C7\x30A3\x30B9\x30AF!"), "\xE5\x85\x89\xE7\xA2\x9F \xE3\x83\x87\xE3\x82\xA3\xE3\x82\xB9\xE3\x82\xAF");
    EXPECT_EQ(LabelFromTitle(L"\x05D3\x05D9\x05E1\x05E7 2"), "\xD7\x93\xD7\x99\xD7\xA1\xD7\xA7 2");
    EXPECT_EQ(LabelFromTitle(L"a\xD800" L"b\xDC00" L"c"), "abc") << "halves of pairs are no letters";
    EXPECT_EQ(LabelFromTitle(L""), "DISC");
    EXPECT_EQ(LabelFromTitle(L"\x2014 & ..."), "DISC");
    EXPECT_EQ(LabelFromTitle(nullptr), "DISC");
    // At most 32 UTF-16 characters; a letter of two units fits no UCS-2 label.
    EXPECT_EQ(LabelFromTitle(std::wstring(40, L'x').c_str()).size(), 32u);
    EXPECT_EQ(LabelFromTitle((std::wstring(31, L'x') + L"\xD801\xDC00").c_str()), std::string(31, 'x'));
    EXPECT_EQ(LabelFromTitle((L"a\xD801\xDC00" + std::wstring(30, L'x')).c_str()), "a" + std::string(30, 'x'));
    EXPECT_EQ(LabelFromTitle(std::wstring(40, L'\xE9').c_str()), [] {
        std::string s;
        for (int i = 0; i < 32; ++i) s += "\xC3\xA9";
        return s;
    }());
}

}  // namespace
