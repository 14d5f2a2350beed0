#include "framework/CClientDC.h"

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hWindowDC(::GetDC(hWnd))
{
    m_hDC = m_hWindowDC;
    m_nSavedDC = ::SaveDC(m_hWindowDC);
}

CClientDC::~CClientDC()
{
    if (m_nSavedDC != 0)
        ::RestoreDC(m_hWindowDC, m_nSavedDC);
    if (m_hWindowDC != nullptr)
        ::ReleaseDC(m_hWnd, m_hWindowDC);
}
