// The About box as the user meets it: opened from the real main window's
// About button and system menu, with its links fitted to their captions,
// naming their targets in their tool tips, and closed with OK or Escape.
#include "about/AboutDlg.h"
#include "tests/controls/LinkTestSupport.h"
#include "tests/main_window/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

#include <functional>
#include <memory>

using linktest::RectInParent;
using linktest::ToolTipsHolding;
using linktest::ToolText;
using linktest::UnderlinedExtent;

namespace
{
const COLORREF kLinkColour = RGB(0, 0, 238);
const COLORREF kVisitedColour = RGB(85, 26, 139);

struct AboutSearch
{
    CAboutDlg* pBox = nullptr;
};

BOOL CALLBACK CollectAboutBox(HWND hWnd, LPARAM lParam)
{
    if (!::IsWindowVisible(hWnd))
        return TRUE;
    if (auto pBox = dynamic_cast<CAboutDlg*>(CWnd::FromHandlePermanent(hWnd)))
    {
        reinterpret_cast<AboutSearch*>(lParam)->pBox = pBox;
        return FALSE;
    }
    return TRUE;
}

// The About box this thread shows now, or nullptr.
CAboutDlg* FindAboutBox()
{
    AboutSearch search;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectAboutBox, reinterpret_cast<LPARAM>(&search));
    return search.pBox;
}

CString TipOf(HWND hLabel)
{
    std::vector<HWND> tips = ToolTipsHolding(hLabel, 1);
    EXPECT_EQ(tips.size(), 1u) << "each link has a tool tip of its own";
    return tips.empty() ? CString() : ToolText(tips.front(), hLabel, 1);
}

