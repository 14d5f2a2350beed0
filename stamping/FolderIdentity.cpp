#include "stamping/FolderIdentity.h"

#include "framework/FileHandle.h"

#include <winternl.h>

namespace
{
// Not every SDK names the file-index class of NtQueryInformationFile.
constexpr auto kFileInternalInformation = static_cast<FILE_INFORMATION_CLASS>(6);

HANDLE OpenFolder(LPCTSTR pszExtendedPath)
{
    return CreateFile(pszExtendedPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool ReadFileIndex(HANDLE hFolder, std::uint64_t& index)
{
    IO_STATUS_BLOCK io = {};
    LARGE_INTEGER value = {};
    // Negative status values are errors (what NT_SUCCESS tests, which not
    // every SDK's winternl.h defines).
    if (NtQueryInformationFile(hFolder, &io, &value, sizeof(value), kFileInternalInformation) < 0)
        return false;
    index = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

bool ReadVolume(HANDLE hFolder, std::uint32_t& volume)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(hFolder, &info))
        return false;
    volume = info.dwVolumeSerialNumber;
    return true;
}

bool ReadVolume(LPCTSTR pszExtendedPath, std::uint32_t& volume)
{
    FileHandle folder(OpenFolder(pszExtendedPath));
    return folder.IsOpen() && ReadVolume(folder.Get(), volume);
}
}

bool CFolderIdentity::Enter(LPCTSTR pszExtendedPath)
{
    FileHandle folder(OpenFolder(pszExtendedPath));
    std::uint64_t index = 0;
    if (!folder.IsOpen() || !ReadFileIndex(folder.Get(), index))
        return true;

    auto found = m_entered.find(index);
    if (found == m_entered.end())
    {
        m_entered[index].strFirstPath = pszExtendedPath;
        return true;
    }
    CSameIndex& same = found->second;
    std::uint32_t volume = 0;
    if (!same.strFirstPath.IsEmpty())
    {
        if (ReadVolume(same.strFirstPath, volume))
            same.volumes.insert(volume);
        same.strFirstPath.Empty();
    }
    return !ReadVolume(folder.Get(), volume) || same.volumes.insert(volume).second;
}
