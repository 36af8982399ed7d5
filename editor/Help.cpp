#include "Help.h"
#include "../platform/Dialog.h"
#include "../platform/MessageBox.h"
#include "../resources/editor_ids.h"
#include <shellapi.h>

const HelpTopic kHelpTopics[] = {
    {kHelpContextBase + IDD_EDITOR, L"main.htm"},
    {kHelpContextBase + IDD_WIZARD_INTRO, L"wizard.htm"},
    {kHelpContextBase + IDD_WIZARD_BACKGROUND, L"background.htm"},
    {kHelpContextBase + IDD_WIZARD_TEMPLATE, L"layout.htm"},
    {kHelpContextBase + IDD_WIZARD_TEXT, L"menus.htm"},
    {kHelpContextBase + IDD_ACTION, L"actions.htm"},
    {kHelpContextBase + IDD_WIZARD_LOOK, L"title-colours-sounds.htm"},
    {kHelpContextBase + IDD_WIZARD_FINISH, L"wizard-finish.htm"},
    {kHelpContextBase + IDD_BUILD, L"build.htm"},
    {kHelpContextBase + IDD_MENU_FILE, L"menu-listing.htm"},
    {kHelpContextBase + IDD_DISC_IMAGE, L"disc-image.htm"},
    {kHelpContextBase + IDD_LANGUAGE, L"languages.htm"},
};
const int kHelpTopicCount = sizeof kHelpTopics / sizeof kHelpTopics[0];
const wchar_t kHelpIndexFile[] = L"index.htm";
const wchar_t kHelpFolder[] = L"help\\";
const wchar_t kMsgHelpFailed[] = L"Failed to launch help.";

const wchar_t* HelpTopicFile(DWORD context) {
    for (const HelpTopic& topic : kHelpTopics)
        if (topic.context == context) return topic.file;
    return kHelpIndexFile;
}

CString HelpTopicPath(const wchar_t* programFolder, DWORD context) {
    return CString(programFolder) + kHelpFolder + HelpTopicFile(context);
}

bool ShowHelpTopic(HWND owner, const wchar_t* programFolder, DWORD context) {
    CString page = HelpTopicPath(programFolder, context);
    CString folder = CString(programFolder) + kHelpFolder;
    HINSTANCE result = ShellExecuteW(owner, L"open", page, nullptr, folder, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        AppMessageBox(kMsgHelpFailed, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}
