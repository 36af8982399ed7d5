// The two small dialogs that ask for a folder: where to build the disc
// files, and where to write the menu listing.
#pragma once
#include "../platform/Dialog.h"
#include "../platform/String.h"

// A dialog with one folder edit (at most 128 characters), OK, Cancel and Help.
class CFolderDlg : public CDialog {
public:
    CFolderDlg(UINT templateId, int editId, const wchar_t* preset, HWND parent);
    const CString& Folder() const { return m_strFolder; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    LRESULT OnHelp(WPARAM, LPARAM);
    int m_editId;
    CString m_strFolder;

    DECLARE_MESSAGE_TABLE()
};

// "Build Information": the build folder, preset to c:\buildvr\ on every build.
class CBuildInfoDlg : public CFolderDlg {
public:
    explicit CBuildInfoDlg(HWND parent);
};

// "Menu File Information": the listing's folder, preset to c:\menufile\.
class CMenuFileDlg : public CFolderDlg {
public:
    explicit CMenuFileDlg(HWND parent);
};
