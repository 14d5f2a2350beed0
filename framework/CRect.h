// A rectangle; right and bottom are exclusive, as everywhere in GDI.
#pragma once

#include "framework/CPoint.h"
#include "framework/CSize.h"

class CRect : public RECT
{
public:
    CRect() { SetRectEmpty(); }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& rc) { CopyRect(rc); }
    CRect(const RECT* prc) { if (prc) CopyRect(*prc); else SetRectEmpty(); }
    CRect(POINT topLeft, SIZE size)
    {
        left = topLeft.x; top = topLeft.y;
        right = left + size.cx; bottom = top + size.cy;
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    BOOL PtInRect(POINT pt) const { return ::PtInRect(this, pt); }

    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(const RECT& rc) { left = rc.left; top = rc.top; right = rc.right; bottom = rc.bottom; }
    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
    bool operator==(const RECT& rc) const { return ::EqualRect(this, &rc) != FALSE; }
    bool operator!=(const RECT& rc) const { return !(*this == rc); }
};
