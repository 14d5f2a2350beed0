// The hyperlink label on real static controls of a real dialog: its fitting
// to the caption, font, tool tip, cursor and colours, as the windows show
// them.
#include "controls/HyperLink.h"
#include "tests/controls/LinkTestDialog.h"
#include "tests/controls/LinkTestResource.h"
#include "tests/controls/LinkTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using linktest::BindLink;
using linktest::ColoursShown;
using linktest::PaintedColours;
using linktest::RectInParent;
using linktest::ShowLinkTestDialog;
using linktest::ToolTipsHolding;
using linktest::ToolText;
using linktest::UnderlinedExtent;

namespace
{
CString CaptionOf(HWND hWnd)
{
    return CWnd::GetWindowTextOf(hWnd);
}

// The text of the label's one tool, from the one tool tip that holds it.
CString TipOf(HWND hLabel)
{
    std::vector<HWND> tips = ToolTipsHolding(hLabel, 1);
    EXPECT_EQ(tips.size(), 1u) << "each label has a tool tip of its own with tool id 1";
    return tips.empty() ? CString() : ToolText(tips.front(), hLabel, 1);
}

// The hand cursor a label should copy: the help program's where it has
// one, the platform's otherwise.
HCURSOR ExpectedHandCursor(HMODULE* phHelpModule)
{
    TCHAR folder[MAX_PATH] = {};
    ::GetWindowsDirectory(folder, MAX_PATH);
    *phHelpModule = ::LoadLibrary((CString(folder) + _T("\\winhlp32.exe")).GetString());
    if (*phHelpModule != nullptr)
    {
        if (HCURSOR hCursor = ::LoadCursor(*phHelpModule, MAKEINTRESOURCE(106)))
            return hCursor;
    }
    return ::LoadCursor(nullptr, IDC_HAND);
}

void MoveMouse(HWND hLabel, int x, int y)
{
    ::SendMessage(hLabel, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}
}

TEST(HyperLinkTest, ConstructionCreatesNoWindow)
{
    CHyperLink link;
    EXPECT_EQ(link.m_hWnd, nullptr);
    link.SetTarget(_T("https://before.example/"));
    link.SetVisited(TRUE);
    EXPECT_EQ(link.m_hWnd, nullptr);
}

TEST(HyperLinkTest, SubclassingAddsNotifyAndUnderlinesACopyOfTheDialogFont)
{
    auto dlg = ShowLinkTestDialog();
    HWND hStatic = dlg->GetDlgItem(IDC_LINK_LEFT);
    ASSERT_EQ(::GetWindowLongPtr(hStatic, GWL_STYLE) & SS_NOTIFY, 0);
    CHyperLink link;
    BindLink(*dlg, IDC_LINK_LEFT, link);

    EXPECT_NE(link.GetStyle() & SS_NOTIFY, 0u);
    HFONT hDialogFont = dlg->GetFont();
    HFONT hLinkFont = link.GetFont();
    ASSERT_NE(hLinkFont, nullptr);
    EXPECT_NE(hLinkFont, hDialogFont) << "the label has a font of its own";
    LOGFONT lfDialog = {};
    LOGFONT lfLink = {};
    ::GetObject(hDialogFont, sizeof(lfDialog), &lfDialog);
    ::GetObject(hLinkFont, sizeof(lfLink), &lfLink);
    EXPECT_EQ(lfLink.lfUnderline, 1);
    EXPECT_EQ(lfLink.lfHeight, lfDialog.lfHeight);
    EXPECT_EQ(lfLink.lfWeight, lfDialog.lfWeight);
    EXPECT_STREQ(lfLink.lfFaceName, lfDialog.lfFaceName);
    EXPECT_EQ(CaptionOf(link.m_hWnd), _T("Left aligned link"));
}

TEST(HyperLinkTest, LeftAndRightLabelsKeepTheirEdgeAndTakeTheCaptionSize)
{
    auto dlg = ShowLinkTestDialog();
    const CRect rcLeftBefore = RectInParent(dlg->GetDlgItem(IDC_LINK_LEFT));
    const CRect rcRightBefore = RectInParent(dlg->GetDlgItem(IDC_LINK_RIGHT));
    const CSize leftText = UnderlinedExtent(dlg->m_hWnd, _T("Left aligned link"));
    const CSize rightText = UnderlinedExtent(dlg->m_hWnd, _T("Right link"));
    ASSERT_LT(leftText.cx, rcLeftBefore.Width()) << "the template must be wider than the caption";
    ASSERT_NE(leftText.cy, rcLeftBefore.Height()) << "the template must differ in height from the caption";

    CHyperLink left;
    CHyperLink right;
    BindLink(*dlg, IDC_LINK_LEFT, left);
    BindLink(*dlg, IDC_LINK_RIGHT, right);

    EXPECT_EQ(RectInParent(left.m_hWnd), CRect(rcLeftBefore.left, rcLeftBefore.top,
                                                rcLeftBefore.left + leftText.cx, rcLeftBefore.top + leftText.cy));
    EXPECT_EQ(RectInParent(right.m_hWnd), CRect(rcRightBefore.right - rightText.cx, rcRightBefore.top,
                                                 rcRightBefore.right, rcRightBefore.top + rightText.cy));
}

// A centred label keeps its centre; an odd difference between the window
// and the caption leaves it one pixel larger when the window was larger,
// one smaller when it was smaller. The same holds vertically.
TEST(HyperLinkTest, CentredLabelsSplitEvenAndOddDifferences)
{
    struct Case
    {
        int nID;
        LPCTSTR caption;
        int nWidthDiff;     // window minus caption, before subclassing
        int nHeightDiff;
        int nLeftMove;      // expected afterwards
        int nTopMove;
        int nWidthFromCaption;
        int nHeightFromCaption;
    };
    const Case cases[] = {
        // SS_CENTER: horizontal centring, vertical fitting from the top
        {IDC_LINK_CENTER, _T("Centred link"), 6, 9, 3, 0, 0, 0},
        {IDC_LINK_CENTER, _T("Centred link"), 7, 9, 3, 0, 1, 0},
        {IDC_LINK_CENTER, _T("Centred link"), -6, 9, -3, 0, 0, 0},
        {IDC_LINK_CENTER, _T("Centred link"), -7, 9, -3, 0, -1, 0},
        // SS_CENTERIMAGE on a left-aligned label: vertical centring
        {IDC_LINK_VCENTER, _T("Middle link"), 20, 4, 0, 2, 0, 0},
        {IDC_LINK_VCENTER, _T("Middle link"), 20, 5, 0, 2, 0, 1},
        {IDC_LINK_VCENTER, _T("Middle link"), 20, -4, 0, -2, 0, 0},
        {IDC_LINK_VCENTER, _T("Middle link"), 20, -5, 0, -2, 0, -1},
        // both
        {IDC_LINK_BOTH, _T("Both ways"), 9, 7, 4, 3, 1, 1},
        {IDC_LINK_BOTH, _T("Both ways"), -9, -7, -4, -3, -1, -1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "control " << c.nID << ", differences " << c.nWidthDiff << " x "
                                        << c.nHeightDiff);
        auto dlg = ShowLinkTestDialog();
        HWND hStatic = dlg->GetDlgItem(c.nID);
        const CSize text = UnderlinedExtent(dlg->m_hWnd, c.caption);
        const CRect rcTemplate = RectInParent(hStatic);
        ::SetWindowPos(hStatic, nullptr, 0, 0, text.cx + c.nWidthDiff, text.cy + c.nHeightDiff,
                       SWP_NOMOVE | SWP_NOZORDER);
        const CRect rcBefore = RectInParent(hStatic);
        ASSERT_EQ(rcBefore.TopLeft(), rcTemplate.TopLeft());

        CHyperLink link;
        BindLink(*dlg, c.nID, link);

        const CRect rcAfter = RectInParent(link.m_hWnd);
        EXPECT_EQ(rcAfter.left, rcBefore.left + c.nLeftMove);
        EXPECT_EQ(rcAfter.top, rcBefore.top + c.nTopMove);
        EXPECT_EQ(rcAfter.Width(), text.cx + c.nWidthFromCaption);
        EXPECT_EQ(rcAfter.Height(), text.cy + c.nHeightFromCaption);
    }
}

TEST(HyperLinkTest, EmptyCaptionShowsTheTargetAndFitsToIt)
{
    auto dlg = ShowLinkTestDialog();
    const CRect rcBefore = RectInParent(dlg->GetDlgItem(IDC_LINK_EMPTY));
    const CString target = _T("https://dorvane.example.org/");
    CHyperLink link;
    link.SetTarget(target);
    BindLink(*dlg, IDC_LINK_EMPTY, link);

    EXPECT_EQ(CaptionOf(link.m_hWnd), target);
    const CSize text = UnderlinedExtent(dlg->m_hWnd, target);
    EXPECT_EQ(RectInParent(link.m_hWnd),
              CRect(rcBefore.left, rcBefore.top, rcBefore.left + text.cx, rcBefore.top + text.cy));
    EXPECT_EQ(TipOf(link.m_hWnd), target);
}

TEST(HyperLinkTest, ToolTipShowsTheCaptionUntilATargetIsSet)
{
    auto dlg = ShowLinkTestDialog();
    CHyperLink link;
    CHyperLink other;
    BindLink(*dlg, IDC_LINK_LEFT, link);
    BindLink(*dlg, IDC_LINK_RIGHT, other);

    EXPECT_EQ(TipOf(link.m_hWnd), _T("Left aligned link"));
    EXPECT_EQ(TipOf(other.m_hWnd), _T("Right link"));
    std::vector<HWND> linkTips = ToolTipsHolding(link.m_hWnd, 1);
    std::vector<HWND> otherTips = ToolTipsHolding(other.m_hWnd, 1);
    ASSERT_EQ(linkTips.size(), 1u);
    ASSERT_EQ(otherTips.size(), 1u);
    EXPECT_NE(linkTips.front(), otherTips.front()) << "nothing is shared between labels";
    EXPECT_EQ(::SendMessage(linkTips.front(), TTM_GETTOOLCOUNT, 0, 0), 1);

    // The tool covers the fitted label.
    TOOLINFO ti = {};
    ti.cbSize = TTTOOLINFO_V1_SIZE;
    ti.hwnd = link.m_hWnd;
    ti.uId = 1;
    ASSERT_TRUE(::SendMessage(linkTips.front(), TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&ti)));
    CRect rcClient;
    link.GetClientRect(&rcClient);
    EXPECT_EQ(CRect(ti.rect), rcClient);

