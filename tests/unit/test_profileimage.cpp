// The in-memory profile image must answer exactly as the system's wide
// profile functions do for the same file, whatever the file holds.
#include "menu/ProfileImage.h"
#include "support/profile_gen.h"
#include "support/tempdir.h"
#include "support/text.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const wchar_t kDefault[] = L"<default>";

std::wstring ViaProfile(const std::wstring& path, const wchar_t* section, const wchar_t* key, int size) {
    std::vector<wchar_t> buf(size + 16, L'\x7f');
    GetPrivateProfileStringW(section, key, kDefault, buf.data(), size, path.c_str());
    return std::wstring(buf.data());
}

std::wstring ViaImage(const CProfileImage& image, const wchar_t* section, const wchar_t* key, int size) {
    return text::Whole(image.ReadString(section, key, kDefault, size));
}

// Compares every key 1..15 of the given sections at several buffer sizes,
// and the integer reads.
void ExpectSameAnswers(const std::string& content, std::vector<const wchar_t*> sections) {
    TempDir dir("profile");
    dir.Write("t.ini", content);
    const std::wstring path = dir.File(L"t.ini");
    CProfileImage image;
    ASSERT_TRUE(image.Parse(content.data(), content.size()));
    for (const wchar_t* section : sections)
        for (int k = 1; k <= 15; ++k) {
            std::wstring key = std::to_wstring(k);
            for (int size : {2, 3, 8, 80, 128})
                EXPECT_EQ(ViaProfile(path, section, key.c_str(), size), ViaImage(image, section, key.c_str(), size))
                    << "section [" << text::U8(section) << "] key " << k << " buffer " << size;
            EXPECT_EQ(static_cast<int>(GetPrivateProfileIntW(section, key.c_str(), -7, path.c_str())),
                      image.ReadInt(image.FindSection(section), key.c_str(), -7))
                << "number, section [" << text::U8(section) << "] key " << k;
        }
}

}  // namespace

TEST(ProfileImage, OrdinaryDefinition) {
    ExpectSameAnswers("[100]\r\n200=Title\r\n[15001]\r\n1=Install\r\n2=More\r\n13=Welcome\r\n"
                      "[17001]\r\n1=setup.exe\r\n2=_menu2\r\n",
                      {L"100", L"15001", L"17001", L"15002"});
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
                      {L"15001", L" 15001 "});
}

TEST(ProfileImage, LineEndsAndControlCharacters) {
    ExpectSameAnswers("[a]\n1=unix\n2=cr\rinside\n3=ctrl-z\x1a\n4=\x1c" "sep\x1f\n"
                      "5=nbsp\xa0\n6=tab\t\n[b]\r\r\n1=double cr\r\r\n2=\x0b" "vt\x0c\n"
                      "[c]\n1=no final newline",
                      {L"a", L"b", L"c", L"A", L"B"});
}

TEST(ProfileImage, OddSectionHeaders) {
    ExpectSameAnswers("1=before any section\r\n"
                      "[]\r\n1=nameless\r\n"
                      "[ spaced ]\r\n1=spaced\r\n"
                      "[x]y]\r\n1=last bracket counts\r\n"
                      "[open\r\n1=not a header\r\n"
                      "[Mixed]\r\n1=case\r\n"
                      "[trail] junk\r\n1=junk after bracket\r\n",
                      {L"", L"spaced", L" spaced ", L"x]y", L"x", L"open", L"mixed", L"MIXED", L"trail", L"trail] junk"});
}

TEST(ProfileImage, LongValuesAndEmbeddedNul) {
    std::string longValue(300, 'L');
    std::string nul("7=before");
    nul += '\0';
    nul += "after\r\n";
    ExpectSameAnswers("[15001]\r\n1=" + longValue + "\r\n2=\"" + longValue + "\"\r\n" + nul +
                          "3=" + std::string(127, 'x') + "\r\n4=\"" + std::string(126, 'q') + "\"\r\n"
                          "5=\"" + std::string(127, 'q') + "\"\r\n6=\"" + std::string(128, 'q') + "\"\r\n",
                      {L"15001"});
}

// Notepad's Unicode forms: the same definition with letters outside the
// code page, a key without "=" before the real one, a quoted text one
// character longer than the buffer, pairs cut by the buffer, digits and
// names of other scripts (letter case beyond ASCII).
TEST(ProfileImage, MarkedEncodingsAreDecodedAsTheSystemDoes) {
    const std::wstring text = L"[15001]\r\n1=Caf\u00e9 \u0100 \u20ac \u4e2d \uff15 \U0001F600\r\n7\r\n7=a\r\n"
                              L"2=\"" + std::wstring(127, L'q') + L"\"\r\n3=\uff1d\r\n4=\U0001F600\U0001F600\r\n"
                              L"5=\uff17\r\n6=\u0661\u0662\r\n8=a\U0001F600\r\n[\uff3b]\r\n1=wide\r\n"
                              L"[Caf\u00e9]\r\n1=latin\r\n[\u0394\u03b5]\r\n1=greek\r\n";
    for (pgen::Form form : pgen::kForms) {   // in ANSI each unit's low byte: a file of odd bytes
        SCOPED_TRACE(pgen::FormName(form));
        ExpectSameAnswers(pgen::Encode(text, form), {L"15001", L"[", L"\uff3b", L"Caf\u00e9", L"CAF\u00c9", L"caf\u00e9",
                                                     L"\u0394\u03b5", L"\u03b4\u0395"});
    }
    // An ANSI file holds the code page's letters only.
    ExpectSameAnswers(text::Ansi(L"[15001]\r\n1=Caf\u00e9\r\n[Caf\u00e9]\r\n1=latin\r\n"),
                      {L"15001", L"Caf\u00e9", L"CAF\u00c9"});
}

