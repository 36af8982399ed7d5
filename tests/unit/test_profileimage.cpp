// The in-memory profile image must answer exactly as the system's profile
// functions do for the same file, whatever the file holds.
#include "menu/ProfileImage.h"
#include "support/profile_gen.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kDefault[] = "<default>";

std::string ViaProfile(const std::string& path, const char* section, const char* key, int size) {
    std::vector<char> buf(size + 16, '\x7f');
    GetPrivateProfileStringA(section, key, kDefault, buf.data(), size, path.c_str());
    return std::string(buf.data());
}

std::string ViaImage(const CProfileImage& image, const char* section, const char* key, int size) {
    return image.ReadString(section, key, kDefault, size).c_str();
}

// Compares every key 1..15 of the given sections at several buffer sizes.
void ExpectSameAnswers(const std::string& content, std::vector<const char*> sections) {
    TempDir dir("profile");
    dir.Write("t.ini", content);
    CProfileImage image;
    ASSERT_TRUE(image.Parse(content.data(), content.size()));
    for (const char* section : sections)
        for (int k = 1; k <= 15; ++k)
            for (int size : {3, 8, 80, 128}) {
                std::string key = std::to_string(k);
                EXPECT_EQ(ViaProfile(dir.File("t.ini"), section, key.c_str(), size),
                          ViaImage(image, section, key.c_str(), size))
                    << "section [" << section << "] key " << k << " buffer " << size;
            }
}

}  // namespace

TEST(ProfileImage, OrdinaryDefinition) {
    ExpectSameAnswers("[100]\r\n200=Title\r\n[15001]\r\n1=Install\r\n2=More\r\n13=Welcome\r\n"
                      "[17001]\r\n1=setup.exe\r\n2=_menu2\r\n",
                      {"100", "15001", "17001", "15002"});
}

TEST(ProfileImage, WhiteSpaceQuotesAndDuplicates) {
    ExpectSameAnswers("  [15001]  \r\n"
                      "1 =  padded  \r\n"
                      "\t2\t=\tTabbed\t\r\n"
                      "3=\"quoted\"\r\n"
                      "4='single'\r\n"
                      "5=\"open only\r\n"
                      "6=\"\"\r\n"
                      "7=\"\r\n"
                      "8=first\r\n8=second\r\n"
                      "9=\r\n"
                      "10\r\n"
                      "11=a=b=c\r\n"
                      "12=\"mixed'\r\n"
                      "13=\"1234567\"\r\n"
                      "14=\"123456\"\r\n"
                      "[15001]\r\n1=second section of the same name\r\n15=only here\r\n",
                      {"15001", " 15001 "});
}

TEST(ProfileImage, LineEndsAndControlCharacters) {
    ExpectSameAnswers("[a]\n1=unix\n2=cr\rinside\n3=ctrl-z\x1a\n4=\x1c" "sep\x1f\n"
                      "5=nbsp\xa0\n6=tab\t\n[b]\r\r\n1=double cr\r\r\n2=\x0b" "vt\x0c\n"
                      "[c]\n1=no final newline",
                      {"a", "b", "c", "A", "B"});
}

TEST(ProfileImage, OddSectionHeaders) {
    ExpectSameAnswers("1=before any section\r\n"
                      "[]\r\n1=nameless\r\n"
                      "[ spaced ]\r\n1=spaced\r\n"
                      "[x]y]\r\n1=last bracket counts\r\n"
                      "[open\r\n1=not a header\r\n"
                      "[Mixed]\r\n1=case\r\n"
                      "[trail] junk\r\n1=junk after bracket\r\n",
                      {"", "spaced", " spaced ", "x]y", "x", "open", "mixed", "MIXED", "trail", "trail] junk"});
}

