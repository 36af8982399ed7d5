// The background page: a stock picture or the user's own picture, with a
// preview in the picture's own palette.
#include "../workspace/BackgroundLimit.h"
#include "../platform/Encoding.h"
#include "../workspace/PictureFile.h"
#include "../workspace/WorkDir.h"
#include "../platform/FileDialog.h"
#include "../platform/MessageBox.h"
#include "../resources/editor_ids.h"
#include "Pages.h"
#include "WizardRules.h"

namespace {
const UINT_PTR kPreviewTimer = 1;
const UINT kPreviewDelay = 100;   // ms after the last erase of a burst
}

BEGIN_MESSAGE_TABLE(CSetBackGr, CPropertyPage)
    ON_COMMAND_ROW(LBN_SELCHANGE, IDC_BG_LIST, &CSetBackGr::OnListChange)
    ON_COMMAND_ROW(BN_CLICKED, IDC_BG_STOCK, &CSetBackGr::OnStockRadio)
    ON_COMMAND_ROW(BN_CLICKED, IDC_BG_OWN, &CSetBackGr::OnOwnRadio)
    ON_COMMAND_ROW(BN_CLICKED, IDC_BG_BROWSE, &CSetBackGr::OnBrowse)
    ON_MESSAGE_ROW(WM_ERASEBKGND, &CSetBackGr::OnEraseBkgnd)
    ON_MESSAGE_ROW(WM_TIMER, &CSetBackGr::OnTimer)
END_MESSAGE_TABLE(CSetBackGr, CPropertyPage)

CSetBackGr::CSetBackGr(EditorState& state) : CPropertyPage(IDD_WIZARD_BACKGROUND), m_state(state) {}

BOOL CSetBackGr::OnInitDialog() {
    for (const wiz::StockBackground& stock : wiz::kStockBackgrounds)
        SendItem(IDC_BG_LIST, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(stock.listText));
    SetControlsFromKey();
    return TRUE;
}

BOOL CSetBackGr::OnSetActive() {
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    SetControlsFromKey();
    return CPropertyPage::OnSetActive();
}

void CSetBackGr::SetControlsFromKey() {
    EnableItem(IDC_BG_LIST, true);
    EnableItem(IDC_BG_BROWSE, false);
    wiz::BackgroundView view =
        wiz::ViewForStoredBackground(EditedDefinition(m_state).ReadInt(def::kGeneral, def::kBackground, 0));
    SelectRadio(view.ownBitmap);
    if (view.touchSelection) SendItem(IDC_BG_LIST, LB_SETCURSEL, static_cast<WPARAM>(view.selection));
}

void CSetBackGr::SelectRadio(bool own) {
    CheckItem(IDC_BG_STOCK, !own);
    CheckItem(IDC_BG_OWN, own);
    EnableItem(IDC_BG_LIST, !own);
    EnableItem(IDC_BG_BROWSE, own);
}

int CSetBackGr::Selection() const {
    return static_cast<int>(SendItem(IDC_BG_LIST, LB_GETCURSEL));
}

LRESULT CSetBackGr::OnListChange(WPARAM, LPARAM) {
    DrawPreview(Selection());
    return 0;
}

LRESULT CSetBackGr::OnStockRadio(WPARAM, LPARAM) {
    SelectRadio(false);
    return 0;
}

LRESULT CSetBackGr::OnOwnRadio(WPARAM, LPARAM) {
    SelectRadio(true);
    return 0;
}

LRESULT CSetBackGr::OnBrowse(WPARAM, LPARAM) {
    CFileDialog dialog(true, L"bmp", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, pic::kBrowseFilter, GetSheet());
    if (dialog.DoModal() != IDOK) return 0;
    // The user's picture takes its place at once, whatever the wizard's end.
    // Decoding a large photo takes a moment.
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    PlacedPicture placed = PlacePicture(dialog.GetPathName(), CString(m_state.workDir) + def::kBackgroundFile,
                                        BackgroundLimit());
    SetCursor(old);
    if (!placed.ok && !placed.message.empty()) {
        AppMessageBox(FromUtf8(placed.message), MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    DrawPreview(Selection());
    return 0;
}

LRESULT CSetBackGr::OnEraseBkgnd(WPARAM, LPARAM) {
    // The preview is not part of the page's painting: it follows the last
    // erase of a burst.
    SetTimer(m_hWnd, kPreviewTimer, kPreviewDelay, nullptr);
    Default();
    return 0;
}

LRESULT CSetBackGr::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kPreviewTimer) {
        Default();
        return 0;
    }
    KillTimer(m_hWnd, kPreviewTimer);
    DrawPreview(Selection());
    return 0;
}

void CSetBackGr::DrawPreview(int index) {
    HWND frame = GetDlgItem(IDC_BG_PREVIEW);
    if (!frame) return;
    const EditorState& state = m_state;
    CString path = wiz::BackgroundPreviewPath(IsItemChecked(IDC_BG_OWN), index, state.workDir, state.bitmapDir);
    if (!path.IsEmpty()) {
        // A file that cannot be opened leaves the picture shown before; one
        // that opens but is no bitmap empties the preview.
        HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            m_preview.LoadFromFile(path);
        }
    }
    if (m_preview.IsEmpty()) return;

    HDC dc = GetDC(frame);
    if (!dc) return;
    {
        CSelectedPalette palette(dc, m_preview.Palette());
        if (palette.Failed()) AppMessageBox(kMsgSelectPaletteFailed, MB_OK);
        RECT client;
        GetClientRect(frame, &client);
        RECT source = {0, 0, m_preview.Width(), m_preview.Height()};
        m_preview.Render(dc, client, source);
    }
    ReleaseDC(frame, dc);
}

void CSetBackGr::DoDataExchange(bool save) {
    if (!save) return;
    EditorState& state = m_state;
    wiz::BackgroundSave plan = wiz::BackgroundLeavingSave(IsItemChecked(IDC_BG_STOCK), Selection());
    if (plan.writeKey) EditedDefinition(m_state).UpdateInt(def::kGeneral, def::kBackground, plan.value);
    if (plan.copyStock)
        CopyFileNormal(CString(state.bitmapDir) + plan.copyStock, CString(state.workDir) + def::kBackgroundFile);
    state.MarkEdited();
}
