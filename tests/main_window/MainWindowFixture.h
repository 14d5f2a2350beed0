// What the main window's tests share: the application object whose profile (named after this test executable)
// holds the settings, direct access to those registry values, and the controls of a running main window.
#pragma once

#include "framework/CWinApp.h"
#include "main_window/DorvaneDlg.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

// The application object of the test executable, keyed like the program's.
CWinApp& TestApp();

// The parts of text between the separators; none for an empty text.
std::vector<CString> Split(const CString& text, TCHAR separator);

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override;  // also destroys every window Open made

    // The registry values of the section "Settings"; WriteRaw stores these bytes with this type.
    static void WriteDword(LPCTSTR name, DWORD value) { WriteRaw(name, REG_DWORD, &value, sizeof(value)); }
    static void WriteText(LPCTSTR name, LPCTSTR value)
    { WriteRaw(name, REG_SZ, value, static_cast<DWORD>((_tcslen(value) + 1) * sizeof(TCHAR))); }
    static void WriteRaw(LPCTSTR name, DWORD type, const void* data, DWORD size)
    { ASSERT_EQ(::RegSetKeyValue(HKEY_CURRENT_USER, SettingsKey(), name, type, data, size), ERROR_SUCCESS); }
    static std::optional<DWORD> ReadDword(LPCTSTR name);
    static std::optional<CString> ReadText(LPCTSTR name);
    static CString SettingsKey() { return TestApp().GetSectionKeyPath(_T("Settings")); }
    static void ClearSettings()
    { ::RegDeleteTree(HKEY_CURRENT_USER, _T("Software\\Brannoch\\") + TestApp().m_strProfileName); }

    // The dialog, shown modelessly (OnInitDialog and LoadSettings run).
    void Open(CDorvaneDlg& dlg);

    // Control values of a running dialog.
    static SYSTEMTIME PickerTime(const CDorvaneDlg& dlg, int nID)
    {
        SYSTEMTIME st = {};
        ::SendMessage(dlg.GetDlgItem(nID), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
        return st;
    }
    static void SetPickerTime(const CDorvaneDlg& dlg, int nID, const SYSTEMTIME& st)
    { EXPECT_TRUE(::SendMessage(dlg.GetDlgItem(nID), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st))); }
    static bool IsChecked(const CDorvaneDlg& dlg, int nID)
    { return ::SendMessage(dlg.GetDlgItem(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static void SetChecked(const CDorvaneDlg& dlg, int nID, bool checked)
    { ::SendMessage(dlg.GetDlgItem(nID), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
    static CString ComboText(const CDorvaneDlg& dlg) { return CWnd::GetWindowTextOf(dlg.m_comboPath.m_hWnd); }
    static void SetComboText(CDorvaneDlg& dlg, LPCTSTR text) { dlg.m_comboPath.SetWindowText(text); }
    static CStringArray ComboList(const CDorvaneDlg& dlg);
    static CString History(const CDorvaneDlg& dlg);  // the entries, top first, joined by '|'
    // Clicks a button as the mouse does; whatever the click opens runs until it closes.
    static void Click(const CDorvaneDlg& dlg, int nID) { ::SendMessage(dlg.GetDlgItem(nID), BM_CLICK, 0, 0); }
    static SYSTEMTIME Local(int year, int month, int day, int hour, int minute, int second)
    { return {WORD(year), WORD(month), 0, WORD(day), WORD(hour), WORD(minute), WORD(second), 0}; }
};
