// Dialog data exchange on the real test dialog: each DDX function both ways.
#include "tests/framework/WindowTestDialog.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace
{
class DataExchangeTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dlg.Create(IDD_TEST_DIALOG)); }

    HWND Item(int nID) const { return m_dlg.GetDlgItem(nID); }
    CString ComboText() const { return CWnd::GetWindowTextOf(Item(IDC_TEST_COMBO)); }

    SYSTEMTIME PickerTime() const
    {
        SYSTEMTIME st = {};
        EXPECT_EQ(::SendMessage(Item(IDC_TEST_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)),
                  GDT_VALID);
        return st;
    }

    CTestDialog m_dlg;
};

SYSTEMTIME LocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME st = {};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    return st;
}
}

TEST_F(DataExchangeTest, DdxControlSubclassesOnceOnTheFirstExchange)
{
    EXPECT_EQ(m_dlg.m_combo.m_hWnd, Item(IDC_TEST_COMBO));
    EXPECT_EQ(CWnd::FromHandlePermanent(Item(IDC_TEST_COMBO)), &m_dlg.m_combo);
    EXPECT_EQ(m_dlg.m_label.m_hWnd, Item(IDC_TEST_LABEL));
    m_dlg.UpdateData(TRUE);
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(m_dlg.m_combo.m_nPreSubclassCount, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(Item(IDC_TEST_COMBO)), &m_dlg.m_combo);
}

TEST_F(DataExchangeTest, ComboTextOfAnyLengthGoesBothWaysUnchanged)
{
    CString longText;
    for (int i = 0; longText.GetLength() < 300; ++i)
        longText += CString(_T("C:\\Folder\\Sub")) + CString(static_cast<TCHAR>(_T('a') + i % 26));
    m_dlg.m_strText = longText;
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(ComboText(), longText);

    m_dlg.m_strText.Empty();
    m_dlg.UpdateData(TRUE);
    EXPECT_EQ(m_dlg.m_strText.GetLength(), longText.GetLength());
    EXPECT_EQ(m_dlg.m_strText, longText);
}

TEST_F(DataExchangeTest, LoadingComboTextNeverPutsALongerListEntryInItsPlace)
{
    m_dlg.m_combo.AddString(_T("C:\\Data\\a.txt"));
    m_dlg.m_combo.AddString(_T("D:\\Other"));

    m_dlg.m_strText = _T("c:\\data");
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(ComboText(), CString(_T("c:\\data")));
    m_dlg.UpdateData(TRUE);
    EXPECT_EQ(m_dlg.m_strText, CString(_T("c:\\data")));

    m_dlg.m_strText = _T("C:\\Data\\a.txt");
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(ComboText(), CString(_T("C:\\Data\\a.txt")));

    m_dlg.m_strText.Empty();
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(ComboText(), CString());
    EXPECT_EQ(m_dlg.m_combo.GetCount(), 2) << "the exchange changed the list";
}

TEST_F(DataExchangeTest, ComboTextTypedByTheUserIsSaved)
{
    HWND hEdit = ::FindWindowEx(m_dlg.m_combo.m_hWnd, nullptr, _T("Edit"), nullptr);
    ASSERT_NE(hEdit, nullptr);
    const TCHAR typed[] = _T("E:\\x");
    for (const TCHAR* p = typed; *p != 0; ++p)
        ::SendMessage(hEdit, WM_CHAR, *p, 1);
    m_dlg.UpdateData(TRUE);
    EXPECT_EQ(m_dlg.m_strText, CString(_T("E:\\x")));
}

