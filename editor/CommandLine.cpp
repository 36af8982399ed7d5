#include "CommandLine.h"
#include "../menu/Definition.h"
#include "../workspace/BackgroundLimit.h"
#include "../disc/BuildPlan.h"
#include "../disc/DiscCheck.h"
#include "../disc/DiscImage.h"
#include "../disc/VolumeLabel.h"
#include "../workspace/PictureFile.h"
#include "Storage.h"
#include "../workspace/WorkDir.h"
#include "../platform/Encoding.h"
#include "../menu/Variants.h"
#include <windows.h>
#include <cctype>
#include <ctime>
#include <map>

const char kCommandUsage[] =
    "usage:\r\n"
    "  tlkedit /check <folder>                           check a disc folder\r\n"
    "  tlkedit /image <folder> <file.iso> [/label <text>] write its disc image\r\n"
    "  tlkedit /build <set.tdf> <folder>                 build the disc files of a saved definition\r\n"
    "  tlkedit /picture <picture> <set.tdf>              make a picture the background of a saved definition\r\n"
    "exit code: 0 done, 1 failed (or errors found by /check), 2 this usage";

namespace {

bool IsSwitch(const std::string& word, const char* name) { return lstrcmpiW(FromUtf8(word), CString(name)) == 0; }

// The commands' texts are UTF-8 (as the disc subsystem's are); Windows
// takes paths as UTF-16.
CString W(const std::string& text) { return FromUtf8(text); }
std::string U8(const wchar_t* text) { return ToUtf8(text, WideLength(text)); }

bool Exists(const std::string& path) { return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES; }

// A relative path as the user means it: from the current folder. The
// profile functions would look for it in the Windows folder.
std::string FullPath(const std::string& path) {
    wchar_t full[MAX_PATH] = L"";
    const DWORD n = GetFullPathNameW(W(path), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? U8(full) : path;
}

std::string WithoutSlash(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/') &&
           !(folder.size() == 3 && folder[1] == ':'))
        folder.pop_back();
    return folder;
}

void PrintFindings(const std::vector<DiscFinding>& findings, CommandOutput& output) {
    for (const DiscFinding& f : findings) output.Out(FindingLine(f));
}

std::string TitleLabel(const std::string& folder) {
    CDefinitionFile file(W(JoinPath(SystemDiscFiles(), folder, U8(def::kDefinitionFile))));
    return LabelFromTitle(file.ReadString(def::kGeneral, def::kTitle, L"", def::kShortBuffer));
}

int CheckCommand(const CommandRequest& r, CommandOutput& output) {
    std::vector<DiscFinding> findings = CheckDiscFolder(SystemDiscFiles(), r.folder, BackgroundLimit());
    PrintFindings(findings, output);
    return HasErrors(findings) ? 1 : 0;
}

int ImageCommand(const CommandRequest& r, CommandOutput& output) {
    PrintFindings(CheckDiscFolder(SystemDiscFiles(), r.folder, BackgroundLimit()), output);
    disc::ImageOptions options;
    options.label = r.hasLabel ? r.label : TitleLabel(r.folder);
    options.created = static_cast<std::int64_t>(std::time(nullptr));
    disc::ImageResult result = disc::WriteImage(SystemDiscFiles(), r.folder, r.image, options, nullptr);
    if (result.status != disc::ImageResult::kWritten) {
        output.Err("The disc image could not be written: " + result.message);
        return 1;
    }
    output.Out("written: " + r.image + " (" + std::to_string(result.bytes) + " bytes)");
    return 0;
}

// The build of Step 3, with the set's files where the work directory's would be.
int BuildCommand(const CommandRequest& r, const EditorState& editor, CommandOutput& output) {
    if (!Exists(r.set)) {
        output.Err("The definition " + r.set + " does not exist");
        return 1;
    }
    const std::string set = FullPath(r.set);
    // The files Open would bring into the work directory, by their names there.
    std::map<std::string, std::string> setFiles;
    for (const SetFile& file : SetFiles(DeriveSetNames(W(set))))
        setFiles[ToUtf8(file.workName)] = ToUtf8(file.source);
    const CString folder = BuildFolderWithSlash(W(r.folder));
    CreateDirectoryW(folder, nullptr);
    DWORD attributes = GetFileAttributesW(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        output.Err("The folder " + r.folder + " cannot be created");
        return 1;
    }
    const BuildFileList files = PlanBuild(CDefinitionFile(W(set)));
    int code = 0;
    for (int i = 0; i < files.count; ++i) {
        const std::string name = ToUtf8(files.names[i]);
        std::string from;
        auto found = setFiles.find(name);
        if (name == U8(def::kPlayerFile) || name == U8(def::kAutoRunFile)) {
            from = U8(editor.workDir) + name;
        } else if (name == U8(def::kBackgroundFile)) {
            from = found->second;
            // A set without its background opens with the empty one.
            if (!Exists(from)) from = U8(editor.bitmapDir) + U8(kEmptyBackground);
        } else if (found != setFiles.end()) {
            from = found->second;
        } else {
            output.Out("warning: the sound " + name + " is not in the definition set; left out");
            continue;
        }
        if (!CopyFileNormal(W(from), folder + W(name))) {
            output.Err("Cannot copy " + from + " to " + ToUtf8(folder) + name);
            code = 1;
        }
    }
    // The set's languages, as the player finds them beside auto.tdf.
    for (const CString& tag : variants::VariantTagsOf(W(set))) {
        const CString from = variants::VariantPath(W(set), tag), to = folder + variants::VariantPath(def::kDefinitionFile, tag);
        if (!CopyFileNormal(from, to)) {
            output.Err("Cannot copy " + ToUtf8(from) + " to " + ToUtf8(to));
            code = 1;
        }
    }
    if (code == 0) output.Out("built: " + ToUtf8(folder));
    return code;
}

// What Browse on the background page does, with the set's files where the
// work directory's would be: the picture becomes the set's background and
// the set's choice the own picture. A failure leaves the set as it was.
int PictureCommand(const CommandRequest& r, CommandOutput& output) {
    if (!Exists(r.set)) {
        output.Err("The definition " + r.set + " does not exist");
        return 1;
    }
    if (!Exists(r.picture)) {
        output.Err("The picture " + r.picture + " does not exist");
        return 1;
    }
    const std::string set = FullPath(r.set);
    std::string target;
    for (const SetFile& file : SetFiles(DeriveSetNames(W(set))))
        if (file.workName == def::kBackgroundFile) target = ToUtf8(file.source);
    const PlacedPicture placed = PlacePicture(W(r.picture), W(target), BackgroundLimit());
    if (!placed.ok) {
        output.Err(placed.message.empty() ? "Cannot copy " + r.picture + " to " + target : placed.message);
        return 1;
    }
    CDefinitionFile(W(set)).UpdateInt(def::kGeneral, def::kBackground, def::kOwnBackground);
    // The background is the disc's: every language of the set says so.
    for (const CString& tag : variants::VariantTagsOf(W(set)))
        CDefinitionFile(variants::VariantPath(W(set), tag)).UpdateInt(def::kGeneral, def::kBackground, def::kOwnBackground);
    std::string line = "background: " + target;
    if (placed.converted) line += " (" + SizeText(placed.written) + " pixels, from " + SizeText(placed.original) + ")";
    output.Out(line);
    return 0;
}


}  // namespace

