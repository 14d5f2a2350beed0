// The settings the main window keeps in the registry: loaded while it opens,
// saved whenever it closes.
#include "tests/main_window/MainWindowFixture.h"

#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

using testsupport::TempDir;

namespace
{
void ExpectDate(const SYSTEMTIME& st, int year, int month, int day)
{
    EXPECT_EQ(st.wYear, year);
    EXPECT_EQ(st.wMonth, month);
    EXPECT_EQ(st.wDay, day);
}

void ExpectTimeOfDay(const SYSTEMTIME& st, int hour, int minute, int second)
{
    EXPECT_EQ(st.wHour, hour);
    EXPECT_EQ(st.wMinute, minute);
    EXPECT_EQ(st.wSecond, second);
}
}

TEST_F(MainWindowTest, FirstRunShowsTheDefaultsInEveryControl)
{
    CDorvaneDlg dlg;
    Open(dlg);

    EXPECT_EQ(ComboText(dlg), CString());
    EXPECT_EQ(dlg.m_comboPath.GetCount(), 0);
    EXPECT_EQ(dlg.m_comboPath.GetCurSel(), CB_ERR);
    ExpectDate(PickerTime(dlg, IDC_DATE), 1980, 1, 1);
    ExpectTimeOfDay(PickerTime(dlg, IDC_TIME), 0, 0, 1);
    EXPECT_FALSE(IsChecked(dlg, IDC_CHANGE_CREATED));
    EXPECT_TRUE(IsChecked(dlg, IDC_CHANGE_MODIFIED));
    EXPECT_FALSE(IsChecked(dlg, IDC_READ_ONLY));
    EXPECT_EQ(dlg.m_comboPath.m_nMaxHistory, 10);
}

TEST_F(MainWindowTest, EveryValueMakesTheRoundTripThroughTheRegistry)
{
    TempDir dir;
    CString a = dir / _T("a.txt"), b = dir / _T("b folder"), c = dir / _T("c.txt");
    testsupport::WriteFile(a);
    testsupport::MakeFolder(b);
    testsupport::WriteFile(c);

    WriteDword(_T("HistoryCount"), 3);
    WriteText(_T("File0"), a);
    WriteText(_T("File1"), b);
    WriteText(_T("File2"), c);
    WriteDword(_T("HistorySelection"), 1);
    WriteDword(_T("Year"), 2005);
    WriteDword(_T("Month"), 6);
    WriteDword(_T("Day"), 15);
    WriteDword(_T("Hour"), 13);
    WriteDword(_T("Minute"), 45);
    WriteDword(_T("Second"), 10);
    WriteDword(_T("ChangeCreated"), 1);
    WriteDword(_T("ChangeModified"), 0);
    WriteDword(_T("ReadOnly"), 7);      // any value but 0 sets a flag
    WriteDword(_T("Window-X"), 30);
    WriteDword(_T("Window-Y"), 40);

    CDorvaneDlg dlg;
    Open(dlg);

    CStringArray list = ComboList(dlg);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list[0], a);
    EXPECT_EQ(list[1], b);
    EXPECT_EQ(list[2], c);
    EXPECT_EQ(dlg.m_comboPath.GetCurSel(), 1);
    EXPECT_EQ(ComboText(dlg), b);
    // Both pickers start from the one stored date and time.
    ExpectDate(PickerTime(dlg, IDC_DATE), 2005, 6, 15);
    ExpectTimeOfDay(PickerTime(dlg, IDC_TIME), 13, 45, 10);
    EXPECT_TRUE(IsChecked(dlg, IDC_CHANGE_CREATED));
    EXPECT_FALSE(IsChecked(dlg, IDC_CHANGE_MODIFIED));
    EXPECT_TRUE(IsChecked(dlg, IDC_READ_ONLY));
    CRect rc;
    dlg.GetWindowRect(&rc);
    EXPECT_EQ(rc.left, 30);
    EXPECT_EQ(rc.top, 40);

    // Change what the user can change, then close.
    SetPickerTime(dlg, IDC_DATE, Local(2010, 3, 4, 22, 22, 22));
    SetPickerTime(dlg, IDC_TIME, Local(1999, 9, 9, 5, 6, 7));
    SetChecked(dlg, IDC_CHANGE_CREATED, false);
    SetChecked(dlg, IDC_CHANGE_MODIFIED, true);
    SetChecked(dlg, IDC_READ_ONLY, false);
    SetComboText(dlg, c);
    dlg.MoveWindow(12, 34, rc.Width(), rc.Height());
    dlg.OnCancel();

    EXPECT_EQ(ReadDword(_T("HistoryCount")), 3u);
    EXPECT_EQ(ReadText(_T("File0")), a);
    EXPECT_EQ(ReadText(_T("File1")), b);
    EXPECT_EQ(ReadText(_T("File2")), c);
    EXPECT_EQ(ReadDword(_T("HistorySelection")), 2u);  // the entry the target text names
    EXPECT_EQ(ReadDword(_T("Year")), 2010u);
    EXPECT_EQ(ReadDword(_T("Month")), 3u);
    EXPECT_EQ(ReadDword(_T("Day")), 4u);
    EXPECT_EQ(ReadDword(_T("Hour")), 5u);
    EXPECT_EQ(ReadDword(_T("Minute")), 6u);
    EXPECT_EQ(ReadDword(_T("Second")), 7u);
    EXPECT_EQ(ReadDword(_T("ChangeCreated")), 0u);
    EXPECT_EQ(ReadDword(_T("ChangeModified")), 1u);
    EXPECT_EQ(ReadDword(_T("ReadOnly")), 0u);
    EXPECT_EQ(ReadDword(_T("Window-X")), 12u);
    EXPECT_EQ(ReadDword(_T("Window-Y")), 34u);
}

