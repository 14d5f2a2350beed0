#include "controls/IconButton.h"

CIconButton::CIconButton()
{
    ResetNormalBackColor(FALSE);
    ResetNormalTextColor(FALSE);
    ResetHotBackColor(FALSE);
    ResetHotTextColor(FALSE);
}

namespace
{
// Sent to each child of a per-monitor aware window once the window has taken
// the scale of the display it moved to (Windows 10 1703 and later).
const UINT kDpiChangedAfterParent = 0x02E3;

// The image of exactly that size; the icon files hold one for each common
// scale, so the platform only stretches one at a scale they lack. None for
// an id of 0.
HICON LoadButtonIcon(int nIconID, int nWidth, int nHeight)
{
    if (nIconID == 0)
        return nullptr;
    return static_cast<HICON>(::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(nIconID),
                                          IMAGE_ICON, nWidth, nHeight, LR_DEFAULTCOLOR));
}
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
    m_hotIcon.Reset(LoadButtonIcon(m_nHotIconID, m_nIconWidth, m_nIconHeight));
    m_normalIcon.Reset(LoadButtonIcon(m_nNormalIconID, m_nIconWidth, m_nIconHeight));
}

void CIconButton::OnDpiChanged()
{
    LoadIcons();
    InvalidateRect(nullptr, TRUE);
}

void CIconButton::ResetColor(COLORREF& clrField, int nSysColor, BOOL bRepaint)
{
    clrField = ::GetSysColor(nSysColor);
    if (bRepaint == TRUE)
        InvalidateRect(nullptr, TRUE);
}

void CIconButton::ResetNormalBackColor(BOOL bRepaint)
{
    ResetColor(m_clrNormalBack, COLOR_BTNFACE, bRepaint);
}

void CIconButton::ResetNormalTextColor(BOOL bRepaint)
{
    ResetColor(m_clrNormalText, COLOR_BTNTEXT, bRepaint);
}

void CIconButton::ResetHotBackColor(BOOL bRepaint)
{
    ResetColor(m_clrHotBack, COLOR_BTNFACE, bRepaint);
}

void CIconButton::ResetHotTextColor(BOOL bRepaint)
{
    ResetColor(m_clrHotText, COLOR_BTNTEXT, bRepaint);
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
    const BOOL bLeftDown = (nFlags & MK_LBUTTON) != 0;
    if (bLeftDown && !m_bHot)
        return;
    if (!m_bFlat)
        return;

    HWND hActive = ::GetActiveWindow();
    HWND hOwner = GetOwner();
    HWND hCapture = GetCapture();
    if (hCapture != m_hWnd && hActive != nullptr && hOwner != nullptr)
    {
        m_bHot = TRUE;
        SetCapture();
        InvalidateRect(nullptr, TRUE);
        return;
    }

    CRect rcClient;
    GetClientRect(rcClient);
    if (rcClient.PtInRect(point))
        return;
    if (m_bHot)
    {
        m_bHot = FALSE;
        InvalidateRect(nullptr, TRUE);
    }
    // A press still in progress keeps the capture until the button is let go.
    if (!bLeftDown)
        ReleaseCapture();
}

void CIconButton::OnKillFocus(HWND)
{
    Default();
    if (m_bFlat && m_bHot)
    {
        m_bHot = FALSE;
        InvalidateRect(nullptr, TRUE);
    }
}
