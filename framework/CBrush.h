// A brush. Who deletes the handle: see CGdiObject.
#pragma once

#include "framework/CGdiObject.h"

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    // Creates a solid brush; the object stays empty if that fails.
    explicit CBrush(COLORREF crColor);

    BOOL CreateSolidBrush(COLORREF crColor);

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};
