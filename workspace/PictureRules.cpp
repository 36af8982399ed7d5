#include "PictureRules.h"
#include "../platform/Encoding.h"
#include "../platform/ImageScale.h"
#include <cstring>

namespace pic {

const wchar_t kBrowseFilter[] =
    L"All pictures|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff|"
    L"Bitmaps (*.bmp)|*.bmp|JPEG pictures (*.jpg, *.jpeg)|*.jpg;*.jpeg|PNG pictures (*.png)|*.png|"
    L"GIF pictures (*.gif)|*.gif|TIFF pictures (*.tif, *.tiff)|*.tif;*.tiff||";

bool CopiedAsItIs(const wchar_t* path) {
    if (!path) return false;
    const std::size_t n = std::wcslen(path);
    if (n < 4) return false;
    const wchar_t* e = path + n - 4;
    return e[0] == '.' && (e[1] | 0x20) == 'b' && (e[2] | 0x20) == 'm' && (e[3] | 0x20) == 'p';
}

std::size_t MemorySource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) {
    if (offset >= m_size) return 0;
    const std::size_t n = count < m_size - offset ? count : static_cast<std::size_t>(m_size - offset);
    std::memcpy(buffer, m_data + offset, n);
    return n;
}

namespace {

unsigned Be16(const std::uint8_t* p) { return unsigned(p[0]) << 8 | p[1]; }
std::uint32_t Be32(const std::uint8_t* p) { return std::uint32_t(Be16(p)) << 16 | Be16(p + 2); }
unsigned Le16(const std::uint8_t* p) { return unsigned(p[1]) << 8 | p[0]; }
std::uint32_t Le32(const std::uint8_t* p) { return std::uint32_t(Le16(p + 2)) << 16 | Le16(p); }

bool Read(ByteSource& s, std::uint64_t at, std::uint8_t* out, std::size_t n) { return s.ReadAt(at, out, n) == n; }

Size Checked(std::int64_t w, std::int64_t h) {
    Size s;
    if (w > 0 && h > 0 && w <= 0x7FFFFFFF && h <= 0x7FFFFFFF) {
        s.w = static_cast<int>(w);
        s.h = static_cast<int>(h);
    }
    return s;
}

// Segments up to the frame header; the markers in between only say how far to skip.
Size JpegSize(ByteSource& s) {
    std::uint64_t at = 2;
    for (int segments = 0; segments < 10000; ++segments) {
        std::uint8_t m[9];
        if (!Read(s, at, m, 2) || m[0] != 0xFF) return Size();
        if (m[1] == 0xFF) {   // fill byte before a marker
            ++at;
            continue;
        }
        const std::uint8_t kind = m[1];
        if (kind == 0x01 || (kind >= 0xD0 && kind <= 0xD8)) {   // markers without a length
            at += 2;
            continue;
        }
        if (kind == 0xD9 || kind == 0xDA || !Read(s, at, m, 4)) return Size();   // no frame before the data
        const unsigned length = Be16(m + 2);
        if (length < 2) return Size();
        const bool frame = kind >= 0xC0 && kind <= 0xCF && kind != 0xC4 && kind != 0xC8 && kind != 0xCC;
        if (frame) {
            if (length < 7 || !Read(s, at, m, 9)) return Size();
            return Checked(Be16(m + 7), Be16(m + 5));
        }
        at += 2 + length;
    }
    return Size();
}

// The width and length tags of the first directory.
Size TiffSize(ByteSource& s, bool little) {
    auto u16 = [little](const std::uint8_t* p) { return little ? Le16(p) : Be16(p); };
    auto u32 = [little](const std::uint8_t* p) { return little ? Le32(p) : Be32(p); };
    std::uint8_t b[12];
    if (!Read(s, 4, b, 4)) return Size();
    const std::uint64_t ifd = u32(b);
    if (!Read(s, ifd, b, 2)) return Size();
    const unsigned count = u16(b);
    std::int64_t w = 0, h = 0;
    for (unsigned i = 0; i < count; ++i) {
        if (!Read(s, ifd + 2 + 12ull * i, b, 12)) return Size();
        const unsigned tag = u16(b), type = u16(b + 2);
        if (tag != 256 && tag != 257) continue;
        std::int64_t value = type == 3 ? u16(b + 8) : type == 4 ? u32(b + 8) : 0;
        (tag == 256 ? w : h) = value;
    }
    return Checked(w, h);
}

}  // namespace

