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

CDC::CDC(CDC&& other) noexcept
    : m_hDC(std::exchange(other.m_hDC, nullptr)),
      m_hAttribDC(std::exchange(other.m_hAttribDC, nullptr)),
      m_bPrinting(std::exchange(other.m_bPrinting, FALSE)),
      m_bOwnsDC(std::exchange(other.m_bOwnsDC, false))
{
}

CDC& CDC::operator=(CDC&& other) noexcept
{
    if (this != &other)
    {
        DeleteDC();
        m_hDC = std::exchange(other.m_hDC, nullptr);
        m_hAttribDC = std::exchange(other.m_hAttribDC, nullptr);
        m_bPrinting = std::exchange(other.m_bPrinting, FALSE);
        m_bOwnsDC = std::exchange(other.m_bOwnsDC, false);
    }
    return *this;
}

CDC CDC::Borrow(HDC hDC)
{
    CDC dc;
    dc.m_hDC = hDC;
    dc.m_hAttribDC = hDC;
    return dc;
}

BOOL CDC::Attach(HDC hDC)
{
    DeleteDC();
    Detach();
    if (hDC == nullptr)
        return FALSE;
    m_hDC = hDC;
    m_hAttribDC = hDC;
    m_bOwnsDC = true;
    return TRUE;
}

HDC CDC::Detach()
{
    m_hAttribDC = nullptr;
    m_bOwnsDC = false;
    return std::exchange(m_hDC, nullptr);
}

BOOL CDC::CreateCompatibleDC(const CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr || !m_bOwnsDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

HPEN CDC::SelectObject(const CPen* pPen)
{
    return static_cast<HPEN>(SelectObject(HandleOf(pPen)));
}

HBRUSH CDC::SelectObject(const CBrush* pBrush)
{
    return static_cast<HBRUSH>(SelectObject(HandleOf(pBrush)));
}

HFONT CDC::SelectObject(const CFont* pFont)
{
    return static_cast<HFONT>(SelectObject(HandleOf(pFont)));
}

HBITMAP CDC::SelectObject(const CBitmap* pBitmap)
{
    return static_cast<HBITMAP>(SelectObject(HandleOf(pBitmap)));
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT previous = {};
    ::SetWindowOrgEx(m_hDC, x, y, &previous);
    return previous;
}

BOOL CDC::FillRect(LPCRECT pRect, const CBrush* pBrush)
{
    return ::FillRect(m_hDC, pRect, static_cast<HBRUSH>(HandleOf(pBrush)));
}

BOOL CDC::FrameRect(LPCRECT pRect, const CBrush* pBrush)
{
    return ::FrameRect(m_hDC, pRect, static_cast<HBRUSH>(HandleOf(pBrush)));
}

CPoint CDC::MoveTo(POINT point)
{
    POINT previous = {};
    ::MoveToEx(m_hDC, point.x, point.y, &previous);
    return previous;
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

int CDC::DrawText(const CString& strText, LPRECT pRect, UINT nFormat)
{
    return DrawText(strText, strText.GetLength(), pRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR pszText, int nCount) const
{
    SIZE size = {};
    ::GetTextExtentPoint32(m_hAttribDC, pszText, nCount, &size);
    return size;
}
