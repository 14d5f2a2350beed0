#include "framework/CBitmap.h"

#include "framework/CDC.h"

CBitmap CBitmap::Borrow(HBITMAP hBitmap)
{
    CBitmap bitmap;
    bitmap.BorrowHandle(hBitmap);
    return bitmap;
}

BOOL CBitmap::CreateCompatibleBitmap(const CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* pBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitCount, pBits));
}
