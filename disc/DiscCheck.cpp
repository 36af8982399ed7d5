#include "DiscCheck.h"
#include "AutoRunFile.h"
#include "../menu/Definition.h"
#include "../menu/DibImage.h"
#include "../menu/MenuLogic.h"
#include "DiscImage.h"
#include "../platform/Encoding.h"
#include "../menu/Variants.h"
#include "../menu/Conditions.h"
#include "Signature.h"
#include <algorithm>
#include <windows.h>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const std::size_t kPathMax = 240;       // longest path inside the disc that every reader handles
const int kDepthMax = 8;                // folder levels of ISO 9660
const std::size_t kAutoRunReadMax = 64 * 1024;   // an AutoRun file is a few lines; read no more
const std::size_t kLabelMax = 32;       // characters of a drive label the shell shows

// The AutoRun file's keys the check looks at.
const char kOpenKey[] = "open";
const char kIconKey[] = "icon";
const char kLabelKey[] = "label";
const char kUseAutoPlayKey[] = "UseAutoPlay";

std::string Quoted(const char* text) { return std::string("\"") + text + "\""; }
std::string Quoted(const CString& text) { return Quoted(ToUtf8(text).c_str()); }
// The disc subsystem's texts and paths are UTF-8.
std::string U8(const wchar_t* text) { return ToUtf8(text, WideLength(text)); }

std::string LineName(int menu, int line, const CString& text) {
    std::string s = "menu " + std::to_string(menu) + ", line " + std::to_string(line);
    if (!text.IsEmpty()) s += " (" + Quoted(text) + ")";
    return s;
}

bool IsAbsolute(const char* path) {
    return path[0] == '\\' || path[0] == '/' || (path[0] && path[1] == ':');
}

// "http://...", "mailto:..." and the like go to a program, not a file.
bool IsAddress(const char* action) {
    const char* colon = std::strchr(action, ':');
    if (!colon || colon - action < 2) return false;
    for (const char* p = action; p < colon; ++p)
        if (!std::isalpha(static_cast<unsigned char>(*p))) return false;
    return true;
}

bool HasFolder(const char* path) { return std::strchr(path, '\\') || std::strchr(path, '/'); }

// A relative path that climbs out of the disc folder ("..\\x", "a\\..\\..\\x").
bool LeavesTheFolder(const char* path) {
    int depth = 0;
    for (const char* p = path; *p;) {
        const char* end = p;
        while (*end && *end != '\\' && *end != '/') ++end;
        const std::size_t n = static_cast<std::size_t>(end - p);
        if (n == 2 && p[0] == '.' && p[1] == '.') {
            if (--depth < 0) return true;
        } else if (n > 0 && !(n == 1 && p[0] == '.')) {
            ++depth;
        }
        p = *end ? end + 1 : end;
    }
    return false;
}

// A bare program name the shell finds on every PC, such as notepad.exe.
bool InSystemFolders(DiscFiles& files, const char* name) {
    wchar_t wideDirs[2][MAX_PATH] = {L"", L""};
    UINT a = GetSystemDirectoryW(wideDirs[0], MAX_PATH);
    UINT b = GetWindowsDirectoryW(wideDirs[1], MAX_PATH);
    const std::string dirs[2] = {U8(wideDirs[0]), U8(wideDirs[1])};
    const bool ok[2] = {a > 0 && a < MAX_PATH, b > 0 && b < MAX_PATH};
    const bool noExtension = !std::strchr(name, '.');
    for (int i = 0; i < 2; ++i) {
        if (!ok[i]) continue;
        std::string path = JoinPath(files, dirs[i], name);
        if (files.Exists(path) || (noExtension && files.Exists(path + ".exe"))) return true;
    }
    return false;
}

std::string Megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu MB", static_cast<unsigned long long>((bytes + 999999) / 1000000));
    return text;
}

using autorun::Trimmed;
using autorun::Unquoted;

// A line of the file as a finding can show it: printable, not too long.
std::string Shown(const std::string& line) {
    std::string s;
    for (char c : line.substr(0, 40)) s += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    if (line.size() > 40) s += "...";
    return Quoted(s.c_str());
}

