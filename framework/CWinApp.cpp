#include "framework/CWinApp.h"

#include "framework/Registry.h"

#include <iterator>

namespace
{
CWinApp* g_pApp = nullptr;

CString ExecutableBaseName()
{
    TCHAR buffer[MAX_PATH * 4];
    DWORD length = GetModuleFileName(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    CString path(buffer, static_cast<int>(length));
    CString name = path.Mid(path.ReverseFind(_T('\\')) + 1);
    int dot = name.ReverseFind(_T('.'));
    return dot > 0 ? name.Left(dot) : name;
}
}

CWinApp::CWinApp(LPCTSTR pszAppName)
    : m_strAppName(pszAppName != nullptr ? CString(pszAppName) : ExecutableBaseName()),
      m_strProfileName(ExecutableBaseName())
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::SetRegistryKey(LPCTSTR pszRegistryKey)
{
    m_strRegistryKey = pszRegistryKey;
}

CString CWinApp::SectionKeyPath(LPCTSTR pszSection) const
{
    return _T("Software\\") + m_strRegistryKey + _T("\\") + m_strProfileName + _T("\\") + pszSection;
}

UINT CWinApp::GetProfileInt(LPCTSTR pszSection, LPCTSTR pszEntry, int nDefault)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    LONG result = RegGetValue(HKEY_CURRENT_USER, SectionKeyPath(pszSection), pszEntry,
                              RRF_RT_REG_DWORD, nullptr, &value, &size);
    return result == ERROR_SUCCESS ? value : static_cast<UINT>(nDefault);
}

CString CWinApp::GetProfileString(LPCTSTR pszSection, LPCTSTR pszEntry, LPCTSTR pszDefault)
{
    CString value(pszDefault);
    RegReadString(HKEY_CURRENT_USER, SectionKeyPath(pszSection), pszEntry, value);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR pszSection, LPCTSTR pszEntry, int nValue)
{
    const DWORD value = static_cast<DWORD>(nValue);
    return ::RegSetKeyValue(HKEY_CURRENT_USER, SectionKeyPath(pszSection), pszEntry, REG_DWORD, &value,
                            sizeof(value)) == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCTSTR pszSection, LPCTSTR pszEntry, LPCTSTR pszValue)
{
    const CString value(pszValue);
    const DWORD bytes = static_cast<DWORD>((value.GetLength() + 1) * sizeof(TCHAR));
    return ::RegSetKeyValue(HKEY_CURRENT_USER, SectionKeyPath(pszSection), pszEntry, REG_SZ, value.GetString(),
                            bytes) == ERROR_SUCCESS;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CString AfxGetAppName()
{
    return g_pApp != nullptr ? g_pApp->m_strAppName : ExecutableBaseName();
}

int AfxWinMain(HINSTANCE /*hInstance*/, HINSTANCE /*hPrevInstance*/, LPTSTR /*lpCmdLine*/, int /*nCmdShow*/)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    // There is no message loop of the application's own: InitInstance runs
    // the program (a modal dialog) and the process ends when it returns.
    app->InitInstance();
    return 0;
}
