// "Make Disc Image": checks a disc folder and writes its ISO image, with a
// progress bar and Cancel while it writes.
#pragma once
#include "../platform/Dialog.h"
#include "../platform/String.h"
#include "DiscCheck.h"
#include <cstdint>
#include <string>

class CDiscImageDlg : public CDialog {
public:
    // folder: the preset disc folder; title: the menu title the label is made from.
    CDiscImageDlg(const char* folder, const char* title, HWND parent);

    // The image file beside a folder: "c:\buildvr\" gives "c:\buildvr.iso".
    static CString ImageBeside(const char* folder);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    LRESULT OnFolderChange(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnMake(WPARAM, LPARAM);
    LRESULT OnBrowse(WPARAM, LPARAM);
    LRESULT OnHelpButton(WPARAM, LPARAM);

    CString Text(int id) const;
    // Shows the folder's findings and returns them.
    std::vector<DiscFinding> RefreshFindings();
    void Make();
    bool OnProgress(std::uint64_t done, std::uint64_t total);
    void SetWriting(bool writing);

    CString m_folder, m_title;
    bool m_writing = false;
    bool m_cancel = false;
    DWORD m_lastPump = 0;

    DECLARE_MESSAGE_TABLE()
};

extern const char kMsgImageHasErrors[];
extern const char kMsgImageDone[];
extern const char kMsgImageFailed[];
extern const char kMsgImageNoFolder[];
