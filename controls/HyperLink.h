// A static text of a dialog template turned into a hyperlink: its caption in
// link colours and an underlined copy of the dialog font, the window fitted
// to the caption, a hand cursor, a tool tip naming the target, a hover colour
// while the pointer is over it (by the program's one hover rule,
// HoverTracker.h), and a click that opens the target and marks the label
// visited.
//
// The label never creates its window: the dialog binds it to an existing
// static control (DDX_Control), and all set-up happens in PreSubclassWindow.
// The target may be set before or after that moment.
//
// Each label owns its font, its private copy of the hand cursor and its tool
// tip; nothing is shared between labels.
#pragma once

#include "controls/HoverTracker.h"
#include "framework/CFont.h"
#include "framework/CStatic.h"
#include "framework/CString.h"
#include "framework/CToolTipCtrl.h"

class CHyperLink : public CStatic
{
public:
    ~CHyperLink() override;

    // On a live label the window is refitted to its (unchanged) caption and
    // the tool tip shows the new target.
    void SetTarget(CString strTarget);
    // Repaints a live label in the colour the flag calls for.
    void SetVisited(bool bVisited = true);

    void PreSubclassWindow() override;
    // Every message goes to the tool tip first.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Opening a target, in LinkLauncher.cpp. A launch result above 32 is a
    // success; 32 or less is one of the error codes ShowLaunchError names.

    // The shell's "open" verb first; where it fails, the command the
    // registry gives for opening ".htm" files, with the target in place of
    // its argument placeholder.
    static HINSTANCE OpenTarget(LPCTSTR pszTarget, int nShowCmd);
    // The application's message box naming a failed launch.
    static void ShowLaunchError(int nError);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    HBRUSH CtlColor(HDC hDC, UINT nCtlColor) override;
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnKillFocus(HWND hNewWnd) override;
    void OnClicked();

    void FitToText();
    void LoadHandCursor();

    COLORREF m_crLink = RGB(0, 0, 238);
    COLORREF m_crVisited = RGB(85, 26, 139);
    COLORREF m_crHover = RGB(238, 0, 0);
    CHoverTracker m_hover;
    bool m_bVisited = false;            // the last launch succeeded
    CString m_strTarget;
    CFont m_fontLink;
    HCURSOR m_hHandCursor = nullptr;    // the label's own copy; NULL when none could be had
    CToolTipCtrl m_toolTip;

private:
    SIZE MeasureCaption();
    void RedrawNow();
};
