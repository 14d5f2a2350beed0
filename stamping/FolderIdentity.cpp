#include "stamping/FolderIdentity.h"

#include "framework/CHandle.h"

#include <winternl.h>

namespace
{
// Not every SDK names the file-index class of NtQueryInformationFile.
constexpr auto kFileInternalInformation = static_cast<FILE_INFORMATION_CLASS>(6);

// Through any link, to the folder it leads to: that is what a walk enters.
HANDLE OpenFolder(LPCTSTR pszExtendedPath)
{
    return CreateFile(pszExtendedPath, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}
}

bool CFolderIdentity::ReadIndex(HANDLE hItem, std::uint64_t& index) const
{
    IO_STATUS_BLOCK io = {};
    LARGE_INTEGER value = {};
    // Negative status values are errors (what NT_SUCCESS tests, which not
    // every SDK's winternl.h defines).
    if (NtQueryInformationFile(hItem, &io, &value, sizeof(value), kFileInternalInformation) < 0)
        return false;
    index = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

bool CFolderIdentity::ReadVolume(HANDLE hItem, std::uint32_t& volume) const
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(hItem, &info))
        return false;
    volume = info.dwVolumeSerialNumber;
    return true;
}

bool CFolderIdentity::ReadVolumeAt(LPCTSTR pszExtendedPath, std::uint32_t& volume) const
{
    CHandle folder(OpenFolder(pszExtendedPath));
    return folder.IsOpen() && ReadVolume(folder.Get(), volume);
}

bool CFolderIdentity::Enter(LPCTSTR pszExtendedPath)
{
    CHandle folder(OpenFolder(pszExtendedPath));
    return !folder.IsOpen() || !Met(folder.Get(), pszExtendedPath, true);
}

bool CFolderIdentity::Holds(LPCTSTR pszExtendedPath)
{
    CHandle folder(OpenFolder(pszExtendedPath));
    return folder.IsOpen() && Met(folder.Get(), pszExtendedPath, false);
}

bool CFolderIdentity::Enter(HANDLE hItem)
{
    return !Met(hItem, nullptr, true);
}

bool CFolderIdentity::Holds(HANDLE hItem)
{
    return Met(hItem, nullptr, false);
}

bool CFolderIdentity::Met(HANDLE hItem, LPCTSTR pszPath, bool bEnter)
{
    std::uint64_t index = 0;
    std::uint32_t volume = 0;
    if (!ReadIndex(hItem, index))
        return false;
    auto found = m_entered.find(index);
    if (found == m_entered.end())
    {
        if (!bEnter)
            return false;
        CSameIndex& first = m_entered[index];
        if (pszPath != nullptr)
            first.strFirstPath = pszPath;
        else if (ReadVolume(hItem, volume))
            first.volumes.insert(volume);
        return false;
    }
    CSameIndex& same = found->second;
    if (!same.strFirstPath.IsEmpty())
    {
        if (ReadVolumeAt(same.strFirstPath, volume))
            same.volumes.insert(volume);
        same.strFirstPath.Empty();
    }
    if (!ReadVolume(hItem, volume))
        return false;
    return bEnter ? !same.volumes.insert(volume).second : same.volumes.count(volume) != 0;
}
