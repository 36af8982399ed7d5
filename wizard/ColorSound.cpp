// The title, colours and sounds page.
#include "../workspace/WorkDir.h"
#include "../platform/Dpi.h"
#include "../platform/FileDialog.h"
#include "../resources/editor_ids.h"
#include "Pages.h"
#include "WizardRules.h"
#include <commdlg.h>
#include <mmsystem.h>

namespace {

struct SoundRow {
    const wchar_t* key;
    int nameId, setId, listenId;
    const wchar_t* dialogTitle;
};
// In the order the page keeps its names: start-up, mouse-over, select, menu change.
const SoundRow kSoundRows[CColorSound::kSounds] = {
    {def::kStartupSound, IDC_NAME_STARTUP, IDC_SET_STARTUP, IDC_LISTEN_STARTUP, L"Browse for Startup Sound"},
    {def::kHoverSound, IDC_NAME_HOVER, IDC_SET_HOVER, IDC_LISTEN_HOVER, L"Browse for Passover Sound"},
    {def::kSelectSound, IDC_NAME_SELECT, IDC_SET_SELECT, IDC_LISTEN_SELECT, L"Browse for Select Sound"},
    {def::kMenuChangeSound, IDC_NAME_MENUCHANGE, IDC_SET_MENUCHANGE, IDC_LISTEN_MENUCHANGE,
     L"Browse for Menu Change Sound"},
};

const int kImageButtons[10] = {IDC_NORMAL_COLOR,   IDC_HIGHLIGHT_COLOR, IDC_SET_STARTUP,   IDC_LISTEN_STARTUP,
                               IDC_SET_HOVER,      IDC_LISTEN_HOVER,    IDC_SET_SELECT,    IDC_LISTEN_SELECT,
                               IDC_SET_MENUCHANGE, IDC_LISTEN_MENUCHANGE};

const wchar_t* const kComponentKeys[3] = {def::kRed, def::kGreen, def::kBlue};

COLORREF ReadColor(const CDefinitionFile& file, const wchar_t* section, int fallback) {
    int c[3];
    for (int i = 0; i < 3; ++i) c[i] = file.ReadInt(section, kComponentKeys[i], fallback);
    return static_cast<COLORREF>(def::ColorFromComponents(c[0], c[1], c[2]));
}

int SoundOfButton(int id, bool listen) {
    for (int i = 0; i < CColorSound::kSounds; ++i)
        if ((listen ? kSoundRows[i].listenId : kSoundRows[i].setId) == id) return i;
    return -1;
}

}  // namespace

BEGIN_MESSAGE_TABLE(CColorSound, CPropertyPage)
    ON_COMMAND_ROW(BN_CLICKED, IDC_NORMAL_COLOR, &CColorSound::OnNormalColor)
    ON_COMMAND_ROW(BN_CLICKED, IDC_HIGHLIGHT_COLOR, &CColorSound::OnHighlightColor)
    ON_COMMAND_ROW(BN_CLICKED, IDC_SET_STARTUP, &CColorSound::OnSetSound)
    ON_COMMAND_ROW(BN_CLICKED, IDC_SET_HOVER, &CColorSound::OnSetSound)
    ON_COMMAND_ROW(BN_CLICKED, IDC_SET_SELECT, &CColorSound::OnSetSound)
    ON_COMMAND_ROW(BN_CLICKED, IDC_SET_MENUCHANGE, &CColorSound::OnSetSound)
    ON_COMMAND_ROW(BN_CLICKED, IDC_LISTEN_STARTUP, &CColorSound::OnListen)
    ON_COMMAND_ROW(BN_CLICKED, IDC_LISTEN_HOVER, &CColorSound::OnListen)
    ON_COMMAND_ROW(BN_CLICKED, IDC_LISTEN_SELECT, &CColorSound::OnListen)
    ON_COMMAND_ROW(BN_CLICKED, IDC_LISTEN_MENUCHANGE, &CColorSound::OnListen)
    ON_MESSAGE_ROW(WM_ERASEBKGND, &CColorSound::OnEraseBkgnd)
END_MESSAGE_TABLE(CColorSound, CPropertyPage)

CColorSound::CColorSound(EditorState& state)
    : CPropertyPage(IDD_WIZARD_LOOK), m_normal(RGB(0, 0, 0)), m_highlight(RGB(255, 255, 255)), m_state(state) {}

