#include "framework/DataExchange.h"

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    return m_pDlgWnd->GetDlgItem(nIDC);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    if (HWND hCtrl = pDX->PrepareCtrl(nIDC))
        rControl.SubclassWindow(hCtrl);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hCombo = pDX->PrepareCtrl(nIDC);
    if (hCombo == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = CWnd::GetWindowTextOf(hCombo);
    else
        ::SetWindowText(hCombo, value);
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    HWND hPicker = pDX->PrepareCtrl(nIDC);
    if (hPicker == nullptr)
        return;
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate)
    {
        if (::SendMessage(hPicker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
            value = CTime(st);
    }
    else if (value.GetAsSystemTime(st))
    {
        ::SendMessage(hPicker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, bool& value)
{
    HWND hButton = pDX->PrepareCtrl(nIDC);
    if (hButton == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = ::SendMessage(hButton, BM_GETCHECK, 0, 0) == BST_CHECKED;
    else
        ::SendMessage(hButton, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}
