// The "Configure Actions" dialog: what a click on one selection line does.
#pragma once
#include "../platform/Dialog.h"
#include "../platform/String.h"
#include "../menu/Definition.h"

class CActionDlg : public CDialog {
public:
    explicit CActionDlg(HWND parent = nullptr);

    // The fields, exchanged with the controls at start and at OK.
    bool m_quit;
    CString m_heading, m_line, m_program, m_params, m_workDir;
    // Set at OK: the go-to list's text, empty or "menu%d".
    CString m_gotoText;
    // The line's condition (its stored words, see the menu's conditions)
    // and whether its program starts as administrator.
    CString m_condKind, m_condValue;
    bool m_condNot = false, m_condHide = false, m_runAs = false;

    // Longest condition value the player reads back.
    static const int kMaxConditionText = def::kTextBuffer - 1;

    // Longest program, parameters and working folder the player reads back.
    static const int kMaxActionText = def::kShortBuffer - 1;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    LRESULT OnGotoChange(WPARAM, LPARAM);
    LRESULT OnConditionKind(WPARAM, LPARAM);
    LRESULT OnConditionBrowse(WPARAM, LPARAM);
    // The condition controls that mean something for the kind chosen.
    void EnableConditionControls();
    CString ChosenKind() const;
    LRESULT OnHelpButton(WPARAM, LPARAM);
    CString GotoText() const;

    DECLARE_MESSAGE_TABLE()
};

// Appends "menu1" to "menu200" to a combo box, in that order whatever its
// sort style, so that entry k - 1 after those already there is menu k.
void AppendMenuEntries(HWND list);

// Edits the action of line 'line' (1-12) of menu 'menu' (1-200): reads its
// four keys, runs the dialog, and at OK writes all four back in order.
void EditLineAction(HWND owner, const CDefinitionFile& file, int menu, int line, const wchar_t* lineText);
