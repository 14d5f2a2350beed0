// One C++ object tied to one window. The base of the dialogs and of every
// control class of the program.
//
// Binding. An object is bound to its window in a per-thread map (window
// handle -> object); FromHandlePermanent looks it up. There are no temporary
// objects: where a window is only named (a parameter or a result), the layer
// passes its HWND. An object is bound in one of three ways:
//   - SubclassWindow / DDX_Control take over an existing window:
//     PreSubclassWindow runs first, with m_hWnd already set, then the window
//     procedure is replaced and the previous one kept;
//   - CreateEx creates the window and binds it before its first message, so
//     OnWndMsg sees WM_NCCREATE and WM_CREATE (PreSubclassWindow does not
//     run: nothing existed to take over). The object owns such a window and
//     its destructor destroys it;
//   - CDialog binds itself at WM_INITDIALOG (see CDialog.h).
// A window leaving (WM_NCDESTROY) unbinds its object, which gets its original
// window procedure back. The destructor unbinds as well; it never destroys a
// window it only took over.
//
// Dispatch. Every message of a bound window goes:
//   static window procedure -> WindowProc -> (reflection, below)
//   -> OnWndMsg -> if it returns FALSE: the original window procedure.
// CWnd::OnWndMsg cracks the parameters of the messages the program's windows
// handle once and calls the typed handler (OnMouseMove(UINT nFlags, CPoint
// point) and the like); a derived class overrides the handler. A handler
// that wants the window's normal processing, as every base handler does,
// calls Default(), which passes the message being handled, unchanged, to the
// original window procedure. A class that handles a message without a typed
// handler (a control's own messages) overrides OnWndMsg for it, stores the
// result in *pResult and returns TRUE, and otherwise returns what its base
// class's OnWndMsg returns.
//
// Reflection. A parent's WindowProc first offers each control notification
// to the object of the control it comes from (NotifyingChild in CWnd.cpp
// lists them: WM_COMMAND from a control, WM_NOTIFY, WM_DRAWITEM,
// WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM, the WM_CTLCOLOR* messages,
// WM_HSCROLL / WM_VSCROLL from a scroll control, WM_PARENTNOTIFY for a
// created or destroyed child). Only when the control's OnChildNotify returns
// FALSE does the parent's OnWndMsg see the message. A control class takes a
// reflected message by overriding OnChildNotify:
//
//     BOOL CPathCombo::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam,
//                                    LRESULT* pResult)
//     {
//         if (message == WM_COMMAND && HIWORD(wParam) == CBN_EDITUPDATE)
//         {
//             OnEditUpdate();
//             *pResult = 0;
//             return TRUE;            // the parent never sees it
//         }
//         return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
//     }
//
// Two reflected messages have a ready hook: WM_DRAWITEM calls
// CButton::DrawItem, and every WM_CTLCOLOR* message calls the control's
// CtlColor(hDC, nCtlColor); a non-null brush from it is the answer to the
// message, a null one (the default) lets the parent answer.
//
// Pre-translation. A message loop of the layer (CDialog::DoModal) offers each
// message to WalkPreTranslateTree before dispatching it, so an object sees the
// keyboard and mouse messages of its child windows (the combo sees the keys
// typed into its edit field) and can consume them.
//
// Exceptions. No exception leaves a window procedure of the layer: one that
// escapes a handler is shown in a message box (ReportException.h), the
// message gets the result 0 and the window goes on working.
#pragma once

#include "framework/CPoint.h"
#include "framework/CRect.h"
#include "framework/CString.h"
#include "framework/Win32.h"

class CWnd
{
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // --- Binding --------------------------------------------------------

    // The object bound to the window on this thread, or nullptr.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Takes over an existing window; FALSE when this object already has a
    // window, the handle is not a window or is bound to another object.
    BOOL SubclassWindow(HWND hWnd);

