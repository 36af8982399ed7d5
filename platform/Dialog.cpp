#include "Dialog.h"
#include "WinApp.h"

const MsgRow CDialog::baseRows[] = {
    ON_MESSAGE_ROW(WM_DRAWITEM, &CDialog::OnDrawItem)
    ON_MESSAGE_ROW(WM_HELP, &CDialog::OnHelpInfo)
    ON_MESSAGE_ROW(WM_QUERYHELPCONTEXT, &CDialog::OnQueryHelpContext)
    { 0, 0, 0, nullptr }
};
const MsgTable CDialog::messageTable = { nullptr, CDialog::baseRows };

CDialog::CDialog(UINT templateId, HWND parent)
    : m_hWnd(nullptr), m_hParent(parent), m_nIDTemplate(templateId), m_pDefault(nullptr) {}

CDialog::~CDialog() {
    // A dialog object normally outlives its window; if not, make sure the
    // procedure can no longer reach it.
    if (m_hWnd && IsWindow(m_hWnd)) SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
}

INT_PTR CDialog::DoModal() {
    CWinApp* app = CWinApp::Current();
    HINSTANCE instance = AppResourceHandle();
    HWND owner = m_hParent;
    if (!owner && app && app->m_hMainWnd && IsWindow(app->m_hMainWnd)) owner = app->m_hMainWnd;
    if (!FindResourceW(instance, MAKEINTRESOURCEW(m_nIDTemplate), MAKEINTRESOURCEW(5) /*RT_DIALOG*/))
        return -1;
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(m_nIDTemplate), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR result) {
    if (m_hWnd) ::EndDialog(m_hWnd, result);
}

bool CDialog::OnUnhandled(UINT msg, WPARAM wParam, LPARAM, INT_PTR& result) {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) { OnOK(); result = TRUE; return true; }
        if (LOWORD(wParam) == IDCANCEL) { OnCancel(); result = TRUE; return true; }
    }
    return false;
}

LRESULT CDialog::OnDrawItem(WPARAM, LPARAM lParam) {
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    COwnerDrawn* control = item && item->CtlType != ODT_MENU ? COwnerDrawn::From(item->hwndItem) : nullptr;
    if (!control) {
        Default();
        return FALSE;
    }
    control->DrawItem(*item);
    return TRUE;
}

// F1 anywhere in the dialog: the application's Help command decides which
// topic to show (the active dialog's own).
LRESULT CDialog::OnHelpInfo(WPARAM, LPARAM) {
    if (CWinApp* app = CWinApp::Current()) app->OnHelp();
    return TRUE;
}

void CDialog::ShowHelp() const {
    if (CWinApp* app = CWinApp::Current()) app->WinHelp(GetHelpContext());
}

LRESULT CDialog::OnQueryHelpContext(WPARAM, LPARAM) {
    return static_cast<LRESULT>(GetHelpContext());
}

const MsgRow* CDialog::FindRow(UINT msg, WPARAM wParam, LPARAM lParam) const {
    UINT code = 0, id = 0;
    if (msg == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (msg == WM_NOTIFY) {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (!hdr) return nullptr;
        code = hdr->code;
        id = static_cast<UINT>(hdr->idFrom);
    }
    for (const MsgTable* table = GetMessageTable(); table; table = table->base) {
        for (const MsgRow* row = table->rows; row->handler; ++row) {
            if (row->message != msg) continue;
            if (msg == WM_COMMAND || msg == WM_NOTIFY) {
                if (row->code != code) continue;
                if (row->id != 0 && row->id != id) continue;
            }
            return row;
        }
    }
    return nullptr;
}

// Messages whose dialog-procedure result is returned directly instead of
// through DWLP_MSGRESULT.
static bool ReturnsDirectly(UINT msg) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: case WM_COMPAREITEM: case WM_VKEYTOITEM:
    case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

INT_PTR CDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return OnInitDialog();

    const MsgRow* row = FindRow(msg, wParam, lParam);
    if (!row) {
        INT_PTR result = FALSE;
        return OnUnhandled(msg, wParam, lParam, result) ? result : FALSE;
    }
    // The request lives on this call's stack: a nested message (a repaint,
    // a message box, a sheet notification) has its own.
    bool wantsDefault = false;
    bool* outer = m_pDefault;
    m_pDefault = &wantsDefault;
    LRESULT result;
    try {
        result = (this->*(row->handler))(wParam, lParam);
    } catch (...) {
        m_pDefault = outer;
        throw;
    }
    m_pDefault = outer;
    if (wantsDefault) return FALSE;
    if (ReturnsDirectly(msg)) return static_cast<INT_PTR>(result);
    if (m_hWnd) SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

CDialog* CDialog::FromHandle(HWND hwnd) {
    return hwnd ? reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER)) : nullptr;
}

INT_PTR CDialog::Enter(CDialog* self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        if (self) self->m_hWnd = hwnd;
    }
    if (!self) return FALSE;

    INT_PTR result = FALSE;
    // Nothing may unwind through the system's code: a failing handler is
    // treated as one that did not handle its message.
    try {
        result = self->Dispatch(msg, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDialog* self = msg == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam) : FromHandle(hwnd);
    return Enter(self, hwnd, msg, wParam, lParam);
}

CString CDialog::GetItemText(int id) const {
    HWND item = GetDlgItem(id);
    if (!item) return CString();
    int n = GetWindowTextLengthW(item);
    if (n <= 0) return CString();
    CString text;
    wchar_t small[256];
    wchar_t* buffer = n < static_cast<int>(sizeof small / sizeof small[0]) ? small : new wchar_t[n + 1];
    int got = GetWindowTextW(item, buffer, n + 1);
    text = CString(buffer, got > 0 ? static_cast<size_t>(got) : 0);
    if (buffer != small) delete[] buffer;
    return text;
}

void CDialog::SetItemText(int id, const wchar_t* text) const {
    if (HWND item = GetDlgItem(id)) SetWindowTextW(item, text ? text : L"");
}

bool CDialog::IsItemChecked(int id) const {
    return SendItem(id, BM_GETCHECK) == BST_CHECKED;
}

void CDialog::CheckItem(int id, bool checked) const {
    SendItem(id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CDialog::EnableItem(int id, bool enabled) const {
    if (HWND item = GetDlgItem(id)) EnableWindow(item, enabled ? TRUE : FALSE);
}

void CDialog::ShowItem(int id, bool visible) const {
    if (HWND item = GetDlgItem(id)) ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
}

LRESULT CDialog::SendItem(int id, UINT msg, WPARAM wParam, LPARAM lParam) const {
    HWND item = GetDlgItem(id);
    return item ? SendMessageW(item, msg, wParam, lParam) : 0;
}
