#include "LanguageDlg.h"
#include "../resources/editor_ids.h"

BEGIN_MESSAGE_TABLE(CLanguageDlg, CDialog)
    ON_COMMAND_ROW(BN_CLICKED, IDC_LANGUAGE_HELP, &CLanguageDlg::OnHelpButton)
    ON_COMMAND_ROW(LBN_DBLCLK, IDC_LANGUAGE_LIST, &CLanguageDlg::OnDoubleClick)
END_MESSAGE_TABLE(CLanguageDlg, CDialog)

CLanguageDlg::CLanguageDlg(HWND parent) : CDialog(IDD_LANGUAGE, parent) {}

BOOL CLanguageDlg::OnInitDialog() {
    m_choices = SystemLanguages();
    for (const LanguageChoice& choice : m_choices)
        SendItem(IDC_LANGUAGE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.name.c_str()));
    return TRUE;
}

void CLanguageDlg::OnOK() {
    // The list is not sorted by the control: its rows are the choices' order.
    const LRESULT row = SendItem(IDC_LANGUAGE_LIST, LB_GETCURSEL);
    if (row < 0 || static_cast<size_t>(row) >= m_choices.size()) return;
    m_chosen = m_choices[static_cast<size_t>(row)].tag;
    EndDialog(IDOK);
}

LRESULT CLanguageDlg::OnDoubleClick(WPARAM, LPARAM) {
    OnOK();
    return 0;
}

LRESULT CLanguageDlg::OnHelpButton(WPARAM, LPARAM) {
    ShowHelp();
    return 0;
}
