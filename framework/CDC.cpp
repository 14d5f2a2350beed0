#include "framework/CDC.h"

#include "framework/CBitmap.h"
#include "framework/CBrush.h"
#include "framework/CFont.h"
#include "framework/CPen.h"

#include <utility>

namespace
{
HGDIOBJ HandleOf(const CGdiObject* pObject)
{
    return pObject ? pObject->m_hObject : nullptr;
}
}

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::CreateCompatibleDC(const CDC* pDC)
{
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    m_bOwnsDC = m_hDC != nullptr;
    return m_bOwnsDC;
}

BOOL CDC::DeleteDC()
{
    if (!m_bOwnsDC)
        return FALSE;
    m_bOwnsDC = false;
    return ::DeleteDC(std::exchange(m_hDC, nullptr));
}

HPEN CDC::SelectObject(const CPen* pPen)
{
    return static_cast<HPEN>(SelectObject(HandleOf(pPen)));
}

HFONT CDC::SelectObject(const CFont* pFont)
{
    return static_cast<HFONT>(SelectObject(HandleOf(pFont)));
}

HBITMAP CDC::SelectObject(const CBitmap* pBitmap)
{
    return static_cast<HBITMAP>(SelectObject(HandleOf(pBitmap)));
}

BOOL CDC::FillRect(LPCRECT pRect, const CBrush* pBrush)
{
    return ::FillRect(m_hDC, pRect, static_cast<HBRUSH>(HandleOf(pBrush)));
}

BOOL CDC::FrameRect(LPCRECT pRect, const CBrush* pBrush)
{
    return ::FrameRect(m_hDC, pRect, static_cast<HBRUSH>(HandleOf(pBrush)));
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, const CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                    dwRop);
}

int CDC::DrawText(LPCTSTR pszText, int nCount, LPRECT pRect, UINT nFormat)
{
    return ::DrawText(m_hDC, pszText, nCount, pRect, nFormat & ~static_cast<UINT>(DT_MODIFYSTRING));
}

SIZE CDC::GetTextExtent(const CString& strText) const
{
    SIZE size = {};
    ::GetTextExtentPoint32(m_hDC, strText, strText.GetLength(), &size);
    return size;
}
