#include "stamping/LastAccessKept.h"

#include "framework/CHandle.h"

CLastAccessKept::CLastAccessKept(const CString& strExtendedPath) : m_strPath(strExtendedPath)
{
    m_bKnown = ReadLastAccess(m_ftBefore);
}

CLastAccessKept::~CLastAccessKept()
{
    FILETIME now;
    if (!m_bKnown || !ReadLastAccess(now) || CompareFileTime(&now, &m_ftBefore) == 0)
        return;
    CHandle item(CreateFile(m_strPath, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (item.IsOpen())
        SetFileTime(item.Get(), nullptr, &m_ftBefore, nullptr);
}

bool CLastAccessKept::ReadLastAccess(FILETIME& ft) const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesEx(m_strPath, GetFileExInfoStandard, &data))
        return false;
    ft = data.ftLastAccessTime;
    return true;
}
