// dib_fixture.h - the folder and checks the CDibImage tests share.

#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "menu/DibImage.h"
#include "support/dib_canvas.h"

// A temporary folder per test; files are removed again afterwards.  Deleting
// a file fails while someone still holds it open, so the clean-up also
// catches a loader that forgets to close its handle.
class DibFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        static unsigned counter = 0;
        char temp[MAX_PATH];
        const DWORD n = GetTempPathA(MAX_PATH, temp);
        ASSERT_TRUE(n > 0 && n < MAX_PATH);
        char name[64];
        std::snprintf(name, sizeof(name), "dibtest-%lu-%u", static_cast<unsigned long>(GetCurrentProcessId()),
                      ++counter);
        m_dir = std::string(temp) + name + "\\";
        ASSERT_TRUE(CreateDirectoryA(m_dir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }

    void TearDown() override {
        for (const std::string& f : m_files)
            EXPECT_TRUE(DeleteFileA(f.c_str())) << "cannot delete " << f << " (still open?)";
        EXPECT_TRUE(RemoveDirectoryA(m_dir.c_str()));
    }

    std::string Write(const std::string& name, const bmpw::Bytes& bytes) {
        const std::string path = m_dir + name;
        EXPECT_TRUE(bmpw::WriteFile(path, bytes)) << path;
        bool known = false;
        for (const std::string& f : m_files) known = known || f == path;
        if (!known) m_files.push_back(path);
        return path;
    }

    std::string Path(const std::string& name) const { return m_dir + name; }

    std::string m_dir;
    std::vector<std::string> m_files;
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
