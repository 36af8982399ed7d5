#include "ImageDlg.h"
#include "../platform/Encoding.h"
#include "../platform/FileDialog.h"
#include "../platform/MessageBox.h"
#include "../resources/editor_ids.h"
#include "../disc/VolumeLabel.h"
#include "../workspace/BackgroundLimit.h"
#include "../disc/DiscImage.h"
#include <commctrl.h>
#include <shellapi.h>
#include <ctime>

const wchar_t kMsgImageHasErrors[] =
    L"The disc folder has errors: the menu on the disc would not work as designed.\n\n"
    L"Make the disc image anyway?";
const wchar_t kMsgImageFailed[] = L"The disc image could not be written.\n\n";
const wchar_t kMsgImageNoFolder[] = L"Please type the disc folder and the image file.";
const wchar_t kImageReady[] = L"The disc image is ready: ";
const wchar_t kImageBurnHint[] = L"Put a blank disc into the writer and press Burn to Disc... to write the image onto it.";
const wchar_t kImageNoBurner[] =
    L"To write the image onto a disc, open it with the burning program of your disc writer. "
    L"Windows 7 and later burn it themselves: right-click the image and choose \"Burn disc image\".";
const wchar_t kMsgBurnerFailed[] = L"Windows' disc image burner could not be started.";

namespace {
const UINT kBoxOk = MB_OK | MB_ICONEXCLAMATION;
const UINT kBoxYesNo = MB_YESNO | MB_ICONEXCLAMATION;
const UINT_PTR kRefreshTimer = 1;
const UINT kRefreshDelay = 400;         // ms after the last key in the folder box
const int kProgressSteps = 1000;
const wchar_t kIsoFilter[] = L"Disc images (*.iso)|*.iso||";
}  // namespace

BEGIN_MESSAGE_TABLE(CDiscImageDlg, CDialog)
    ON_COMMAND_ROW(EN_CHANGE, IDC_IMAGE_FOLDER, &CDiscImageDlg::OnFolderChange)
    ON_MESSAGE_ROW(WM_TIMER, &CDiscImageDlg::OnTimer)
    ON_COMMAND_ROW(BN_CLICKED, IDC_IMAGE_MAKE, &CDiscImageDlg::OnMake)
    ON_COMMAND_ROW(BN_CLICKED, IDC_IMAGE_BROWSE, &CDiscImageDlg::OnBrowse)
    ON_COMMAND_ROW(BN_CLICKED, IDC_IMAGE_HELP, &CDiscImageDlg::OnHelpButton)
    ON_COMMAND_ROW(BN_CLICKED, IDC_IMAGE_BURN, &CDiscImageDlg::OnBurn)
END_MESSAGE_TABLE(CDiscImageDlg, CDialog)

CDiscImageDlg::CDiscImageDlg(const wchar_t* folder, const wchar_t* title, HWND parent)
    : CDialog(IDD_DISC_IMAGE, parent), m_folder(folder), m_title(title) {}

CString CDiscImageDlg::ImageBeside(const wchar_t* folder) {
    CString f(folder);
    while (f.GetLength() > 0 && (f[f.GetLength() - 1] == '\\' || f[f.GetLength() - 1] == '/'))
        f = f.Left(f.GetLength() - 1);
    if (f.IsEmpty() || f[f.GetLength() - 1] == ':') return CString();
    return f + L".iso";
}

