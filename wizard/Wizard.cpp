#include "Wizard.h"
#include "../resources/editor_ids.h"
#include "Pages.h"
#include "../workspace/Languages.h"

void RunWizard(EditorState& state) {
    // No parent: the application's main window owns the sheet and stays
    // disabled while it runs.
    CPropertySheet sheet(IDS_WIZARD_CAPTION, nullptr, 0);
    CIntroduction intro;
    CSetBackGr background(state);
    CSelectTmplt layout(state);
    CTextAction texts(state);
    CColorSound look(state);
    CFinish finish;
    sheet.AddPage(&intro);
    sheet.AddPage(&background);
    sheet.AddPage(&layout);
    sheet.AddPage(&texts);
    sheet.AddPage(&look);
    sheet.AddPage(&finish);
    sheet.m_psh.dwFlags |= PSH_WIZARD;
    // Finished or cancelled, the caller goes on the same way: every page
    // has written what it promised already.
    sheet.DoModal();
    // The layout, the background, the colours, the sounds and the menu count
    // are the disc's: every language gets what this one has now.
    ShareDiscSettings(state);
}
