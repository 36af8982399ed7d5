#include "AutoRunFile.h"
#include <cctype>

namespace {
const char kAutoRunSection[] = "autorun";
}  // namespace

namespace autorun {

bool SameText(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return i == a.size() && !b[i];
}

std::string Trimmed(const std::string& text) {
    std::size_t b = text.find_first_not_of(" \t"), e = text.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : text.substr(b, e - b + 1);
}

std::string Unquoted(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
    return text;
}

}  // namespace autorun

using autorun::SameText;
using autorun::Trimmed;
using autorun::Unquoted;

const std::string* AutoRunFile::Find(const char* key) const {
    for (const auto& k : keys)
        if (SameText(k.first, key)) return &k.second;
    return nullptr;
}

std::string AutoRunFile::Narrow(const std::string& bytes) {
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return bytes.substr(3);
    const bool le = n >= 2 && b[0] == 0xFF && b[1] == 0xFE, be = n >= 2 && b[0] == 0xFE && b[1] == 0xFF;
    if (!le && !be) return bytes;
    // UTF-16: the keys are ASCII; anything else only needs to stay one character.
    std::string text;
    for (std::size_t i = 2; i + 1 < n; i += 2) {
        const unsigned unit = le ? (b[i] | b[i + 1] << 8) : (b[i] << 8 | b[i + 1]);
        text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return text;
}

void AutoRunFile::Parse(const std::string& bytes) {
    const std::string text = Narrow(bytes);
    bool inAutoRun = false;
    int number = 0;
    for (std::size_t at = 0; at <= text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string raw = text.substr(at, end - at);
        at = end + 1;
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        const std::string line = Trimmed(raw);
        if (line.empty() || line[0] == ';') continue;
        bool readable = line.find('\0') == std::string::npos;
        if (readable && line[0] == '[') {
            const std::size_t close = line.find(']');
            if (close != std::string::npos) {
                inAutoRun = SameText(Trimmed(line.substr(1, close - 1)), kAutoRunSection);
                continue;
            }
            readable = false;
        }
        const std::size_t equals = line.find('=');
        if (readable && equals != std::string::npos && equals > 0) {
            const std::string key = Trimmed(line.substr(0, equals));
            if (inAutoRun && !Find(key.c_str())) keys.push_back({key, Unquoted(Trimmed(line.substr(equals + 1)))});
            continue;
        }
        if (++badCount <= kBadLinesNamed) badLines.push_back({number, raw});
    }
}