CString CDiscImageDlg::FindBurner() {
    wchar_t dir[MAX_PATH] = L"";
    CString candidates[2];
    UINT n = GetSystemDirectoryW(dir, MAX_PATH);
    if (n > 0 && n < MAX_PATH) candidates[0] = CString(dir) + L"\\isoburn.exe";
    // A 32-bit program on 64-bit Windows sees another system folder; the
    // real one is reached by this alias.
    n = GetWindowsDirectoryW(dir, MAX_PATH);
    if (n > 0 && n < MAX_PATH) candidates[1] = CString(dir) + L"\\Sysnative\\isoburn.exe";
    for (const CString& path : candidates) {
        if (path.IsEmpty()) continue;
        const DWORD attributes = GetFileAttributesW(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return path;
    }
    return CString();
}

BOOL CDiscImageDlg::OnInitDialog() {
    SendDlgItemMessageW(m_hWnd, IDC_IMAGE_FOLDER, EM_LIMITTEXT, MAX_PATH - 1, 0);
    SendDlgItemMessageW(m_hWnd, IDC_IMAGE_FILE, EM_LIMITTEXT, MAX_PATH - 1, 0);
    SendDlgItemMessageW(m_hWnd, IDC_IMAGE_LABEL, EM_LIMITTEXT, disc::kPrimaryLabelMax, 0);
    SendDlgItemMessageW(m_hWnd, IDC_IMAGE_PROGRESS, PBM_SETRANGE32, 0, kProgressSteps);
    SetDlgItemTextW(m_hWnd, IDC_IMAGE_FILE, ImageBeside(m_folder));
    SetDlgItemTextW(m_hWnd, IDC_IMAGE_LABEL, FromUtf8(LabelFromTitle(m_title)));
    // Setting the folder arms the refresh timer; the findings are shown at once instead.
    SetDlgItemTextW(m_hWnd, IDC_IMAGE_FOLDER, m_folder);
    KillTimer(m_hWnd, kRefreshTimer);
    RefreshFindings();
    return TRUE;
}

CString CDiscImageDlg::Text(int id) const {
    wchar_t text[MAX_PATH] = L"";
    GetDlgItemTextW(m_hWnd, id, text, MAX_PATH);
    return CString(text);
}

LRESULT CDiscImageDlg::OnFolderChange(WPARAM, LPARAM) {
    if (!m_writing) SetTimer(m_hWnd, kRefreshTimer, kRefreshDelay, nullptr);
    return 0;
}

LRESULT CDiscImageDlg::OnTimer(WPARAM id, LPARAM) {
    if (id != kRefreshTimer) return 0;
    KillTimer(m_hWnd, kRefreshTimer);
    RefreshFindings();
    return 0;
}

std::vector<DiscFinding> CDiscImageDlg::RefreshFindings() {
    HWND list = GetDlgItem(IDC_IMAGE_FINDINGS);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    const CString folder = Text(IDC_IMAGE_FOLDER);
    // An image name still as suggested follows the folder.
    if (Text(IDC_IMAGE_FILE) == ImageBeside(m_folder)) SetDlgItemTextW(m_hWnd, IDC_IMAGE_FILE, ImageBeside(folder));
    m_folder = folder;
    if (folder.IsEmpty()) return {};
    std::vector<DiscFinding> findings = CheckDiscFolder(SystemDiscFiles(), ToUtf8(folder), BackgroundLimit());
    std::vector<CString> lines;
    for (const DiscFinding& f : findings)
        lines.push_back((f.kind == DiscFinding::kError ? L"Error: " : L"Warning: ") + FromUtf8(f.text));
    if (lines.empty()) lines.push_back(L"No problems found: the menu is ready for the disc.");
    // The list scrolls sideways only as far as its longest line.
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const CString& line : lines) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SIZE size = {0, 0};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.GetLength()), &size);
        if (size.cx > widest) widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
    return findings;
}

void CDiscImageDlg::OnOK() { Make(); }

void CDiscImageDlg::OnCancel() {
    // While the image is written, Cancel (and Escape, and the close box) stop it.
    if (m_writing) {
        m_cancel = true;
        return;
    }
    EndDialog(IDCANCEL);
}

LRESULT CDiscImageDlg::OnMake(WPARAM, LPARAM) {
    Make();
    return 0;
}

LRESULT CDiscImageDlg::OnBrowse(WPARAM, LPARAM) {
    CFileDialog dialog(false, L"iso", Text(IDC_IMAGE_FILE), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                       kIsoFilter, m_hWnd);
    if (dialog.DoModal() == IDOK) SetDlgItemTextW(m_hWnd, IDC_IMAGE_FILE, dialog.GetPathName());
    return 0;
}

LRESULT CDiscImageDlg::OnHelpButton(WPARAM, LPARAM) {
    ShowHelp();
    return 0;
}

void CDiscImageDlg::SetWriting(bool writing) {
    m_writing = writing;
    for (int id : {IDC_IMAGE_FOLDER, IDC_IMAGE_FILE, IDC_IMAGE_BROWSE, IDC_IMAGE_LABEL, IDC_IMAGE_MAKE, IDC_IMAGE_HELP})
        EnableWindow(GetDlgItem(id), !writing);
    if (writing) SetFocus(GetDlgItem(IDCANCEL));
}

