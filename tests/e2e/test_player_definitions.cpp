// The real player on generated definitions in every form, with and without
// a byte-order mark: the title and the texts of menu 1 it shows are what
// GetPrivateProfileStringW reads from the same file, the title at 80
// characters and the texts at 128 (without half a letter a buffer cut).
//
//   TLK_PLAYER_FILES  files (default 12; the long run takes 400)
#include "player_fixture.h"
#include "support/profile_gen.h"
#include "support/profile_oracle.h"
#include <cstdio>

using namespace e2e;

TEST(PlayerDefinitions, ShowsWhatTheSystemReads) {
    const std::string dist = drv::Env("TLK_DIST");
    ASSERT_FALSE(dist.empty()) << "TLK_DIST names the installation folder";
    TempDir disc("players");
    ASSERT_TRUE(drv::CopyInto(dist + "\\autorun.exe", disc.File("autorun.exe")));
    oracle::Files copies;
    const int files = oracle::RunSize("TLK_PLAYER_FILES", 12);
    int differences = 0, marked = 0;
    const DWORD start = GetTickCount();
    for (int i = 0; i < files && differences < 3; ++i) {
        pgen::Random r(0xD15C0000u + static_cast<uint32_t>(i));
        const pgen::Form form = pgen::kForms[i % 4];
        const bool hostile = r.Chance(50);
        const std::wstring text = pgen::Definition(r, form, hostile, true);
        const std::string bytes = pgen::Encode(text, form);
        marked += form != pgen::Form::Ansi;
        disc.Write("auto.tdf", bytes);

        // The system reads a copy under a name of its own.
        const std::wstring copy = copies.Put(bytes);
        const std::wstring title = text::Whole(
            oracle::Kept(oracle::Read(copy, def::kGeneral, def::kTitle, L"", def::kShortBuffer), def::kShortBuffer));
        bool menus = ClampMenuCount(oracle::ReadInt(copy, def::kGeneral, def::kMenuCount, 1)) > 0;
        std::wstring texts[def::kTexts];
        for (int k = 1; k <= def::kTexts && menus; ++k)
            texts[k - 1] = text::Whole(oracle::Kept(
                oracle::Read(copy, L"15001", std::to_wstring(k).c_str(), L"", def::kTextBuffer), def::kTextBuffer));
        copies.Remove(copy);

        drv::Process player;
        ASSERT_TRUE(player.Start(disc.File("autorun.exe"), "", dist));
        HWND window = drv::WaitWindow(player.Id(), 15000);
        std::string difference;
        if (!window) {
            difference = "no menu window";
        } else {
            const std::wstring caption = drv::TextW(window);
            if (title != caption) difference = "title \"" + pgen::Escape(caption) + "\", the system reads \"" +
                                               pgen::Escape(title) + "\"";
            for (int k = 0; k < def::kTexts && difference.empty(); ++k) {
                int id = k < 12 ? kLineIds[k] : (k == 12 ? kHeading1 : kHeading2);
                std::wstring shown = drv::ItemTextW(window, id);
                if (shown != texts[k])
                    difference = "text " + std::to_string(k + 1) + " \"" + pgen::Escape(shown) + "\", the system reads \"" +
                                 pgen::Escape(texts[k]) + "\"";
            }
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        EXPECT_TRUE(player.WaitExit(10000));
        if (difference.empty()) continue;
        ++differences;
        ADD_FAILURE() << "file " << i << " (" << pgen::FormName(form) << (hostile ? ", hostile" : ", tidy")
                      << "): the player shows " << difference << "\nThe file:\n" << pgen::Escape(text);
    }
    std::printf("player: %d files (%d with a byte-order mark), %d differences, %.1f s\n", files, marked, differences,
                (GetTickCount() - start) / 1000.0);
}