    // SetTarget refits the window to the unchanged caption and replaces the
    // tool text; the caption stays.
    const CRect rcFitted = RectInParent(link.m_hWnd);
    link.SetWindowPos(nullptr, 0, 0, rcFitted.Width() + 40, rcFitted.Height() + 9, SWP_NOMOVE | SWP_NOZORDER);
    link.SetTarget(_T("mailto:dorvane@example.org"));
    EXPECT_EQ(TipOf(link.m_hWnd), _T("mailto:dorvane@example.org"));
    EXPECT_EQ(CaptionOf(link.m_hWnd), _T("Left aligned link"));
    EXPECT_EQ(RectInParent(link.m_hWnd), rcFitted);
    EXPECT_EQ(TipOf(other.m_hWnd), _T("Right link"));
}

TEST(HyperLinkTest, ShowsAPrivateCopyOfTheHandCursorAndDestroysItWithTheLabel)
{
    auto dlg = ShowLinkTestDialog();
    HMODULE hHelpModule = nullptr;
    const HCURSOR hExpected = ExpectedHandCursor(&hHelpModule);
    HCURSOR hShown = nullptr;
    {
        CHyperLink link;
        BindLink(*dlg, IDC_LINK_LEFT, link);
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        LRESULT handled = ::SendMessage(link.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd),
                                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(handled, TRUE);
        hShown = ::GetCursor();
        EXPECT_NE(hShown, hExpected) << "the label shows its own copy";
        EXPECT_TRUE(linktest::SameCursorImage(hShown, hExpected)) << "the copy shows the hand";
        // The label goes while its cursor is the one shown.
    }
    ICONINFO info = {};
    EXPECT_FALSE(::GetIconInfo(hShown, &info)) << "the copy went with the label";
    EXPECT_NE(::GetCursor(), hShown);
    if (hHelpModule != nullptr)
        ::FreeLibrary(hHelpModule);
}

