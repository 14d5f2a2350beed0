#include "main_window/DorvaneDlg.h"

#include "about/AboutDlg.h"
#include "framework/CDC.h"
#include "framework/CPaintDC.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"

namespace
{
HICON LoadProgramIcon(int nSize)
{
    return static_cast<HICON>(LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON,
                                        nSize, nSize, LR_DEFAULTCOLOR));
}
}

CDorvaneDlg::CDorvaneDlg(CWnd* pParent)
    : CDialog(IDD_DORVANE_DIALOG, pParent),
      m_hIcon(LoadProgramIcon(48))
{
}

void CDorvaneDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnGo);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDC_ABOUT, m_btnAbout);
    DDX_Control(pDX, IDC_PATH, m_comboPath);
    DDX_Control(pDX, IDC_SELECT_FILE, m_btnFile);
    DDX_Control(pDX, IDC_CHOOSE_FOLDER, m_btnFolder);
    DDX_CBString(pDX, IDC_PATH, m_strPath);
    DDX_DateTimeCtrl(pDX, IDC_DATE, m_date);
    DDX_DateTimeCtrl(pDX, IDC_TIME, m_time);
    DDX_Check(pDX, IDC_CHANGE_CREATED, m_bChangeCreated);
    DDX_Check(pDX, IDC_CHANGE_MODIFIED, m_bChangeModified);
    DDX_Check(pDX, IDC_READ_ONLY, m_bReadOnly);
}

BOOL CDorvaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    HMENU hSysMenu = GetSystemMenu(FALSE);
    if (hSysMenu != nullptr)
    {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty())
        {
            AppendMenu(hSysMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenu(hSysMenu, MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon.Get(), TRUE);
    // The caption's icon is 16 px at 100%, 32 px at 200%.
    m_hSmallIcon.Reset(LoadProgramIcon(GetSystemMetrics(SM_CXSMICON)));
    SetIcon(m_hSmallIcon.Get(), FALSE);

    m_comboPath.m_nMaxHistory = kHistoryLimit;
    LimitDateRange();
    LoadSettings();
    if (!m_strStartTarget.IsEmpty() && !m_comboPath.TakeItem(m_strStartTarget))
        m_comboPath.SetWindowText(m_strStartTarget);
    SetButtonIcons();
    CreateToolTips();
    return TRUE;
}

// File times begin on 1 January 1601 (UTC) and the class layer's times end
// with the year 9999. Keeping the date picker a day inside both ends means
// every time of day on every day it offers, in any time zone, is a time a
// file can hold.
void CDorvaneDlg::LimitDateRange()
{
    SYSTEMTIME range[2] = {};
    range[0].wYear = 1601;
    range[0].wMonth = 1;
    range[0].wDay = 2;
    range[1].wYear = 9999;
    range[1].wMonth = 12;
    range[1].wDay = 30;
    range[1].wHour = 23;
    range[1].wMinute = 59;
    range[1].wSecond = 59;
    ::SendMessage(GetDlgItem(IDC_DATE), DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
}

void CDorvaneDlg::SetButtonIcons()
{
    m_btnGo.SetIcons(IDI_TICK, 0, 32, 32);
    m_btnClose.SetIcons(IDI_CROSS, 0, 32, 32);
    m_btnAbout.SetIcons(IDI_INFO_BRIGHT, IDI_INFO_DARK, 32, 32);
    m_btnFolder.SetIcons(IDI_FOLDER, 0, 32, 32);
    m_btnFile.SetIcons(IDI_DOCUMENT, 0, 32, 32);
}

void CDorvaneDlg::CreateToolTips()
{
    static const struct
    {
        int nControl;
        UINT nText;
    } tips[] = {
        {IDC_PATH, IDS_TIP_PATH},
        {IDC_CHOOSE_FOLDER, IDS_TIP_CHOOSE_FOLDER},
        {IDC_SELECT_FILE, IDS_TIP_SELECT_FILE},
        {IDOK, IDS_TIP_GO},
        {IDCANCEL, IDS_TIP_CLOSE},
        {IDC_ABOUT, IDS_TIP_ABOUT},
        {IDC_DATE, IDS_TIP_DATE},
        {IDC_TIME, IDS_TIP_TIME},
        {IDC_CHANGE_CREATED, IDS_TIP_CHANGE_CREATED},
        {IDC_CHANGE_MODIFIED, IDS_TIP_CHANGE_MODIFIED},
        {IDC_READ_ONLY, IDS_TIP_READ_ONLY},
    };

    m_toolTip.Create(this, 0);
    for (const auto& tip : tips)
        m_toolTip.AddTool(GetDlgItem(tip.nControl), tip.nText);
    m_toolTip.Activate(TRUE);
}

BOOL CDorvaneDlg::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CDorvaneDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX)
        {
            OnAbout();
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_PAINT:
        if (IsIconic())
        {
            OnPaint();
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_QUERYDRAGICON:
        *pResult = reinterpret_cast<LRESULT>(OnQueryDragIcon());
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0 && OnClicked(LOWORD(wParam)))
        {
            *pResult = 0;
            return TRUE;
        }
        break;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

bool CDorvaneDlg::OnClicked(UINT nID)
{
    switch (nID)
    {
    case IDC_ABOUT: OnAbout(); return true;
    case IDC_SELECT_FILE: OnSelectFile(); return true;
    case IDC_CHOOSE_FOLDER: OnChooseFolder(); return true;
    case IDC_CHANGE_CREATED: OnChangeCreated(); return true;
    case IDC_CHANGE_MODIFIED: OnChangeModified(); return true;
    default: return false;
    }
}

// The minimised window paints its icon itself.
void CDorvaneDlg::OnPaint()
{
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.Width() - cxIcon + 1) / 2;
    int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon.Get());
}

HCURSOR CDorvaneDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon.Get());
}

void CDorvaneDlg::OnAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

// One of the two time boxes always stays ticked: clearing the only ticked one
// moves the tick to the other.
void CDorvaneDlg::OnChangeCreated()
{
    UpdateData(TRUE);
    if (!m_bChangeModified && !m_bChangeCreated)
    {
        m_bChangeModified = TRUE;
        UpdateData(FALSE);
    }
}

void CDorvaneDlg::OnChangeModified()
{
    UpdateData(TRUE);
    if (!m_bChangeModified && !m_bChangeCreated)
    {
        m_bChangeCreated = TRUE;
        UpdateData(FALSE);
    }
}

void CDorvaneDlg::OnCancel()
{
    SaveSettings();
    CDialog::OnCancel();
}
