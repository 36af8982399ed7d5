// The run of the differential tests: which files, how many, and how a
// difference is reported (shrunk to the smallest file that still shows it).
//
//   TLK_DIFF_FILES  files per test (default 1000; the long run takes 20000)
//   TLK_DIFF_SEED   the generator's seed (default 1)
#pragma once
#include "support/profile_gen.h"
#include "support/profile_oracle.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <functional>
#include <string>

namespace diff {

struct Case {
    int index;
    uint32_t seed;
    pgen::Form form;
    bool hostile;
    std::wstring text;
};

// File i: the forms in turn, tidy and hostile at random.
inline Case MakeCase(int index) {
    Case c;
    c.index = index;
    c.seed = static_cast<uint32_t>(oracle::RunSize("TLK_DIFF_SEED", 1)) * 7919u + static_cast<uint32_t>(index);
    pgen::Random r(c.seed);
    c.form = pgen::kForms[index % 4];
    c.hostile = r.Chance(50);
    c.text = pgen::Definition(r, c.form, c.hostile, false);
    return c;
}

// Runs check (the first difference, or "") on every generated file; each
// difference is shrunk and reported, and three of them end the run.
inline void RunAll(const char* what, const std::function<std::string(const Case&, const std::wstring&)>& check) {
    const int files = oracle::RunSize("TLK_DIFF_FILES", 1000);
    const long calls = oracle::Calls();
    const DWORD start = GetTickCount();
    int differences = 0, checked = 0;
    for (int i = 0; i < files && differences < 3; ++i, ++checked) {
        Case c = MakeCase(i);
        std::string difference = check(c, c.text);
        if (difference.empty()) continue;
        ++differences;
        std::wstring smallest = oracle::Shrink(c.text, [&](const std::wstring& t) { return !check(c, t).empty(); });
        ADD_FAILURE() << what << ", file " << i << " (seed " << c.seed << ", " << pgen::FormName(c.form)
                      << (c.hostile ? ", hostile" : ", tidy") << "): " << check(c, smallest)
                      << "\nThe smallest file that shows it:\n" << pgen::Escape(smallest);
    }
    std::printf("%s: %d files (all four forms in turn), %ld profile calls, %.1f s\n", what, checked,
                oracle::Calls() - calls, (GetTickCount() - start) / 1000.0);
}

}  // namespace diff
