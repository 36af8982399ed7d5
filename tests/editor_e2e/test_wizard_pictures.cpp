// Any common picture as the background, on the real editor: Browse on the
// background page with photos of every kind, a transparent picture, a file
// that is no picture and a bitmap; the menu built from a photo; and the
// same from the command line with /picture.
#include "workspace/BackgroundLimit.h"
#include "resources/menu_ids.h"
#include "support/bmpwriter.h"
#include "wizard_session.h"
#include <cmath>

namespace {

const int kOwnRadio = 1003, kBrowse = 1041, kFrame = 1040;
const COLORREF kTopLeft = RGB(200, 40, 40), kTopRight = RGB(40, 160, 60), kBottomLeft = RGB(30, 60, 200);
const COLORREF kOpaque = RGB(20, 120, 220);
const pic::Size kPhoto{4000, 3000};

// A 24-bit bitmap as the editor writes it, top row first.
struct Picture {
    int w = 0, h = 0;
    std::vector<COLORREF> px;
    COLORREF At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

Picture Read24(const std::string& file) {
    Picture p;
    if (file.size() < 54 || file[0] != 'B' || file[28] != 24) return p;
    auto u32 = [&file](size_t at) {
        return uint32_t(uint8_t(file[at])) | uint32_t(uint8_t(file[at + 1])) << 8 |
               uint32_t(uint8_t(file[at + 2])) << 16 | uint32_t(uint8_t(file[at + 3])) << 24;
    };
    const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22));
    const size_t stride = (size_t(w) * 3 + 3) / 4 * 4, offset = u32(10);
    if (w <= 0 || h <= 0 || file.size() < offset + stride * h) return p;
    p.w = w;
    p.h = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const char* q = &file[offset + stride * (h - 1 - y) + 3 * x];
            p.px.push_back(RGB(uint8_t(q[2]), uint8_t(q[1]), uint8_t(q[0])));
        }
    return p;
}

