// make_seeds.cpp - writes valid packed bitmaps of every form into a folder,
// as a starting corpus for the fuzz target.

#include <cstdio>
#include <string>

#include "../support/bmpwriter.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    int n = 0;
    bool ok = true;
    for (bmpw::FieldLayout fields : { bmpw::kInfoFields, bmpw::kCoreFields }) {
        for (int bits : { 1, 4, 8, 16, 24, 32 }) {
            if (fields == bmpw::kCoreFields && (bits == 16 || bits == 32))
                continue;
            bmpw::BmpRecipe s = bmpw::ValidRecipe(5, 3, bits, fields);
            ok &= bmpw::WriteFile(dir + "/seed" + std::to_string(n++), bmpw::PackedPart(bmpw::Build(s)));
            s.height = -3;
            if (fields == bmpw::kInfoFields)
                ok &= bmpw::WriteFile(dir + "/seed" + std::to_string(n++), bmpw::PackedPart(bmpw::Build(s)));
        }
    }
    bmpw::BmpRecipe used = bmpw::ValidRecipe(5, 3, 8);
    used.colors = bmpw::DistinctColors(16);
    used.colorsUsed = 16;
    ok &= bmpw::WriteFile(dir + "/seed" + std::to_string(n++), bmpw::PackedPart(bmpw::Build(used)));
    for (const bmpw::FormSample& sample : bmpw::NewFormSamples(5, 3))
        ok &= bmpw::WriteFile(dir + "/seed" + std::to_string(n++), bmpw::PackedPart(bmpw::Build(sample.recipe)));
    return ok ? 0 : 1;
}
