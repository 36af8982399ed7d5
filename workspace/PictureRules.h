// Any common picture as the menu's background, the decisions as plain code:
// which files are copied as they are and which are converted, what kind of
// picture a file holds and how large it is (read from its first bytes,
// before anything is decoded), the size no menu window needs more than, and
// the conversion of decoded pixels into the 24-bit bitmap the player reads.
// The decoding itself is the system's (PictureFile.h).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pic {

struct Size {
    int w = 0, h = 0;
};
inline bool operator==(Size a, Size b) { return a.w == b.w && a.h == b.h; }
inline bool operator!=(Size a, Size b) { return !(a == b); }

// The filter of the background page's Browse, "All pictures" first.
extern const wchar_t kBrowseFilter[];

// A file named .bmp is copied byte for byte, as it always was; every other
// file is decoded and written as a new bitmap.
bool CopiedAsItIs(const wchar_t* path);

// ---- What a file holds -------------------------------------------------------------
enum class Format { kUnknown, kBmp, kPng, kJpeg, kGif, kTiff };

struct Header {
    Format format = Format::kUnknown;
    Size size;                  // 0 x 0 when the header is damaged or cut short
};

// Random access to a file's bytes: the number of bytes read at 'offset'
// (fewer at its end, 0 past it).
class ByteSource {
public:
    virtual ~ByteSource() {}
    virtual std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const void* data, std::size_t size) : m_data(static_cast<const std::uint8_t*>(data)), m_size(size) {}
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// The kind of picture by its signature, and its size from its header. A
// JPEG's size is found by walking its segments to the frame header.
Header ReadHeader(ByteSource& source);

// Pictures larger than this are refused before they are decoded: the
// decoder holds the whole picture in memory, four bytes a pixel.
const std::uint64_t kMostPixels = 64ull << 20;
const int kLongestSide = 32767;
bool TooLargeToRead(Size size);

// ---- How large a background needs to be ------------------------------------------------
// A window's size in pixels from its size in dialog units and its font's
// base units, as the dialog manager computes it.
Size DialogPixels(int cxUnits, int cyUnits, int baseX, int baseY);

// The box every window fits in: the widest width and the tallest height.
Size BoxAround(const std::vector<Size>& windows);

// Whether a picture is larger than the limit in either direction.
bool LargerThan(Size picture, Size limit);

// The size a picture is written in: unchanged within the limit, else the
// largest size of its proportions that fits (each side at least 1 pixel).
Size ReducedSize(Size picture, Size limit);

// ---- The conversion -------------------------------------------------------------------
// Takes the decoded rows of a picture (0xAARRGGBB, straight alpha, top row
// first), lays each on white and reduces the picture to the target size by
// area averaging: horizontally as the rows come, vertically at the end.
class Converter {
public:
    Converter(Size source, Size target);   // throws std::bad_alloc
    // 'rows' rows of source.w pixels each, 'stride' pixels apart.
    void AddRows(const std::uint32_t* pixels, int rows, std::ptrdiff_t stride);
    bool Complete() const { return m_rowsIn == m_source.h; }
    // The complete 24-bit bitmap file; empty until every row came.
    std::vector<std::uint8_t> BitmapFile() const;

private:
    Size m_source, m_target;
    int m_rowsIn = 0;
    std::vector<std::uint32_t> m_narrow;   // target.w x source.h, 0x00RRGGBB
    std::vector<std::uint32_t> m_band;     // rows on white, before the horizontal reduction
};

// A bottom-up 24-bit bitmap file (40-byte header) of 0x00RRGGBB pixels,
// top row first.
std::vector<std::uint8_t> Bitmap24File(const std::uint32_t* pixels, Size size);

// The length of that file.
std::uint64_t Bitmap24Bytes(Size size);

// 0xAARRGGBB with straight alpha laid on white.
std::uint32_t OnWhite(std::uint32_t argb);

// ---- What the user is told ----------------------------------------------------------------
std::string MsgNotAPicture(const wchar_t* path);
std::string MsgTooLarge(const wchar_t* path, Size size);
std::string MsgNoMemory(const wchar_t* path);
std::string MsgCannotWrite(const wchar_t* path);
// "850 KB", "36.0 MB"
std::string ByteCount(std::uint64_t bytes);

}  // namespace pic

// "1234 x 567"
std::string SizeText(pic::Size size);
