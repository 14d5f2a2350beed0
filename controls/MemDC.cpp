#include "controls/MemDC.h"

CMemDC::CMemDC(CDC* pDC) : m_pTargetDC(pDC)
{
    m_pTargetDC->GetClipBox(&m_rcArea);
    CreateCompatibleDC(m_pTargetDC);
    m_bmpSurface.CreateCompatibleBitmap(m_pTargetDC, m_rcArea.Width(), m_rcArea.Height());
    m_hPrevBitmap = SelectObject(&m_bmpSurface);
    // The bitmap's pixel (0, 0) is the area's top-left corner, so the
    // target's coordinates land on the same place.
    SetWindowOrg(m_rcArea.left, m_rcArea.top);
}

CMemDC::~CMemDC()
{
    m_pTargetDC->BitBlt(m_rcArea.left, m_rcArea.top, m_rcArea.Width(), m_rcArea.Height(), this,
                        m_rcArea.left, m_rcArea.top, SRCCOPY);
    SelectObject(m_hPrevBitmap);
}
