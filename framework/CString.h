// A text string in the program's character type (UTF-16 in this Unicode
// build), with the operations the program uses. It holds its own copy of the
// text and converts to LPCTSTR for platform calls.
//
// Contract: Format accepts CString arguments directly (they are passed on as
// LPCTSTR), so a CString never travels through C varargs as an object.
#pragma once

#include "framework/Win32.h"

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class CString
{
public:
    CString() = default;
    CString(LPCTSTR psz);                   // a null pointer gives the empty string
    CString(LPCTSTR psz, int nLength);
    CString(const std::basic_string<TCHAR>& str) : m_str(str) {}

    // Size and access
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator LPCTSTR() const { return m_str.c_str(); }
    LPCTSTR GetString() const { return m_str.c_str(); }
    TCHAR operator[](int nIndex) const { return m_str.at(static_cast<size_t>(nIndex)); }

    // Assignment and concatenation
    CString& operator=(LPCTSTR psz);
    CString& operator+=(const CString& str) { m_str += str.m_str; return *this; }
    CString& operator+=(LPCTSTR psz);
    friend CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, LPCTSTR b) { CString r(a); r += b; return r; }
    friend CString operator+(LPCTSTR a, const CString& b) { CString r(a); r += b; return r; }
    // Without it, text + ch would compile as pointer arithmetic on the text.
    friend CString operator+(const CString& a, TCHAR b) { CString r(a); r.m_str += b; return r; }

    // Exact comparison.
    int Compare(LPCTSTR psz) const;
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCTSTR b) { return !(a == b); }
    friend bool operator!=(LPCTSTR a, const CString& b) { return !(b == a); }
    // By the characters: without it the conversion to LPCTSTR would make a < b
    // (and so any ordered container of strings) compare addresses.
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

    // Pieces and searching; positions are 0-based, -1 means not found.
    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    int Find(TCHAR ch, int nStart = 0) const;
    int Find(LPCTSTR pszSub, int nStart = 0) const;
    int ReverseFind(TCHAR ch) const;

    // Editing in place
    CString& TrimLeft();                    // white space as _istspace sees it
    CString& TrimRight();
    CString& Trim() { TrimRight(); return TrimLeft(); }
    void Truncate(int nNewLength);

    // printf-style formatting with the C runtime's wide rules (%s is a TCHAR string).
    template <typename... Args>
    void Format(LPCTSTR pszFormat, const Args&... args)
    {
        FormatRaw(pszFormat, PassThrough(args)...);
    }

    // Loads a string from the program's string table; FALSE when it has none.
    BOOL LoadString(UINT nID);

    // Direct writing into the string's storage: GetBuffer gives room for at
    // least nMinLength characters plus a terminator; ReleaseBuffer ends the
    // writing, taking the length from the terminator when nNewLength is -1.
    LPTSTR GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    static LPCTSTR PassThrough(const CString& str) { return str.GetString(); }
    template <typename T>
    static const T& PassThrough(const T& value)
    {
        static_assert(std::is_arithmetic<T>::value || std::is_pointer<T>::value,
                      "Format takes numbers, pointers and strings only");
        return value;
    }
    template <typename T, size_t N>
    static const T* PassThrough(const T (&array)[N]) { return array; }
    void FormatRaw(LPCTSTR pszFormat, ...);

    std::basic_string<TCHAR> m_str;
};

// A growable array of strings, as the program uses it.
class CStringArray
{
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int Add(const CString& str) { m_items.push_back(str); return GetSize() - 1; }
    const CString& GetAt(int nIndex) const { return m_items.at(static_cast<size_t>(nIndex)); }
    const CString& operator[](int nIndex) const { return GetAt(nIndex); }

private:
    std::vector<CString> m_items;
};
