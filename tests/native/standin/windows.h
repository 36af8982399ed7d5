// The few Windows calls the profile reader and the text type make, for a
// build on another system: conversions from the ANSI code page (1252, as on
// the machines the readers were measured on) and UTF-8, and file calls that
// always fail, so that only bytes in memory are read.
//
// Texts are UTF-16 code units in wchar_t, whatever its width here.
#pragma once
#include <cstdint>

typedef int BOOL;
typedef unsigned int UINT;
typedef std::uint32_t DWORD;
typedef std::uint8_t BYTE;
typedef void* HANDLE;

#define TRUE 1
#define FALSE 0
#define CP_ACP 0u
#define CP_UTF8 65001u
#define MAX_DEFAULTCHAR 2
#define MAX_LEADBYTES 12
#define GENERIC_READ 0x80000000u
#define FILE_SHARE_READ 1u
#define FILE_SHARE_WRITE 2u
#define OPEN_EXISTING 3u
#define FILE_ATTRIBUTE_NORMAL 0x80u
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(-1))
#define INVALID_FILE_SIZE 0xFFFFFFFFu

struct CPINFO {
    UINT MaxCharSize;
    BYTE DefaultChar[MAX_DEFAULTCHAR];
    BYTE LeadByte[MAX_LEADBYTES];
};

BOOL GetCPInfo(UINT codePage, CPINFO* info);
// As the system converts: broken UTF-8 becomes U+FFFD, a character beyond
// U+FFFF a surrogate pair; a length of -1 includes the closing NUL; an
// output of 0 units asks for the length; too little room gives 0.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* bytes, int byteCount, wchar_t* out, int outCount);

HANDLE CreateFileW(const wchar_t* path, DWORD access, DWORD share, void* security, DWORD creation, DWORD flags,
                   HANDLE templateFile);
DWORD GetFileSize(HANDLE file, DWORD* high);
BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* got, void* overlapped);
BOOL CloseHandle(HANDLE handle);
