// DibImage.cpp - a .bmp file held in memory with its palette.

#include "DibImage.h"

#include <new>

namespace {

// Closes a file handle on every way out of LoadFromFile.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : m_h(h) {}
    ~FileHandle() {
        if (m_h != INVALID_HANDLE_VALUE) CloseHandle(m_h);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return m_h; }

private:
    HANDLE m_h;
};

// Reads exactly count bytes; ReadFile may legally return fewer per call.
bool ReadAll(HANDLE file, BYTE* dest, DWORD count) {
    while (count > 0) {
        DWORD got = 0;
        if (!ReadFile(file, dest, count, &got, nullptr) || got == 0) return false;
        dest += got;
        count -= got;
    }
    return true;
}

// A logical palette with room for the largest colour table we accept.
struct PaletteBuffer {
    WORD version;
    WORD count;
    PALETTEENTRY entries[dibfmt::kMaxColors];
};

}  // namespace

CDibImage::CDibImage() : m_dataSize(0), m_layout(), m_gdiInfo(), m_palette(nullptr) {}

CDibImage::~CDibImage() {
    DeletePalette();
}

void CDibImage::Clear() {
    DeletePalette();
    std::vector<BYTE>().swap(m_block);
    m_decoded.reset();
    m_dataSize = 0;
    m_layout = dibfmt::DibLayout();
}

bool CDibImage::LoadFromFile(const wchar_t* path) {
    Clear();
    if (path == nullptr) return false;

    FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return false;

    DWORD sizeHigh = 0;
    const DWORD fileSize = GetFileSize(file.get(), &sizeHigh);
    if (fileSize == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    if (sizeHigh != 0 || fileSize > kMaxFileSize || fileSize < dibfmt::kFileHeaderSize) return false;

    BYTE fileHeader[dibfmt::kFileHeaderSize];
    if (!ReadAll(file.get(), fileHeader, sizeof(fileHeader))) return false;
    if ((fileHeader[0] | (fileHeader[1] << 8)) != dibfmt::kBmpSignature) return false;
    // The rest of the file header, including its offset to the pixels, is
    // not used: the pixels are taken to follow the colour table directly.

    const DWORD dataSize = fileSize - static_cast<DWORD>(dibfmt::kFileHeaderSize);
    std::vector<BYTE> block;
    try {
        // The whole file length, zero-filled; only dataSize bytes are read
        // and only those count when the layout is checked.
        block.assign(fileSize, 0);
    } catch (...) {  // out of memory: no exception may reach the window procedure
        return false;
    }
    if (dataSize > 0 && !ReadAll(file.get(), &block[0], dataSize)) return false;

    dibfmt::DibLayout layout;
    if (dibfmt::ParseDib(block.empty() ? nullptr : &block[0], dataSize, layout) != dibfmt::kDibOk) return false;
    dibfmt::MakeBottomUp(&block[0], layout);
    // Run-length and bit-field rows become plain rows here: GDI only ever
    // sees rows whose size we know.
    std::unique_ptr<BYTE[]> decoded;
    if (dibfmt::NeedsDecoding(layout)) {
        const dibfmt::DibLayout plain = dibfmt::PlainLayout(layout);
        decoded.reset(new (std::nothrow) BYTE[plain.pixelBytes]);
        if (!decoded) return false;
        dibfmt::DecodePixels(&block[0], dataSize, layout, decoded.get());
        layout = plain;
    }

    m_block.swap(block);
    m_decoded.swap(decoded);
    m_dataSize = dataSize;
    m_layout = layout;
    dibfmt::BuildGdiInfo(&m_block[0], m_layout, m_gdiInfo);
    BuildPalette();
    return true;
}

bool CDibImage::BuildPalette() {
    DeletePalette();
    if (IsEmpty() || m_layout.colorCount == 0) return false;

    PaletteBuffer buffer;
    buffer.version = 0x300;
    buffer.count = m_layout.colorCount;
    for (unsigned i = 0; i < m_layout.colorCount; ++i) {
        dibfmt::ColorEntry(&m_block[0], m_layout, i, buffer.entries[i].peRed, buffer.entries[i].peGreen,
                           buffer.entries[i].peBlue);
        buffer.entries[i].peFlags = 0;
    }
    m_palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&buffer));
    return m_palette != nullptr;
}

void CDibImage::DeletePalette() {
    if (m_palette != nullptr) {
        DeleteObject(m_palette);
        m_palette = nullptr;
    }
}

int CDibImage::Render(HDC dc, const RECT& dest, const RECT& src) const {
    if (IsEmpty()) return 0;

    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(m_gdiInfo.bytes());
    const BYTE* pixels = Pixels();

    HPALETTE oldPalette = nullptr;
    if (m_palette != nullptr) oldPalette = SelectPalette(dc, m_palette, TRUE);

    SetStretchBltMode(dc, COLORONCOLOR);

    const int destWidth = dest.right - dest.left;
    const int destHeight = dest.bottom - dest.top;
    const int srcWidth = src.right - src.left;
    const int srcHeight = src.bottom - src.top;

    int result;
    if (destWidth == srcWidth && destHeight == srcHeight) {
        // Rows are stored bottom-up, so the source y counts from the bottom.
        result = SetDIBitsToDevice(dc, dest.left, dest.top, srcWidth, srcHeight, src.left,
                                   m_layout.height - src.bottom, 0, static_cast<UINT>(m_layout.height & 0xFFFF),
                                   pixels, info, DIB_RGB_COLORS);
    } else {
        result = StretchDIBits(dc, dest.left, dest.top, destWidth, destHeight, src.left, src.top, srcWidth,
                               srcHeight, pixels, info, DIB_RGB_COLORS, SRCCOPY);
    }

    if (oldPalette != nullptr) SelectPalette(dc, oldPalette, TRUE);
    return result;
}

const wchar_t kMsgSelectPaletteFailed[] = L"SelectPallete failed";

CSelectedPalette::CSelectedPalette(HDC dc, HPALETTE palette) : m_dc(dc), m_old(nullptr), m_failed(false) {
    if (!palette) return;
    m_old = SelectPalette(dc, palette, FALSE);
    if (m_old)
        RealizePalette(dc);
    else
        m_failed = true;
}

CSelectedPalette::~CSelectedPalette() {
    if (m_old) SelectPalette(m_dc, m_old, TRUE);
}
