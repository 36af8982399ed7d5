// Small file and picture helpers shared by the Windows-side tests.
#pragma once
#include "text.h"
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace files {

// The whole file, or "" when it cannot be opened.
inline std::string ReadAll(const std::wstring& path) {
    std::string out;
    // Sharing delete too: a program may replace the file while a test polls it.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return out;
    char buf[8192];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
    CloseHandle(h);
    return out;
}
// The same for a path in UTF-8.
inline std::string ReadAll(const std::string& path) { return ReadAll(text::W(path)); }

// Writes the bytes as the whole file; false when that fails.
inline bool WriteAll(const std::wstring& path, const std::string& content) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == content.size();
}

// A folder's file names (no folders), in the order the system lists them.
inline std::vector<std::wstring> Names(const std::wstring& dirWithSlash) {
    std::vector<std::wstring> out;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dirWithSlash + L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.push_back(fd.cFileName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return out;
}
// The same in UTF-8.
inline std::vector<std::string> Names(const std::string& dirWithSlash) {
    std::vector<std::string> out;
    for (const std::wstring& n : Names(text::W(dirWithSlash))) out.push_back(text::U8(n));
    return out;
}

template <class Text> std::vector<Text> SortedNames(const Text& dirWithSlash) {
    std::vector<Text> out = Names(dirWithSlash);
    std::sort(out.begin(), out.end());
    return out;
}

// A picture's pixels as colours, top row first.
struct Pixels {
    int w = 0, h = 0;
    std::vector<COLORREF> px;
    COLORREF At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
    int Count(COLORREF c) const {
        int n = 0;
        for (COLORREF p : px) n += p == c;
        return n;
    }
};

// Takes the pixels of a bitmap and deletes it; empty for a null handle.
inline Pixels TakePixels(HBITMAP b) {
    Pixels p;
    if (!b) return p;
    BITMAP info;
    GetObjectA(b, sizeof info, &info);
    p.w = info.bmWidth;
    p.h = info.bmHeight;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = p.w;
    bi.bmiHeader.biHeight = -p.h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> bits(static_cast<size_t>(p.w) * p.h);
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, b, 0, p.h, bits.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(b);
    for (uint32_t v : bits) p.px.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    return p;
}

}  // namespace files
