// The test dialog of the window layer's tests (IDD_TEST_DIALOG), with
// control objects that record what reaches them and can be told to take or
// decline their reflected notifications.
#pragma once

#include "framework/CButton.h"
#include "framework/CComboBox.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/DataExchange.h"
#include "tests/framework/WindowTestResource.h"

#include <functional>
#include <utility>
#include <vector>

class CRecordingCombo : public CComboBox
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PreSubclassWindow() override { ++m_nPreSubclassCount; }

    BOOL m_bTakeEditUpdate = TRUE;
    UINT m_nConsumeKey = 0;             // a WM_KEYDOWN key PreTranslateMessage consumes
    UINT m_nNotifyCode = 0;             // a WM_NOTIFY code taken with m_lNotifyResult
    LRESULT m_lNotifyResult = 0;
    int m_nPreSubclassCount = 0;
    int m_nEditUpdates = 0;
    std::vector<MSG> m_keyDowns;        // WM_KEYDOWN seen before dispatch, any window
};

class CRecordingLabel : public CStatic
{
public:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    HBRUSH CtlColor(HDC hDC, UINT nCtlColor) override;

    BOOL m_bTakeClicks = TRUE;
    HBRUSH m_hBrush = nullptr;          // CtlColor's answer; nullptr declines
    int m_nClicks = 0;
    int m_nCtlColors = 0;
    UINT m_nLastCtlColor = 0xFFFF;
};

class CRecordingButton : public CButton
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL m_bTakeDrawItem = TRUE;
    int m_nDrawn = 0;
    UINT m_nLastCtlID = 0;
    HWND m_hLastItem = nullptr;
};

class CTestDialog : public CDialog
{
public:
    // A message the dialog answers with kCustomResult.
    static constexpr UINT kCustomMessage = WM_APP + 1;
    static constexpr LRESULT kCustomResult = 4242;

    explicit CTestDialog(CWnd* pParent = nullptr) : CDialog(IDD_TEST_DIALOG, pParent) {}

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CRecordingCombo m_combo;
    CRecordingLabel m_label;
    CRecordingButton m_drawn;

    CString m_strText;
    CTime m_date = CTime::Invalid();
    BOOL m_bCheck = FALSE;

    // Runs (and may throw) when the "Plain" button is clicked.
    std::function<void()> m_onPlain;
    // Runs (and may throw) inside OnInitDialog, after the base.
    std::function<void()> m_onInit;

    int m_nInitDialog = 0;
    int m_nOK = 0;
    int m_nCancel = 0;
    // WM_COMMAND notifications from controls that reached the dialog: (id, code).
    std::vector<std::pair<int, int>> m_commands;
    int m_nDrawItems = 0;
    int m_nCtlColorStatic = 0;

    bool SawCommand(int nID, int nCode) const;
};
