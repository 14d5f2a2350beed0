#include "framework/CPaintDC.h"

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
    m_nSavedDC = ::SaveDC(m_ps.hdc);
}

CPaintDC::~CPaintDC()
{
    // m_ps rather than m_hDC, so that the DC goes back to the window even if
    // m_hDC was replaced.
    if (m_nSavedDC != 0)
        ::RestoreDC(m_ps.hdc, m_nSavedDC);
    ::EndPaint(m_hWnd, &m_ps);
}
