// make_seeds.cpp - writes the starting corpus of each fuzz target into a
// folder of its own: dib/ (the packed parts of the bitmap corpus's pictures
// and hostile files), profile/ (definitions) and autorun/ (AutoRun files).

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../support/dib_corpus.h"
#include "../support/text_seeds.h"

namespace {

template <class Files>
bool WriteAll(const std::string& dir, const Files& files) {
    mkdir(dir.c_str(), 0777);
    bool ok = true;
    int n = 0;
    for (const auto& file : files)
        ok &= bmpw::WriteFile(dir + "/seed" + std::to_string(n++), bmpw::Bytes(file.begin(), file.end()));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    // The bitmap target runs with -max_len=4096 (run_fuzz.sh): longer seeds
    // would be cut. The hostile files go in but their thousands of
    // truncations, which are the fuzzer's own first moves.
    std::vector<bmpw::Bytes> blocks = dibcase::SeedBlocks(4096);
    for (const dibcase::Case& c : dibcase::HostileCases()) {
        const bmpw::Bytes packed = bmpw::PackedPart(c.file);
        if (packed.size() <= 4096 && c.name.find(" cut to ") == std::string::npos) blocks.push_back(packed);
    }
    // The definition target runs with -max_len=16384: a small file runs many
    // times faster through the checks.
    std::vector<std::string> definitions;
    for (const std::string& file : seeds::DefinitionFiles())
        if (file.size() <= 16384) definitions.push_back(file);
    const bool ok = WriteAll(dir + "/dib", blocks) && WriteAll(dir + "/profile", definitions) &&
                    WriteAll(dir + "/autorun", seeds::AutoRunFiles());
    return ok ? 0 : 1;
}