TEST(HyperLinkTest, PaintsInTheLinkColourAtFirst)
{
    auto dlg = ShowLinkTestDialog();
    CHyperLink link;
    BindLink(*dlg, IDC_LINK_LEFT, link);
    link.RedrawWindow();

    PaintedColours seen = ColoursShown(link.m_hWnd);
    EXPECT_GT(seen.link, 0);
    EXPECT_EQ(seen.visited, 0);
    EXPECT_EQ(seen.hover, 0);
}

TEST(HyperLinkTest, HoverRepaintsAtOnceAndHoldsTheCaptureUntilThePointerLeaves)
{
    auto dlg = ShowLinkTestDialog();
    CHyperLink link;
    BindLink(*dlg, IDC_LINK_LEFT, link);
    link.RedrawWindow();
    CRect rcClient;
    link.GetClientRect(&rcClient);

    MoveMouse(link.m_hWnd, 2, 2);
    PaintedColours seen = ColoursShown(link.m_hWnd);
    EXPECT_GT(seen.hover, 0);
    EXPECT_EQ(seen.link, 0);
    EXPECT_EQ(CWnd::GetCapture(), link.m_hWnd);

    // A second move inside changes nothing.
    MoveMouse(link.m_hWnd, rcClient.right - 1, rcClient.bottom - 1);
    EXPECT_GT(ColoursShown(link.m_hWnd).hover, 0);
    EXPECT_EQ(CWnd::GetCapture(), link.m_hWnd);

    MoveMouse(link.m_hWnd, rcClient.right + 5, 2);
    seen = ColoursShown(link.m_hWnd);
    EXPECT_GT(seen.link, 0);
    EXPECT_EQ(seen.hover, 0);
    EXPECT_NE(CWnd::GetCapture(), link.m_hWnd);
}

