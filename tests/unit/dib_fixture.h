// dib_fixture.h - the folder and checks the CDibImage tests share.

#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "menu/DibImage.h"
#include "support/dib_canvas.h"
#include "support/files.h"
#include "support/text.h"

// A temporary folder per test; files are removed again afterwards.  Deleting
// a file fails while someone still holds it open, so the clean-up also
// catches a loader that forgets to close its handle.  The folder's name
// holds letters beyond ASCII: the loader takes any path the system does.
class DibFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        static unsigned counter = 0;
        wchar_t temp[MAX_PATH];
        const DWORD n = GetTempPathW(MAX_PATH, temp);
        ASSERT_TRUE(n > 0 && n < MAX_PATH);
        m_dir = std::wstring(temp) + L"dibtest-\xE9\x4E2D-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(m_dir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }

    void TearDown() override {
        for (const std::wstring& f : m_files)
            EXPECT_TRUE(DeleteFileW(f.c_str())) << "cannot delete " << text::U8(f) << " (still open?)";
        EXPECT_TRUE(RemoveDirectoryW(m_dir.c_str()));
    }

    std::wstring Write(const std::wstring& name, const bmpw::Bytes& bytes) {
        const std::wstring path = m_dir + name;
        EXPECT_TRUE(files::WriteAll(path, std::string(bytes.begin(), bytes.end()))) << text::U8(path);
        bool known = false;
        for (const std::wstring& f : m_files) known = known || f == path;
        if (!known) m_files.push_back(path);
        return path;
    }

    std::wstring Path(const std::wstring& name) const { return m_dir + name; }

    std::wstring m_dir;
    std::vector<std::wstring> m_files;
};

inline void ExpectPaletteMatches(HPALETTE palette, const std::vector<bmpw::Rgb>& colors) {
    ASSERT_TRUE(palette != nullptr);
    bool flagged = false;
    const std::vector<bmpw::Rgb> got = dibdraw::PaletteColours(palette, &flagged);
    ASSERT_EQ(colors.size(), got.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_TRUE(colors[i] == got[i]) << "entry " << i << ": " << dibdraw::Str(got[i]) << " not "
                                         << dibdraw::Str(colors[i]);
    EXPECT_FALSE(flagged) << "palette entries with flags";
}

// An image that holds nothing: no size, no palette, and drawing it draws
// nothing.
inline void ExpectEmpty(const CDibImage& image, const dibdraw::Canvas& canvas) {
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(0, image.Width());
    EXPECT_EQ(0, image.Height());
    EXPECT_EQ(0, image.ColorCount());
    EXPECT_TRUE(image.Pixels() == nullptr);
    EXPECT_TRUE(image.Palette() == nullptr);
    ASSERT_TRUE(canvas.ok());
    EXPECT_EQ(0, image.Render(canvas.dc(), dibdraw::Rect(0, 0, 4, 4), dibdraw::Rect(0, 0, 4, 4)));
    EXPECT_EQ(0, image.Render(canvas.dc(), dibdraw::Rect(0, 0, 4, 4), dibdraw::Rect(0, 0, 2, 2)));
    EXPECT_TRUE(canvas.Untouched(0, 0));
}

inline void ExpectEmpty(const CDibImage& image) {
    const dibdraw::Canvas canvas(4, 4);
    ExpectEmpty(image, canvas);
}
