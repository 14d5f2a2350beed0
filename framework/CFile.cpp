#include "framework/CFile.h"

#include "framework/FileHandle.h"
#include "framework/LongPath.h"

namespace
{
// The bits a program may set with SetFileAttributes and that the record's
// attribute byte speaks for; every other bit is left as the file has it.
constexpr DWORD kRecordBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
// Bits above the low byte that SetFileAttributes accepts and that must
// survive: a cloud file keeps "always keep on this device" (pinned) or
// "free up space" (unpinned) through the read-only bit's round trip.
constexpr DWORD kPinned = 0x00080000;      // FILE_ATTRIBUTE_PINNED
constexpr DWORD kUnpinned = 0x00100000;    // FILE_ATTRIBUTE_UNPINNED
constexpr DWORD kKeptHighBits = FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE |
                                FILE_ATTRIBUTE_TEMPORARY | kPinned | kUnpinned;

[[noreturn]] void ThrowLastError(LPCTSTR pszFileName)
{
    LONG error = static_cast<LONG>(GetLastError());
    throw CFileException(FromExtendedLengthPath(pszFileName), error);
}

DWORD AttributesFor(DWORD current, BYTE record)
{
    DWORD wanted = (current & kKeptHighBits) | (record & kRecordBits);
    return wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL;
}

bool TimeChanged(const CTime& field, const FILETIME& read)
{
    return field != CTime(read);
}

// Writes the changed times; fails only on a platform error.
bool WriteTimes(const CString& path, const CFileStatus& status)
{
    FILETIME creation, lastWrite, lastAccess;
    const FILETIME* pCreation = nullptr;
    const FILETIME* pLastWrite = nullptr;
    const FILETIME* pLastAccess = nullptr;
    if ((status.m_bWriteCreation || TimeChanged(status.m_ctime, status.m_ftCreationRead)) &&
        status.m_ctime.GetAsFileTime(creation))
        pCreation = &creation;
    if ((status.m_bWriteLastWrite || TimeChanged(status.m_mtime, status.m_ftLastWriteRead)) &&
        status.m_mtime.GetAsFileTime(lastWrite))
        pLastWrite = &lastWrite;
    if (TimeChanged(status.m_atime, status.m_ftLastAccessRead) && status.m_atime.GetAsFileTime(lastAccess))
        pLastAccess = &lastAccess;
    if (pCreation == nullptr && pLastWrite == nullptr && pLastAccess == nullptr)
        return true;

    FileHandle file(CreateFile(path, FILE_WRITE_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                               nullptr));
    return file.IsOpen() && SetFileTime(file.Get(), pCreation, pLastAccess, pLastWrite);
}
}

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
    rStatus.m_bWriteCreation = false;
    rStatus.m_bWriteLastWrite = false;
    rStatus.m_ctime = CTime(data.ftCreationTime);
    rStatus.m_mtime = CTime(data.ftLastWriteTime);
    rStatus.m_atime = CTime(data.ftLastAccessTime);
    rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rStatus.m_attribute = static_cast<BYTE>(data.dwFileAttributes & 0xFF);
    return TRUE;
}

void CFile::SetStatus(LPCTSTR pszFileName, const CFileStatus& status)
{
    CString path = ToExtendedLengthPath(pszFileName);
    DWORD current = GetFileAttributes(path);
    if (current == INVALID_FILE_ATTRIBUTES)
        ThrowLastError(path);

    DWORD wanted = AttributesFor(current, status.m_attribute);
    bool attributesDiffer = (current & kRecordBits) != (wanted & kRecordBits);
    bool attributesFirst = attributesDiffer && (current & FILE_ATTRIBUTE_READONLY) != 0;

    if (attributesFirst && !SetFileAttributes(path, wanted))
        ThrowLastError(path);

    if (!WriteTimes(path, status))
    {
        DWORD error = GetLastError();
        if (attributesFirst)
            SetFileAttributes(path, AttributesFor(current, static_cast<BYTE>(current)));
        SetLastError(error);
        ThrowLastError(path);
    }

    if (attributesDiffer && !attributesFirst && !SetFileAttributes(path, wanted))
        ThrowLastError(path);
}