Header ReadHeader(ByteSource& source) {
    Header h;
    std::uint8_t b[32] = {};
    const std::size_t n = source.ReadAt(0, b, sizeof b);
    static const std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (n >= 8 && std::memcmp(b, kPng, 8) == 0) {
        h.format = Format::kPng;
        if (n >= 24 && std::memcmp(b + 12, "IHDR", 4) == 0) h.size = Checked(Be32(b + 16), Be32(b + 20));
    } else if (n >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) {
        h.format = Format::kJpeg;
        h.size = JpegSize(source);
    } else if (n >= 6 && (std::memcmp(b, "GIF87a", 6) == 0 || std::memcmp(b, "GIF89a", 6) == 0)) {
        h.format = Format::kGif;
        if (n >= 10) h.size = Checked(Le16(b + 6), Le16(b + 8));
    } else if (n >= 4 && (std::memcmp(b, "II*\0", 4) == 0 || std::memcmp(b, "MM\0*", 4) == 0)) {
        h.format = Format::kTiff;
        h.size = TiffSize(source, b[0] == 'I');
    } else if (n >= 2 && b[0] == 'B' && b[1] == 'M') {
        h.format = Format::kBmp;
        if (n >= 26 && Le32(b + 14) == 12) h.size = Checked(Le16(b + 18), Le16(b + 20));
        else if (n >= 26) {
            const std::int64_t w = static_cast<std::int32_t>(Le32(b + 18)), ht = static_cast<std::int32_t>(Le32(b + 22));
            h.size = Checked(w, ht < 0 ? -ht : ht);
        }
    }
    return h;
}

bool TooLargeToRead(Size size) {
    return size.w > kLongestSide || size.h > kLongestSide ||
           static_cast<std::uint64_t>(size.w) * static_cast<std::uint64_t>(size.h) > kMostPixels;
}

Size DialogPixels(int cxUnits, int cyUnits, int baseX, int baseY) {
    // The dialog manager's MulDiv: rounded to the nearest pixel.
    Size s;
    s.w = static_cast<int>((static_cast<std::int64_t>(cxUnits) * baseX * 2 + 4) / 8);
    s.h = static_cast<int>((static_cast<std::int64_t>(cyUnits) * baseY * 2 + 8) / 16);
    return s;
}

Size BoxAround(const std::vector<Size>& windows) {
    Size box;
    for (Size w : windows) {
        if (w.w > box.w) box.w = w.w;
        if (w.h > box.h) box.h = w.h;
    }
    return box;
}

bool LargerThan(Size picture, Size limit) { return picture.w > limit.w || picture.h > limit.h; }

Size ReducedSize(Size picture, Size limit) {
    if (picture.w <= 0 || picture.h <= 0 || limit.w <= 0 || limit.h <= 0 || !LargerThan(picture, limit))
        return picture;
    const std::int64_t w = picture.w, h = picture.h;
    Size out;
    // The side that meets the limit first decides; the other follows, rounded.
    if (w * limit.h >= h * limit.w) {
        out.w = limit.w;
        out.h = static_cast<int>((h * limit.w * 2 + w) / (2 * w));
    } else {
        out.h = limit.h;
        out.w = static_cast<int>((w * limit.h * 2 + h) / (2 * h));
    }
    if (out.w < 1) out.w = 1;
    if (out.h < 1) out.h = 1;
    return out;
}

