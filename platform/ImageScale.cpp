#include "ImageScale.h"
#include <algorithm>
#include <vector>

namespace {
const PictureSet kSets[] = {{96, ""}, {120, "_125"}, {144, "_150"}, {192, "_200"}};
const int kSetCount = sizeof kSets / sizeof kSets[0];

// The source cells a target cell covers and by how much: on a line of
// srcN * dstN units, source cell s spans dstN units and target cell i
// spans srcN, so the overlaps are whole numbers.
struct Span {
    int first;
    std::vector<int> weights;
};

std::vector<Span> Spans(int srcN, int dstN) {
    std::vector<Span> spans(dstN);
    // Target cell i covers [i * srcN, (i + 1) * srcN) in units of 1/dstN source cells.
    for (int i = 0; i < dstN; ++i) {
        long long lo = static_cast<long long>(i) * srcN, hi = lo + srcN;
        int first = static_cast<int>(lo / dstN), last = static_cast<int>((hi - 1) / dstN);
        spans[i].first = first;
        for (int s = first; s <= last && s < srcN; ++s) {
            long long a = static_cast<long long>(s) * dstN, b = a + dstN;
            long long overlap = (hi < b ? hi : b) - (lo > a ? lo : a);
            spans[i].weights.push_back(static_cast<int>(overlap));
        }
    }
    return spans;
}
}  // namespace

PictureSet PictureSetFor(int dpi) {
    for (int i = 0; i < kSetCount; ++i)
        if (dpi <= kSets[i].dpi) return kSets[i];
    return kSets[kSetCount - 1];
}

void ResampleArea(const uint32_t* src, int srcW, int srcH, uint32_t* dst, int dstW, int dstH) {
    if (!src || !dst || srcW <= 0 || srcH <= 0 || dstW <= 0 || dstH <= 0) return;
    const std::vector<Span> xs = Spans(srcW, dstW), ys = Spans(srcH, dstH);
    // Each target cell covers srcW x srcH units of area (1/dstW by 1/dstH source cells).
    const double area = static_cast<double>(srcW) * srcH;
    std::vector<double> acc(static_cast<size_t>(dstW) * 3);
    for (int y = 0; y < dstH; ++y) {
        std::fill(acc.begin(), acc.end(), 0.0);
        const Span& sy = ys[y];
        for (size_t j = 0; j < sy.weights.size(); ++j) {
            const uint32_t* row = src + static_cast<size_t>(sy.first + j) * srcW;
            const double wy = sy.weights[j];
            for (int x = 0; x < dstW; ++x) {
                const Span& sx = xs[x];
                double r = 0, g = 0, b = 0;
                for (size_t i = 0; i < sx.weights.size(); ++i) {
                    const uint32_t p = row[sx.first + i];
                    const double w = sx.weights[i];
                    r += w * ((p >> 16) & 0xFF);
                    g += w * ((p >> 8) & 0xFF);
                    b += w * (p & 0xFF);
                }
                acc[x * 3] += wy * r;
                acc[x * 3 + 1] += wy * g;
                acc[x * 3 + 2] += wy * b;
            }
        }
        for (int x = 0; x < dstW; ++x) {
            const uint32_t r = static_cast<uint32_t>(acc[x * 3] / area + 0.5);
            const uint32_t g = static_cast<uint32_t>(acc[x * 3 + 1] / area + 0.5);
            const uint32_t b = static_cast<uint32_t>(acc[x * 3 + 2] / area + 0.5);
            dst[static_cast<size_t>(y) * dstW + x] = (r > 255 ? 255 : r) << 16 | (g > 255 ? 255 : g) << 8 | (b > 255 ? 255 : b);
        }
    }
}
