// The program's push button: owner-drawn, with an icon beside or above its
// caption. A flat button lights up (becomes hot) under the mouse, by the
// program's one hover rule (HoverTracker.h).
//
// The button owns the icons SetIcons loads and destroys them when it goes or
// when it loads them again. Icon, caption margins and focus rectangle follow
// the DPI of the display the button is on: at 192 DPI a 32 px icon is drawn
// from the icon file's 64 px image, never stretched.
#pragma once

#include "controls/HoverTracker.h"
#include "framework/CButton.h"
#include "framework/CDC.h"
#include "framework/CRect.h"
#include "framework/CString.h"
#include "framework/CIconHolder.h"

class CIconButton : public CButton
{
public:
    // Loads the icons from the program's resources; a normal icon id of 0
    // shows the hot icon in both looks. The size is the one at 96 DPI; the
    // images loaded are those for the window's DPI (the window must exist),
    // and are loaded again when it moves to a display of another scale.
    void SetIcons(int nHotIconID, int nNormalIconID, BYTE nWidth, BYTE nHeight);

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnKillFocus(HWND hNewWnd) override;
    void OnDpiChangedAfterParent() override;

    // Places and draws the icon, and moves the caption rectangle's left or
    // top edge aside to make room for it.
    void DrawButtonIcon(CDC* pDC, CString& strCaption, LPCRECT prcItem, CRect* prcCaption,
                        bool bPressed, bool bDisabled);

    int m_nIconPlacement = 0;       // 0: left of the caption, 1: above it, else the item's corner
    bool m_bShowCaption = true;
    bool m_bFlatEdges = true;       // a flat button's one-pixel edge while hot or pressed
    bool m_bFlat = true;            // false: the classic raised button, never hot
    CHoverTracker m_hover;
    CIconHolder m_hotIcon;           // while empty no icon is painted at all
    CIconHolder m_normalIcon;        // while empty the hot icon serves both looks
    int m_nIconHeight = 0;          // in pixels at the current DPI
    int m_nIconWidth = 0;
    // The system's colours when the button was made.
    COLORREF m_clrNormalBack = ::GetSysColor(COLOR_BTNFACE);
    COLORREF m_clrNormalText = ::GetSysColor(COLOR_BTNTEXT);
    COLORREF m_clrHotBack = ::GetSysColor(COLOR_BTNFACE);
    COLORREF m_clrHotText = ::GetSysColor(COLOR_BTNTEXT);

private:
    int m_nHotIconID = 0;
    int m_nNormalIconID = 0;
    BYTE m_nUnscaledWidth = 0;      // at 96 DPI
    BYTE m_nUnscaledHeight = 0;
    UINT m_nDpi = 96;

    // A length given at 96 DPI, in pixels at the current DPI.
    int Scaled(int nLength) const { return Scale(nLength, m_nDpi); }
    void LoadIcons();
    bool IsHotLook(bool bPressed) const { return m_hover.IsHot() || bPressed; }
    void DrawEdge(CDC* pDC, const CRect& rcFace, bool bPressed) const;
    void DrawCaption(CDC* pDC, const CString& strCaption, CRect& rcCaption, bool bPressed, bool bDisabled);
};
