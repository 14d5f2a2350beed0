// The main window itself and the settings it keeps in the registry: loaded
// while it opens, saved whenever it closes.
#include "tests/main_window/MainWindowFixture.h"

#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

namespace
{
const CString kOneGone = _T("HistoryCount=3;File0=\"C:\\gone;File1=\"C:\\windows;File2=\"C:\\users;");
const TCHAR kDefaults[] = _T("; ; sel -1; 1980-01-01 00:00:01; boxes 010");
}

class SettingsTest : public MainWindowTest
{
protected:
    // Stores "Name=value;...": a value after a quote as text, any other as a number.
    static void Store(const CString& values)
    {
        for (const CString& item : Split(values, _T(';')))
        {
            CString name = item.Left(item.Find(_T('='))), value = item.Mid(name.GetLength() + 1);
            if (value[0] == _T('"'))
                WriteText(name, value.Mid(1));
            else
                WriteDword(name, static_cast<DWORD>(_tcstoi64(value, nullptr, 0)));
        }
    }

    // The named values, as Store takes them.
    static CString Stored(const CString& names)
    {
        CString stored, item;
        for (const CString& name : Split(names, _T(';')))
        {
            if (auto number = ReadDword(name))
                item.Format(_T(";%s=%ld"), name, static_cast<long>(*number));
            else
                item.Format(_T(";%s=\"%s"), name, ReadText(name).value_or(_T("(none)")));
            stored += item;
        }
        return stored.Mid(1);
    }

    // History; target; selected entry; date and time of day; the boxes created, modified, read-only.
    static CString State(const CDorvaneDlg& dlg)
    {
        SYSTEMTIME d = PickerTime(dlg, IDC_DATE), t = PickerTime(dlg, IDC_TIME);
        CString state;
        state.Format(_T("%s; %s; sel %d; %04d-%02d-%02d %02d:%02d:%02d; boxes %d%d%d"), History(dlg),
                     ComboText(dlg), static_cast<int>(::SendMessage(dlg.m_comboPath.m_hWnd, CB_GETCURSEL, 0, 0)),
                     d.wYear, d.wMonth, d.wDay, t.wHour, t.wMinute, t.wSecond, IsChecked(dlg, IDC_CHANGE_CREATED),
                     IsChecked(dlg, IDC_CHANGE_MODIFIED), IsChecked(dlg, IDC_READ_ONLY));
        return state;
    }
};

TEST_F(SettingsTest, WhatIsStoredIsShownAndWhatCannotBeReadFallsBackToTheDefaults)
{
    const struct { const char* what; CString stored; LPCTSTR shown; } cases[] = {
        {"first run", _T(""), kDefaults},
        {"every value", _T("HistoryCount=3;File0=\"C:\\windows;File1=\"C:\\users;File2=\"C:\\Program Files;")
                        _T("HistorySelection=1;Year=2005;Month=6;Day=15;Hour=13;Minute=45;Second=10;")
                        _T("ChangeCreated=1;ChangeModified=0;ReadOnly=7"),
         _T("C:\\windows|C:\\users|C:\\Program Files; C:\\users; sel 1; 2005-06-15 13:45:10; boxes 101")},
        {"a missing entry is left out but stays the target",
         kOneGone, _T("C:\\windows|C:\\users; C:\\gone; sel -1; 1980-01-01 00:00:01; boxes 010")},
        {"the selection counts what loaded", kOneGone + _T("HistorySelection=1"),
         _T("C:\\windows|C:\\users; C:\\users; sel 1; 1980-01-01 00:00:01; boxes 010")},
        {"a selection past what loaded", kOneGone + _T("HistorySelection=2"),
         _T("C:\\windows|C:\\users; C:\\gone; sel -1; 1980-01-01 00:00:01; boxes 010")},
        {"month 13", _T("Year=2005;Month=13;Day=1"), kDefaults},
        {"30 February", _T("Year=2005;Month=2;Day=30"), kDefaults},
        {"hour 24", _T("Year=2005;Month=6;Day=15;Hour=24"), kDefaults},
        {"minute 60", _T("Year=2005;Month=6;Day=15;Minute=60"), kDefaults},
        {"before 1601", _T("Year=1200"), kDefaults},
        {"year 0xFFFFFFFF", _T("Year=0xFFFFFFFF"), kDefaults},
        {"a count and flags of the wrong type", _T("HistoryCount=\"1;File0=\"C:\\windows;ChangeCreated=\"1"), kDefaults},
        {"an entry of the wrong type", _T("HistoryCount=1;File0=5"), kDefaults},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        ClearSettings();
        Store(c.stored);
        CDorvaneDlg dlg;
        Open(dlg);
        EXPECT_EQ(State(dlg), c.shown);
    }
}

TEST_F(SettingsTest, AHandEditedHistoryCountReadsAtMostTenValues)
{
    testsupport::TempDir dir;
    CString all, name, folder;  // all: every folder, joined as History joins them; all names are as long
    for (int i = 0; i < 12; ++i)
    {
        name.Format(_T("File%d"), i);
        folder.Format(_T("%s\\h%02d"), dir.Path(), i);
        testsupport::MakeFolder(folder);
        // The first without its terminator: it is read whole and no further.
        WriteRaw(name, REG_SZ, folder.GetString(), static_cast<DWORD>((folder.GetLength() + (i > 0)) * sizeof(TCHAR)));
        all += (i > 0 ? _T("|") : _T("")) + folder;
    }
    const struct { DWORD count; int loaded; } cases[] = {{0x7FFFFFFF, 10}, {12, 10}, {5, 5}, {DWORD(-3), 0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.count);
        WriteDword(_T("HistoryCount"), c.count);
        CDorvaneDlg dlg;
        Open(dlg);
        EXPECT_EQ(History(dlg), all.Left(c.loaded * (folder.GetLength() + 1) - (c.loaded > 0)));
    }
}

