// Which help page belongs to which window, and that the installed pages
// are all there and hang together.
#include "editor/Help.h"
#include "resources/editor_ids.h"
#include "support/driver.h"
#include "support/tempdir.h"
#include "support/text.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

std::wstring HelpFolder() {
    std::string dist = drv::Env("TLK_DIST");
    return dist.empty() ? std::wstring() : text::W(dist) + L"\\help\\";
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

const UINT kDialogsWithHelp[] = {IDD_EDITOR,       IDD_WIZARD_INTRO, IDD_WIZARD_BACKGROUND, IDD_WIZARD_TEMPLATE,
                                 IDD_WIZARD_TEXT,  IDD_ACTION,       IDD_WIZARD_LOOK,       IDD_WIZARD_FINISH,
                                 IDD_BUILD,        IDD_MENU_FILE,    IDD_DISC_IMAGE,        IDD_LANGUAGE};

}  // namespace

TEST(HelpTopics, ContextNumbersAreTheBasePlusTheTemplate) {
    EXPECT_STREQ(L"main.htm", HelpTopicFile(131174));     // the main window, 0x20066
    EXPECT_STREQ(L"build.htm", HelpTopicFile(131223));    // Build Information, 0x20097
    EXPECT_STREQ(L"menu-listing.htm", HelpTopicFile(131276));   // Menu File Information, 0x200CC
    EXPECT_STREQ(L"actions.htm", HelpTopicFile(131209));  // Configure Actions, 0x20089
}

TEST(HelpTopics, EveryDialogWithHelpHasAPageOfItsOwn) {
    std::set<std::wstring> pages;
    for (UINT id : kDialogsWithHelp) {
        std::wstring page = HelpTopicFile(0x20000 + id);
        EXPECT_NE(std::wstring(kHelpIndexFile), page) << "dialog " << id;
        pages.insert(page);
    }
    EXPECT_EQ(sizeof kDialogsWithHelp / sizeof kDialogsWithHelp[0], pages.size()) << "no two dialogs share a page";
    EXPECT_EQ(static_cast<int>(pages.size()), kHelpTopicCount);
}

TEST(HelpTopics, UnknownNumbersShowTheIndex) {
    EXPECT_STREQ(L"index.htm", HelpTopicFile(0x20000 + IDD_ABOUT));
    EXPECT_STREQ(L"index.htm", HelpTopicFile(0));
    EXPECT_STREQ(L"index.htm", HelpTopicFile(102));   // the template id alone is no context number
    EXPECT_STREQ(L"index.htm", HelpTopicFile(0xFFFFFFFF));
}

TEST(HelpTopics, PagesLieInTheHelpFolderBesideTheProgram) {
    EXPECT_STREQ(L"C:\\Ed\\help\\main.htm", HelpTopicPath(L"C:\\Ed\\", 0x20066).c_str());
    EXPECT_STREQ(L"C:\\Ed\\help\\index.htm", HelpTopicPath(L"C:\\Ed\\", 1).c_str());
    EXPECT_STREQ(L"C:\\\x7DE8\x96C6\\help\\main.htm", HelpTopicPath(L"C:\\\x7DE8\x96C6\\", 0x20066).c_str());
}

TEST(HelpPages, EveryTopicIsInstalled) {
    const std::wstring folder = HelpFolder();
    ASSERT_FALSE(folder.empty()) << "TLK_DIST names the installation folder";
    for (int i = 0; i < kHelpTopicCount; ++i) EXPECT_TRUE(Exists(folder + kHelpTopics[i].file)) << text::U8(kHelpTopics[i].file);
    EXPECT_TRUE(Exists(folder + kHelpIndexFile));
    EXPECT_TRUE(Exists(folder + L"style.css"));
}

TEST(HelpPages, EveryPageHasATitleTheSharedStyleAndWorkingLinks) {
    const std::wstring folder = HelpFolder();
    ASSERT_FALSE(folder.empty());
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"*.htm").c_str(), &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    int pages = 0;
    do {
        ++pages;
        const std::string name = text::U8(fd.cFileName);
        const std::string html = files::ReadAll(folder + fd.cFileName);
        EXPECT_NE(std::string::npos, html.find("<title>")) << name;
        EXPECT_NE(std::string::npos, html.find("href=\"style.css\"")) << name;
        EXPECT_EQ(std::string::npos, html.find("<style")) << name << ": one shared style";
        // Every local link leads to a page that exists.
        for (size_t at = html.find("href=\""); at != std::string::npos; at = html.find("href=\"", at + 1)) {
            size_t start = at + 6, end = html.find('"', start);
            std::string target = html.substr(start, end - start);
            target = target.substr(0, target.find('#'));
            if (target.empty() || target.find(':') != std::string::npos) continue;
            EXPECT_TRUE(Exists(folder + text::W(target))) << name << " links to " << target;
        }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    EXPECT_GT(pages, kHelpTopicCount);
}

TEST(HelpPages, TheIndexLeadsToEveryTopic) {
    const std::string index = files::ReadAll(HelpFolder() + kHelpIndexFile);
    ASSERT_FALSE(index.empty());
    for (int i = 0; i < kHelpTopicCount; ++i)
        EXPECT_NE(std::string::npos, index.find("href=\"" + text::U8(kHelpTopics[i].file) + "\""))
            << text::U8(kHelpTopics[i].file);
}
