#include "main_window/ProgressDlg.h"

#include "framework/NumberFormat.h"
#include "resources/resource.h"

namespace
{
constexpr UINT_PTR kRefreshTimer = 1;
}

CProgressDlg::CProgressDlg(CBackgroundRun& run, const CString& strWhat, const CString& strTarget)
    : CDialog(IDD_PROGRESS), m_run(run), m_strWhat(strWhat), m_strTarget(strTarget), m_nStarted(GetTickCount64())
{
}

BOOL CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetText(IDC_PROGRESS_WHAT, m_strWhat);
    ::SendMessage(GetDlgItem(IDC_PROGRESS_BAR), PBM_SETMARQUEE, TRUE, 0);
    Refresh();
    ::SetTimer(m_hWnd, kRefreshTimer, kRefreshMs, nullptr);
    return TRUE;
}

BOOL CProgressDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_TIMER || wParam != kRefreshTimer)
        return CDialog::OnWndMsg(message, wParam, lParam, pResult);
    Refresh();
    if (!IsWindowVisible() && GetTickCount64() - m_nStarted >= kShowAfterMs)
        ShowOverOwner();
    *pResult = 0;
    return TRUE;
}

void CProgressDlg::OnCancel()
{
    m_run.Stop();
    ::EnableWindow(GetDlgItem(IDCANCEL), FALSE);
    Refresh();
}

void CProgressDlg::Refresh()
{
    const CString folder = m_run.Folder();
    SetText(IDC_PROGRESS_FOLDER, folder.IsEmpty() ? m_strTarget : folder);
    const ULONGLONG nItems = m_run.ItemsDone();
    CString count = FormatCount(nItems) + (nItems == 1 ? _T(" item done") : _T(" items done"));
    if (m_run.IsStopping())
        count += _T(", stopping...");
    SetText(IDC_PROGRESS_COUNT, count);
}

// Centred over the main window, which stays usable beside it.
void CProgressDlg::ShowOverOwner()
{
    CRect owner, own;
    ::GetWindowRect(GetParent(), &owner);
    GetWindowRect(&own);
    SetWindowPos(nullptr, owner.left + (owner.Width() - own.Width()) / 2,
                 owner.top + (owner.Height() - own.Height()) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOW);
}

// Only a text that changed is set, so that the window does not flicker.
void CProgressDlg::SetText(int nID, const CString& strText)
{
    HWND hControl = GetDlgItem(nID);
    if (GetWindowTextOf(hControl) != strText)
        ::SetWindowText(hControl, strText);
}
