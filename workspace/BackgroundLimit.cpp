#include "BackgroundLimit.h"
#include "../platform/WinApp.h"
#include "../resources/menu_ids.h"
#include <cstring>
#include <vector>

namespace {

const int kLayoutCount = 10;
const int kLargestScaleDpi = 192;   // 200 %

class Reader {
public:
    Reader(const void* data, std::size_t size) : m_p(static_cast<const std::uint8_t*>(data)), m_size(data ? size : 0) {}
    bool Word(unsigned& v) {
        if (m_size - m_at < 2) return Fail();
        v = m_p[m_at] | unsigned(m_p[m_at + 1]) << 8;
        m_at += 2;
        return true;
    }
    bool Dword(std::uint32_t& v) {
        unsigned lo, hi;
        if (!Word(lo) || !Word(hi)) return false;
        v = lo | std::uint32_t(hi) << 16;
        return true;
    }
    bool Byte(unsigned& v) {
        if (m_at >= m_size) return Fail();
        v = m_p[m_at++];
        return true;
    }
    // A menu or class: none (0), a number (0xFFFF, n) or a zero-ended name.
    bool SkipNameOrNumber() {
        unsigned w;
        if (!Word(w)) return false;
        if (w == 0xFFFF) return Word(w);
        while (w != 0)
            if (!Word(w)) return false;
        return true;
    }
    bool Text(std::wstring& out) {
        out.clear();
        for (unsigned w; Word(w);) {
            if (w == 0) return true;
            out += static_cast<wchar_t>(w);
        }
        return false;
    }

private:
    bool Fail() {
        m_at = m_size;
        return false;
    }
    const std::uint8_t* m_p;
    std::size_t m_size, m_at = 0;
};

}  // namespace

bool ReadDialogFacts(const void* data, std::size_t size, DialogFacts& facts) {
    facts = DialogFacts();
    Reader r(data, size);
    unsigned version, signature, count, x, y, cx, cy;
    std::uint32_t style, exStyle, help;
    if (!r.Word(version) || !r.Word(signature)) return false;
    const bool extended = version == 1 && signature == 0xFFFF;
    if (extended) {
        if (!r.Dword(help) || !r.Dword(exStyle) || !r.Dword(style)) return false;
    } else {
        // DLGTEMPLATE: the style came first, then the extended style.
        style = version | std::uint32_t(signature) << 16;
        if (!r.Dword(exStyle)) return false;
    }
    std::wstring title;
    if (!r.Word(count) || !r.Word(x) || !r.Word(y) || !r.Word(cx) || !r.Word(cy) || !r.SkipNameOrNumber() ||
        !r.SkipNameOrNumber() || !r.Text(title))
        return false;
    facts.cx = static_cast<short>(cx);
    facts.cy = static_cast<short>(cy);
    if (style & DS_SETFONT) {
        unsigned point, weight = FW_NORMAL, italic = 0, charset = DEFAULT_CHARSET;
        if (!r.Word(point)) return false;
        if (extended && (!r.Word(weight) || !r.Byte(italic) || !r.Byte(charset))) return false;
        if (!r.Text(facts.face)) return false;
        facts.pointSize = static_cast<int>(point);
        facts.weight = static_cast<int>(weight);
        facts.italic = italic != 0;
        facts.charset = static_cast<int>(charset);
    }
    return true;
}

pic::Size LayoutWindowSize(HMODULE module, int templateId, int dpi) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DialogFacts facts;
    if (!data || !ReadDialogFacts(data, SizeofResource(module, found), facts) || facts.pointSize <= 0)
        return pic::Size();

    // The dialog manager's base units: the font's height, and the mean
    // width of the 52 letters, rounded.
    LOGFONTW font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = -MulDiv(facts.pointSize, dpi, 72);
    font.lfWeight = facts.weight;
    font.lfItalic = facts.italic;
    font.lfCharSet = static_cast<BYTE>(facts.charset);
    lstrcpynW(font.lfFaceName, facts.face.c_str(), LF_FACESIZE);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT handle = dc ? CreateFontIndirectW(&font) : nullptr;
    pic::Size size;
    if (handle) {
        HGDIOBJ old = SelectObject(dc, handle);
        TEXTMETRICW metrics;
        SIZE letters;
        static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        if (GetTextMetricsW(dc, &metrics) && GetTextExtentPoint32W(dc, kLetters, 52, &letters))
            size = pic::DialogPixels(facts.cx, facts.cy, (letters.cx / 26 + 1) / 2, metrics.tmHeight);
        SelectObject(dc, old);
        DeleteObject(handle);
    }
    if (dc) DeleteDC(dc);
    return size;
}

pic::Size LayoutsBox(HMODULE module, int firstTemplate, int dpi) {
    std::vector<pic::Size> windows;
    for (int i = 0; i < kLayoutCount; ++i) windows.push_back(LayoutWindowSize(module, firstTemplate + i, dpi));
    return pic::BoxAround(windows);
}

pic::Size BackgroundLimit() {
    // Measured on each use (ten templates and fonts, well under a
    // millisecond each): asked once per Browse, picture or disc check.
    return LayoutsBox(AppResourceHandle(), EDITOR_LAYOUT_BASE, kLargestScaleDpi);
}

