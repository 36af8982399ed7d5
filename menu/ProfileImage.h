// An in-memory image of an INI file that answers string look-ups exactly as
// the system's private-profile functions do for that file: same line
// splitting, same trimming, same section and key matching (first match, no
// regard to case), same quote stripping and cutting to the buffer size.
//
// It exists for speed: the player reads up to a thousand sections at start,
// and every profile call opens the file anew. The image reads the file once.
// Files the profile functions would decode (those with a byte-order mark) are
// refused, so callers fall back to the profile functions for them.
#pragma once
#include <cstddef>
#include <memory>

class CProfileImage {
public:
    // Takes a copy of the file's bytes. False when the text is not plain
    // 8-bit text (UTF-8 or UTF-16 marker), which only the system decodes.
    bool Parse(const char* data, size_t size);

    // The value of key in section as a profile read with a buffer of
    // bufferSize characters gives it; false when the key is missing (or has
    // no "="), in which case a profile read would give its default.
    bool Get(const char* section, const char* key, int bufferSize, const char** value,
             size_t* length) const;

    // The same in two steps, for reading many keys of one section: the
    // section's index (-1 when there is none), then a key of it.
    int FindSection(const char* section) const;
    bool GetKey(int section, const char* key, int bufferSize, const char** value, size_t* length) const;

private:
    struct Span { size_t at, length; };
    struct Key { Span name, value; bool hasValue; };
    struct Section { Span name; size_t firstKey, keyCount; };

    bool NameEquals(const Span& stored, const char* wanted, size_t wantedLength) const;
    int CompareName(const Span& stored, const char* wanted, size_t wantedLength) const;
    // Plain arrays sized from the line count: the player avoids the
    // standard containers, which would double its size.
    std::unique_ptr<char[]> m_text;
    std::unique_ptr<Section[]> m_sections;
    std::unique_ptr<Key[]> m_keys;
    size_t m_sectionCount = 0;
    std::unique_ptr<size_t[]> m_byName;   // section indexes sorted by name, then by position
    size_t m_keyCount = 0;
};
