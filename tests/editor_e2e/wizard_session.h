// The real editor's wizard, driven from the test process: the sheet, its
// current page, its buttons, and the definition file it writes.
#pragma once
#include "editor_session.h"
#include <commctrl.h>
#include <string>

namespace wz {

const int kWizardButton = 2001;
const int kBack = 0x3023, kNext = 0x3024, kFinish = 0x3025;
const UINT kSetCurSelNone = static_cast<UINT>(-1);

struct PageFacts {
    const char* caption;
    const char* heading;
    int templateId;
};
// In the order the sheet shows them.
const PageFacts kPages[6] = {
    {"Autoplay Wizard", "TLK Autoplay Varrow Wizard", 150},
    {"Select Background", "Select the Background Bitmap", 132},
    {"Select Template", "Select the Layout Template", 133},
    {"Enter Selection Text and Actions", "Enter Two Heading lines and Text for Each Selection Line", 136},
    {"Dialog", "Configure Title, Colors and Sounds", 138},
    {"Dialog", "Create Autoplay", 149},
};

// A list box's or combo box's entry text from another process (the ANSI
// messages bring only the first letter across under some systems).
inline std::string EntryText(HWND list, int index, bool combo = false) {
    UINT lenMsg = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, textMsg = combo ? CB_GETLBTEXT : LB_GETTEXT;
    LRESULT n = SendMessageW(list, lenMsg, index, 0);
    if (n < 0 || n > 255) return "";
    wchar_t w[256] = L"";
    SendMessageW(list, textMsg, index, reinterpret_cast<LPARAM>(w));
    char a[512] = "";
    WideCharToMultiByte(CP_ACP, 0, w, -1, a, sizeof a, nullptr, nullptr);
    return a;
}

struct SheetSearch {
    DWORD pid;
    HWND main, found;
};

// The sheet: a dialog of the editor owned by its main window that has pages.
inline BOOL CALLBACK FindSheetProc(HWND h, LPARAM lp) {
    SheetSearch* c = reinterpret_cast<SheetSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == c->pid && h != c->main && IsWindowVisible(h) && ed::ClassOf(h) == "#32770" &&
        GetWindow(h, GW_OWNER) == c->main && SendMessageA(h, PSM_GETCURRENTPAGEHWND, 0, 0)) {
        c->found = h;
        return FALSE;
    }
    return TRUE;
}

class Wizard {
public:
    explicit Wizard(ed::Session& s) : m_s(s) {}

    // Presses the main window's Wizard button and waits for the sheet.
    bool Open() {
        m_s.Click(kWizardButton);
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 15000) {
            sheet = FindSheet();
            if (sheet && Page()) {
                drv::Settle(sheet, 250);
                return true;
            }
            Sleep(50);
        }
        return false;
    }

    HWND FindSheet() const {
        SheetSearch c = {m_s.proc.Id(), m_s.main, nullptr};
        EnumWindows(FindSheetProc, reinterpret_cast<LPARAM>(&c));
        return c.found;
    }

    HWND Page() const { return sheet ? reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) : nullptr; }
    HWND Item(int id) const { return GetDlgItem(Page(), id); }
    HWND SheetButton(int id) const { return GetDlgItem(sheet, id); }
    bool ButtonShown(int id) const {
        HWND b = SheetButton(id);
        return b && IsWindowVisible(b) && IsWindowEnabled(b);
    }

    // Index of the current page in kPages, by its heading; -1 when unknown.
    int PageIndex() const {
        std::string texts = ed::StaticTexts(Page());
        for (int i = 5; i >= 0; --i)
            if (texts.find(kPages[i].heading) != std::string::npos) return i;
        return -1;
    }

    // Presses a sheet button (PSBTN_xxx) and waits until the page changed,
    // or the sheet closed for Finish and Cancel.
    bool Press(int psbtn) {
        HWND before = Page();
        PostMessageA(sheet, PSM_PRESSBUTTON, psbtn, 0);
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 10000) {
            if (psbtn == PSBTN_FINISH || psbtn == PSBTN_CANCEL) {
                if (!IsWindow(sheet) || !IsWindowVisible(sheet)) return true;
            } else if (Page() != before && Page()) {
                drv::Settle(sheet, 200);
                return true;
            }
            Sleep(30);
        }
        return false;
    }
    bool Next() { return Press(PSBTN_NEXT); }
    bool Back() { return Press(PSBTN_BACK); }
    bool Finish() { return Press(PSBTN_FINISH); }
    bool Cancel() { return Press(PSBTN_CANCEL); }
    // Goes forward to page index i (0-5).
    bool GoTo(int i) {
        while (PageIndex() < i)
            if (!Next()) return false;
        return PageIndex() == i;
    }

    // Selects a list entry as a click would and tells the page.
    void SelectListEntry(int listId, int index) {
        HWND list = Item(listId);
        SendMessageA(list, LB_SETCURSEL, index, 0);
        SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        drv::Settle(Page(), 50);
    }
    void SelectComboEntry(HWND dialog, int comboId, int index) {
        HWND combo = GetDlgItem(dialog, comboId);
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        drv::Settle(dialog, 50);
    }
    void ClickItem(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int ListSelection(int id) const { return static_cast<int>(SendMessageA(Item(id), LB_GETCURSEL, 0, 0)); }

    HWND sheet = nullptr;

private:
    ed::Session& m_s;
};

// One key of the definition file in the work folder, as the player would
// read it; "(missing)" when the key is not there.
inline std::string Key(const ed::Session& s, const char* section, const char* key) {
    char buf[512] = "";
    GetPrivateProfileStringA(section, key, "(missing)", buf, sizeof buf, s.Work("auto.tdf").c_str());
    return buf;
}
inline void SetKey(const ed::Session& s, const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, s.Work("auto.tdf").c_str());
}

}  // namespace wz
