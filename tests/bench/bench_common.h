// Shared by the benchmarks: a clock, medians, and definitions to measure with.
#pragma once
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>

namespace bench {

inline double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// 200 menus with every key present and every value at the longest length
// the programs read back: 127 characters for texts, 79 for the rest.
inline std::string FullLengthDefinition(int layout) {
    std::string s = "[100]\r\n200=" + std::string(79, 'T') + "\r\n300=200\r\n400=0\r\n500=" + std::to_string(layout) +
                    "\r\n600=a.wav\r\n700=b.wav\r\n800=c.wav\r\n900=d.wav\r\n";
    for (int m = 1; m <= 200; ++m) {
        std::string n = std::to_string(m);
        s += "[1500" + n + "]\r\n";
        for (int k = 1; k <= 14; ++k) {
            std::string v = "Menu " + n + " text " + std::to_string(k) + " ";
            s += std::to_string(k) + "=" + v + std::string(127 - v.size(), 'x') + "\r\n";
        }
        const char* bases[4] = {"1600", "1700", "1800", "1900"};
        for (const char* b : bases) {
            s += "[" + std::string(b) + n + "]\r\n";
            for (int k = 1; k <= 12; ++k)
                s += std::to_string(k) + "=" + (b[1] == '6' ? std::string("FALSE") : std::string(79, 'v')) + "\r\n";
        }
    }
    return s;
}

}  // namespace bench
