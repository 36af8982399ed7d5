// fuzz_profile.cpp - libFuzzer target for the definition reader.
//
// The input is a whole definition file, in any form. libFuzzer hands us an
// exactly sized heap copy, so AddressSanitizer catches any read past it; the
// shared checks abort on any broken invariant.

#include <cstdio>
#include <cstdlib>

#include "../support/profile_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string error = profcheck::Check(reinterpret_cast<const char*>(data), size);
    if (!error.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", error.c_str());
        std::abort();
    }
    return 0;
}
