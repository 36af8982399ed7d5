// test_autorunfile.cpp - the disc check's AutoRun file reader on the host,
// under AddressSanitizer and UndefinedBehaviorSanitizer: the seed files
// through the shared checks, a file as hands write it, and the cases the
// fuzz target found.

#include <gtest/gtest.h>

#include "../support/autorun_checks.h"
#include "../support/text_seeds.h"

TEST(AutoRunFileHost, SeedFilesPassTheChecks) {
    for (const std::string& file : seeds::AutoRunFiles())
        EXPECT_EQ("", autoruncheck::Check(file)) << pgen::Escape(file.substr(0, 300));
}

TEST(AutoRunFileHost, KeysOfTheAutoRunSectionAndLinesThatAreNone) {
    AutoRunFile inf;
    inf.Parse(pgen::Encode(L"; comment\r\nopen=outside.exe\r\n[AUTORUN]\r\n OPEN = \"menu.exe\" \r\nopen=second.exe\r\n"
                           L"icon=\"a b.ico\",0\r\nno key\r\n=no name\r\n[autorun\r\nx\r\n[other]\r\nlabel=L\r\ny\r\n",
                           pgen::Form::Utf16Be));
    ASSERT_EQ(2u, inf.keys.size());
    EXPECT_EQ("menu.exe", *inf.Find("Open"));
    EXPECT_EQ("\"a b.ico\",0", *inf.Find("icon"));
    EXPECT_EQ(nullptr, inf.Find("label"));
    EXPECT_EQ(5, inf.badCount);
    ASSERT_EQ(3u, inf.badLines.size());
    EXPECT_EQ(std::make_pair(7, std::string("no key")), inf.badLines[0]);
    EXPECT_EQ(8, inf.badLines[1].first);
    EXPECT_EQ(9, inf.badLines[2].first);
}
