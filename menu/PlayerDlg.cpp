#include "PlayerDlg.h"
#include "HeadingFonts.h"
#include "../platform/Dpi.h"
#include "../platform/IconPaint.h"
#include "../platform/WinApp.h"
#include <mmsystem.h>
#include <shellapi.h>
#include <cstring>

namespace {

// The window property through which the thread's key filter finds the menu
// window a key belongs to: the object is the window's, not the program's.
const wchar_t kKeyTarget[] = L"TlkMenuKeys";
// The menu window of a line, and the line's own procedure under ours.
const wchar_t kLineOwner[] = L"TlkMenuLineOwner";
const wchar_t kLineProc[] = L"TlkMenuLineProc";

const UINT kClickTimer = 1;
const UINT kClickLockMs = 500;

static_assert(sizeof kHeadingFonts / sizeof kHeadingFonts[0] == def::kLayouts, "one heading font per layout");

HFONT MakeHeadingFont(const wchar_t* face, int height) {
    LOGFONTW lf;
    std::memset(&lf, 0, sizeof lf);
    // The table's heights are pixels at 100 %: grow them with the display's
    // scale, as the lines' dialog font grows.
    lf.lfHeight = ScaleToDpi(height, SystemDpi());
    lf.lfWeight = FW_BOLD;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

void PlayAsync(const CString& sound) {
    if (!sound.IsEmpty()) sndPlaySoundW(sound, SND_ASYNC);
}

}  // namespace

BEGIN_MESSAGE_TABLE(CPlayerDlg, CDialog)
    ON_MESSAGE_ROW(WM_PAINT, &CPlayerDlg::OnPaint)
    ON_MESSAGE_ROW(WM_QUERYDRAGICON, &CPlayerDlg::OnQueryDragIcon)
    ON_MESSAGE_ROW(WM_MOUSEMOVE, &CPlayerDlg::OnMouseMove)
    ON_MESSAGE_ROW(WM_ERASEBKGND, &CPlayerDlg::OnEraseBkgnd)
    ON_MESSAGE_ROW(WM_CTLCOLORSTATIC, &CPlayerDlg::OnCtlColor)
    ON_MESSAGE_ROW(WM_LBUTTONDOWN, &CPlayerDlg::OnLButtonDown)
    ON_MESSAGE_ROW(WM_DESTROY, &CPlayerDlg::OnDestroy)
    ON_MESSAGE_ROW(WM_QUERYNEWPALETTE, &CPlayerDlg::OnQueryNewPalette)
    ON_MESSAGE_ROW(WM_ACTIVATE, &CPlayerDlg::OnActivate)
    ON_MESSAGE_ROW(WM_TIMER, &CPlayerDlg::OnTimer)
END_MESSAGE_TABLE(CPlayerDlg, CDialog)

CPlayerDlg::CPlayerDlg(const MenuWindowIds& ids, int layout, const wchar_t* definitionPath, const wchar_t* folder,
                       HWND parent)
    : CDialog(ids.placeholder, parent),
      m_ids(ids),
      m_layout(layout),
      m_definitionPath(definitionPath),
      m_folder(folder),
      m_hWindowIcon(nullptr),
      m_hNullBrush(nullptr),
      m_tables(new MenuTables),
      m_bActive(0),
      m_nCurMenu(1),
      m_bClickLock(0),
      m_fontHeading1(nullptr),
      m_fontHeading2(nullptr),
      m_keyFilter(nullptr) {
    std::memset(m_pLine, 0, sizeof m_pLine);
    for (int i = 0; i < menu::kLineCount; ++i) {
        m_lineState[i] = menu::LineState::kShown;
        m_layoutShows[i] = true;
    }
    m_szBitmapPath[0] = L'\0';
    m_hWindowIcon = LoadIconW(AppResourceHandle(), MAKEINTRESOURCEW(128));
    // The whole definition in one reading: the layout comes with it.
    ReadMenuDefinition(CDefinitionFile(m_definitionPath), m_settings, *m_tables);
    if (m_layout == kLayoutOfDefinition) m_layout = m_settings.layout;
}

CPlayerDlg::~CPlayerDlg() {
    RemoveKeyFilter();
    if (m_fontHeading1) DeleteObject(m_fontHeading1);
    if (m_fontHeading2) DeleteObject(m_fontHeading2);
}

INT_PTR CPlayerDlg::DoModal() {
    if (!def::IsLayoutIndex(m_layout)) return -1;
    m_nIDTemplate = m_ids.layoutBase + static_cast<UINT>(m_layout);
    return CDialog::DoModal();
}

void CPlayerDlg::SetupHeadingFonts() {
    const HeadingFont& f = kHeadingFonts[def::IsLayoutIndex(m_layout) ? m_layout : 0];
    m_fontHeading1 = MakeHeadingFont(f.face, f.heading1);
    m_fontHeading2 = MakeHeadingFont(f.face, f.heading2);
    SendDlgItemMessageW(m_hWnd, m_ids.heading1, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontHeading1), TRUE);
    SendDlgItemMessageW(m_hWnd, m_ids.heading2, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontHeading2), TRUE);
}

