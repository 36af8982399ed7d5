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

bool IsSwitch(const std::string& word, const char* name) { return lstrcmpiA(word.c_str(), name) == 0; }

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
    CDefinitionFile file(JoinPath(SystemDiscFiles(), folder, def::kDefinitionFile).c_str());
    return LabelFromTitle(file.ReadString(def::kGeneral, def::kTitle, "", def::kShortBuffer));
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
    if (GetFileAttributesA(r.set.c_str()) == INVALID_FILE_ATTRIBUTES) {
        output.Err("The definition " + r.set + " does not exist");
        return 1;
    }
    // The files Open would bring into the work directory, by their names there.
    std::map<std::string, std::string> setFiles;
    for (const SetFile& file : SetFiles(DeriveSetNames(r.set.c_str())))
        setFiles[file.workName.c_str()] = file.source.c_str();
    const CString folder = BuildFolderWithSlash(r.folder.c_str());
    CreateDirectoryA(folder, nullptr);
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        output.Err("The folder " + r.folder + " cannot be created");
        return 1;
    }
    const BuildFileList files = PlanBuild(CDefinitionFile(r.set.c_str()));
    int code = 0;
    for (int i = 0; i < files.count; ++i) {
        const std::string name = files.names[i].c_str();
        std::string from;
        auto found = setFiles.find(name);
        if (name == def::kPlayerFile || name == def::kAutoRunFile) {
            from = std::string(editor.workDir) + name;
        } else if (name == def::kBackgroundFile) {
            from = found->second;
            // A set without its background opens with the empty one.
            if (GetFileAttributesA(from.c_str()) == INVALID_FILE_ATTRIBUTES)
                from = std::string(editor.bitmapDir) + kEmptyBackground;
        } else if (found != setFiles.end()) {
            from = found->second;
        } else {
            output.Out("warning: the sound " + name + " is not in the definition set; left out");
            continue;
        }
        if (!CopyFileNormal(from.c_str(), folder + name.c_str())) {
            output.Err("Cannot copy " + from + " to " + std::string(folder) + name);
            code = 1;
        }
    }
    if (code == 0) output.Out("built: " + std::string(folder));
    return code;
}

// What Browse on the background page does, with the set's files where the
// work directory's would be: the picture becomes the set's background and
// the set's choice the own picture. A failure leaves the set as it was.
int PictureCommand(const CommandRequest& r, CommandOutput& output) {
    if (GetFileAttributesA(r.set.c_str()) == INVALID_FILE_ATTRIBUTES) {
        output.Err("The definition " + r.set + " does not exist");
        return 1;
    }
    if (GetFileAttributesA(r.picture.c_str()) == INVALID_FILE_ATTRIBUTES) {
        output.Err("The picture " + r.picture + " does not exist");
        return 1;
    }
    // The profile functions look for a bare name in the Windows folder.
    char full[MAX_PATH] = "";
    const DWORD n = GetFullPathNameA(r.set.c_str(), sizeof full, full, nullptr);
    const std::string set = n > 0 && n < sizeof full ? full : r.set;
    std::string target;
    for (const SetFile& file : SetFiles(DeriveSetNames(set.c_str())))
        if (file.workName == def::kBackgroundFile) target = file.source.c_str();
    const PlacedPicture placed = PlacePicture(r.picture.c_str(), target.c_str(), BackgroundLimit());
    if (!placed.ok) {
        output.Err(placed.message.empty() ? "Cannot copy " + r.picture + " to " + target : placed.message);
        return 1;
    }
    CDefinitionFile(set.c_str()).UpdateInt(def::kGeneral, def::kBackground, def::kOwnBackground);
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

CommandRequest ParseCommandLine(const char* text) {
    CommandRequest r;
    std::vector<std::string> w = SplitCommandLine(text);
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
        HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
        if (!Usable(m_out)) m_out = console;
        if (!Usable(m_err)) m_err = console;
    }
}

bool ProcessConsole::Usable(HANDLE h) {
    return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

void ProcessConsole::Write(HANDLE h, const std::string& line) {
    if (!Usable(h)) return;
    std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

