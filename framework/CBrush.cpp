#include "framework/CBrush.h"

CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}

CBrush CBrush::Borrow(HBRUSH hBrush)
{
    CBrush brush;
    brush.BorrowHandle(hBrush);
    return brush;
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}
