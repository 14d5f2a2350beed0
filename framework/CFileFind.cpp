#include "framework/CFileFind.h"

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
    return m_bHaveNext ? TRUE : FALSE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHaveNext)
        return FALSE;
    m_current = m_next;
    m_bHaveNext = ::FindNextFile(m_hFind, &m_next) != FALSE;
    return m_bHaveNext ? TRUE : FALSE;
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHaveNext = false;
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
