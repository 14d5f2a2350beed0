#include "controls/IconButton.h"

namespace
{
// Sent to each child of a per-monitor aware window once the window has taken
// the scale of the display it moved to (Windows 10 1703 and later).
const UINT kDpiChangedAfterParent = 0x02E3;
}

void CIconButton::SetIcons(int nHotIconID, int nNormalIconID, BYTE nWidth, BYTE nHeight)
{
    m_nHotIconID = nHotIconID;
    m_nNormalIconID = nNormalIconID;
    m_nUnscaledWidth = nWidth;
    m_nUnscaledHeight = nHeight;
    LoadIcons();
}

void CIconButton::LoadIcons()
{
    m_nDpi = GetDpi();
    m_nIconWidth = Scaled(m_nUnscaledWidth);
    m_nIconHeight = Scaled(m_nUnscaledHeight);
    m_hotIcon.Reset(LoadIconImage(m_nHotIconID, m_nIconWidth, m_nIconHeight));
    m_normalIcon.Reset(LoadIconImage(m_nNormalIconID, m_nIconWidth, m_nIconHeight));
}

void CIconButton::OnDpiChanged()
{
    LoadIcons();
    Invalidate();
}

void CIconButton::PreSubclassWindow()
{
    // Whatever push button the template made (the default one too) becomes a
    // plain owner-drawn button.
    UINT nStyle = static_cast<UINT>(::GetWindowLong(m_hWnd, GWL_STYLE)) & 0xFF;
    SendMessage(BM_SETSTYLE, nStyle | BS_OWNERDRAW, TRUE);
    m_nDpi = GetDpi();
    CButton::PreSubclassWindow();
}

BOOL CIconButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), CPoint(lParam));
        *pResult = 0;
        return TRUE;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        *pResult = 0;
        return TRUE;
    case kDpiChangedAfterParent:
        OnDpiChanged();
        *pResult = 0;
        return TRUE;
    default:
        return CButton::OnWndMsg(message, wParam, lParam, pResult);
    }
}

void CIconButton::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    if (m_bFlat && m_hover.OnMouseMove(m_hWnd, nFlags, point))
        Invalidate();
}

void CIconButton::OnKillFocus(HWND)
{
    Default();
    if (m_hover.PutOut())
        Invalidate();
}
