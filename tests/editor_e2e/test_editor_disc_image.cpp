// The disc image and the command line of the real editor: the Make Disc
// Image dialog with its findings, progress and Cancel, and /check, /image
// and /build run without a window.
#include "editor_session.h"
#include "support/bmpwriter.h"
#include <commctrl.h>
#include <map>
#include <vector>

namespace {

const UINT kMakeImageCommand = 32777;
const UINT kOpenCommand = 57601;
const int kBuildButton = 2003;
const int kFolderEdit = 2100, kImageEdit = 2101, kLabelEdit = 2103, kFindings = 2104, kProgress = 2105,
          kStatus = 2106, kMake = 2107, kBurn = 2109, kNextStep = 2110;
const char kDialogTitle[] = "Make Disc Image";

using ed::Ran;
using ed::RunEditor;

// Every file under a folder with its content: "sub\name" -> bytes.
void Snapshot(const std::string& dir, const std::string& rel, std::map<std::string, std::string>& files) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + rel + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::string n = fd.cFileName;
        if (n == "." || n == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Snapshot(dir, rel + n + "\\", files);
        else files[rel + n] = ed::ReadAll(dir + rel + n);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

std::map<std::string, std::string> Snapshot(const std::string& dirWithSlash) {
    std::map<std::string, std::string> files;
    Snapshot(dirWithSlash, "", files);
    return files;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A file of the given size that takes no room (the gap reads as zeros).
void MakeLargeFile(const std::string& path, LONGLONG size) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = size;
    SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
}

std::string ListText(HWND list, int i) {
    LRESULT n = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    if (n <= 0) return std::string();
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&w[0]));
    std::string out;
    for (wchar_t c : w)
        if (c) out += static_cast<char>(c < 0x80 ? c : '?');
    return out;
}

std::vector<std::string> Findings(HWND dialog) {
    HWND list = GetDlgItem(dialog, kFindings);
    std::vector<std::string> lines;
    LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) lines.push_back(ListText(list, i));
    return lines;
}

class DiscImage : public ::testing::Test {
protected:
    void SetUp() override {
        // What the reset at start-up would delete: a command-line run must leave it.
        s.dir.Write("auto.tdf", "[100]\r\n200=Work in progress\r\n");
        s.dir.Write("mine.wav", "RIFF mine");
    }

    // The demo disc as a build leaves it (the player beside its files).
    std::string MakeDisc(const std::string& name = "disc") {
        std::string demo = drv::Env("TLK_DEMO");
        std::string folder = out.File(name);
        ed::CopyTree(demo, folder);
        drv::CopyInto(s.dist + "\\autorun.exe", folder + "\\autorun.exe");
        return folder;
    }

    HWND OpenDialog() {
        s.Command(kMakeImageCommand);
        HWND d = drv::WaitWindow(s.proc.Id(), 10000, "#32770", kDialogTitle);
        if (d) drv::Settle(d, 200);
        return d;
    }

    // Types a folder and waits for the findings to follow it (their first line).
    static std::vector<std::string> SetFolder(HWND dialog, const std::string& folder, const std::string& firstLine) {
        SendDlgItemMessageA(dialog, kFolderEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
        std::vector<std::string> lines;
        for (int i = 0; i < 100; ++i) {
            Sleep(50);
            lines = Findings(dialog);
            if (!lines.empty() && lines[0] == firstLine) break;
        }
        return lines;
    }

    ed::Session s;
    TempDir out{"image"};
};

}  // namespace

