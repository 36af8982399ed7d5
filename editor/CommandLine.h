// The editor without a window, for scripted releases: check a disc folder,
// make its disc image, build the disc files of a saved definition set, or
// put a picture into such a set as its background.
// A command-line text that begins with one of the switches runs here and
// never touches the work directory; any other text names the definition
// file as usual.
#pragma once
#include "../workspace/EditorState.h"
#include <string>
#include <vector>

// The texts of a request are UTF-8, as the disc subsystem's are.
struct CommandRequest {
    enum Kind { kNone, kUsage, kCheck, kImage, kBuild, kPicture } kind = kNone;
    std::string folder;                 // /check, /image: the disc folder; /build: the build folder
    std::string image;                  // /image: the image file
    std::string label;                  // /image: the volume label ("" = from the title)
    bool hasLabel = false;
    std::string set;                    // /build, /picture: the saved definition (name.tdf)
    std::string picture;                // /picture: the picture file
};

// Words of a command line (UTF-8): blanks separate them, double quotes group.
std::vector<std::string> SplitCommandLine(const char* text);

// kNone when the text does not begin with a switch; kUsage when it does
// but the rest does not fit.
CommandRequest ParseCommandLine(const wchar_t* text);

// Where the commands print (UTF-8 lines): the console the editor was started from, or
// standard output and standard error when they are redirected.
class CommandOutput {
public:
    virtual ~CommandOutput() {}
    virtual void Out(const std::string& line) = 0;
    virtual void Err(const std::string& line) = 0;
};

// Runs a request (not kNone) and returns the exit code: 0 done, 1 failed,
// 2 usage. The editor's folders tell where the player, the AutoRun file and
// the stock bitmaps lie; nothing in them is changed.
int RunCommand(const CommandRequest& request, const EditorState& editor, CommandOutput& output);

// The console the editor was started from, or standard output and standard
// error when they are redirected.
class ProcessConsole : public CommandOutput {
public:
    ProcessConsole();
    void Out(const std::string& line) override { Write(m_out, line); }
    void Err(const std::string& line) override { Write(m_err, line); }

private:
    static bool Usable(HANDLE h);
    static void Write(HANDLE h, const std::string& line);
    HANDLE m_out, m_err;
};

extern const char kCommandUsage[];
