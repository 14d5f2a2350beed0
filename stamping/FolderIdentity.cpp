#include "stamping/FolderIdentity.h"

#include "framework/FileHandle.h"

bool CFolderIdentity::Enter(LPCTSTR pszExtendedPath)
{
    FileHandle folder(CreateFile(pszExtendedPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folder.IsOpen() || !GetFileInformationByHandle(folder.Get(), &info))
        return true;
    std::uint64_t index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return m_entered.insert({info.dwVolumeSerialNumber, index}).second;
}
