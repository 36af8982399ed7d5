// The definition file (auto.tdf): the one document that carries a menu from
// the editor to the player. This module owns every section and key name,
// the buffer sizes and the defaults; every reader and writer of the file
// goes through it. It writes through the system's private-profile functions
// only, and reads through them or through the profile image (one reading of
// the whole file that answers exactly as they do).
#pragma once
#include "../platform/String.h"
#include "ProfileImage.h"

class CDefinitionSnapshot;

namespace def {

// Section "100": general settings.
extern const char kGeneral[];          // "100"
extern const char kTitle[];            // "200"  window title (text)
extern const char kMenuCount[];        // "300"  menus 1..count exist
extern const char kBackground[];       // "400"  0-9 stock background, 99 own bitmap
extern const char kTemplate[];         // "500"  layout index 0-9
extern const char kStartupSound[];     // "600"
extern const char kHoverSound[];       // "700"
extern const char kSelectSound[];      // "800"
extern const char kMenuChangeSound[];  // "900"

// Colour sections and their component keys.
extern const char kNormalColor[];      // "1000"
extern const char kHighlightColor[];   // "1100"
extern const char kRed[];              // "1200"
extern const char kGreen[];            // "1300"
extern const char kBlue[];             // "1400"

// Bases of the per-menu sections: base followed by the menu number ("%s%d").
extern const char kTextBase[];         // "1500" keys 1-12 lines, 13/14 headings
extern const char kQuitBase[];         // "1600" keys 1-12 quit flags
extern const char kActionBase[];       // "1700" keys 1-12 program or go-to
extern const char kParamsBase[];       // "1800" keys 1-12 parameters
extern const char kWorkDirBase[];      // "1900" keys 1-12 working directories

extern const char kTrue[];             // "TRUE": the only text that means yes
extern const char kFalse[];            // "FALSE"

// The files of a disc's root folder (and of the editor's work folder).
extern const char kDefinitionFile[];   // "auto.tdf"
extern const char kBackgroundFile[];   // "autorun.bmp"
extern const char kPlayerFile[];       // "autorun.exe"
extern const char kAutoRunFile[];      // "autorun.inf"

const int kMaxMenus = 200;             // capacity of every menu table
const int kLines = 12;                 // selection lines per menu
const int kTexts = 14;                 // lines plus the two headings
const int kHeading1 = 13;              // key of heading 1 in the text section
const int kHeading2 = 14;              // key of heading 2
const int kLayouts = 10;               // layout templates 0-9
const int kOwnBackground = 99;         // key "400": the user's own autorun.bmp

// Read buffers: values are cut to buffer size - 1 characters.
const int kShortBuffer = 80;           // titles, sounds, actions, parameters
const int kTextBuffer = 128;           // menu line and heading texts

// Defaults of key "500" differ by reader.
const int kTemplateDefaultPlayer = 3;

// Visible main lines per layout template.
extern const int kVisibleLines[kLayouts];
bool IsLayoutIndex(int index);
// Main lines a layout shows; all ten for an index that names no layout, so
// that no line is out of reach.
int VisibleMainLines(int layoutIndex);

// A line's program that starts with this is a go-to: "_menu" and the number
// of the menu to show.
inline constexpr char kGoToPrefix[] = "_menu";
const int kGoToPrefixLength = sizeof kGoToPrefix - 1;

// A quit flag means yes only when it reads exactly "TRUE".
bool IsTrue(const char* flag);
// A colour from stored components: the low 8 bits of each (a COLORREF).
unsigned long ColorFromComponents(int red, int green, int blue);
void ComponentsOfColor(unsigned long rgb, int components[3]);

}  // namespace def

// "1500" and 12 give "150012".
CString MenuSection(const char* base, int menu);

// The definition file beside an executable: "%sauto%s.tdf" from the
// executable's directory (with its trailing backslash) and the command-line tail.
CString DefinitionPathFor(const char* directoryWithSlash, const char* commandTail);

// Directory part of a path including its last backslash ("" if none).
CString DirectoryWithSlash(const char* path);

