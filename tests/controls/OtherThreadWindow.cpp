#include "tests/controls/OtherThreadWindow.h"

#include "tests/support/WindowTestSupport.h"

#include <gtest/gtest.h>

OtherThreadWindow::OtherThreadWindow()
{
    m_hReady = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
    m_hThread = ::CreateThread(nullptr, 0, &OtherThreadWindow::Run, this, 0, &m_dwThreadId);
    if (!WaitPumping(m_hReady))
        ADD_FAILURE() << "the other thread's window did not come up";
}

OtherThreadWindow::~OtherThreadWindow()
{
    ::PostThreadMessage(m_dwThreadId, WM_QUIT, 0, 0);
    if (!WaitPumping(m_hThread))
        ADD_FAILURE() << "the other thread did not end";
    ::CloseHandle(m_hThread);
    ::CloseHandle(m_hReady);
}

DWORD WINAPI OtherThreadWindow::Run(LPVOID pParam)
{
    auto pThis = static_cast<OtherThreadWindow*>(pParam);
    HWND hWnd = ::CreateWindowEx(0, _T("Static"), _T("Another program"), WS_POPUP | WS_VISIBLE,
                                 400, 400, 200, 100, nullptr, nullptr, ::GetModuleHandle(nullptr), nullptr);
    ::SetForegroundWindow(hWnd);
    ::SetActiveWindow(hWnd);
    pThis->m_hWnd = hWnd;
    ::SetEvent(pThis->m_hReady);
    MSG msg;
    while (::GetMessage(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    ::DestroyWindow(hWnd);
    return 0;
}

bool OtherThreadWindow::WaitPumping(HANDLE hEvent)
{
    for (int i = 0; i < 500; ++i)
    {
        DWORD dwResult = ::MsgWaitForMultipleObjects(1, &hEvent, FALSE, 20, QS_ALLINPUT);
        if (dwResult == WAIT_OBJECT_0)
        {
            testsupport::PumpMessages();
            return true;
        }
        testsupport::PumpMessages();
    }
    return false;
}
