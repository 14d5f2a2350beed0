// The icon button's hot tracking driven by mouse messages, its binding and
// its icons.
#include "tests/controls/IconButtonFixture.h"
#include "tests/controls/OtherThreadWindow.h"
#include "tests/support/WindowTestSupport.h"

namespace
{
constexpr UINT kButtonUp = 0;

void MoveMouse(const CWnd& btn, int x, int y, UINT nFlags)
{
    ::SendMessage(btn.m_hWnd, WM_MOUSEMOVE, nFlags, MAKELPARAM(x, y));
}

void MoveInside(const CWnd& btn, UINT nFlags = kButtonUp)
{
    MoveMouse(btn, 10, 10, nFlags);
}

// Left of and above the button: the point's signed coordinates matter.
void MoveOutside(const CWnd& btn, UINT nFlags = kButtonUp)
{
    MoveMouse(btn, -5, -5, nFlags);
}

bool RepaintPending(const CWnd& btn)
{
    return ::GetUpdateRect(btn.m_hWnd, nullptr, FALSE) != FALSE;
}

bool IconAlive(HICON hIcon)
{
    ICONINFO info = {};
    if (!::GetIconInfo(hIcon, &info))
        return false;
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return true;
}

class IconButtonTracking : public IconButtonTest
{
protected:
    CTestIconButton& Go() { return m_dlg.m_btnGo; }
};
}

TEST_F(IconButtonTracking, EnteringMakesTheButtonHotAndTakesTheCapture)
{
    // Posted, so the move comes through the thread's queue like a real one.
    ::PostMessage(Go().m_hWnd, WM_MOUSEMOVE, kButtonUp, MAKELPARAM(10, 10));
    testsupport::PumpMessages();
    EXPECT_TRUE(Go().m_bHot);
    EXPECT_EQ(::GetCapture(), Go().m_hWnd);

    MoveMouse(Go(), 20, 15, kButtonUp);
    EXPECT_TRUE(Go().m_bHot);
    EXPECT_EQ(::GetCapture(), Go().m_hWnd);

    MoveOutside(Go());
    ::ValidateRect(Go().m_hWnd, nullptr);
    MoveInside(Go());
    EXPECT_TRUE(RepaintPending(Go())) << "entering repaints the button";
}

TEST_F(IconButtonTracking, LeavingWithTheButtonUpReleasesTheCapture)
{
    MoveInside(Go());
    ::ValidateRect(Go().m_hWnd, nullptr);
    MoveOutside(Go());
    EXPECT_FALSE(Go().m_bHot);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(RepaintPending(Go()));
}

TEST_F(IconButtonTracking, LeavingWithTheButtonDownKeepsTheCaptureUntilLetGoOutside)
{
    MoveInside(Go());
    ::ValidateRect(Go().m_hWnd, nullptr);
    MoveOutside(Go(), MK_LBUTTON);
    EXPECT_FALSE(Go().m_bHot);
    EXPECT_EQ(::GetCapture(), Go().m_hWnd);
    EXPECT_TRUE(RepaintPending(Go()));

    MoveInside(Go(), MK_LBUTTON);
    EXPECT_FALSE(Go().m_bHot);
    MoveInside(Go());
    EXPECT_FALSE(Go().m_bHot) << "captured and not hot: a move inside changes nothing";
    EXPECT_EQ(::GetCapture(), Go().m_hWnd);

    MoveOutside(Go());
    EXPECT_EQ(::GetCapture(), nullptr);
    MoveInside(Go());
    EXPECT_TRUE(Go().m_bHot) << "hot again after leaving and re-entering";
}

