// A top-level window on a thread of its own, made the foreground window, as
// when another program is in front: the test thread then has no active
// window. The window and its thread go when the object goes.
#pragma once

#include "framework/Win32.h"

class OtherThreadWindow
{
public:
    OtherThreadWindow();
    ~OtherThreadWindow();
    OtherThreadWindow(const OtherThreadWindow&) = delete;
    OtherThreadWindow& operator=(const OtherThreadWindow&) = delete;

    HWND GetHwnd() const { return m_hWnd; }

private:
    static DWORD WINAPI Run(LPVOID pParam);
    // Waits for the thread while handling this thread's messages, which the
    // change of activation sends across.
    bool WaitPumping(HANDLE hEvent);

    HANDLE m_hReady = nullptr;
    HANDLE m_hThread = nullptr;
    DWORD m_dwThreadId = 0;
    HWND m_hWnd = nullptr;
};
