#include "ActionDlg.h"
#include "../resources/editor_ids.h"
#include "WizardRules.h"
#include "../platform/FileDialog.h"
#include <initializer_list>

BEGIN_MESSAGE_TABLE(CActionDlg, CDialog)
    ON_COMMAND_ROW(CBN_SELCHANGE, IDC_ACT_GOTO, &CActionDlg::OnGotoChange)
    ON_COMMAND_ROW(BN_CLICKED, IDC_HELP_BUTTON, &CActionDlg::OnHelpButton)
    ON_COMMAND_ROW(CBN_SELCHANGE, IDC_ACT_COND_KIND, &CActionDlg::OnConditionKind)
    ON_COMMAND_ROW(BN_CLICKED, IDC_ACT_COND_BROWSE, &CActionDlg::OnConditionBrowse)
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

    CheckItem(IDC_ACT_RUNAS, m_runAs);
    // The kinds of condition in the table's order; a word written by hand
    // that names none stays as it is, as one more entry.
    int chosen = 0, count = 0;
    for (; count < wiz::kConditionChoiceCount; ++count) {
        const wiz::ConditionChoice& k = wiz::kConditionChoices[count];
        SendItem(IDC_ACT_COND_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(k.label));
        if (m_condKind.EqualsNoCase(k.word)) chosen = count;
    }
    if (chosen == 0 && !m_condKind.IsEmpty()) {
        SendItem(IDC_ACT_COND_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_condKind.c_str()));
        chosen = count;
    }
    SendItem(IDC_ACT_COND_KIND, CB_SETCURSEL, chosen);
    SendItem(IDC_ACT_COND_VALUE, EM_LIMITTEXT, kMaxConditionText);
    SetItemText(IDC_ACT_COND_VALUE, m_condValue);
    CheckItem(IDC_ACT_COND_NOT, m_condNot);
    CheckItem(IDC_ACT_COND_HIDE, m_condHide);
    CheckItem(IDC_ACT_COND_GREY, !m_condHide);
    EnableConditionControls();
    return TRUE;
}

CString CActionDlg::ChosenKind() const {
    const int sel = static_cast<int>(SendItem(IDC_ACT_COND_KIND, CB_GETCURSEL));
    if (sel >= 0 && sel < wiz::kConditionChoiceCount) return wiz::kConditionChoices[sel].word;
    // The entry kept for a word of its own.
    return sel < 0 ? CString() : m_condKind;
}

void CActionDlg::EnableConditionControls() {
    const CString kind = ChosenKind();
    const wiz::ConditionChoice* choice = wiz::ConditionChoiceFor(kind);
    const bool any = !kind.IsEmpty();
    const bool value = !choice || choice->takesValue;
    EnableItem(IDC_ACT_COND_VALUE, any && value);
    EnableItem(IDC_ACT_COND_BROWSE, choice && choice->browses);
    for (int id : {IDC_ACT_COND_NOT, IDC_ACT_COND_HIDE, IDC_ACT_COND_GREY}) EnableItem(id, any);
}

LRESULT CActionDlg::OnConditionKind(WPARAM, LPARAM) {
    EnableConditionControls();
    return 0;
}

LRESULT CActionDlg::OnConditionBrowse(WPARAM, LPARAM) {
    CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY, L"All Files (*.*)|*.*||", m_hWnd);
    if (dialog.DoModal() == IDOK) SetItemText(IDC_ACT_COND_VALUE, dialog.GetPathName());
    return 0;
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
    m_runAs = IsItemChecked(IDC_ACT_RUNAS);
    m_condKind = ChosenKind();
    const wiz::ConditionChoice* choice = wiz::ConditionChoiceFor(m_condKind);
    m_condValue = !m_condKind.IsEmpty() && (!choice || choice->takesValue) ? GetItemText(IDC_ACT_COND_VALUE) : CString();
    m_condNot = !m_condKind.IsEmpty() && IsItemChecked(IDC_ACT_COND_NOT);
    m_condHide = !m_condKind.IsEmpty() && IsItemChecked(IDC_ACT_COND_HIDE);
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
    CString condition[wiz::kConditionKeys];
    for (int i = 0; i < wiz::kConditionKeys; ++i)
        condition[i] = file.ReadString(MenuSection(wiz::kConditionBases[i], menu), key, L"", i == 1 ? kTextBuffer : kShortBuffer);
    dialog.m_condKind = condition[0];
    dialog.m_condValue = condition[1];
    dialog.m_condNot = def::IsTrue(condition[2]);
    dialog.m_condHide = condition[3].EqualsNoCase(L"HIDE");
    dialog.m_runAs = def::IsTrue(condition[4]);
    dialog.m_heading = CString::Format(L"Menu # %d Line # %d", menu, line);
    dialog.m_line = lineText;
    if (dialog.DoModal() != IDOK) return;

    file.UpdateString(program, key, wiz::ProgramToStore(dialog.m_gotoText, dialog.m_program));
    file.UpdateString(params, key, dialog.m_params);
    file.UpdateString(workDir, key, dialog.m_workDir);
    file.UpdateString(quit, key, dialog.m_quit ? kTrue : kFalse);
    // A line without a condition or elevation leaves no keys of them, so
    // that a definition that never used them stays as it always was.
    const wiz::ConditionKeys keys = wiz::ConditionKeyValues(dialog.m_condKind, dialog.m_condValue, dialog.m_condNot,
                                                            dialog.m_condHide, dialog.m_runAs);
    for (int i = 0; i < wiz::kConditionKeys; ++i) {
        const CString section = MenuSection(wiz::kConditionBases[i], menu);
        if (keys.value[i].IsEmpty()) file.DeleteKey(section, key);
        else file.UpdateString(section, key, keys.value[i]);
    }
}
