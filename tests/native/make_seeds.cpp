// make_seeds.cpp - writes the packed parts of the corpus's pictures into a
// folder, as a starting corpus for the fuzz target.

#include <cstdio>
#include <string>

#include "../support/dib_corpus.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    int n = 0;
    bool ok = true;
    // libFuzzer is run with -max_len=4096 (run.sh): longer seeds would be cut.
    for (const bmpw::Bytes& block : dibcase::SeedBlocks(4096))
        ok &= bmpw::WriteFile(dir + "/seed" + std::to_string(n++), block);
    return ok ? 0 : 1;
}
