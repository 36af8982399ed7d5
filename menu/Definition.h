// The definition file (auto.tdf): the one document that carries a menu from
// the editor to the player. This module owns every section and key name,
// the buffer sizes and the defaults; every reader and writer of the file
// goes through it. It writes through the system's private-profile functions
// only, and reads through them or through the profile image (one reading of
// the whole file that answers exactly as they do).
#pragma once
#include "../platform/String.h"
#include "ProfileImage.h"
#include <vector>

class CDefinitionSnapshot;

namespace def {

// Section "100": general settings.
extern const wchar_t kGeneral[];          // "100"
extern const wchar_t kTitle[];            // "200"  window title (text)
extern const wchar_t kMenuCount[];        // "300"  menus 1..count exist
extern const wchar_t kBackground[];       // "400"  0-9 stock background, 99 own bitmap
extern const wchar_t kTemplate[];         // "500"  layout index 0-9
extern const wchar_t kStartupSound[];     // "600"
extern const wchar_t kHoverSound[];       // "700"
extern const wchar_t kSelectSound[];      // "800"
extern const wchar_t kMenuChangeSound[];  // "900"

// Colour sections and their component keys.
extern const wchar_t kNormalColor[];      // "1000"
extern const wchar_t kHighlightColor[];   // "1100"
extern const wchar_t kRed[];              // "1200"
extern const wchar_t kGreen[];            // "1300"
extern const wchar_t kBlue[];             // "1400"

// Bases of the per-menu sections: base followed by the menu number ("%s%d").
extern const wchar_t kTextBase[];         // "1500" keys 1-12 lines, 13/14 headings
extern const wchar_t kQuitBase[];         // "1600" keys 1-12 quit flags
extern const wchar_t kActionBase[];       // "1700" keys 1-12 program or go-to
extern const wchar_t kParamsBase[];       // "1800" keys 1-12 parameters
extern const wchar_t kWorkDirBase[];      // "1900" keys 1-12 working directories
// A line's condition (see Conditions.h) and how it starts its program. A
// definition without these sections shows every line, as it always did.
extern const wchar_t kConditionBase[];    // "2000" keys 1-12 kind: version, 64bit, file, registry, opens...
extern const wchar_t kConditionValueBase[];  // "2100" keys 1-12 what the kind asks for
extern const wchar_t kConditionNotBase[];    // "2200" keys 1-12 "TRUE": the condition negated
extern const wchar_t kConditionHideBase[];   // "2300" keys 1-12 "HIDE": hidden when not met, else greyed
extern const wchar_t kRunAsBase[];        // "2400" keys 1-12 "TRUE": run the program as administrator

extern const wchar_t kTrue[];             // "TRUE": the only text that means yes
extern const wchar_t kFalse[];            // "FALSE"

// The files of a disc's root folder (and of the editor's work folder).
extern const wchar_t kDefinitionFile[];   // "auto.tdf"
extern const wchar_t kBackgroundFile[];   // "autorun.bmp"
extern const wchar_t kPlayerFile[];       // "autorun.exe"
extern const wchar_t kAutoRunFile[];      // "autorun.inf"

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
inline constexpr wchar_t kGoToPrefix[] = L"_menu";
const int kGoToPrefixLength = sizeof kGoToPrefix / sizeof kGoToPrefix[0] - 1;

// The keys that belong to the disc rather than to a language: the layout,
// the background, the sounds, the menu count and the colours. Every
// language variant of a definition holds the same values for them.
struct KeyName {
    const wchar_t* section;
    const wchar_t* key;
};
extern const KeyName kSharedKeys[];
extern const int kSharedKeyCount;

// A quit flag means yes only when it reads exactly "TRUE".
bool IsTrue(const wchar_t* flag);
// A colour from stored components: the low 8 bits of each (a COLORREF).
unsigned long ColorFromComponents(int red, int green, int blue);
void ComponentsOfColor(unsigned long rgb, int components[3]);

}  // namespace def

// "1500" and 12 give "150012".
CString MenuSection(const wchar_t* base, int menu);

// The definition file beside an executable: "%sauto%s.tdf" from the
// executable's directory (with its trailing backslash) and the command-line tail.
CString DefinitionPathFor(const wchar_t* directoryWithSlash, const wchar_t* commandTail);

// Directory part of a path including its last backslash ("" if none).
CString DirectoryWithSlash(const wchar_t* path);

// A value read through a buffer of bufferSize characters, without the first
// half of a letter written as two UTF-16 units that the cut left at its end.
CString ReadCut(CString value, int bufferSize);

// Clamp a stored menu count to what the tables can hold (0..200).
int ClampMenuCount(int stored);

class CDefinitionFile {
public:
    explicit CDefinitionFile(const wchar_t* path) : m_path(path) {}
    const CString& Path() const { return m_path; }

