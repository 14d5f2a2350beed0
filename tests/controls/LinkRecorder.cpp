// Stands in for a web browser in the link tests: writes the command line it
// got to the file DORVANE_LINK_RECORD names, aside first and then renamed, so
// that a reader never sees half of it.
#include "framework/Win32.h"

int main()
{
    TCHAR path[MAX_PATH] = {};
    TCHAR part[MAX_PATH + 8] = {};
    ::GetEnvironmentVariable(_T("DORVANE_LINK_RECORD"), path, MAX_PATH);
    HANDLE hFile = ::CreateFile(lstrcat(lstrcpy(part, path), _T(".part")), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD cbWritten = 0;
    ::WriteFile(hFile, ::GetCommandLine(), lstrlen(::GetCommandLine()) * sizeof(TCHAR), &cbWritten, nullptr);
    ::CloseHandle(hFile);
    return ::MoveFileEx(part, path, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
