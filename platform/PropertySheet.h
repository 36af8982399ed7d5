// The system's property sheet in wizard mode and its pages. A page is a
// dialog of ours (message table, help context) whose window the sheet
// creates; the sheet tells it through notifications when it becomes
// current, when it is left, and when the wizard ends.
#pragma once
#include "Dialog.h"
#include <windows.h>
#include <commctrl.h>
#include <vector>

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId);

    // The system's description of this page: its template, help enabled,
    // and this object as the page procedure's way in.
    void Describe(PROPSHEETPAGEW& page, HINSTANCE instance);

    // The sheet the page belongs to (null before it is shown).
    HWND GetSheet() const { return m_hWnd ? GetParent(m_hWnd) : nullptr; }

protected:
    // Each time the page becomes current. The default runs the exchange in
    // the load direction on every activation after the first. FALSE refuses
    // the page.
    virtual BOOL OnSetActive();
    // When the page is left by Back or Next: the default runs the exchange
    // in the save direction (the leaving save). FALSE keeps the page.
    virtual BOOL OnKillActive();
    // Moves the page's fields into its controls (save false) or back.
    virtual void DoDataExchange(bool save) {}
    // Back and Next: 0 lets the sheet move on, -1 keeps the page, or the
    // template id of the page to go to.
    virtual LRESULT OnWizardBack() { return 0; }
    virtual LRESULT OnWizardNext() { return 0; }
    // Finish and Cancel: TRUE lets the sheet close.
    virtual BOOL OnWizardFinish() { return TRUE; }
    virtual BOOL OnQueryCancel() { return TRUE; }
    // The sheet is closing through Cancel.
    virtual void OnReset() {}

    // PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH as the sheet should show them.
    void SetWizardButtons(DWORD flags) const;

    // A page never ends the sheet: Enter and Escape belong to the sheet.
    void OnOK() override {}
    void OnCancel() override {}

private:
    LRESULT OnNotifySetActive(WPARAM, LPARAM);
    LRESULT OnNotifyKillActive(WPARAM, LPARAM);
    LRESULT OnNotifyWizBack(WPARAM, LPARAM);
    LRESULT OnNotifyWizNext(WPARAM, LPARAM);
    LRESULT OnNotifyWizFinish(WPARAM, LPARAM);
    LRESULT OnNotifyQueryCancel(WPARAM, LPARAM);
    LRESULT OnNotifyReset(WPARAM, LPARAM);
    LRESULT OnNotifyHelp(WPARAM, LPARAM);

    // Makes room for the page: the sheet sizes every page with its own font,
    // and a page laid out in another font may need more than that.
    void FitIntoSheet();

    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool m_activatedBefore;
    SIZE m_natural;   // the page's size from its own template and font
    SIZE m_usual;     // the size the sheet gives its pages

    DECLARE_MESSAGE_TABLE()
};

class CPropertySheet {
public:
    // caption: a string resource. Without a parent the application's main
    // window owns the sheet (and is disabled while it runs).
    explicit CPropertySheet(UINT captionId, HWND parent = nullptr, UINT startPage = 0);

    // Pages are shown in the order they are added; the sheet does not own them.
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }

    // Runs the sheet modally. ID_PSRESTARTREQD-style values aside, the
    // result is positive when the sheet was finished, 0 when cancelled and
    // -1 when it could not be shown.
    INT_PTR DoModal();

    // The header the sheet is made from; set PSH_WIZARD in dwFlags for a
    // wizard. Pages, caption, owner and help are filled in by DoModal.
    PROPSHEETHEADERW m_psh;

private:
    UINT m_captionId;
    std::vector<CPropertyPage*> m_pages;

    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;
};
