#include "Help.h"
#include "../platform/Dialog.h"
#include "../platform/MessageBox.h"
#include "../resources/editor_ids.h"
#include <shellapi.h>

const HelpTopic kHelpTopics[] = {
    {kHelpContextBase + IDD_EDITOR, "main.htm"},
    {kHelpContextBase + IDD_WIZARD_INTRO, "wizard.htm"},
    {kHelpContextBase + IDD_WIZARD_BACKGROUND, "background.htm"},
    {kHelpContextBase + IDD_WIZARD_TEMPLATE, "layout.htm"},
    {kHelpContextBase + IDD_WIZARD_TEXT, "menus.htm"},
    {kHelpContextBase + IDD_ACTION, "actions.htm"},
    {kHelpContextBase + IDD_WIZARD_LOOK, "title-colours-sounds.htm"},
    {kHelpContextBase + IDD_WIZARD_FINISH, "wizard-finish.htm"},
    {kHelpContextBase + IDD_BUILD, "build.htm"},
    {kHelpContextBase + IDD_MENU_FILE, "menu-listing.htm"},
    {kHelpContextBase + IDD_DISC_IMAGE, "disc-image.htm"},
};
const int kHelpTopicCount = sizeof kHelpTopics / sizeof kHelpTopics[0];
const char kHelpIndexFile[] = "index.htm";
const char kHelpFolder[] = "help\\";
const char kMsgHelpFailed[] = "Failed to launch help.";

const char* HelpTopicFile(DWORD context) {
    for (const HelpTopic& topic : kHelpTopics)
        if (topic.context == context) return topic.file;
    return kHelpIndexFile;
}

CString HelpTopicPath(const char* programFolder, DWORD context) {
    return CString(programFolder) + kHelpFolder + HelpTopicFile(context);
}

bool ShowHelpTopic(HWND owner, const char* programFolder, DWORD context) {
    CString page = HelpTopicPath(programFolder, context);
    CString folder = CString(programFolder) + kHelpFolder;
    HINSTANCE result = ShellExecuteA(owner, "open", page, nullptr, folder, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        AppMessageBox(kMsgHelpFailed, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}
