// A pen; the object stays empty if it cannot be made. Who deletes the
// handle: see CGdiObject.
#pragma once

#include "framework/CGdiObject.h"

class CPen : public CGdiObject
{
public:
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { Attach(::CreatePen(nPenStyle, nWidth, crColor)); }
};
