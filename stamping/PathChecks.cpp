#include "stamping/PathChecks.h"

#include "framework/CComPtr.h"
#include "framework/CHandle.h"
#include "stamping/LongPath.h"
#include "stamping/LastAccessKept.h"

#include <cstring>
#include <vector>

namespace
{
// Longest path a link can record; GetPath cuts a longer one off rather than
// writing beyond the buffer.
constexpr int kMaxLinkPath = 32768;

// Every shell link begins with its header's size and its class identifier.
constexpr BYTE kShellLinkHeader[20] = {0x4C, 0x00, 0x00, 0x00, 0x01, 0x14, 0x02, 0x00, 0x00, 0x00,
                                       0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Opens a file for reading its first bytes, with last-access updates
// suspended on the handle where the platform allows it.
HANDLE OpenForPeeking(const CString& strExtendedPath)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE hFile = CreateFile(strExtendedPath, GENERIC_READ | FILE_WRITE_ATTRIBUTES, share, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return CreateFile(strExtendedPath, GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME suspend = {0xFFFFFFFF, 0xFFFFFFFF};
    SetFileTime(hFile, nullptr, &suspend, nullptr);
    return hFile;
}

// Only a file that begins as a shell link is handed to the shell to load,
// so an ordinary file is never read beyond these bytes.
bool BeginsAsShellLink(const CString& strExtendedPath)
{
    DWORD attributes = GetFileAttributes(strExtendedPath);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    CHandle file(OpenForPeeking(strExtendedPath));
    BYTE header[sizeof(kShellLinkHeader)] = {};
    DWORD read = 0;
    return file.IsOpen() && ReadFile(file.Get(), header, sizeof(header), &read, nullptr) &&
           read == sizeof(header) && std::memcmp(header, kShellLinkHeader, sizeof(header)) == 0;
}
}

CString PathChecks::ResolveShortcut(LPCTSTR pszPath)
{
    CString result;
    const CString extended = ToExtendedLengthPath(pszPath);
    if (extended.IsEmpty())
        return result;
    // Peeking at the file and the shell's loading of it both read it; its
    // access time is put back once the link is let go (declared first, the
    // keeper goes last).
    const CLastAccessKept keep(extended);
    if (!BeginsAsShellLink(extended))
        return result;

    CComPtr<IShellLink> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLink,
                                link.Out())))
        return result;

    CComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out())))
        return result;

    // Whether the file is a shortcut is for its contents to say; the name's
    // extension plays no part. The shell gets the extended-length form, the
    // one that opens at any length and keeps a name's trailing dot.
    if (FAILED(file->Load(extended, STGM_READ)))
        return result;

    std::vector<TCHAR> target(kMaxLinkPath, 0);
    WIN32_FIND_DATA unused;
    link->GetPath(target.data(), kMaxLinkPath, &unused, SLGP_UNCPRIORITY);
    target.back() = 0;
    result = target.data();
    return result;
}

PathChecks::Kind PathChecks::KindOf(LPCTSTR pszPath, DWORD* pdwAttributes)
{
    // The platform's own attribute query, in extended-length form, answers
    // for paths of any length (the C runtime's _stat gives up at 260
    // characters, and on a folder path with a trailing separator).
    const CString extended = ToExtendedLengthPath(pszPath);
    const DWORD attributes = extended.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributes(extended);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Kind::Nothing;
    if (pdwAttributes != nullptr)
        *pdwAttributes = attributes;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::Folder : Kind::File;
}

CString PathChecks::TargetOf(LPCTSTR pszPath)
{
    const CString target = ResolveShortcut(pszPath);
    return target.IsEmpty() ? CString(pszPath) : target;
}
