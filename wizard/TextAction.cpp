// The menu text page: headings and selection lines of menus 1 to 200, each
// line with a button for its action.
#include "../resources/editor_ids.h"
#include "ActionDlg.h"
#include "Pages.h"
#include "WizardRules.h"

namespace {
const int kFirstLine = IDC_LINE1;                  // 5043: line 1
const int kLastLine = IDC_LINE1 + def::kLines - 1; // 5054: line 12
const int kFirstAction = IDC_ACTION1;              // 4009: line 1's button
const int kLastAction = IDC_ACTION1 + def::kLines - 1;
const int kMainLines = 10;                         // the lines a layout may hide
// The player reads menu texts back through 128-byte buffers.
const int kMaxText = def::kTextBuffer - 1;
}

BEGIN_MESSAGE_TABLE(CTextAction, CPropertyPage)
    ON_COMMAND_ROW(CBN_SELCHANGE, IDC_MENU_NUMBER, &CTextAction::OnMenuChange)
    ON_COMMAND_ROW(EN_KILLFOCUS, 0, &CTextAction::OnLineKillFocus)
    ON_COMMAND_ROW(BN_CLICKED, 0, &CTextAction::OnActionButton)
END_MESSAGE_TABLE(CTextAction, CPropertyPage)

CTextAction::CTextAction(EditorState& state)
    : CPropertyPage(IDD_WIZARD_TEXT), m_store(new CString[def::kMaxMenus][kSlots]), m_current(0),
      m_layoutAtInit(1), m_layoutKnown(false), m_state(state) {}

int CTextAction::BoxOfSlot(int slot) {
    if (slot == def::kHeading1 - 1) return IDC_HEADING1;
    if (slot == def::kHeading2 - 1) return IDC_HEADING2;
    return kFirstLine + slot;
}

BOOL CTextAction::OnInitDialog() {
    AppendMenuEntries(GetDlgItem(IDC_MENU_NUMBER));
    SendItem(IDC_MENU_NUMBER, CB_SETCURSEL, 0);
    m_current = 0;

    // One reading of the file serves the count and every menu's texts;
    // menus beyond the 200 the page holds are not loaded.
    CDefinitionFile file = EditedDefinition(m_state);
    CDefinitionSnapshot snapshot(file);
    ReadMenuTexts(snapshot, snapshot.ReadInt(def::kGeneral, def::kMenuCount, 1), m_store.get());
    // The activation that follows at once finds the file as it is now.
    m_layoutAtInit = snapshot.ReadInt(def::kGeneral, def::kTemplate, 1);
    m_layoutKnown = true;
    for (int slot = 0; slot < kSlots; ++slot) SendItem(BoxOfSlot(slot), EM_LIMITTEXT, kMaxText);
    ShowMenu(0);
    for (int k = 0; k < def::kLines; ++k) m_actions[k].AutoLoad(kFirstAction + k, m_hWnd);
    return TRUE;
}

BOOL CTextAction::OnSetActive() {
    int layout = m_layoutAtInit;
    if (!m_layoutKnown) {
        CDefinitionFile file = EditedDefinition(m_state);
        layout = CDefinitionSnapshot(file).ReadInt(def::kGeneral, def::kTemplate, 1);
    }
    m_layoutKnown = false;
    int visible = def::VisibleMainLines(layout);
    for (int k = 0; k < kMainLines; ++k) {
        ShowItem(kFirstLine + k, false);
        ShowItem(kFirstAction + k, false);
    }
    for (int k = 0; k < visible && k < kMainLines; ++k) {
        ShowItem(kFirstLine + k, true);
        ShowItem(kFirstAction + k, true);
    }
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

void CTextAction::DoDataExchange(bool save) {
    if (!save) return;
    CDefinitionFile file = EditedDefinition(m_state);
    SaveCurrentMenu(file, CDefinitionSnapshot(file));
}

void CTextAction::ShowMenu(int menuIndex) {
    for (int slot = 0; slot < kSlots; ++slot) SetItemText(BoxOfSlot(slot), Stored(menuIndex, slot));
}

// All fourteen keys, changed or not; a write that would leave the file as
// it is is not made (a large definition is rewritten whole by every write).
// True when the file was written.
bool CTextAction::SaveCurrentMenu(const CDefinitionFile& file, const CDefinitionSnapshot& snapshot) {
    for (int slot = 0; slot < kSlots; ++slot) Stored(m_current, slot) = GetItemText(BoxOfSlot(slot));
    bool wrote = false;
    file.UpdateNumberedKeys(snapshot, MenuSection(def::kTextBase, m_current + 1), kSlots, m_store[m_current], &wrote);
    return wrote;
}

void CTextAction::SaveLine(int slot) {
    CString text = GetItemText(BoxOfSlot(slot));
    EditedDefinition(m_state).UpdateString(MenuSection(def::kTextBase, m_current + 1), CString::Format(L"%d", slot + 1), text);
    Stored(m_current, slot) = text;
}

LRESULT CTextAction::OnMenuChange(WPARAM, LPARAM) {
    int chosen = static_cast<int>(SendItem(IDC_MENU_NUMBER, CB_GETCURSEL));
    if (chosen < 0 || chosen >= def::kMaxMenus) return 0;
    // One reading serves the menu left and the count. A text written
    // rewrites the file, which in a damaged one can move keys into section
    // "100": then the count is read afresh (a reading of the whole file is
    // quicker than the system's read of one key).
    CDefinitionFile file = EditedDefinition(m_state);
    CDefinitionSnapshot snapshot(file);
    bool wrote = SaveCurrentMenu(file, snapshot);
    ShowMenu(chosen);
    m_current = chosen;
    int count = wrote ? CDefinitionSnapshot(file).ReadInt(def::kGeneral, def::kMenuCount, 1)
                      : snapshot.ReadInt(def::kGeneral, def::kMenuCount, 1);
    if (int raised = wiz::RaisedMenuCount(count, chosen + 1)) file.WriteInt(def::kGeneral, def::kMenuCount, raised);
    return 0;
}

LRESULT CTextAction::OnLineKillFocus(WPARAM wParam, LPARAM) {
    int id = LOWORD(wParam);
    if (id >= kFirstLine && id <= kLastLine) SaveLine(id - kFirstLine);
    return 0;
}

LRESULT CTextAction::OnActionButton(WPARAM wParam, LPARAM) {
    int id = LOWORD(wParam);
    if (id < kFirstAction || id > kLastAction) return 0;
    int line = id - kFirstAction + 1;
    EditLineAction(GetSheet(), EditedDefinition(m_state), m_current + 1, line, Stored(m_current, line - 1));
    return 0;
}