// The form a file's mark tells, and the text the image decoded.
TEST(ProfileImage, TellsTheFormAndTheTextOfTheFile) {
    const std::wstring text = L"[s]\r\nk=\u4e2d\U0001F600";
    const struct { pgen::Form form; CProfileImage::Form expected; } forms[] = {
        {pgen::Form::Utf8, CProfileImage::kUtf8},
        {pgen::Form::Utf16Le, CProfileImage::kUtf16LE},
        {pgen::Form::Utf16Be, CProfileImage::kUtf16BE},
    };
    for (const auto& f : forms) {
        SCOPED_TRACE(pgen::FormName(f.form));
        const std::string bytes = pgen::Encode(text, f.form);
        const auto* u = reinterpret_cast<const unsigned char*>(bytes.data());
        EXPECT_EQ(f.expected, CProfileImage::FormOf(u, bytes.size()));
        CProfileImage image;
        ASSERT_TRUE(image.Parse(bytes.data(), bytes.size()));
        EXPECT_EQ(f.expected, image.FileForm());
        EXPECT_EQ(text, std::wstring(image.Text(), image.TextLength())) << "the text without its mark";
    }
    const struct { const char* bytes; size_t size; } ansi[] = {
        {"", 0}, {"\xFF", 1}, {"\xEF\xBB", 2}, {"\xFE", 1}, {"[s]\r\nk=\xE9", 9}, {"\xBB\xBF\xEF", 3}, {"\xFE\xFE", 2}};
    for (const auto& a : ansi) {
        SCOPED_TRACE(pgen::Escape(std::string(a.bytes, a.size)));
        EXPECT_EQ(CProfileImage::kAnsi, CProfileImage::FormOf(reinterpret_cast<const unsigned char*>(a.bytes), a.size));
        CProfileImage image;
        ASSERT_TRUE(image.Parse(a.bytes, a.size));
        EXPECT_EQ(CProfileImage::kAnsi, image.FileForm());
        int n = MultiByteToWideChar(CP_ACP, 0, a.bytes, static_cast<int>(a.size), nullptr, 0);
        std::wstring system(static_cast<size_t>(n), L'\0');
        if (n > 0) MultiByteToWideChar(CP_ACP, 0, a.bytes, static_cast<int>(a.size), &system[0], n);
        EXPECT_EQ(system, std::wstring(image.Text(), image.TextLength())) << "through the code page";
    }
}

TEST(ProfileImage, EmptyOddAndOutOfRangeInputsAreSafe) {
    CProfileImage image;
    EXPECT_TRUE(image.Parse("", 0));
    EXPECT_STREQ(L"x", image.ReadString(L"1", L"1", L"x", 80).c_str());
    EXPECT_EQ(-1, image.FindSection(L"1"));
    EXPECT_STREQ(L"d", image.ReadString(5, L"1", L"d", 80).c_str()) << "an index out of range finds nothing";
    EXPECT_STREQ(L"", image.ReadString(0, L"1", L"d", 0).c_str());
    // A UTF-16 file of odd length: the system reads a byte beyond the file
    // for the last half character; the image drops the half.
    for (pgen::Form form : {pgen::Form::Utf16Le, pgen::Form::Utf16Be}) {
        std::string bytes = pgen::Encode(L"[s]\r\nk=vw", form);
        ASSERT_TRUE(image.Parse((bytes + "A").data(), bytes.size() + 1));
        EXPECT_STREQ(L"vw", image.ReadString(L"s", L"k", L"", 80).c_str());
    }
    ASSERT_TRUE(image.Parse("\xFF\xFE", 2));
    EXPECT_STREQ(L"d", image.ReadString(L"", L"", L"d", 80).c_str());
}

TEST(ProfileImage, ManySectionsAreFoundByName) {
    std::string content;
    for (int m = 200; m >= 1; --m) content += "[1500" + std::to_string(m) + "]\r\n1=menu " + std::to_string(m) + "\r\n";
    CProfileImage image;
    ASSERT_TRUE(image.Parse(content.data(), content.size()));
    for (int m = 1; m <= 200; ++m) {
        EXPECT_EQ(L"menu " + std::to_wstring(m), text::Whole(image.ReadString((L"1500" + std::to_wstring(m)).c_str(), L"1", L"", 128)));
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
        ExpectSameAnswers(content, {L"1", L"2", L"x"});
    }
}
