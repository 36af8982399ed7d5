// Small file helpers for the editor's tests on real files.
#pragma once
#include "support/tempdir.h"
#include <windows.h>
#include <string>
#include <vector>

namespace files {

inline bool IsDirectory(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool IsReadOnly(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}

using files::Names;

}  // namespace files
