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
// The image reads the file as text in one of four forms: ANSI (the
// machine's ANSI code page, as the wide functions convert it), UTF-8 with a
// byte-order mark, and UTF-16 little- or big-endian with a mark. It works
// on the text as UTF-16 and answers as the wide functions do, with no trip
// through a code page.
//
// Windows itself recognises only the UTF-16 little-endian mark (Wine reads
// all three): the image reads the other two by their marks on every
// Windows, so that a menu looks the same everywhere, and the editor turns
// such a file into UTF-16 little-endian before it writes to it.
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
    bool Load(const wchar_t* path);
    // The same for a file's bytes in memory.
    bool Parse(const char* data, size_t size);

    // The index of the first section of that name (-1 when there is none),
    // for reading many keys of one section.
    int FindSection(const wchar_t* section) const;

    // What GetPrivateProfileStringW(section, key, fallback, buffer,
    // bufferSize) puts into its buffer.
    CString ReadString(int section, const wchar_t* key, const wchar_t* fallback, int bufferSize) const;
    CString ReadString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback, int bufferSize) const {
        return ReadString(FindSection(section), key, fallback, bufferSize);
    }
    // What GetPrivateProfileIntW(section, key, fallback) returns.
    int ReadInt(int section, const wchar_t* key, int fallback) const;
    // True when a read gives the key's value rather than the fallback.
    bool HasValue(int section, const wchar_t* key) const;

    // True exactly when WritePrivateProfileStringW(section, key, value)
    // would leave the file as it is, byte for byte.
    bool WriteChangesNothing(const wchar_t* section, const wchar_t* key, const wchar_t* value) const;

    // The forms a file's bytes can take, told by its byte-order mark.
    enum Form { kAnsi, kUtf8, kUtf16LE, kUtf16BE };
    // The form of the file last read, and its whole text as decoded.
    Form FileForm() const { return m_form; }
    const wchar_t* Text() const { return m_text ? m_text.get() : L""; }
    size_t TextLength() const { return m_length; }
    static Form FormOf(const unsigned char* bytes, size_t size);

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
    const Key* FindKey(int section, const wchar_t* key) const;
    int CompareName(const Span& stored, const wchar_t* wanted, size_t wantedLength) const;

    // Plain arrays sized from the text: the player avoids the standard
    // containers, which would double its size.
    std::unique_ptr<wchar_t[]> m_text;
    size_t m_length = 0;
    Form m_form = kAnsi;
    std::unique_ptr<Section[]> m_sections;
    size_t m_sectionCount = 0;
    std::unique_ptr<Key[]> m_keys;
    size_t m_keyCount = 0;
    std::unique_ptr<Offset[]> m_byName;   // section indexes sorted by name, then by position
};
