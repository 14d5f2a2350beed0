// Helpers for tests that drive real windows on the test thread: running
// steps from inside a modal loop, and finding, reading and answering the
// message boxes the program shows.
//
// Every helper works on the calling thread only; all of them need a message
// loop to be running (a modal dialog's, a message box's, or PumpMessages).
//
// Typical use, a script that runs while a dialog is modal:
//
//     CMyDialog dlg;
//     INT_PTR result = testsupport::DoModalScripted(dlg, [&] {
//         auto box = testsupport::AnswerNextMessageBox(IDOK);
//         ::SendMessage(dlg.m_hWnd, WM_COMMAND, IDC_SOMETHING, 0);  // shows a box
//         EXPECT_EQ(box->text, _T("..."));
//         dlg.EndDialog(IDOK);
//     });
#pragma once

#include "framework/CDialog.h"
#include "framework/CString.h"

#include <functional>
#include <memory>

namespace testsupport
{
// Runs action once, from whichever message loop the thread runs next, as
// soon as that loop has no other message waiting (or after nDelayMs). The
// action may itself start a nested loop (a message box, another dialog);
// actions scheduled meanwhile run inside it.
void RunSoon(std::function<void()> action, UINT nDelayMs = 0);

// Calls step every nIntervalMs from the thread's message loop until it
// returns true, or until nTimeoutMs have passed: then onTimeout runs.
void RunWhen(std::function<bool()> step, std::function<void()> onTimeout, UINT nTimeoutMs = 10000,
             UINT nIntervalMs = 20);

// Runs dlg.DoModal() with script running inside its modal loop once the
// dialog is up (dlg.m_hWnd is set). If the dialog is still running
// nTimeoutMs after the script has started, the test fails and the dialog is
// ended with kModalTimedOut, so a broken dialog never hangs the suite.
constexpr INT_PTR kModalTimedOut = -7;
INT_PTR DoModalScripted(CDialog& dlg, std::function<void()> script, UINT nTimeoutMs = 10000);

// Processes the messages waiting for the thread (sent and posted) and
// returns when none is left.
void PumpMessages();

// The message box the thread shows now: a visible top-level dialog window
// (class "#32770") that no object of the window layer is bound to, which
// every dialog of the program is. nullptr when there is none.
HWND FindMessageBox();

// The message text of a message box (its static text that is not the icon).
CString GetMessageBoxText(HWND hBox);

// Presses the button with this id in a dialog or message box, as a click
// does: the dialog receives WM_COMMAND with BN_CLICKED.
void PressDialogButton(HWND hDlg, int nID);

// What AnswerNextMessageBox saw.
struct MessageBoxSeen
{
    bool shown = false;
    HWND hOwner = nullptr;
    CString caption;
    CString text;
};

// Waits, from the thread's message loop, for the next message box; reads
// its owner, caption and text into the result and presses nButtonID. If no
// box appears within nTimeoutMs, the result keeps shown == false.
std::shared_ptr<MessageBoxSeen> AnswerNextMessageBox(int nButtonID = IDOK, UINT nTimeoutMs = 10000);
}