class Checker {
public:
    Checker(DiscFiles& files, const std::string& folder, pic::Size limit)
        : m_files(files), m_folder(folder), m_limit(limit) {}
    std::vector<DiscFinding> findings;

    void Error(const std::string& text) { findings.push_back({DiscFinding::kError, m_prefix + text}); }
    void Warning(const std::string& text) { findings.push_back({DiscFinding::kWarning, m_prefix + text}); }
    std::string In(const char* name) const { return JoinPath(m_files, m_folder, name); }
    std::string In(const wchar_t* name) const { return In(U8(name).c_str()); }

    void CoreFiles();
    void AutoRun();
    void Definition();
    void Tree();

private:
    void Oversized(pic::Size size);
    void Action(int menu, int line, const CString& text, const CString& action, int count);
    // A line's condition and its start as administrator.
    void LineExtras(int menu, int line, const MenuTables& tables);
    // A language variant against the default: same menus, same go-to
    // targets, text on the same lines, the same disc settings; findings
    // name the variant's file.
    void Variant(const std::string& name, const MenuSettings& base, const MenuTables& baseTables);
    std::string m_prefix;   // "auto.de.tdf: " while a variant is checked

    ::DiscFiles& m_files;
    std::string m_folder;
    pic::Size m_limit;
    std::uint64_t m_bytes = 0;
};

void Checker::CoreFiles() {
    if (!m_files.Exists(In(def::kPlayerFile)))
        Error(U8(def::kPlayerFile) + " is missing: the disc has no menu player");
    AutoRun();
    if (!m_files.Exists(In(def::kBackgroundFile))) {
        Warning(U8(def::kBackgroundFile) + " is missing: the menu shows no background");
    } else {
        CDibImage picture;
        if (!picture.LoadFromFile(FromUtf8(In(def::kBackgroundFile))))
            Warning(U8(def::kBackgroundFile) + " is not a bitmap the menu can show");
        else
            Oversized({picture.Width(), picture.Height()});
    }
}

