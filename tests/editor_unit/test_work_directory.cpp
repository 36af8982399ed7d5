// The file copy and the work directory reset, on real files.
#include "workspace/WorkDir.h"
#include "files.h"
#include "support/tempdir.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>

namespace {

// An editor folder: the work directory with its stock background folder.
struct EditorFolder {
    TempDir dir{L"workdir-\x6587"};
    EditorState state = {};
    EditorFolder() {
        CreateDirectoryW(dir.File(L"BMPS").c_str(), nullptr);
        dir.Write("BMPS\\nodef.bmp", "BM nodef picture");
        EXPECT_TRUE(SetupEditorPaths(state, dir.File(L"tlkedit.exe").c_str(), L""));
        state.definitionSaved = true;
        state.definitionPresent = true;
    }
};

bool Has(const std::vector<CString>& names, const wchar_t* name) {
    return std::any_of(names.begin(), names.end(), [&](const CString& n) { return n == name; });
}

}  // namespace

TEST(FileCopy, ReplacesAnExistingReadOnlyDestination) {
    TempDir dir("copy");
    dir.Write("new.bmp", "new");
    dir.Write("old.bmp", "old");
    SetFileAttributesW(dir.File(L"old.bmp").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(CopyFileNormal(dir.File(L"new.bmp").c_str(), dir.File(L"old.bmp").c_str()));
    EXPECT_EQ("new", dir.Read("old.bmp"));
    DWORD attributes = GetFileAttributesW(dir.File(L"old.bmp").c_str());
    EXPECT_EQ(0u, attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

TEST(FileCopy, CopyOfAReadOnlySourceIsWritable) {
    TempDir dir("copy");
    dir.Write("cd.wav", "sound from a disc");
    SetFileAttributesW(dir.File(L"cd.wav").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(CopyFileNormal(dir.File(L"cd.wav").c_str(), dir.File(L"copy.wav").c_str()));
    EXPECT_EQ("sound from a disc", dir.Read("copy.wav"));
    EXPECT_FALSE(files::IsReadOnly(dir.File("copy.wav")));
    EXPECT_TRUE(files::IsReadOnly(dir.File("cd.wav"))) << "the source is left as it was";
}

TEST(FileCopy, MissingSourceFailsAndLeavesTheDestination) {
    TempDir dir("copy");
    dir.Write("keep.bmp", "keep");
    EXPECT_FALSE(CopyFileNormal(dir.File(L"missing.bmp").c_str(), dir.File(L"keep.bmp").c_str()));
    EXPECT_EQ("keep", dir.Read("keep.bmp"));
}

TEST(FileCopy, FileCopiedOntoItselfStaysWhole) {
    TempDir dir("copy");
    dir.Write("same.wav", "unchanged");
    EXPECT_TRUE(CopyFileNormal(dir.File(L"same.wav").c_str(), dir.File(L"same.wav").c_str()));
    EXPECT_EQ("unchanged", dir.Read("same.wav"));
    // The same file under another spelling of its path.
    std::wstring other = dir.PathW() + L".\\SAME.WAV";
    CopyFileNormal(dir.File(L"same.wav").c_str(), other.c_str());
    EXPECT_EQ("unchanged", dir.Read("same.wav"));
}

TEST(SoundFiles, OnlyFilesEndingInWav) {
    TempDir dir("sounds");
    dir.Write("a.wav", "a");
    dir.Write("B.WAV", "b");
    dir.Write("music.wave", "not a sound file of ours");
    dir.Write("notes.txt", "n");
    dir.Write("wav", "no extension");
    CreateDirectoryW(dir.File(L"folder.wav").c_str(), nullptr);
    std::vector<CString> names = SoundFilesIn(dir.PathW().c_str());
    EXPECT_EQ(2u, names.size());
    EXPECT_TRUE(Has(names, L"a.wav"));
    EXPECT_TRUE(Has(names, L"B.WAV"));
}

TEST(SoundFiles, NamesOfAnyScriptInAFolderOfAnyScript) {
    TempDir dir(L"sounds-\x58F0");
    dir.Write(L"\x97F3\x697D.wav", "a");
    dir.Write(L"\xD83D\xDD0A \xC9cho.WAV", "b");
    dir.Write(L"\x97F3.wave", "not a sound file of ours");
    std::vector<CString> names = SoundFilesIn(dir.PathW().c_str());
    EXPECT_EQ(2u, names.size());
    EXPECT_TRUE(Has(names, L"\x97F3\x697D.wav"));
    EXPECT_TRUE(Has(names, L"\xD83D\xDD0A \xC9cho.WAV"));
}

TEST(SoundFiles, MissingFolderHasNone) {
    EXPECT_TRUE(SoundFilesIn(L"C:\\no\\such\\folder\\here\\").empty());
}

TEST(WorkDirectoryReset, LeavesAnEmptyDefinition) {
    EditorFolder f;
    TempDir& d = f.dir;
    d.Write("autorun.bmp", "BM old background");
    d.Write("auto.tdf", "[100]\r\n200=Old\r\n");
    d.Write("click.wav", "c");
    d.Write("LOUD.WAV", "l");
    d.Write("Intro Music.wav", "i");
    d.Write(L"\x5F00\x59CB.wav", "s");
    SetFileAttributesW(d.File(L"click.wav").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(d.File(L"auto.tdf").c_str(), FILE_ATTRIBUTE_READONLY);

    ResetWorkDirectory(f.state);

    EXPECT_EQ("BM nodef picture", d.Read("autorun.bmp"));
    EXPECT_FALSE(d.Exists("auto.tdf"));
    EXPECT_TRUE(SoundFilesIn(d.PathW().c_str()).empty());
    EXPECT_FALSE(f.state.definitionPresent);
    EXPECT_TRUE(f.state.definitionSaved) << "the reset does not touch the saved flag";
    EXPECT_EQ("BM nodef picture", d.Read("BMPS\\nodef.bmp"));
}

TEST(WorkDirectoryReset, KeepsEverythingElse) {
    EditorFolder f;
    TempDir& d = f.dir;
    d.Write("auto2.tdf", "a definition of a run with command-line text 2");
    d.Write("readme.txt", "r");
    d.Write("tune.wave", "t");
    d.Write("autorun.exe", "player");
    d.Write("autorun.inf", "[autorun]");
    CreateDirectoryW(d.File(L"sounds").c_str(), nullptr);
    d.Write("sounds\\chime.wav", "stock");
    CreateDirectoryW(d.File(L"folder.wav").c_str(), nullptr);

    ResetWorkDirectory(f.state);

    for (const char* kept : {"auto2.tdf", "readme.txt", "tune.wave", "autorun.exe", "autorun.inf", "sounds\\chime.wav"})
        EXPECT_TRUE(d.Exists(kept)) << kept;
    EXPECT_TRUE(files::IsDirectory(d.File("folder.wav")));
}

TEST(WorkDirectoryReset, WithoutNodefThereIsNoBackground) {
    EditorFolder f;
    DeleteFileW(f.dir.File(L"BMPS\\nodef.bmp").c_str());
    f.dir.Write("autorun.bmp", "BM old");
    ResetWorkDirectory(f.state);
    EXPECT_FALSE(f.dir.Exists("autorun.bmp"));
    EXPECT_FALSE(f.state.definitionPresent);
}

TEST(WorkDirectoryReset, WithoutPathsTouchesNothing) {
    TempDir dir("nopaths");
    dir.Write("auto.tdf", "keep");
    EditorState empty = {};
    empty.definitionPresent = true;
    wchar_t old[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, old);
    SetCurrentDirectoryW(dir.PathW().c_str());
    ResetWorkDirectory(empty);
    SetCurrentDirectoryW(old);
    EXPECT_EQ("keep", dir.Read("auto.tdf")) << "no file is deleted relative to the current folder";
    EXPECT_FALSE(empty.definitionPresent);
}
