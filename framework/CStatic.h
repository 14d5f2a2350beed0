// A static text or picture control. A label that reacts to clicks has
// SS_NOTIFY and takes the reflected WM_COMMAND with STN_CLICKED in its
// OnChildNotify; its colours come from the reflected WM_CTLCOLORSTATIC
// through CtlColor (CWnd.h).
#pragma once

#include "framework/CWnd.h"

class CStatic : public CWnd
{
public:
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF)
    { return CWnd::Create(WC_STATIC, lpszText, dwStyle, rect, pParentWnd, nID); }

    HICON SetIcon(HICON hIcon)
    { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon))); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }
};
