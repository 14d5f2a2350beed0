// A button control. An owner-drawn button paints itself in DrawItem, which
// the parent's WM_DRAWITEM reaches by reflection (CWnd.h).
#pragma once

#include "framework/CWnd.h"

class CButton : public CWnd
{
public:
    // Paints an owner-drawn button; the base paints nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Takes the reflected WM_DRAWITEM (result TRUE); other notifications go
    // to CWnd::OnChildNotify.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