TEST_F(DataExchangeTest, ADropDownListSelectsTheEqualEntry)
{
    HWND hList = Item(IDC_TEST_DROPLIST);
    ::SendMessage(hList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(_T("Two words")));
    ::SendMessage(hList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(_T("Two")));
    CDataExchange load(&m_dlg, FALSE);
    CString value = _T("Two");
    DDX_CBString(&load, IDC_TEST_DROPLIST, value);
    EXPECT_EQ(::SendMessage(hList, CB_GETCURSEL, 0, 0), 1);

    CDataExchange save(&m_dlg, TRUE);
    value.Empty();
    DDX_CBString(&save, IDC_TEST_DROPLIST, value);
    EXPECT_EQ(value, CString(_T("Two")));

    value = _T("Three");
    DDX_CBString(&load, IDC_TEST_DROPLIST, value);
    EXPECT_EQ(::SendMessage(hList, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(DataExchangeTest, DateAndTimeGoBothWays)
{
    m_dlg.m_date = CTime(2024, 3, 15, 13, 45, 30);
    ASSERT_TRUE(m_dlg.m_date.IsValid());
    m_dlg.UpdateData(FALSE);
    SYSTEMTIME shown = PickerTime();
    EXPECT_EQ(shown.wYear, 2024);
    EXPECT_EQ(shown.wMonth, 3);
    EXPECT_EQ(shown.wDay, 15);
    EXPECT_EQ(shown.wHour, 13);
    EXPECT_EQ(shown.wMinute, 45);
    EXPECT_EQ(shown.wSecond, 30);

    SYSTEMTIME picked = LocalTime(1998, 12, 31, 23, 59, 58);
    ASSERT_TRUE(::SendMessage(Item(IDC_TEST_DATE), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&picked)));
    m_dlg.UpdateData(TRUE);
    EXPECT_EQ(m_dlg.m_date, CTime(1998, 12, 31, 23, 59, 58));
}

TEST_F(DataExchangeTest, AnInvalidTimeLeavesThePickerAsItIs)
{
    SYSTEMTIME before = LocalTime(2011, 7, 4, 8, 9, 10);
    ASSERT_TRUE(::SendMessage(Item(IDC_TEST_DATE), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&before)));
    m_dlg.m_date = CTime::Invalid();
    m_dlg.UpdateData(FALSE);
    SYSTEMTIME after = PickerTime();
    EXPECT_EQ(after.wYear, 2011);
    EXPECT_EQ(after.wMonth, 7);
    EXPECT_EQ(after.wDay, 4);
    EXPECT_EQ(after.wHour, 8);
    EXPECT_EQ(after.wSecond, 10);
}

TEST_F(DataExchangeTest, CheckBoxGoesBothWays)
{
    HWND hCheck = Item(IDC_TEST_CHECK);
    m_dlg.m_bCheck = TRUE;
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(::SendMessage(hCheck, BM_GETCHECK, 0, 0), BST_CHECKED);

    ::SendMessage(hCheck, BM_CLICK, 0, 0);
    m_dlg.UpdateData(TRUE);
    EXPECT_FALSE(m_dlg.m_bCheck);
    EXPECT_EQ(::SendMessage(hCheck, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    ::SendMessage(hCheck, BM_CLICK, 0, 0);
    m_dlg.UpdateData(TRUE);
    EXPECT_EQ(m_dlg.m_bCheck, TRUE);

    m_dlg.m_bCheck = FALSE;
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(::SendMessage(hCheck, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(DataExchangeTest, AControlTheDialogLacksIsSkipped)
{
    CDataExchange save(&m_dlg, TRUE);
    CString text = _T("kept");
    BOOL check = TRUE;
    CTime time(2020, 1, 2, 3, 4, 5);
    CComboBox unbound;
    DDX_Control(&save, 4242, unbound);
    DDX_CBString(&save, 4242, text);
    DDX_Check(&save, 4242, check);
    DDX_DateTimeCtrl(&save, 4242, time);
    EXPECT_EQ(unbound.m_hWnd, nullptr);
    EXPECT_EQ(text, CString(_T("kept")));
    EXPECT_EQ(check, TRUE);
    EXPECT_EQ(time, CTime(2020, 1, 2, 3, 4, 5));
}
