#include "framework/CString.h"

#include <cstdarg>
#include <cwctype>

namespace
{
bool IsSpace(TCHAR ch)
{
    return _istspace(ch) != 0;
}
}

CString::CString(LPCTSTR psz)
{
    if (psz != nullptr)
        m_str = psz;
}

CString::CString(LPCTSTR psz, int nLength)
{
    if (psz != nullptr && nLength > 0)
        m_str.assign(psz, static_cast<size_t>(nLength));
}

CString& CString::operator=(LPCTSTR psz)
{
    if (psz == nullptr)
        m_str.clear();
    else
        m_str = psz;
    return *this;
}

CString& CString::operator+=(LPCTSTR psz)
{
    if (psz != nullptr)
        m_str += psz;
    return *this;
}

int CString::Compare(LPCTSTR psz) const
{
    return _tcscmp(m_str.c_str(), psz != nullptr ? psz : _T(""));
}

CString CString::Left(int nCount) const
{
    if (nCount <= 0)
        return CString();
    return CString(m_str.substr(0, static_cast<size_t>(nCount)));
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst >= GetLength() || nCount <= 0)
        return CString();
    return CString(m_str.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
}

int CString::Find(TCHAR ch, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(ch, static_cast<size_t>(nStart));
    return pos == std::basic_string<TCHAR>::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCTSTR pszSub, int nStart) const
{
    if (pszSub == nullptr || nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(pszSub, static_cast<size_t>(nStart));
    return pos == std::basic_string<TCHAR>::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(TCHAR ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::basic_string<TCHAR>::npos ? -1 : static_cast<int>(pos);
}

CString& CString::TrimLeft()
{
    size_t first = 0;
    while (first < m_str.size() && IsSpace(m_str[first]))
        ++first;
    m_str.erase(0, first);
    return *this;
}

CString& CString::TrimRight()
{
    size_t end = m_str.size();
    while (end > 0 && IsSpace(m_str[end - 1]))
        --end;
    m_str.erase(end);
    return *this;
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength >= 0 && nNewLength < GetLength())
        m_str.erase(static_cast<size_t>(nNewLength));
}

void CString::FormatRaw(LPCTSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list probe;
    va_copy(probe, args);
    int length = _vsctprintf(pszFormat, probe);
    va_end(probe);
    if (length < 0)
    {
        m_str.clear();
    }
    else
    {
        std::basic_string<TCHAR> buffer(static_cast<size_t>(length) + 1, 0);
        _vsntprintf(&buffer[0], buffer.size(), pszFormat, args);
        buffer.resize(static_cast<size_t>(length));
        m_str.swap(buffer);
    }
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    // With a zero buffer size LoadString hands back a pointer to the resource
    // text itself, which is not terminated; its length comes with it.
    LPCTSTR pszResource = nullptr;
    int length = ::LoadString(GetModuleHandle(nullptr), nID,
                              reinterpret_cast<LPTSTR>(&pszResource), 0);
    if (length <= 0 || pszResource == nullptr)
    {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(pszResource, static_cast<size_t>(length));
    return TRUE;
}

LPTSTR CString::GetBuffer(int nMinLength)
{
    size_t wanted = nMinLength > 0 ? static_cast<size_t>(nMinLength) : 0;
    if (m_str.size() < wanted)
        m_str.resize(wanted);
    // One more for the terminator that platform calls write.
    m_str.reserve(m_str.size() + 1);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        m_str.resize(_tcslen(m_str.c_str()));
    else if (static_cast<size_t>(nNewLength) <= m_str.size())
        m_str.resize(static_cast<size_t>(nNewLength));
}