BOOL CColorSound::OnInitDialog() {
    CDefinitionFile file = EditedDefinition(m_state);
    m_title = file.ReadString(def::kGeneral, def::kTitle, L"", def::kShortBuffer);
    for (int i = 0; i < kSounds; ++i)
        m_sound[i] = file.ReadString(def::kGeneral, kSoundRows[i].key, L"", def::kShortBuffer);
    // The player reads the title back through an 80-byte buffer.
    SendItem(IDC_TITLE, EM_LIMITTEXT, def::kShortBuffer - 1);
    DoDataExchange(false);
    m_normal = ReadColor(file, def::kNormalColor, 0);
    m_highlight = ReadColor(file, def::kHighlightColor, 255);
    for (int k = 0; k < 10; ++k) m_buttons[k].AutoLoad(kImageButtons[k], m_hWnd);
    return TRUE;
}

BOOL CColorSound::OnSetActive() {
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

void CColorSound::DoDataExchange(bool save) {
    if (save) {
        m_title = GetItemText(IDC_TITLE);
        for (int i = 0; i < kSounds; ++i) m_sound[i] = GetItemText(kSoundRows[i].nameId);
    } else {
        SetItemText(IDC_TITLE, m_title);
        for (int i = 0; i < kSounds; ++i) SetItemText(kSoundRows[i].nameId, m_sound[i]);
    }
}

BOOL CColorSound::OnKillActive() {
    DoDataExchange(true);
    // Only the title waits for the page to be left; colours and sounds
    // were written when chosen.
    EditedDefinition(m_state).UpdateString(def::kGeneral, def::kTitle, m_title);
    return TRUE;
}

void CColorSound::PickColor(const wchar_t* section, COLORREF& color) {
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = GetSheet();
    choose.rgbResult = 0;
    choose.lpCustColors = m_state.customColors;
    choose.Flags = 0;
    if (ChooseColorW(&choose)) {
        color = choose.rgbResult;
        int c[3];
        def::ComponentsOfColor(color, c);
        CDefinitionFile file = EditedDefinition(m_state);
        for (int i = 0; i < 3; ++i) file.UpdateInt(section, kComponentKeys[i], c[i]);
    }
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

LRESULT CColorSound::OnNormalColor(WPARAM, LPARAM) {
    PickColor(def::kNormalColor, m_normal);
    return 0;
}

LRESULT CColorSound::OnHighlightColor(WPARAM, LPARAM) {
    PickColor(def::kHighlightColor, m_highlight);
    return 0;
}

LRESULT CColorSound::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    GetClientRect(m_hWnd, &client);
    // The page's own background first, so that nothing of an earlier
    // picture shows through where the samples do not cover it.
    HBRUSH face = reinterpret_cast<HBRUSH>(SendMessageW(m_hWnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(m_hWnd)));
    FillRect(dc, &client, face ? face : GetSysColorBrush(COLOR_BTNFACE));

    HGDIOBJ oldFont = nullptr;
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0))) oldFont = SelectObject(dc, font);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(192, 192, 192));
    // Centred beside the colour buttons: on (width - 300) / 2, at heights
    // (height + 50) / 2 and (height + 140) / 2, in pixels at 100 % that grow
    // with the display's scale as the page does.
    const int dpi = SystemDpi();
    RECT r = client;
    r.right -= ScaleToDpi(300, dpi);
    r.bottom += ScaleToDpi(50, dpi);
    SetTextColor(dc, m_normal);
    DrawTextW(dc, L"Normal Text Color", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    r.bottom += ScaleToDpi(90, dpi);
    SetTextColor(dc, m_highlight);
    DrawTextW(dc, L"Highlight Text Color", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    if (oldFont) SelectObject(dc, oldFont);
    return TRUE;
}

LRESULT CColorSound::OnSetSound(WPARAM wParam, LPARAM) {
    int i = SoundOfButton(LOWORD(wParam), false);
    if (i < 0) return 0;
    const EditorState& state = m_state;
    CFileDialog dialog(true, L"wav", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, L"wav Files (*.wav)|*.wav||",
                       GetSheet());
    dialog.SetInitialDir(state.soundDir);
    dialog.SetTitle(kSoundRows[i].dialogTitle);
    if (dialog.DoModal() != IDOK) return 0;
    CString path = dialog.GetPathName();
    CString name = wiz::BareFileName(path);
    SetItemText(kSoundRows[i].nameId, name);
    m_sound[i] = name;
    EditedDefinition(m_state).UpdateString(def::kGeneral, kSoundRows[i].key, name);
    // The definition names sounds by bare name: the file goes beside it.
    CopyFileNormal(path, CString(state.workDir) + name);
    return 0;
}

LRESULT CColorSound::OnListen(WPARAM wParam, LPARAM) {
    int i = SoundOfButton(LOWORD(wParam), true);
    if (i < 0) return 0;
    // The work folder's copy, not whatever file of that name the current
    // folder or the system's folders hold.
    CString path = wiz::SoundToPlay(m_state.workDir, m_sound[i]);
    if (!path.IsEmpty()) sndPlaySoundW(path, SND_ASYNC);
    return 0;
}
