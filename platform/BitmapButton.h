// An owner-drawn push button that shows bitmaps instead of a face and text.
//
// Either a set of images named after the button's window text (in capitals)
// plus "U" (normal), "D" (pressed), "F" (focused) and "X" (disabled), with
// the button sized to the normal image; or a single image that the button
// shows in every state at its own size, unscaled from the image's top-left
// corner and clipped to the button.
//
// Every picture exists once per display scale (see ImageScale.h); the button
// takes the set for the system DPI, so a button sized to its normal image
// grows with the dialog around it, and a single image keeps filling its
// control as it does at 100 %.
#pragma once
#include "Dialog.h"

class CBitmapButton : public COwnerDrawn {
public:
    enum Image { kNormal, kPressed, kFocused, kDisabled, kImageCount };

    CBitmapButton();
    ~CBitmapButton() override;

    // Attaches to the dialog's control, loads the image set named by the
    // control's text and sizes the control to the normal image. False when
    // there is no such control or no normal image.
    bool AutoLoad(int controlId, HWND dialog);

    // Replaces the images by the named bitmap resources; names may be null
    // for images the button lacks. False when the normal image is missing.
    bool LoadBitmaps(const wchar_t* normal, const wchar_t* pressed = nullptr, const wchar_t* focused = nullptr,
                     const wchar_t* disabled = nullptr);

    // Attaches to the dialog's control without changing its size.
    bool SubclassDlgItem(int controlId, HWND dialog);

    // Resizes the control to its normal image.
    void SizeToContent();

    HWND GetSafeHwnd() const { return m_hWnd; }
    // Size of one of the loaded images; 0, 0 when it is missing.
    SIZE ImageSize(Image which) const;

    void DrawItem(const DRAWITEMSTRUCT& item) override;

    // Which image a button in this owner-draw state shows, given which
    // images exist: pressed, else focused, else disabled, else normal.
    static Image ImageFor(UINT itemState, const bool present[kImageCount]);

private:
    void FreeBitmaps();

    HWND m_hWnd;
    HBITMAP m_bitmaps[kImageCount];

    CBitmapButton(const CBitmapButton&) = delete;
    CBitmapButton& operator=(const CBitmapButton&) = delete;
};
