#include "tests/main_window/MainWindowFixture.h"

#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

CWinApp& TestApp()
{
    static CWinApp app(_T("Dorvane"));
    static bool keyed = false;
    if (!keyed)
    {
        app.SetRegistryKey(_T("Brannoch"));
        keyed = true;
    }
    return app;
}

void MainWindowTest::SetUp()
{
    TestApp();
    ClearSettings();
}

void MainWindowTest::TearDown()
{
    ClearSettings();
}

CString MainWindowTest::SettingsKey()
{
    return TestApp().GetSectionKeyPath(_T("Settings"));
}

void MainWindowTest::ClearSettings()
{
    CString profile = _T("Software\\Brannoch\\") + TestApp().m_strProfileName;
    RegDeleteTree(HKEY_CURRENT_USER, profile);
}

void MainWindowTest::WriteRaw(LPCTSTR name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, SettingsKey(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                             nullptr),
              ERROR_SUCCESS);
    RegSetValueEx(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void MainWindowTest::WriteDword(LPCTSTR name, DWORD value)
{
    WriteRaw(name, REG_DWORD, &value, sizeof(value));
}

void MainWindowTest::WriteText(LPCTSTR name, LPCTSTR value)
{
    WriteRaw(name, REG_SZ, value, static_cast<DWORD>((_tcslen(value) + 1) * sizeof(TCHAR)));
}

std::optional<DWORD> MainWindowTest::ReadDword(LPCTSTR name)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValue(HKEY_CURRENT_USER, SettingsKey(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::optional<CString> MainWindowTest::ReadText(LPCTSTR name)
{
    TCHAR buffer[4096] = {};
    DWORD size = sizeof(buffer);
    if (RegGetValue(HKEY_CURRENT_USER, SettingsKey(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return CString(buffer);
}

void MainWindowTest::Open(CDorvaneDlg& dlg)
{
    ASSERT_TRUE(dlg.Create(IDD_DORVANE_DIALOG, nullptr));
    testsupport::PumpMessages();
}

SYSTEMTIME MainWindowTest::PickerTime(const CDorvaneDlg& dlg, int nID)
{
    SYSTEMTIME st = {};
    ::SendMessage(dlg.GetDlgItem(nID), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

void MainWindowTest::SetPickerTime(const CDorvaneDlg& dlg, int nID, const SYSTEMTIME& st)
{
    EXPECT_TRUE(::SendMessage(dlg.GetDlgItem(nID), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)));
}

bool MainWindowTest::IsChecked(const CDorvaneDlg& dlg, int nID)
{
    return ::SendMessage(dlg.GetDlgItem(nID), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindowTest::SetChecked(const CDorvaneDlg& dlg, int nID, bool checked)
{
    ::SendMessage(dlg.GetDlgItem(nID), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

CString MainWindowTest::ComboText(const CDorvaneDlg& dlg)
{
    CString text;
    const_cast<CPathCombo&>(dlg.m_comboPath).GetWindowText(text);
    return text;
}

void MainWindowTest::SetComboText(CDorvaneDlg& dlg, LPCTSTR text)
{
    dlg.m_comboPath.SetWindowText(text);
}

CStringArray MainWindowTest::ComboList(const CDorvaneDlg& dlg)
{
    CStringArray list;
    for (int i = 0; i < dlg.m_comboPath.GetCount(); ++i)
    {
        CString entry;
        dlg.m_comboPath.GetLBText(i, entry);
        list.Add(entry);
    }
    return list;
}

SYSTEMTIME MainWindowTest::Local(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    return st;
}
