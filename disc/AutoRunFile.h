// The AutoRun file as the shell reads it: an INI file whose text may carry
// a byte-order mark. Only the keys of [autorun] matter; the first of two
// equal keys counts. Plain code on bytes, so that it can be tried with any
// file, however damaged.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace autorun {

// The keys compared are ASCII: other letters must match exactly.
bool SameText(const std::string& a, const char* b);
// Without the blanks and tabs at either end.
std::string Trimmed(const std::string& text);
// Without one pair of double quotes around the whole text.
std::string Unquoted(const std::string& text);

}  // namespace autorun

struct AutoRunFile {
    static constexpr int kBadLinesNamed = 3;   // unreadable lines named one by one; the rest counted

    std::vector<std::pair<std::string, std::string>> keys;   // of [autorun]
    std::vector<std::pair<int, std::string>> badLines;        // line number, text
    int badCount = 0;

    const std::string* Find(const char* key) const;
    // The text of the file's bytes, one byte a character.
    static std::string Narrow(const std::string& bytes);
    void Parse(const std::string& bytes);
};
