// The window of a long run, over the main window: what the run does, the
// folder it is in, how many items it has done, and Stop. It stays hidden for
// the run's first second, so that a run that ends within it shows nothing.
#pragma once

#include "framework/CDialog.h"
#include "main_window/BackgroundRun.h"

class CProgressDlg : public CDialog
{
public:
    static constexpr ULONGLONG kShowAfterMs = 1000;
    static constexpr UINT kRefreshMs = 100;

    // strWhat says what the run does ("Changing the times of the files
    // in:"); strTarget stands for the folder until the run names one.
    CProgressDlg(CBackgroundRun& run, const CString& strWhat, const CString& strTarget);

protected:
    BOOL OnInitDialog() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Stop, the Escape key and the Enter key: the run stops after its item.
    void OnCancel() override;

private:
    void Refresh();
    void ShowOverOwner();
    void SetText(int nID, const CString& strText);

    CBackgroundRun& m_run;
    const CString m_strWhat;
    const CString m_strTarget;
    const ULONGLONG m_nStarted;
};
