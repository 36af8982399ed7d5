// The wizard's first and last pages.
#include "../resources/editor_ids.h"
#include "Pages.h"

CIntroduction::CIntroduction() : CPropertyPage(IDD_WIZARD_INTRO) {}

BOOL CIntroduction::OnInitDialog() {
    // The logo keeps its place's size and shows the picture from its
    // top-left corner; clicking it does nothing.
    m_logo.LoadBitmaps(L"WIZLOGO");
    m_logo.SubclassDlgItem(IDC_WIZLOGO, m_hWnd);
    return TRUE;
}

BOOL CIntroduction::OnSetActive() {
    SetWizardButtons(PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

namespace {
const UINT WM_FOCUS_FINISH = WM_APP + 1;
const int kFinishButton = 0x3025;
}

BEGIN_MESSAGE_TABLE(CFinish, CPropertyPage)
    ON_MESSAGE_ROW(WM_FOCUS_FINISH, &CFinish::OnFocusFinish)
END_MESSAGE_TABLE(CFinish, CPropertyPage)

CFinish::CFinish() : CPropertyPage(IDD_WIZARD_FINISH) {}

BOOL CFinish::OnSetActive() {
    SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    // Some sheets leave no control with the focus on the last page, and
    // then F1 reaches no window; once the sheet has settled, Finish takes it.
    PostMessageW(m_hWnd, WM_FOCUS_FINISH, 0, 0);
    return CPropertyPage::OnSetActive();
}

LRESULT CFinish::OnFocusFinish(WPARAM, LPARAM) {
    HWND sheet = GetSheet();
    HWND finish = sheet ? ::GetDlgItem(sheet, kFinishButton) : nullptr;
    HWND focus = GetFocus();
    if (finish && IsWindowVisible(finish) && IsWindowEnabled(finish) && (!focus || !IsChild(sheet, focus)))
        SendMessageW(sheet, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(finish), TRUE);
    return 0;
}
