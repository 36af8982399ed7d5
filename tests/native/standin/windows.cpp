#include "windows.h"
#include <cstring>
#include <vector>

namespace {

// Code page 1252 where it differs from Latin-1; its five unused bytes map
// to the control characters of the same number, as the system maps them.
const unsigned short k1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// UTF-8 to UTF-16; each maximal run of a broken sequence is one U+FFFD, so
// there are never more units than bytes.
void FromUtf8(const unsigned char* b, std::size_t n, std::vector<wchar_t>& out) {
    for (std::size_t i = 0; i < n;) {
        unsigned c = b[i++];
        if (c < 0x80) { out.push_back(static_cast<wchar_t>(c)); continue; }
        int more = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : -1;
        // The second byte's range excludes overlong forms, surrogates and
        // characters beyond U+10FFFF.
        unsigned lo = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
        unsigned hi = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
        unsigned cp = more == 1 ? c & 0x1F : more == 2 ? c & 0x0F : c & 0x07;
        int got = 0;
        for (; more > 0 && got < more && i < n; ++got, ++i) {
            unsigned next = b[i];
            if (next < (got == 0 ? lo : 0x80) || next > (got == 0 ? hi : 0xBF)) break;
            cp = cp << 6 | (next & 0x3F);
        }
        if (more < 0 || got < more) { out.push_back(static_cast<wchar_t>(0xFFFD)); continue; }
        if (cp < 0x10000) {
            out.push_back(static_cast<wchar_t>(cp));
        } else {
            out.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        }
    }
}

}  // namespace

BOOL GetCPInfo(UINT codePage, CPINFO* info) {
    if (codePage != CP_ACP || !info) return FALSE;
    std::memset(info, 0, sizeof *info);
    info->MaxCharSize = 1;
    info->DefaultChar[0] = '?';
    return TRUE;
}

int MultiByteToWideChar(UINT codePage, DWORD, const char* bytes, int byteCount, wchar_t* out, int outCount) {
    if (!bytes || byteCount == 0 || byteCount < -1 || outCount < 0 || (codePage != CP_ACP && codePage != CP_UTF8))
        return 0;
    std::size_t n = byteCount < 0 ? std::strlen(bytes) + 1 : static_cast<std::size_t>(byteCount);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes);
    std::vector<wchar_t> text;
    if (codePage == CP_UTF8) {
        FromUtf8(b, n, text);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            text.push_back(static_cast<wchar_t>(b[i] >= 0x80 && b[i] < 0xA0 ? k1252[b[i] - 0x80] : b[i]));
    }
    if (outCount == 0) return static_cast<int>(text.size());
    if (!out || text.size() > static_cast<std::size_t>(outCount)) return 0;
    std::memcpy(out, text.data(), text.size() * sizeof(wchar_t));
    return static_cast<int>(text.size());
}

HANDLE CreateFileW(const wchar_t*, DWORD, DWORD, void*, DWORD, DWORD, HANDLE) { return INVALID_HANDLE_VALUE; }
DWORD GetFileSize(HANDLE, DWORD* high) {
    if (high) *high = 0;
    return INVALID_FILE_SIZE;
}
BOOL ReadFile(HANDLE, void*, DWORD, DWORD* got, void*) {
    if (got) *got = 0;
    return FALSE;
}
BOOL CloseHandle(HANDLE) { return FALSE; }
