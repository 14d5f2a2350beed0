#include "framework/CFileDialog.h"

#include "framework/CWnd.h"

#include <cderr.h>
#include <commdlg.h>

namespace
{
// Room for a path of the longest length the platform allows.
constexpr size_t kFileNameChars = 32768;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_fileName(kFileNameChars, 0),
      m_strDefExt(lpszDefExt)
{
    if (lpszFileName != nullptr)
        lstrcpyn(m_fileName.data(), lpszFileName, static_cast<int>(kFileNameChars));

    if (lpszFilter != nullptr)
    {
        for (LPCTSTR p = lpszFilter; *p != 0; ++p)
            m_filter.push_back(*p == _T('|') ? _T('\0') : *p);
        // Two terminators end the list, whether or not the text ended in bars.
        m_filter.push_back(0);
        m_filter.push_back(0);
    }

    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr;
    m_ofn.hInstance = GetModuleHandle(nullptr);
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.data();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = static_cast<DWORD>(kFileNameChars);
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString();
    m_ofn.Flags = dwFlags | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal()
{
    // Without a parent the picker is owned by the window the user works in.
    if (m_ofn.hwndOwner == nullptr)
        m_ofn.hwndOwner = GetActiveWindow();
    BOOL chosen = Show();
    // The platform does not open at all when the initial name is no valid
    // file name (a half-typed path, say); the picker then opens without one.
    if (!chosen && CommDlgExtendedError() == FNERR_INVALIDFILENAME)
    {
        m_fileName[0] = 0;
        chosen = Show();
    }
    return chosen ? IDOK : IDCANCEL;
}

BOOL CFileDialog::Show()
{
    return m_bOpenFileDialog ? GetOpenFileName(&m_ofn) : GetSaveFileName(&m_ofn);
}
