// Dialogs built from resource templates, one class per dialog. Each class
// binds its handlers through a static message table of rows
// (message, notification code, control id, handler); a class's table
// chains to its base class's table.
#pragma once
#include <windows.h>
#include "String.h"

class CDialog;

// Asks a dialog for its help context number (answered by every CDialog);
// taken from the range Windows reserves for the application framework.
const UINT WM_QUERYHELPCONTEXT = 0x0365;

// Help context numbers of dialogs: this base plus the dialog's template id.
const DWORD kHelpContextBase = 0x20000;

// A control object that paints an owner-drawn control. The dialog passes
// WM_DRAWITEM for a bound control to it (unless the dialog's own table
// takes the message), so the dialog need not know what the control is.
class COwnerDrawn {
public:
    virtual ~COwnerDrawn() {}
    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;

    // Binds the object to the control window; null unbinds.
    static void Bind(HWND control, COwnerDrawn* object) {
        if (!control || !IsWindow(control)) return;
        if (object) SetPropW(control, PropName(), object);
        else RemovePropW(control, PropName());
    }
    static COwnerDrawn* From(HWND control) {
        return control && IsWindow(control) ? static_cast<COwnerDrawn*>(GetPropW(control, PropName())) : nullptr;
    }

private:
    // The property's name as an atom made once: a window destroyed with the
    // property still set then leaks no atom reference.
    static LPCWSTR PropName() {
        static const ATOM atom = GlobalAddAtomW(L"Tlk.OwnerDrawn");
        return atom ? reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom)) : L"Tlk.OwnerDrawn";
    }
};

// Every handler takes the raw message parameters and returns the message's
// result. A handler that wants the dialog manager's default processing as
// well calls Default().
typedef LRESULT (CDialog::*MsgHandler)(WPARAM, LPARAM);

struct MsgRow {
    UINT message;   // WM_xxx
    UINT code;      // notification code for WM_COMMAND / WM_NOTIFY rows, else 0
    UINT id;        // control id for WM_COMMAND / WM_NOTIFY rows, else 0
    MsgHandler handler;
};

struct MsgTable {
    const MsgTable* base;
    const MsgRow* rows;   // ends with a row whose handler is null
};

#define DECLARE_MESSAGE_TABLE()                         \
public:                                                 \
    static const MsgTable messageTable;                 \
    const MsgTable* GetMessageTable() const override;   \
private:                                                \
    static const MsgRow messageRows[];

#define BEGIN_MESSAGE_TABLE(cls, baseCls)                                        \
    const MsgTable* cls::GetMessageTable() const { return &cls::messageTable; }  \
    const MsgRow cls::messageRows[] = {

#define END_MESSAGE_TABLE(cls, baseCls)                                          \
        { 0, 0, 0, nullptr } };                                                  \
    const MsgTable cls::messageTable = { &baseCls::messageTable, cls::messageRows };

#define ON_MESSAGE_ROW(msg, fn) { msg, 0, 0, static_cast<MsgHandler>(fn) },
#define ON_COMMAND_ROW(code, id, fn) { WM_COMMAND, code, id, static_cast<MsgHandler>(fn) },
// A command by id alone: a menu item, an accelerator-free button click.
// Menu commands carry notification code 0, the code of a button click.
#define ON_COMMAND_ID_ROW(id, fn) { WM_COMMAND, 0, id, static_cast<MsgHandler>(fn) },
#define ON_NOTIFY_ROW(code, id, fn) { WM_NOTIFY, static_cast<UINT>(code), id, static_cast<MsgHandler>(fn) },

class CDialog {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr);
    virtual ~CDialog();

    // Runs the dialog modally from its template. Returns the EndDialog
    // result, or -1 when no window could be made (for example a missing template).
    virtual INT_PTR DoModal();

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(int id) const { return m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr; }
    void EndDialog(INT_PTR result);
    UINT TemplateId() const { return m_nIDTemplate; }
    // The number the help system shows this dialog's topic under.
    virtual DWORD GetHelpContext() const { return kHelpContextBase + m_nIDTemplate; }
    // Asks the application to show this dialog's help topic (a Help button).
    void ShowHelp() const;

    // Small helpers for the dialog's controls, so that pages do not repeat
    // raw calls. All are harmless without a window or without the control.
    CString GetItemText(int id) const;
    void SetItemText(int id, const wchar_t* text) const;
    bool IsItemChecked(int id) const;
    void CheckItem(int id, bool checked) const;
    void EnableItem(int id, bool enabled) const;
    void ShowItem(int id, bool visible) const;
    LRESULT SendItem(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    static const MsgTable messageTable;
    virtual const MsgTable* GetMessageTable() const { return &messageTable; }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Asks for the dialog manager's default processing of the message being
    // handled. Each dispatch keeps its own request, so a message sent back to
    // this dialog while a handler runs neither takes nor drops it.
    void Default() { if (m_pDefault) *m_pDefault = true; }

    // A message the table did not take; the base handles OK and Cancel.
    virtual bool OnUnhandled(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    HWND m_hWnd;
    HWND m_hParent;
    UINT m_nIDTemplate;

    // The one way from a dialog procedure into the object: binds the window
    // to the object on its first message and dispatches, with no exception
    // crossing into the system. Property pages enter here too.
    static INT_PTR Enter(CDialog* self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static CDialog* FromHandle(HWND hwnd);

private:
    // Rows every dialog has: owner-draw reflection and the help routing.
    LRESULT OnDrawItem(WPARAM, LPARAM);
    LRESULT OnHelpInfo(WPARAM, LPARAM);
    LRESULT OnQueryHelpContext(WPARAM, LPARAM);
    static const MsgRow baseRows[];

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    const MsgRow* FindRow(UINT msg, WPARAM wParam, LPARAM lParam) const;
    // The Default() flag of the innermost dispatch running, or null.
    bool* m_pDefault;

    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
};