BOOL CPlayerDlg::OnInitDialog() {
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hWindowIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hWindowIcon));

    m_nCurMenu = 1;
    m_hNullBrush = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    m_tracker.Reset();   // every run starts with no line lit
    SetupHeadingFonts();

    lstrcpynW(m_szBitmapPath, m_folder + def::kBackgroundFile, 261);
    m_dibBackground.LoadFromFile(m_szBitmapPath);

    SetWindowTextW(m_hWnd, m_settings.title);

    // From here on relative sound names and actions resolve against the
    // folder (for the player, the disc's root). The folder keeps its trailing
    // backslash: "D:" alone would mean drive D's current folder, not its root.
    if (!m_folder.IsEmpty()) SetCurrentDirectoryW(m_folder);

    for (int i = 0; i < menu::kLineCount; ++i) {
        m_pLine[i] = GetDlgItem(m_ids.lines[i]);
        m_layoutShows[i] = m_pLine[i] && (GetWindowLongPtrW(m_pLine[i], GWL_STYLE) & WS_VISIBLE);
        if (m_pLine[i] && SetPropW(m_pLine[i], kLineOwner, this)) {
            LONG_PTR original = SetWindowLongPtrW(m_pLine[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GreyedLineProc));
            SetPropW(m_pLine[i], kLineProc, reinterpret_cast<HANDLE>(original));
        }
    }
    m_pLine[menu::kNoLine] = GetDlgItem(m_ids.noLine);

    ShowMenu(1, false);
    InstallKeyFilter();

    // Touch the mouse-over sound once so that its first play does not wait
    // for a slow drive to spin up.
    if (!m_settings.hoverSound.IsEmpty()) {
        HANDLE h = CreateFileW(m_settings.hoverSound, GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    PlayAsync(m_settings.startupSound);
    return TRUE;
}

void CPlayerDlg::RepaintLine(HWND line, bool erase) {
    if (!line) return;
    RECT rc;
    GetWindowRect(line, &rc);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    // The window has no clip-children style, so the controls under the
    // rectangle repaint with it, after the background.
    UINT flags = RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    if (erase) flags |= RDW_ERASE;
    RedrawWindow(m_hWnd, &rc, nullptr, flags);
}

void CPlayerDlg::ShowMenu(int menuNumber, bool repaint) {
    if (menuNumber < 1 || menuNumber > def::kMaxMenus) return;
    const CString* texts = m_tables->text[menuNumber - 1];
    HWND controls[def::kTexts];
    for (int i = 0; i < menu::kLineCount; ++i) controls[i] = m_pLine[i];
    controls[def::kHeading1 - 1] = GetDlgItem(m_ids.heading1);
    controls[def::kHeading2 - 1] = GetDlgItem(m_ids.heading2);
    for (int i = 0; i < def::kTexts; ++i) {
        HWND control = controls[i];
        if (!control) continue;
        wchar_t old[def::kTextBuffer] = L"";
        GetWindowTextW(control, old, def::kTextBuffer);
        SetReadingOrder(control, texts[i]);
        SetWindowTextW(control, texts[i]);
        if (repaint) RepaintLine(control, true);
        // A screen reader reads a shown text that changed. Not every system
        // reports the change of a control's text by itself.
        if (repaint && lstrcmpW(old, texts[i]) != 0 && menu::ShowsText(texts[i]) &&
            IsWindowVisible(control))
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_WINDOW, CHILDID_SELF);
    }
    ApplyConditions();
}

