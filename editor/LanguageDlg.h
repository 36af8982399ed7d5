// "Add Language": the system's languages, to add the menu in one of them.
#pragma once
#include "../platform/Dialog.h"
#include "../platform/String.h"
#include "../workspace/Languages.h"
#include <vector>

class CLanguageDlg : public CDialog {
public:
    explicit CLanguageDlg(HWND parent);
    // The tag chosen ("de-AT"); empty when none was.
    const CString& Chosen() const { return m_chosen; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    LRESULT OnHelpButton(WPARAM, LPARAM);
    LRESULT OnDoubleClick(WPARAM, LPARAM);

    std::vector<LanguageChoice> m_choices;
    CString m_chosen;

    DECLARE_MESSAGE_TABLE()
};
