// An in-memory image of an INI file that answers exactly as the system's
// private-profile functions do for that file: the same decoding, line
// splitting, trimming, section and key matching (first match, ASCII letters
// without regard to case), quote stripping, cutting to the buffer size and
// integer conversion; and it tells when a single-key write would leave the
// file as it is.
//
// It exists for speed: the player reads up to a thousand sections at start,
// and every profile call opens the file anew. The image reads the file once.
// It is the one reader of the profile rules in the programs: the player, the
// wizard and the menu listing all go through it.
//
// The system reads the file as text in one of four forms, and so does the
// image: ANSI (the code page of the A functions), UTF-8 with a byte-order
// mark, and UTF-16 little- or big-endian with a mark. Like the system it
// works on the text as UTF-16 and converts what it returns to the ANSI code
// page with the same system conversion the A functions use.
#pragma once
#include "../platform/String.h"
#include <cstddef>
#include <cstdint>
#include <memory>

class CProfileImage {
public:
    // Reads the file once. False when it cannot be read whole (missing,
    // locked, larger than any definition) or memory runs out; the image is
    // then empty.
    bool Load(const char* path);
    // The same for a file's bytes in memory.
    bool Parse(const char* data, size_t size);

    // The index of the first section of that name (-1 when there is none),
    // for reading many keys of one section.
    int FindSection(const char* section) const;

    // What GetPrivateProfileStringA(section, key, fallback, buffer,
    // bufferSize) puts into its buffer.
    CString ReadString(int section, const char* key, const char* fallback, int bufferSize) const;
    CString ReadString(const char* section, const char* key, const char* fallback, int bufferSize) const {
        return ReadString(FindSection(section), key, fallback, bufferSize);
    }
    // What GetPrivateProfileIntA(section, key, fallback) returns.
    int ReadInt(int section, const char* key, int fallback) const;
    // True when a read gives the key's value rather than the fallback.
    bool HasValue(int section, const char* key) const;

    // True exactly when WritePrivateProfileStringA(section, key, value)
    // would leave the file as it is, byte for byte.
    bool WriteChangesNothing(const char* section, const char* key, const char* value) const;

private:
    // Positions in the text: no file the image takes has 4 G characters.
    typedef uint32_t Offset;
    struct Span { Offset at, length; };
    struct Key { Span name, value; bool hasValue; };
    struct Section { Span name; Offset firstKey, keyCount; };

    char* Reserve(size_t size);
    bool Decode(size_t size);
    bool Index();
    // The key's entry in the section, or nullptr when the section has none.
    const Key* FindKey(int section, const char* key) const;
    int CompareName(const Span& stored, const wchar_t* wanted, size_t wantedLength) const;

    // Plain arrays sized from the text: the player avoids the standard
    // containers, which would double its size.
    std::unique_ptr<wchar_t[]> m_text;
    size_t m_length = 0;
    std::unique_ptr<Section[]> m_sections;
    size_t m_sectionCount = 0;
    std::unique_ptr<Key[]> m_keys;
    size_t m_keyCount = 0;
    std::unique_ptr<Offset[]> m_byName;   // section indexes sorted by name, then by position
};
