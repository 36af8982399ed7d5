// The layout page: one of the ten layouts, with description and preview.
#include "../resources/editor_ids.h"
#include "Pages.h"
#include "WizardRules.h"

BEGIN_MESSAGE_TABLE(CSelectTmplt, CPropertyPage)
    ON_COMMAND_ROW(LBN_SELCHANGE, IDC_TPL_LIST, &CSelectTmplt::OnListChange)
END_MESSAGE_TABLE(CSelectTmplt, CPropertyPage)

CSelectTmplt::CSelectTmplt(EditorState& state) : CPropertyPage(IDD_WIZARD_TEMPLATE), m_state(state) {}

BOOL CSelectTmplt::OnInitDialog() {
    for (const wiz::LayoutChoice& choice : wiz::kLayoutChoices)
        SendItem(IDC_TPL_LIST, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(choice.listText));
    int index = EditedDefinition(m_state).ReadInt(def::kGeneral, def::kTemplate, 0);
    // A stored value naming no layout selects nothing and shows nothing.
    SendItem(IDC_TPL_LIST, LB_SETCURSEL, static_cast<WPARAM>(def::IsLayoutIndex(index) ? index : -1));
    ShowTemplate(index);
    m_preview.SubclassDlgItem(IDC_TPL_PREVIEW, m_hWnd);
    return TRUE;
}

BOOL CSelectTmplt::OnSetActive() {
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

int CSelectTmplt::Selection() const {
    return static_cast<int>(SendItem(IDC_TPL_LIST, LB_GETCURSEL));
}

void CSelectTmplt::ShowTemplate(int index) {
    bool known = def::IsLayoutIndex(index);
    SetItemText(IDC_TPL_DESCRIPTION, known ? wiz::kLayoutChoices[index].description : L"");
    if (known) m_preview.LoadBitmaps(wiz::kLayoutChoices[index].preview);
    if (HWND button = GetDlgItem(IDC_TPL_PREVIEW)) InvalidateRect(button, nullptr, TRUE);
}

LRESULT CSelectTmplt::OnListChange(WPARAM, LPARAM) {
    int index = Selection();
    if (!def::IsLayoutIndex(index)) return 0;
    ShowTemplate(index);
    // Written at once: a Cancel keeps the last layout clicked.
    EditedDefinition(m_state).UpdateInt(def::kGeneral, def::kTemplate, index);
    return 0;
}

void CSelectTmplt::DoDataExchange(bool save) {
    if (!save) return;
    int index = Selection();
    // Without a selection the stored value stays: "-1" would leave the
    // player without a window.
    if (def::IsLayoutIndex(index)) EditedDefinition(m_state).UpdateInt(def::kGeneral, def::kTemplate, index);
}
