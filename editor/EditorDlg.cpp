#include "EditorDlg.h"
#include "../platform/Dpi.h"
#include "../platform/FileDialog.h"
#include "../platform/IconPaint.h"
#include "../platform/Menu.h"
#include "../platform/MessageBox.h"
#include "../platform/WinApp.h"
#include "../resources/editor_ids.h"
#include "AboutDlg.h"
#include "ImageDlg.h"
#include "../menu/Definition.h"
#include "Steps.h"
#include "Storage.h"
#include "../workspace/WorkDir.h"
#include "../wizard/Wizard.h"
#include "../workspace/Languages.h"
#include "LanguageDlg.h"

const wchar_t kMsgLanguageFailed[] = L"The language could not be added or chosen.";
const wchar_t kAskRemoveLanguage[] = L"Remove the language %s and its texts from the menu?";

const wchar_t kMsgFolderTooLong[] =
    L"tlkedit cannot work from this folder because its path is too long. Please move it to a folder "
    L"with a shorter path.";

namespace {

const UINT kBoxOk = MB_OK | MB_ICONEXCLAMATION;
const UINT kBoxYesNo = MB_YESNO | MB_ICONEXCLAMATION;

}  // namespace

BEGIN_MESSAGE_TABLE(CEditorDlg, CDialog)
    ON_MESSAGE_ROW(WM_SYSCOMMAND, &CEditorDlg::OnSysCommand)
    ON_MESSAGE_ROW(WM_PAINT, &CEditorDlg::OnPaint)
    ON_MESSAGE_ROW(WM_QUERYDRAGICON, &CEditorDlg::OnQueryDragIcon)
    ON_COMMAND_ROW(BN_CLICKED, IDC_BUILD, &CEditorDlg::OnBuild)
    ON_COMMAND_ROW(BN_CLICKED, IDC_HELP_BUTTON, &CEditorDlg::OnHelpButton)
    ON_COMMAND_ROW(BN_CLICKED, IDC_TEST, &CEditorDlg::OnTest)
    ON_COMMAND_ROW(BN_CLICKED, IDC_WIZARD, &CEditorDlg::OnWizard)
    ON_COMMAND_ROW(BN_CLICKED, IDC_EXIT, &CEditorDlg::OnExitCommand)
    ON_COMMAND_ID_ROW(ID_TESTING_EXPORT, &CEditorDlg::OnExportMenus)
    ON_COMMAND_ID_ROW(ID_TESTING_PREVIEW, &CEditorDlg::OnPreviewTemplates)
    ON_COMMAND_ID_ROW(ID_FILE_NEW, &CEditorDlg::OnFileNew)
    ON_COMMAND_ID_ROW(ID_FILE_SAVE_AS, &CEditorDlg::OnFileSaveAs)
    ON_COMMAND_ID_ROW(ID_FILE_EXIT, &CEditorDlg::OnExitCommand)
    ON_COMMAND_ID_ROW(ID_FILE_OPEN, &CEditorDlg::OnFileOpen)
    ON_COMMAND_ID_ROW(ID_FILE_MAKE_IMAGE, &CEditorDlg::OnMakeImage)
    ON_MESSAGE_ROW(WM_CLOSE, &CEditorDlg::OnClose)
    ON_COMMAND_ID_ROW(ID_LANGUAGE_ADD, &CEditorDlg::OnAddLanguage)
    ON_COMMAND_ID_ROW(ID_LANGUAGE_REMOVE, &CEditorDlg::OnRemoveLanguage)
    ON_MESSAGE_ROW(WM_INITMENUPOPUP, &CEditorDlg::OnInitMenuPopup)
END_MESSAGE_TABLE(CEditorDlg, CDialog)

