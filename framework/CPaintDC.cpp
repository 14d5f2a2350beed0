#include "framework/CPaintDC.h"

#include "framework/CWnd.h"

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd)
{
    m_hDC = m_hAttribDC = ::BeginPaint(m_hWnd, &m_ps);
    m_nSavedDC = ::SaveDC(m_ps.hdc);
}

CPaintDC::CPaintDC(const CWnd* pWnd) : CPaintDC(pWnd->GetSafeHwnd())
{
}

CPaintDC::~CPaintDC()
{
    // m_ps rather than m_hDC, so that the DC goes back to the window even if
    // m_hDC was moved away or replaced.
    if (m_nSavedDC != 0)
        ::RestoreDC(m_ps.hdc, m_nSavedDC);
    ::EndPaint(m_hWnd, &m_ps);
}
