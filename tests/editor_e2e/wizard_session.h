// The real editor's wizard, driven from the test process: the sheet, its
// current page, its buttons, and the definition file it writes.
#pragma once
#include "editor_session.h"
#include <commctrl.h>
#include <map>
#include <string>
#include <vector>

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

// Real typing into whatever has the keyboard focus.
inline void TypeText(const std::string& text) {
    for (char ch : text) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wScan = in[1].ki.wScan = static_cast<WORD>(static_cast<unsigned char>(ch));
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof in[0]);
        Sleep(5);
    }
    Sleep(100);
}

// A real click in the middle of a control, after bringing its window to the front.
inline void RealClick(HWND control) {
    HWND top = GetAncestor(control, GA_ROOT);
    for (int tries = 0; tries < 20 && GetForegroundWindow() != top; ++tries) {
        SetForegroundWindow(top);
        drv::Settle(top, 50);
    }
    RECT r;
    GetClientRect(control, &r);
    drv::Click(control, r.right / 2, r.bottom / 2);
    drv::Settle(top, 150);
}

// Every section and key of an INI file, as the profile functions read it.
using Ini = std::map<std::string, std::map<std::string, std::string>>;
inline Ini ReadIni(const std::string& path) {
    Ini out;
    std::vector<char> names(65536), keys(65536);
    DWORD n = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), path.c_str());
    for (const char* sec = names.data(); sec < names.data() + n && *sec; sec += lstrlenA(sec) + 1) {
        auto& section = out[sec];
        DWORD m = GetPrivateProfileSectionA(sec, keys.data(), static_cast<DWORD>(keys.size()), path.c_str());
        for (const char* kv = keys.data(); kv < keys.data() + m && *kv; kv += lstrlenA(kv) + 1) {
            std::string line = kv;
            size_t eq = line.find('=');
            if (eq != std::string::npos) section[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return out;
}

struct DialogWithSearch {
    DWORD pid;
    int id;
    HWND found;
};
inline BOOL CALLBACK FindDialogWithProc(HWND h, LPARAM lp) {
    DialogWithSearch* c = reinterpret_cast<DialogWithSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == c->pid && IsWindowVisible(h) && ed::ClassOf(h) == "#32770" && GetDlgItem(h, c->id)) {
        c->found = h;
        return FALSE;
    }
    return TRUE;
}

// A dialog of the process that holds a control with this id.
inline HWND WaitDialogWith(DWORD pid, int controlId, DWORD ms = 10000) {
    DWORD start = GetTickCount();
    do {
        DialogWithSearch c = {pid, controlId, nullptr};
        EnumWindows(FindDialogWithProc, reinterpret_cast<LPARAM>(&c));
        if (c.found) {
            drv::Settle(c.found, 200);
            return c.found;
        }
        Sleep(50);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

// Picks a colour in the colour dialog: its red, green and blue boxes, then OK.
inline bool PickColor(DWORD pid, int r, int g, int b) {
    HWND dialog = WaitDialogWith(pid, 706);
    if (!dialog) return false;
    const int ids[3] = {706, 707, 708};
    const int v[3] = {r, g, b};
    for (int i = 0; i < 3; ++i)
        SendMessageA(GetDlgItem(dialog, ids[i]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::to_string(v[i]).c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return ed::Session::WaitGone(dialog);
}

}  // namespace wz
