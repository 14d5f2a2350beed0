#include "stamping/FolderIdentity.h"

bool CFolderIdentity::Enter(LPCTSTR pszExtendedPath)
{
    HANDLE folder = CreateFile(pszExtendedPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return true;
    BY_HANDLE_FILE_INFORMATION info;
    BOOL known = GetFileInformationByHandle(folder, &info);
    CloseHandle(folder);
    if (!known)
        return true;
    std::uint64_t index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return m_entered.insert({info.dwVolumeSerialNumber, index}).second;
}
