#include "framework/CClientDC.h"

#include "framework/CWnd.h"

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd)
{
    m_hDC = m_hAttribDC = ::GetDC(m_hWnd);
    m_nSavedDC = SaveDC();
}

CClientDC::CClientDC(const CWnd* pWnd) : CClientDC(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
}

CClientDC::~CClientDC()
{
    if (m_nSavedDC != 0)
        RestoreDC(m_nSavedDC);
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}