    // A window the object creates itself, owns and destroys.
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenuOrID);

    // --- What a derived class overrides -----------------------------------

    // Runs when an existing window is taken over, before its procedure is
    // replaced; m_hWnd is already set.
    virtual void PreSubclassWindow();
    // TRUE consumes the message: the loop neither translates nor dispatches it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // TRUE when the message was handled; *pResult is then its result.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification the parent reflects to this control (see above).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The reflected WM_CTLCOLOR* hook; nCtlColor is CTLCOLOR_STATIC and so on.
    virtual HBRUSH CtlColor(HDC hDC, UINT nCtlColor);

    // --- Typed handlers (see Dispatch above) --------------------------------

    virtual int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    virtual void OnClose() { Default(); }
    virtual void OnPaint() { Default(); }
    // TRUE when the command was handled; FALSE leaves it to the window's
    // own procedure.
    virtual BOOL OnCommand(WPARAM, LPARAM) { return FALSE; }
    virtual void OnSysCommand(UINT /*nID*/, LPARAM) { Default(); }
    virtual void OnMouseMove(UINT /*nFlags*/, CPoint) { Default(); }
    virtual BOOL OnSetCursor(HWND, UINT /*nHitTest*/, UINT /*message*/) { return static_cast<BOOL>(Default()); }
    virtual void OnKillFocus(HWND /*hNewWnd*/) { Default(); }
    virtual HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
    virtual void OnDropFiles(HDROP) { Default(); }
    // A top-level window moved to a display of another scale (nDpi; 96 is 100%).
    virtual void OnDpiChanged(UINT /*nDpi*/, LPCRECT /*prcSuggested*/) { Default(); }
    // Its parent window has taken the scale of the display it moved to.
    virtual void OnDpiChangedAfterParent() { Default(); }

    // --- Message helpers ----------------------------------------------------

    // The message being handled, passed to the original window procedure.
    LRESULT Default();
    // Any message passed to the original window procedure.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Offers pMsg to PreTranslateMessage of the object of the window it is
    // for, then of each ancestor that has an object, up to and including
    // hWndStop or the top-level window; TRUE as soon as one consumes it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // --- Thin wrappers ------------------------------------------------------

    HWND GetSafeHwnd() const { return m_hWnd; }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessage(m_hWnd, message, wParam, lParam); }

    void Invalidate() { ::InvalidateRect(m_hWnd, nullptr, TRUE); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    { return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags); }

    // The parent of a child window, the owner of a top-level one.
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    // The dots per inch of the display the window is on (96 at 100%); before
    // Windows 10, the system's, which a process then has for all displays.
    UINT GetDpi() const;
    // A length given at 96 DPI (100%), in pixels at nDpi.
    static int Scale(int nLength, UINT nDpi) { return ::MulDiv(nLength, static_cast<int>(nDpi), 96); }

    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                     lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    { return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags); }

    void SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
    // The whole text, whatever its length.
    void GetWindowText(CString& rString) const { rString = GetWindowTextOf(m_hWnd); }
    static CString GetWindowTextOf(HWND hWnd);

    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }

    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
    // Removes, then adds style bits.
    void ModifyStyle(DWORD dwRemove, DWORD dwAdd)
    { ::SetWindowLongPtr(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>((GetStyle() & ~dwRemove) | dwAdd)); }

    void SetFont(HFONT hFont, BOOL bRedraw = TRUE)
    { ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
    {
        return reinterpret_cast<HICON>(::SendMessage(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                                     reinterpret_cast<LPARAM>(hIcon)));
    }
    HMENU GetSystemMenu(BOOL bRevert) const { return ::GetSystemMenu(m_hWnd, bRevert); }
    void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK)
    { return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType); }

protected:
    // A window the object was bound to otherwise than by CreateEx is its own
    // from now on: the destructor destroys it.
    void TakeOwnership() { m_bOwnsWindow = true; }

private:
    struct CCurrentMessage
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hWnd);
    void Unbind();

    WNDPROC m_pfnSuper = nullptr;
    bool m_bOwnsWindow = false;
    const CCurrentMessage* m_pCurrentMessage = nullptr;
};