void CPlayerDlg::ApplyConditions() {
    if (m_nCurMenu < 1 || m_nCurMenu > def::kMaxMenus) return;
    const int row = m_nCurMenu - 1;
    for (int i = 0; i < menu::kLineCount; ++i) {
        HWND line = m_pLine[i];
        if (!line) continue;
        const cond::Condition c = cond::Parse(m_tables->condition[row][i], m_tables->conditionValue[row][i],
                                              m_tables->conditionNot[row][i], m_tables->conditionHide[row][i]);
        const menu::LineState state = cond::Met(c, m_system, m_folder)
                                          ? menu::LineState::kShown
                                          : (c.hide ? menu::LineState::kHidden : menu::LineState::kGreyed);
        const bool changed = state != m_lineState[i];
        m_lineState[i] = state;
        // A line the layout hides stays hidden whatever its condition.
        const bool visible = m_layoutShows[i] && state != menu::LineState::kHidden;
        if ((IsWindowVisible(line) != FALSE) != visible || !IsWindowVisible(m_hWnd))
            ShowWindow(line, visible ? SW_SHOWNA : SW_HIDE);
        EnableWindow(line, state == menu::LineState::kShown);
        if (changed && state != menu::LineState::kShown && m_tracker.HotLine() == i) m_tracker.Reset();
        if (changed) RepaintLine(line, true);
    }
}

LRESULT CALLBACK CPlayerDlg::GreyedLineProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kLineProc));
    const CPlayerDlg* owner = static_cast<const CPlayerDlg*>(GetPropW(hwnd, kLineOwner));
    if (msg == WM_PAINT && owner && !IsWindowEnabled(hwnd)) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (dc) {
            try {
                owner->PaintGreyed(hwnd, dc);
            } catch (...) {
            }
            EndPaint(hwnd, &ps);
        }
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        RemovePropW(hwnd, kLineOwner);
        RemovePropW(hwnd, kLineProc);
        if (original) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    return original ? CallWindowProcW(original, hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

void CPlayerDlg::PaintGreyed(HWND line, HDC dc) const {
    wchar_t text[def::kTextBuffer] = L"";
    const int n = GetWindowTextW(line, text, def::kTextBuffer);
    RECT r;
    GetClientRect(line, &r);
    const LONG_PTR style = GetWindowLongPtrW(line, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(line, GWL_EXSTYLE);
    // Laid out as the static lays out its text: alignment, wrapping, order.
    UINT format = DT_NOPREFIX | DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP: format |= DT_LEFT; break;
    default: format |= DT_LEFT | DT_WORDBREAK; break;
    }
    if (exStyle & WS_EX_RTLREADING) format |= DT_RTLREADING;
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(line, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(menu::GreyedColor(m_settings.normalRGB)));
    DrawTextW(dc, text, n, &r, format);
    if (oldFont) SelectObject(dc, oldFont);
}

void CPlayerDlg::SetReadingOrder(HWND control, const wchar_t* text) {
    LONG_PTR style = GetWindowLongPtrW(control, GWL_EXSTYLE);
    LONG_PTR wanted = menu::ReadsRightToLeft(text) ? (style | WS_EX_RTLREADING) : (style & ~LONG_PTR(WS_EX_RTLREADING));
    if (wanted != style) SetWindowLongPtrW(control, GWL_EXSTYLE, wanted);
}

void CPlayerDlg::Apply(const menu::MoveOutcome& out) {
    for (int i = 0; i < out.repaintCount; ++i) RepaintLine(m_pLine[out.repaint[i]], true);
    if (out.repaintAllLines)
        for (int i = 0; i < menu::kLineCount; ++i) RepaintLine(m_pLine[i], false);
    if (out.playHoverSound) PlayAsync(m_settings.hoverSound);
    if (out.announce >= 0 && out.announce < menu::kLineCount && m_pLine[out.announce]) {
        // The real focus follows the keyboard position, so that what a
        // screen reader asks the system agrees with what it is told.
        HWND line = m_pLine[out.announce];
        SetFocus(line);
        NotifyWinEvent(EVENT_OBJECT_FOCUS, line, OBJID_CLIENT, CHILDID_SELF);
    }
}

void CPlayerDlg::Reachable(int menuNumber, bool reachable[menu::kLineCount]) const {
    const bool known = menuNumber >= 1 && menuNumber <= def::kMaxMenus;
    for (int i = 0; i < menu::kLineCount; ++i)
        reachable[i] = known && m_pLine[i] && IsWindowVisible(m_pLine[i]) && LineUsable(i) &&
                       menu::ShowsText(m_tables->text[menuNumber - 1][i]);
}

LRESULT CPlayerDlg::OnPaint(WPARAM, LPARAM) {
    PaintDialogWithIcon(m_hWnd, m_hWindowIcon);
    return 0;
}

LRESULT CPlayerDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_hWindowIcon);
}

LRESULT CPlayerDlg::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    GetClientRect(m_hWnd, &client);
    {
        // Realised and given back before the picture is drawn: the drawing
        // selects the palette again itself.
        CSelectedPalette palette(dc, m_dibBackground.Palette());
        if (palette.Failed()) MessageBoxW(m_hWnd, kMsgSelectPaletteFailed, AppProgramName(), MB_OK);
    }
    if (!m_dibBackground.IsEmpty()) {
        RECT source = {0, 0, m_dibBackground.Width(), m_dibBackground.Height()};
        m_dibBackground.Render(dc, client, source);
    }
    return TRUE;
}

