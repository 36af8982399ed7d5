#include "ActionDlg.h"
#include "../resources/editor_ids.h"
#include "WizardRules.h"
#include <initializer_list>

BEGIN_MESSAGE_TABLE(CActionDlg, CDialog)
    ON_COMMAND_ROW(CBN_SELCHANGE, IDC_ACT_GOTO, &CActionDlg::OnGotoChange)
    ON_COMMAND_ROW(BN_CLICKED, IDC_HELP_BUTTON, &CActionDlg::OnHelpButton)
END_MESSAGE_TABLE(CActionDlg, CDialog)

CActionDlg::CActionDlg(HWND parent) : CDialog(IDD_ACTION, parent), m_quit(false) {}

BOOL CActionDlg::OnInitDialog() {
    CheckItem(IDC_ACT_QUIT, m_quit);
    SetItemText(IDC_ACT_HEADING, m_heading);
    SetItemText(IDC_ACT_LINE, m_line);
    // The player reads these back through 80-byte buffers: a longer path
    // would open the wrong file or none.
    for (int id : {IDC_ACT_PROGRAM, IDC_ACT_PARAMS, IDC_ACT_WORKDIR})
        SendItem(id, EM_LIMITTEXT, kMaxActionText);
    SetItemText(IDC_ACT_PROGRAM, m_program);
    SetItemText(IDC_ACT_PARAMS, m_params);
    SetItemText(IDC_ACT_WORKDIR, m_workDir);

    // Index 0 is the blank entry, index k menu k (appended, never sorted).
    SendItem(IDC_ACT_GOTO, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L""));
    AppendMenuEntries(GetDlgItem(IDC_ACT_GOTO));
    if (int entry = wiz::GotoEntryForProgram(m_program)) SendItem(IDC_ACT_GOTO, CB_SETCURSEL, entry);
    return TRUE;
}

CString CActionDlg::GotoText() const {
    int sel = static_cast<int>(SendItem(IDC_ACT_GOTO, CB_GETCURSEL));
    if (sel <= 0) return CString();
    int length = static_cast<int>(SendItem(IDC_ACT_GOTO, CB_GETLBTEXTLEN, sel));
    if (length <= 0 || length > 64) return CString();
    wchar_t text[72] = L"";
    SendItem(IDC_ACT_GOTO, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text));
    return CString(text);
}

LRESULT CActionDlg::OnGotoChange(WPARAM, LPARAM) {
    int sel = static_cast<int>(SendItem(IDC_ACT_GOTO, CB_GETCURSEL));
    if (sel == 0) {
        // The blank entry removes the go-to.
        m_program.Empty();
        SetItemText(IDC_ACT_PROGRAM, L"");
    } else if (sel > 0) {
        SetItemText(IDC_ACT_PROGRAM, CString(L"_") + GotoText());
    }
    return 0;
}

void CActionDlg::OnOK() {
    m_gotoText = GotoText();
    m_quit = IsItemChecked(IDC_ACT_QUIT);
    m_program = GetItemText(IDC_ACT_PROGRAM);
    m_params = GetItemText(IDC_ACT_PARAMS);
    m_workDir = GetItemText(IDC_ACT_WORKDIR);
    EndDialog(IDOK);
}

LRESULT CActionDlg::OnHelpButton(WPARAM, LPARAM) {
    ShowHelp();
    return 0;
}

void AppendMenuEntries(HWND list) {
    if (!list) return;
    for (int k = 1; k <= def::kMaxMenus; ++k) {
        CString entry = wiz::GotoEntryText(k);
        SendMessageW(list, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void EditLineAction(HWND owner, const CDefinitionFile& file, int menu, int line, const wchar_t* lineText) {
    using namespace def;
    if (menu < 1 || menu > kMaxMenus || line < 1 || line > kLines) return;
    CString key = CString::Format(L"%d", line);
    CString program = MenuSection(kActionBase, menu), params = MenuSection(kParamsBase, menu);
    CString workDir = MenuSection(kWorkDirBase, menu), quit = MenuSection(kQuitBase, menu);

    CActionDlg dialog(owner);
    dialog.m_program = file.ReadString(program, key, L"", kShortBuffer);
    dialog.m_params = file.ReadString(params, key, L"", kShortBuffer);
    dialog.m_workDir = file.ReadString(workDir, key, L"", kShortBuffer);
    dialog.m_quit = def::IsTrue(file.ReadString(quit, key, L"", kShortBuffer));
    dialog.m_heading = CString::Format(L"Menu # %d Line # %d", menu, line);
    dialog.m_line = lineText;
    if (dialog.DoModal() != IDOK) return;

    file.UpdateString(program, key, wiz::ProgramToStore(dialog.m_gotoText, dialog.m_program));
    file.UpdateString(params, key, dialog.m_params);
    file.UpdateString(workDir, key, dialog.m_workDir);
    file.UpdateString(quit, key, dialog.m_quit ? kTrue : kFalse);
}
