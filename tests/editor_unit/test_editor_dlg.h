// The editor's main window run inside a test process, told which
// executable it is and what its command line holds.
#pragma once
#include "editor/EditorDlg.h"
#include <string>
#include <utility>

class TestEditorDlg : public CEditorDlg {
public:
    explicit TestEditorDlg(std::wstring exe, std::wstring tail = L"") : m_exe(std::move(exe)), m_tail(std::move(tail)) {}

protected:
    CString ExecutablePath() const override { return CString(m_exe.c_str()); }
    CString CommandTail() const override { return CString(m_tail.c_str()); }

private:
    std::wstring m_exe, m_tail;
};
