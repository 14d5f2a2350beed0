// The platform's file picker (open or save), used as it comes.
//
// The filter text separates its parts with '|' ("All Files (*.*) |*.*||");
// it is handed to the platform with those bars turned into the terminators
// it expects. The chosen name may be of any length the platform returns.
#pragma once

#include "framework/CString.h"

#include <vector>

class CWnd;

class CFileDialog
{
public:
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when a file was chosen, IDCANCEL otherwise. An initial name that
    // the platform refuses as a file name is dropped, so the picker still
    // opens.
    INT_PTR DoModal();

    CString GetPathName() const { return CString(m_fileName.data()); }

    // Set fields (such as lpstrTitle) before DoModal.
    OPENFILENAME m_ofn = {};

private:
    BOOL Show();

    BOOL m_bOpenFileDialog;
    std::vector<TCHAR> m_fileName;
    std::vector<TCHAR> m_filter;
    CString m_strDefExt;
};
