// Helpers for tests driving real windows on the test thread; each needs a message loop (a dialog's, a box's...).
#pragma once

#include "framework/CDialog.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace testsupport
{
// Runs action once from the thread's next message loop, when idle or after nDelayMs; it may run loops itself.
void RunSoon(std::function<void()> action, UINT nDelayMs = 0);
// Calls step every nIntervalMs until it returns true, or else onTimeout.
void RunWhen(std::function<bool()> step, std::function<void()> onTimeout, UINT nTimeoutMs = 10000,
             UINT nIntervalMs = 20);
// dlg.DoModal() with script run in its loop once the dialog is up. One still running nTimeoutMs
// later fails the test: a message box over it is cancelled and the dialog ended with -7.
INT_PTR DoModalScripted(CDialog& dlg, std::function<void()> script, UINT nTimeoutMs = 10000);
void PumpMessages();
// This thread's visible dialog window without an object (a message box, a common dialog).
HWND FindMessageBox();
void PressDialogButton(HWND hDlg, int nID);     // as a click does

struct MessageBoxSeen { bool shown = false; HWND hOwner = nullptr; CString caption; CString text; };
// Reads the next message box within nTimeoutMs and presses nButtonID.
std::shared_ptr<MessageBoxSeen> AnswerNextMessageBox(int nButtonID = IDOK, UINT nTimeoutMs = 10000);

// Pixels read back exactly, painted over magenta so that unpainted ones show.
struct Pixels
{
    Pixels(int nWidth, int nHeight, const std::function<void(HDC)>& paint);
    COLORREF At(int x, int y) const { return px[static_cast<size_t>(y * cx + x)]; }
    int Count(COLORREF cr) const { return static_cast<int>(std::count(px.begin(), px.end(), cr)); }
    int cx;
    int cy;
    std::vector<COLORREF> px;
};
// A window's client area as it paints itself when asked (WM_PRINTCLIENT), within pClip when given.
Pixels ClientPixels(HWND hWnd, const RECT* pClip = nullptr);
}
