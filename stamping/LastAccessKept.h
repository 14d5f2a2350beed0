// Reading a file or listing a folder moves its last-access time wherever the
// volume keeps them, and a timestamp utility must not change a time nobody
// chose just by looking at an item. The time read when the object is made is
// put back, exactly, when it goes, if it moved in between.
#pragma once

#include "framework/CString.h"

class CLastAccessKept
{
public:
    explicit CLastAccessKept(const CString& strExtendedPath);
    ~CLastAccessKept();
    CLastAccessKept(const CLastAccessKept&) = delete;
    CLastAccessKept& operator=(const CLastAccessKept&) = delete;

private:
    bool ReadLastAccess(FILETIME& ft) const;

    CString m_strPath;
    FILETIME m_ftBefore = {};
    bool m_bKnown = false;
};