TEST_F(MainWindowTest, EntriesThatNoLongerExistAreDroppedAndTheSelectionAppliesToWhatLoaded)
{
    TempDir dir;
    CString gone = dir / _T("gone.txt"), a = dir / _T("a.txt"), b = dir / _T("b.txt");
    testsupport::WriteFile(a);
    testsupport::WriteFile(b);
    WriteDword(_T("HistoryCount"), 3);
    WriteText(_T("File0"), gone);
    WriteText(_T("File1"), a);
    WriteText(_T("File2"), b);

    {
        // No stored selection: the missing top entry is still the target text.
        CDorvaneDlg dlg;
        Open(dlg);
        CStringArray list = ComboList(dlg);
        ASSERT_EQ(list.GetSize(), 2);
        EXPECT_EQ(list[0], a);
        EXPECT_EQ(list[1], b);
        EXPECT_EQ(ComboText(dlg), gone);
        EXPECT_EQ(dlg.m_comboPath.GetCurSel(), CB_ERR);
    }
    {
        // Index 1 selects what now stands at 1, since an entry before it went.
        WriteDword(_T("HistorySelection"), 1);
        CDorvaneDlg dlg;
        Open(dlg);
        EXPECT_EQ(dlg.m_comboPath.GetCurSel(), 1);
        EXPECT_EQ(ComboText(dlg), b);
    }
    {
        // An index at the loaded list's end selects nothing.
        WriteDword(_T("HistorySelection"), 2);
        CDorvaneDlg dlg;
        Open(dlg);
        EXPECT_EQ(dlg.m_comboPath.GetCurSel(), CB_ERR);
        EXPECT_EQ(ComboText(dlg), gone);
    }
}

TEST_F(MainWindowTest, TheSelectionSavedIsTheEntryThatIsTheTarget)
{
    TempDir dir;
    CString data = dir / _T("Data"), other = dir / _T("Other"), old = dir / _T("Data\\Old");
    testsupport::MakeFolder(old);
    testsupport::MakeFolder(other);

    CDorvaneDlg dlg;
    Open(dlg);
    dlg.m_comboPath.AddString(data);
    dlg.m_comboPath.AddString(other);
    dlg.m_comboPath.AddString(old);

    // The target is the first entry while a longer entry begins with it: the
    // saved index must name the target itself, never the longer path.
    SetComboText(dlg, data);
    dlg.SaveSettings();
    EXPECT_EQ(ReadDword(_T("HistorySelection")), 0u);

    // Letter case aside, as the file system sees it.
    CString upper(other);
    upper.MakeUpper();
    SetComboText(dlg, upper);
    dlg.SaveSettings();
    EXPECT_EQ(ReadDword(_T("HistorySelection")), 1u);

    // A selection left over from before the user typed another target.
    dlg.m_comboPath.SetCurSel(2);
    SetComboText(dlg, dir / _T("typed"));
    dlg.SaveSettings();
    EXPECT_EQ(ReadDword(_T("HistorySelection")), static_cast<DWORD>(-1));
}

TEST_F(MainWindowTest, AStoredPositionIsUsedOnlyWhenItsCornerIsOnTheScreen)
{
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    CRect platformPlace;
    {
        CDorvaneDlg dlg;
        Open(dlg);
        dlg.GetWindowRect(&platformPlace);
    }
    struct
    {
        int x, y;
        bool used;
    } cases[] = {{0, 0, true}, {cx - 1, cy - 1, true}, {cx, 10, false}, {10, cy, false},
                 {-1, 10, false}, {10, -5, false}, {-1, -1, false}};
    for (const auto& c : cases)
    {
        WriteDword(_T("Window-X"), static_cast<DWORD>(c.x));
        WriteDword(_T("Window-Y"), static_cast<DWORD>(c.y));
        CDorvaneDlg dlg;
        Open(dlg);
        CRect rc;
        dlg.GetWindowRect(&rc);
        EXPECT_EQ(rc.Width(), platformPlace.Width());
        if (c.used)
            EXPECT_EQ(rc.TopLeft(), CPoint(c.x, c.y)) << c.x << "," << c.y;
        else
            EXPECT_EQ(rc.TopLeft(), platformPlace.TopLeft()) << c.x << "," << c.y;
    }
}