TEST_F(IconButtonTracking, EnteringWithTheButtonDownStaysNormal)
{
    MoveInside(Go(), MK_LBUTTON);
    EXPECT_FALSE(Go().m_bHot);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(IconButtonTracking, FocusLossEndsHotButLeavesTheCapture)
{
    ::SetFocus(Go().m_hWnd);
    MoveInside(Go());
    ASSERT_TRUE(Go().m_bHot);
    ::ValidateRect(Go().m_hWnd, nullptr);
    ::SetFocus(m_dlg.m_btnClose.m_hWnd);
    EXPECT_FALSE(Go().m_bHot);
    EXPECT_EQ(::GetCapture(), Go().m_hWnd);
    EXPECT_TRUE(RepaintPending(Go()));

    MoveInside(Go());
    EXPECT_FALSE(Go().m_bHot) << "still holding the capture, it waits for the mouse to leave";
    MoveOutside(Go());
    EXPECT_EQ(::GetCapture(), nullptr);
    MoveInside(Go());
    EXPECT_TRUE(Go().m_bHot);
}

TEST_F(IconButtonTracking, AHotButtonThatLostTheCaptureTakesItAgain)
{
    MoveInside(Go());
    ::ReleaseCapture();
    ASSERT_TRUE(Go().m_bHot) << "no handler for a lost capture";
    MoveInside(Go());
    EXPECT_TRUE(Go().m_bHot);
    EXPECT_EQ(::GetCapture(), Go().m_hWnd);
}

TEST_F(IconButtonTracking, NotHotWhileAnotherProgramIsActive)
{
    OtherThreadWindow other;
    ASSERT_EQ(::GetActiveWindow(), nullptr) << "this thread should have no active window";
    MoveInside(Go());
    EXPECT_FALSE(Go().m_bHot);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(IconButtonTracking, ClassicButtonIsNeverHot)
{
    Go().m_bFlat = FALSE;
    MoveInside(Go());
    EXPECT_FALSE(Go().m_bHot);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(IconButtonTracking, EveryPushButtonOfTheTemplateBecomesOwnerDrawn)
{
    ASSERT_EQ(m_dlg.m_dwGoStyleBeforeBinding & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    for (CTestIconButton* pBtn : {&m_dlg.m_btnGo, &m_dlg.m_btnBrowse, &m_dlg.m_btnClose})
    {
        EXPECT_EQ(pBtn->GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
        EXPECT_NE(pBtn->GetStyle() & WS_TABSTOP, 0u);
    }
}

TEST_F(IconButtonTracking, ColourResetsRepaintOnlyWhenAskedWithTrue)
{
    ::ValidateRect(Go().m_hWnd, nullptr);
    Go().ResetNormalBackColor(FALSE);
    Go().ResetNormalTextColor(2);
    EXPECT_FALSE(RepaintPending(Go()));
    Go().ResetHotTextColor(TRUE);
    EXPECT_TRUE(RepaintPending(Go()));
    EXPECT_EQ(Go().GetNormalBackColor(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Go().GetHotBackColor(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Go().GetNormalTextColor(), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(Go().GetHotTextColor(), ::GetSysColor(COLOR_BTNTEXT));
}

TEST_F(IconButtonTracking, SetIconsLoadsOneOrTwoIconsAndReleasesTheOldOnes)
{
    EXPECT_NE(m_dlg.m_btnBrowse.m_hHotIcon, nullptr);
    EXPECT_EQ(m_dlg.m_btnBrowse.m_hNormalIcon, m_dlg.m_btnBrowse.m_hHotIcon);
    EXPECT_NE(Go().m_hNormalIcon, nullptr);
    EXPECT_NE(Go().m_hNormalIcon, Go().m_hHotIcon);
    EXPECT_EQ(Go().m_nIconWidth, 32);
    EXPECT_EQ(Go().m_nIconHeight, 32);

    HICON hOldHot = Go().m_hHotIcon;
    HICON hOldNormal = Go().m_hNormalIcon;
    Go().SetIcons(IDI_TEST_NORMAL, 0, 16, 24);
    EXPECT_FALSE(IconAlive(hOldHot));
    EXPECT_FALSE(IconAlive(hOldNormal));
    EXPECT_TRUE(IconAlive(Go().m_hHotIcon));
    EXPECT_EQ(Go().m_hNormalIcon, Go().m_hHotIcon);
    EXPECT_EQ(Go().m_nIconWidth, 16);
    EXPECT_EQ(Go().m_nIconHeight, 24);

    Go().SetIcons(999, 998, 32, 32);
    EXPECT_EQ(Go().m_hHotIcon, nullptr) << "an icon that does not load leaves the field empty";
    EXPECT_EQ(Go().m_hNormalIcon, nullptr);
}

TEST(IconButtonIcons, AProgramButtonIconLoadsAtItsOwnSize)
{
    CTestIconButton btn;
    btn.SetIcons(IDI_TICK, 0, 32, 32);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(btn.m_hHotIcon, &info));
    BITMAP bm = {};
    ::GetObject(info.hbmColor, sizeof(bm), &bm);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 32);
}

TEST(IconButtonIcons, TheButtonReleasesItsIconsWhenItGoes)
{
    HICON hShared = nullptr;
    HICON hHot = nullptr;
    HICON hNormal = nullptr;
    {
        CTestIconButton shared;
        shared.SetIcons(IDI_TEST_HOT, 0, 32, 32);
        hShared = shared.m_hHotIcon;
        CTestIconButton pair;
        pair.SetIcons(IDI_TEST_HOT, IDI_TEST_NORMAL, 32, 32);
        hHot = pair.m_hHotIcon;
        hNormal = pair.m_hNormalIcon;
        ASSERT_TRUE(IconAlive(hShared));
        ASSERT_TRUE(IconAlive(hHot));
        ASSERT_TRUE(IconAlive(hNormal));
    }
    EXPECT_FALSE(IconAlive(hShared));
    EXPECT_FALSE(IconAlive(hHot));
    EXPECT_FALSE(IconAlive(hNormal));
}
