#include "stamping/LongPath.h"

#include <algorithm>

namespace
{
const TCHAR kExtendedPrefix[] = _T("\\\\?\\");
const TCHAR kExtendedUncPrefix[] = _T("\\\\?\\UNC\\");
const TCHAR kDevicePrefix[] = _T("\\\\.\\");

// No path the platform can name is longer than 32,767 characters. A longer
// text names nothing: Wine would wrap its length round and answer for what
// is left of it, a folder nobody named.
constexpr int kMaxPathLength = 32767;

bool StartsWith(const CString& text, LPCTSTR prefix)
{
    int length = static_cast<int>(_tcslen(prefix));
    return text.GetLength() >= length && _tcsncmp(text, prefix, static_cast<size_t>(length)) == 0;
}

bool IsSeparator(TCHAR ch)
{
    return ch == _T('\\') || ch == _T('/');
}

bool EndsWithSeparator(const CString& path)
{
    return !path.IsEmpty() && IsSeparator(path[path.GetLength() - 1]);
}

// The end of the part at nStart that is not a separator.
int NameEnd(const CString& path, int nStart)
{
    while (nStart < path.GetLength() && !IsSeparator(path[nStart]))
        ++nStart;
    return nStart;
}

// The length of what says where a path starts, a separator after it
// included: "C:\", "C:", "\", "\\server\share\"; 0 for a relative path.
int RootLength(const CString& path)
{
    const int length = path.GetLength();
    int end = 0;
    if (length >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        end = NameEnd(path, std::min(NameEnd(path, 2) + 1, length));
    else if (length >= 2 && path[1] == _T(':'))
        end = 2;
    return end < length && IsSeparator(path[end]) ? end + 1 : end;
}

// The platform's full path, which settles the current folder, that of a
// drive, or the current drive; empty when it fails.
CString PlatformFullPath(const CString& path)
{
    CString full;
    DWORD needed = GetFullPathName(path, 0, nullptr, nullptr);
    while (needed != 0)
    {
        DWORD written = GetFullPathName(path, needed, full.GetBuffer(static_cast<int>(needed)), nullptr);
        if (written < needed)
        {
            full.ReleaseBuffer(static_cast<int>(written));
            return full;
        }
        needed = written;       // the current folder changed in between: try again
    }
    return CString();
}

// The platform settles where the path starts; the names after that are
// taken one by one, "." and ".." resolved, every other name as it is.
CString FullPath(const CString& path)
{
    const int root = RootLength(path);
    CString full = PlatformFullPath(root > 0 ? path.Left(root) : CString(_T(".")));
    if (full.IsEmpty())
        return full;
    const int fullRoot = RootLength(full);
    for (int start = root; start < path.GetLength();)
    {
        const int end = NameEnd(path, start);
        const CString name = path.Mid(start, end - start);
        if (name == _T(".."))
            full.Truncate(std::max(full.ReverseFind(_T('\\')), fullRoot));
        else if (!name.IsEmpty() && name != _T("."))
            full += (EndsWithSeparator(full) ? CString() : CString(_T("\\"))) + name;
        start = end + 1;
    }
    if (EndsWithSeparator(path) && !EndsWithSeparator(full))
        full += _T("\\");
    return full;
}

// A full path in extended-length form.
CString Extended(const CString& full)
{
    // Written with forward slashes, a path in either form only now shows it.
    if (StartsWith(full, kExtendedPrefix) || StartsWith(full, kDevicePrefix))
        return full;
    return StartsWith(full, _T("\\\\")) ? kExtendedUncPrefix + full.Mid(2) : kExtendedPrefix + full;
}

CString NoPath(DWORD dwError)
{
    SetLastError(dwError);
    return CString();
}
}

CString ToExtendedLengthPath(LPCTSTR pszPath)
{
    const CString path(pszPath);
    if (path.IsEmpty())
        return NoPath(ERROR_PATH_NOT_FOUND);
    if (path.GetLength() > kMaxPathLength)
        return NoPath(ERROR_FILENAME_EXCED_RANGE);
    if (StartsWith(path, kExtendedPrefix) || StartsWith(path, kDevicePrefix))
        return path;
    const CString full = FullPath(path);
    if (full.IsEmpty())
        return full;    // the platform's reason stands
    const CString extended = Extended(full);
    return extended.GetLength() > kMaxPathLength ? NoPath(ERROR_FILENAME_EXCED_RANGE) : extended;
}

CString FromExtendedLengthPath(LPCTSTR pszPath)
{
    const CString path(pszPath);
    if (StartsWith(path, kExtendedUncPrefix))
        return _T("\\\\") + path.Mid(8);
    const bool bDrive = path.GetLength() >= 6 && StartsWith(path, kExtendedPrefix) && path[5] == _T(':');
    return bDrive ? path.Mid(4) : path;
}
