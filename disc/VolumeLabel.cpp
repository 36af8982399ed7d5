#include "VolumeLabel.h"
#include <cctype>

std::string LabelFromTitle(const char* title) {
    std::string label;
    for (const char* p = title ? title : ""; *p && label.size() < 32; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x80 && std::isalnum(c)) label += static_cast<char>(c);
        else if (c == ' ' && !label.empty() && label.back() != ' ') label += ' ';
        else if ((c == '_' || c == '-') && !label.empty()) label += static_cast<char>(c);
    }
    while (!label.empty() && label.back() == ' ') label.pop_back();
    return label.empty() ? "DISC" : label;
}
