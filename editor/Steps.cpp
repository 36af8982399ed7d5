#include "Steps.h"
#include "../platform/MessageBox.h"
#include "../menu/Definition.h"
#include "../menu/PlayerDlg.h"
#include "EditorMenuIds.h"
#include "../disc/BuildPlan.h"
#include "MenuListing.h"
#include "StepDialogs.h"
#include "../workspace/WorkDir.h"
#include <memory>

const char kMsgNoDefinitionToTest[] = "No Autoplay definiton to test! Use the wizard to create one.";
const char kMsgBuildComplete[] = "Build Complete";
const char kMsgListingFailed[] = "Couldn't create automenu.txt";

const char kDefaultBuildFolder[] = "c:\\buildvr\\";

namespace {

void RunMenuWindow(HWND owner, const EditorState& state, int layout) {
    // A fresh window each time: it reads the definition and the background
    // anew, so changes made in the wizard show in the next run.
    CPlayerDlg menuWindow(kEditorMenuIds, layout, state.definitionPath, state.workDir, owner);
    menuWindow.DoModal();
}

}  // namespace

void RunTestMenu(HWND owner, const EditorState& state) {
    CDefinitionFile definition(state.definitionPath);
    RunMenuWindow(owner, state, definition.ReadInt(def::kGeneral, def::kTemplate, def::kTemplateDefaultPlayer));
}

void PreviewAllTemplates(HWND owner, const EditorState& state) {
    if (!state.definitionPresent) {
        AppMessageBox(kMsgNoDefinitionToTest);
        return;
    }
    for (int layout = 0; layout < def::kLayouts; ++layout) RunMenuWindow(owner, state, layout);
}

void BuildDiscFiles(HWND owner, EditorState& state) {
    CBuildInfoDlg dialog(owner);
    if (dialog.DoModal() != IDOK) return;
    CString folder = BuildFolderWithSlash(dialog.Folder());
    state.lastBuildFolder = folder;
    CreateDirectoryA(folder, nullptr);
    BuildFileList files = PlanBuild(CDefinitionFile(state.definitionPath));
    for (int i = 0; i < files.count; ++i)
        CopyFileNormal(CString(state.workDir) + files.names[i], folder + files.names[i]);
    AppMessageBox(kMsgBuildComplete);
}

void ExportMenuListing(HWND owner, const EditorState& state) {
    CMenuFileDlg dialog(owner);
    if (dialog.DoModal() != IDOK) return;
    CString folder = BuildFolderWithSlash(dialog.Folder());
    CreateDirectoryA(folder, nullptr);

    std::unique_ptr<MenuTables> tables(new MenuTables);
    int count = ReadMenuListing(CDefinitionFile(state.definitionPath), *tables);
    CString listing = FormatMenuListing(*tables, count);

    HANDLE file = CreateFileA(folder + "automenu.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        AppMessageBox(kMsgListingFailed);
        return;
    }
    DWORD written = 0;
    WriteFile(file, listing.c_str(), static_cast<DWORD>(listing.GetLength()), &written, nullptr);
    CloseHandle(file);
}
