// A point in device or logical coordinates, as a mouse message carries it.
#pragma once

#include "framework/Win32.h"

class CPoint : public POINT
{
public:
    // From a mouse message's LPARAM: signed x in the low word, y in the high word.
    explicit CPoint(LPARAM lParam)
    {
        x = static_cast<short>(LOWORD(lParam));
        y = static_cast<short>(HIWORD(lParam));
    }
};
