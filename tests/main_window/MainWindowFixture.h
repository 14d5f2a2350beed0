// What the window tests share: the application object whose profile (named after this test executable) holds the
// settings, those registry values, the controls of a running main window, and the helpers for real windows.
#pragma once

#include "framework/CWinApp.h"
#include "main_window/DorvaneDlg.h"
#include "resources/resource.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

#include <gtest/gtest.h>
#include <array>
#include <optional>
#include <vector>

CWinApp& TestApp();    // the application object of the test executable, keyed like the program's
std::vector<CString> Split(const CString& text, TCHAR separator);    // none for an empty text
std::array<int, 3> ShapeOf(HICON hIcon);    // an icon's or a cursor's width and hot spot; all -1 for one that is gone

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(), ClearJournals(); }
    void TearDown() override;    // also destroys every window Open made
    // The registry values of the section "Settings". Store takes "Name=value;...": after a quote text, else a number.
    static void Store(const CString& values);
    static std::optional<DWORD> ReadDword(LPCTSTR name);
    static CString ProfileKey() { return _T("Software\\Brannoch\\") + TestApp().m_strProfileName; }
    static CString SettingsKey() { return ProfileKey() + _T("\\Settings"); }
    static void ClearSettings() { ::RegDeleteTree(HKEY_CURRENT_USER, ProfileKey()); }
    static void ClearJournals();    // every Go! leaves one in the user's (here Wine's prefix's) local app data
    void Open(CDorvaneDlg& dlg);    // shown modelessly, OnInitDialog and LoadSettings run
    // Control values of a running dialog.
    static SYSTEMTIME PickerTime(const CDorvaneDlg& dlg, int id) {
        SYSTEMTIME st = {};
        ::SendMessage(dlg.GetDlgItem(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
        return st;
    }
    static CString ComboText(const CDorvaneDlg& dlg) { return CWnd::GetWindowTextOf(dlg.m_comboPath.m_hWnd); }
    static CString History(const CDorvaneDlg& dlg);    // the entries, top first, joined by '|'
    // Clicks a button as the mouse does; whatever the click opens runs until it closes.
    static void Click(const CDorvaneDlg& dlg, int id) { ::SendMessage(dlg.GetDlgItem(id), BM_CLICK, 0, 0); }
    // Waits, the thread's messages flowing, until the run a command started has ended (ten seconds at most).
    static void WaitForRun(const CDorvaneDlg& dlg);
    static void Go(const CDorvaneDlg& dlg) { Click(dlg, IDOK), WaitForRun(dlg); }
    static SYSTEMTIME Local(int year, int month, int day, int hour, int minute, int second) {
        return {WORD(year), WORD(month), 0, WORD(day), WORD(hour), WORD(minute), WORD(second), 0};
    }
};
