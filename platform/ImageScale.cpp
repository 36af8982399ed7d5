#include "ImageScale.h"
#include <algorithm>
#include <cstring>
#include <vector>

namespace {
const PictureSet kSets[] = {{96, L""}, {120, L"_125"}, {144, L"_150"}, {192, L"_200"}};
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

bool UnpackPicture(const uint8_t* src, size_t size, std::vector<uint8_t>& out) {
    out.clear();
    if (!src || size < 4) return false;
    const size_t total = src[0] | src[1] << 8 | src[2] << 16 | static_cast<size_t>(src[3]) << 24;
    // No picture of ours comes near this; a larger claim is damage.
    if (total > (64u << 20)) return false;
    out.reserve(total);
    size_t i = 4;
    while (i < size) {
        const uint8_t c = src[i++];
        if (c < 0x80) {
            const size_t n = c + 1u;
            if (n > size - i || out.size() + n > total) break;
            out.insert(out.end(), src + i, src + i + n);
            i += n;
        } else {
            if (size - i < 3) break;
            const size_t n = (c & 0x7Fu) + 3u;
            const size_t distance = src[i] | src[i + 1] << 8 | static_cast<size_t>(src[i + 2]) << 16;
            i += 3;
            if (distance == 0 || distance > out.size() || out.size() + n > total) break;
            // Byte by byte: a copy may overlap the bytes it makes.
            for (size_t k = 0; k < n; ++k) out.push_back(out[out.size() - distance]);
        }
    }
    if (i != size || out.size() != total) {
        out.clear();
        return false;
    }
    return true;
}

// A DIB section from a .bmp file held in memory (4 or 8 bits, as packed).
static HBITMAP DibFromFile(const std::vector<uint8_t>& file) {
    if (file.size() < 14 + sizeof(BITMAPINFOHEADER) || file[0] != 'B' || file[1] != 'M') return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, file.data() + 14, sizeof header);
    uint32_t offset;
    std::memcpy(&offset, file.data() + 10, sizeof offset);
    if (header.biSize != sizeof header || header.biCompression != BI_RGB || header.biPlanes != 1 ||
        (header.biBitCount != 4 && header.biBitCount != 8) || header.biWidth <= 0 || header.biHeight <= 0 ||
        header.biWidth > 4096 || header.biHeight > 4096)
        return nullptr;
    const size_t colours = header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount);
    const size_t stride = ((static_cast<size_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    const size_t table = 14 + sizeof header + 4 * colours;
    if (colours > (1u << header.biBitCount) || offset < table || offset > file.size() ||
        stride * header.biHeight > file.size() - offset)
        return nullptr;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(file.data() + 14), DIB_RGB_COLORS,
                                   &bits, nullptr, 0);
    if (!dib || !bits) {
        if (dib) DeleteObject(dib);
        return nullptr;
    }
    std::memcpy(bits, file.data() + offset, stride * header.biHeight);
    GdiFlush();
    return dib;
}

HBITMAP LoadPictureResource(HINSTANCE module, const wchar_t* name) {
    if (!name || !*name) return nullptr;
    if (HRSRC found = FindResourceW(module, name, L"PACKEDDIB")) {
        HGLOBAL data = LoadResource(module, found);
        const uint8_t* bytes = data ? static_cast<const uint8_t*>(LockResource(data)) : nullptr;
        std::vector<uint8_t> file;
        if (bytes && UnpackPicture(bytes, SizeofResource(module, found), file)) return DibFromFile(file);
        return nullptr;
    }
    // A DIB section keeps the picture's own colours on any display.
    return static_cast<HBITMAP>(LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}
