#include "Steps.h"
#include "../platform/MessageBox.h"
#include "../menu/Definition.h"
#include "../menu/PlayerDlg.h"
#include "EditorMenuIds.h"
#include "../disc/BuildPlan.h"
#include "MenuListing.h"
#include "StepDialogs.h"
#include "../workspace/Languages.h"
#include "../workspace/WorkDir.h"
#include "../menu/Variants.h"
#include <memory>

const wchar_t kMsgNoDefinitionToTest[] = L"No Autoplay definiton to test! Use the wizard to create one.";
const wchar_t kMsgBuildComplete[] = L"Build Complete";
const wchar_t kMsgListingFailed[] = L"Couldn't create automenu.txt";

const wchar_t kDefaultBuildFolder[] = L"c:\\buildvr\\";

namespace {

void RunMenuWindow(HWND owner, const EditorState& state, int layout) {
    // The menu window makes the work folder current, as the player makes
    // the disc's root current; the editor's own current folder (where its
    // file dialogs start) comes back afterwards.
    wchar_t current[MAX_PATH] = L"";
    const DWORD n = GetCurrentDirectoryW(MAX_PATH, current);
    {
        // A fresh window each time: it reads the definition and the background
        // anew, so changes made in the wizard show in the next run.
        CPlayerDlg menuWindow(kEditorMenuIds, layout, state.definitionPath, state.workDir, owner);
        menuWindow.DoModal();
    }
    if (n > 0 && n < MAX_PATH) SetCurrentDirectoryW(current);
}

}  // namespace

void RunTestMenu(HWND owner, const EditorState& state) {
    RunMenuWindow(owner, state, CPlayerDlg::kLayoutOfDefinition);
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
    CreateDirectoryW(folder, nullptr);
    BuildFileList files = PlanBuild(CDefinitionFile(state.definitionPath));
    for (int i = 0; i < files.count; ++i)
        CopyFileNormal(CString(state.workDir) + files.names[i], folder + files.names[i]);
    // Each language's menu beside auto.tdf, for the player to choose from.
    for (const CString& tag : EditedLanguages(state))
        CopyFileNormal(variants::VariantPath(state.defaultDefinitionPath, tag),
                       folder + variants::VariantPath(def::kDefinitionFile, tag));
    AppMessageBox(kMsgBuildComplete);
}

void ExportMenuListing(HWND owner, const EditorState& state) {
    CMenuFileDlg dialog(owner);
    if (dialog.DoModal() != IDOK) return;
    CString folder = BuildFolderWithSlash(dialog.Folder());
    CreateDirectoryW(folder, nullptr);

    // Every language of the menu, the default first.
    std::vector<CString> names{LanguageName(CString())};
    for (const CString& tag : EditedLanguages(state)) names.push_back(LanguageName(tag));
    const CString listing = ListEveryLanguage(names, EditedDefinitions(state));

    HANDLE file = CreateFileW(folder + L"automenu.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        AppMessageBox(kMsgListingFailed);
        return;
    }
    const std::string bytes = ListingFileBytes(listing);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}
