// The wizard's text page on generated definitions in every form: it shows
// each menu's texts as GetPrivateProfileStringW reads them (at 128
// characters, without half a letter the buffer cut), and going through
// every menu without changing anything leaves the file exactly as the same
// texts written key by key through WritePrivateProfileStringW would, by the
// programs' rule for writes (oracle::UpdateKey).
//
//   TLK_WIZARD_FILES  files (default 4, one per form)
#include "support/profile_gen.h"
#include "support/profile_oracle.h"
#include "wizard_session.h"
#include <cstdio>

namespace {

const int kMenuCombo = 1031, kLine1 = 5043, kHeading1 = 5055;

int BoxOf(int k) { return k < def::kLines ? kLine1 + k : kHeading1 + (k - def::kLines); }

}  // namespace

TEST(WizardDefinitions, ShowsAndSavesMenusAsTheSystemDoes) {
    oracle::Files copies;
    const int files = oracle::RunSize("TLK_WIZARD_FILES", 4);
    for (int i = 0; i < files; ++i) {
        pgen::Random r(0x3124A000u + static_cast<uint32_t>(i));
        const pgen::Form form = pgen::kForms[i % 4];
        const bool hostile = r.Chance(50);
        const std::wstring text = pgen::Definition(r, form, hostile, false);
        SCOPED_TRACE("file " + std::to_string(i) + " (" + pgen::FormName(form) + "):\n" + pgen::Escape(text));

        ed::Session s;
        ASSERT_TRUE(s.Start()) << "the editor did not start";
        // The editor empties its folder at start: the definition comes after.
        const std::wstring work = text::W(s.Work("auto.tdf"));
        s.dir.Write("auto.tdf", pgen::Encode(text, form));
        wz::Wizard w(s);
        ASSERT_TRUE(w.Open());
        ASSERT_TRUE(w.GoTo(3));

        // The file as the text page read it (the pages before may have
        // written the background and the layout): what it shows, and the
        // copy the single-key writes go to.
        const std::string atStart = files::ReadAll(work);
        const std::wstring shownFrom = copies.Put(atStart), plain = copies.Put(atStart);
        const int count = ClampMenuCount(oracle::ReadInt(shownFrom, def::kGeneral, def::kMenuCount, 1));
        std::vector<std::vector<std::wstring>> shown(static_cast<size_t>(count) + 1,
                                                     std::vector<std::wstring>(def::kTexts));
        for (int m = 1; m <= count; ++m)
            for (int k = 0; k < def::kTexts; ++k)
                shown[m][k] = text::Whole(oracle::Kept(oracle::Read(shownFrom, MenuSection(def::kTextBase, m),
                                                                    std::to_wstring(k + 1).c_str(), L"", def::kTextBuffer),
                                                       def::kTextBuffer));

        // Menus 2..count, then back to menu 1: every menu is saved once.
        int current = 1;
        std::vector<int> visits;
        for (int m = 2; m <= count; ++m) visits.push_back(m);
        visits.push_back(1);
        for (int next : visits) {
            for (int k = 0; k < def::kTexts && current <= count; ++k)
                EXPECT_EQ(shown[current][k], drv::TextW(w.Item(BoxOf(k)))) << "menu " << current << " text " << k + 1;
            w.SelectComboEntry(w.Page(), kMenuCombo, next - 1);
            for (int k = 0; k < def::kTexts; ++k)
                oracle::UpdateKey(copies, plain, text::Whole(MenuSection(def::kTextBase, current)), std::to_wstring(k + 1),
                                  current <= count ? shown[current][k] : L"");
            int stored = oracle::ReadInt(plain, def::kGeneral, def::kMenuCount, 1);
            if (next > stored) oracle::UpdateKey(copies, plain, def::kGeneral, def::kMenuCount, std::to_wstring(next));
            current = next;
        }
        EXPECT_EQ(pgen::Escape(files::ReadAll(plain)), pgen::Escape(files::ReadAll(work)))
            << "the file after saving every menu unchanged, against the single-key writes";
        copies.Remove(shownFrom);
        copies.Remove(plain);
        ASSERT_TRUE(w.Cancel());
    }
}
