// What the program knows of one file: its times and attribute bits exactly
// as CFile::GetStatus read them.
#pragma once

#include "framework/Win32.h"

struct CFileStatus
{
    FILETIME m_ftCreationRead = {};
    FILETIME m_ftLastWriteRead = {};
    FILETIME m_ftLastAccessRead = {};
    DWORD m_dwAttributesRead = 0;
};
