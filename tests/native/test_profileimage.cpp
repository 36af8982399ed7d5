// test_profileimage.cpp - the definition reader on the host, under
// AddressSanitizer and UndefinedBehaviorSanitizer, where a character is 32
// bits wide: the seed files through the shared checks, and the cases the
// fuzz target found.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "../support/profile_checks.h"
#include "../support/text_seeds.h"

namespace {

// The checks on an exactly sized heap copy, so that a read past it is reported.
std::string Checked(const std::string& file) {
    std::unique_ptr<char[]> copy(new char[file.size() + (file.empty() ? 1 : 0)]);
    std::memcpy(copy.get(), file.data(), file.size());
    return profcheck::Check(copy.get(), file.size());
}

std::wstring Read(const std::string& file, const wchar_t* section, const wchar_t* key) {
    CProfileImage image;
    EXPECT_TRUE(image.Parse(file.data(), file.size()));
    return image.ReadString(section, key, L"", 2000).c_str();
}

}  // namespace

TEST(ProfileImageHost, SeedFilesPassTheChecks) {
    for (const std::string& file : seeds::DefinitionFiles())
        EXPECT_EQ("", Checked(file)) << pgen::Escape(file.substr(0, 300));
}

// The bytes of an ANSI file are decoded in place, behind the text; with
// characters wider than two bytes the text overwrote bytes not yet read,
// and every character after the first third of the file came out wrong.
TEST(ProfileImageHost, AnsiFileIsDecodedWhole) {
    std::string file = "[100]\r\n200=";
    std::wstring want;
    for (int c = 0x21; c < 0x100; ++c) file += static_cast<char>(c);
    for (int c = 0x21; c < 0x80; ++c) want += static_cast<wchar_t>(c);
    const wchar_t cp1252[] = {0x20AC, 0x81, 0x201A, 0x192, 0x201E, 0x2026, 0x2020, 0x2021, 0x2C6, 0x2030, 0x160,
                              0x2039, 0x152, 0x8D, 0x17D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                              0x2013, 0x2014, 0x2DC, 0x2122, 0x161, 0x203A, 0x153, 0x9D, 0x17E, 0x178};
    want.append(cp1252, 32);
    for (int c = 0xA0; c < 0x100; ++c) want += static_cast<wchar_t>(c);
    EXPECT_EQ(want, Read(file, L"100", L"200"));
    EXPECT_EQ("", Checked(file));
}

// The last menu of the largest definition, and halves of surrogate pairs
// kept as they are, in every form.
TEST(ProfileImageHost, EveryFormReadsWhole) {
    for (pgen::Form form : pgen::kForms) {
        SCOPED_TRACE(pgen::FormName(form));
        const std::string menus = pgen::Encode(seeds::TwoHundredMenus(), form);
        EXPECT_EQ(L"Menu 200", Read(menus, L"1500200", L"1"));
        EXPECT_EQ(L"_menu1", Read(menus, L"1700200", L"1"));
        if (form != pgen::Form::Ansi && form != pgen::Form::Utf8) {
            EXPECT_EQ(L"a\xDC00z\xD83D", Read(pgen::Encode(L"[x]\r\n1=a\xDC00z\xD83D\r\n", form), L"x", L"1"));
        }
    }
}
