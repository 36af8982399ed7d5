// DibBytes.h - the little-endian fields of a packed bitmap, read and written
// byte by byte.
//
// Byte by byte rather than through a cast: the fields of a hostile block need
// not be aligned, and the reading must not depend on the host's byte order
// (the sanitizer build runs on the host).  Shared by the header reader
// (DibFormat.cpp) and the row decoder (DibDecode.cpp); nothing else needs it.

#pragma once

#include <cstdint>

namespace dibfmt {
namespace bytes {

inline std::uint16_t ReadU16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t ReadU32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void WriteU16(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v & 0xFF);
    p[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

inline void WriteU32(unsigned char* p, std::uint32_t v) {
    WriteU16(p, v & 0xFFFF);
    WriteU16(p + 2, v >> 16);
}

}  // namespace bytes
}  // namespace dibfmt
