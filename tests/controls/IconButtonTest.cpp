// The program's icon buttons on its real main window: each look read back
// pixel by pixel from what the button paints when asked, and hot tracking
// driven by mouse messages.
#include "tests/main_window/MainWindowFixture.h"
#include "tests/support/WindowTestSupport.h"

#include <algorithm>

using namespace testsupport;

namespace
{
// How many pixels of the face, but for its outer ring where an edge may show
// through, differ from the program's icon drawn at pt over the face colour.
int IconMismatches(const Pixels& face, int nIconID, POINT pt)
{
    auto hIcon = static_cast<HICON>(::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(nIconID), IMAGE_ICON, 0, 0, 0));
    const Pixels icon(32, 32, [&](HDC hDC) {
        const RECT rc = {0, 0, 32, 32};
        ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
        ::DrawIconEx(hDC, 0, 0, hIcon, 0, 0, 0, nullptr, DI_NORMAL);
    });
    ::DestroyIcon(hIcon);
    int nCount = 0;
    for (int y = std::max(1, static_cast<int>(pt.y)); y < std::min<int>(face.cy - 1, pt.y + 32); ++y)
        for (int x = std::max(1, static_cast<int>(pt.x)); x < std::min<int>(face.cx - 1, pt.x + 32); ++x)
            nCount += face.At(x, y) != icon.At(x - pt.x, y - pt.y);
    return nCount;
}

class IconButtonTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ::SetCursorPos(1270, 1010);     // far away: no move of the real pointer reaches a button
        Open(m_dlg);
        ::SetForegroundWindow(m_dlg.m_hWnd);
        PumpMessages();
    }
    CDorvaneDlg m_dlg;
};
}

// Normal, hot (a one-pixel raised edge), pressed (sunken, the icon a pixel
// down and right), disabled (greyed) and focused (no mark: the button is
// flat); the icon is beside the caption, or centred without one, also when
// it is larger than the button, whose excess is halved toward zero.
TEST_F(IconButtonTest, EachLookShowsItsIconAndEdgeInPlace)
{
    enum Look { kNormal, kHot, kPressed, kDisabled, kFocused };
    const int nEdges[][2] = {{COLOR_BTNFACE, COLOR_BTNFACE}, {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
                             {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}, {COLOR_BTNFACE, COLOR_BTNFACE}, {COLOR_BTNFACE, COLOR_BTNFACE}};
    const struct { int nID; Look look; int nIconID; } cases[] = {{IDOK, kNormal, IDI_TICK}, {IDOK, kHot, IDI_TICK},
        {IDOK, kPressed, IDI_TICK}, {IDOK, kDisabled, IDI_TICK}, {IDOK, kFocused, IDI_TICK},
        {IDC_ABOUT, kNormal, IDI_INFO_DARK}, {IDC_ABOUT, kHot, IDI_INFO_BRIGHT}, {IDC_ABOUT, kPressed, IDI_INFO_BRIGHT},
        {IDC_SELECT_FILE, kNormal, IDI_DOCUMENT}, {IDC_CHOOSE_FOLDER, kPressed, IDI_FOLDER}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "button " << c.nID << ", look " << c.look);
        const HWND hButton = m_dlg.GetDlgItem(c.nID);
        ::SetFocus(m_dlg.GetDlgItem(c.look == kFocused ? c.nID : IDC_DATE));
        ::SendMessage(hButton, WM_MOUSEMOVE, c.look == kHot ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));    // down: stays normal
        ::SendMessage(hButton, BM_SETSTATE, c.look == kPressed, 0);
        ::EnableWindow(hButton, c.look != kDisabled);
        const Pixels face = ClientPixels(hButton, false);
        ::SendMessage(hButton, WM_MOUSEMOVE, c.look == kHot ? 0 : MK_LBUTTON, MAKELPARAM(-5, -5));
        ::SendMessage(hButton, BM_SETSTATE, FALSE, 0);
        ::EnableWindow(hButton, TRUE);
        const int nShift = c.look == kPressed ? 1 : 0;
        const CPoint icon((::GetWindowTextLength(hButton) ? 3 : (face.cx - 32) / 2) + nShift, (face.cy - 32) / 2 + nShift);
        const int nMismatches = IconMismatches(face, c.nIconID, icon);
        EXPECT_EQ(nMismatches == 0, c.look != kDisabled) << nMismatches << " pixels differ from the icon at " << icon.x
                                                          << ", " << icon.y;
        EXPECT_EQ(face.At(0, face.cy - 2), ::GetSysColor(nEdges[c.look][0]));
        EXPECT_EQ(face.At(face.cx - 1, face.cy - 2), ::GetSysColor(nEdges[c.look][1]));
    }
}