TEST_F(SettingsTest, AStoredPositionIsUsedOnlyWhenItsCornerIsOnTheScreen)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    for (const POINT& corner : {POINT{30, 40}, POINT{cx - 1, cy - 1}, POINT{cx, 10}, POINT{10, cy}, POINT{-1, 10}})
    {
        SCOPED_TRACE(testing::Message() << corner.x << "," << corner.y);
        WriteDword(_T("Window-X"), static_cast<DWORD>(corner.x));
        WriteDword(_T("Window-Y"), static_cast<DWORD>(corner.y));
        CDorvaneDlg dlg;
        Open(dlg);
        CRect rc;
        dlg.GetWindowRect(&rc);
        EXPECT_EQ(rc.TopLeft() == CPoint(corner), corner.x >= 0 && corner.x < cx && corner.y >= 0 && corner.y < cy);
    }
}

// Close saves every value under the program's name for it; the selection saved is the entry that is the target
// itself, letter case aside, whatever was selected.
TEST_F(SettingsTest, CloseSavesWhatTheWindowShowsUnderTheProgramsNames)
{
    CDorvaneDlg dlg;
    Open(dlg);
    dlg.m_comboPath.AddString(_T("C:\\windows"));
    dlg.m_comboPath.AddString(_T("C:\\users\\sub\\x"));
    SetPickerTime(dlg, IDC_DATE, Local(2010, 3, 4, 22, 22, 22));
    SetPickerTime(dlg, IDC_TIME, Local(1999, 9, 9, 5, 6, 7));
    SetChecked(dlg, IDC_CHANGE_CREATED, true);
    SetChecked(dlg, IDC_CHANGE_MODIFIED, false);
    SetChecked(dlg, IDC_READ_ONLY, true);
    dlg.MoveWindow(12, 34, 400, 200);
    const struct { LPCTSTR target; int selected, saved; } cases[] = {
        {_T("C:\\users\\sub\\x"), 0, 1}, {_T("C:\\WINDOWS"), -1, 0}, {_T("C:\\users\\sub"), 1, -1}, {_T("C:\\typed"), 1, -1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testsupport::Narrow(c.target));
        ::SendMessage(dlg.m_comboPath.m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(c.selected), 0);
        SetComboText(dlg, c.target);
        Click(dlg, IDCANCEL);
        CString saved;
        saved.Format(_T("HistoryCount=2;File0=\"C:\\windows;File1=\"C:\\users\\sub\\x;HistorySelection=%d;Year=2010;")
                     _T("Month=3;Day=4;Hour=5;Minute=6;Second=7;ChangeCreated=1;ChangeModified=0;ReadOnly=1;")
                     _T("Window-X=12;Window-Y=34"), c.saved);
        EXPECT_EQ(Stored(_T("HistoryCount;File0;File1;HistorySelection;Year;Month;Day;Hour;Minute;Second;")
                         _T("ChangeCreated;ChangeModified;ReadOnly;Window-X;Window-Y")), saved);
    }
}

TEST_F(MainWindowTest, OneOfTheTwoTimeBoxesAlwaysStaysTicked)
{
    CDorvaneDlg dlg;
    Open(dlg);
    // The boxes created, modified and read-only after each click.
    const struct { int box; LPCTSTR ticked; } clicks[] = {
        {IDC_CHANGE_MODIFIED, _T("100")}, {IDC_CHANGE_CREATED, _T("010")}, {IDC_CHANGE_CREATED, _T("110")},
        {IDC_CHANGE_MODIFIED, _T("100")}, {IDC_READ_ONLY, _T("101")}, {IDC_READ_ONLY, _T("100")}};
    CString ticked;
    for (const auto& click : clicks)
    {
        Click(dlg, click.box);
        ticked.Format(_T("%d%d%d"), IsChecked(dlg, IDC_CHANGE_CREATED), IsChecked(dlg, IDC_CHANGE_MODIFIED),
                      IsChecked(dlg, IDC_READ_ONLY));
        EXPECT_EQ(ticked, click.ticked) << "after a click on " << click.box;
    }
}

TEST_F(MainWindowTest, TheWindowHasItsIconsTheAboutEntryAndATipForEveryControl)
{
    CDorvaneDlg dlg;
    Open(dlg);
    EXPECT_NE(::SendMessage(dlg.m_hWnd, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(::SendMessage(dlg.m_hWnd, WM_GETICON, ICON_SMALL, 0), 0);
    HMENU menu = ::GetSystemMenu(dlg.m_hWnd, FALSE);
    const int last = ::GetMenuItemCount(menu) - 1;
    TCHAR text[64] = {};
    ::GetMenuString(menu, static_cast<UINT>(last), text, 64, MF_BYPOSITION);
    EXPECT_EQ(CString(text), _T("&About Dorvane..."));
    EXPECT_EQ(::GetMenuItemID(menu, last), static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_TRUE(::GetMenuState(menu, static_cast<UINT>(last - 1), MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(::SendMessage(dlg.m_toolTip.m_hWnd, TTM_GETTOOLCOUNT, 0, 0), 11);
}
