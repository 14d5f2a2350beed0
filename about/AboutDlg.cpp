#include "about/AboutDlg.h"

#include "framework/DataExchange.h"
#include "resources/resource.h"

const TCHAR CAboutDlg::kWebTarget[] = _T("https://dorvane.example.org/");
const TCHAR CAboutDlg::kMailTarget[] = _T("mailto:dorvane@example.org?Subject=Dorvane");

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WEB_LINK, m_linkWeb);
    DDX_Control(pDX, IDC_MAIL_LINK, m_linkMail);
    DDX_Control(pDX, IDOK, m_btnOK);
}

BOOL CAboutDlg::OnInitDialog()
{
    // Binding the labels gives each its caption as target; the real targets
    // replace those in the tool tips before the box shows.
    CDialog::OnInitDialog();
    const int nIconSize = ::MulDiv(32, static_cast<int>(GetDpi()), 96);
    m_icon.Reset(static_cast<HICON>(::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(IDR_MAINFRAME),
                                                IMAGE_ICON, nIconSize, nIconSize, LR_DEFAULTCOLOR)));
    ::SendDlgItemMessage(m_hWnd, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_icon.Get()), 0);
    m_btnOK.SetIcons(IDI_TICK, 0, 32, 32);
    m_linkMail.SetTarget(kMailTarget);
    m_linkWeb.SetTarget(kWebTarget);
    // The focus goes to the first tab stop, the "OK" button.
    return TRUE;
}
