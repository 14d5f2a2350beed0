#include "controls/IconButton.h"

#include "controls/MemDC.h"
#include "framework/CBrush.h"
#include "framework/CPen.h"

namespace
{
// Moves to the start and draws two lines through the corner to the end; the
// end point itself stays unpainted.
void DrawCornerLine(CDC* pDC, const CPen& pen, POINT start, POINT corner, POINT end)
{
    pDC->SelectObject(&pen);
    pDC->MoveTo(start);
    pDC->LineTo(corner);
    pDC->LineTo(end);
}

// The one-pixel flat edge: raised with the highlight at the top and left,
// sunken with the shadow there.
void DrawFlatEdge(CDC* pDC, const CRect& rc, int nTopLeftColor, int nBottomRightColor)
{
    CPen penTopLeft(PS_SOLID, 0, ::GetSysColor(nTopLeftColor));
    CPen penBottomRight(PS_SOLID, 0, ::GetSysColor(nBottomRightColor));
    HPEN hPrevPen = pDC->SelectObject(&penTopLeft);
    DrawCornerLine(pDC, penTopLeft, {rc.left, rc.bottom - 1}, {rc.left, rc.top}, {rc.right, rc.top});
    DrawCornerLine(pDC, penBottomRight, {rc.left, rc.bottom - 1}, {rc.right - 1, rc.bottom - 1},
                   {rc.right - 1, rc.top - 1});
    pDC->SelectObject(hPrevPen);
}

void DrawClassicRaisedEdge(CDC* pDC, const CRect& rc)
{
    CPen penHighlight(PS_SOLID, 0, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen penLight(PS_SOLID, 0, ::GetSysColor(COLOR_3DLIGHT));
    CPen penShadow(PS_SOLID, 0, ::GetSysColor(COLOR_BTNSHADOW));
    CPen penDarkShadow(PS_SOLID, 0, ::GetSysColor(COLOR_3DDKSHADOW));
    HPEN hPrevPen = pDC->SelectObject(&penHighlight);
    DrawCornerLine(pDC, penHighlight, {rc.left, rc.bottom - 1}, {rc.left, rc.top}, {rc.right, rc.top});
    DrawCornerLine(pDC, penLight, {rc.left + 1, rc.bottom - 1}, {rc.left + 1, rc.top + 1},
                   {rc.right, rc.top + 1});
    DrawCornerLine(pDC, penDarkShadow, {rc.left, rc.bottom - 1}, {rc.right - 1, rc.bottom - 1},
                   {rc.right - 1, rc.top - 1});
    DrawCornerLine(pDC, penShadow, {rc.left + 1, rc.bottom - 2}, {rc.right - 2, rc.bottom - 2},
                   {rc.right - 2, rc.top});
    pDC->SelectObject(hPrevPen);
}
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC dcItem = CDC::Borrow(lpDrawItemStruct->hDC);
    CMemDC dc(&dcItem);

    const UINT nState = lpDrawItemStruct->itemState;
    const bool bPressed = (nState & ODS_SELECTED) != 0;
    const bool bFocused = (nState & ODS_FOCUS) != 0;
    const bool bDisabled = (nState & ODS_DISABLED) != 0;
    CRect rcFace(lpDrawItemStruct->rcItem);

    // The classic default frame: the focused button is the one Enter presses.
    if (!m_bFlat && bFocused)
    {
        CBrush brFrame(RGB(0, 0, 0));
        dc.FrameRect(rcFace, &brFrame);
        rcFace.DeflateRect(1, 1);
    }

    CBrush brFace(IsHotLook(bPressed) ? m_clrHotBack : m_clrNormalBack);
    dc.FillRect(rcFace, &brFace);
    DrawEdge(&dc, rcFace, bPressed);

    if (!m_bFlat && bFocused)
    {
        CRect rcFocus(rcFace);
        rcFocus.DeflateRect(Scaled(3), Scaled(3));
        dc.DrawFocusRect(rcFocus);
    }

    CString strCaption;
    if (m_bShowCaption)
        GetWindowText(strCaption);
    CRect rcCaption(lpDrawItemStruct->rcItem);
    if (m_hotIcon.Get() != nullptr)
        DrawButtonIcon(&dc, strCaption, &lpDrawItemStruct->rcItem, &rcCaption, bPressed, bDisabled);
    if (!strCaption.IsEmpty())
        DrawCaption(&dc, strCaption, rcCaption, bPressed, bDisabled);
}

void CIconButton::DrawEdge(CDC* pDC, const CRect& rcFace, bool bPressed) const
{
    if (m_bFlat)
    {
        if (!m_bFlatEdges)
            return;
        if (bPressed)
            DrawFlatEdge(pDC, rcFace, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        else if (m_hover.IsHot())
            DrawFlatEdge(pDC, rcFace, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    }
    else if (bPressed)
    {
        CBrush brShadow(::GetSysColor(COLOR_BTNSHADOW));
        pDC->FrameRect(rcFace, &brShadow);
    }
    else
    {
        DrawClassicRaisedEdge(pDC, rcFace);
    }
}

void CIconButton::DrawCaption(CDC* pDC, const CString& strCaption, CRect& rcCaption, bool bPressed,
                              bool bDisabled)
{
    if (bPressed)
        rcCaption.OffsetRect(1, 1);

    // A button without a font of its own leaves the surface's default font.
    HGDIOBJ hPrevFont = pDC->SelectObject(GetFont());
    const bool bHotLook = IsHotLook(bPressed);
    pDC->SetTextColor(bHotLook ? m_clrHotText : m_clrNormalText);
    pDC->SetBkColor(bHotLook ? m_clrHotBack : m_clrNormalBack);

    const CRect rcBounds(rcCaption);
    pDC->DrawText(strCaption, -1, rcCaption, DT_SINGLELINE | DT_CALCRECT);
    rcCaption.OffsetRect((rcBounds.Width() - rcCaption.Width()) / 2,
                         (rcBounds.Height() - rcCaption.Height()) / 2);
    ::DrawState(pDC->m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strCaption)), 0,
                rcCaption.left, rcCaption.top, rcCaption.Width(), rcCaption.Height(),
                DST_PREFIXTEXT | (bDisabled ? DSS_DISABLED : DSS_NORMAL));

    pDC->SelectObject(hPrevFont);
}

void CIconButton::DrawButtonIcon(CDC* pDC, CString& strCaption, LPCRECT prcItem, CRect* prcCaption,
                                 bool bPressed, bool bDisabled)
{
    CRect rcIcon(*prcItem);
    const int nWidth = m_nIconWidth;
    const int nHeight = m_nIconHeight;

    // Halves are truncated toward zero: a button smaller than its icon moves
    // the icon left or up by half the excess, rounded toward nothing.
    if (m_nIconPlacement == 0)
    {
        if (strCaption.IsEmpty())
        {
            rcIcon.left += (rcIcon.Width() - nWidth) / 2;
        }
        else
        {
            rcIcon.left += Scaled(3);
            prcCaption->left += nWidth + Scaled(3);
        }
        rcIcon.top += (rcIcon.Height() - nHeight) / 2;
    }
    else if (m_nIconPlacement == 1)
    {
        rcIcon.left += (rcIcon.Width() - nWidth) / 2;
        if (strCaption.IsEmpty())
            rcIcon.top += (rcIcon.Height() - nHeight) / 2;
        else
            prcCaption->top += nHeight;
    }

    if (bPressed)
        rcIcon.OffsetRect(1, 1);

    HICON hIcon = IsHotLook(bPressed) || m_normalIcon.Get() == nullptr ? m_hotIcon.Get() : m_normalIcon.Get();
    ::DrawState(pDC->m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, rcIcon.left, rcIcon.top,
                rcIcon.Width(), rcIcon.Height(), DST_ICON | (bDisabled ? DSS_DISABLED : DSS_NORMAL));
}