std::vector<std::string> SplitCommandLine(const char* text) {
    std::vector<std::string> words;
    if (!text) return words;
    const char* p = text;
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string word;
        bool quoted = false;
        for (; *p && (quoted || (*p != ' ' && *p != '\t')); ++p) {
            if (*p == '"') quoted = !quoted;
            else word += *p;
        }
        words.push_back(word);
    }
    return words;
}

CommandRequest ParseCommandLine(const wchar_t* text) {
    CommandRequest r;
    std::vector<std::string> w = SplitCommandLine(U8(text).c_str());
    if (w.empty()) return r;
    // Only the first word decides; "/x" alone is an ordinary definition name.
    const std::string& first = w[0];
    if (IsSwitch(first, "/check")) {
        r.kind = w.size() == 2 && !w[1].empty() ? CommandRequest::kCheck : CommandRequest::kUsage;
        if (r.kind == CommandRequest::kCheck) r.folder = WithoutSlash(w[1]);
    } else if (IsSwitch(first, "/image")) {
        r.kind = CommandRequest::kUsage;
        if ((w.size() == 3 || (w.size() == 5 && IsSwitch(w[3], "/label"))) && !w[1].empty() && !w[2].empty()) {
            r.kind = CommandRequest::kImage;
            r.folder = WithoutSlash(w[1]);
            r.image = w[2];
            if (w.size() == 5) { r.label = w[4]; r.hasLabel = true; }
        }
    } else if (IsSwitch(first, "/build")) {
        r.kind = w.size() == 3 && !w[1].empty() && !w[2].empty() ? CommandRequest::kBuild : CommandRequest::kUsage;
        if (r.kind == CommandRequest::kBuild) { r.set = w[1]; r.folder = w[2]; }
    } else if (IsSwitch(first, "/picture")) {
        r.kind = w.size() == 3 && !w[1].empty() && !w[2].empty() ? CommandRequest::kPicture : CommandRequest::kUsage;
        if (r.kind == CommandRequest::kPicture) { r.picture = w[1]; r.set = w[2]; }
    }
    return r;
}

int RunCommand(const CommandRequest& request, const EditorState& editor, CommandOutput& output) {
    try {
        switch (request.kind) {
        case CommandRequest::kCheck: return CheckCommand(request, output);
        case CommandRequest::kImage: return ImageCommand(request, output);
        case CommandRequest::kBuild: return BuildCommand(request, editor, output);
        case CommandRequest::kPicture: return PictureCommand(request, output);
        default: output.Err(kCommandUsage); return 2;
        }
    } catch (const std::exception&) {
        output.Err("Not enough memory");
        return 1;
    }
}

ProcessConsole::ProcessConsole() {
    m_out = GetStdHandle(STD_OUTPUT_HANDLE);
    m_err = GetStdHandle(STD_ERROR_HANDLE);
    // A program without a console of its own writes to its starter's.
    if ((!Usable(m_out) || !Usable(m_err)) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
        if (!Usable(m_out)) m_out = console;
        if (!Usable(m_err)) m_err = console;
    }
}

bool ProcessConsole::Usable(HANDLE h) {
    return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

// A console shows every letter written as UTF-16 (as far as its font has
// them); a file or a pipe gets UTF-8, which keeps them all.
void ProcessConsole::Write(HANDLE h, const std::string& line) {
    if (!Usable(h)) return;
    std::string text = line + "\r\n";
    DWORD written = 0, mode = 0;
    if (GetConsoleMode(h, &mode)) {
        const CString wide = FromUtf8(text);
        WriteConsoleW(h, wide.c_str(), static_cast<DWORD>(wide.GetLength()), &written, nullptr);
        return;
    }
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

