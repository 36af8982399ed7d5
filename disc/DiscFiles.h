// The file-system access of the disc image writer and the disc check, behind
// a small interface: the editor uses the Windows calls, the host tests the
// POSIX ones, and the writer itself stays plain code.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class DiscFiles {
public:
    typedef std::intptr_t Handle;       // 0: none
    struct Item {
        std::string name;               // as the system names it (for paths)
        std::u16string wide;            // the same name in UCS-2
        bool folder = false;
        std::uint64_t size = 0;
        std::int64_t modified = 0;      // seconds since 1970-01-01 UTC
    };

    virtual ~DiscFiles() {}
    // The character that joins a folder and a name.
    virtual char Separator() const = 0;
    // The entries of a folder without "." and ".."; false when it cannot be read.
    virtual bool List(const std::string& folder, std::vector<Item>& items) = 0;
    virtual bool Exists(const std::string& path) = 0;
    // A text in the system's 8-bit code page as UCS-2.
    virtual std::u16string Wide(const std::string& text) = 0;

    virtual Handle OpenRead(const std::string& path) = 0;
    // Bytes read (0 at the end), or -1 on an error.
    virtual long long Read(Handle file, void* buffer, std::size_t size) = 0;

    // Creates or empties a file for writing.
    virtual Handle Create(const std::string& path) = 0;
    virtual bool Write(Handle file, const void* data, std::size_t size) = 0;
    // Moves on without writing: the gap reads as zeros (and may take no room).
    virtual bool Skip(Handle file, std::uint64_t size) = 0;
    // Sets the file's length (after a final skip) and closes it.
    virtual bool Finish(Handle file, std::uint64_t length) = 0;
    virtual void Close(Handle file) = 0;

    // Renames a file over another, replacing it.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;
    // Whether two paths name the same file as the system compares names.
    virtual bool SamePath(const std::string& a, const std::string& b) = 0;
};

// The Windows implementation (ANSI names converted with the ANSI code page).
DiscFiles& SystemDiscFiles();

// Joins a folder and a name with the separator (none doubled).
std::string JoinPath(const DiscFiles& files, const std::string& folder, const std::string& name);
