#include "tests/support/WindowTestSupport.h"

#include "framework/CWnd.h"

#include <gtest/gtest.h>

#include <map>

namespace testsupport
{
namespace
{
// The actions waiting for their thread timer, by timer id.
std::map<UINT_PTR, std::function<void()>>& PendingActions()
{
    static std::map<UINT_PTR, std::function<void()>> actions;
    return actions;
}

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    // One shot: the timer goes before the action runs, so that a nested
    // loop inside the action does not run it a second time.
    ::KillTimer(nullptr, idTimer);
    auto& actions = PendingActions();
    auto it = actions.find(idTimer);
    if (it == actions.end())
        return;
    std::function<void()> action = std::move(it->second);
    actions.erase(it);
    try
    {
        action();
    }
    catch (const std::exception& e)
    {
        ADD_FAILURE() << "a scheduled test step threw: " << e.what();
    }
    catch (...)
    {
        ADD_FAILURE() << "a scheduled test step threw";
    }
}

BOOL CALLBACK CollectMessageBox(HWND hWnd, LPARAM lParam)
{
    TCHAR className[16] = {};
    ::GetClassName(hWnd, className, 16);
    if (lstrcmp(className, _T("#32770")) == 0 && ::IsWindowVisible(hWnd) &&
        CWnd::FromHandlePermanent(hWnd) == nullptr)
    {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND hWnd, LPARAM lParam)
{
    TCHAR className[16] = {};
    ::GetClassName(hWnd, className, 16);
    if (lstrcmpi(className, _T("Static")) != 0)
        return TRUE;
    if ((::GetWindowLongPtr(hWnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        return TRUE;
    CString text = CWnd::GetWindowTextOf(hWnd);
    if (text.IsEmpty())
        return TRUE;
    *reinterpret_cast<CString*>(lParam) = text;
    return FALSE;
}
}

void RunSoon(std::function<void()> action, UINT nDelayMs)
{
    UINT_PTR id = ::SetTimer(nullptr, 0, nDelayMs == 0 ? USER_TIMER_MINIMUM : nDelayMs, &RunPendingAction);
    ASSERT_NE(id, 0u) << "SetTimer failed";
    PendingActions()[id] = std::move(action);
}

void RunWhen(std::function<bool()> step, std::function<void()> onTimeout, UINT nTimeoutMs, UINT nIntervalMs)
{
    DWORD deadline = ::GetTickCount() + nTimeoutMs;
    // Each try schedules the next one, so a try never overlaps another.
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [=]() {
        if (step())
            return;
        if (static_cast<LONG>(::GetTickCount() - deadline) >= 0)
        {
            onTimeout();
            return;
        }
        RunSoon(*attempt, nIntervalMs);
    };
    RunSoon([attempt] {
        auto run = *attempt;
        run();
    });
}

INT_PTR DoModalScripted(CDialog& dlg, std::function<void()> script, UINT nTimeoutMs)
{
    auto running = std::make_shared<bool>(true);
    RunSoon([&dlg, script, running, nTimeoutMs] {
        // The watchdog first: the script may start nested loops that never end.
        RunSoon(
            [&dlg, running, nTimeoutMs] {
                if (!*running)
                    return;
                ADD_FAILURE() << "the modal dialog was still running after " << nTimeoutMs << " ms";
                dlg.EndDialog(static_cast<int>(kModalTimedOut));
            },
            nTimeoutMs);
        EXPECT_NE(dlg.m_hWnd, nullptr) << "the script ran before the dialog was up";
        script();
    });
    INT_PTR result = dlg.DoModal();
    *running = false;
    return result;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

HWND FindMessageBox()
{
    HWND hBox = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectMessageBox, reinterpret_cast<LPARAM>(&hBox));
    return hBox;
}

CString GetMessageBoxText(HWND hBox)
{
    CString text;
    ::EnumChildWindows(hBox, &CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void PressDialogButton(HWND hDlg, int nID)
{
    ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                  reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nID)));
}

std::shared_ptr<MessageBoxSeen> AnswerNextMessageBox(int nButtonID, UINT nTimeoutMs)
{
    auto seen = std::make_shared<MessageBoxSeen>();
    RunWhen(
        [seen, nButtonID] {
            HWND hBox = FindMessageBox();
            if (hBox == nullptr)
                return false;
            seen->shown = true;
            seen->hOwner = ::GetWindow(hBox, GW_OWNER);
            seen->caption = CWnd::GetWindowTextOf(hBox);
            seen->text = GetMessageBoxText(hBox);
            PressDialogButton(hBox, nButtonID);
            return true;
        },
        [] {}, nTimeoutMs);
    return seen;
}
}
