// What the menu's conditions ask of the PC, asked through Windows. Calls
// that old Windows lacks are looked up by name, so that the player still
// starts there.
#include "Conditions.h"
#include <windows.h>

namespace cond {

namespace {

FARPROC Function(const wchar_t* module, const char* name) {
    HMODULE m = GetModuleHandleW(module);
    return m ? GetProcAddress(m, name) : nullptr;
}

template <typename F>
F As(FARPROC p) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(p));
}

bool Running32On64() {
    typedef BOOL(WINAPI * IsWow64Fn)(HANDLE, PBOOL);
    IsWow64Fn isWow64 = As<IsWow64Fn>(Function(L"kernel32.dll", "IsWow64Process"));
    BOOL wow = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow) && wow;
}

CString Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = L"";
    const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? CString(value) : CString();
}

// Replaces a leading %name% (any letter case) by another text.
bool ReplaceVariable(CString& text, const wchar_t* name, const CString& by) {
    const CString variable = CString(L"%") + name + L"%";
    if (by.IsEmpty() || text.GetLength() < variable.GetLength()) return false;
    if (!text.Left(variable.GetLength()).EqualsNoCase(variable)) return false;
    text = by + text.Mid(variable.GetLength());
    return true;
}

}  // namespace

void WindowsSystem::Version(unsigned& major, unsigned& minor) {
    // GetVersionEx answers what the manifest declares; the kernel's own
    // call answers what Windows is.
    typedef LONG(WINAPI * RtlGetVersionFn)(OSVERSIONINFOW*);
    RtlGetVersionFn rtlGetVersion = As<RtlGetVersionFn>(Function(L"ntdll.dll", "RtlGetVersion"));
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!(rtlGetVersion && rtlGetVersion(&info) == 0)) GetVersionExW(&info);
    major = info.dwMajorVersion;
    minor = info.dwMinorVersion;
}

bool WindowsSystem::Windows64() {
    return sizeof(void*) == 8 || Running32On64();
}

CString WindowsSystem::Expand(const wchar_t* text) {
    CString in(text);
    // A 32-bit program's %ProgramFiles% is the 32-bit folder; the disc means
    // the PC's own.
    if (Running32On64()) {
        ReplaceVariable(in, L"ProgramFiles", Environment(L"ProgramW6432")) ||
            ReplaceVariable(in, L"CommonProgramFiles", Environment(L"CommonProgramW6432"));
    }
    wchar_t out[1024] = L"";
    const DWORD n = ExpandEnvironmentStringsW(in, out, 1024);
    return n > 0 && n <= 1024 ? CString(out) : in;
}

bool WindowsSystem::Exists(const wchar_t* path) {
    // As a 64-bit program sees it: no redirection of the system folder.
    typedef BOOL(WINAPI * DisableFn)(PVOID*);
    typedef BOOL(WINAPI * RevertFn)(PVOID);
    DisableFn disable = As<DisableFn>(Function(L"kernel32.dll", "Wow64DisableWow64FsRedirection"));
    RevertFn revert = As<RevertFn>(Function(L"kernel32.dll", "Wow64RevertWow64FsRedirection"));
    PVOID old = nullptr;
    const bool redirected = disable && revert && Running32On64() && disable(&old);
    const bool found = GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
    if (redirected) revert(old);
    return found;
}

bool WindowsSystem::RegistryValue(bool machine, const wchar_t* key, const wchar_t* name, bool view64) {
    // The view flags mean nothing to 32-bit Windows, which has one view.
    REGSAM access = KEY_QUERY_VALUE;
    if (Windows64()) access |= view64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key, 0, access, &opened) != ERROR_SUCCESS)
        return false;
    const bool found = RegQueryValueExW(opened, name && *name ? name : nullptr, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return found;
}

bool WindowsSystem::Opens(const wchar_t* extension) {
    // The shell's own answer where it has one (Windows 2000 and later).
    HMODULE shlwapi = LoadLibraryW(L"shlwapi.dll");
    typedef HRESULT(WINAPI * AssocQueryFn)(DWORD, DWORD, LPCWSTR, LPCWSTR, LPWSTR, DWORD*);
    AssocQueryFn query = shlwapi ? As<AssocQueryFn>(GetProcAddress(shlwapi, "AssocQueryStringW")) : nullptr;
    bool opens = false;
    if (query) {
        const DWORD kExecutable = 2;   // ASSOCSTR_EXECUTABLE
        wchar_t program[MAX_PATH] = L"";
        DWORD size = MAX_PATH;
        opens = query(0, kExecutable, extension, nullptr, program, &size) == S_OK && program[0];
    } else {
        // The type's class, and a command to open it.
        wchar_t progId[256] = L"";
        LONG size = sizeof progId;
        if (RegQueryValueW(HKEY_CLASSES_ROOT, extension, progId, &size) == ERROR_SUCCESS && progId[0]) {
            HKEY command = nullptr;
            if (RegOpenKeyExW(HKEY_CLASSES_ROOT, (CString(progId) + L"\\shell\\open\\command").c_str(), 0,
                              KEY_QUERY_VALUE, &command) == ERROR_SUCCESS) {
                opens = true;
                RegCloseKey(command);
            }
        }
    }
    if (shlwapi) FreeLibrary(shlwapi);
    return opens;
}

}  // namespace cond
