// Small file helpers for the editor's tests on real files.
#pragma once
#include "support/tempdir.h"
#include <windows.h>
#include <string>
#include <vector>

namespace files {

inline bool IsDirectory(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
inline bool IsDirectory(const std::string& path) { return IsDirectory(text::W(path)); }

inline bool IsReadOnly(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}
inline bool IsReadOnly(const std::string& path) { return IsReadOnly(text::W(path)); }

using files::Names;

}  // namespace files