TEST_F(DiscImage, DialogShowsFindingsAndWritesTheImageWithAMovingBar) {
    ASSERT_NE(nullptr, s.Start());
    const std::string disc = MakeDisc();
    MakeLargeFile(disc + "\\movie.bin", 600LL << 20);   // so that the bar has time to move
    const auto work = Snapshot(s.dir.Path());
    HWND dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("c:\\buildvr\\", drv::ItemText(dialog, kFolderEdit)) << "no build in this run yet";
    EXPECT_EQ("c:\\buildvr.iso", drv::ItemText(dialog, kImageEdit));

    // A broken folder first, then the good one: the list follows the folder.
    const std::string broken = MakeDisc("broken");
    DeleteFileA((broken + "\\autorun.inf").c_str());
    const std::string missing = "Error: autorun.inf is missing: Windows will not start the menu from the disc";
    std::vector<std::string> lines = SetFolder(dialog, broken, missing);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(missing, lines[0]);
    EXPECT_EQ(broken + ".iso", drv::ItemText(dialog, kImageEdit)) << "the suggested image follows the folder";
    lines = SetFolder(dialog, disc, "No problems found: the menu is ready for the disc.");
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("No problems found: the menu is ready for the disc.", lines[0]);

    const std::string image = out.File("disc.iso");
    SendDlgItemMessageA(dialog, kImageEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(image.c_str()));
    SendDlgItemMessageA(dialog, kLabelEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Test Disc"));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kMake, BN_CLICKED), 0);

    // The bar moves between empty and full while the image grows.
    int between = 0;
    bool ready = false;
    for (int i = 0; i < 1200 && !ready; ++i) {
        DWORD_PTR pos = 0;
        SendMessageTimeoutA(GetDlgItem(dialog, kProgress), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 1000, &pos);
        if (pos > 0 && pos < 1000) ++between;
        ready = drv::ItemText(dialog, kStatus).rfind("The disc image is ready", 0) == 0;
        Sleep(20);
    }
    EXPECT_GT(between, 0) << "the bar never stood between empty and full";
    ASSERT_TRUE(ready);
    // The dialog stays with the next step: without Windows' burner (as
    // under Wine) no burn button, but how else to burn the image.
    EXPECT_EQ("The disc image is ready: " + image, drv::ItemText(dialog, kStatus));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kBurn)));
    EXPECT_EQ("To write the image onto a disc, open it with the burning program of your disc writer. Windows 7 "
              "and later burn it themselves: right-click the image and choose \"Burn disc image\".",
              drv::ItemText(dialog, kNextStep));
    EXPECT_EQ("Close", drv::ItemText(dialog, IDCANCEL));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(ed::Session::WaitGone(dialog));

    // The image: its primary descriptor names the label and the size.
    HANDLE h = CreateFileA(image.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    LARGE_INTEGER size;
    GetFileSizeEx(h, &size);
    std::vector<unsigned char> pvd(2048);
    LARGE_INTEGER at;
    at.QuadPart = 16 * 2048;
    SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
    DWORD got = 0;
    ReadFile(h, pvd.data(), 2048, &got, nullptr);
    CloseHandle(h);
    EXPECT_EQ("CD001", std::string(reinterpret_cast<char*>(&pvd[1]), 5));
    EXPECT_EQ("TEST_DISC", std::string(reinterpret_cast<char*>(&pvd[40]), 9));
    const DWORD sectors = pvd[80] | (pvd[81] << 8) | (pvd[82] << 16) | (static_cast<DWORD>(pvd[83]) << 24);
    EXPECT_EQ(size.QuadPart, static_cast<LONGLONG>(sectors) * 2048);
    EXPECT_GT(size.QuadPart, 600LL << 20);
    EXPECT_FALSE(ed::Exists(image + ".part"));
    EXPECT_EQ(work, Snapshot(s.dir.Path())) << "making an image leaves the work directory alone";
}

// Run in a Wine prefix of its own whose system folder holds a stand-in for
// Windows' disc image burner (TLK_BURNER names it).
TEST_F(DiscImage, BurnToDiscStartsWindowsBurnerWithTheImageAndLeavesTheImage) {
    if (drv::Env("TLK_BURNER").empty()) GTEST_SKIP() << "no stand-in burner in this prefix";
    ASSERT_NE(nullptr, s.Start());
    const std::string disc = MakeDisc();
    HWND dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    SetFolder(dialog, disc, "No problems found: the menu is ready for the disc.");
    const std::string image = out.File("to burn.iso");
    SendDlgItemMessageA(dialog, kImageEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(image.c_str()));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kBurn))) << "nothing to burn yet";
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kMake, BN_CLICKED), 0);
    HWND burn = GetDlgItem(dialog, kBurn);
    for (int i = 0; i < 600 && !IsWindowVisible(burn); ++i) Sleep(50);
    ASSERT_TRUE(IsWindowVisible(burn));
    EXPECT_EQ("Burn to Disc...", drv::Text(burn));
    EXPECT_EQ("Put a blank disc into the writer and press Burn to Disc... to write the image onto it.",
              drv::ItemText(dialog, kNextStep));
    const std::string written = ed::ReadAll(image);
    ASSERT_FALSE(written.empty());

    PostMessageA(burn, BM_CLICK, 0, 0);
    // The stand-in records its command line and folder in marker.txt there.
    auto lines = drv::WaitLines(out.File("marker.txt"), 1, 15000);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("\"" + image + "\"|" + out.Path().substr(0, out.Path().size() - 1), lines[0]);
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays for another image";
    EXPECT_EQ(written, ed::ReadAll(image)) << "the burner only reads the image";
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(ed::Session::WaitGone(dialog));
    EXPECT_EQ(written, ed::ReadAll(image));
}

