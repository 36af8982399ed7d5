// The player program: an invisible host dialog that picks the layout and
// runs the menu window; the program ends when the menu window closes.
#pragma once
#include "../platform/Dialog.h"
#include "../platform/WinApp.h"

class CPlayerApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

class CPlayerHostDlg : public CDialog {
public:
    CPlayerHostDlg();

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    HICON m_hIcon;

    DECLARE_MESSAGE_TABLE()
};
