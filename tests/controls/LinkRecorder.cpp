// Stands in for a web browser in the link launcher's tests: writes the
// command line it was started with, as UTF-16 text, to the file that the
// environment variable DORVANE_LINK_RECORD names. The file is written under
// another name and then renamed, so that a test waiting for it never reads
// half of it.
#include "framework/Win32.h"

#include <string>
#include <vector>

int main()
{
    DWORD nSize = ::GetEnvironmentVariable(_T("DORVANE_LINK_RECORD"), nullptr, 0);
    if (nSize == 0)
        return 2;
    std::vector<TCHAR> path(nSize);
    ::GetEnvironmentVariable(_T("DORVANE_LINK_RECORD"), path.data(), nSize);
    std::basic_string<TCHAR> finalPath(path.data());
    std::basic_string<TCHAR> partPath = finalPath + _T(".part");

    HANDLE hFile = ::CreateFile(partPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 3;
    LPCTSTR pszCommandLine = ::GetCommandLine();
    DWORD cbWritten = 0;
    BOOL bWritten = ::WriteFile(hFile, pszCommandLine, static_cast<DWORD>(lstrlen(pszCommandLine) * sizeof(TCHAR)),
                                &cbWritten, nullptr);
    ::CloseHandle(hFile);
    if (!bWritten)
        return 4;
    return ::MoveFileEx(partPath.c_str(), finalPath.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}
