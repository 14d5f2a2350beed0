#include "framework/CFont.h"

CFont CFont::Borrow(HFONT hFont)
{
    CFont font;
    font.BorrowHandle(hFont);
    return font;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* pLogFont)
{
    return Attach(::CreateFontIndirect(pLogFont));
}
