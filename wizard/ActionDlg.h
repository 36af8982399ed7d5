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

    // Longest program, parameters and working folder the player reads back.
    static const int kMaxActionText = def::kShortBuffer - 1;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    LRESULT OnGotoChange(WPARAM, LPARAM);
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
