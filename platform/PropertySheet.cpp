#include "PropertySheet.h"
#include "WinApp.h"
#include <cstring>

namespace {
// How much the sheet has grown to hold its pages (see FitIntoSheet).
const wchar_t kGrowXProp[] = L"Tlk.SheetGrowX";
const wchar_t kGrowYProp[] = L"Tlk.SheetGrowY";
}  // namespace

BEGIN_MESSAGE_TABLE(CPropertyPage, CDialog)
    ON_NOTIFY_ROW(PSN_SETACTIVE, 0, &CPropertyPage::OnNotifySetActive)
    ON_NOTIFY_ROW(PSN_KILLACTIVE, 0, &CPropertyPage::OnNotifyKillActive)
    ON_NOTIFY_ROW(PSN_WIZBACK, 0, &CPropertyPage::OnNotifyWizBack)
    ON_NOTIFY_ROW(PSN_WIZNEXT, 0, &CPropertyPage::OnNotifyWizNext)
    ON_NOTIFY_ROW(PSN_WIZFINISH, 0, &CPropertyPage::OnNotifyWizFinish)
    ON_NOTIFY_ROW(PSN_QUERYCANCEL, 0, &CPropertyPage::OnNotifyQueryCancel)
    ON_NOTIFY_ROW(PSN_RESET, 0, &CPropertyPage::OnNotifyReset)
    ON_NOTIFY_ROW(PSN_HELP, 0, &CPropertyPage::OnNotifyHelp)
END_MESSAGE_TABLE(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId), m_activatedBefore(false) {
    m_natural.cx = m_natural.cy = 0;
    m_usual.cx = m_usual.cy = 0;
}

void CPropertyPage::Describe(PROPSHEETPAGEW& page, HINSTANCE instance) {
    std::memset(&page, 0, sizeof page);
    page.dwSize = sizeof page;
    page.dwFlags = PSP_HASHELP;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEW(m_nIDTemplate);
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
}

// The sheet hands the page its description (a copy of it) with
// WM_INITDIALOG; the object rides in its lParam.
INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        const PROPSHEETPAGEW* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        CPropertyPage* created = page ? reinterpret_cast<CPropertyPage*>(page->lParam) : nullptr;
        // The window still has its template's size; the sheet resizes it later.
        RECT r;
        if (created && GetWindowRect(hwnd, &r)) {
            created->m_natural.cx = r.right - r.left;
            created->m_natural.cy = r.bottom - r.top;
        }
        self = created;
    } else {
        self = FromHandle(hwnd);
    }
    return Enter(self, hwnd, msg, wParam, lParam);
}

BOOL CPropertyPage::OnSetActive() {
    if (m_activatedBefore) DoDataExchange(false);
    m_activatedBefore = true;
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    DoDataExchange(true);
    return TRUE;
}

