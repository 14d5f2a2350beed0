#include "framework/CToolTipCtrl.h"

namespace
{
// The identity of a tool (see CToolTipCtrl.h). The structure is sized as
// the common controls before version 6 know it, which version 6 accepts too.
TOOLINFO ToolInfo(HWND hWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti = {};
    ti.cbSize = CCSIZEOF_STRUCT(TOOLINFO, lParam);
    if (nIDTool == 0)
    {
        HWND hParent = ::GetParent(hWnd);
        ti.hwnd = hParent != nullptr ? hParent : hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
        ti.uFlags = TTF_IDISHWND;
    }
    else
    {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
    return ti;
}
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CreateEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, nullptr);
}

BOOL CToolTipCtrl::AddTool(HWND hWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    CString text;
    if (!text.LoadString(nIDText))
        return FALSE;
    return AddTool(hWnd, text, lpRectTool, nIDTool);
}

BOOL CToolTipCtrl::AddTool(HWND hWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti = ToolInfo(hWnd, nIDTool);
    ti.uFlags |= TTF_SUBCLASS;
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    else
        ::GetClientRect(hWnd, &ti.rect);
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, HWND hWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti = ToolInfo(hWnd, nIDTool);
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}
