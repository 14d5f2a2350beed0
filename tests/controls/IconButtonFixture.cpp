#include "tests/controls/IconButtonFixture.h"

#include "tests/support/WindowTestSupport.h"

namespace
{
class HostWindow : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(s_wnd.CreateEx(0, _T("Static"), _T("Icon button tests"), WS_POPUP | WS_VISIBLE, 0, 0,
                                   400, 200, nullptr, nullptr));
    }
    void TearDown() override { s_wnd.DestroyWindow(); }

    static CWnd s_wnd;
};

CWnd HostWindow::s_wnd;

::testing::Environment* const g_pHostWindow = ::testing::AddGlobalTestEnvironment(new HostWindow);
}

void IconButtonTest::SetUp()
{
    // The real pointer rests far from the host window, so that no mouse move
    // of its own reaches a button holding the capture.
    ::SetCursorPos(1270, 1010);
    ::SetForegroundWindow(HostWindow::s_wnd.m_hWnd);
    testsupport::PumpMessages();
    ASSERT_EQ(::GetActiveWindow(), HostWindow::s_wnd.m_hWnd);
    ASSERT_TRUE(m_dlg.Create(IDD_BUTTON_TEST, &HostWindow::s_wnd));
}
