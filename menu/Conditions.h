// Lines that fit the computer: a line may require something of the PC it
// runs on (a Windows version, 64-bit Windows, a file or folder, a registry
// value, a program for a file type), or its negation. When the condition is
// not met the line is hidden (its place stays empty) or greyed (shown, but
// nothing lights, clicks or keys reach it). Plain code: what the system
// says comes through an interface the tests replace.
#pragma once
#include "../platform/String.h"

namespace cond {

enum class Kind { kNone, kVersion, kWindows64, kPath, kRegistry, kOpens, kUnknown };
enum class View { kNative, k32, k64 };

// What a line requires, as read from the definition.
struct Condition {
    Kind kind = Kind::kNone;
    bool negate = false;          // shown when the requirement is NOT met
    bool hide = false;            // not met: hidden; else greyed
    CString value;                // the version, path, registry value or file type
    View view = View::kNative;    // registry: which view
};

// The stored words: the kind ("version", "64bit", "file", "registry",
// "registry32", "registry64", "opens"; empty for none), the value, the
// negation flag ("TRUE") and what happens when not met ("HIDE", else grey).
Condition Parse(const wchar_t* kind, const wchar_t* value, const wchar_t* negate, const wchar_t* whenNotMet);

// The words for a condition, the other way round.
const wchar_t* KindWord(const Condition& c);

// What the PC is and has.
class System {
public:
    virtual ~System() {}
    // The real Windows version, whatever the program's manifest declares.
    virtual void Version(unsigned& major, unsigned& minor) = 0;
    // Windows itself is 64-bit (a 32-bit program on it too says yes).
    virtual bool Windows64() = 0;
    // Environment variables expanded, %ProgramFiles% and
    // %CommonProgramFiles% as the 64-bit folders on 64-bit Windows.
    virtual CString Expand(const wchar_t* text) = 0;
    // A file or folder at this full path, seen as a 64-bit program sees it.
    virtual bool Exists(const wchar_t* path) = 0;
    // A value under HKLM (machine) or HKCU, in the view asked for (64-bit
    // or 32-bit; only one on 32-bit Windows). An empty value name asks for
    // the key's default value.
    virtual bool RegistryValue(bool machine, const wchar_t* key, const wchar_t* name, bool view64) = 0;
    // Some program opens files of this type (".pdf").
    virtual bool Opens(const wchar_t* extension) = 0;
};

// Why a condition cannot be checked (an unknown kind, a version that is no
// "6.1", a registry path without HKLM or HKCU, a file type without its
// dot...), or "" when it can. Such a condition is never met.
CString Problem(const Condition& c);

// Whether the line shows as usual: no condition, or one met (or, negated,
// not met). Relative paths count from the disc's folder (with its
// trailing backslash).
bool Met(const Condition& c, System& system, const wchar_t* discFolder);

// The PC this runs on, asked through Windows.
class WindowsSystem : public System {
public:
    void Version(unsigned& major, unsigned& minor) override;
    bool Windows64() override;
    CString Expand(const wchar_t* text) override;
    bool Exists(const wchar_t* path) override;
    bool RegistryValue(bool machine, const wchar_t* key, const wchar_t* name, bool view64) override;
    bool Opens(const wchar_t* extension) override;
};

// A line of the listing: "requires file %ProgramFiles%\App\app.exe,
// hidden otherwise", "" for none.
CString Describe(const Condition& c);

}  // namespace cond
