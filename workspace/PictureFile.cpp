#include "PictureFile.h"
#include "WorkDir.h"
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace Gdiplus;

namespace {

class FileSource : public pic::ByteSource {
public:
    explicit FileSource(const wchar_t* path)
        : m_file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr)) {}
    ~FileSource() override {
        if (Open()) CloseHandle(m_file);
    }
    bool Open() const { return m_file != INVALID_HANDLE_VALUE; }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        DWORD got = 0;
        if (!Open() || offset > 0x7FFFFFFFFFFFFFFFull || !SetFilePointerEx(m_file, at, nullptr, FILE_BEGIN) ||
            !ReadFile(m_file, buffer, static_cast<DWORD>(count), &got, nullptr))
            return 0;
        return got;
    }

private:
    HANDLE m_file;
};

// The library for the time of one conversion.
class GdiplusSession {
public:
    GdiplusSession() {
        GdiplusStartupInput input;
        m_ok = GdiplusStartup(&m_token, &input, nullptr) == Ok;
    }
    ~GdiplusSession() {
        if (m_ok) GdiplusShutdown(m_token);
    }
    bool Started() const { return m_ok; }

private:
    ULONG_PTR m_token = 0;
    bool m_ok = false;
};

struct BitmapDeleter {
    void operator()(GpBitmap* b) const { DllExports::GdipDisposeImage(b); }
};

// Writes beside the target and then replaces it, so that a failure leaves
// the old file as it was.
bool WriteReplacing(const wchar_t* target, const std::vector<std::uint8_t>& bytes) {
    const CString temporary = CString(target) + L".new";
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE h = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(h);
    SetFileAttributesW(target, FILE_ATTRIBUTE_NORMAL);
    bool replaced = false;
    // A virus scanner, an indexer or a viewer may hold the old picture for a
    // moment; give such a reader a second and a half before giving up.
    for (int attempt = 0; ok && !replaced && attempt < 30; ++attempt) {
        replaced = MoveFileExW(temporary.c_str(), target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        if (!replaced) {
            const DWORD why = GetLastError();
            if (why != ERROR_SHARING_VIOLATION && why != ERROR_ACCESS_DENIED && why != ERROR_LOCK_VIOLATION) break;
            Sleep(50);
        }
    }
    if (!replaced) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

const int kRowsPerLock = 64;

}  // namespace

PlacedPicture ConvertPicture(const wchar_t* picture, const wchar_t* target, pic::Size limit) {
    PlacedPicture result;
    result.converted = true;
    pic::Header header;
    {
        FileSource file(picture);
        if (!file.Open()) {
            result.message = pic::MsgNotAPicture(picture);
            return result;
        }
        header = pic::ReadHeader(file);
    }
    // Only kinds the library reads, with a size, reach it: a renamed text
    // file or a cut header stops here.
    if (header.format == pic::Format::kUnknown || header.size.w <= 0) {
        result.message = pic::MsgNotAPicture(picture);
        return result;
    }
    if (pic::TooLargeToRead(header.size)) {
        result.message = pic::MsgTooLarge(picture, header.size);
        return result;
    }
    try {
        GdiplusSession session;
        GpBitmap* raw = nullptr;
        if (!session.Started() || DllExports::GdipCreateBitmapFromFile(picture, &raw) != Ok || !raw) {
            result.message = pic::MsgNotAPicture(picture);
            return result;
        }
        std::unique_ptr<GpBitmap, BitmapDeleter> bitmap(raw);
        UINT w = 0, h = 0;
        DllExports::GdipGetImageWidth(bitmap.get(), &w);
        DllExports::GdipGetImageHeight(bitmap.get(), &h);
        result.original.w = static_cast<int>(w);
        result.original.h = static_cast<int>(h);
        if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) {
            result.message = pic::MsgNotAPicture(picture);
            return result;
        }
        if (pic::TooLargeToRead(result.original)) {
            result.message = pic::MsgTooLarge(picture, result.original);
            return result;
        }
        result.written = pic::ReducedSize(result.original, limit);
        pic::Converter converter(result.original, result.written);
        for (int y = 0; y < result.original.h; y += kRowsPerLock) {
            const int rows = result.original.h - y < kRowsPerLock ? result.original.h - y : kRowsPerLock;
            GpRect rect(0, y, result.original.w, rows);
            BitmapData data;
            if (DllExports::GdipBitmapLockBits(bitmap.get(), &rect, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok)
                break;
            if (data.Scan0 && data.Stride > 0 && data.Width == w && data.Height == static_cast<UINT>(rows))
                converter.AddRows(static_cast<const std::uint32_t*>(data.Scan0), rows, data.Stride / 4);
            DllExports::GdipBitmapUnlockBits(bitmap.get(), &data);
        }
        std::vector<std::uint8_t> file = converter.BitmapFile();
        if (file.empty()) {
            result.message = pic::MsgNotAPicture(picture);
            return result;
        }
        if (!WriteReplacing(target, file)) {
            result.message = pic::MsgCannotWrite(target);
            return result;
        }
    } catch (...) {
        // Out of memory for the picture (or a size the containers refuse);
        // nothing may reach the window procedure that asked.
        result.message = pic::MsgNoMemory(picture);
        return result;
    }
    result.ok = true;
    return result;
}

PlacedPicture PlacePicture(const wchar_t* picture, const wchar_t* target, pic::Size limit) {
    if (!pic::CopiedAsItIs(picture)) return ConvertPicture(picture, target, limit);
    // A bitmap goes in as it always did: copied byte for byte. A failed copy
    // has no message; the wizard does not look at it, the command line does.
    PlacedPicture result;
    result.ok = CopyFileNormal(picture, target);
    return result;
}
