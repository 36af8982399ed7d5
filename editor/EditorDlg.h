// The editor's main window: the three steps (design with the wizard, test,
// build), the File menu with New, Open and Save As, and the Testing menu.
#pragma once
#include "../platform/BitmapButton.h"
#include "../platform/Dialog.h"
#include "../platform/Font.h"
#include "../platform/String.h"
#include "../workspace/EditorState.h"

class CEditorDlg : public CDialog {
public:
    explicit CEditorDlg(HWND parent = nullptr);
    ~CEditorDlg() override;

    // The editor's folders and flags, set up when the window opens.
    EditorState& State() { return m_state; }

protected:
    BOOL OnInitDialog() override;
    // Enter runs the step button that has the focus; the window has no OK.
    void OnOK() override;
    // Escape asks to exit like the Exit button, with the save question.
    void OnCancel() override;

    // Where the editor runs from (its folder is the work directory) and the
    // text after its name on the command line.
    virtual CString ExecutablePath() const;
    virtual CString CommandTail() const;

private:
    LRESULT OnSysCommand(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnBuild(WPARAM, LPARAM);
    LRESULT OnHelpButton(WPARAM, LPARAM);
    LRESULT OnTest(WPARAM, LPARAM);
    LRESULT OnWizard(WPARAM, LPARAM);
    LRESULT OnExitCommand(WPARAM, LPARAM);
    LRESULT OnExportMenus(WPARAM, LPARAM);
    LRESULT OnPreviewTemplates(WPARAM, LPARAM);
    LRESULT OnFileNew(WPARAM, LPARAM);
    LRESULT OnFileSaveAs(WPARAM, LPARAM);
    LRESULT OnFileOpen(WPARAM, LPARAM);
    LRESULT OnMakeImage(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnAddLanguage(WPARAM, LPARAM);
    LRESULT OnRemoveLanguage(WPARAM, LPARAM);
    LRESULT OnInitMenuPopup(WPARAM, LPARAM);
    // The Language menu's languages: a command in their range.
    bool OnUnhandled(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    void ExitRequest();
    void SaveAs();
    // Edits another language ("" the default) and shows which.
    void SwitchLanguage(const CString& tag);
    void ShowLanguage();

    EditorState m_state;
    HICON m_hIcon;
    CBitmapButton m_btnLogo;
    CBitmapButton m_btnWizard;
    CBitmapButton m_btnTest;
    CBitmapButton m_btnBuild;
    CBitmapButton m_btnHelp;
    CBitmapButton m_btnExit;
    CFont m_fontStep;

    DECLARE_MESSAGE_TABLE()
};

// Shown when the editor's folder path is too long for the editor to use
// safely (it deletes files in that folder at every start).
extern const wchar_t kMsgFolderTooLong[];
extern const wchar_t kMsgLanguageFailed[];
extern const wchar_t kAskRemoveLanguage[];   // %s: the language