CEditorDlg::CEditorDlg(HWND parent) : CDialog(IDD_EDITOR, parent), m_hIcon(nullptr) {
    m_hIcon = LoadIconW(AppResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CEditorDlg::~CEditorDlg() {
    CWinApp* app = CWinApp::Current();
    if (app && app->m_hMainWnd == m_hWnd) app->m_hMainWnd = nullptr;
}

CString CEditorDlg::ExecutablePath() const {
    return AppProgramPath();
}

CString CEditorDlg::CommandTail() const {
    CWinApp* app = CWinApp::Current();
    return CString(app ? app->m_lpCmdLine : L"");
}

BOOL CEditorDlg::OnInitDialog() {
    if (CWinApp* app = CWinApp::Current()) app->m_hMainWnd = m_hWnd;

    CString about = LoadResString(IDS_ABOUTBOX);
    if (!about.IsEmpty()) {
        CMenu system = CMenu::SystemMenuOf(m_hWnd);
        system.AppendSeparator();
        system.AppendItem(IDM_ABOUTBOX, about);
    }

    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    EditorState& state = m_state;
    if (!SetupEditorPaths(state, ExecutablePath(), CommandTail())) {
        AppMessageBox(kMsgFolderTooLong, kBoxOk);
        EndDialog(IDABORT);
        return TRUE;
    }

    m_btnLogo.LoadBitmaps(L"TLKLOGO");
    m_btnLogo.SubclassDlgItem(IDC_LOGO, m_hWnd);
    m_btnWizard.AutoLoad(IDC_WIZARD, m_hWnd);
    m_btnTest.AutoLoad(IDC_TEST, m_hWnd);
    m_btnBuild.AutoLoad(IDC_BUILD, m_hWnd);
    m_btnHelp.AutoLoad(IDC_HELP_BUTTON, m_hWnd);
    m_btnExit.AutoLoad(IDC_EXIT, m_hWnd);

    m_fontStep.Create(ScaleToDpi(24, SystemDpi()), FW_BOLD, L"Arial");   // 24 pixels at 100 %
    for (int id : {IDC_STEP1, IDC_STEP2, IDC_STEP3})
        SendDlgItemMessageW(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontStep.GetSafeHandle()), TRUE);

    // Every run starts with an empty definition.
    ResetWorkDirectory(state);
    state.definitionSaved = true;
    state.definitionPresent = false;
    ShowLanguage();
    return TRUE;
}

void CEditorDlg::OnOK() {
    HWND focus = GetFocus();
    if (!focus || GetParent(focus) != m_hWnd) return;
    int id = GetDlgCtrlID(focus);
    switch (id) {
    case IDC_WIZARD: case IDC_TEST: case IDC_BUILD: case IDC_HELP_BUTTON: case IDC_EXIT:
        PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(focus));
        break;
    default:
        break;
    }
}

void CEditorDlg::OnCancel() {
    ExitRequest();
}

LRESULT CEditorDlg::OnSysCommand(WPARAM wParam, LPARAM) {
    const UINT command = static_cast<UINT>(wParam) & 0xFFF0;
    if (command == IDM_ABOUTBOX) {
        CAboutDlg about(m_hWnd);
        about.DoModal();
    } else if (command == SC_CLOSE) {
        // The caption's close box and Alt+F4: ask before unsaved work is lost.
        ExitRequest();
    } else {
        Default();
    }
    return 0;
}

LRESULT CEditorDlg::OnPaint(WPARAM, LPARAM) {
    PaintDialogWithIcon(m_hWnd, m_hIcon);
    return 0;
}

LRESULT CEditorDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_hIcon);
}

LRESULT CEditorDlg::OnHelpButton(WPARAM, LPARAM) {
    ShowHelp();
    return 0;
}

LRESULT CEditorDlg::OnBuild(WPARAM, LPARAM) {
    BuildDiscFiles(m_hWnd, m_state);
    return 0;
}

LRESULT CEditorDlg::OnTest(WPARAM, LPARAM) {
    RunTestMenu(m_hWnd, m_state);
    return 0;
}

LRESULT CEditorDlg::OnExportMenus(WPARAM, LPARAM) {
    ExportMenuListing(m_hWnd, m_state);
    return 0;
}

LRESULT CEditorDlg::OnPreviewTemplates(WPARAM, LPARAM) {
    PreviewAllTemplates(m_hWnd, m_state);
    return 0;
}

LRESULT CEditorDlg::OnWizard(WPARAM, LPARAM) {
    RunWizard(m_state);
    return 0;
}

LRESULT CEditorDlg::OnExitCommand(WPARAM, LPARAM) {
    ExitRequest();
    return 0;
}

