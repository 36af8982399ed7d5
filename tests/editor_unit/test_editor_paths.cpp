// The editor-wide paths derived from where the editor runs.
#include "workspace/EditorState.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

TEST(EditorPaths, DerivedFromTheExecutablesFolder) {
    EditorState s = {};
    ASSERT_TRUE(SetupEditorPaths(s, "C:\\Tools\\Editor\\tlkedit.exe", ""));
    EXPECT_STREQ("C:\\Tools\\Editor\\", s.workDir);
    EXPECT_STREQ("C:\\Tools\\Editor\\auto.tdf", s.definitionPath);
    EXPECT_STREQ("C:\\Tools\\Editor\\BMPS\\", s.bitmapDir);
    EXPECT_STREQ("C:\\Tools\\Editor\\sounds\\", s.soundDir);
}

TEST(EditorPaths, CommandLineTextGoesIntoTheDefinitionName) {
    EditorState s = {};
    ASSERT_TRUE(SetupEditorPaths(s, "C:\\Ed\\tlkedit.exe", "2"));
    EXPECT_STREQ("C:\\Ed\\auto2.tdf", s.definitionPath);
    EXPECT_STREQ("C:\\Ed\\", s.workDir) << "only the definition file name changes";
}

TEST(EditorPaths, ExecutableInARootFolder) {
    EditorState s = {};
    ASSERT_TRUE(SetupEditorPaths(s, "Z:\\tlkedit.exe", nullptr));
    EXPECT_STREQ("Z:\\", s.workDir);
    EXPECT_STREQ("Z:\\auto.tdf", s.definitionPath);
    EXPECT_STREQ("Z:\\BMPS\\", s.bitmapDir);
}

TEST(EditorPaths, RefusesPathsWithoutAFolder) {
    EditorState s = {};
    lstrcpyA(s.workDir, "C:\\old\\");
    EXPECT_FALSE(SetupEditorPaths(s, "tlkedit.exe", ""));
    EXPECT_STREQ("", s.workDir) << "nothing of an earlier set-up may remain";
    EXPECT_FALSE(SetupEditorPaths(s, "", ""));
    EXPECT_FALSE(SetupEditorPaths(s, nullptr, ""));
}

TEST(EditorPaths, RefusesWhatDoesNotFitRatherThanCuttingIt) {
    EditorState s = {};
    // 245 characters of folder still leave room for every name.
    std::string fits = "C:\\" + std::string(240, 'f') + "\\";
    ASSERT_TRUE(SetupEditorPaths(s, (fits + "tlkedit.exe").c_str(), ""));
    EXPECT_EQ(fits, s.workDir);

    // Here "\sounds\" would run past the buffer.
    std::string tooLong = "C:\\" + std::string(248, 'f') + "\\";
    EXPECT_FALSE(SetupEditorPaths(s, (tooLong + "tlkedit.exe").c_str(), ""));
    EXPECT_STREQ("", s.workDir);
    EXPECT_STREQ("", s.soundDir);

    // A long command-line text cannot push the definition path out either.
    EXPECT_FALSE(SetupEditorPaths(s, "C:\\Ed\\tlkedit.exe", std::string(300, '9').c_str()));
    EXPECT_STREQ("", s.definitionPath);
}
