// The real editor's wizard: the sheet, its page order and buttons, and the
// background and layout pages with what they write and when.
#include "support/bmpwriter.h"
#include "wizard_session.h"
#include <map>

namespace {

const int kStockRadio = 1002, kOwnRadio = 1003, kBgList = 1000, kBrowse = 1041, kFrame = 1040;
const int kTplList = 1007, kDescription = 1082;
const int kExitButton = 1097;

using Snapshot = std::map<std::string, std::string>;

// The mean colour of a set of pixels: what a stretched picture keeps.
struct Mean {
    double r = 0, g = 0, b = 0;
};
template <typename Px>
Mean MeanOf(const Px& pixels, int w, int h) {
    Mean m;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = pixels.At(x, y);
            m.r += GetRValue(c);
            m.g += GetGValue(c);
            m.b += GetBValue(c);
        }
    double n = double(w) * h;
    if (n > 0) { m.r /= n; m.g /= n; m.b /= n; }
    return m;
}

Snapshot FilesOf(const std::string& dirWithSlash) {
    Snapshot out;
    for (const std::string& name : files::Names(dirWithSlash)) out[name] = files::ReadAll(dirWithSlash + name);
    return out;
}

class WizardSheet : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(s.Start()) << "the editor did not start";
    }
    std::string Stock(const char* file) const { return files::ReadAll(s.Work("BMPS\\") + file); }
    std::string Background() const { return files::ReadAll(s.Work("autorun.bmp")); }

    ed::Session s;
    wz::Wizard w{s};
};

TEST_F(WizardSheet, OwnedByTheDisabledMainWindowWhichComesBackAfterCancelAndFinish) {
    ASSERT_TRUE(w.Open());
    EXPECT_EQ(s.main, GetWindow(w.sheet, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(s.main));
    ASSERT_TRUE(w.Cancel());
    drv::Settle(s.main);
    EXPECT_TRUE(IsWindowEnabled(s.main));

    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.GoTo(5));
    ASSERT_TRUE(w.Finish());
    drv::Settle(s.main);
    EXPECT_TRUE(IsWindowEnabled(s.main));
}

TEST_F(WizardSheet, PagesInOrderWithTheirHeadingsAndButtons) {
    ASSERT_TRUE(w.Open());
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(i, w.PageIndex());
        EXPECT_EQ(wz::kPages[i].caption, drv::Text(w.sheet)) << i;
        EXPECT_EQ(i > 0, w.ButtonShown(wz::kBack)) << i;
        EXPECT_EQ(i < 5, w.ButtonShown(wz::kNext)) << i;
        EXPECT_EQ(i == 5, w.ButtonShown(wz::kFinish)) << i;
        if (i < 5) { ASSERT_TRUE(w.Next()) << i; }
    }
    // Each page sets its own buttons, also when it is entered from behind.
    for (int i = 4; i >= 0; --i) {
        ASSERT_TRUE(w.Back()) << i;
        EXPECT_EQ(i, w.PageIndex());
        EXPECT_EQ(i > 0, w.ButtonShown(wz::kBack)) << i;
        EXPECT_TRUE(w.ButtonShown(wz::kNext)) << i;
        EXPECT_FALSE(w.ButtonShown(wz::kFinish)) << i;
    }
    ASSERT_TRUE(w.Cancel());
}

TEST_F(WizardSheet, CancelOnTheIntroductionLeavesEveryFileAsItWas) {
    Snapshot before = FilesOf(s.Work(""));
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Cancel());
    EXPECT_EQ(before, FilesOf(s.Work("")));
}

TEST_F(WizardSheet, NewDefinitionTakesBlueGradientWhenLeftAndThenAsksToSave) {
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Next());
    EXPECT_TRUE(w.Checked(kStockRadio));
    EXPECT_FALSE(w.Checked(kOwnRadio));
    EXPECT_EQ(0, w.ListSelection(kBgList));
    EXPECT_EQ("Blue Gradient", wz::EntryText(w.Item(kBgList), 0));
    EXPECT_EQ("(missing)", wz::Key(s, "100", "400"));
    ASSERT_TRUE(w.Next());
    EXPECT_EQ("0", wz::Key(s, "100", "400"));
    EXPECT_EQ(Stock("bluegrad.bmp"), Background());
    // The layout page writes nothing until it is changed or left.
    EXPECT_EQ("(missing)", wz::Key(s, "100", "500"));
    EXPECT_EQ(0, w.ListSelection(kTplList));
    EXPECT_EQ("5 lines of centered, wrapped text. Best for menus with long lines of selection text.",
              drv::Text(w.Item(kDescription)));
    ASSERT_TRUE(w.Cancel());

    s.Click(kExitButton);
    EXPECT_EQ("Do you want to save the current definition before exiting?", s.Answer(IDNO));
    EXPECT_TRUE(s.Ended());
}

