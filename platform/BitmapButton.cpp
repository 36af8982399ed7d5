#include "BitmapButton.h"
#include "Dpi.h"
#include "ImageScale.h"
#include "String.h"
#include "WinApp.h"
#include <cstdint>
#include <vector>

CBitmapButton::CBitmapButton() : m_hWnd(nullptr) {
    for (HBITMAP& b : m_bitmaps) b = nullptr;
}

CBitmapButton::~CBitmapButton() {
    // The window may outlive this object (a dialog's member ends after the
    // dialog's window has gone, or the other way round): unbind first.
    if (m_hWnd && COwnerDrawn::From(m_hWnd) == this) COwnerDrawn::Bind(m_hWnd, nullptr);
    FreeBitmaps();
}

void CBitmapButton::FreeBitmaps() {
    for (HBITMAP& b : m_bitmaps) {
        if (b) DeleteObject(b);
        b = nullptr;
    }
}

// The pictures are drawn on the classic face grey; that exact colour is
// shown in the face colour of the running system, so that the pictures'
// surroundings melt into the dialog on any colour scheme.
static void MapFaceGrey(HBITMAP bitmap) {
    DIBSECTION dib;
    if (GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBmih.biBitCount > 8) return;
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, bitmap);
    RGBQUAD colours[256];
    UINT count = GetDIBColorTable(memory, 0, 256, colours);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    bool changed = false;
    for (UINT i = 0; i < count; ++i) {
        RGBQUAD& c = colours[i];
        if (c.rgbRed == 192 && c.rgbGreen == 192 && c.rgbBlue == 192) {
            c.rgbRed = GetRValue(face);
            c.rgbGreen = GetGValue(face);
            c.rgbBlue = GetBValue(face);
            changed = true;
        }
    }
    if (changed) SetDIBColorTable(memory, 0, count, colours);
    SelectObject(memory, old);
    DeleteDC(memory);
}

// Width and height of a bitmap resource, read from its header.
static bool ResourceSize(const wchar_t* name, int* w, int* h) {
    HINSTANCE module = AppResourceHandle();
    HRSRC found = FindResourceW(module, name, reinterpret_cast<LPCWSTR>(RT_BITMAP));
    HGLOBAL data = found ? LoadResource(module, found) : nullptr;
    const BITMAPINFOHEADER* header = data ? static_cast<const BITMAPINFOHEADER*>(LockResource(data)) : nullptr;
    if (!header || SizeofResource(module, found) < sizeof(BITMAPCOREHEADER)) return false;
    if (header->biSize == sizeof(BITMAPCOREHEADER)) {
        const BITMAPCOREHEADER* core = reinterpret_cast<const BITMAPCOREHEADER*>(header);
        *w = core->bcWidth;
        *h = core->bcHeight;
    } else {
        if (SizeofResource(module, found) < sizeof(BITMAPINFOHEADER)) return false;
        *w = header->biWidth;
        *h = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    }
    return *w > 0 && *h > 0;
}

// A copy of the picture at another size, through the area filter.
static HBITMAP Resized(HBITMAP bitmap, int w, int h) {
    BITMAP info;
    if (!GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
    const int sw = info.bmWidth, sh = info.bmHeight;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = sw;
    bi.bmiHeader.biHeight = -sh;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> source(static_cast<size_t>(sw) * sh);
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, sh, source.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != sh) return nullptr;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    void* bits = nullptr;
    HBITMAP result = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!result || !bits) {
        if (result) DeleteObject(result);
        return nullptr;
    }
    ResampleArea(source.data(), sw, sh, static_cast<uint32_t*>(bits), w, h);
    GdiFlush();
    return result;
}

// The picture for the display's scale: the set for the system DPI, fitted
// to the exact DPI when it lies between the sets. At 96 DPI this is the
// plain resource, unchanged.
static HBITMAP LoadNamedBitmap(const wchar_t* name) {
    if (!name || !*name) return nullptr;
    const int dpi = SystemDpi();
    const PictureSet set = PictureSetFor(dpi);
    HBITMAP bitmap = nullptr;
    if (*set.suffix) bitmap = LoadPictureResource(AppResourceHandle(), CString::Format(L"%s%s", name, set.suffix));
    // A picture without a set of this scale: the 100 % one, fitted below.
    if (!bitmap) bitmap = LoadPictureResource(AppResourceHandle(), name);
    if (!bitmap) return nullptr;
    MapFaceGrey(bitmap);
    int w = 0, h = 0;
    BITMAP info;
    if (dpi != 96 && ResourceSize(name, &w, &h) && GetObjectW(bitmap, sizeof info, &info)) {
        w = ScaleToDpi(w, dpi);
        h = ScaleToDpi(h, dpi);
        if (w > 0 && h > 0 && (w != info.bmWidth || h != info.bmHeight)) {
            if (HBITMAP fitted = Resized(bitmap, w, h)) {
                DeleteObject(bitmap);
                bitmap = fitted;
            }
        }
    }
    return bitmap;
}