// Mean and spread of a region given in parts of the picture (0..1).
struct Stats {
    double r = 0, g = 0, b = 0, spread = 0;
};
template <typename Px>
Stats Region(const Px& p, int w, int h, double x0, double y0, double x1, double y1) {
    Stats s;
    std::vector<double> grey;
    for (int y = int(y0 * h); y < int(y1 * h); ++y)
        for (int x = int(x0 * w); x < int(x1 * w); ++x) {
            COLORREF c = p.At(x, y);
            s.r += GetRValue(c);
            s.g += GetGValue(c);
            s.b += GetBValue(c);
            grey.push_back((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3.0);
        }
    const double n = grey.empty() ? 1 : double(grey.size());
    s.r /= n, s.g /= n, s.b /= n;
    for (double v : grey) s.spread += (v - (s.r + s.g + s.b) / 3) * (v - (s.r + s.g + s.b) / 3);
    s.spread = std::sqrt(s.spread / n);
    return s;
}

// The three plain quarters, away from their edges, in their colours; the
// striped quarter grey and even.
void ExpectPhoto(const Picture& p, int tolerance, const char* what) {
    SCOPED_TRACE(what);
    const struct { double x, y; COLORREF c; } quarters[] = {{0, 0, kTopLeft}, {0.5, 0, kTopRight}, {0, 0.5, kBottomLeft}};
    for (const auto& q : quarters) {
        Stats s = Region(p, p.w, p.h, q.x + 0.1, q.y + 0.1, q.x + 0.4, q.y + 0.4);
        EXPECT_NEAR(GetRValue(q.c), s.r, tolerance);
        EXPECT_NEAR(GetGValue(q.c), s.g, tolerance);
        EXPECT_NEAR(GetBValue(q.c), s.b, tolerance);
    }
    Stats stripes = Region(p, p.w, p.h, 0.6, 0.6, 0.9, 0.9);
    EXPECT_NEAR(127.5, stripes.r, tolerance);
    EXPECT_LT(stripes.spread, 12) << "one-pixel columns left as stripes: the reduction dropped pixels";
}

class BackgroundPicture : public ::testing::Test {
protected:
    void SetUp() override {
        pictures = drv::Env("TLK_PICTURES");
        if (pictures.empty()) GTEST_SKIP() << "TLK_PICTURES not set";
        // The limit from the editor's own layouts, measured as the editor does.
        HMODULE editor = LoadLibraryExA(s.Work("tlkedit.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, editor);
        limit = LayoutsBox(editor, EDITOR_LAYOUT_BASE, 192);
        FreeLibrary(editor);
        ASSERT_GT(limit.w, 0);
    }
    std::string Picture(const char* name) const { return pictures + "\\" + name; }
    std::string Background() const { return files::ReadAll(s.Work("autorun.bmp")); }

    // Opens the wizard on the background page with the own picture chosen.
    void OpenOnBackgroundPage() {
        ASSERT_TRUE(s.Start());
        ASSERT_TRUE(w.Open());
        ASSERT_TRUE(w.Next());
        w.ClickItem(kOwnRadio);
    }

    // Browse with a file; true when the background changed within the time.
    bool Browse(const std::string& path) {
        const std::string before = Background();
        PostMessageA(w.Item(kBrowse), BM_CLICK, 0, 0);
        if (!s.ChooseFile(path)) {
            ADD_FAILURE() << "the open dialog did not take " << path;
            return false;
        }
        for (int i = 0; i < 300; ++i) {
            if (Background() != before) {
                drv::Settle(w.sheet, 400);   // the preview follows
                return true;
            }
            HWND box = s.WaitMessageBox(0);
            if (IsWindow(box)) {
                ADD_FAILURE() << "a message instead of the picture: " << ed::StaticTexts(box);
                return false;
            }
            Sleep(50);
        }
        ADD_FAILURE() << "the background did not change within 15 s";
        return false;
    }

    // The preview frame on the screen shows the photo's top-left quarter.
    void ExpectPreviewShowsPhoto() {
        HWND frame = w.Item(kFrame);
        RECT inside;
        GetClientRect(frame, &inside);
        InflateRect(&inside, -3, -3);
        drv::ScreenGrab grab(frame, inside);
        Stats s = Region(grab, grab.Width(), grab.Height(), 0.1, 0.1, 0.4, 0.4);
        EXPECT_NEAR(GetRValue(kTopLeft), s.r, 12);
        EXPECT_NEAR(GetGValue(kTopLeft), s.g, 12);
        EXPECT_NEAR(GetBValue(kTopLeft), s.b, 12);
    }

    ed::Session s;
    wz::Wizard w{s};
    std::string pictures;
    pic::Size limit;
};

}  // namespace

TEST_F(BackgroundPicture, PhotosOfEveryKindAreReducedIntoTheLimitAndPreviewed) {
    const pic::Size want = pic::ReducedSize(kPhoto, limit);
    EXPECT_TRUE(want.w == limit.w || want.h == limit.h) << "as large as the limit lets it be";
    ASSERT_NO_FATAL_FAILURE(OpenOnBackgroundPage());
    const struct { const char* file; int tolerance; } kinds[] = {{"photo.png", 2}, {"photo.jpg", 6}, {"photo.gif", 2}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.file);
        ASSERT_TRUE(Browse(Picture(k.file)));
        const ::Picture p = Read24(Background());
        EXPECT_EQ(want.w, p.w);
        EXPECT_EQ(want.h, p.h);
        ExpectPhoto(p, k.tolerance, k.file);
        ExpectPreviewShowsPhoto();
    }
    EXPECT_EQ("(missing)", wz::Key(s, "100", "400")) << "the choice is written when the page is left";
    ASSERT_TRUE(w.Next());
    EXPECT_EQ("99", wz::Key(s, "100", "400"));
    ASSERT_TRUE(w.Cancel());
}

TEST_F(BackgroundPicture, ClearPartsTurnWhiteAFileThatIsNoPictureChangesNothingABitmapIsCopied) {
    ASSERT_NO_FATAL_FAILURE(OpenOnBackgroundPage());
    ASSERT_TRUE(Browse(Picture("clear.png")));
    const ::Picture p = Read24(Background());
    ASSERT_EQ(400, p.w) << "smaller than the limit: as large as it is";
    ASSERT_EQ(300, p.h);
    int white = 0, opaque = 0;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) (x < 200 ? white : opaque) += p.At(x, y) == (x < 200 ? RGB(255, 255, 255) : kOpaque);
    EXPECT_EQ(200 * 300, white);
    EXPECT_EQ(200 * 300, opaque);
    ASSERT_TRUE(w.Next());
    ASSERT_TRUE(w.Back());
    ASSERT_EQ("99", wz::Key(s, "100", "400"));

    // A text file named .png: a message, and the background and the choice stay.
    TempDir own("own");
    own.Write("notes.png", "These are notes, not a picture.\r\n");
    wz::SetKey(s, "100", "400", "7");
    const std::string before = Background(), definition = files::ReadAll(s.Work("auto.tdf"));
    w.ClickItem(kOwnRadio);
    PostMessageA(w.Item(kBrowse), BM_CLICK, 0, 0);
    ASSERT_TRUE(s.ChooseFile(own.File("notes.png")));
    EXPECT_EQ(own.File("notes.png") + "\n\nThis file is not a picture that can be read, or it is damaged. Please "
              "choose a bitmap (.bmp), JPEG, PNG, GIF or TIFF picture.", s.Answer(IDOK));
    EXPECT_EQ(before, Background());
    EXPECT_EQ(definition, files::ReadAll(s.Work("auto.tdf")));

    // A bitmap, even one far larger than the limit, goes in byte for byte.
    const bmpw::Bytes bmp = bmpw::Build(bmpw::ValidRecipe(limit.w + 300, 40, 24));
    ASSERT_TRUE(bmpw::WriteFile(own.File("wide.bmp"), bmp));
    ASSERT_TRUE(Browse(own.File("wide.bmp")));
    EXPECT_EQ(std::string(bmp.begin(), bmp.end()), Background());
    ASSERT_TRUE(w.Cancel());
}

