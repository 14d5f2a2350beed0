#include "framework/CFile.h"

#include "framework/LongPath.h"

BOOL CFile::GetStatus(LPCTSTR pszFileName, CFileStatus& rStatus)
{
    // An empty name stays empty, which the platform refuses with a reason.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesEx(ToExtendedLengthPath(pszFileName), GetFileExInfoStandard, &data))
        return FALSE;
    rStatus.m_ftCreationRead = data.ftCreationTime;
    rStatus.m_ftLastWriteRead = data.ftLastWriteTime;
    rStatus.m_ftLastAccessRead = data.ftLastAccessTime;
    rStatus.m_dwAttributesRead = data.dwFileAttributes;
    return TRUE;
}
