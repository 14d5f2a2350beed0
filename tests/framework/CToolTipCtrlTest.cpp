// CToolTipCtrl on the test dialog: tools named by string id or by text, for
// a whole window or a rectangle, read back with TTM_GETTEXT, and the tool-tip
// window's lifetime.
#include "framework/CToolTipCtrl.h"
#include "tests/framework/WindowTestDialog.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"


#include <gtest/gtest.h>

namespace
{
class CToolTipCtrlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_TEST_DIALOG));
        ASSERT_TRUE(m_tip.Create(&m_dlg));
    }

    CString TipText(CWnd& tool, UINT_PTR nIDTool = 0)
    {
        CString text;
        m_tip.GetText(text, &tool, nIDTool);
        return text;
    }

    // The platform's own record of a tool, asked with a full-size TOOLINFO.
    bool ToolInfo(HWND hWnd, UINT_PTR uId, TOOLINFO& ti)
    {
        ti = {};
        ti.cbSize = sizeof(ti);
        ti.hwnd = hWnd;
        ti.uId = uId;
        return m_tip.SendMessage(TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
    }

    CTestDialog m_dlg;
    CToolTipCtrl m_tip;
};
}

// The suite runs once without and once with a common-controls 6 manifest;
// this guards that each run really has the library it is meant to test: the
// one whose code runs the tool-tip windows. Version 6 is the side-by-side
// assembly under WinSxS (Wine's copy reports version 5 from DllGetVersion,
// so the place tells them apart).
TEST(CommonControls, TheToolTipsComeFromTheLibraryTheManifestAsksFor)
{
    bool hasManifest = ::FindResource(nullptr, MAKEINTRESOURCE(1), RT_MANIFEST) != nullptr;
    WNDCLASSEX wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(::GetClassInfoEx(nullptr, TOOLTIPS_CLASS, &wc));
    HMODULE hComCtl = nullptr;
    ASSERT_TRUE(::GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                        GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                    reinterpret_cast<LPCTSTR>(wc.lpfnWndProc), &hComCtl));
    TCHAR path[MAX_PATH] = {};
    ::GetModuleFileName(hComCtl, path, MAX_PATH);
    CString place(path);
    place.MakeLower();
    EXPECT_EQ(place.Find(_T("\\winsxs\\")) >= 0, hasManifest) << testsupport::Narrow(path);
}

TEST_F(CToolTipCtrlTest, CreatesAPopupOwnedByItsParent)
{
    TCHAR className[64] = {};
    ::GetClassName(m_tip.m_hWnd, className, 64);
    EXPECT_EQ(CString(className), CString(TOOLTIPS_CLASS));
    EXPECT_EQ(::GetWindow(m_tip.m_hWnd, GW_OWNER), m_dlg.m_hWnd);
    EXPECT_NE(m_tip.GetStyle() & WS_POPUP, 0u);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_tip.m_hWnd), &m_tip);
}

TEST_F(CToolTipCtrlTest, AToolFromTheStringTableIsTheWindowItself)
{
    ASSERT_TRUE(m_tip.AddTool(&m_dlg.m_combo, IDS_TEST_TIP));
    EXPECT_EQ(TipText(m_dlg.m_combo), CString(_T("Tip from the string table")));
    EXPECT_EQ(m_tip.GetToolCount(), 1);

    TOOLINFO ti;
    ASSERT_TRUE(ToolInfo(m_dlg.m_hWnd, reinterpret_cast<UINT_PTR>(m_dlg.m_combo.m_hWnd), ti));
    EXPECT_EQ(ti.uFlags & (TTF_IDISHWND | TTF_SUBCLASS), static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));
}

TEST_F(CToolTipCtrlTest, AMissingStringAddsNoTool)
{
    EXPECT_FALSE(m_tip.AddTool(&m_dlg.m_combo, 4711u));
    EXPECT_EQ(m_tip.GetToolCount(), 0);
}

TEST_F(CToolTipCtrlTest, AToolWithARectangleIsThatRectangleOfTheWindowUnderItsId)
{
    CRect rect(1, 2, 30, 12);
    ASSERT_TRUE(m_tip.AddTool(&m_dlg.m_label, _T("http://example.com/"), &rect, 1));
    EXPECT_EQ(TipText(m_dlg.m_label, 1), CString(_T("http://example.com/")));

    TOOLINFO ti;
    ASSERT_TRUE(ToolInfo(m_dlg.m_label.m_hWnd, 1, ti));
    EXPECT_EQ(ti.uFlags & TTF_IDISHWND, 0u);
    EXPECT_EQ(CRect(ti.rect), rect);
}

TEST_F(CToolTipCtrlTest, UpdateTipTextReplacesTheTextOfThatToolOnly)
{
    ASSERT_TRUE(m_tip.AddTool(&m_dlg.m_combo, IDS_TEST_TIP));
    ASSERT_TRUE(m_tip.AddTool(&m_dlg.m_label, _T("label text"), nullptr, 1));

    m_tip.UpdateTipText(_T("the new target"), &m_dlg.m_label, 1);
    EXPECT_EQ(TipText(m_dlg.m_label, 1), CString(_T("the new target")));
    EXPECT_EQ(TipText(m_dlg.m_combo), CString(_T("Tip from the string table")));

    CString other;
    other.LoadString(IDS_TEST_TIP_OTHER);
    m_tip.UpdateTipText(other, &m_dlg.m_combo);
    EXPECT_EQ(TipText(m_dlg.m_combo), CString(_T("Another tip")));
    EXPECT_EQ(m_tip.GetToolCount(), 2);
}

TEST_F(CToolTipCtrlTest, LongTextsSurviveTheRoundTrip)
{
    CString longText(_T('w'), 300);
    ASSERT_TRUE(m_tip.AddTool(&m_dlg.m_combo, longText));
    EXPECT_EQ(TipText(m_dlg.m_combo), longText);
}

TEST_F(CToolTipCtrlTest, RelayEventAndActivateAreAccepted)
{
    ASSERT_TRUE(m_tip.AddTool(&m_dlg.m_combo, IDS_TEST_TIP));
    m_tip.Activate(TRUE);
    MSG msg = {};
    msg.hwnd = m_dlg.m_combo.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    m_tip.RelayEvent(&msg);
    m_tip.Activate(FALSE);
    EXPECT_EQ(TipText(m_dlg.m_combo), CString(_T("Tip from the string table")));
}

TEST(CToolTipCtrlLifetime, TheObjectDestroysItsWindowAndAnOwnerGoingFirstUnbindsIt)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    HWND hTip = nullptr;
    {
        CToolTipCtrl tip;
        ASSERT_TRUE(tip.Create(&dlg));
        hTip = tip.m_hWnd;
        ASSERT_TRUE(tip.AddTool(&dlg.m_combo, IDS_TEST_TIP));
    }
    EXPECT_FALSE(::IsWindow(hTip));
    EXPECT_EQ(CWnd::FromHandlePermanent(hTip), nullptr);

    CToolTipCtrl outlived;
    {
        CTestDialog owner;
        ASSERT_TRUE(owner.Create(IDD_TEST_DIALOG));
        ASSERT_TRUE(outlived.Create(&owner));
        ASSERT_TRUE(outlived.AddTool(&owner.m_combo, IDS_TEST_TIP));
        hTip = outlived.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hTip)) << "an owned popup goes with its owner";
    EXPECT_EQ(outlived.m_hWnd, nullptr);
}
