// What the main window's tests share: the application object whose profile
// (named after this test executable) holds the settings, direct access to
// those registry values, and the controls of a running main window.
#pragma once

#include "framework/CWinApp.h"
#include "main_window/DorvaneDlg.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <optional>

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The registry values of the section "Settings".
    static void WriteDword(LPCTSTR name, DWORD value);
    static void WriteText(LPCTSTR name, LPCTSTR value);
    // A value of the given type with these raw bytes.
    static void WriteRaw(LPCTSTR name, DWORD type, const void* data, DWORD size);
    static std::optional<DWORD> ReadDword(LPCTSTR name);
    static std::optional<CString> ReadText(LPCTSTR name);
    static CString SettingsKey();
    static void ClearSettings();

    // The dialog, shown modelessly (OnInitDialog and LoadSettings run).
    void Open(CDorvaneDlg& dlg);

    // Control values of a running dialog.
    static SYSTEMTIME PickerTime(const CDorvaneDlg& dlg, int nID);
    static void SetPickerTime(const CDorvaneDlg& dlg, int nID, const SYSTEMTIME& st);
    static bool IsChecked(const CDorvaneDlg& dlg, int nID);
    static void SetChecked(const CDorvaneDlg& dlg, int nID, bool checked);
    static CString ComboText(const CDorvaneDlg& dlg);
    static void SetComboText(CDorvaneDlg& dlg, LPCTSTR text);
    static CStringArray ComboList(const CDorvaneDlg& dlg);

    static SYSTEMTIME Local(int year, int month, int day, int hour, int minute, int second);
};

// The application object of the test executable, keyed like the program's.
CWinApp& TestApp();
