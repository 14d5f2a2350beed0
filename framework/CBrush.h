// A brush. Who deletes the handle: see CGdiObject.
#pragma once

#include "framework/CGdiObject.h"

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    // Creates a solid brush; the object stays empty if that fails.
    explicit CBrush(COLORREF crColor);
    // Wraps a brush that stays its owner's and is never deleted here.
    static CBrush Borrow(HBRUSH hBrush);

    BOOL CreateSolidBrush(COLORREF crColor);

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};