// Painting part of a button changes that part as a whole paint does, and
// nothing else; an empty part changes nothing.
TEST_F(IconButtonTest, APartialPaintChangesOnlyItsPart)
{
    const HWND hGo = m_dlg.GetDlgItem(IDOK);
    const Pixels whole = ClientPixels(hGo, false);
    for (const CRect& rcPart : {CRect(5, 7, 15, 15), CRect(0, 0, 0, 0)})
    {
        const Pixels part = ClientPixels(hGo, false, &rcPart);
        int nWrong = 0;
        for (int i = 0; i < part.cx * part.cy; ++i)
            nWrong += part.px[i] != (rcPart.PtInRect({i % part.cx, i / part.cx}) ? whole.px[i] : RGB(255, 0, 255));
        EXPECT_EQ(nWrong, 0) << rcPart.Width() << " x " << rcPart.Height();
    }
}

// Hot while the mouse is over it, the left button up: it holds the capture
// to see the mouse leave, keeps it through a press, and takes it back if
// lost; losing the focus ends hot. Each change repaints the button.
TEST_F(IconButtonTest, HotTrackingFollowsTheMouseItsButtonAndTheFocus)
{
    const HWND hGo = m_dlg.GetDlgItem(IDOK);
    enum Step { kIn, kOut, kInDown, kOutDown, kLoseFocus, kLoseCapture };
    const struct { Step step; bool bHot; bool bCaptured; } steps[] = {{kIn, 1, 1}, {kIn, 1, 1}, {kOut, 0, 0},
        {kInDown, 0, 0}, {kIn, 1, 1}, {kOutDown, 0, 1}, {kInDown, 0, 1}, {kIn, 0, 1}, {kOut, 0, 0}, {kIn, 1, 1},
        {kLoseFocus, 0, 1}, {kIn, 0, 1}, {kOut, 0, 0}, {kIn, 1, 1}, {kLoseCapture, 1, 0}, {kIn, 1, 1}};
    ::SetFocus(hGo);
    for (size_t i = 0; i < std::size(steps); ++i)
    {
        SCOPED_TRACE(i);
        ::SendMessage(hGo, BM_SETSTATE, FALSE, 0);      // a move with the left button down pushes the button too
        ::ValidateRect(hGo, nullptr);
        if (steps[i].step == kLoseFocus)
            ::SetFocus(m_dlg.GetDlgItem(IDCANCEL));
        if (steps[i].step == kLoseCapture)
            ::ReleaseCapture();
        if (steps[i].step <= kOutDown)
            ::SendMessage(hGo, WM_MOUSEMOVE, steps[i].step >= kInDown ? MK_LBUTTON : 0,
                          steps[i].step % 2 ? MAKELPARAM(-5, -5) : MAKELPARAM(10, 10));
        EXPECT_TRUE(::GetUpdateRect(hGo, nullptr, FALSE) || !i || steps[i].bHot == steps[i - 1].bHot) << "not repainted";
        const Pixels face = ClientPixels(hGo, false);
        EXPECT_EQ(face.At(0, face.cy - 2) == ::GetSysColor(COLOR_BTNHIGHLIGHT), steps[i].bHot);
        EXPECT_EQ(::GetCapture() == hGo, steps[i].bCaptured);
    }
}
