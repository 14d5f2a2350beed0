#include "framework/CDialog.h"

#include "framework/DataExchange.h"
#include "framework/ReportException.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog() = default;

INT_PTR CALLBACK CDialog::DialogProc(HWND hDlg, UINT message, WPARAM, LPARAM lParam)
{
    // The return-value rules of CDialog.h: after WM_INITDIALOG the subclass
    // in front of DefDlgProc answers every message itself.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto pDlg = reinterpret_cast<CDialog*>(lParam);
    if (!pDlg->SubclassWindow(hDlg))
        return TRUE;
    try
    {
        return pDlg->OnInitDialog();
    }
    catch (...)
    {
        ReportException();
        return TRUE;
    }
}

HWND CDialog::CreateFromTemplate(HWND hWndOwner)
{
    m_bModalEnded = false;
    m_nModalResult = -1;
    ::CreateDialogParam(::GetModuleHandle(nullptr), MAKEINTRESOURCE(m_nIDTemplate), hWndOwner,
                        &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return m_hWnd;
}

BOOL CDialog::Create(CWnd* pOwner)
{
    if (m_hWnd != nullptr)
        return FALSE;
    if (CreateFromTemplate(pOwner != nullptr ? pOwner->m_hWnd : nullptr) == nullptr)
        return FALSE;
    TakeOwnership();
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd != nullptr)
        return -1;
    HWND hWndOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    if (hWndOwner != nullptr)
        hWndOwner = ::GetAncestor(hWndOwner, GA_ROOT);
    const bool bOwnerWasEnabled = hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner);
    if (bOwnerWasEnabled)
        ::EnableWindow(hWndOwner, FALSE);

    if (CreateFromTemplate(hWndOwner) == nullptr)
    {
        if (bOwnerWasEnabled)
            ::EnableWindow(hWndOwner, TRUE);
        return -1;
    }
    if (!m_bModalEnded && !IsWindowVisible())
        ShowWindow(SW_SHOWNORMAL);
    RunModalLoop();
    EndModal(hWndOwner, bOwnerWasEnabled);
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    const HWND hDlg = m_hWnd;
    MSG msg;
    while (!m_bModalEnded && m_hWnd == hDlg)
    {
        BOOL bGot = ::GetMessage(&msg, nullptr, 0, 0);
        if (bGot == 0)
        {
            // WM_QUIT belongs to the loop outside this dialog.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (bGot == -1)
            return;
        bool bConsumed;
        try
        {
            bConsumed = WalkPreTranslateTree(hDlg, &msg);
        }
        catch (...)
        {
            ReportException();
            bConsumed = true;
        }
        if (!bConsumed)
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

void CDialog::EndModal(HWND hWndOwner, bool bOwnerWasEnabled)
{
    // The owner is enabled and active again before the dialog goes, so the
    // activation does not pass to another program's window meanwhile.
    if (bOwnerWasEnabled)
        ::EnableWindow(hWndOwner, TRUE);
    if (m_hWnd == nullptr)
        return;
    if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    ::DestroyWindow(m_hWnd);
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bModalEnded = true;
}

void CDialog::UpdateData(bool bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    bool bInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                  (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!bInput || m_hWnd == nullptr)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    // BN_CLICKED is also the code of a menu command.
    if (HIWORD(wParam) != BN_CLICKED || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL))
        return FALSE;
    if (LOWORD(wParam) == IDOK)
        OnOK();
    else
        OnCancel();
    return TRUE;
}

void CDialog::OnClose()
{
    OnCancel();
}