std::uint32_t OnWhite(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 255) return argb & 0xFFFFFF;
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t c = (argb >> shift) & 0xFF;
        out |= ((c * a + 255 * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

namespace {
const int kBandRows = 64;   // rows reduced horizontally together
}

Converter::Converter(Size source, Size target) : m_source(source), m_target(target) {
    if (source.w <= 0 || source.h <= 0 || target.w <= 0 || target.h <= 0) m_source = m_target = Size();
    m_narrow.resize(static_cast<std::size_t>(m_target.w) * m_source.h);
    m_band.resize(static_cast<std::size_t>(m_source.w) * kBandRows);
}

void Converter::AddRows(const std::uint32_t* pixels, int rows, std::ptrdiff_t stride) {
    if (!pixels || rows <= 0) return;
    if (rows > m_source.h - m_rowsIn) rows = m_source.h - m_rowsIn;
    while (rows > 0) {
        const int n = rows < kBandRows ? rows : kBandRows;
        for (int y = 0; y < n; ++y) {
            const std::uint32_t* in = pixels + y * stride;
            std::uint32_t* out = m_band.data() + static_cast<std::size_t>(y) * m_source.w;
            for (int x = 0; x < m_source.w; ++x) out[x] = OnWhite(in[x]);
        }
        std::uint32_t* narrow = m_narrow.data() + static_cast<std::size_t>(m_rowsIn) * m_target.w;
        if (m_target.w == m_source.w)
            std::memcpy(narrow, m_band.data(), static_cast<std::size_t>(n) * m_source.w * sizeof(std::uint32_t));
        else
            // The same rows in and out: only the width changes.
            ResampleArea(m_band.data(), m_source.w, n, narrow, m_target.w, n);
        m_rowsIn += n;
        rows -= n;
        pixels += n * stride;
    }
}

std::vector<std::uint8_t> Converter::BitmapFile() const {
    if (!Complete() || m_source.h == 0) return {};
    if (m_target.h == m_source.h) return Bitmap24File(m_narrow.data(), m_target);
    std::vector<std::uint32_t> out(static_cast<std::size_t>(m_target.w) * m_target.h);
    ResampleArea(m_narrow.data(), m_target.w, m_source.h, out.data(), m_target.w, m_target.h);
    return Bitmap24File(out.data(), m_target);
}

namespace {
const std::size_t kBitmapHeaders = 14 + 40;
std::size_t Stride24(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t(3); }
}  // namespace

std::uint64_t Bitmap24Bytes(Size size) {
    if (size.w <= 0 || size.h <= 0) return 0;
    return kBitmapHeaders + static_cast<std::uint64_t>(Stride24(size.w)) * static_cast<std::uint64_t>(size.h);
}

std::vector<std::uint8_t> Bitmap24File(const std::uint32_t* pixels, Size size) {
    if (!pixels || size.w <= 0 || size.h <= 0) return {};
    const std::size_t stride = Stride24(size.w);
    const std::size_t offset = kBitmapHeaders, total = offset + stride * size.h;
    std::vector<std::uint8_t> file(total, 0);
    auto put16 = [&file](std::size_t at, unsigned v) {
        file[at] = static_cast<std::uint8_t>(v);
        file[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    auto put32 = [&put16](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(total));
    put32(10, static_cast<std::uint32_t>(offset));
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(size.w));
    put32(22, static_cast<std::uint32_t>(size.h));
    put16(26, 1);
    put16(28, 24);
    put32(34, static_cast<std::uint32_t>(stride * size.h));
    put32(38, 3780);   // 96 pixels per inch
    put32(42, 3780);
    for (int y = 0; y < size.h; ++y) {
        const std::uint32_t* in = pixels + static_cast<std::size_t>(size.h - 1 - y) * size.w;
        std::uint8_t* out = file.data() + offset + stride * y;
        for (int x = 0; x < size.w; ++x) {
            out[3 * x] = static_cast<std::uint8_t>(in[x]);
            out[3 * x + 1] = static_cast<std::uint8_t>(in[x] >> 8);
            out[3 * x + 2] = static_cast<std::uint8_t>(in[x] >> 16);
        }
    }
    return file;
}

std::string MsgNotAPicture(const wchar_t* path) {
    return ToUtf8(path, WideLength(path)) +
           "\n\nThis file is not a picture that can be read, or it is damaged. Please choose a bitmap (.bmp), "
           "JPEG, PNG, GIF or TIFF picture.";
}

std::string MsgTooLarge(const wchar_t* path, Size size) {
    return ToUtf8(path, WideLength(path)) + "\n\nThis picture is " + std::to_string(size.w) + " x " + std::to_string(size.h) +
           " pixels: too large to read. Please choose a picture of at most 64 megapixels.";
}

std::string MsgNoMemory(const wchar_t* path) {
    return ToUtf8(path, WideLength(path)) + "\n\nThere is not enough memory to read this picture.";
}

std::string MsgCannotWrite(const wchar_t* path) {
    return std::string("The background cannot be written to ") + ToUtf8(path, WideLength(path)) + ".";
}

std::string ByteCount(std::uint64_t bytes) {
    if (bytes < 1000000) return std::to_string((bytes + 999) / 1000) + " KB";
    const std::uint64_t tenths = (bytes + 50000) / 100000;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " MB";
}

}  // namespace pic

std::string SizeText(pic::Size size) { return std::to_string(size.w) + " x " + std::to_string(size.h); }
