// Every reader of a definition against the system's profile functions, on
// generated files in every form: the player's reading, the wizard's
// snapshot and the menu listing must give what GetPrivateProfileStringW and
// GetPrivateProfileIntW give, key by key, with the programs' own section and
// key names and buffer sizes; the snapshot also for names, fallbacks and
// buffer sizes of any kind. Where a buffer cuts a surrogate pair, the
// programs keep the text without its first half (oracle::Kept).
#include "differential.h"
#include "editor/MenuListing.h"
#include <memory>

namespace {

using oracle::Show;

// Names, fallbacks and buffer sizes around the rules: blanks, Ctrl-Z, the
// empty name, a padded number, quotes in the fallback, the buffer's edges,
// fallbacks beyond ASCII (one ends in a pair that a small buffer cuts).
const wchar_t* const kSections[] = {L"100", L" 100 ", L"100\x1a", L"15001", L"\t15001", L"15002", L"17001", L"1000",
                                    L"",    L"x",     L"1500",    L"15001 x"};
const wchar_t* const kKeys[] = {L"200", L"300", L" 1 ", L"1", L"7", L"01", L"", L"13", L"14", L"1200", L"x", L";1", L"\t2\t"};
const wchar_t* const kFallbacks[] = {L"",     L"dflt", L" \"q\"  ", L"\tx\t", L"\"ab\"", L"'", L"  lead", L"x  ", L"\"\"",
                                     L"\"a b\" ", L"caf\xE9", L"\"\x4E2D\"", L"a\xD83D\xDE00"};
const int kSizes[] = {1, 2, 3, 5, 30, 79, 80, 81, 127, 128, 129, 1100};
const int kIntFallbacks[] = {0, 1, -7, 255};

std::string SnapshotQueries(const std::wstring& path, const CDefinitionSnapshot& snapshot, uint32_t seed) {
    pgen::Random r(seed);
    for (int q = 0; q < 6; ++q) {
        const wchar_t* section = r.Pick(kSections);
        const wchar_t* key = r.Pick(kKeys);
        const wchar_t* fallback = r.Pick(kFallbacks);
        int size = r.Pick(kSizes);
        CString system = oracle::Kept(oracle::Read(path, section, key, fallback, size), size);
        CString ours = snapshot.ReadString(section, key, fallback, size);
        if (system != ours)
            return Show(("snapshot, [" + pgen::Escape(std::wstring(section)) + "] \"" + pgen::Escape(std::wstring(key)) +
                         "\" fallback \"" + pgen::Escape(std::wstring(fallback)) + "\" buffer " + std::to_string(size))
                            .c_str(),
                        system, ours);
    }
    for (int q = 0; q < 3; ++q) {
        const wchar_t* section = r.Pick(kSections);
        const wchar_t* key = r.Pick(kKeys);
        int fallback = r.Pick(kIntFallbacks);
        int system = oracle::ReadInt(path, section, key, fallback), ours = snapshot.ReadInt(section, key, fallback);
        if (system != ours)
            return "snapshot, number [" + pgen::Escape(std::wstring(section)) + "] \"" + pgen::Escape(std::wstring(key)) +
                   "\": the system " + std::to_string(system) + ", the program " + std::to_string(ours);
    }
    return "";
}

std::string CompareReads(const std::wstring& path, const std::wstring& text, uint32_t seed) {
    oracle::Definition system;
    oracle::ReadAll(path, system, 6, &text);
    const int count = system.settings.menuCount;
    CDefinitionFile file(path.c_str());

    // The player: everything it keeps.
    {
        MenuSettings settings;
        std::unique_ptr<MenuTables> tables(new MenuTables);
        ReadMenuDefinition(file, settings, *tables);
        std::string d = oracle::Difference(system, settings, *tables);
        if (!d.empty()) return "player, " + d;
    }
    // The menu listing: the count, the texts and the actions.
    {
        std::unique_ptr<MenuTables> tables(new MenuTables);
        int listed = ReadMenuListing(file, *tables);
        if (listed != count)
            return "listing, menu count: the system " + std::to_string(count) + ", the program " + std::to_string(listed);
        for (int m = 1; m <= count + 1 && m <= def::kMaxMenus; ++m) {
            std::string d = oracle::RowDifference("listing, text", m, system.tables->text[m - 1], tables->text[m - 1],
                                                  def::kTexts);
            if (d.empty())
                d = oracle::RowDifference("listing, action", m, system.tables->program[m - 1], tables->program[m - 1],
                                          def::kLines);
            if (!d.empty()) return d;
        }
    }
    // The wizard's snapshot: the menu texts it loads, then single keys.
    {
        CDefinitionSnapshot snapshot(file);
        std::unique_ptr<CString[][def::kTexts]> texts(new CString[def::kMaxMenus][def::kTexts]);
        ReadMenuTexts(snapshot, snapshot.ReadInt(def::kGeneral, def::kMenuCount, 1), texts.get());
        for (int m = 1; m <= count + 1 && m <= def::kMaxMenus; ++m) {
            std::string d = oracle::RowDifference("snapshot, text", m, system.tables->text[m - 1], texts[m - 1], def::kTexts);
            if (!d.empty()) return d;
        }
        CString title = snapshot.ReadString(def::kGeneral, def::kTitle, L"", def::kShortBuffer);
        if (title != system.settings.title) return Show("snapshot, title", system.settings.title, title);
        return SnapshotQueries(path, snapshot, seed);
    }
}

}  // namespace

TEST(Differential, EveryReaderReadsAsTheSystem) {
    oracle::Files files;
    diff::RunAll("reading", [&files](const diff::Case& c, const std::wstring& text) {
        std::wstring path = files.Put(pgen::Encode(text, c.form));
        std::string difference = CompareReads(path, text, c.seed);
        files.Remove(path);
        return difference;
    });
}
