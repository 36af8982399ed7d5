// The editor's main window run inside the test process by a script of
// steps, with the helpers its tests share.
#pragma once
#include "editor/EditorDlg.h"
#include "editor/Storage.h"
#include "platform/WinApp.h"
#include "resources/editor_ids.h"
#include "files.h"
#include "support/tempdir.h"
#include "test_editor_dlg.h"
#include "ui_script.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// The questions around unsaved changes need a changed definition that only
// the wizard makes: the tests set the state's flags instead.
namespace {

const wchar_t kMainTitle[] = L"TLK Autoplay Varrow";

// An application object that notes which help topics were asked for.
class RecordingApp : public CWinApp {
public:
    BOOL InitInstance() override { return FALSE; }
    void WinHelp(DWORD context) override { contexts.push_back(context); }
    std::vector<DWORD> contexts;
};

HWND FindMainWindow() { return ui::FindDialog(kMainTitle); }

HWND MessageBoxWindow() { return ui::FindDialog(AppProgramName()); }

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(dir.File(L"BMPS").c_str(), nullptr);
        dir.Write("BMPS\\nodef.bmp", "BM nodef");
    }

    // Runs the main window with the script; returns DoModal's result.
    INT_PTR Run(std::vector<ui::Step> steps, const std::wstring& tail = L"") {
        TestEditorDlg dialog(dir.File(L"tlkedit.exe"), tail);
        running = &dialog;
        ui::Script script(std::move(steps));
        INT_PTR result = dialog.DoModal();
        running = nullptr;
        EXPECT_NE(-1, result) << "the window could not be made";
        script.Drain();
        EXPECT_FALSE(script.TimedOut()) << "the script stopped at step " << script.StepReached();
        EXPECT_TRUE(script.Finished());
        return result;
    }

    // The state of the window that Run is running.
    EditorState& State() { return running->State(); }
    TestEditorDlg* running = nullptr;

    // Steps shared by the tests.
    ui::Step FindMain() {
        return [this] { return (main = FindMainWindow()) != nullptr; };
    }
    ui::Step Post(UINT command) {
        return [this, command] {
            PostMessageW(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
            return true;
        };
    }
    // Waits for a message box, keeps its text and presses a button.
    ui::Step Answer(int button, std::wstring* text = nullptr) {
        return [this, button, text] {
            HWND box = MessageBoxWindow();
            if (!box) return false;
            if (text) *text = ui::StaticTexts(box);
            boxes.push_back(box);
            ui::Press(box, button);
            return true;
        };
    }
    ui::Step CancelFileDialog(bool* seen = nullptr) {
        return [seen] {
            HWND d = ui::FindFileDialog();
            if (!d) return false;
            if (seen) *seen = true;
            ui::Press(d, IDCANCEL);
            return true;
        };
    }
    ui::Step WaitClosed() {
        return [this] { return !IsWindow(main); };
    }
    ui::Step Do(std::function<void()> f) {
        return [f] { f(); return true; };
    }
    // True after the given time without a message box.
    ui::Step NoMessageBoxFor(DWORD ms) {
        auto start = std::make_shared<DWORD>(0);
        return [this, ms, start] {
            if (!*start) *start = GetTickCount();
            if (MessageBoxWindow()) {
                unexpectedBox = true;
                ui::Press(MessageBoxWindow(), IDOK);
            }
            return GetTickCount() - *start >= ms;
        };
    }

    TempDir dir{"mainwin"};
    HWND main = nullptr;
    std::vector<HWND> boxes;
    bool unexpectedBox = false;
};


}  // namespace