TEST_F(BackgroundPicture, TheMenuBuiltFromAJpegShowsThePhoto) {
    ASSERT_NO_FATAL_FAILURE(OpenOnBackgroundPage());
    ASSERT_TRUE(Browse(Picture("photo.jpg")));
    ASSERT_TRUE(w.GoTo(5));
    ASSERT_TRUE(w.Finish());
    TempDir disc{"disc"};
    s.Click(2003);
    HWND build = drv::WaitWindow(s.proc.Id(), 10000, "#32770", "Build Information");
    ASSERT_NE(nullptr, build);
    SendDlgItemMessageA(build, 1067, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(disc.Path().c_str()));
    PostMessageA(build, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ("Build Complete", s.Answer(IDOK));

    drv::Process player;
    ASSERT_TRUE(player.Start(disc.File("autorun.exe"), "", s.dist));
    HWND menu = drv::WaitWindow(player.Id(), 15000);
    ASSERT_NE(nullptr, menu);
    drv::Settle(menu, 500);
    RECT client;
    GetClientRect(menu, &client);
    drv::ScreenGrab grab(menu, client);
    // The quarters away from the menu's lines, which lie in the middle.
    const struct { double x, y; COLORREF c; } quarters[] = {
        {0.03, 0.25, kTopLeft}, {0.8, 0.25, kTopRight}, {0.03, 0.7, kBottomLeft}};
    for (const auto& q : quarters) {
        Stats st = Region(grab, grab.Width(), grab.Height(), q.x, q.y, q.x + 0.15, q.y + 0.15);
        EXPECT_NEAR(GetRValue(q.c), st.r, 12) << q.x << "," << q.y;
        EXPECT_NEAR(GetGValue(q.c), st.g, 12) << q.x << "," << q.y;
        EXPECT_NEAR(GetBValue(q.c), st.b, 12) << q.x << "," << q.y;
    }
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_TRUE(player.WaitExit(10000));
}

TEST_F(BackgroundPicture, PictureSwitchPutsAPictureIntoASavedSet) {
    TempDir sets("sets"), scratch("cmd");
    const std::string definition = "[100]\r\n200=Set\r\n400=3\r\n";
    sets.Write("fair.tdf", definition);
    sets.Write("fair~autorun.bmp", "the old background");
    sets.Write("fair~intro.wav", "RIFF intro");
    const std::string set = sets.File("fair.tdf");

    ed::Ran r = ed::RunEditor(s, "/picture \"" + Picture("photo.gif") + "\" \"" + set + "\"", scratch);
    EXPECT_EQ(0u, r.code) << r.err;
    const ::Picture p = Read24(files::ReadAll(sets.File("fair~autorun.bmp")));
    const pic::Size want = pic::ReducedSize(kPhoto, limit);
    EXPECT_EQ(want.w, p.w);
    EXPECT_EQ(want.h, p.h);
    ExpectPhoto(p, 2, "photo.gif");
    char value[16] = "";
    GetPrivateProfileStringA("100", "400", "", value, sizeof value, set.c_str());
    EXPECT_STREQ("99", value);
    EXPECT_EQ("RIFF intro", sets.Read("fair~intro.wav"));

    // A failure leaves every file of the set as it was.
    const std::string background = sets.Read("fair~autorun.bmp"), tdf = sets.Read("fair.tdf");
    scratch.Write("notes.jpg", "not a picture");
    for (const std::string& picture : {scratch.File("notes.jpg"), scratch.File("missing.png")}) {
        r = ed::RunEditor(s, "/picture \"" + picture + "\" \"" + set + "\"", scratch);
        EXPECT_EQ(1u, r.code) << picture;
        EXPECT_NE(std::string::npos, r.err.find(picture)) << r.err;
        EXPECT_EQ(background, sets.Read("fair~autorun.bmp"));
        EXPECT_EQ(tdf, sets.Read("fair.tdf"));
    }
    r = ed::RunEditor(s, "/picture \"" + Picture("photo.png") + "\" \"" + sets.File("other.tdf") + "\"", scratch);
    EXPECT_EQ(1u, r.code) << "no such set";
    EXPECT_FALSE(ed::Exists(sets.File("other~autorun.bmp")));

    for (const char* bad : {"/picture", "/picture photo.png", "/picture a.png b.tdf c"}) {
        r = ed::RunEditor(s, bad, scratch);
        EXPECT_EQ(2u, r.code) << bad;
        EXPECT_EQ(0u, r.err.find("usage:")) << bad;
    }
    EXPECT_EQ(background, sets.Read("fair~autorun.bmp"));
}
