#include "Conditions.h"
#include "Definition.h"

namespace cond {

namespace {

struct KindName { Kind kind; View view; const wchar_t* word; };
const KindName kKinds[] = {
    {Kind::kVersion, View::kNative, L"version"},   {Kind::kWindows64, View::kNative, L"64bit"},
    {Kind::kPath, View::kNative, L"file"},         {Kind::kRegistry, View::kNative, L"registry"},
    {Kind::kRegistry, View::k32, L"registry32"},   {Kind::kRegistry, View::k64, L"registry64"},
    {Kind::kOpens, View::kNative, L"opens"},
};

// "6.1" or "10.0": the major and minor version; false for anything else.
bool ParseVersion(const CString& text, unsigned& major, unsigned& minor) {
    major = minor = 0;
    size_t i = 0, digits = 0;
    for (; i < text.GetLength() && text[i] >= L'0' && text[i] <= L'9' && digits < 5; ++i, ++digits)
        major = major * 10 + static_cast<unsigned>(text[i] - L'0');
    if (digits == 0) return false;
    if (i == text.GetLength()) return true;
    if (text[i] != L'.') return false;
    ++i;
    digits = 0;
    for (; i < text.GetLength() && text[i] >= L'0' && text[i] <= L'9' && digits < 5; ++i, ++digits)
        minor = minor * 10 + static_cast<unsigned>(text[i] - L'0');
    return digits > 0 && i == text.GetLength();
}

// "HKLM\Software\Vendor\Product\Version": the root, the key and the value
// name (after the last backslash; a trailing backslash asks for the key's
// default value).
bool SplitRegistry(const CString& text, bool& machine, CString& key, CString& name) {
    const int first = text.Find(L'\\');
    if (first <= 0) return false;
    const CString root = text.Left(static_cast<size_t>(first));
    if (root.EqualsNoCase(L"HKLM") || root.EqualsNoCase(L"HKEY_LOCAL_MACHINE")) machine = true;
    else if (root.EqualsNoCase(L"HKCU") || root.EqualsNoCase(L"HKEY_CURRENT_USER")) machine = false;
    else return false;
    const int last = text.ReverseFind(L'\\');
    key = text.Mid(static_cast<size_t>(first) + 1, static_cast<size_t>(last - first - 1));
    name = text.Mid(static_cast<size_t>(last) + 1);
    return !key.IsEmpty() && last > first;
}

bool IsFileType(const CString& text) {
    if (text.GetLength() < 2 || text[0] != L'.' || text.GetLength() > 32) return false;
    for (size_t i = 1; i < text.GetLength(); ++i)
        if (text[i] == L'\\' || text[i] == L'/' || text[i] == L'.' || text[i] <= L' ') return false;
    return true;
}

bool IsAbsolute(const CString& path) {
    return (path.GetLength() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) ||
           path.StartsWith(L"\\\\");
}

}  // namespace

Condition Parse(const wchar_t* kind, const wchar_t* value, const wchar_t* negate, const wchar_t* whenNotMet) {
    Condition c;
    const CString word(kind);
    if (!word.IsEmpty()) {
        c.kind = Kind::kUnknown;
        for (const KindName& k : kKinds)
            if (word.EqualsNoCase(k.word)) {
                c.kind = k.kind;
                c.view = k.view;
            }
    }
    c.value = value;
    c.negate = def::IsTrue(negate);
    c.hide = CString(whenNotMet).EqualsNoCase(L"HIDE");
    return c;
}

const wchar_t* KindWord(const Condition& c) {
    for (const KindName& k : kKinds)
        if (k.kind == c.kind && k.view == c.view) return k.word;
    return L"";
}

CString Problem(const Condition& c) {
    unsigned major, minor;
    bool machine;
    CString key, name;
    switch (c.kind) {
    case Kind::kNone: case Kind::kWindows64: return CString();
    case Kind::kUnknown: return L"the kind of condition is not one the player knows";
    case Kind::kVersion:
        return ParseVersion(c.value, major, minor) ? CString() : CString(L"the Windows version is not written as 6.1 or 10.0");
    case Kind::kPath: return c.value.IsEmpty() ? CString(L"the condition names no file or folder") : CString();
    case Kind::kRegistry:
        return SplitRegistry(c.value, machine, key, name)
                   ? CString()
                   : CString(L"the registry value is not written as HKLM\\key\\value or HKCU\\key\\value");
    case Kind::kOpens: return IsFileType(c.value) ? CString() : CString(L"the file type is not written as .pdf");
    }
    return CString();
}

bool Met(const Condition& c, System& system, const wchar_t* discFolder) {
    if (c.kind == Kind::kNone) return true;
    // A condition that cannot be checked is not met, negated or not: the
    // line never offers what nobody could say is there.
    if (!Problem(c).IsEmpty()) return false;
    bool holds = false;
    switch (c.kind) {
    case Kind::kVersion: {
        unsigned wantMajor, wantMinor, major = 0, minor = 0;
        ParseVersion(c.value, wantMajor, wantMinor);
        system.Version(major, minor);
        holds = major > wantMajor || (major == wantMajor && minor >= wantMinor);
        break;
    }
    case Kind::kWindows64: holds = system.Windows64(); break;
    case Kind::kPath: {
        CString path = system.Expand(c.value);
        if (!IsAbsolute(path)) path = CString(discFolder) + path;
        holds = system.Exists(path);
        break;
    }
    case Kind::kRegistry: {
        bool machine = false;
        CString key, name;
        SplitRegistry(c.value, machine, key, name);
        const bool view64 = c.view == View::k64 || (c.view == View::kNative && system.Windows64());
        holds = system.RegistryValue(machine, key, name, view64);
        break;
    }
    case Kind::kOpens: holds = system.Opens(c.value); break;
    default: return false;
    }
    return c.negate ? !holds : holds;
}

CString Describe(const Condition& c) {
    if (c.kind == Kind::kNone) return CString();
    CString what;
    switch (c.kind) {
    case Kind::kVersion: what = L"Windows " + c.value + L" or later"; break;
    case Kind::kWindows64: what = L"64-bit Windows"; break;
    case Kind::kPath: what = L"file " + c.value; break;
    case Kind::kRegistry:
        what = CString(c.view == View::k32 ? L"registry value (32-bit) " : c.view == View::k64 ? L"registry value (64-bit) "
                                                                                             : L"registry value ") + c.value;
        break;
    case Kind::kOpens: what = L"a program for " + c.value + L" files"; break;
    default: what = L"an unknown condition"; break;
    }
    return CString(c.negate ? L"requires no " : L"requires ") + what + (c.hide ? L", hidden otherwise" : L", greyed otherwise");
}

}  // namespace cond
