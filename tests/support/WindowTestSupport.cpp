#include "tests/support/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace testsupport
{
namespace
{
std::map<UINT_PTR, std::function<void()>> g_pending;    // by thread timer

void CALLBACK RunPending(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    ::KillTimer(nullptr, idTimer);      // first, so that a nested loop in the action cannot run it again
    std::function<void()> action = std::move(g_pending[idTimer]);
    g_pending.erase(idTimer);
    if (action)
        action();
}
}

void RunSoon(std::function<void()> action, UINT nDelayMs)
{
    g_pending[::SetTimer(nullptr, 0, std::max<UINT>(nDelayMs, USER_TIMER_MINIMUM), &RunPending)] = std::move(action);
}

void RunWhen(std::function<bool()> step, std::function<void()> onTimeout, UINT nTimeoutMs, UINT nIntervalMs)
{
    RunSoon([=] {
        if (!step())
            nTimeoutMs < nIntervalMs ? onTimeout() : RunWhen(step, onTimeout, nTimeoutMs - nIntervalMs, nIntervalMs);
    }, nIntervalMs);
}

INT_PTR DoModalScripted(CDialog& dlg, std::function<void()> script, UINT nTimeoutMs)
{
    auto running = std::make_shared<bool>(true);
    RunSoon([&dlg, running, nTimeoutMs] {
        if (!*running)
            return;
        ADD_FAILURE() << "the modal dialog was still running after " << nTimeoutMs << " ms";
        if (HWND hBox = FindMessageBox())
            PressDialogButton(hBox, IDCANCEL);
        dlg.EndDialog(-7);
    }, nTimeoutMs);
    RunSoon(std::move(script));
    const INT_PTR result = dlg.DoModal();
    *running = false;
    return result;
}

void PumpMessages()
{
    for (MSG msg; ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);)
    {
        if (msg.message == WM_QUIT)
            return ::PostQuitMessage(static_cast<int>(msg.wParam));
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

HWND FindMessageBox()
{
    HWND hBox = nullptr;
    while ((hBox = ::FindWindowEx(nullptr, hBox, _T("#32770"), nullptr)) != nullptr)
        if (::IsWindowVisible(hBox) && !CWnd::FromHandlePermanent(hBox) &&
            ::GetWindowThreadProcessId(hBox, nullptr) == ::GetCurrentThreadId())
            return hBox;
    return nullptr;
}

void PressDialogButton(HWND hDlg, int nID)
{
    ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nID)));
}

std::shared_ptr<MessageBoxSeen> AnswerNextMessageBox(int nButtonID, UINT nTimeoutMs)
{
    auto seen = std::make_shared<MessageBoxSeen>();
    RunWhen([seen, nButtonID] {
        HWND hBox = FindMessageBox();
        if (hBox == nullptr)
            return false;
        *seen = {true, ::GetWindow(hBox, GW_OWNER), CWnd::GetWindowTextOf(hBox),
                 CWnd::GetWindowTextOf(::GetDlgItem(hBox, 0xFFFF))};      // the message box's text
        PressDialogButton(hBox, nButtonID);
        return true;
    }, [] {}, nTimeoutMs);
    return seen;
}

Pixels::Pixels(int nWidth, int nHeight, const std::function<void(HDC)>& paint) : cx(nWidth), cy(nHeight)
{
    BITMAPINFO bmi = {{sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    DWORD* pBits = nullptr;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), nullptr, 0);
    HGDIOBJ hPrevious = ::SelectObject(hDC, hBitmap);
    std::fill(pBits, pBits + cx * cy, RGB(255, 0, 255));
    paint(hDC);
    EXPECT_EQ(::GetObjectType(hDC), static_cast<DWORD>(OBJ_MEMDC)) << "the painter deleted the DC it was given";
    ::GdiFlush();
    for (int i = 0; i < cx * cy; ++i)
        px.push_back(RGB(pBits[i] >> 16 & 0xFF, pBits[i] >> 8 & 0xFF, pBits[i] & 0xFF));
    ::DeleteObject(::SelectObject(hDC, hPrevious));
    ::DeleteDC(hDC);
}

Pixels ClientPixels(HWND hWnd, const RECT* pClip)
{
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    return Pixels(rc.right, rc.bottom, [hWnd, pClip](HDC hDC) {
        if (!pClip || ::IntersectClipRect(hDC, pClip->left, pClip->top, pClip->right, pClip->bottom))
            ::SendMessage(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT);
    });
}
}
