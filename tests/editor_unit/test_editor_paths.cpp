// The editor-wide paths derived from where the editor runs.
#include "workspace/EditorState.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

TEST(EditorPaths, DerivedFromTheExecutablesFolder) {
    EditorState s = {};
    ASSERT_TRUE(SetupEditorPaths(s, L"C:\\Tools\\Editor\\tlkedit.exe", L""));
    EXPECT_STREQ(L"C:\\Tools\\Editor\\", s.workDir);
    EXPECT_STREQ(L"C:\\Tools\\Editor\\auto.tdf", s.definitionPath);
    EXPECT_STREQ(L"C:\\Tools\\Editor\\BMPS\\", s.bitmapDir);
    EXPECT_STREQ(L"C:\\Tools\\Editor\\sounds\\", s.soundDir);
}

TEST(EditorPaths, CommandLineTextGoesIntoTheDefinitionName) {
    EditorState s = {};
    ASSERT_TRUE(SetupEditorPaths(s, L"C:\\Ed\\tlkedit.exe", L"2"));
    EXPECT_STREQ(L"C:\\Ed\\auto2.tdf", s.definitionPath);
    EXPECT_STREQ(L"C:\\Ed\\", s.workDir) << "only the definition file name changes";
}

TEST(EditorPaths, ExecutableInARootFolder) {
    EditorState s = {};
    ASSERT_TRUE(SetupEditorPaths(s, L"Z:\\tlkedit.exe", nullptr));
    EXPECT_STREQ(L"Z:\\", s.workDir);
    EXPECT_STREQ(L"Z:\\auto.tdf", s.definitionPath);
    EXPECT_STREQ(L"Z:\\BMPS\\", s.bitmapDir);
}

TEST(EditorPaths, RefusesPathsWithoutAFolder) {
    EditorState s = {};
    lstrcpyW(s.workDir, L"C:\\old\\");
    EXPECT_FALSE(SetupEditorPaths(s, L"tlkedit.exe", L""));
    EXPECT_STREQ(L"", s.workDir) << "nothing of an earlier set-up may remain";
    EXPECT_FALSE(SetupEditorPaths(s, L"", L""));
    EXPECT_FALSE(SetupEditorPaths(s, nullptr, L""));
}

TEST(EditorPaths, RefusesWhatDoesNotFitRatherThanCuttingIt) {
    EditorState s = {};
    // 245 characters of folder still leave room for every name.
    std::wstring fits = L"C:\\" + std::wstring(240, L'f') + L"\\";
    ASSERT_TRUE(SetupEditorPaths(s, (fits + L"tlkedit.exe").c_str(), L""));
    EXPECT_EQ(fits, s.workDir);

    // Here "\sounds\" would run past the buffer.
    std::wstring tooLong = L"C:\\" + std::wstring(248, L'f') + L"\\";
    EXPECT_FALSE(SetupEditorPaths(s, (tooLong + L"tlkedit.exe").c_str(), L""));
    EXPECT_STREQ(L"", s.workDir);
    EXPECT_STREQ(L"", s.soundDir);

    // A long command-line text cannot push the definition path out either.
    EXPECT_FALSE(SetupEditorPaths(s, L"C:\\Ed\\tlkedit.exe", std::wstring(300, L'9').c_str()));
    EXPECT_STREQ(L"", s.definitionPath);
}

// Folders and command-line texts of any script, letters of two UTF-16 units
// too, are kept as they are.
TEST(EditorPaths, LettersOfAnyScript) {
    EditorState s = {};
    ASSERT_TRUE(SetupEditorPaths(s, L"C:\\\x30C4\x30FC\x30EB\\\xD83D\xDCBF\\tlkedit.exe", L"\xE9t\xE9"));
    EXPECT_STREQ(L"C:\\\x30C4\x30FC\x30EB\\\xD83D\xDCBF\\", s.workDir);
    EXPECT_STREQ(L"C:\\\x30C4\x30FC\x30EB\\\xD83D\xDCBF\\auto\xE9t\xE9.tdf", s.definitionPath);
    EXPECT_STREQ(L"C:\\\x30C4\x30FC\x30EB\\\xD83D\xDCBF\\BMPS\\", s.bitmapDir);
    EXPECT_STREQ(L"C:\\\x30C4\x30FC\x30EB\\\xD83D\xDCBF\\sounds\\", s.soundDir);
}
