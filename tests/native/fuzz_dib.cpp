// fuzz_dib.cpp - libFuzzer target for the packed-bitmap reader.
//
// The input is a packed bitmap (a .bmp file without its 14-byte file
// header).  libFuzzer hands us an exactly sized heap copy, so AddressSanitizer
// catches any read past it; the shared checks abort on any broken invariant.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "../support/dib_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A run-length picture claims its size in a few bytes. Rows that decode
    // to more than a megabyte are only parsed: the decoder works the same at
    // any size, and every run of such a picture would take the time of
    // hundreds of others.
    dibfmt::DibLayout layout;
    if (dibfmt::ParseDib(data, size, layout) == dibfmt::kDibOk && dibfmt::NeedsDecoding(layout) &&
        dibfmt::PlainLayout(layout).pixelBytes > (1u << 20))
        return 0;
    // The checks may rewrite a top-down block, so work on a private copy.
    std::unique_ptr<unsigned char[]> block(new unsigned char[size ? size : 1]);
    if (size != 0)
        std::memcpy(block.get(), data, size);
    const dibcheck::Result r = dibcheck::CheckBlock(size ? block.get() : nullptr, size);
    if (!r.error.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", r.error.c_str());
        std::abort();
    }
    return 0;
}
