// "Make Disc Image": checks a disc folder and writes its ISO image, with a
// progress bar and Cancel while it writes; then offers Windows' own disc
// image burner where there is one, or says how else to burn the image.
#pragma once
#include "../platform/Dialog.h"
#include "../platform/String.h"
#include "../disc/DiscCheck.h"
#include <cstdint>
#include <string>

class CDiscImageDlg : public CDialog {
public:
    // folder: the preset disc folder; title: the menu title the label is made from.
    CDiscImageDlg(const wchar_t* folder, const wchar_t* title, HWND parent);

    // The image file beside a folder: "c:\buildvr\" gives "c:\buildvr.iso".
    static CString ImageBeside(const wchar_t* folder);

    // Windows' own disc image burner (Windows 7 and later); empty where
    // there is none.
    static CString FindBurner();

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
    LRESULT OnBurn(WPARAM, LPARAM);

    CString Text(int id) const;
    // Shows the folder's findings and returns them.
    std::vector<DiscFinding> RefreshFindings();
    void Make();
    bool OnProgress(std::uint64_t done, std::uint64_t total);
    void SetWriting(bool writing);
    void OfferToBurn(const CString& image);

    CString m_folder, m_title;
    CString m_image;                    // the image written last (full path)
    bool m_writing = false;
    bool m_cancel = false;
    DWORD m_lastPump = 0;

    DECLARE_MESSAGE_TABLE()
};

extern const wchar_t kMsgImageHasErrors[];
extern const wchar_t kMsgImageFailed[];
extern const wchar_t kMsgImageNoFolder[];
extern const wchar_t kImageReady[];
extern const wchar_t kImageBurnHint[];
extern const wchar_t kImageNoBurner[];
extern const wchar_t kMsgBurnerFailed[];
