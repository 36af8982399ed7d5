#include "FileDialog.h"
#include "WinApp.h"
#include <cstring>
#include <cwchar>
#include <memory>

CFileDialog::CFileDialog(bool openDialog, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, HWND parent)
    : m_open(openDialog), m_flags(flags), m_parent(parent), m_defaultExt(defaultExt), m_filter(filter) {
    m_file[0] = L'\0';
    if (fileName) lstrcpynW(m_file, fileName, kMaxPath + 1);
}

void CFileDialog::TranslateFilter(const wchar_t* filter, wchar_t* out) {
    size_t n = WideLength(filter);
    for (size_t i = 0; i < n; ++i) out[i] = filter[i] == L'|' ? L'\0' : filter[i];
    out[n] = out[n + 1] = L'\0';
}

INT_PTR CFileDialog::DoModal() {
    std::unique_ptr<wchar_t[]> filter(new wchar_t[m_filter.GetLength() + 2]);
    TranslateFilter(m_filter, filter.get());

    OPENFILENAMEW ofn;
    std::memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_parent ? m_parent : GetActiveWindow();
    ofn.hInstance = AppResourceHandle();
    ofn.lpstrFilter = m_filter.IsEmpty() ? nullptr : filter.get();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = m_file;
    ofn.nMaxFile = kMaxPath + 1;
    ofn.lpstrInitialDir = m_initialDir.IsEmpty() ? nullptr : m_initialDir.c_str();
    ofn.lpstrTitle = m_title.IsEmpty() ? nullptr : m_title.c_str();
    ofn.lpstrDefExt = m_defaultExt.IsEmpty() ? nullptr : m_defaultExt.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER;

    BOOL ok = m_open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    m_file[kMaxPath] = L'\0';
    if (!ok) {
        m_file[0] = L'\0';
        return IDCANCEL;
    }
    return IDOK;
}

CString CFileDialog::GetFileName() const {
    const wchar_t* slash = std::wcsrchr(m_file, L'\\');
    return CString(slash ? slash + 1 : m_file);
}
