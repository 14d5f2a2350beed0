// A font. Who deletes the handle: see CGdiObject. A control's font (the
// handle WM_GETFONT returns) belongs to whoever set it: wrap it with Borrow.
#pragma once

#include "framework/CGdiObject.h"

class CFont : public CGdiObject
{
public:
    CFont() = default;
    // Wraps a font that stays its owner's and is never deleted here.
    static CFont Borrow(HFONT hFont);

    BOOL CreateFontIndirect(const LOGFONT* pLogFont);
    // The number of bytes written; 0 when the object holds no font.
    int GetLogFont(LOGFONT* pLogFont) const { return GetObject(sizeof(LOGFONT), pLogFont); }

    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};