// Clamp a stored menu count to what the tables can hold (0..200).
int ClampMenuCount(int stored);

class CDefinitionFile {
public:
    explicit CDefinitionFile(const char* path) : m_path(path) {}
    const CString& Path() const { return m_path; }

    CString ReadString(const char* section, const char* key, const char* fallback,
                       int bufferSize) const;
    int ReadInt(const char* section, const char* key, int fallback) const;

    // Writes refuse texts holding a carriage return or line feed: the
    // profile functions would write them raw and a line break would start
    // new keys or sections in the file. They refuse texts of kMaxWritten
    // characters or more too, which the system stores as garbage.
    bool WriteString(const char* section, const char* key, const char* value) const;
    bool WriteInt(const char* section, const char* key, int value) const;
    static const size_t kMaxWritten = 32767;

    // The same, but a write that would leave the file exactly as it is, byte
    // for byte, is not made: the file is then left as the plain write would
    // leave it, and is only rewritten when something changes, which for a
    // large definition is what a write costs.
    bool UpdateString(const char* section, const char* key, const char* value) const;
    bool UpdateInt(const char* section, const char* key, int value) const;
    // The same, decided on a reading of the file taken before (valid while
    // nothing but these updates wrote since); keys "1".."keyCount" get
    // values[k - 1]. *wrote (when given) tells whether the file was written.
    bool UpdateString(const CDefinitionSnapshot& snapshot, const char* section, const char* key,
                      const char* value) const;
    bool UpdateNumberedKeys(const CDefinitionSnapshot& snapshot, const char* section, int keyCount,
                            const CString* values, bool* wrote = nullptr) const;

private:
    CString m_path;
};

// One reading of the whole definition file that answers as the profile
// functions would for the file as it was then: many keys for the price of
// one file read. A file that cannot be read whole (missing, locked, larger
// than any definition) is read through the profile functions instead.
class CDefinitionSnapshot {
public:
    explicit CDefinitionSnapshot(const CDefinitionFile& file);
    // It keeps a reference to the file: never to a temporary.
    explicit CDefinitionSnapshot(CDefinitionFile&&) = delete;

    CString ReadString(const char* section, const char* key, const char* fallback, int bufferSize) const;
    int ReadInt(const char* section, const char* key, int fallback) const;
    // Keys "1".."keyCount" of one section, values[k - 1] receiving key k as
    // a read with the buffer size and an empty fallback gives it.
    void ReadNumberedKeys(const char* section, int keyCount, int bufferSize, CString* values) const;
    // True when a plain write of value would leave the file as it is.
    bool WriteChangesNothing(const char* section, const char* key, const char* value) const;

private:
    const CDefinitionFile& m_file;
    CProfileImage m_image;
    bool m_fast;
};

// Everything the menu window reads from a definition, in one place.
struct MenuTables {
    CString text[def::kMaxMenus][def::kTexts];     // lines 1-12, heading 1, heading 2
    CString program[def::kMaxMenus][def::kLines];
    CString params[def::kMaxMenus][def::kLines];
    CString workDir[def::kMaxMenus][def::kLines];
    CString quit[def::kMaxMenus][def::kLines];
};

struct MenuSettings {
    CString title;
    CString hoverSound, selectSound, menuChangeSound, startupSound;
    int menuCount = 1;          // as clamped: 0..200
    int normalRGB[3] = {0, 0, 0};
    int highlightRGB[3] = {255, 255, 255};
};

// Reads section "100", the colours and menus 1..count (count clamped to 200)
// the way the player does. Menus above the count stay as they were (empty).
void ReadMenuDefinition(const CDefinitionFile& file, MenuSettings& settings, MenuTables& tables);

// Reads the texts (lines 1-12, headings) of menus 1..menuCount, the count
// clamped to 0..200, as per-key reads with the text buffer would; texts[n - 1]
// receives menu n. Menus above the count are left as they are.
void ReadMenuTexts(const CDefinitionSnapshot& file, int menuCount, CString (*texts)[def::kTexts]);
