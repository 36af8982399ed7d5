#include "FileDialog.h"
#include "WinApp.h"
#include <cstring>
#include <memory>

CFileDialog::CFileDialog(bool openDialog, const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter, HWND parent)
    : m_open(openDialog), m_flags(flags), m_parent(parent), m_defaultExt(defaultExt), m_filter(filter) {
    m_file[0] = '\0';
    if (fileName) lstrcpynA(m_file, fileName, sizeof m_file);
}

void CFileDialog::TranslateFilter(const char* filter, char* out) {
    size_t n = filter ? std::strlen(filter) : 0;
    for (size_t i = 0; i < n; ++i) out[i] = filter[i] == '|' ? '\0' : filter[i];
    out[n] = out[n + 1] = '\0';
}

INT_PTR CFileDialog::DoModal() {
    std::unique_ptr<char[]> filter(new char[m_filter.GetLength() + 2]);
    TranslateFilter(m_filter, filter.get());

    OPENFILENAMEA ofn;
    std::memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_parent ? m_parent : GetActiveWindow();
    ofn.hInstance = AppResourceHandle();
    ofn.lpstrFilter = m_filter.IsEmpty() ? nullptr : filter.get();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = m_file;
    ofn.nMaxFile = sizeof m_file;
    ofn.lpstrInitialDir = m_initialDir.IsEmpty() ? nullptr : m_initialDir.c_str();
    ofn.lpstrTitle = m_title.IsEmpty() ? nullptr : m_title.c_str();
    ofn.lpstrDefExt = m_defaultExt.IsEmpty() ? nullptr : m_defaultExt.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER;

    BOOL ok = m_open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    m_file[sizeof m_file - 1] = '\0';
    if (!ok) {
        m_file[0] = '\0';
        return IDCANCEL;
    }
    return IDOK;
}

CString CFileDialog::GetFileName() const {
    const char* slash = std::strrchr(m_file, '\\');
    return CString(slash ? slash + 1 : m_file);
}
