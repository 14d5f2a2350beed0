// A tool-tip control. The object creates the tool-tip window itself, owns it
// and destroys it when it goes (or when the owner window goes first).
//
// A tool is named by a window and an id:
//   - id 0: the tool is the window itself (TTF_IDISHWND), kept under the
//     window's parent;
//   - any other id: a rectangle of the window (the given one, or the whole
//     client area when none is given).
// Every tool is added with TTF_SUBCLASS, so the tool tip sees the mouse over
// the tool even where nobody relays the messages; RelayEvent is harmless on
// top of it.
#pragma once

#include "framework/CWnd.h"

class CToolTipCtrl : public CWnd
{
public:
    // A popup owned by pParentWnd's window; dwStyle adds TTS_* styles.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    BOOL AddTool(HWND hWnd, LPCTSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    // The text from the string table; FALSE (and no tool) when it has none.
    BOOL AddTool(HWND hWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, HWND hWnd, UINT_PTR nIDTool = 0);

    void RelayEvent(MSG* pMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg)); }
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate)); }
};