// The extent of a control's caption in the control's own font.
CSize CaptionExtent(HWND hWnd)
{
    CString text = CWnd::GetWindowTextOf(hWnd);
    HDC hDC = ::GetDC(hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(::SendMessage(hWnd, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32(hDC, text, text.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hWnd, hDC);
    return CSize(size);
}

// A rectangle of the template in dialog units, in the box's pixels.
CRect TemplateRect(HWND hDlg, int x, int y, int cx, int cy)
{
    CRect rc(x, y, x + cx, y + cy);
    ::MapDialogRect(hDlg, &rc);
    return rc;
}

void PressEscape()
{
    HWND hFocus = ::GetFocus();
    ::PostMessage(hFocus, WM_KEYDOWN, VK_ESCAPE, 1);
    ::PostMessage(hFocus, WM_KEYUP, VK_ESCAPE, 0xC0000001);
}

class AboutBoxTest : public MainWindowTest
{
protected:
    // Runs trigger (which opens the About box modally and returns when it
    // has closed) with script running inside the box's modal loop. A box
    // that is still open some seconds after the script is ended, so a box
    // that does not close never hangs the suite.
    void WithAboutBox(const std::function<void()>& trigger, const std::function<void(CAboutDlg&)>& script)
    {
        auto seen = std::make_shared<bool>(false);
        testsupport::RunWhen(
            [seen, script] {
                CAboutDlg* pBox = FindAboutBox();
                if (pBox == nullptr)
                    return false;
                *seen = true;
                script(*pBox);
                EndLingeringBox(pBox->m_hWnd);
                return true;
            },
            [] {}, 5000);
        trigger();
        testsupport::PumpMessages();
        EXPECT_TRUE(*seen) << "the About box did not open";
        EXPECT_EQ(FindAboutBox(), nullptr) << "the About box is still open";
    }

    static void EndLingeringBox(HWND hBox)
    {
        testsupport::RunWhen([hBox] { return !::IsWindow(hBox) || !::IsWindowVisible(hBox); },
                             [hBox] {
                                 ADD_FAILURE() << "the About box did not close";
                                 if (auto pBox = dynamic_cast<CAboutDlg*>(CWnd::FromHandlePermanent(hBox)))
                                     pBox->EndDialog(IDCANCEL);
                             },
                             5000);
    }

    static void ClickAbout(CDorvaneDlg& dlg)
    {
        ::SendMessage(dlg.GetDlgItem(IDC_ABOUT), BM_CLICK, 0, 0);
    }

    static void ChooseAboutFromSystemMenu(CDorvaneDlg& dlg)
    {
        ::SendMessage(dlg.m_hWnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    }
};
}

TEST_F(AboutBoxTest, TheAboutButtonOpensTheBoxOverTheMainWindowAndOKClosesIt)
{
    CDorvaneDlg dlg;
    Open(dlg);
    WithAboutBox([&] { ClickAbout(dlg); },
                 [&](CAboutDlg& box) {
                     EXPECT_EQ(CWnd::GetWindowTextOf(box.m_hWnd), _T("About Dorvane"));
                     EXPECT_EQ(::GetWindow(box.m_hWnd, GW_OWNER), dlg.m_hWnd);
                     EXPECT_FALSE(dlg.IsWindowEnabled()) << "the box is modal";
                     EXPECT_EQ(CWnd::GetFocus(), box.GetDlgItem(IDOK)) << "the focus starts on OK";
                     ::SendMessage(box.GetDlgItem(IDOK), BM_CLICK, 0, 0);
                 });
    EXPECT_TRUE(dlg.IsWindowEnabled());
}

TEST_F(AboutBoxTest, TheSystemMenuEntryOpensTheBoxAndEscapeClosesIt)
{
    CDorvaneDlg dlg;
    Open(dlg);
    WithAboutBox([&] { ChooseAboutFromSystemMenu(dlg); },
                 [&](CAboutDlg& box) {
                     EXPECT_EQ(::GetWindow(box.m_hWnd, GW_OWNER), dlg.m_hWnd);
                     ASSERT_EQ(CWnd::GetFocus(), box.GetDlgItem(IDOK));
                     PressEscape();
                 });
    EXPECT_TRUE(dlg.IsWindowEnabled());
}

// Right after opening, each link's tool tip names its target, not its
// caption.
TEST_F(AboutBoxTest, TheLinksToolTipsNameTheirTargets)
{
    CDorvaneDlg dlg;
    Open(dlg);
    WithAboutBox([&] { ClickAbout(dlg); },
                 [&](CAboutDlg& box) {
                     HWND hWeb = box.GetDlgItem(IDC_WEB_LINK);
                     HWND hMail = box.GetDlgItem(IDC_MAIL_LINK);
                     EXPECT_EQ(box.m_linkWeb.m_hWnd, hWeb);
                     EXPECT_EQ(box.m_linkMail.m_hWnd, hMail);
                     EXPECT_EQ(TipOf(hWeb), _T("https://dorvane.example.org/"));
                     EXPECT_EQ(TipOf(hMail), _T("mailto:dorvane@example.org?Subject=Dorvane"));
                     EXPECT_EQ(CWnd::GetWindowTextOf(hWeb), _T("Brannoch"));
                     EXPECT_EQ(CWnd::GetWindowTextOf(hMail), _T("Dorvane team"));
                     box.EndDialog(IDOK);
                 });
}

// The links keep their template's left and top edges and are exactly as
// large as their captions in the underlined font, so the hand cursor and
// the hover colour appear over the caption only.
TEST_F(AboutBoxTest, TheLinksAreFittedToTheirCaptions)
{
    CDorvaneDlg dlg;
    Open(dlg);
    WithAboutBox([&] { ClickAbout(dlg); },
                 [&](CAboutDlg& box) {
                     struct Link
                     {
                         int nID;
                         CRect rcTemplate;
                     };
                     const Link links[] = {
                         {IDC_WEB_LINK, TemplateRect(box.m_hWnd, 106, 30, 67, 9)},
                         {IDC_MAIL_LINK, TemplateRect(box.m_hWnd, 106, 40, 55, 9)},
                     };
                     for (const Link& link : links)
                     {
                         SCOPED_TRACE(link.nID);
                         HWND hLink = box.GetDlgItem(link.nID);
                         const CSize text = UnderlinedExtent(box.m_hWnd, CWnd::GetWindowTextOf(hLink));
                         EXPECT_EQ(RectInParent(hLink), CRect(link.rcTemplate.left, link.rcTemplate.top,
                                                              link.rcTemplate.left + text.cx,
                                                              link.rcTemplate.top + text.cy));
                         EXPECT_NE(::GetWindowLongPtr(hLink, GWL_STYLE) & SS_NOTIFY, 0);
                     }
                     box.EndDialog(IDOK);
                 });
}

// The box shows the program's name and version, the notices, and an OK
// button that is the program's icon button.
TEST_F(AboutBoxTest, TheBoxShowsTheProgramAndAnIconButton)
{
    CDorvaneDlg dlg;
    Open(dlg);
    WithAboutBox([&] { ClickAbout(dlg); },
                 [&](CAboutDlg& box) {
                     CString texts;
                     for (HWND hChild = ::GetWindow(box.m_hWnd, GW_CHILD); hChild != nullptr;
                          hChild = ::GetWindow(hChild, GW_HWNDNEXT))
                     {
                         texts += CWnd::GetWindowTextOf(hChild) + _T("|");
                         // A one-line static text wider than its control
                         // would wrap and lose its end.
                         CRect rcChild;
                         ::GetClientRect(hChild, &rcChild);
                         if ((::GetWindowLongPtr(hChild, GWL_STYLE) & SS_TYPEMASK) == SS_RIGHT)
                         {
                             EXPECT_LE(CaptionExtent(hChild).cx, rcChild.Width())
                                 << testsupport::Narrow(CWnd::GetWindowTextOf(hChild));
                         }
                     }
                     EXPECT_NE(texts.Find(_T("|Dorvane Version 1.5|")), -1) << testsupport::Narrow(texts);
                     EXPECT_NE(texts.Find(_T("|Copyright 2026|Brannoch|")), -1) << testsupport::Narrow(texts);
                     EXPECT_NE(texts.Find(_T("|MIT License. Mail|")), -1) << testsupport::Narrow(texts);
                     HWND hOK = box.GetDlgItem(IDOK);
                     EXPECT_EQ(dynamic_cast<CIconButton*>(CWnd::FromHandlePermanent(hOK)), &box.m_btnOK);
                     EXPECT_EQ(::GetWindowLongPtr(hOK, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
                     box.EndDialog(IDOK);
                 });
}

// A link marked visited keeps that colour only for the one showing: the
// next showing has new labels in the link colour.
TEST_F(AboutBoxTest, EachShowingStartsWithBothLinksInTheLinkColour)
{
    CDorvaneDlg dlg;
    Open(dlg);
    WithAboutBox([&] { ClickAbout(dlg); },
                 [&](CAboutDlg& box) {
                     box.m_linkWeb.SetVisited(TRUE);
                     box.m_linkWeb.UpdateWindow();
                     EXPECT_GT(linktest::CountColor(linktest::ScreenPixels(box.m_linkWeb.m_hWnd), kVisitedColour), 0);
                     box.EndDialog(IDOK);
                 });
    WithAboutBox([&] { ChooseAboutFromSystemMenu(dlg); },
                 [&](CAboutDlg& box) {
                     for (CHyperLink* pLink : {&box.m_linkWeb, &box.m_linkMail})
                     {
                         pLink->UpdateWindow();
                         std::vector<COLORREF> pixels = linktest::ScreenPixels(pLink->m_hWnd);
                         EXPECT_GT(linktest::CountColor(pixels, kLinkColour), 0);
                         EXPECT_EQ(linktest::CountColor(pixels, kVisitedColour), 0);
                     }
                     box.EndDialog(IDOK);
                 });
}