bool CDiscImageDlg::OnProgress(std::uint64_t done, std::uint64_t total) {
    const int pos = total ? static_cast<int>(done * kProgressSteps / total) : 0;
    SendDlgItemMessageW(m_hWnd, IDC_IMAGE_PROGRESS, PBM_SETPOS, pos, 0);
    wchar_t status[64];
    wsprintfW(status, L"Writing the disc image: %d %%", pos / 10);
    SetDlgItemTextW(m_hWnd, IDC_IMAGE_STATUS, status);
    // One thread: the window answers Cancel and repaints between blocks.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_cancel = true;
            break;
        }
        if (!IsDialogMessageW(m_hWnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return !m_cancel;
}

// The dialog stays open with the next step: the burner's button where
// Windows has one, else how to burn the image otherwise.
void CDiscImageDlg::OfferToBurn(const CString& image) {
    wchar_t full[MAX_PATH] = L"";
    const DWORD n = GetFullPathNameW(image, MAX_PATH, full, nullptr);
    m_image = n > 0 && n < MAX_PATH ? CString(full) : image;
    SetDlgItemTextW(m_hWnd, IDC_IMAGE_STATUS, CString(kImageReady) + m_image);
    SetDlgItemTextW(m_hWnd, IDCANCEL, L"Close");
    const bool burner = !FindBurner().IsEmpty();
    SetDlgItemTextW(m_hWnd, IDC_IMAGE_NEXT_STEP, burner ? kImageBurnHint : kImageNoBurner);
    HWND burn = GetDlgItem(IDC_IMAGE_BURN);
    ShowWindow(burn, burner ? SW_SHOW : SW_HIDE);
    // The next thing to press is the burner, or Close.
    HWND next = burner ? burn : GetDlgItem(IDCANCEL);
    SendMessageW(m_hWnd, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(next)), 0);
    SendMessageW(GetDlgItem(IDC_IMAGE_MAKE), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

// The burner gets the image's path and nothing else: it only reads it.
LRESULT CDiscImageDlg::OnBurn(WPARAM, LPARAM) {
    const CString burner = FindBurner();
    if (burner.IsEmpty() || m_image.IsEmpty()) return 0;
    const int slash = m_image.ReverseFind('\\');
    const CString folder = slash > 0 ? m_image.Left(static_cast<size_t>(slash + 1)) : CString();
    HINSTANCE started = ShellExecuteW(m_hWnd, L"open", burner, CString(L"\"") + m_image + L"\"",
                                      folder.IsEmpty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(started) <= 32) AppMessageBox(kMsgBurnerFailed, kBoxOk);
    return 0;
}

void CDiscImageDlg::Make() {
    if (m_writing) return;
    KillTimer(m_hWnd, kRefreshTimer);
    const CString folder = Text(IDC_IMAGE_FOLDER), image = Text(IDC_IMAGE_FILE);
    if (folder.IsEmpty() || image.IsEmpty()) {
        AppMessageBox(kMsgImageNoFolder, kBoxOk);
        return;
    }
    if (HasErrors(RefreshFindings()) &&
        AppMessageBox(kMsgImageHasErrors, kBoxYesNo) != IDYES)
        return;

    disc::ImageOptions options;
    options.label = ToUtf8(Text(IDC_IMAGE_LABEL));
    options.created = static_cast<std::int64_t>(std::time(nullptr));
    // A new image: the offer for the last one goes.
    m_image.Empty();
    ShowWindow(GetDlgItem(IDC_IMAGE_BURN), SW_HIDE);
    SetDlgItemTextW(m_hWnd, IDC_IMAGE_NEXT_STEP, L"");
    SetDlgItemTextW(m_hWnd, IDCANCEL, L"Cancel");
    m_cancel = false;
    SetWriting(true);
    disc::ImageResult result = disc::WriteImage(
        SystemDiscFiles(), ToUtf8(folder), ToUtf8(image), options,
        [this](std::uint64_t done, std::uint64_t total) { return OnProgress(done, total); });
    SetWriting(false);

    if (result.status == disc::ImageResult::kWritten) {
        OfferToBurn(image);
        return;
    }
    SendDlgItemMessageW(m_hWnd, IDC_IMAGE_PROGRESS, PBM_SETPOS, 0, 0);
    if (result.status == disc::ImageResult::kCancelled) {
        SetDlgItemTextW(m_hWnd, IDC_IMAGE_STATUS, L"Cancelled: no image was written.");
        return;
    }
    SetDlgItemTextW(m_hWnd, IDC_IMAGE_STATUS, L"The disc image could not be written.");
    AppMessageBox(CString(kMsgImageFailed) + FromUtf8(result.message), kBoxOk);
}
