// The one-line control wrappers against real controls: what each returns,
// where Win32 leaves it vague.
#include "framework/CButton.h"
#include "framework/CComboBox.h"
#include "framework/CStatic.h"
#include "tests/framework/WindowTestDialog.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace
{
class CControlsTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dlg.Create(IDD_TEST_DIALOG)); }
    CTestDialog m_dlg;
};
}

TEST_F(CControlsTest, ComboListEntriesOfAnyLength)
{
    CComboBox& combo = m_dlg.m_combo;
    CString longEntry(_T('q'), 600);
    EXPECT_EQ(combo.AddString(_T("first")), 0);
    EXPECT_EQ(combo.AddString(longEntry), 1);
    EXPECT_EQ(combo.InsertString(0, _T("top")), 0);
    EXPECT_EQ(combo.GetCount(), 3);

    CString text;
    EXPECT_EQ(combo.GetLBText(2, text), 600);
    EXPECT_EQ(text, longEntry);
    EXPECT_EQ(combo.GetLBTextLen(2), 600);
    EXPECT_EQ(combo.GetLBText(7, text), CB_ERR);
    EXPECT_TRUE(text.IsEmpty());

    EXPECT_EQ(combo.DeleteString(0), 2);
    combo.GetLBText(0, text);
    EXPECT_EQ(text, CString(_T("first")));
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST_F(CControlsTest, ComboSearchingAndSelecting)
{
    CComboBox& combo = m_dlg.m_combo;
    combo.AddString(_T("C:\\Data\\a.txt"));
    combo.AddString(_T("C:\\Data"));

    EXPECT_EQ(combo.FindString(-1, _T("c:\\data")), 0) << "a prefix, ignoring case";
    EXPECT_EQ(combo.FindStringExact(-1, _T("c:\\data")), 1);
    EXPECT_EQ(combo.FindString(-1, _T("D:")), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);

    EXPECT_EQ(combo.SelectString(-1, _T("c:\\data\\")), 0);
    EXPECT_EQ(combo.GetCurSel(), 0);
    CString text;
    combo.GetWindowText(text);
    EXPECT_EQ(text, CString(_T("C:\\Data\\a.txt")));
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);

    EXPECT_EQ(combo.SetItemData(1, 99), 1);
    EXPECT_EQ(combo.GetItemData(1), 99u);
}

TEST_F(CControlsTest, ComboEditSelectionIsPackedAsTwoWords)
{
    CComboBox& combo = m_dlg.m_combo;
    combo.SetWindowText(_T("abcdefgh"));
    EXPECT_TRUE(combo.SetEditSel(2, 5));
    DWORD sel = combo.GetEditSel();
    EXPECT_EQ(LOWORD(sel), 2);
    EXPECT_EQ(HIWORD(sel), 5);
    EXPECT_TRUE(combo.SetEditSel(3, -1));
    sel = combo.GetEditSel();
    EXPECT_EQ(LOWORD(sel), 3);
    EXPECT_EQ(HIWORD(sel), 8);
}

TEST_F(CControlsTest, ComboDropDownWidthAndState)
{
    CComboBox& combo = m_dlg.m_combo;
    CRect rect;
    combo.GetWindowRect(&rect);
    combo.SetDroppedWidth(10);
    EXPECT_EQ(combo.GetDroppedWidth(), rect.Width()) << "never narrower than the control";
    combo.SetDroppedWidth(static_cast<UINT>(rect.Width() + 40));
    EXPECT_EQ(combo.GetDroppedWidth(), rect.Width() + 40);

    m_dlg.ShowWindow(SW_SHOW);
    EXPECT_FALSE(combo.GetDroppedState());
    combo.ShowDropDown(TRUE);
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
    EXPECT_FALSE(combo.GetDroppedState());
}

TEST_F(CControlsTest, ButtonCheckStateAndStyle)
{
    CButton check;
    ASSERT_TRUE(check.SubclassDlgItem(IDC_TEST_CHECK, &m_dlg));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(check.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_AUTOCHECKBOX));

    CButton plain;
    ASSERT_TRUE(plain.SubclassDlgItem(IDC_TEST_PLAIN, &m_dlg));
    plain.SetState(TRUE);
    EXPECT_NE(plain.GetState() & BST_PUSHED, 0u);
    plain.SetState(FALSE);
    EXPECT_EQ(plain.GetState() & BST_PUSHED, 0u);
    plain.SetButtonStyle(BS_OWNERDRAW);
    EXPECT_EQ(plain.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
}

TEST_F(CControlsTest, StaticIcon)
{
    CStatic icon;
    ASSERT_TRUE(icon.Create(nullptr, WS_VISIBLE | SS_ICON, CRect(0, 0, 32, 32), &m_dlg));
    HICON hIcon = ::LoadIcon(nullptr, IDI_INFORMATION);
    icon.SetIcon(hIcon);
    EXPECT_EQ(icon.GetIcon(), hIcon);
}