TEST_F(WizardSheet, IridescentPatternPreviewsAndCopiesShiny) {
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Next());
    w.SelectListEntry(kBgList, 8);
    EXPECT_EQ("Iridescent Pattern", wz::EntryText(w.Item(kBgList), 8));
    drv::Settle(w.sheet, 300);
    // The frame shows that picture: its mean colour is the picture's.
    files::Pixels shiny = files::TakePixels(static_cast<HBITMAP>(
        LoadImageA(nullptr, s.Work("BMPS\\shiny.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    ASSERT_GT(shiny.w, 0);
    RECT inside;
    GetClientRect(w.Item(kFrame), &inside);
    InflateRect(&inside, -2, -2);
    drv::ScreenGrab grab(w.Item(kFrame), inside);
    Mean want = MeanOf(shiny, shiny.w, shiny.h), got = MeanOf(grab, grab.Width(), grab.Height());
    EXPECT_NEAR(want.r, got.r, 8);
    EXPECT_NEAR(want.g, got.g, 8);
    EXPECT_NEAR(want.b, got.b, 8);
    ASSERT_TRUE(w.Next());
    EXPECT_EQ("8", wz::Key(s, "100", "400"));
    EXPECT_EQ(Stock("shiny.bmp"), Background());
    ASSERT_TRUE(w.Cancel());
}

TEST_F(WizardSheet, OwnBitmapStoredShowsBrowseAndCancelKeepsTheBrowsedCopyOnly) {
    wz::SetKey(s, "100", "400", "99");
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Next());
    EXPECT_TRUE(w.Checked(kOwnRadio));
    EXPECT_FALSE(w.Checked(kStockRadio));
    EXPECT_FALSE(IsWindowEnabled(w.Item(kBgList)));
    EXPECT_TRUE(IsWindowEnabled(w.Item(kBrowse)));
    EXPECT_EQ(-1, w.ListSelection(kBgList));
    ASSERT_TRUE(w.Cancel());

    // With a stock picture stored, Browse copies at once; Cancel keeps the
    // copy while the stored choice stays.
    wz::SetKey(s, "100", "400", "3");
    const COLORREF red = RGB(200, 30, 60);
    std::string own = s.Work("..\\mine.bmp");
    ASSERT_TRUE(bmpw::WriteFile(own, bmpw::SolidPicture(64, 48, bmpw::Rgb{200, 30, 60})));
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Next());
    EXPECT_EQ(3, w.ListSelection(kBgList));
    w.ClickItem(kOwnRadio);
    PostMessageA(w.Item(kBrowse), BM_CLICK, 0, 0);
    ASSERT_TRUE(s.ChooseFile(own));
    drv::Settle(w.sheet, 400);
    EXPECT_EQ(files::ReadAll(own), Background());

    // The preview frame shows the picture, stretched over its inside.
    HWND frame = w.Item(kFrame);
    RECT inside;
    GetClientRect(frame, &inside);
    InflateRect(&inside, -3, -3);
    drv::ScreenGrab grab(frame, inside);
    EXPECT_GT(grab.Count(red, 8), grab.Width() * grab.Height() * 9 / 10);

    ASSERT_TRUE(w.Cancel());
    EXPECT_EQ("3", wz::Key(s, "100", "400"));
    EXPECT_EQ(files::ReadAll(own), Background());
}

TEST_F(WizardSheet, LayoutChoiceIsWrittenAtOnceAndByBackAndSurvivesCancel) {
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.GoTo(2));
    w.SelectListEntry(kTplList, 9);
    EXPECT_EQ("9", wz::Key(s, "100", "500"));
    EXPECT_EQ("10 lines of left justified text.", drv::Text(w.Item(kDescription)));
    w.SelectListEntry(kTplList, 4);
    EXPECT_EQ("5 lines of right justified text.", drv::Text(w.Item(kDescription)));
    w.SelectListEntry(kTplList, 5);
    EXPECT_EQ("5 lines of right justified text", drv::Text(w.Item(kDescription)));
    EXPECT_EQ(wz::EntryText(w.Item(kTplList), 4), wz::EntryText(w.Item(kTplList), 5));
    // Back writes the selection as Next does.
    wz::SetKey(s, "100", "500", "2");
    ASSERT_TRUE(w.Back());
    EXPECT_EQ("5", wz::Key(s, "100", "500"));
    ASSERT_TRUE(w.Next());
    w.SelectListEntry(kTplList, 6);
    ASSERT_TRUE(w.Cancel());
    EXPECT_EQ("6", wz::Key(s, "100", "500"));
}

TEST_F(WizardSheet, ASecondRunShowsWhatTheFirstSaved) {
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Next());
    w.SelectListEntry(kBgList, 4);
    ASSERT_TRUE(w.Next());
    w.SelectListEntry(kTplList, 7);
    ASSERT_TRUE(w.GoTo(5));
    ASSERT_TRUE(w.Finish());
    EXPECT_EQ(Stock("rainbow.bmp"), Background());

    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Next());
    EXPECT_EQ(4, w.ListSelection(kBgList));
    ASSERT_TRUE(w.Next());
    EXPECT_EQ(7, w.ListSelection(kTplList));
    ASSERT_TRUE(w.Cancel());
}

TEST_F(WizardSheet, AStoredLayoutOutsideTheTableSelectsNothingAndIsKept) {
    wz::SetKey(s, "100", "500", "-1");
    wz::SetKey(s, "100", "400", "42");
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Next());
    EXPECT_TRUE(w.Checked(kStockRadio));
    EXPECT_EQ(-1, w.ListSelection(kBgList));
    std::string before = Background();
    ASSERT_TRUE(w.Next());
    EXPECT_EQ("42", wz::Key(s, "100", "400"));
    EXPECT_EQ(before, Background());
    EXPECT_EQ(-1, w.ListSelection(kTplList));
    EXPECT_EQ("", drv::Text(w.Item(kDescription)));
    ASSERT_TRUE(w.Next());
    EXPECT_EQ("-1", wz::Key(s, "100", "500"));
    ASSERT_TRUE(w.Cancel());
}

}  // namespace
