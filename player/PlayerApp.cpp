#include "PlayerApp.h"
#include "../platform/IconPaint.h"
#include "../menu/Definition.h"
#include "../menu/PlayerDlg.h"
#include "../menu/Variants.h"
#include "../resources/menu_ids.h"

CPlayerApp theApp;

static const UINT kHostTemplate = 102;
static const int kAppIcon = 128;
static const MenuWindowIds kPlayerMenuIds = MENU_WINDOW_IDS(PLAYER_);

BOOL CPlayerApp::InitInstance() {
    CPlayerHostDlg host;
    host.DoModal();
    // The program ends once the host has closed.
    return FALSE;
}

BEGIN_MESSAGE_TABLE(CPlayerHostDlg, CDialog)
    ON_MESSAGE_ROW(WM_PAINT, &CPlayerHostDlg::OnPaint)
    ON_MESSAGE_ROW(WM_QUERYDRAGICON, &CPlayerHostDlg::OnQueryDragIcon)
END_MESSAGE_TABLE(CPlayerHostDlg, CDialog)

CPlayerHostDlg::CPlayerHostDlg() : CDialog(kHostTemplate), m_hIcon(nullptr) {
    m_hIcon = LoadIconW(AppResourceHandle(), MAKEINTRESOURCEW(kAppIcon));
}

BOOL CPlayerHostDlg::OnInitDialog() {
    CWinApp::Current()->m_hMainWnd = m_hWnd;
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    // The definition and the background lie beside the running program:
    // on the disc, its root.
    const CString folder = DirectoryWithSlash(AppProgramPath());
    // A command-line tail names the definition; without one the disc's
    // variant in the user's language, where it has one, is shown.
    const CString definitionPath = variants::ChooseDefinition(folder, CWinApp::Current()->m_lpCmdLine);
    {
        CPlayerDlg menuWindow(kPlayerMenuIds, CPlayerDlg::kLayoutOfDefinition, definitionPath, folder);
        menuWindow.DoModal();
    }
    // Ends the host before its own loop starts: the program is over.
    EndDialog(0);
    return TRUE;
}

LRESULT CPlayerHostDlg::OnPaint(WPARAM, LPARAM) {
    PaintDialogWithIcon(m_hWnd, m_hIcon);
    return 0;
}

LRESULT CPlayerHostDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_hIcon);
}
