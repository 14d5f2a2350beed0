#include "tests/target_entry/ComboTestDialog.h"

#include "framework/DataExchange.h"
#include "tests/target_entry/ComboTestResource.h"

CComboTestDialog::CComboTestDialog() : CDialog(IDD_COMBO_TEST)
{
}

void CComboTestDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_COMBO_PATH, m_combo);
}

HWND CComboTestDialog::GetEdit() const
{
    return ::FindWindowEx(m_combo.m_hWnd, nullptr, _T("Edit"), nullptr);
}

std::vector<CString> CComboTestDialog::GetEntries() const
{
    std::vector<CString> entries;
    const int nCount = m_combo.GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        CString entry;
        m_combo.GetLBText(i, entry);
        entries.push_back(entry);
    }
    return entries;
}

CString CComboTestDialog::GetEditText() const
{
    return CWnd::GetWindowTextOf(m_combo.m_hWnd);
}

std::pair<int, int> CComboTestDialog::GetEditSel() const
{
    const DWORD dwSelection = m_combo.GetEditSel();
    return {LOWORD(dwSelection), HIWORD(dwSelection)};
}
