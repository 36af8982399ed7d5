// Whether a program carries an Authenticode signature: Windows 11's Smart
// App Control blocks unsigned programs that come from a downloaded disc
// image, and SmartScreen warns about them. Only the signature's presence is
// looked at (the certificate table of the program's header holding a
// PKCS #7 signature), not whether it checks: that is Windows' business at
// the time the program starts.
#pragma once
#include "DiscFiles.h"
#include <cstddef>
#include <cstdint>
#include <string>

namespace sig {

enum class Program { kNotAProgram, kUnsigned, kSigned };

// From the first bytes of a file (its headers) and its length: where the
// certificate table lies, if the file is a Windows program (MZ, then PE).
// kNotAProgram for anything else, kUnsigned for a program without a table
// inside the file; for a table, *offset and *length tell where it lies and
// the caller reads its first entry.
Program ReadHeaders(const unsigned char* head, std::size_t headLength, std::uint64_t fileLength,
                    std::uint32_t* offset, std::uint32_t* length);

// A certificate table entry (8 bytes at least): a PKCS #7 signature.
bool IsSignatureEntry(const unsigned char* entry, std::size_t length);

// The file at this path, read through the disc's file access.
Program Examine(DiscFiles& files, const std::string& path, std::uint64_t fileLength);

}  // namespace sig
