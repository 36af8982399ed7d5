// The about box, opened from the main window's system menu.
#pragma once
#include "../platform/Dialog.h"
#include "../resources/editor_ids.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND parent = nullptr) : CDialog(IDD_ABOUT, parent) {}
};
