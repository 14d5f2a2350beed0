// A button control. An owner-drawn button paints itself in DrawItem, which
// the parent's WM_DRAWITEM reaches by reflection (CWnd.h).
#pragma once

#include "framework/CWnd.h"

class CButton : public CWnd
{
public:
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_BUTTON, lpszCaption, dwStyle, rect, pParentWnd, nID); }

    // Paints an owner-drawn button; the base paints nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Takes the reflected WM_DRAWITEM (result TRUE); other notifications go
    // to CWnd::OnChildNotify.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight)); }
    // The button type and the bits beside it: the low byte of the style.
    UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFF); }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE)
    { SendMessage(BM_SETSTYLE, nStyle, static_cast<LPARAM>(bRedraw)); }
};
