// The path checks of the target combo: they need no window.
#include "target_entry/PathCombo.h"

#include "framework/ComPtr.h"
#include "framework/LongPath.h"

#include <sys/stat.h>

#include <vector>

namespace
{
// Longest path a link can record; GetPath cuts a longer one off rather than
// writing beyond the buffer.
constexpr int kMaxLinkPath = 32768;

// No path the platform can name is longer than 32,767 characters. A longer
// text names nothing; Wine would cut it short and answer for what is left.
constexpr size_t kMaxPathText = 32767;

bool IsTooLongForAPath(LPCTSTR pszPath)
{
    return _tcsnlen(pszPath, kMaxPathText + 1) > kMaxPathText;
}
}

CString CPathCombo::ResolveShortcut(LPCTSTR pszPath)
{
    CString result;
    if (pszPath == nullptr || *pszPath == 0 || IsTooLongForAPath(pszPath))
        return result;

    ComPtr<IShellLink> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLink,
                                link.Out())))
        return result;

    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out())))
        return result;

    // Loading is the only test of whether the file is a shortcut; the name's
    // extension plays no part.
    if (FAILED(file->Load(pszPath, STGM_READ)))
        return result;

    std::vector<TCHAR> target(kMaxLinkPath, 0);
    WIN32_FIND_DATA unused;
    link->GetPath(target.data(), kMaxLinkPath, &unused, SLGP_UNCPRIORITY);
    target.back() = 0;
    result = target.data();
    return result;
}

UINT CPathCombo::GetPathMode(LPCTSTR pszPath)
{
    if (pszPath == nullptr || IsTooLongForAPath(pszPath))
        return 0;
    CString path = ResolveShortcut(pszPath);
    if (path.IsEmpty())
        path = pszPath;

    // The platform's own attribute query, in extended-length form, answers
    // for paths of any length (the C runtime's _stat gives up at 260
    // characters, and on a folder path with a trailing separator).
    CString extended = ToExtendedLengthPath(path);
    DWORD attributes = extended.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributes(extended);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return 0;

    UINT mode = _S_IREAD | _S_IEXEC;
    if ((attributes & FILE_ATTRIBUTE_READONLY) == 0)
        mode |= _S_IWRITE;
    mode |= (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? _S_IFDIR : _S_IFREG;
    return mode;
}

BOOL CPathCombo::IsFolder(LPCTSTR pszPath)
{
    return (GetPathMode(pszPath) & _S_IFDIR) != 0;
}

BOOL CPathCombo::PathExists(LPCTSTR pszPath)
{
    return GetPathMode(pszPath) != 0;
}
