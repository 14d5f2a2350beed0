#include "framework/CFile.h"

#include "framework/LongPath.h"

BOOL CFile::GetStatus(LPCTSTR pszFileName, CFileStatus& rStatus)
{
    CString path = ToExtendedLengthPath(pszFileName);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.IsEmpty() || !GetFileAttributesEx(path, GetFileExInfoStandard, &data))
        return FALSE;

    rStatus.m_ftCreationRead = data.ftCreationTime;
    rStatus.m_ftLastWriteRead = data.ftLastWriteTime;
    rStatus.m_ftLastAccessRead = data.ftLastAccessTime;
    rStatus.m_dwAttributesRead = data.dwFileAttributes;
    rStatus.m_ctime = CTime(data.ftCreationTime);
    rStatus.m_mtime = CTime(data.ftLastWriteTime);
    rStatus.m_atime = CTime(data.ftLastAccessTime);
    rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rStatus.m_attribute = static_cast<BYTE>(data.dwFileAttributes & 0xFF);
    return TRUE;
}
