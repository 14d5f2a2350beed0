#include "controls/HoverTracker.h"

bool CHoverTracker::OnMouseMove(HWND hWnd, UINT nFlags, POINT point)
{
    const bool bLeftDown = (nFlags & MK_LBUTTON) != 0;
    if (bLeftDown && !m_bHot)
        return false;
    if (::GetCapture() != hWnd && ::GetActiveWindow() != nullptr)
    {
        m_bHot = true;
        ::SetCapture(hWnd);
        return true;
    }
    RECT rcClient = {};
    ::GetClientRect(hWnd, &rcClient);
    if (::PtInRect(&rcClient, point))
        return false;
    const bool bWasHot = PutOut();
    if (!bLeftDown)
        ::ReleaseCapture();
    return bWasHot;
}
