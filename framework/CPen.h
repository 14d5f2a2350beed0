// A pen. Who deletes the handle: see CGdiObject.
#pragma once

#include "framework/CGdiObject.h"

class CPen : public CGdiObject
{
public:
    CPen() = default;
    // Creates the pen; the object stays empty if that fails.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);

    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};