TEST(HyperLinkTest, HoverWinsOverVisitedAndLeavingShowsVisitedAgain)
{
    auto dlg = ShowLinkTestDialog();
    CHyperLink link;
    BindLink(*dlg, IDC_LINK_LEFT, link);
    link.SetVisited(TRUE);
    link.UpdateWindow();
    PaintedColours seen = ColoursShown(link.m_hWnd);
    EXPECT_GT(seen.visited, 0);
    EXPECT_EQ(seen.link, 0);

    MoveMouse(link.m_hWnd, 1, 1);
    seen = ColoursShown(link.m_hWnd);
    EXPECT_GT(seen.hover, 0);
    EXPECT_EQ(seen.visited, 0);

    MoveMouse(link.m_hWnd, -3, -3);
    seen = ColoursShown(link.m_hWnd);
    EXPECT_GT(seen.visited, 0);
    EXPECT_EQ(seen.hover, 0);

    link.SetVisited(FALSE);
    link.UpdateWindow();
    seen = ColoursShown(link.m_hWnd);
    EXPECT_GT(seen.link, 0);
    EXPECT_EQ(seen.visited, 0);
}

// Losing the focus ends the hover but keeps the capture; the next move sets
// the hover again and the one after it, outside, drops it with the capture.
TEST(HyperLinkTest, FocusLossEndsTheHoverButKeepsTheCapture)
{
    auto dlg = ShowLinkTestDialog();
    CHyperLink link;
    BindLink(*dlg, IDC_LINK_LEFT, link);
    MoveMouse(link.m_hWnd, 1, 1);
    ASSERT_EQ(CWnd::GetCapture(), link.m_hWnd);

    ::SendMessage(link.m_hWnd, WM_KILLFOCUS, 0, 0);
    link.UpdateWindow();
    PaintedColours seen = ColoursShown(link.m_hWnd);
    EXPECT_GT(seen.link, 0);
    EXPECT_EQ(seen.hover, 0);
    EXPECT_EQ(CWnd::GetCapture(), link.m_hWnd);

    MoveMouse(link.m_hWnd, 500, 500);
    EXPECT_GT(ColoursShown(link.m_hWnd).hover, 0) << "a move with the hover clear sets it wherever it is";
    MoveMouse(link.m_hWnd, 500, 500);
    EXPECT_EQ(ColoursShown(link.m_hWnd).hover, 0);
    EXPECT_NE(CWnd::GetCapture(), link.m_hWnd);
}
