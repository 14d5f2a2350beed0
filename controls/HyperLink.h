// A static text of a dialog template turned into a hyperlink: its caption in
// link colours and an underlined copy of the dialog font, the window fitted
// to the caption, a hand cursor, a tool tip naming the target, a hover colour
// while the pointer is over it, and a click that opens the target and marks
// the label visited.
//
// The label never creates its window: the dialog binds it to an existing
// static control (DDX_Control), and all set-up happens in PreSubclassWindow.
// The target may be set before or after that moment.
//
// Each label owns its font, its private copy of the hand cursor and its tool
// tip; nothing is shared between labels.
#pragma once

#include "framework/CFont.h"
#include "framework/CStatic.h"
#include "framework/CString.h"
#include "framework/CToolTipCtrl.h"

class CHyperLink : public CStatic
{
public:
    CHyperLink();
    ~CHyperLink() override;

    // On a live label the window is refitted to its (unchanged) caption and
    // the tool tip shows the new target.
    void SetTarget(CString strTarget);
    // Repaints a live label in the colour the flag calls for.
    void SetVisited(BOOL bVisited = TRUE);

    void PreSubclassWindow() override;
    // Every message goes to the tool tip first.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Opening a target, in LinkLauncher.cpp. A launch result above 32 is a
    // success; 32 or less is one of the error codes ShowLaunchError names.

    // The shell's "open" verb first; where it fails, the command the
    // registry gives for opening ".htm" files, with the target in place of
    // its argument placeholder.
    static HINSTANCE OpenTarget(LPCTSTR pszTarget, int nShowCmd);
    // The default value of hRoot\pszSubKey, whole and terminated whatever is
    // stored (an environment string is expanded). ERROR_SUCCESS only when the
    // key opened and its default value was read; strOut is left alone on any
    // failure.
    static LONG ReadRegDefault(HKEY hRoot, LPCTSTR pszSubKey, CString& strOut);
    // The application's message box naming a failed launch.
    static void ShowLaunchError(int nError);

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    HBRUSH CtlColor(HDC hDC, UINT nCtlColor) override;
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnKillFocus(HWND hNewWnd);
    void OnClicked();

    void FitToText();
    void LoadHandCursor();

    COLORREF m_crLink;
    COLORREF m_crVisited;
    COLORREF m_crHover;
    BOOL m_bHover;          // while set after a mouse move, the label holds the capture
    BOOL m_bVisited;        // the last launch succeeded
    BOOL m_bUnderline;
    BOOL m_bAutoSize;       // the window is fitted to its caption
    CString m_strTarget;
    CFont m_fontLink;
    HCURSOR m_hHandCursor;  // the label's own copy; NULL when none could be had
    CToolTipCtrl m_toolTip;

private:
    CSize MeasureCaption();
    void RedrawNow();
};
