#include "framework/CFileFind.h"

namespace
{
// The codes with which a search ends that has read everything there was.
DWORD FailureOf(DWORD error)
{
    return error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}
}

BOOL CFileFind::FindFile(LPCTSTR pszName, DWORD /*dwUnused*/)
{
    Close();
    CString pattern(pszName != nullptr ? pszName : _T("*.*"));

    int lastSeparator = pattern.ReverseFind(_T('\\'));
    int lastSlash = pattern.ReverseFind(_T('/'));
    if (lastSlash > lastSeparator)
        lastSeparator = lastSlash;
    m_strRoot = lastSeparator >= 0 ? pattern.Left(lastSeparator) : CString();

    // The basic information (no short names) and large fetches are what make
    // walking a big tree fast.
    m_hFind = FindFirstFileEx(pattern, FindExInfoBasic, &m_next, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH);
    m_bHaveNext = m_hFind != INVALID_HANDLE_VALUE;
    if (!m_bHaveNext)
        m_dwError = FailureOf(GetLastError());
    return m_bHaveNext ? TRUE : FALSE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHaveNext)
        return FALSE;
    m_current = m_next;
    m_bHaveNext = ::FindNextFile(m_hFind, &m_next) != FALSE;
    if (!m_bHaveNext)
        m_dwError = FailureOf(GetLastError());
    return m_bHaveNext ? TRUE : FALSE;
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHaveNext = false;
    m_dwError = ERROR_SUCCESS;
}

CString CFileFind::GetFilePath() const
{
    return m_strRoot + _T("\\") + m_current.cFileName;
}

BOOL CFileFind::IsDots() const
{
    LPCTSTR name = m_current.cFileName;
    return IsDirectory() && name[0] == _T('.') &&
           (name[1] == 0 || (name[1] == _T('.') && name[2] == 0));
}
