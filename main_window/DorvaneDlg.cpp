#include "main_window/DorvaneDlg.h"

#include "about/AboutDlg.h"
#include "framework/CPaintDC.h"
#include "framework/CWinApp.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"

CDorvaneDlg::CDorvaneDlg(CWnd* pParent) : CDialog(IDD_DORVANE_DIALOG, pParent)
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
        CString strAboutMenu, strUndoMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        strUndoMenu.LoadString(IDS_UNDO_LAST_GO);
        if (!strAboutMenu.IsEmpty())
        {
            AppendMenu(hSysMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenu(hSysMenu, MF_STRING, IDM_UNDO_LAST_GO, strUndoMenu);
            AppendMenu(hSysMenu, MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    UpdateUndoItem();

    LoadWindowIcons(GetDpi());
    m_comboPath.m_nMaxHistory = kHistoryLimit;
    LimitDateRange();
    LoadSettings();
    if (!m_strStartTarget.IsEmpty() && !m_comboPath.TakeItem(m_strStartTarget))
        m_comboPath.SetWindowText(m_strStartTarget);
    SetButtonIcons();
    CreateToolTips();
    return TRUE;
}

// Files are given times from the first day of kFirstFileYear to the last of
// kLastFileYear, in UTC. Keeping the date picker a day inside both ends means
// every time of day on every day it offers, in any time zone, is a time a
// file can be given.
void CDorvaneDlg::LimitDateRange()
{
    SYSTEMTIME range[2] = {};
    range[0].wYear = kFirstFileYear;
    range[0].wMonth = 1;
    range[0].wDay = 2;
    range[1].wYear = kLastFileYear;
    range[1].wMonth = 12;
    range[1].wDay = 30;
    range[1].wHour = 23;
    range[1].wMinute = 59;
    range[1].wSecond = 59;
    ::SendMessage(GetDlgItem(IDC_DATE), DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
}

void CDorvaneDlg::LoadWindowIcons(UINT nDpi)
{
    const int nLarge = Scale(32, nDpi), nSmall = Scale(16, nDpi);
    HICON hLarge = LoadIconImage(IDR_MAINFRAME, nLarge, nLarge);
    HICON hSmall = LoadIconImage(IDR_MAINFRAME, nSmall, nSmall);
    SetIcon(hLarge, TRUE);
    SetIcon(hSmall, FALSE);
    // The images shown before go once the window no longer uses them.
    m_hIcon.Reset(hLarge);
    m_hSmallIcon.Reset(hSmall);
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

void CDorvaneDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
        OnAbout();
    else if ((nID & 0xFFF0) == IDM_UNDO_LAST_GO)
        OnUndoLastGo();
    else
        Default();
}

BOOL CDorvaneDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && lParam != 0 && OnClicked(LOWORD(wParam)))
        return TRUE;
    return CDialog::OnCommand(wParam, lParam);
}

void CDorvaneDlg::OnDpiChanged(UINT nDpi, LPCRECT)
{
    Default();
    LoadWindowIcons(nDpi);
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
    if (!IsIconic())
    {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.Width() - cxIcon + 1) / 2;
    int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon.Get());
}

// During a run the pointer says that work goes on in the background, while
// the window still takes clicks.
BOOL CDorvaneDlg::OnSetCursor(HWND hWnd, UINT nHitTest, UINT message)
{
    if (!IsRunning() || nHitTest != HTCLIENT)
        return CDialog::OnSetCursor(hWnd, nHitTest, message);
    ::SetCursor(::LoadCursor(nullptr, IDC_APPSTARTING));
    return TRUE;
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
    UpdateData(true);
    if (!m_bChangeModified && !m_bChangeCreated)
    {
        m_bChangeModified = true;
        UpdateData(false);
    }
}

void CDorvaneDlg::OnChangeModified()
{
    UpdateData(true);
    if (!m_bChangeModified && !m_bChangeCreated)
    {
        m_bChangeCreated = true;
        UpdateData(false);
    }
}

void CDorvaneDlg::OnCancel()
{
    if (IsRunning())
    {
        if (MessageBox(_T("Times are still being changed. Stop after the current item and close?\n\n")
                       _T("What has been changed stays changed: Undo last Go! takes it back."),
                       AfxGetAppName(), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        // The run may have ended while the question was up.
        if (IsRunning())
        {
            m_bCloseAfterRun = true;
            m_run->Stop();
            return;
        }
    }
    SaveSettings();
    CDialog::OnCancel();
}

BOOL CDorvaneDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != kRunEnded)
        return CDialog::OnWndMsg(message, wParam, lParam, pResult);
    EndRun();
    *pResult = 0;
    return TRUE;
}

void CDorvaneDlg::StartRun(CBackgroundRun::Work work, std::shared_ptr<CStampObserver> results, const CString& strWhat,
                           const CString& strTarget, std::function<void(bool bStopped)> afterRun)
{
    m_afterRun = std::move(afterRun);
    m_run = std::make_unique<CBackgroundRun>(std::move(work), std::move(results), m_hWnd, kRunEnded);
    m_btnGo.EnableWindow(FALSE);
    UpdateUndoItem();
    m_progress = std::make_unique<CProgressDlg>(*m_run, strWhat, strTarget);
    m_progress->Create(this);
}

// The window is as before the run, then what the run threw (the failure that
// ended it) is reported, or its own ending runs.
void CDorvaneDlg::EndRun()
{
    if (!IsRunning())
        return;
    m_progress.reset();
    const std::unique_ptr<CBackgroundRun> run = std::move(m_run);
    const std::function<void(bool)> afterRun = std::move(m_afterRun);
    const std::exception_ptr thrown = run->Finish();
    m_btnGo.EnableWindow(TRUE);
    UpdateUndoItem();
    if (std::exchange(m_bCloseAfterRun, false))
        OnCancel();
    if (thrown)
        std::rethrow_exception(thrown);
    afterRun(run->IsStopping());
}
