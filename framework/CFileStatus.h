// What the program knows of one file: its three times in whole seconds, its
// size and its attribute bits, as CFile::GetStatus read them.
#pragma once

#include "framework/CString.h"
#include "framework/CTime.h"

struct CFileStatus
{
    CTime m_ctime;              // creation time
    CTime m_mtime;              // last-modified time
    CTime m_atime;              // last-access time
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;       // the low attribute bits: read-only is 0x01

    // The times and attributes exactly as read, fractions of a second and
    // attribute bits above the low byte included.
    FILETIME m_ftCreationRead = {};
    FILETIME m_ftLastWriteRead = {};
    FILETIME m_ftLastAccessRead = {};
    DWORD m_dwAttributesRead = 0;
};
