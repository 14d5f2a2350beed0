#include "framework/CPaintDC.h"

#include "framework/CWnd.h"

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd)
{
    m_hDC = m_hAttribDC = ::BeginPaint(m_hWnd, &m_ps);
    m_nSavedDC = SaveDC();
}

CPaintDC::CPaintDC(const CWnd* pWnd) : CPaintDC(pWnd->GetSafeHwnd())
{
}

CPaintDC::~CPaintDC()
{
    if (m_nSavedDC != 0)
        RestoreDC(m_nSavedDC);
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