TEST_F(DiscImage, CancelWhileWritingLeavesNoFileAndErrorsAskFirst) {
    ASSERT_NE(nullptr, s.Start());
    const std::string disc = MakeDisc();
    MakeLargeFile(disc + "\\huge.bin", 6LL << 30);
    DeleteFileA((disc + "\\autorun.inf").c_str());
    HWND dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    SetFolder(dialog, disc, "Error: autorun.inf is missing: Windows will not start the menu from the disc");
    const std::string image = out.File("disc.iso");
    SendDlgItemMessageA(dialog, kImageEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(image.c_str()));

    // With errors the editor asks; No writes nothing.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kMake, BN_CLICKED), 0);
    EXPECT_EQ("The disc folder has errors: the menu on the disc would not work as designed.\n\n"
              "Make the disc image anyway?",
              s.Answer(IDNO));
    Sleep(300);
    EXPECT_FALSE(ed::Exists(image));
    EXPECT_FALSE(ed::Exists(image + ".part"));

    // Yes starts it; Cancel in the middle stops it and removes the part written.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kMake, BN_CLICKED), 0);
    s.Answer(IDYES);
    bool started = false;
    for (int i = 0; i < 400 && !started; ++i) {
        DWORD_PTR pos = 0;
        SendMessageTimeoutA(GetDlgItem(dialog, kProgress), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 1000, &pos);
        started = pos > 0;
        if (!started) Sleep(25);
    }
    ASSERT_TRUE(started);
    EXPECT_TRUE(ed::Exists(image + ".part")) << "the image grows under a temporary name";
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    std::string status;
    for (int i = 0; i < 200 && status.rfind("Cancelled", 0) != 0; ++i) {
        Sleep(50);
        status = drv::ItemText(dialog, kStatus);
    }
    EXPECT_EQ("Cancelled: no image was written.", status);
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open after a cancel";
    EXPECT_FALSE(ed::Exists(image));
    EXPECT_FALSE(ed::Exists(image + ".part"));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(ed::Session::WaitGone(dialog));
}

