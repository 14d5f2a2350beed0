// A font the program makes. Who deletes the handle: see CGdiObject.
#pragma once

#include "framework/CGdiObject.h"

class CFont : public CGdiObject
{
public:
    BOOL CreateFontIndirect(const LOGFONT* pLogFont) { return Attach(::CreateFontIndirect(pLogFont)); }

    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};
