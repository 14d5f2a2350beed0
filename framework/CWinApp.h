// The application object: the program's name and its settings under
//   HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>
// where the profile name is the executable's file name without extension.
//
// Exactly one exists per process (a global in the program, a local in a
// test); AfxGetApp() returns it. The process entry calls AfxWinMain, which
// runs InitInstance and ends when it returns.
#pragma once

#include "framework/CString.h"

class CWinApp
{
public:
    // A null name means "the executable's file name without its extension".
    explicit CWinApp(LPCTSTR pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the program; what it returns is not looked at.
    virtual BOOL InitInstance() { return FALSE; }

    // Settings go to the registry key Software\<pszRegistryKey>\<profile name>.
    void SetRegistryKey(LPCTSTR pszRegistryKey);

    // Values of another registry type than asked for read as absent, and a
    // text is always read whole and terminated, whatever is stored.
    UINT GetProfileInt(LPCTSTR pszSection, LPCTSTR pszEntry, int nDefault);
    CString GetProfileString(LPCTSTR pszSection, LPCTSTR pszEntry, LPCTSTR pszDefault = nullptr);
    BOOL WriteProfileInt(LPCTSTR pszSection, LPCTSTR pszEntry, int nValue);
    BOOL WriteProfileString(LPCTSTR pszSection, LPCTSTR pszEntry, LPCTSTR pszValue);

    CString m_strAppName;
    CString m_strRegistryKey;
    CString m_strProfileName;

private:
    // Software\Key\Profile\Section.
    CString SectionKeyPath(LPCTSTR pszSection) const;
};

CWinApp* AfxGetApp();
// The application's name, for captions; the executable's name when no
// application object exists.
CString AfxGetAppName();
// Runs the application object; the program's wWinMain calls it.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
