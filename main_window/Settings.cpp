// The settings kept in the registry: the history, the selected entry, the
// date and time of the two pickers, the three stamp flags and the window's
// position, in the section "Settings" of the application's profile.
#include "main_window/DorvaneDlg.h"

#include "framework/CWinApp.h"

namespace
{
const TCHAR kSection[] = _T("Settings");

// Defaults: 1 January 1980, 00:00:01 local time, and only the modified time
// ticked.
constexpr int kDefaultYear = 1980;
constexpr int kDefaultMonth = 1;
constexpr int kDefaultDay = 1;
constexpr int kDefaultHour = 0;
constexpr int kDefaultMinute = 0;
constexpr int kDefaultSecond = 1;

CString HistoryValueName(int nIndex)
{
    CString name;
    name.Format(_T("File%d"), nIndex);
    return name;
}

int ReadInt(LPCTSTR pszEntry, int nDefault)
{
    return static_cast<int>(AfxGetApp()->GetProfileInt(kSection, pszEntry, nDefault));
}

void WriteInt(LPCTSTR pszEntry, int nValue)
{
    AfxGetApp()->WriteProfileInt(kSection, pszEntry, nValue);
}

// The stored date and time, or the defaults when the stored values (edited by
// hand) do not form a local time that a file time can hold.
CTime ReadStoredDateTime()
{
    CTime stored(ReadInt(_T("Year"), kDefaultYear), ReadInt(_T("Month"), kDefaultMonth),
                 ReadInt(_T("Day"), kDefaultDay), ReadInt(_T("Hour"), kDefaultHour),
                 ReadInt(_T("Minute"), kDefaultMinute), ReadInt(_T("Second"), kDefaultSecond), -1);
    if (stored.IsValid())
        return stored;
    return CTime(kDefaultYear, kDefaultMonth, kDefaultDay, kDefaultHour, kDefaultMinute, kDefaultSecond, -1);
}
}

void CDorvaneDlg::LoadSettings()
{
    CWinApp* app = AfxGetApp();

    // The history never holds more than kHistoryLimit entries, so no more are
    // ever stored; a larger count was edited by hand, and reading billions of
    // values would hang the start.
    int count = ReadInt(_T("HistoryCount"), 0);
    if (count > kHistoryLimit)
        count = kHistoryLimit;
    for (int i = 0; i < count; ++i)
    {
        CString entry = app->GetProfileString(kSection, HistoryValueName(i), _T(""));
        if (i == 0)
            m_strPath = entry;
        if (CPathCombo::PathExists(entry))
            m_comboPath.AddString(entry);
    }

    int selection = ReadInt(_T("HistorySelection"), -1);
    if (selection >= 0 && selection < m_comboPath.GetCount())
    {
        m_comboPath.SetCurSel(selection);
        m_comboPath.GetLBText(selection, m_strPath);
    }

    m_date = ReadStoredDateTime();
    struct tm local;
    m_date.GetLocalTm(&local);
    m_time = CTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                   local.tm_sec, -1);

    m_bChangeCreated = ReadInt(_T("ChangeCreated"), 0) != 0;
    m_bChangeModified = ReadInt(_T("ChangeModified"), 1) != 0;
    m_bReadOnly = ReadInt(_T("ReadOnly"), 0) != 0;

    int x = ReadInt(_T("Window-X"), -1);
    int y = ReadInt(_T("Window-Y"), -1);
    if (x >= 0 && x < GetSystemMetrics(SM_CXSCREEN) && y >= 0 && y < GetSystemMetrics(SM_CYSCREEN))
    {
        CRect rc;
        GetWindowRect(&rc);
        rc.OffsetRect(x - rc.left, y - rc.top);
        MoveWindow(&rc, TRUE);
    }

    UpdateData(false);
}

void CDorvaneDlg::SaveSettings()
{
    CWinApp* app = AfxGetApp();
    UpdateData(true);

    CRect rc;
    GetWindowRect(&rc);

    int count = m_comboPath.GetCount();
    WriteInt(_T("HistoryCount"), count);
    for (int i = 0; i < count; ++i)
    {
        CString entry;
        m_comboPath.GetLBText(i, entry);
        app->WriteProfileString(kSection, HistoryValueName(i), entry);
    }

    // The entry that is the target itself (letter case aside), so that the
    // next run shows the very target this one showed; a selection left over
    // from before the user typed, or an entry that merely begins with the
    // target, would put another folder under the next Go!.
    WriteInt(_T("HistorySelection"), m_comboPath.FindStringExact(-1, m_strPath));

    struct tm date;
    struct tm time;
    if (m_date.GetLocalTm(&date))
    {
        WriteInt(_T("Year"), date.tm_year + 1900);
        WriteInt(_T("Month"), date.tm_mon + 1);
        WriteInt(_T("Day"), date.tm_mday);
    }
    if (m_time.GetLocalTm(&time))
    {
        WriteInt(_T("Hour"), time.tm_hour);
        WriteInt(_T("Minute"), time.tm_min);
        WriteInt(_T("Second"), time.tm_sec);
    }

    WriteInt(_T("ChangeModified"), m_bChangeModified ? 1 : 0);
    WriteInt(_T("ChangeCreated"), m_bChangeCreated ? 1 : 0);
    WriteInt(_T("ReadOnly"), m_bReadOnly ? 1 : 0);

    WriteInt(_T("Window-X"), rc.left);
    WriteInt(_T("Window-Y"), rc.top);
}
