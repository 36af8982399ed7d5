// dib_corpus.h - the bitmap corpus: every case the reader is tested with,
// defined once and run by both test layers.
//
//  - tests/native (host, AddressSanitizer and UndefinedBehaviorSanitizer):
//    parses the packed part of each case in a buffer of exactly its size,
//    checks the refusal reason or the layout, decodes the rows and reads
//    every pixel's colour from them.
//  - tests/unit (under Wine): loads each file with CDibImage, checks the
//    refusal or the palette, and draws the picture 1:1 and stretched.
//
// PictureCases() are the pictures that must load with known colours;
// HostileCases() the files that lie or are cut short.

#pragma once

#include "dib_hostile.h"

namespace dibcase {

inline std::vector<Case> Corpus() {
    std::vector<Case> out = PictureCases();
    for (Case& c : HostileCases()) out.push_back(std::move(c));
    return out;
}

// The packed parts of the pictures up to maxBytes long: starting points for
// random damage.
inline std::vector<Bytes> SeedBlocks(std::size_t maxBytes) {
    std::vector<Bytes> out;
    for (const Case& c : PictureCases()) {
        const Bytes packed = bmpw::PackedPart(c.file);
        if (packed.size() <= maxBytes) out.push_back(packed);
    }
    return out;
}

}  // namespace dibcase
