// autorun_checks.h - the checks every reading of an AutoRun file's bytes
// must pass, shared by the host tests and the fuzz target: the same reading
// twice, keys and lines that come from the file, and a look-up that finds
// only keys read.

#pragma once

#include <algorithm>
#include <string>

#include "disc/AutoRunFile.h"

namespace autoruncheck {

// The text the reader must work on: without a UTF-8 mark, or one character
// (ASCII, else "?") for each whole unit after a UTF-16 mark.
inline std::string Narrowed(const std::string& bytes) {
    const std::string mark = bytes.substr(0, 2);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    if (mark != "\xFF\xFE" && mark != "\xFE\xFF") return bytes;
    std::string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const char low = bytes[mark[0] == '\xFF' ? i : i + 1], high = bytes[mark[0] == '\xFF' ? i + 1 : i];
        text += high == 0 && static_cast<unsigned char>(low) < 0x80 ? low : '?';
    }
    return text;
}

inline std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// "" when every check passes. The reader takes a string, whose spare room
// AddressSanitizer does not guard; a read past the bytes shows in the text.
inline std::string Check(const std::string& bytes) {
    AutoRunFile inf, again;
    inf.Parse(bytes);
    again.Parse(bytes);
    if (inf.keys != again.keys || inf.badLines != again.badLines || inf.badCount != again.badCount)
        return "the same bytes read twice give two readings";

    const std::string text = AutoRunFile::Narrow(bytes);
    if (text != Narrowed(bytes)) return "the text is not what the form's rule gives";
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    const std::size_t named = inf.badCount < AutoRunFile::kBadLinesNamed ? inf.badCount : AutoRunFile::kBadLinesNamed;
    if (inf.badCount < 0 || inf.badLines.size() != named) return "the unreadable lines named are not the first ones";
    for (std::size_t i = 0; i < inf.badLines.size(); ++i) {
        const int number = inf.badLines[i].first;
        if (number < 1 || number > lines || (i > 0 && number <= inf.badLines[i - 1].first))
            return "unreadable line numbers out of order or past the file";
        if (inf.badLines[i].second.size() > bytes.size() || inf.badLines[i].second.find('\n') != std::string::npos)
            return "an unreadable line longer than the file or than one line";
    }

    for (std::size_t i = 0; i < inf.keys.size(); ++i) {
        const std::string& key = inf.keys[i].first;
        const std::string& value = inf.keys[i].second;
        if (key.empty() || key.size() + value.size() > bytes.size() || key.find_first_of(std::string("=\n\0", 3)) != std::string::npos ||
            autorun::Trimmed(key) != key || value.find_first_of(std::string("\n\0", 2)) != std::string::npos)
            return "a key or value that no line of the file holds";
        // The first key of a name is found, in any case; a later one of the
        // same name is never kept.
        if (inf.Find(key.c_str()) != &value || inf.Find(Upper(key).c_str()) != &value)
            return "a key read is not what the look-up finds";
    }
    // Any name the file holds is found only as a key read.
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string name = autorun::Trimmed(text.substr(at, std::min(end, text.find('=', at)) - at));
        at = end + 1;
        const std::string* found = inf.Find(name.c_str());
        bool read = false;
        for (const auto& k : inf.keys) read = read || (found == &k.second && autorun::SameText(k.first, name.c_str()));
        if (found && !read) return "the look-up finds a key that was not read";
    }
    return "";
}

}  // namespace autoruncheck