TEST_F(DiscImage, ThePresetFolderIsTheLastBuild) {
    ASSERT_NE(nullptr, s.Start());
    const std::string target = out.File("built");
    s.Click(kBuildButton);
    HWND build = drv::WaitWindow(s.proc.Id(), 10000, "#32770", "Build Information");
    ASSERT_NE(nullptr, build);
    SendDlgItemMessageA(build, 1067, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    PostMessageA(build, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ("Build Complete", s.Answer(IDOK));
    HWND dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(target + "\\", drv::ItemText(dialog, kFolderEdit));
    EXPECT_EQ(target + ".iso", drv::ItemText(dialog, kImageEdit));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(ed::Session::WaitGone(dialog));
}

TEST_F(DiscImage, CheckAndImageFromTheCommandLine) {
    TempDir scratch("cmd");
    const std::string disc = MakeDisc();
    const auto work = Snapshot(s.dir.Path());

    Ran r = RunEditor(s, "/check \"" + disc + "\"", scratch);
    EXPECT_EQ(0u, r.code);
    EXPECT_EQ("", r.out);

    DeleteFileA((disc + "\\autorun.inf").c_str());
    DeleteFileA((disc + "\\autorun.bmp").c_str());
    r = RunEditor(s, "/check \"" + disc + "\"", scratch);
    EXPECT_EQ(1u, r.code);
    EXPECT_EQ((std::vector<std::string>{"error: autorun.inf is missing: Windows will not start the menu from the disc",
                                        "warning: autorun.bmp is missing: the menu shows no background"}),
              Lines(r.out));

    // Errors are printed and do not stop the image. A name with ANSI
    // letters reaches the Joliet tree in UCS-2 (big-endian).
    ASSERT_TRUE(drv::CopyInto(disc + "\\readme.txt", disc + "\\caf\xe9 \x80.txt"));
    const std::string image = out.File("cmd.iso");
    r = RunEditor(s, "/image \"" + disc + "\" \"" + image + "\" /label \"Cmd Disc\"", scratch);
    EXPECT_EQ(0u, r.code) << r.err;
    EXPECT_NE(std::string::npos, r.out.find("error: autorun.inf is missing")) << r.out;
    EXPECT_TRUE(ed::Exists(image));
    std::string head = ed::ReadAll(image).substr(16 * 2048, 2048);
    EXPECT_EQ("CMD_DISC ", head.substr(40, 9));
    const std::string joliet("\0c\0a\0f\0\xe9\0 \x20\xac\0.\0t\0x\0t", 20);   // the euro sign is U+20AC
    EXPECT_NE(std::string::npos, ed::ReadAll(image).find(joliet)) << "caf\xe9 \x80.txt in UCS-2";

    r = RunEditor(s, "/image \"" + out.File("nothing here") + "\" \"" + out.File("none.iso") + "\"", scratch);
    EXPECT_EQ(1u, r.code);
    EXPECT_NE(std::string::npos, r.err.find("could not be written")) << r.err;
    EXPECT_FALSE(ed::Exists(out.File("none.iso")));

    for (const char* bad : {"/image only-one", "/check", "/build a.tdf", "/image a b /label"}) {
        r = RunEditor(s, bad, scratch);
        EXPECT_EQ(2u, r.code) << bad;
        EXPECT_EQ(0u, r.err.find("usage:")) << bad;
    }
    EXPECT_EQ(work, Snapshot(s.dir.Path())) << "command-line runs leave the work directory alone";
}

TEST_F(DiscImage, BuildFromTheCommandLineEqualsStepThree) {
    TempDir sets("sets");
    const std::string definition = "[100]\r\n200=Set\r\n600=intro.wav\r\n800=click.wav\r\n900=gone.wav\r\n"
                                   "[15001]\r\n1=Read\r\n[17001]\r\n1=readme.txt\r\n";
    sets.Write("fair.tdf", definition);
    bmpw::Bytes bmp = bmpw::SolidPicture(4, 4, bmpw::Rgb{9, 8, 7});
    sets.Write("fair~autorun.bmp", std::string(bmp.begin(), bmp.end()));
    sets.Write("fair~intro.wav", "RIFF intro");
    sets.Write("fair~click.wav", "RIFF click");
    sets.Write("other~intro.wav", "RIFF of another set");
    const auto work = Snapshot(s.dir.Path());

    TempDir scratch("cmd");
    const std::string byCommand = out.File("by command");
    Ran r = RunEditor(s, "/build \"" + sets.File("fair.tdf") + "\" \"" + byCommand + "\"", scratch);
    EXPECT_EQ(0u, r.code) << r.err;
    EXPECT_EQ(work, Snapshot(s.dir.Path()));

    // The same set opened and built with Step 3.
    ASSERT_NE(nullptr, s.Start());
    s.Command(kOpenCommand);
    ASSERT_TRUE(s.ChooseFile(sets.File("fair.tdf")));
    for (int i = 0; i < 100 && s.dir.Read("auto.tdf") != definition; ++i) Sleep(50);
    drv::Settle(s.main, 200);
    const std::string byStep = out.File("by step");
    s.Click(kBuildButton);
    HWND build = drv::WaitWindow(s.proc.Id(), 10000, "#32770", "Build Information");
    ASSERT_NE(nullptr, build);
    SendDlgItemMessageA(build, 1067, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(byStep.c_str()));
    PostMessageA(build, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ("Build Complete", s.Answer(IDOK));

    const auto a = Snapshot(byCommand + "\\"), b = Snapshot(byStep + "\\");
    EXPECT_EQ(b, a);
    EXPECT_EQ(6u, a.size());     // four disc files and the two sounds the set has
    EXPECT_EQ(definition, a.count("auto.tdf") ? a.at("auto.tdf") : "");

    // A set named from its own folder is that folder's, not one in the
    // Windows folder where the profile functions would look.
    r = RunEditor(s, "/build fair.tdf \"" + out.File("relative") + "\"", scratch, sets.Path());
    EXPECT_EQ(0u, r.code) << r.err;
    EXPECT_EQ(a, Snapshot(out.File("relative") + "\\"));

    r = RunEditor(s, "/build \"" + sets.File("missing.tdf") + "\" \"" + out.File("x") + "\"", scratch);
    EXPECT_EQ(1u, r.code);
}
