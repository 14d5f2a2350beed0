#include "tests/controls/ButtonTestDialog.h"

#include "framework/DataExchange.h"
#include "tests/controls/ButtonTestResource.h"

void CTestIconButton::Resize(int nWidth, int nHeight)
{
    SetWindowPos(nullptr, 0, 0, nWidth, nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CButtonTestDialog::CButtonTestDialog()
    : CDialog(IDD_BUTTON_TEST)
{
}

BOOL CButtonTestDialog::OnInitDialog()
{
    m_dwGoStyleBeforeBinding = static_cast<DWORD>(::GetWindowLongPtr(GetDlgItem(IDOK), GWL_STYLE));
    CDialog::OnInitDialog();
    m_btnGo.SetIcons(IDI_TEST_HOT, IDI_TEST_NORMAL, 32, 32);
    m_btnBrowse.SetIcons(IDI_TEST_HOT, 0, 32, 32);
    return TRUE;
}

void CButtonTestDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnGo);
    DDX_Control(pDX, IDC_BROWSE, m_btnBrowse);
    DDX_Control(pDX, IDC_CLOSE_BUTTON, m_btnClose);
}
