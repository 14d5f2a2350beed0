// A DC for a window's client area outside WM_PAINT: GetDC when it is made,
// ReleaseDC when it goes. The DC's state is saved after GetDC and restored
// before ReleaseDC, so whatever was selected or changed through it is put
// back even on a window whose DC keeps its state (CS_OWNDC, CS_CLASSDC).
#pragma once

#include "framework/CDC.h"

class CClientDC : public CDC
{
public:
    explicit CClientDC(HWND hWnd);
    ~CClientDC() override;
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

private:
    HWND m_hWnd;
    // Kept apart from m_hDC so that the DC goes back to the window even if
    // m_hDC was replaced.
    HDC m_hWindowDC;
    int m_nSavedDC = 0;
};
