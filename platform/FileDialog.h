// The system's Open and Save As dialogs.
#pragma once
#include "String.h"
#include <windows.h>
#include <commdlg.h>

class CFileDialog {
public:
    // filter: pairs of description and pattern separated by '|', ending
    // with "||", as in "bmp Files (*.bmp)|*.bmp||". defaultExt has no dot.
    CFileDialog(bool openDialog, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                const wchar_t* filter, HWND parent = nullptr);

    void SetInitialDir(const wchar_t* folder) { m_initialDir = folder; }
    void SetTitle(const wchar_t* title) { m_title = title; }

    // IDOK when the user chose a file, else IDCANCEL (also when the dialog
    // could not be shown or the chosen path did not fit).
    INT_PTR DoModal();

    // The chosen file's full path, and the part after its last backslash.
    CString GetPathName() const { return CString(m_file); }
    CString GetFileName() const;

    // Longest path the dialog hands back.
    static const int kMaxPath = 255;

    // The filter in the system's form: the '|' separators become zero
    // characters, with a terminating pair of zeros. 'out' receives
    // the filter's length + 2 characters.
    static void TranslateFilter(const wchar_t* filter, wchar_t* out);

private:
    bool m_open;
    DWORD m_flags;
    HWND m_parent;
    CString m_defaultExt, m_filter, m_initialDir, m_title;
    wchar_t m_file[kMaxPath + 1];
};