TEST(ProfileImage, LongValuesAndEmbeddedNul) {
    std::string longValue(300, 'L');
    std::string nul("7=before");
    nul += '\0';
    nul += "after\r\n";
    ExpectSameAnswers("[15001]\r\n1=" + longValue + "\r\n2=\"" + longValue + "\"\r\n" + nul +
                          "3=" + std::string(127, 'x') + "\r\n4=\"" + std::string(126, 'q') + "\"\r\n"
                          "5=\"" + std::string(127, 'q') + "\"\r\n6=\"" + std::string(128, 'q') + "\"\r\n",
                      {"15001"});
}

// Notepad's Unicode forms: the same definition with letters outside the
// code page (best fit, "?"), a key without "=" before the real one, and a
// quoted text one character longer than the buffer.
TEST(ProfileImage, MarkedEncodingsAreDecodedAsTheSystemDoes) {
    const std::wstring text = L"[15001]\r\n1=Caf\u00e9 \u0100 \u20ac \u4e2d \uff15 \U0001F600\r\n7\r\n7=a\r\n"
                              L"2=\"" + std::wstring(127, L'q') + L"\"\r\n3=\uff1d\r\n[\uff3b]\r\n1=wide\r\n";
    for (pgen::Form form : pgen::kForms) {
        SCOPED_TRACE(pgen::FormName(form));
        ExpectSameAnswers(pgen::Encode(text, form), {"15001", "["});
    }
}

TEST(ProfileImage, EmptyOddAndOutOfRangeInputsAreSafe) {
    CProfileImage image;
    EXPECT_TRUE(image.Parse("", 0));
    EXPECT_STREQ("x", image.ReadString("1", "1", "x", 80).c_str());
    EXPECT_EQ(-1, image.FindSection("1"));
    EXPECT_STREQ("d", image.ReadString(5, "1", "d", 80).c_str()) << "an index out of range finds nothing";
    EXPECT_STREQ("", image.ReadString(0, "1", "d", 0).c_str());
    // A UTF-16 file of odd length: the system reads a byte beyond the file
    // for the last half character; the image drops the half.
    for (pgen::Form form : {pgen::Form::Utf16Le, pgen::Form::Utf16Be}) {
        std::string bytes = pgen::Encode(L"[s]\r\nk=vw", form);
        ASSERT_TRUE(image.Parse((bytes + "A").data(), bytes.size() + 1));
        EXPECT_STREQ("vw", image.ReadString("s", "k", "", 80).c_str());
    }
    ASSERT_TRUE(image.Parse("\xFF\xFE", 2));
    EXPECT_STREQ("d", image.ReadString("", "", "d", 80).c_str());
}

TEST(ProfileImage, ManySectionsAreFoundByName) {
    std::string content;
    for (int m = 200; m >= 1; --m) content += "[1500" + std::to_string(m) + "]\r\n1=menu " + std::to_string(m) + "\r\n";
    CProfileImage image;
    ASSERT_TRUE(image.Parse(content.data(), content.size()));
    for (int m = 1; m <= 200; ++m) {
        EXPECT_EQ("menu " + std::to_string(m), image.ReadString(("1500" + std::to_string(m)).c_str(), "1", "", 128).c_str());
    }
}

// Random files built from the pieces that matter to the rules above.
TEST(ProfileImage, RandomFilesAgreeWithTheSystem) {
    const char* pieces[] = {"[1]", "[2]", "[ 1 ]", "[x", "]", "1", "2", "10", "01", "=", "==", " ", "\t",
                            "\r\n", "\n", "\r", "\"", "'", "v", "value", "\x1a", "[]", ";1=c", "A", "\xe9"};
    unsigned seed = 12345;
    auto next = [&seed]() { seed = seed * 1103515245u + 12345u; return (seed >> 16) & 0x7fff; };
    for (int file = 0; file < 40; ++file) {
        std::string content;
        int n = 20 + int(next() % 60);
        for (int i = 0; i < n; ++i) content += pieces[next() % (sizeof pieces / sizeof pieces[0])];
        SCOPED_TRACE(content);
        ExpectSameAnswers(content, {"1", "2", "x"});
    }
}