LRESULT CPlayerDlg::OnCtlColor(WPARAM wParam, LPARAM lParam) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    SetBkMode(dc, TRANSPARENT);
    const int* rgb = m_settings.normalRGB;
    int hot = m_tracker.HotLine();
    if (hot >= 0 && hot < menu::kLineCount && control == m_pLine[hot]) rgb = m_settings.highlightRGB;
    SetTextColor(dc, static_cast<COLORREF>(def::ColorFromComponents(rgb[0], rgb[1], rgb[2])));
    return reinterpret_cast<LRESULT>(m_hNullBrush);
}

LRESULT CPlayerDlg::OnQueryNewPalette(WPARAM, LPARAM) {
    HPALETTE palette = m_dibBackground.Palette();
    if (!palette) return TRUE;
    HDC dc = GetDC(m_hWnd);
    if (!dc) return TRUE;
    HPALETTE old = SelectPalette(dc, palette, FALSE);
    if (old) {
        if (RealizePalette(dc) != 0) InvalidateRect(m_hWnd, nullptr, TRUE);
        SelectPalette(dc, old, TRUE);
        RealizePalette(dc);
    }
    ReleaseDC(m_hWnd, dc);
    return TRUE;
}

LRESULT CPlayerDlg::OnDestroy(WPARAM, LPARAM) {
    KillTimer(m_hWnd, kClickTimer);
    RemoveKeyFilter();
    m_dibBackground.DeletePalette();
    Default();
    return 0;
}

LRESULT CPlayerDlg::OnActivate(WPARAM wParam, LPARAM) {
    m_bActive = LOWORD(wParam);
    Default();
    // Back from the installer the disc started: what the lines ask for may
    // be there now, or gone.
    if (m_bActive != WA_INACTIVE) ApplyConditions();
    return 0;
}

int CPlayerDlg::LineSlotOf(HWND child) const {
    if (!child) return -1;
    for (int i = 0; i < menu::kLineCount; ++i)
        if (m_pLine[i] == child) return i;
    return -1;
}

HWND CPlayerDlg::ChildUnderPointer(LPARAM lParam) const {
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    // Finds hidden lines too, in the layout's control order.
    return ChildWindowFromPoint(m_hWnd, pt);
}

LRESULT CPlayerDlg::OnMouseMove(WPARAM, LPARAM lParam) {
    Default();
    HWND child = ChildUnderPointer(lParam);
    HWND activeWindow = GetActiveWindow();
    int slot = LineSlotOf(child);
    // A greyed line does not light up.
    if (!LineUsable(slot)) slot = -1;
    bool hasText = slot >= 0 && !m_tables->text[m_nCurMenu - 1][slot].IsEmpty();
    menu::MoveOutcome out =
        m_tracker.OnMove(m_bActive != 0, reinterpret_cast<uintptr_t>(child), slot,
                         child != nullptr && child == activeWindow, hasText,
                         !m_settings.hoverSound.IsEmpty(), static_cast<DWORD>(lParam));
    Apply(out);
    return 0;
}

LRESULT CPlayerDlg::OnLButtonDown(WPARAM, LPARAM lParam) {
    Select(LineSlotOf(ChildUnderPointer(lParam)), false);
    return 0;
}

