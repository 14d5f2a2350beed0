// Writing the new stamp time into one file.
#include "main_window/DorvaneDlg.h"

#include "framework/CFile.h"
#include "framework/LongPath.h"

namespace
{
constexpr BYTE kReadOnly = FILE_ATTRIBUTE_READONLY;

// Puts the read-only bit back after the times were written. The status is
// read afresh, so this write changes the attribute and nothing else: the
// times are not written a second time, and cannot fail a second time with
// the bit still off.
void RestoreReadOnly(LPCTSTR pszPath)
{
    CFileStatus written;
    if (!CFile::GetStatus(pszPath, written))
        return;
    written.m_attribute |= kReadOnly;
    CFile::SetStatus(pszPath, written);
}
}

void CDorvaneDlg::StampFile(LPCTSTR pszPath)
{
    bool restoreReadOnly = false;

    // A file that cannot even be read is a file that did not get the time.
    CFileStatus status;
    if (!CFile::GetStatus(pszPath, status))
        throw CFileException(FromExtendedLengthPath(pszPath), static_cast<LONG>(GetLastError()));

    if (m_bChangeModified)
    {
        status.m_mtime = m_stampTime;
        status.m_bWriteLastWrite = true;
    }
    if (m_bChangeCreated)
    {
        status.m_ctime = m_stampTime;
        status.m_bWriteCreation = true;
    }

    if (status.m_attribute & kReadOnly)
    {
        if (!m_bReadOnly)
            return;
        // Only the read-only bit comes off for the write; hidden, system and
        // archive stay as they are.
        restoreReadOnly = true;
        status.m_attribute &= static_cast<BYTE>(~kReadOnly);
    }

    // A failed write throws; SetStatus has then already put back the
    // read-only bit it took off, so the file keeps every attribute it had.
    CFile::SetStatus(pszPath, status);

    if (restoreReadOnly)
        RestoreReadOnly(pszPath);
}