void CPropertyPage::SetWizardButtons(DWORD flags) const {
    if (HWND sheet = GetSheet()) SendMessageW(sheet, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

void CPropertyPage::FitIntoSheet() {
    HWND sheet = GetSheet();
    if (!sheet || m_natural.cx <= 0 || m_natural.cy <= 0) return;
    RECT page;
    GetWindowRect(m_hWnd, &page);
    // The area the sheet gives its pages, as it gave it to this one.
    if (m_usual.cx <= 0) {
        m_usual.cx = page.right - page.left;
        m_usual.cy = page.bottom - page.top;
    }
    // What the sheet has grown so far, and what this page still lacks.
    int grownX = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(sheet, kGrowXProp)));
    int grownY = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(sheet, kGrowYProp)));
    // A few pixels of a page's empty margin may go; more is a clipped page.
    const int kSlack = 4;
    int extraX = m_natural.cx - m_usual.cx - grownX, extraY = m_natural.cy - m_usual.cy - grownY;
    if (extraX <= (grownX > 0 ? 0 : kSlack)) extraX = 0;
    if (extraY <= (grownY > 0 ? 0 : kSlack)) extraY = 0;
    if (extraX > 0 || extraY > 0) {
        // Everything beside and below the pages moves, the etched line
        // widens, and the sheet grows.
        for (HWND child = GetWindow(sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[16] = L"";
            GetClassNameW(child, cls, 16);
            if (lstrcmpW(cls, L"#32770") == 0) continue;
            RECT r;
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&r), 2);
            bool line = r.bottom - r.top <= 2;
            SetWindowPos(child, nullptr, line ? r.left : r.left + extraX, r.top + extraY,
                         r.right - r.left + (line ? extraX : 0), r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        RECT whole;
        GetWindowRect(sheet, &whole);
        SetWindowPos(sheet, nullptr, 0, 0, whole.right - whole.left + extraX, whole.bottom - whole.top + extraY,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        grownX += extraX;
        grownY += extraY;
        SetPropW(sheet, kGrowXProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(grownX)));
        SetPropW(sheet, kGrowYProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(grownY)));
        RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    int wantX = m_usual.cx + grownX, wantY = m_usual.cy + grownY;
    if (page.right - page.left != wantX || page.bottom - page.top != wantY)
        SetWindowPos(m_hWnd, nullptr, 0, 0, wantX, wantY, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The notifications' results, as the sheet reads them from DWLP_MSGRESULT.
LRESULT CPropertyPage::OnNotifySetActive(WPARAM, LPARAM) {
    FitIntoSheet();
    return OnSetActive() ? 0 : -1;
}
LRESULT CPropertyPage::OnNotifyKillActive(WPARAM, LPARAM) { return OnKillActive() ? FALSE : TRUE; }
LRESULT CPropertyPage::OnNotifyWizBack(WPARAM, LPARAM) { return OnWizardBack(); }
LRESULT CPropertyPage::OnNotifyWizNext(WPARAM, LPARAM) { return OnWizardNext(); }
LRESULT CPropertyPage::OnNotifyWizFinish(WPARAM, LPARAM) { return OnWizardFinish() ? FALSE : TRUE; }
LRESULT CPropertyPage::OnNotifyQueryCancel(WPARAM, LPARAM) { return OnQueryCancel() ? FALSE : TRUE; }
LRESULT CPropertyPage::OnNotifyReset(WPARAM, LPARAM) { OnReset(); return 0; }
LRESULT CPropertyPage::OnNotifyHelp(WPARAM, LPARAM) { ShowHelp(); return 0; }

// F1 reaches the window with the focus and climbs to its parent: from a
// control of a page that is the page, but from the sheet's own buttons it
// is the sheet, which is no dialog of ours. The sheet's window procedure is
// wrapped so that F1 there asks for help too (the current page's topic).
namespace {
const wchar_t kSheetProcProp[] = L"Tlk.SheetProc";


LRESULT CALLBACK SheetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kSheetProcProp));
    if (msg == WM_HELP) {
        if (CWinApp* app = CWinApp::Current()) app->OnHelp();
        return TRUE;
    }
    if (msg == WM_NCDESTROY && original) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(hwnd, kSheetProcProp);
        RemovePropW(hwnd, kGrowXProp);
        RemovePropW(hwnd, kGrowYProp);
    }
    return original ? CallWindowProcW(original, hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM) {
    if (msg == PSCB_INITIALIZED && hwnd && !GetPropW(hwnd, kSheetProcProp)) {
        LONG_PTR original = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
        if (original && SetPropW(hwnd, kSheetProcProp, reinterpret_cast<HANDLE>(original)))
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetProc));
    }
    return 0;
}
}  // namespace

CPropertySheet::CPropertySheet(UINT captionId, HWND parent, UINT startPage) : m_captionId(captionId) {
    std::memset(&m_psh, 0, sizeof m_psh);
    m_psh.dwSize = sizeof m_psh;
    m_psh.hwndParent = parent;
    m_psh.nStartPage = startPage;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (page) m_pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal() {
    if (m_pages.empty()) return -1;
    CWinApp* app = CWinApp::Current();
    HINSTANCE instance = AppResourceHandle();
    std::vector<PROPSHEETPAGEW> pages(m_pages.size());
    for (size_t i = 0; i < m_pages.size(); ++i) m_pages[i]->Describe(pages[i], instance);

    PROPSHEETHEADERW header = m_psh;
    header.dwSize = sizeof header;
    header.dwFlags = (m_psh.dwFlags | PSH_PROPSHEETPAGE | PSH_HASHELP | PSH_NOAPPLYNOW | PSH_USECALLBACK) &
                     ~PSH_MODELESS;
    header.pfnCallback = SheetCallback;
    header.hInstance = instance;
    if (!header.hwndParent && app && app->m_hMainWnd && IsWindow(app->m_hMainWnd))
        header.hwndParent = app->m_hMainWnd;
    header.pszCaption = MAKEINTRESOURCEW(m_captionId);
    header.nPages = static_cast<UINT>(pages.size());
    if (header.nStartPage >= header.nPages) header.nStartPage = 0;
    header.ppsp = pages.data();
    return PropertySheetW(&header);
}
