// The dialog layer's dispatch: what each message returns to the system,
// with handlers that send messages back to their own dialog while they run.
#include "platform/Dialog.h"
#include "resources/editor_ids.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

const UINT WM_OUTER = WM_APP + 10;
const UINT WM_INNER = WM_APP + 11;
const UINT WM_BASEONLY = WM_APP + 12;
const UINT WM_BOTH = WM_APP + 13;
const UINT kNotifyCode = 0x7000;
const int kMenuId = 40001;

// Runs checks inside a live dialog (the about box's template) and ends it.
class ProbeBase : public CDialog {
public:
    ProbeBase() : CDialog(IDD_ABOUT) {}
    LRESULT OnBaseOnly(WPARAM, LPARAM) { return 21; }
    LRESULT OnBothInBase(WPARAM, LPARAM) { return 22; }
    DECLARE_MESSAGE_TABLE()
};

BEGIN_MESSAGE_TABLE(ProbeBase, CDialog)
    ON_MESSAGE_ROW(WM_BASEONLY, &ProbeBase::OnBaseOnly)
    ON_MESSAGE_ROW(WM_BOTH, &ProbeBase::OnBothInBase)
END_MESSAGE_TABLE(ProbeBase, CDialog)

class Probe : public ProbeBase {
public:
    std::function<void(HWND)> checks;
    bool outerDefault = false, innerDefault = false;
    LRESULT innerResult = 0;
    int menuCalls = 0;

protected:
    BOOL OnInitDialog() override {
        PostMessageA(m_hWnd, WM_APP + 1, 0, 0);
        return TRUE;
    }

private:
    LRESULT OnRun(WPARAM, LPARAM) {
        if (checks) checks(m_hWnd);
        EndDialog(IDOK);
        return 0;
    }
    LRESULT OnOuter(WPARAM, LPARAM) {
        if (outerDefault) Default();
        innerResult = SendMessageA(m_hWnd, WM_INNER, 0, 0);
        return 5;
    }
    LRESULT OnInner(WPARAM, LPARAM) {
        if (innerDefault) Default();
        return 9;
    }
    LRESULT OnBothInDerived(WPARAM, LPARAM) { return 33; }
    LRESULT OnNotify(WPARAM, LPARAM) { return 7; }
    LRESULT OnCtlColor(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH)); }
    LRESULT OnMenu(WPARAM, LPARAM) { ++menuCalls; return 0; }
    DECLARE_MESSAGE_TABLE()
};

BEGIN_MESSAGE_TABLE(Probe, ProbeBase)
    ON_MESSAGE_ROW(WM_APP + 1, &Probe::OnRun)
    ON_MESSAGE_ROW(WM_OUTER, &Probe::OnOuter)
    ON_MESSAGE_ROW(WM_INNER, &Probe::OnInner)
    ON_MESSAGE_ROW(WM_BOTH, &Probe::OnBothInDerived)
    ON_NOTIFY_ROW(kNotifyCode, 77, &Probe::OnNotify)
    ON_MESSAGE_ROW(WM_CTLCOLORSTATIC, &Probe::OnCtlColor)
    ON_COMMAND_ID_ROW(kMenuId, &Probe::OnMenu)
END_MESSAGE_TABLE(Probe, ProbeBase)

void RunProbe(Probe& probe) {
    ASSERT_EQ(IDOK, probe.DoModal());
}

// A dialog procedure that asks for default processing hands the message to
// the system's default, which answers 0 for a private message.
TEST(Dispatch, NestedMessagesKeepTheirOwnDefaultRequest) {
    struct Case { bool outerDefault, innerDefault; LRESULT outer, inner; };
    const Case cases[] = {
        {false, true, 5, 0},   // the inner request must not leak out
        {true, false, 0, 9},   // the outer request survives the inner message
        {true, true, 0, 0},
        {false, false, 5, 9},
    };
    for (const Case& c : cases) {
        Probe probe;
        probe.outerDefault = c.outerDefault;
        probe.innerDefault = c.innerDefault;
        LRESULT outer = -1;
        probe.checks = [&](HWND h) { outer = SendMessageA(h, WM_OUTER, 0, 0); };
        RunProbe(probe);
        EXPECT_EQ(c.outer, outer) << c.outerDefault << c.innerDefault;
        EXPECT_EQ(c.inner, probe.innerResult) << c.outerDefault << c.innerDefault;
    }
}

TEST(Dispatch, ResultsReachTheSystemTheWayEachMessageExpects) {
    Probe probe;
    LRESULT notify = 0, other = -1, color = 0, msgResultAfterColor = 0;
    probe.checks = [&](HWND h) {
        NMHDR hdr = {h, 77, kNotifyCode};
        notify = SendMessageA(h, WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&hdr));
        EXPECT_EQ(7, GetWindowLongPtrA(h, DWLP_MSGRESULT));
        // The same code from another control has no row.
        NMHDR otherHdr = {h, 78, kNotifyCode};
        other = SendMessageA(h, WM_NOTIFY, 78, reinterpret_cast<LPARAM>(&otherHdr));
        SetWindowLongPtrA(h, DWLP_MSGRESULT, 1234);
        color = SendMessageA(h, WM_CTLCOLORSTATIC, 0, 0);
        msgResultAfterColor = GetWindowLongPtrA(h, DWLP_MSGRESULT);
    };
    RunProbe(probe);
    EXPECT_EQ(7, notify);
    EXPECT_EQ(0, other);
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH)), color);
    EXPECT_EQ(1234, msgResultAfterColor) << "a brush is returned directly, not through DWLP_MSGRESULT";
}

TEST(Dispatch, TablesChainToTheBaseAndTheDerivedRowWins) {
    Probe probe;
    LRESULT baseOnly = 0, both = 0;
    probe.checks = [&](HWND h) {
        baseOnly = SendMessageA(h, WM_BASEONLY, 0, 0);
        both = SendMessageA(h, WM_BOTH, 0, 0);
    };
    RunProbe(probe);
    EXPECT_EQ(21, baseOnly);
    EXPECT_EQ(33, both);
}

TEST(Dispatch, IdOnlyRowsTakeMenuCommandsAndNothingElse) {
    Probe probe;
    probe.checks = [&](HWND h) {
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(kMenuId, 0), 0);           // a menu item
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(kMenuId, EN_CHANGE), 0);   // a control's notification
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(kMenuId + 1, 0), 0);
    };
    RunProbe(probe);
    EXPECT_EQ(1, probe.menuCalls);
}

}  // namespace
