// Stands in for a web browser in the link tests: records in the registry the command line it got.
#include "framework/Win32.h"

int main()
{
    LPCTSTR pszCommandLine = ::GetCommandLine();
    return ::RegSetKeyValue(HKEY_CURRENT_USER, _T("Software\\DorvaneLinkRecorder"), nullptr, REG_SZ, pszCommandLine,
                            (lstrlen(pszCommandLine) + 1) * sizeof(TCHAR));
}
