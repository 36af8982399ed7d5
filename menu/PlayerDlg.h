// The menu window: one of the ten layouts, filled from the definition file,
// painted over the background bitmap, tracking the pointer and carrying out
// the lines' actions. The player runs it as its only window; the editor runs
// the same class for its test run and preview.
#pragma once
#include "../platform/Dialog.h"
#include "../platform/String.h"
#include "Definition.h"
#include "DibImage.h"
#include "MenuLogic.h"
#include "Conditions.h"
#include "MenuWindowIds.h"
#include <memory>

class CPlayerDlg : public CDialog {
public:
    // ids: the numbers of the program carrying the window. layout: 0-9,
    // or kLayoutOfDefinition for the one the definition names.
    // definitionPath: the definition file it shows, read here once.
    // folder (with its trailing backslash): where the background lies, and
    // what relative sound names and actions are resolved against.
    CPlayerDlg(const MenuWindowIds& ids, int layout, const wchar_t* definitionPath, const wchar_t* folder,
               HWND parent = nullptr);
    static const int kLayoutOfDefinition = -0x7FFFFFFF;
    int Layout() const { return m_layout; }
    ~CPlayerDlg() override;

    // Runs the window in its layout; -1 when that layout does not exist.
    INT_PTR DoModal() override;

    int CurrentMenu() const { return m_nCurMenu; }
    int HotLine() const { return m_tracker.HotLine(); }

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnCtlColor(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnQueryNewPalette(WPARAM, LPARAM);
    LRESULT OnActivate(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);

    void ShowMenu(int menu, bool repaint);
    void RepaintLine(HWND line, bool erase);
    void Apply(const menu::MoveOutcome& out);
    // Lines of the menu that the keyboard reaches: shown, with text.
    void Reachable(int menuNumber, bool reachable[menu::kLineCount]) const;
    // Carries out the action of line 'slot' as a click on it does.
    void Select(int slot, bool byKey);
    // A key of the dialog's message loop; true when the menu took it.
    bool OnMenuKey(UINT virtualKey);
    long long PointerPosition() const;
    static LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam);
    void InstallKeyFilter();
    void RemoveKeyFilter();
    int LineSlotOf(HWND child) const;
    HWND ChildUnderPointer(LPARAM lParam) const;
    void SetupHeadingFonts();
    // Reading order of a control's text: right to left when it starts
    // with a right-to-left letter; place and alignment stay the layout's.
    static void SetReadingOrder(HWND control, const wchar_t* text);
    // Each line of the current menu as its condition has it on this PC;
    // asked when a menu is shown and whenever the window becomes active
    // again (the user may have installed what a line asks for).
    void ApplyConditions();
    bool LineUsable(int slot) const { return slot >= 0 && slot < menu::kLineCount && m_lineState[slot] == menu::LineState::kShown; }
    // A greyed line is a disabled static, which a screen reader hears as
    // unavailable; it paints its text itself in the greyed colour, which the
    // system's disabled grey may not read on every background.
    static LRESULT CALLBACK GreyedLineProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void PaintGreyed(HWND line, HDC dc) const;

    const MenuWindowIds& m_ids;
    int m_layout;
    const CString m_definitionPath;
    const CString m_folder;
    HICON m_hWindowIcon;
    CDibImage m_dibBackground;
    HBRUSH m_hNullBrush;
    HWND m_pLine[15];
    MenuSettings m_settings;                 // title, sounds, count, colours
    std::unique_ptr<MenuTables> m_tables;    // 200 menus of texts and actions
    int m_bActive;
    wchar_t m_szBitmapPath[261];
    int m_nCurMenu;
    int m_bClickLock;
    HFONT m_fontHeading1;
    HFONT m_fontHeading2;
    menu::PointerTracker m_tracker;
    HHOOK m_keyFilter;
    cond::WindowsSystem m_system;
    menu::LineState m_lineState[menu::kLineCount];
    bool m_layoutShows[menu::kLineCount];    // the layout's own visible lines

    DECLARE_MESSAGE_TABLE()
};
