#include "controls/IconButton.h"

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

void CIconButton::OnDpiChangedAfterParent()
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