void Checker::AutoRun() {
    const std::string name = U8(def::kAutoRunFile);
    const std::string path = In(def::kAutoRunFile);
    if (!m_files.Exists(path)) {
        Error(name + " is missing: Windows will not start the menu from the disc");
        return;
    }
    std::string bytes;
    ::DiscFiles::Handle file = m_files.OpenRead(path);
    if (!file) {
        Error(name + " cannot be read: Windows will not start the menu from the disc");
        return;
    }
    char buffer[4096];
    long long got;
    while (bytes.size() < kAutoRunReadMax && (got = m_files.Read(file, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(got));
    m_files.Close(file);
    if (bytes.size() > kAutoRunReadMax) bytes.resize(kAutoRunReadMax);

    AutoRunFile inf;
    inf.Parse(bytes);
    for (const auto& bad : inf.badLines)
        Error(name + ", line " + std::to_string(bad.first) + " cannot be read as a key and value: " + Shown(bad.second));
    if (inf.badCount > AutoRunFile::kBadLinesNamed)
        Error(name + ": " + std::to_string(inf.badCount - AutoRunFile::kBadLinesNamed) + " more lines cannot be read as a key and value");

    // open= names the program and may pass it arguments after a blank.
    const std::string* open = inf.Find(kOpenKey);
    if (!open || open->empty()) {
        Error(name + " names no program with open= under [autorun]: Windows will not start the menu");
    } else {
        std::string program = *open;
        if (!m_files.Exists(In(program.c_str()))) program = Unquoted(program.substr(0, program.find(' ')));
        if (!m_files.Exists(In(program.c_str())))
            Error(name + ": open=" + *open + " names a file that is not in the folder: Windows will not start the menu");
    }
    // icon= is a file, and for a program an icon number after a comma.
    if (const std::string* icon = inf.Find(kIconKey)) {
        std::string file = *icon;
        const std::size_t comma = file.rfind(',');
        if (comma != std::string::npos) file = Unquoted(Trimmed(file.substr(0, comma)));
        if (!file.empty() && !m_files.Exists(In(file.c_str())))
            Warning(name + ": icon=" + *icon + " names a file that is not in the folder: the disc shows the usual drive icon");
    }
    if (const std::string* label = inf.Find(kLabelKey))
        if (label->size() > kLabelMax)
            Warning(name + ": the label " + Quoted(label->c_str()) + " is longer than 32 characters: Windows shows only the first 32");
    if (inf.Find(kUseAutoPlayKey))
        Warning(name + ": UseAutoPlay takes the menu out of the AutoPlay choices on Windows Vista and later");
}

// A background larger than any menu window needs only makes the disc and
// the start of the menu slower: the player shrinks it on every paint.
void Checker::Oversized(pic::Size size) {
    const pic::Size limit = m_limit;
    if (limit.w <= 0 || !pic::LargerThan(size, limit)) return;
    WIN32_FILE_ATTRIBUTE_DATA data;
    std::uint64_t bytes = 0;
    if (GetFileAttributesExW(FromUtf8(In(def::kBackgroundFile)), GetFileExInfoStandard, &data))
        bytes = static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    const pic::Size reduced = pic::ReducedSize(size, limit);
    Warning(U8(def::kBackgroundFile) + " is " + SizeText(size) + " pixels (" + pic::ByteCount(bytes) +
            "), larger than any menu window needs: reduced to " + SizeText(reduced) + " pixels it would take " +
            pic::ByteCount(pic::Bitmap24Bytes(reduced)) + ". Chosen as a JPEG or PNG picture, it is reduced so.");
}

// Programs, as opposed to documents that open with one.
bool IsProgram(const CString& action) {
    const int dot = action.ReverseFind(L'.');
    const CString extension = dot < 0 ? CString() : action.Mid(static_cast<size_t>(dot));
    return extension.EqualsNoCase(L".exe");
}

void Checker::LineExtras(int menu, int line, const MenuTables& t) {
    const int m = menu - 1, i = line - 1;
    const std::string where = LineName(menu, line, t.text[m][i]);
    const cond::Condition c = cond::Parse(t.condition[m][i], t.conditionValue[m][i], t.conditionNot[m][i], t.conditionHide[m][i]);
    const CString problem = cond::Problem(c);
    if (!problem.IsEmpty())
        Warning(where + " has a condition the player cannot check (" + ToUtf8(problem) + "): the line is " +
                (c.hide ? "never shown" : "always greyed"));
    const CString& action = t.program[m][i];
    if (def::IsTrue(t.runAs[m][i]) && !action.IsEmpty() && menu::DecodeGoTo(action, def::kMaxMenus) < 0 && !IsProgram(action))
        Warning(where + " opens the document " + Quoted(action) +
                " as administrator: only programs start so; the document may not open at all");
}

void Checker::Action(int menu, int line, const CString& text, const CString& action, int count) {
    if (action.IsEmpty()) return;
    const std::string where = LineName(menu, line, text);
    if (text.IsEmpty())
        Warning(where + " has an action but no text: an invisible place to click");
    const int target = menu::DecodeGoTo(action, def::kMaxMenus);
    if (target >= 0) {
        if (target == 0 || target > count)
            Error(where + " goes to " + Quoted(action) + ", but the menus are numbered 1 to " +
                  std::to_string(count));
        return;
    }
    const std::string path = ToUtf8(action);
    if (IsAddress(path.c_str())) return;
    if (IsAbsolute(path.c_str()) || LeavesTheFolder(path.c_str())) {
        Warning(where + " opens " + Quoted(action) + ", a path that does not point into the disc");
        return;
    }
    if (m_files.Exists(In(action))) {
        if (IsProgram(action) && sig::Examine(m_files, In(action), ~0ULL) == sig::Program::kUnsigned)
            Warning(where + " starts " + Quoted(action) +
                    ", which carries no Authenticode signature: Windows 11's Smart App Control blocks such a "
                    "program from a downloaded disc image, and SmartScreen warns about it");
        return;
    }
    if (!HasFolder(path.c_str()) && InSystemFolders(m_files, path.c_str())) return;
    Error(where + " opens " + Quoted(action) + ", which is not in the folder: the line would do nothing");
}

void Checker::Definition() {
    const std::string path = In(def::kDefinitionFile);
    if (!m_files.Exists(path)) {
        Error(U8(def::kDefinitionFile) + " is missing: the disc has no menu to show");
        return;
    }
    CDefinitionFile file(FromUtf8(path));
    std::unique_ptr<MenuSettings> settings(new MenuSettings);
    std::unique_ptr<MenuTables> tables(new MenuTables);
    ReadMenuDefinition(file, *settings, *tables);

    struct { const CString* name; const char* role; } sounds[] = {
        {&settings->startupSound, "start-up"}, {&settings->hoverSound, "mouse-over"},
        {&settings->selectSound, "selection"}, {&settings->menuChangeSound, "menu-change"}};
    for (auto& s : sounds)
        if (!s.name->IsEmpty() && !m_files.Exists(In(*s.name)))
            Error(std::string("the ") + s.role + " sound " + Quoted(*s.name) + " is not in the folder");

    // Only the lines the layout shows can be clicked.
    const int layout = settings->layout;
    const int mainLines = def::VisibleMainLines(layout);
    for (int m = 0; m < settings->menuCount; ++m)
        for (int i = 0; i < def::kLines; ++i) {
            if (i < 10 && i >= mainLines) continue;
            Action(m + 1, i + 1, tables->text[m][i], tables->program[m][i], settings->menuCount);
            LineExtras(m + 1, i + 1, *tables);
        }

    // The languages beside the default: auto.<tag>.tdf, found as the editor finds them.
    std::vector<std::string> names;
    for (const CString& tag : variants::VariantTagsOf(FromUtf8(path)))
        names.push_back(ToUtf8(variants::VariantPath(def::kDefinitionFile, tag)));
    for (const std::string& name : names) Variant(name, *settings, *tables);
}

void Checker::Variant(const std::string& name, const MenuSettings& base, const MenuTables& baseTables) {
    std::unique_ptr<MenuSettings> settings(new MenuSettings);
    std::unique_ptr<MenuTables> tables(new MenuTables);
    ReadMenuDefinition(CDefinitionFile(FromUtf8(In(name.c_str()))), *settings, *tables);
    m_prefix = name + ": ";
    const std::string defaultName = U8(def::kDefinitionFile);
    if (settings->menuCount != base.menuCount)
        Error("the language has " + std::to_string(settings->menuCount) + " menus, " + defaultName + " has " +
              std::to_string(base.menuCount) + ": a user switching language would land in another menu");
    const bool sameSettings = settings->layout == base.layout && settings->hoverSound == base.hoverSound &&
                              settings->selectSound == base.selectSound &&
                              settings->menuChangeSound == base.menuChangeSound &&
                              settings->startupSound == base.startupSound &&
                              std::equal(settings->normalRGB, settings->normalRGB + 3, base.normalRGB) &&
                              std::equal(settings->highlightRGB, settings->highlightRGB + 3, base.highlightRGB);
    if (!sameSettings)
        Warning("the layout, the colours or the sounds differ from " + defaultName + "'s: the menu looks and sounds other in this language");
    const int count = std::min(settings->menuCount, base.menuCount);
    const int mainLines = def::VisibleMainLines(settings->layout);
    for (int m = 0; m < count; ++m)
        for (int i = 0; i < def::kLines; ++i) {
            if (i < 10 && i >= mainLines) continue;
            const std::string where = LineName(m + 1, i + 1, tables->text[m][i]);
            const int target = menu::DecodeGoTo(tables->program[m][i], def::kMaxMenus);
            const int baseTarget = menu::DecodeGoTo(baseTables.program[m][i], def::kMaxMenus);
            if ((target >= 0 || baseTarget >= 0) && target != baseTarget)
                Error(where + " does not go where the same line of " + defaultName + " goes (" +
                      (baseTables.program[m][i].IsEmpty() ? std::string("nowhere") : Quoted(baseTables.program[m][i])) +
                      "): a user switching language would land in another menu");
            const bool shown = menu::ShowsText(tables->text[m][i]), baseShown = menu::ShowsText(baseTables.text[m][i]);
            if (shown != baseShown)
                Warning(where + (shown ? " has text, the same line of " + defaultName + " none"
                                       : " has no text, the same line of " + defaultName + " has"));
            // A program or document of this language's own; the default's are checked already.
            if (tables->program[m][i] != baseTables.program[m][i])
                Action(m + 1, i + 1, tables->text[m][i], tables->program[m][i], settings->menuCount);
        }
    m_prefix.clear();
}

void Checker::Tree() {
    struct Folder { std::string path, inside; int level; };
    std::vector<Folder> todo{{m_folder, "", 0}};
    bool deepSaid = false;
    while (!todo.empty()) {
        Folder f = todo.back();
        todo.pop_back();
        std::vector<::DiscFiles::Item> items;
        if (!m_files.List(f.path, items)) continue;
        for (const ::DiscFiles::Item& item : items) {
            const std::string inside = f.inside + "\\" + item.name;
            if (!disc::JolietHolds(item.wide))
                Warning(Quoted(inside.c_str()) + ": Joliet cannot hold this name (" +
                        (item.wide.size() > static_cast<std::size_t>(disc::kJolietNameMax)
                             ? "more than 64 characters" : "a character it forbids") +
                        "), it is changed on the disc");
            // Windows reads the Joliet names; a system that reads only the
            // ISO 9660 ones sees letters beyond ASCII replaced.
            bool plain = true;
            for (unsigned char c : item.name) plain = plain && c < 0x80;
            if (!plain)
                Warning(Quoted(inside.c_str()) + ": the name has letters beyond ASCII, which the disc's ISO 9660 names replace (" +
                        Quoted(disc::PrimaryName(item.name, item.folder).c_str()) +
                        "): Windows shows the name as it is, older systems and players only the replacement");
            // The disc's size as the image lays it out: whole sectors per
            // file and per folder record (close enough for the disc limits).
            m_bytes += (item.size + disc::kSectorSize - 1) / disc::kSectorSize * disc::kSectorSize + 2 * 64;
            if (inside.size() > kPathMax)
                Warning(Quoted(inside.c_str()) + ": the path is longer than 240 characters");
            if (item.folder) {
                if (f.level + 1 > kDepthMax && !deepSaid) {
                    Warning(Quoted(inside.c_str()) + ": folders deeper than 8 levels are not read everywhere");
                    deepSaid = true;
                }
                todo.push_back({JoinPath(m_files, f.path, item.name), inside, f.level + 1});
            }
        }
    }
    const std::uint64_t bytes = m_bytes;
    if (bytes > disc::kDvdBytes)
        Warning("the disc takes " + Megabytes(bytes) + ": more than a DVD holds (4.7 GB)");
    else if (bytes > disc::kCdBytes)
        Warning("the disc takes " + Megabytes(bytes) + ": more than a CD holds (700 MB), it needs a DVD");
}

}  // namespace

std::vector<DiscFinding> CheckDiscFolder(DiscFiles& files, const std::string& folder, pic::Size backgroundLimit) {
    Checker check(files, folder, backgroundLimit);
    std::vector<DiscFiles::Item> items;
    if (!files.List(folder, items)) {
        check.Error("the folder " + Quoted(folder.c_str()) + " does not exist or cannot be read");
        return check.findings;
    }
    try {
        check.CoreFiles();
        check.Definition();
        check.Tree();
    } catch (const std::exception&) {
        check.Error("not enough memory to check the folder");
    }
    return check.findings;
}

bool HasErrors(const std::vector<DiscFinding>& findings) {
    for (const DiscFinding& f : findings)
        if (f.kind == DiscFinding::kError) return true;
    return false;
}

std::string FindingLine(const DiscFinding& finding) {
    return (finding.kind == DiscFinding::kError ? "error: " : "warning: ") + finding.text;
}