    CString ReadString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                       int bufferSize) const;
    int ReadInt(const wchar_t* section, const wchar_t* key, int fallback) const;

    // Writes refuse texts holding a carriage return or line feed: the
    // profile functions would write them raw and a line break would start
    // new keys or sections in the file. They refuse texts of kMaxWritten
    // characters or more too, which the system stores as garbage.
    bool WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value) const;
    bool WriteInt(const wchar_t* section, const wchar_t* key, int value) const;
    static const size_t kMaxWritten = 32767;
    //
    // A write keeps the file in a form every Windows reads alike: a file of
    // plain ASCII stays ANSI as long as it gets plain ASCII; a letter beyond
    // ASCII, in the file or in the write, turns the file into UTF-16
    // little-endian with its mark first (from the machine's code page for
    // an ANSI file), and so does a UTF-8 or big-endian mark. That happens in
    // one step: when it fails, the file is as it was and nothing is written.

    // The same, but a write that would leave the file's text as it is is not
    // made: the file then stays exactly as it is (in its form too: a UTF-8
    // file stays UTF-8 until a write changes something), and is only
    // rewritten when something changes, which for a large definition is what
    // a write costs.
    bool UpdateString(const wchar_t* section, const wchar_t* key, const wchar_t* value) const;
    bool UpdateInt(const wchar_t* section, const wchar_t* key, int value) const;
    // Takes the key out of its section (a missing key stays missing).
    bool DeleteKey(const wchar_t* section, const wchar_t* key) const;
    // The same, decided on a reading of the file taken before (valid while
    // nothing but these updates wrote since); keys "1".."keyCount" get
    // values[k - 1]. *wrote (when given) tells whether the file was written.
    bool UpdateString(const CDefinitionSnapshot& snapshot, const wchar_t* section, const wchar_t* key,
                      const wchar_t* value) const;
    bool UpdateNumberedKeys(const CDefinitionSnapshot& snapshot, const wchar_t* section, int keyCount,
                            const CString* values, bool* wrote = nullptr) const;

private:
    bool PrepareForm(const wchar_t* section, const wchar_t* key, const wchar_t* value) const;
    CString m_path;
};

// Gives each of the other files the shared keys (def::kSharedKeys) of the
// source definition, as values or as missing keys, in one step: every file
// is written beside itself first, and all of them replace their originals
// only when every one was written. False, with every file as it was, when
// one could not be written.
bool ShareKeys(const wchar_t* sourcePath, const std::vector<CString>& otherPaths);

// One reading of the whole definition file that answers as the profile
// functions would for the file as it was then: many keys for the price of
// one file read. A file that cannot be read whole (missing, locked, larger
// than any definition) is read through the profile functions instead.
class CDefinitionSnapshot {
public:
    explicit CDefinitionSnapshot(const CDefinitionFile& file);
    // It keeps a reference to the file: never to a temporary.
    explicit CDefinitionSnapshot(CDefinitionFile&&) = delete;

    CString ReadString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback, int bufferSize) const;
    int ReadInt(const wchar_t* section, const wchar_t* key, int fallback) const;
    // Keys "1".."keyCount" of one section, values[k - 1] receiving key k as
    // a read with the buffer size and an empty fallback gives it.
    void ReadNumberedKeys(const wchar_t* section, int keyCount, int bufferSize, CString* values) const;
    // True when the key has a value (a read does not give the fallback).
    bool HasValue(const wchar_t* section, const wchar_t* key) const;
    // True when a plain write of value would leave the file as it is.
    bool WriteChangesNothing(const wchar_t* section, const wchar_t* key, const wchar_t* value) const;

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
    CString condition[def::kMaxMenus][def::kLines];
    CString conditionValue[def::kMaxMenus][def::kLines];
    CString conditionNot[def::kMaxMenus][def::kLines];
    CString conditionHide[def::kMaxMenus][def::kLines];
    CString runAs[def::kMaxMenus][def::kLines];
};

struct MenuSettings {
    int layout = def::kTemplateDefaultPlayer;   // key "500" as the player reads it
    CString title;
    CString hoverSound, selectSound, menuChangeSound, startupSound;
    int menuCount = 1;          // as clamped: 0..200
    int normalRGB[3] = {0, 0, 0};
    int highlightRGB[3] = {255, 255, 255};
};

// Reads section "100" (the layout too), the colours and menus 1..count (count clamped to 200)
// the way the player does. Menus above the count stay as they were (empty).
void ReadMenuDefinition(const CDefinitionFile& file, MenuSettings& settings, MenuTables& tables);

// Reads the texts (lines 1-12, headings) of menus 1..menuCount, the count
// clamped to 0..200, as per-key reads with the text buffer would; texts[n - 1]
// receives menu n. Menus above the count are left as they are.
void ReadMenuTexts(const CDefinitionSnapshot& file, int menuCount, CString (*texts)[def::kTexts]);
