// A point in device or logical coordinates; a POINT with constructors.
#pragma once

#include "framework/Win32.h"

class CPoint : public POINT
{
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int nX, int nY) { x = nX; y = nY; }
    CPoint(POINT pt) { x = pt.x; y = pt.y; }
    // From a mouse message's LPARAM: signed x in the low word, y in the high word.
    explicit CPoint(LPARAM lParam)
    {
        x = static_cast<short>(LOWORD(lParam));
        y = static_cast<short>(HIWORD(lParam));
    }
    bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const { return !(*this == pt); }
};
