#include "tests/controls/HtmClassRegistration.h"

#include <gtest/gtest.h>

namespace
{
const LPCTSTR kHtmKey = _T(".htm");

CString DefaultValueUnder(HKEY hRoot, LPCTSTR pszSubKey)
{
    DWORD cbValue = 0;
    if (::RegGetValue(hRoot, pszSubKey, nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &cbValue) != ERROR_SUCCESS)
        return CString();
    std::vector<TCHAR> value(cbValue / sizeof(TCHAR) + 1);
    cbValue = static_cast<DWORD>(value.size() * sizeof(TCHAR));
    if (::RegGetValue(hRoot, pszSubKey, nullptr, RRF_RT_REG_SZ, nullptr, value.data(), &cbValue) != ERROR_SUCCESS)
        return CString();
    return CString(value.data());
}

void WriteDefault(HKEY hRoot, const CString& strSubKey, DWORD dwType, const BYTE* pData, DWORD cbData)
{
    HKEY hKey = nullptr;
    LONG lResult = ::RegCreateKeyEx(hRoot, strSubKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr);
    ASSERT_EQ(lResult, ERROR_SUCCESS) << "cannot create a test registry key";
    lResult = ::RegSetValueEx(hKey, nullptr, 0, dwType, pData, cbData);
    ::RegCloseKey(hKey);
    ASSERT_EQ(lResult, ERROR_SUCCESS) << "cannot write a test registry value";
}

void WriteDefaultText(HKEY hRoot, const CString& strSubKey, const CString& strValue, DWORD dwType, bool bTerminated)
{
    DWORD cbData = static_cast<DWORD>((strValue.GetLength() + (bTerminated ? 1 : 0)) * sizeof(TCHAR));
    WriteDefault(hRoot, strSubKey, dwType, reinterpret_cast<const BYTE*>(strValue.GetString()), cbData);
}
}

HtmClassRegistration::HtmClassRegistration(const CString& strClassName) : m_strClassName(strClassName)
{
    Root user;
    user.hRoot = HKEY_CURRENT_USER;
    user.strPrefix = _T("Software\\Classes\\");
    Register(user);
    m_roots.push_back(user);
    if (DefaultValueUnder(HKEY_CLASSES_ROOT, kHtmKey) != m_strClassName)
    {
        Root classes;
        classes.hRoot = HKEY_CLASSES_ROOT;
        Register(classes);
        m_roots.push_back(classes);
    }
    EXPECT_EQ(DefaultValueUnder(HKEY_CLASSES_ROOT, kHtmKey), m_strClassName);
}

HtmClassRegistration::~HtmClassRegistration()
{
    for (const Root& root : m_roots)
        Restore(root);
}

void HtmClassRegistration::SetOpenCommand(const CString& strCommand, DWORD dwType, bool bTerminated)
{
    for (const Root& root : m_roots)
        WriteDefaultText(root.hRoot, CommandKey(root), strCommand, dwType, bTerminated);
}

void HtmClassRegistration::SetEmptyCommandKey()
{
    for (const Root& root : m_roots)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(::RegCreateKeyEx(root.hRoot, CommandKey(root), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey,
                                   nullptr),
                  ERROR_SUCCESS);
        ::RegCloseKey(hKey);
    }
}

void HtmClassRegistration::Register(Root& root)
{
    CString strHtmKey = root.strPrefix + kHtmKey;
    HKEY hKey = nullptr;
    if (::RegOpenKeyEx(root.hRoot, strHtmKey, 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS)
    {
        root.bHtmExisted = true;
        DWORD cbValue = 0;
        if (::RegQueryValueEx(hKey, nullptr, nullptr, &root.dwDefaultType, nullptr, &cbValue) == ERROR_SUCCESS)
        {
            root.defaultValue.resize(cbValue);
            root.bHadDefault = ::RegQueryValueEx(hKey, nullptr, nullptr, &root.dwDefaultType,
                                                 root.defaultValue.data(), &cbValue) == ERROR_SUCCESS;
            root.defaultValue.resize(cbValue);
        }
        ::RegCloseKey(hKey);
    }
    WriteDefaultText(root.hRoot, strHtmKey, m_strClassName, REG_SZ, true);
    // The class key itself, without an open command.
    HKEY hClass = nullptr;
    ASSERT_EQ(::RegCreateKeyEx(root.hRoot, root.strPrefix + m_strClassName, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                               &hClass, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(hClass);
}

void HtmClassRegistration::Restore(const Root& root) const
{
    CString strHtmKey = root.strPrefix + kHtmKey;
    if (!root.bHtmExisted)
    {
        ::RegDeleteTree(root.hRoot, strHtmKey);
        ::RegDeleteKey(root.hRoot, strHtmKey);
    }
    else if (root.bHadDefault)
    {
        WriteDefault(root.hRoot, strHtmKey, root.dwDefaultType, root.defaultValue.data(),
                     static_cast<DWORD>(root.defaultValue.size()));
    }
    else
    {
        ::RegDeleteKeyValue(root.hRoot, strHtmKey, nullptr);
    }

    int nSeparator = m_strClassName.Find(_T('\\'));
    CString strOwnKey = root.strPrefix + (nSeparator < 0 ? m_strClassName : m_strClassName.Left(nSeparator));
    ::RegDeleteTree(root.hRoot, strOwnKey);
    ::RegDeleteKey(root.hRoot, strOwnKey);
}

CString HtmClassRegistration::CommandKey(const Root& root) const
{
    return root.strPrefix + m_strClassName + _T("\\shell\\open\\command");
}
