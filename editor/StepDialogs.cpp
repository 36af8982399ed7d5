#include "StepDialogs.h"
#include "../resources/editor_ids.h"
#include "Steps.h"

namespace {
const int kFolderLimit = 128;
}  // namespace

BEGIN_MESSAGE_TABLE(CFolderDlg, CDialog)
    ON_COMMAND_ROW(BN_CLICKED, IDC_HELP_BUTTON, &CFolderDlg::OnHelp)
END_MESSAGE_TABLE(CFolderDlg, CDialog)

CFolderDlg::CFolderDlg(UINT templateId, int editId, const wchar_t* preset, HWND parent)
    : CDialog(templateId, parent), m_editId(editId), m_strFolder(preset) {}

BOOL CFolderDlg::OnInitDialog() {
    SendDlgItemMessageW(m_hWnd, m_editId, EM_LIMITTEXT, kFolderLimit, 0);
    SetDlgItemTextW(m_hWnd, m_editId, m_strFolder);
    return TRUE;
}

void CFolderDlg::OnOK() {
    wchar_t text[kFolderLimit + 1] = L"";
    GetDlgItemTextW(m_hWnd, m_editId, text, ARRAYSIZE(text));
    m_strFolder = text;
    EndDialog(IDOK);
}

LRESULT CFolderDlg::OnHelp(WPARAM, LPARAM) {
    ShowHelp();
    return 0;
}

CBuildInfoDlg::CBuildInfoDlg(HWND parent) : CFolderDlg(IDD_BUILD, IDC_BUILD_FOLDER, kDefaultBuildFolder, parent) {}

CMenuFileDlg::CMenuFileDlg(HWND parent) : CFolderDlg(IDD_MENU_FILE, IDC_MENU_FILE_FOLDER, L"c:\\menufile\\", parent) {}
