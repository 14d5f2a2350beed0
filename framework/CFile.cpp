#include "framework/CFile.h"

BOOL CFile::GetStatus(LPCTSTR pszFileName, CFileStatus& rStatus)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesEx(pszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    rStatus.m_ftCreationRead = data.ftCreationTime;
    rStatus.m_ftLastWriteRead = data.ftLastWriteTime;
    rStatus.m_ftLastAccessRead = data.ftLastAccessTime;
    rStatus.m_dwAttributesRead = data.dwFileAttributes;
    return TRUE;
}
