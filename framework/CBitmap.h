// A bitmap. Who deletes the handle: see CGdiObject. A bitmap that is still
// selected into a DC cannot be deleted: select the DC's previous bitmap back
// before the CBitmap goes.
#pragma once

#include "framework/CGdiObject.h"

class CDC;

class CBitmap : public CGdiObject
{
public:
    // Takes the colour format of the bitmap selected into the DC: on a fresh
    // memory DC that is one-bit monochrome, so pass a window or screen DC.
    BOOL CreateCompatibleBitmap(const CDC* pDC, int nWidth, int nHeight);
};
