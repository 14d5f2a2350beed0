// A search of one folder's entries, one at a time.
//
// FindFile starts the search; each FindNextFile makes the next entry current
// and returns FALSE when the entry it has just made current is the last one,
// so that entry is still to be processed. The search is closed by Close or
// when the object goes.
//
// A search can also end because the folder could not be read (access denied,
// a drive gone midway); GetError then says why, where a search that simply
// ran out of entries, or found none, leaves it at ERROR_SUCCESS.
#pragma once

#include "framework/CString.h"

class CFileFind
{
public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // pszName is a path pattern such as "C:\Data\*.*" (nullptr means "*.*" in
    // the current folder). dwUnused must be 0. TRUE when anything matches.
    BOOL FindFile(LPCTSTR pszName = nullptr, DWORD dwUnused = 0);
    BOOL FindNextFile();
    void Close();
    DWORD GetError() const { return m_dwError; }

    // About the current entry
    CString GetFilePath() const;            // the folder of the pattern, "\", the name
    CString GetRoot() const { return m_strRoot; }   // the folder of the pattern
    BOOL IsDirectory() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // A reparse point that stands for another item: a junction, a mount point
    // or a symbolic link. Cloud placeholders and the like are reparse points
    // too, but hold their own contents. A reparse point whose tag the platform
    // does not report is taken for a link.
    BOOL IsLink() const
    {
        const DWORD tag = m_current.dwReserved0;
        return (m_current.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
               (tag == 0 || IsReparseTagNameSurrogate(tag));
    }
    BOOL IsDots() const;
    // Its attributes and times as the listing gave them: no need to ask the
    // file system again.
    const WIN32_FIND_DATA& GetFindData() const { return m_current; }

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATA m_current = {};
    WIN32_FIND_DATA m_next = {};
    bool m_bHaveNext = false;
    DWORD m_dwError = ERROR_SUCCESS;
    CString m_strRoot;
};
