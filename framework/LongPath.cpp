#include "framework/LongPath.h"

namespace
{
const TCHAR kExtendedPrefix[] = _T("\\\\?\\");
const TCHAR kExtendedUncPrefix[] = _T("\\\\?\\UNC\\");
const TCHAR kDevicePrefix[] = _T("\\\\.\\");

bool StartsWith(const CString& text, LPCTSTR prefix)
{
    int length = static_cast<int>(_tcslen(prefix));
    return text.GetLength() >= length && _tcsncmp(text, prefix, static_cast<size_t>(length)) == 0;
}
}

CString ToFullPath(LPCTSTR pszPath)
{
    if (pszPath == nullptr || *pszPath == 0)
        return CString();
    CString full;
    DWORD needed = GetFullPathName(pszPath, 0, nullptr, nullptr);
    while (needed != 0)
    {
        DWORD written = GetFullPathName(pszPath, needed, full.GetBuffer(static_cast<int>(needed)), nullptr);
        if (written < needed)
        {
            full.ReleaseBuffer(static_cast<int>(written));
            return full;
        }
        needed = written;       // the current folder changed in between: try again
    }
    return CString(pszPath);
}

CString ToExtendedLengthPath(LPCTSTR pszPath)
{
    CString path(pszPath);
    if (path.IsEmpty() || StartsWith(path, kExtendedPrefix) || StartsWith(path, kDevicePrefix))
        return path;
    CString full = ToFullPath(pszPath);
    if (StartsWith(full, kExtendedPrefix) || StartsWith(full, kDevicePrefix))
        return full;
    if (StartsWith(full, _T("\\\\")))
        return kExtendedUncPrefix + full.Mid(2);
    return kExtendedPrefix + full;
}

CString FromExtendedLengthPath(LPCTSTR pszPath)
{
    CString path(pszPath);
    if (StartsWith(path, kExtendedUncPrefix))
        return _T("\\\\") + path.Mid(8);
    if (StartsWith(path, kExtendedPrefix))
        return path.Mid(4);
    return path;
}
