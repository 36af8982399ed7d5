#include "PlayerApp.h"
#include "../platform/IconPaint.h"
#include "Definition.h"
#include "PlayerDlg.h"

CPlayerApp theApp;

static const UINT kHostTemplate = 102;
static const int kAppIcon = 128;

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
    m_hIcon = LoadIconA(CWinApp::Current()->m_hInstance, MAKEINTRESOURCEA(kAppIcon));
}

BOOL CPlayerHostDlg::OnInitDialog() {
    CWinApp::Current()->m_hMainWnd = m_hWnd;
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    char module[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, MAX_PATH - 1);
    CDefinitionFile definition(DefinitionPathFor(DirectoryWithSlash(module), CWinApp::Current()->m_lpCmdLine));
    g_nTemplateIndex = definition.ReadInt(def::kGeneral, def::kTemplate, def::kTemplateDefaultPlayer);

    {
        CPlayerDlg menuWindow(kPlayerMenuIds);
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
