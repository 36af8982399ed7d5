// dib_canvas.h - somewhere to draw a picture and read back its colours, for
// the Windows-side bitmap tests.
//
// A memory DC with a top-down 32-bit DIB section: unlike a screen or a
// compatible bitmap it keeps every colour exactly, whatever the display's
// depth, so drawn pixels can be compared one by one.

#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bmpwriter.h"

namespace dibdraw {

using bmpw::Rgb;

// The colour a canvas starts with: nothing we draw uses it.
const COLORREF kUntouched = RGB(0x12, 0x34, 0x56);

class Canvas {
public:
    Canvas(int width, int height) : m_width(width) {
        m_dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<DWORD*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
        if (m_bits == nullptr) return;
        for (long i = 0; i < long(width) * height; ++i)
            m_bits[i] = (GetRValue(kUntouched) << 16) | (GetGValue(kUntouched) << 8) | GetBValue(kUntouched);
    }
    ~Canvas() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ok() const { return m_dc != nullptr && m_bits != nullptr; }
    HDC dc() const { return m_dc; }

    Rgb At(int x, int y) const {
        GdiFlush();
        const DWORD v = m_bits[long(y) * m_width + x];
        return Rgb{ static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v) };
    }
    bool Untouched(int x, int y) const {
        const Rgb c = At(x, y);
        return c.r == GetRValue(kUntouched) && c.g == GetGValue(kUntouched) && c.b == GetBValue(kUntouched);
    }

private:
    int m_width;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DWORD* m_bits = nullptr;
};

inline RECT Rect(int left, int top, int right, int bottom) {
    RECT r = { left, top, right, bottom };
    return r;
}

inline std::string Str(const Rgb& c) {
    char s[16];
    std::snprintf(s, sizeof(s), "#%02X%02X%02X", c.r, c.g, c.b);
    return s;
}

// The entries of a logical palette as colours, and whether any has flags
// set; empty without a palette.
inline std::vector<Rgb> PaletteColours(HPALETTE palette, bool* flagged = nullptr) {
    std::vector<Rgb> out;
    WORD entries = 0;
    if (palette == nullptr || GetObject(palette, sizeof(entries), &entries) != sizeof(entries) || entries == 0)
        return out;
    std::vector<PALETTEENTRY> got(entries);
    const UINT read = GetPaletteEntries(palette, 0, entries, &got[0]);
    for (UINT i = 0; i < read; ++i) {
        out.push_back(Rgb{ got[i].peRed, got[i].peGreen, got[i].peBlue });
        if (flagged && got[i].peFlags != 0) *flagged = true;
    }
    return out;
}

}  // namespace dibdraw
