// DibImage.h - a .bmp file held in memory with its palette.
//
// CDibImage keeps the packed bitmap (header, colour table and pixel rows as
// they follow the file header in the .bmp file) in one block it owns, plus
// the GDI palette built from the colour table.  The menu window uses one for
// its background; the editor's background page uses one for its preview.
//
// Nothing here throws: the callers are window procedures.

#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "DibFormat.h"

class CDibImage {
public:
    CDibImage();
    ~CDibImage();
    // Not copyable: the object owns a GDI palette.
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // Reads a .bmp file into the block and builds the palette.  Any failure
    // (missing or unreadable file, shorter than the 14-byte file header, not
    // starting with "BM", larger than kMaxFileSize, or a packed bitmap whose
    // parts do not fit in what was read) leaves the image empty and returns
    // false.  A previous image is dropped first in every case.
    bool LoadFromFile(const wchar_t* path);

    // (Re)creates the palette from the colour table.  Returns true when the
    // image now has a palette; false without an image, for a picture without
    // colour table, or when GDI refuses the palette.
    bool BuildPalette();

    // Releases the palette object (the window does this on WM_DESTROY).
    void DeletePalette();

    int Width() const { return IsEmpty() ? 0 : m_layout.width; }
    int Height() const { return IsEmpty() ? 0 : m_layout.height; }
    WORD ColorCount() const { return IsEmpty() ? 0 : m_layout.colorCount; }
    WORD ColorTableSize() const { return IsEmpty() ? 0 : m_layout.colorTableSize; }
    // Start of the plain pixel rows (bottom row first), or nullptr without an
    // image: in the block, or decoded beside it from run-length or
    // bit-field rows.
    const BYTE* Pixels() const {
        if (IsEmpty()) return nullptr;
        return m_decoded ? m_decoded.get() : &m_block[0] + m_layout.pixelOffset;
    }
    HPALETTE Palette() const { return m_palette; }
    bool IsEmpty() const { return m_block.empty(); }

    // The packed bitmap and the number of bytes read into it, which is what
    // the header, table and rows were checked against.  Layout() describes
    // the plain rows that Pixels() gives.
    const BYTE* Block() const { return IsEmpty() ? nullptr : &m_block[0]; }
    std::size_t DataSize() const { return m_dataSize; }
    const dibfmt::DibLayout& Layout() const { return m_layout; }

    // Draws the src rectangle of the bitmap (top-left origin) into dest on
    // dc: 1:1 when both have the same size, otherwise stretched.  Returns the
    // blit's result (scan lines drawn), 0 without an image.
    int Render(HDC dc, const RECT& dest, const RECT& src) const;

    // Larger files are refused rather than read: a screen background is a
    // few megabytes at most.
    static const DWORD kMaxFileSize = 64u * 1024u * 1024u;

private:
    void Clear();

    std::vector<BYTE> m_block;
    // Plain rows of a run-length or bit-field picture.  Not a vector: its
    // length errors would nearly double the player's size.
    std::unique_ptr<BYTE[]> m_decoded;
    std::size_t m_dataSize;
    dibfmt::DibLayout m_layout;
    dibfmt::GdiInfo m_gdiInfo;   // the header the blits see, see DibFormat.h
    HPALETTE m_palette;
};

// A palette selected into a device context and realised for as long as
// this object lives; the one selected before comes back at the end. With
// no palette it does nothing.
class CSelectedPalette {
public:
    CSelectedPalette(HDC dc, HPALETTE palette);
    ~CSelectedPalette();
    CSelectedPalette(const CSelectedPalette&) = delete;
    CSelectedPalette& operator=(const CSelectedPalette&) = delete;

    // True when there was a palette and the system refused to select it.
    bool Failed() const { return m_failed; }

private:
    HDC m_dc;
    HPALETTE m_old;
    bool m_failed;
};

// What the windows say when a palette cannot be selected.
extern const wchar_t kMsgSelectPaletteFailed[];   // "SelectPallete failed"

