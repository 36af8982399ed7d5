#include "Signature.h"

namespace sig {

namespace {

std::uint32_t U16(const unsigned char* p) { return static_cast<std::uint32_t>(p[0] | p[1] << 8); }
std::uint32_t U32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

const std::size_t kHeadRead = 4096;
const std::uint32_t kSecurityDirectory = 4;   // IMAGE_DIRECTORY_ENTRY_SECURITY

}  // namespace

Program ReadHeaders(const unsigned char* head, std::size_t n, std::uint64_t fileLength, std::uint32_t* offset,
                    std::uint32_t* length) {
    if (!head || n < 0x40 || head[0] != 'M' || head[1] != 'Z') return Program::kNotAProgram;
    const std::uint32_t pe = U32(head + 0x3C);
    // The PE signature, the file header (20 bytes), the optional header's magic.
    if (pe > n || n - pe < 4 + 20 + 2 || head[pe] != 'P' || head[pe + 1] != 'E' || head[pe + 2] || head[pe + 3])
        return Program::kNotAProgram;
    const std::uint32_t optional = pe + 24;
    const std::uint32_t optionalSize = U16(head + pe + 20);
    const std::uint32_t magic = U16(head + optional);
    // The data directories follow 96 (PE32) or 112 (PE32+) bytes of the
    // optional header, after their count.
    std::uint32_t directories;
    if (magic == 0x10B) directories = optional + 96;
    else if (magic == 0x20B) directories = optional + 112;
    else return Program::kNotAProgram;
    if (directories - optional > optionalSize || n < directories) return Program::kUnsigned;
    const std::uint32_t count = U32(head + directories - 4);
    const std::uint32_t entry = directories + 8 * kSecurityDirectory;
    if (count <= kSecurityDirectory || entry + 8 > n || entry + 8 > optional + optionalSize) return Program::kUnsigned;
    // This directory's address is a file offset, not a memory address.
    const std::uint32_t at = U32(head + entry), size = U32(head + entry + 4);
    if (at == 0 || size < 8 || static_cast<std::uint64_t>(at) + size > fileLength) return Program::kUnsigned;
    *offset = at;
    *length = size;
    return Program::kSigned;
}

bool IsSignatureEntry(const unsigned char* entry, std::size_t n) {
    if (!entry || n < 8) return false;
    const std::uint32_t length = U32(entry), type = U16(entry + 6);
    // WIN_CERT_TYPE_PKCS_SIGNED_DATA, with room for a signature.
    return type == 2 && length > 8;
}

Program Examine(DiscFiles& files, const std::string& path, std::uint64_t fileLength) {
    DiscFiles::Handle file = files.OpenRead(path);
    if (!file) return Program::kNotAProgram;
    unsigned char head[kHeadRead];
    long long got = files.Read(file, head, sizeof head);
    std::uint32_t at = 0, size = 0;
    Program found = got > 0 ? ReadHeaders(head, static_cast<std::size_t>(got), fileLength, &at, &size)
                            : Program::kNotAProgram;
    if (found == Program::kSigned && static_cast<std::uint64_t>(at) + 8 <= static_cast<std::uint64_t>(got)) {
        found = IsSignatureEntry(head + at, 8) ? Program::kSigned : Program::kUnsigned;
    } else if (found == Program::kSigned) {
        // The certificate table is past what was read: go there.
        unsigned char entry[8];
        found = at >= static_cast<std::uint64_t>(got) && files.Skip(file, at - static_cast<std::uint64_t>(got)) &&
                        files.Read(file, entry, sizeof entry) == 8 && IsSignatureEntry(entry, 8)
                    ? Program::kSigned
                    : Program::kUnsigned;
    }
    files.Close(file);
    return found;
}

}  // namespace sig
