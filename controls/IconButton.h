// The program's push button: owner-drawn, with an icon beside or above its
// caption. A flat button lights up (becomes hot) while the mouse is over it
// and a window of the program is active; it keeps the mouse capture while
// hot so that it learns when the mouse leaves.
//
// The button owns the icons SetIcons loads and destroys them when it goes or
// when it loads them again. Icon, caption margins and focus rectangle follow
// the DPI of the display the button is on: at 192 DPI a 32 px icon is drawn
// from the icon file's 64 px image, never stretched.
#pragma once

#include "framework/CButton.h"
#include "framework/CDC.h"
#include "framework/CRect.h"
#include "framework/CString.h"
#include "framework/IconHolder.h"

class CIconButton : public CButton
{
public:
    CIconButton();

    // Loads the icons from the program's resources; a normal icon id of 0
    // shows the hot icon in both looks. The size is the one at 96 DPI; the
    // images loaded are those for the window's DPI (the window must exist),
    // and are loaded again when it moves to a display of another scale.
    void SetIcons(int nHotIconID, int nNormalIconID, BYTE nWidth, BYTE nHeight);

    // Each takes its colour back to the current system colour; only a
    // bRepaint of exactly TRUE repaints the button.
    void ResetNormalBackColor(BOOL bRepaint);
    void ResetNormalTextColor(BOOL bRepaint);
    void ResetHotBackColor(BOOL bRepaint);
    void ResetHotTextColor(BOOL bRepaint);

    COLORREF GetNormalBackColor() const { return m_clrNormalBack; }
    COLORREF GetNormalTextColor() const { return m_clrNormalText; }
    COLORREF GetHotBackColor() const { return m_clrHotBack; }
    COLORREF GetHotTextColor() const { return m_clrHotText; }

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnKillFocus(HWND hNewWnd);

    // Places and draws the icon, and moves the caption rectangle's left or
    // top edge aside to make room for it.
    void DrawButtonIcon(CDC* pDC, CString& strCaption, LPCRECT prcItem, CRect* prcCaption,
                        BOOL bPressed, BOOL bDisabled);

    int m_nIconPlacement = 0;       // 0: left of the caption, 1: above it, else the item's corner
    BOOL m_bShowCaption = TRUE;
    BOOL m_bFlatEdges = TRUE;       // a flat button's one-pixel edge while hot or pressed
    BOOL m_bFlat = TRUE;            // FALSE: the classic raised button, never hot
    BOOL m_bHot = FALSE;
    IconHolder m_hotIcon;           // while empty no icon is painted at all
    IconHolder m_normalIcon;        // while empty the hot icon serves both looks
    int m_nIconHeight = 0;          // in pixels at the current DPI
    int m_nIconWidth = 0;
    COLORREF m_clrNormalBack;
    COLORREF m_clrNormalText;
    COLORREF m_clrHotBack;
    COLORREF m_clrHotText;

private:
    int m_nHotIconID = 0;
    int m_nNormalIconID = 0;
    BYTE m_nUnscaledWidth = 0;      // at 96 DPI
    BYTE m_nUnscaledHeight = 0;
    UINT m_nDpi = 96;

    // A length given at 96 DPI, in pixels at the current DPI.
    int Scaled(int nLength) const { return ::MulDiv(nLength, static_cast<int>(m_nDpi), 96); }
    void LoadIcons();
    void OnDpiChanged();
    void ResetColor(COLORREF& clrField, int nSysColor, BOOL bRepaint);
    BOOL IsHotLook(BOOL bPressed) const { return m_bHot || bPressed; }
    void DrawEdge(CDC* pDC, const CRect& rcFace, BOOL bPressed) const;
    void DrawCaption(CDC* pDC, const CString& strCaption, CRect& rcCaption, BOOL bPressed,
                     BOOL bDisabled);
};