void CPlayerDlg::Select(int slot, bool byKey) {
    if (slot >= menu::kLineCount) slot = -1;
    // A click on a greyed or hidden line does nothing at all.
    if (slot >= 0 && !LineUsable(slot)) return;
    int row = m_nCurMenu - 1;
    const wchar_t* action = slot >= 0 ? m_tables->program[row][slot].c_str() : L"";
    const wchar_t* quit = slot >= 0 ? m_tables->quit[row][slot].c_str() : L"";
    menu::ClickOutcome out =
        menu::DecideClick(m_bActive != 0, slot, m_bClickLock != 0, action, quit, def::kMaxMenus);
    if (out.kind == menu::ClickOutcome::Ignore) return;

    SetTimer(m_hWnd, kClickTimer, kClickLockMs, nullptr);
    m_bClickLock = 1;
    if (out.kind == menu::ClickOutcome::GoTo) {
        PlayAsync(m_settings.menuChangeSound);
        m_nCurMenu = out.target;
        // A key user goes on from the new menu's first line; under the
        // pointer the clicked line keeps the highlight.
        menu::MoveOutcome placed;
        if (byKey) {
            bool reachable[menu::kLineCount];
            Reachable(m_nCurMenu, reachable);
            placed = m_tracker.PlaceOnFirstLine(reachable, PointerPosition());
        }
        ShowMenu(m_nCurMenu, true);
        if (byKey) Apply(placed);
    } else if (out.kind == menu::ClickOutcome::Open) {
        CString program = m_tables->program[row][slot];
        CString params = m_tables->params[row][slot];
        CString workDir = m_tables->workDir[row][slot];
        // The selection sound finishes before the program takes the screen.
        if (!m_settings.selectSound.IsEmpty()) sndPlaySoundW(m_settings.selectSound, 0);
        bool declined = false;
        const wchar_t* parameters = params.IsEmpty() ? nullptr : params.c_str();
        const wchar_t* folder = workDir.IsEmpty() ? nullptr : workDir.c_str();
        if (!program.IsEmpty() && def::IsTrue(m_tables->runAs[row][slot])) {
            // "runas" asks for an administrator's rights first (the elevation
            // prompt of Windows Vista and later, the Run As dialog of XP).
            SHELLEXECUTEINFOW start = {};
            start.cbSize = sizeof start;
            start.fMask = SEE_MASK_FLAG_NO_UI;
            start.lpVerb = L"runas";
            start.lpFile = program;
            start.lpParameters = parameters;
            start.lpDirectory = folder;
            start.nShow = SW_SHOWNORMAL;
            // The user saying no to the prompt is no failure: the menu stays.
            declined = !ShellExecuteExW(&start) && GetLastError() == ERROR_CANCELLED;
        } else if (!program.IsEmpty()) {
            ShellExecuteW(nullptr, L"open", program, parameters, folder, SW_SHOWNORMAL);
        }
        if (out.quit && !declined) PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    }
}

long long CPlayerDlg::PointerPosition() const {
    POINT pt;
    if (!GetCursorPos(&pt) || !ScreenToClient(m_hWnd, &pt)) return menu::kNoPosition;
    // Packed as a mouse message packs it, so that the two compare.
    return static_cast<DWORD>(MAKELPARAM(pt.x, pt.y));
}

bool CPlayerDlg::OnMenuKey(UINT virtualKey) {
    const menu::KeyRequest request = menu::KeyFor(virtualKey, GetKeyState(VK_SHIFT) < 0);
    if (request.kind == menu::KeyRequest::kNotOurs || !m_bActive) return false;
    bool reachable[menu::kLineCount];
    Reachable(m_nCurMenu, reachable);
    if (request.kind == menu::KeyRequest::kMove) {
        Apply(m_tracker.OnKey(request.move, reachable, !m_settings.hoverSound.IsEmpty(), PointerPosition()));
        return true;
    }
    const int slot = m_tracker.KeySelection(reachable);
    if (slot < 0) return false;   // Enter closes as it always did
    Select(slot, true);
    return true;
}

// The dialog's own message loop turns arrows, Tab and Enter into moves
// between controls and default-button presses before any window sees them;
// a message filter sees them first. It is the thread's, so it passes on
// everything that is not a key for this menu window.
LRESULT CALLBACK CPlayerDlg::KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && lParam) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        HWND root = msg->message == WM_KEYDOWN && msg->hwnd ? GetAncestor(msg->hwnd, GA_ROOT) : nullptr;
        CPlayerDlg* self = root ? static_cast<CPlayerDlg*>(GetPropW(root, kKeyTarget)) : nullptr;
        if (self && self->m_hWnd == root) {
            bool taken = false;
            try {
                taken = self->OnMenuKey(static_cast<UINT>(msg->wParam));
            } catch (...) {
                taken = false;
            }
            if (taken) return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CPlayerDlg::InstallKeyFilter() {
    if (m_keyFilter) return;
    m_keyFilter = SetWindowsHookExW(WH_MSGFILTER, KeyFilter, nullptr, GetCurrentThreadId());
    if (m_keyFilter && !SetPropW(m_hWnd, kKeyTarget, this)) RemoveKeyFilter();
}

void CPlayerDlg::RemoveKeyFilter() {
    if (!m_keyFilter) return;
    UnhookWindowsHookEx(m_keyFilter);
    m_keyFilter = nullptr;
    if (m_hWnd && IsWindow(m_hWnd)) RemovePropW(m_hWnd, kKeyTarget);
}

LRESULT CPlayerDlg::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam == kClickTimer) {
        m_bClickLock = 0;
        KillTimer(m_hWnd, kClickTimer);
    }
    Default();
    return 0;
}
