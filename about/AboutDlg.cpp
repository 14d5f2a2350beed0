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
    LoadProgramIcon(GetDpi());
    m_btnOK.SetIcons(IDI_TICK, 0, 32, 32);
    m_linkMail.SetTarget(kMailTarget);
    m_linkWeb.SetTarget(kWebTarget);
    // The focus goes to the first tab stop, the "OK" button.
    return TRUE;
}

void CAboutDlg::OnDpiChanged(UINT nDpi, LPCRECT)
{
    // The OK button loads its own icon again once the box has moved.
    Default();
    LoadProgramIcon(nDpi);
}

void CAboutDlg::LoadProgramIcon(UINT nDpi)
{
    const int nSize = Scale(32, nDpi);
    HICON hIcon = LoadIconImage(IDR_MAINFRAME, nSize, nSize);
    ::SendDlgItemMessage(m_hWnd, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0);
    // The image shown before goes once the control no longer uses it.
    m_icon.Reset(hIcon);
}
