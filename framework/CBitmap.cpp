#include "framework/CBitmap.h"

#include "framework/CDC.h"

BOOL CBitmap::CreateCompatibleBitmap(const CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}
