// Every reader of a definition against the system's profile functions, on
// generated files in every form: the player's reading, the wizard's
// snapshot and the menu listing must give what GetPrivateProfileStringA and
// GetPrivateProfileIntA give, key by key, with the programs' own section and
// key names and buffer sizes; the snapshot also for names, fallbacks and
// buffer sizes of any kind.
#include "differential.h"
#include "editor/MenuListing.h"
#include <memory>

namespace {

using oracle::Show;

// Names, fallbacks and buffer sizes around the rules: blanks, Ctrl-Z, the
// empty name, a padded number, quotes in the fallback, the buffer's edges.
const char* const kSections[] = {"100", " 100 ", "100\x1a", "15001", "\t15001", "15002", "17001", "1000",
                                 "",    "x",     "1500",    "15001 x"};
const char* const kKeys[] = {"200", "300", " 1 ", "1", "7", "01", "", "13", "14", "1200", "x", ";1", "\t2\t"};
const char* const kFallbacks[] = {"", "dflt", " \"q\"  ", "\tx\t", "\"ab\"", "'", "  lead", "x  ", "\"\"", "\"a b\" "};
const int kSizes[] = {1, 2, 3, 5, 30, 79, 80, 81, 127, 128, 129, 1100};
const int kIntFallbacks[] = {0, 1, -7, 255};

std::string SnapshotQueries(const std::string& path, const CDefinitionSnapshot& snapshot, uint32_t seed) {
    pgen::Random r(seed);
    for (int q = 0; q < 6; ++q) {
        const char* section = r.Pick(kSections);
        const char* key = r.Pick(kKeys);
        const char* fallback = r.Pick(kFallbacks);
        int size = r.Pick(kSizes);
        CString system = oracle::Read(path, section, key, fallback, size).c_str();
        CString ours = snapshot.ReadString(section, key, fallback, size);
        if (system != ours)
            return Show(("snapshot, [" + pgen::Escape(std::string(section)) + "] \"" + pgen::Escape(std::string(key)) +
                         "\" fallback \"" + pgen::Escape(std::string(fallback)) + "\" buffer " + std::to_string(size))
                            .c_str(),
                        system, ours);
    }
    for (int q = 0; q < 3; ++q) {
        const char* section = r.Pick(kSections);
        const char* key = r.Pick(kKeys);
        int fallback = r.Pick(kIntFallbacks);
        int system = oracle::ReadInt(path, section, key, fallback), ours = snapshot.ReadInt(section, key, fallback);
        if (system != ours)
            return "snapshot, number [" + pgen::Escape(std::string(section)) + "] \"" + pgen::Escape(std::string(key)) +
                   "\": the system " + std::to_string(system) + ", the program " + std::to_string(ours);
    }
    return "";
}

std::string CompareReads(const std::string& path, const std::wstring& text, uint32_t seed) {
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
        CString title = snapshot.ReadString(def::kGeneral, def::kTitle, "", def::kShortBuffer);
        if (title != system.settings.title) return Show("snapshot, title", system.settings.title, title);
        return SnapshotQueries(path, snapshot, seed);
    }
}

}  // namespace

TEST(Differential, EveryReaderReadsAsTheSystem) {
    oracle::Files files;
    diff::RunAll("reading", [&files](const diff::Case& c, const std::wstring& text) {
        std::string path = files.Put(pgen::Encode(text, c.form));
        std::string difference = CompareReads(path, text, c.seed);
        files.Remove(path);
        return difference;
    });
}