void CEditorDlg::ExitRequest() {
    if (!m_state.definitionSaved && AppMessageBox(kAskSaveBeforeExit, kBoxYesNo) == IDYES) {
        // The window stays open whatever Save As does; once saved, the next
        // exit request closes at once.
        SaveAs();
        return;
    }
    PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

LRESULT CEditorDlg::OnClose(WPARAM, LPARAM) {
    EndDialog(IDCANCEL);
    return 0;
}

LRESULT CEditorDlg::OnFileNew(WPARAM, LPARAM) {
    EditorState& state = m_state;
    if (state.definitionSaved) {
        ResetWorkDirectory(state);
        ShowLanguage();
        AppMessageBox(kMsgDefinitionCleared, kBoxOk);
    } else if (AppMessageBox(kAskSaveBeforeNew, kBoxYesNo) == IDYES) {
        // The definition stays; the user chooses New again after saving.
        SaveAs();
    } else {
        ResetWorkDirectory(state);
    }
    ShowLanguage();
    return 0;
}

LRESULT CEditorDlg::OnFileSaveAs(WPARAM, LPARAM) {
    SaveAs();
    return 0;
}

void CEditorDlg::SaveAs() {
    // A save dialog that takes new names and asks before replacing a file;
    // the folder must exist, nothing creates it.
    CFileDialog dialog(false, kDefinitionExtension, nullptr,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, kDefinitionFilter, m_hWnd);
    if (dialog.DoModal() != IDOK) return;
    if (SaveDefinitionSet(m_state, dialog.GetPathName()) == StorageResult::kRefusedWorkDir) {
        AppMessageBox(kMsgWorkDirReserved, kBoxOk);
        return;
    }
    AppMessageBox(kMsgSaveComplete, kBoxOk);
}

LRESULT CEditorDlg::OnFileOpen(WPARAM, LPARAM) {
    CFileDialog dialog(true, kDefinitionExtension, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       kDefinitionFilter, m_hWnd);
    if (dialog.DoModal() != IDOK) return 0;
    if (OpenDefinitionSet(m_state, dialog.GetPathName()) == StorageResult::kRefusedWorkDir)
        AppMessageBox(kMsgWorkDirReserved, kBoxOk);
    ShowLanguage();
    return 0;
}

void CEditorDlg::ShowLanguage() {
    SetItemText(IDC_LANGUAGE_LABEL, L"Language: " + LanguageName(m_state.language));
}

void CEditorDlg::SwitchLanguage(const CString& tag) {
    // What the wizard changed last is the disc's in every language already;
    // once more, in case a file was edited by hand meanwhile.
    ShareDiscSettings(m_state);
    if (!ChooseLanguage(m_state, tag)) AppMessageBox(kMsgLanguageFailed, kBoxOk);
    ShowLanguage();
}

LRESULT CEditorDlg::OnAddLanguage(WPARAM, LPARAM) {
    CLanguageDlg dialog(m_hWnd);
    if (dialog.DoModal() != IDOK || dialog.Chosen().IsEmpty()) return 0;
    ShareDiscSettings(m_state);
    if (!AddLanguage(m_state, dialog.Chosen())) AppMessageBox(kMsgLanguageFailed, kBoxOk);
    ShowLanguage();
    return 0;
}

LRESULT CEditorDlg::OnRemoveLanguage(WPARAM, LPARAM) {
    if (m_state.language.IsEmpty()) return 0;
    const CString question = CString::Format(kAskRemoveLanguage, LanguageName(m_state.language).c_str());
    if (AppMessageBox(question, kBoxYesNo) != IDYES) return 0;
    RemoveLanguage(m_state, m_state.language);
    ShowLanguage();
    return 0;
}

// The Language menu as it opens: the default and every language added,
// the one being edited checked; Remove only for a language.
LRESULT CEditorDlg::OnInitMenuPopup(WPARAM wParam, LPARAM) {
    HMENU popup = reinterpret_cast<HMENU>(wParam);
    if (GetMenuState(popup, ID_LANGUAGE_ADD, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
        Default();
        return 0;
    }
    while (GetMenuItemCount(popup) > 0) {
        const UINT id = GetMenuItemID(popup, GetMenuItemCount(popup) - 1);
        if (id < ID_LANGUAGE_FIRST || id > ID_LANGUAGE_LAST) break;
        DeleteMenu(popup, GetMenuItemCount(popup) - 1, MF_BYPOSITION);
    }
    const std::vector<CString> tags = EditedLanguages(m_state);
    for (size_t i = 0; i < tags.size() && ID_LANGUAGE_FIRST + i <= ID_LANGUAGE_LAST; ++i)
        AppendMenuW(popup, MF_STRING, ID_LANGUAGE_FIRST + i, LanguageName(tags[i]));
    CheckMenuItem(popup, ID_LANGUAGE_DEFAULT, m_state.language.IsEmpty() ? MF_CHECKED : MF_UNCHECKED);
    for (size_t i = 0; i < tags.size() && ID_LANGUAGE_FIRST + i <= ID_LANGUAGE_LAST; ++i)
        CheckMenuItem(popup, static_cast<UINT>(ID_LANGUAGE_FIRST + i),
                      tags[i].EqualsNoCase(m_state.language) ? MF_CHECKED : MF_UNCHECKED);
    EnableMenuItem(popup, ID_LANGUAGE_REMOVE, m_state.language.IsEmpty() ? MF_GRAYED : MF_ENABLED);
    return 0;
}

bool CEditorDlg::OnUnhandled(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (msg == WM_COMMAND && HIWORD(wParam) == 0) {
        const UINT id = LOWORD(wParam);
        if (id == ID_LANGUAGE_DEFAULT) {
            SwitchLanguage(CString());
            result = TRUE;
            return true;
        }
        if (id >= ID_LANGUAGE_FIRST && id <= ID_LANGUAGE_LAST) {
            const std::vector<CString> tags = EditedLanguages(m_state);
            if (id - ID_LANGUAGE_FIRST < tags.size()) SwitchLanguage(tags[id - ID_LANGUAGE_FIRST]);
            result = TRUE;
            return true;
        }
    }
    return CDialog::OnUnhandled(msg, wParam, lParam, result);
}

LRESULT CEditorDlg::OnMakeImage(WPARAM, LPARAM) {
    const EditorState& state = m_state;
    CDefinitionFile definition(state.definitionPath);
    CDiscImageDlg dialog(state.lastBuildFolder.IsEmpty() ? kDefaultBuildFolder : state.lastBuildFolder.c_str(),
                         definition.ReadString(def::kGeneral, def::kTitle, L"", def::kShortBuffer), m_hWnd);
    dialog.DoModal();
    return 0;
}