TEST_F(MainWindowTest, HistoryValuesBeyondTheCountAreLeftAndNeverRead)
{
    TempDir dir;
    CString paths[5];
    WriteDword(_T("HistoryCount"), 5);
    for (int i = 0; i < 5; ++i)
    {
        CString name;
        name.Format(_T("f%d.txt"), i);
        paths[i] = dir / name;
        testsupport::WriteFile(paths[i]);
        CString value;
        value.Format(_T("File%d"), i);
        WriteText(value, paths[i]);
    }
    {
        CDorvaneDlg dlg;
        Open(dlg);
        ASSERT_EQ(dlg.m_comboPath.GetCount(), 5);
        dlg.m_comboPath.DeleteString(4);
        dlg.m_comboPath.DeleteString(3);
        dlg.OnCancel();
    }
    EXPECT_EQ(ReadDword(_T("HistoryCount")), 3u);
    EXPECT_EQ(ReadText(_T("File3")), paths[3]);
    EXPECT_EQ(ReadText(_T("File4")), paths[4]);
    CDorvaneDlg dlg;
    Open(dlg);
    EXPECT_EQ(dlg.m_comboPath.GetCount(), 3);
}

TEST_F(MainWindowTest, HandEditedSettingsCannotBreakTheStart)
{
    TempDir dir;
    // A date that is no date falls back to the defaults, date and time alike.
    const struct
    {
        DWORD year, month, day, hour, minute, second;
    } badDates[] = {{2005, 13, 1, 0, 0, 0}, {2005, 2, 30, 0, 0, 0}, {2005, 6, 15, 24, 0, 0},
                    {2005, 6, 15, 0, 60, 0}, {1200, 1, 1, 0, 0, 0}, {0xFFFFFFFF, 1, 1, 0, 0, 0}};
    for (const auto& bad : badDates)
    {
        WriteDword(_T("Year"), bad.year);
        WriteDword(_T("Month"), bad.month);
        WriteDword(_T("Day"), bad.day);
        WriteDword(_T("Hour"), bad.hour);
        WriteDword(_T("Minute"), bad.minute);
        WriteDword(_T("Second"), bad.second);
        CDorvaneDlg dlg;
        Open(dlg);
        ExpectDate(PickerTime(dlg, IDC_DATE), 1980, 1, 1);
        ExpectTimeOfDay(PickerTime(dlg, IDC_TIME), 0, 0, 1);
    }
    ClearSettings();

    // A huge count reads no more than the history can hold: the first ten.
    for (int i = 0; i < 12; ++i)
    {
        CString name, value;
        name.Format(_T("h%02d"), i);
        testsupport::MakeFolder(dir / name);
        value.Format(_T("File%d"), i);
        WriteText(value, dir / name);
    }
    WriteDword(_T("HistoryCount"), 0x7FFFFFFF);
    {
        DWORD start = GetTickCount();
        CDorvaneDlg dlg;
        Open(dlg);
        EXPECT_LT(GetTickCount() - start, 10000u);
        CStringArray list = ComboList(dlg);
        ASSERT_EQ(list.GetSize(), 10);
        EXPECT_EQ(list[9], dir / _T("h09"));
    }
    WriteDword(_T("HistoryCount"), static_cast<DWORD>(-3));
    {
        CDorvaneDlg dlg;
        Open(dlg);
        EXPECT_EQ(dlg.m_comboPath.GetCount(), 0);
    }
    ClearSettings();

    // Values of the wrong type read as absent: their defaults apply.
    testsupport::MakeFolder(dir / _T("typed"));
    WriteText(_T("HistoryCount"), _T("1"));
    WriteText(_T("ChangeModified"), _T("0"));
    WriteText(_T("Year"), _T("2001"));
    WriteDword(_T("File0"), 5);
    {
        CDorvaneDlg dlg;
        Open(dlg);
        EXPECT_EQ(dlg.m_comboPath.GetCount(), 0);
        EXPECT_TRUE(IsChecked(dlg, IDC_CHANGE_MODIFIED));
        ExpectDate(PickerTime(dlg, IDC_DATE), 1980, 1, 1);
    }
    ClearSettings();

    // A text stored without its terminator is read whole and no further.
    CString typed = dir / _T("typed");
    WriteDword(_T("HistoryCount"), 1);
    WriteRaw(_T("File0"), REG_SZ, typed.GetString(), static_cast<DWORD>(typed.GetLength() * sizeof(TCHAR)));
    {
        CDorvaneDlg dlg;
        Open(dlg);
        CStringArray list = ComboList(dlg);
        ASSERT_EQ(list.GetSize(), 1);
        EXPECT_EQ(list[0], typed);
    }
}