bool CBitmapButton::LoadBitmaps(const wchar_t* normal, const wchar_t* pressed, const wchar_t* focused,
                                const wchar_t* disabled) {
    FreeBitmaps();
    const wchar_t* names[kImageCount] = {normal, pressed, focused, disabled};
    for (int i = 0; i < kImageCount; ++i) m_bitmaps[i] = LoadNamedBitmap(names[i]);
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, TRUE);
    return m_bitmaps[kNormal] != nullptr;
}

bool CBitmapButton::SubclassDlgItem(int controlId, HWND dialog) {
    HWND control = dialog ? GetDlgItem(dialog, controlId) : nullptr;
    if (!control) return false;
    if (m_hWnd && m_hWnd != control && COwnerDrawn::From(m_hWnd) == this) COwnerDrawn::Bind(m_hWnd, nullptr);
    m_hWnd = control;
    COwnerDrawn::Bind(m_hWnd, this);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    return true;
}

bool CBitmapButton::AutoLoad(int controlId, HWND dialog) {
    if (!SubclassDlgItem(controlId, dialog)) return false;
    wchar_t text[64] = L"";
    GetWindowTextW(m_hWnd, text, 63);
    CharUpperW(text);
    // The names: the text plus one letter per image.
    wchar_t names[kImageCount][64 + 1];
    const wchar_t suffix[kImageCount] = {L'U', L'D', L'F', L'X'};
    for (int i = 0; i < kImageCount; ++i) wsprintfW(names[i], L"%s%c", text, suffix[i]);
    bool ok = LoadBitmaps(names[kNormal], names[kPressed], names[kFocused], names[kDisabled]);
    if (ok) SizeToContent();
    return ok;
}

SIZE CBitmapButton::ImageSize(Image which) const {
    SIZE size = {0, 0};
    BITMAP info;
    if (which >= 0 && which < kImageCount && m_bitmaps[which] &&
        GetObjectW(m_bitmaps[which], sizeof info, &info)) {
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
    }
    return size;
}

void CBitmapButton::SizeToContent() {
    SIZE size = ImageSize(kNormal);
    if (m_hWnd && size.cx > 0 && size.cy > 0)
        SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CBitmapButton::Image CBitmapButton::ImageFor(UINT itemState, const bool present[kImageCount]) {
    if ((itemState & ODS_SELECTED) && present[kPressed]) return kPressed;
    if ((itemState & ODS_FOCUS) && present[kFocused]) return kFocused;
    if ((itemState & ODS_DISABLED) && present[kDisabled]) return kDisabled;
    return kNormal;
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const RECT& rc = item.rcItem;
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    bool present[kImageCount];
    for (int i = 0; i < kImageCount; ++i) present[i] = m_bitmaps[i] != nullptr;
    HBITMAP bitmap = m_bitmaps[ImageFor(item.itemState, present)];

    int drawnW = 0, drawnH = 0;
    if (bitmap) {
        BITMAP info;
        if (GetObjectW(bitmap, sizeof info, &info)) {
            drawnW = info.bmWidth < width ? info.bmWidth : width;
            drawnH = info.bmHeight < height ? info.bmHeight : height;
        }
        HDC memory = CreateCompatibleDC(item.hDC);
        if (memory) {
            HGDIOBJ old = SelectObject(memory, bitmap);
            BitBlt(item.hDC, rc.left, rc.top, drawnW, drawnH, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        } else {
            drawnW = drawnH = 0;
        }
    }
    // Whatever the picture leaves uncovered shows the button face.
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    RECT right = {rc.left + drawnW, rc.top, rc.right, rc.bottom};
    RECT below = {rc.left, rc.top + drawnH, rc.left + drawnW, rc.bottom};
    if (right.left < right.right) FillRect(item.hDC, &right, face);
    if (below.top < below.bottom && below.left < below.right) FillRect(item.hDC, &below, face);
}
