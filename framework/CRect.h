// A rectangle; right and bottom are exclusive, as everywhere in GDI.
#pragma once

#include "framework/Win32.h"

class CRect : public RECT
{
public:
    CRect() : RECT{} {}
    CRect(const RECT& rc) : RECT(rc) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};
