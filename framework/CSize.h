// A width and height; a SIZE with constructors.
#pragma once

#include "framework/Win32.h"

class CSize : public SIZE
{
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int nCX, int nCY) { cx = nCX; cy = nCY; }
    CSize(SIZE size) { cx = size.cx; cy = size.cy; }
    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
};
