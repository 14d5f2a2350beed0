// The About box as the user meets it: opened from the real main window's
// About button and system menu, modal over it, its links naming their
// targets in their tool tips, and closed with OK or Escape.
#include "about/AboutDlg.h"
#include "tests/main_window/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

using namespace testsupport;

namespace
{
// Appends the text of the tool (label, 1) from each tool tip of the thread.
BOOL CALLBACK ReadTool(HWND hWnd, LPARAM lParam)
{
    auto pTool = reinterpret_cast<std::pair<HWND, CString>*>(lParam);
    TCHAR text[256] = {};
    TOOLINFO ti = {TTTOOLINFO_V1_SIZE, 0, pTool->first, 1, {}, nullptr, text, 0, nullptr};
    ::GetClassName(hWnd, text, 256);
    if (lstrcmp(text, TOOLTIPS_CLASS) != 0)
        return TRUE;
    *text = 0;
    ::SendMessage(hWnd, TTM_GETTEXT, 256, reinterpret_cast<LPARAM>(&ti));
    pTool->second += text;
    return TRUE;
}

class AboutBoxTest : public MainWindowTest
{
};
}

TEST_F(AboutBoxTest, TheAboutButtonAndTheSystemMenuOpenItOverTheMainWindow)
{
    CDorvaneDlg dlg;
    Open(dlg);
    const struct { const char* how; std::function<void()> open; UINT message; } cases[] = {
        {"the About button, closed with OK", [&] { ::SendMessage(dlg.GetDlgItem(IDC_ABOUT), BM_CLICK, 0, 0); }, BM_CLICK},
        {"the system menu, closed with Escape", [&] { dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX); }, WM_KEYDOWN}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.how);
        HWND hBox = nullptr;
        RunWhen([&] {
            auto pBox = dynamic_cast<CAboutDlg*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
            if (pBox == nullptr)
                return false;
            hBox = pBox->m_hWnd;
            EXPECT_EQ(::GetWindow(hBox, GW_OWNER), dlg.m_hWnd);
            EXPECT_FALSE(dlg.IsWindowEnabled()) << "the box is not modal";
            EXPECT_EQ(::GetFocus(), pBox->GetDlgItem(IDOK));
            const std::pair<CHyperLink&, LPCTSTR> links[] = {{pBox->m_linkWeb, _T("https://dorvane.example.org/")},
                                                             {pBox->m_linkMail, _T("mailto:dorvane@example.org?Subject=Dorvane")}};
            for (const auto& link : links)
            {
                std::pair<HWND, CString> tool = {link.first.m_hWnd, CString()};
                ::EnumThreadWindows(::GetCurrentThreadId(), &ReadTool, reinterpret_cast<LPARAM>(&tool));
                EXPECT_EQ(tool.second, link.second);
            }
            ::PostMessage(pBox->GetDlgItem(IDOK), c.message, VK_ESCAPE, 1);
            // A box that stays open is ended, so that it cannot hang the suite.
            RunSoon([pBox, hBox] {
                if (CWnd::FromHandlePermanent(hBox) == pBox)
                    pBox->EndDialog(IDCANCEL);
            }, 3000);
            return true;
        }, [] {}, 5000);
        c.open();
        EXPECT_NE(hBox, nullptr) << "the box did not open";
        EXPECT_FALSE(::IsWindow(hBox)) << "the box did not close";
        EXPECT_TRUE(dlg.IsWindowEnabled());
        EXPECT_EQ(::GetActiveWindow(), dlg.m_hWnd);
    }
}
