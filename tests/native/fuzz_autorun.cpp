// fuzz_autorun.cpp - libFuzzer target for the AutoRun file reader of the
// disc check.
//
// The input is a whole autorun.inf. The reader takes it as a string, whose
// closing NUL and spare room AddressSanitizer cannot guard: a read past the
// end shows instead as a text that is not what the form's rule gives, which
// the shared checks compare.

#include <cstdio>
#include <cstdlib>

#include "../support/autorun_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string error = autoruncheck::Check(std::string(reinterpret_cast<const char*>(data), size));
    if (!error.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", error.c_str());
        std::abort();
    }
    return 0;
}
