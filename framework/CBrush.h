// A solid brush; the object stays empty if it cannot be made. Who deletes
// the handle: see CGdiObject.
#pragma once

#include "framework/CGdiObject.h"

class CBrush : public CGdiObject
{
public:
    explicit CBrush(COLORREF crColor) { Attach(::CreateSolidBrush(crColor)); }
};
