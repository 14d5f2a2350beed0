// A DC for a window's client area outside WM_PAINT (the screen's for no
// window): GetDC when it is made, ReleaseDC when it goes. The DC's state is
// saved after GetDC and restored before ReleaseDC, so whatever was selected
// or changed through it is put back even on a window whose DC keeps its state
// (CS_OWNDC, CS_CLASSDC).
#pragma once

#include "framework/CDC.h"

#include <cstddef>

class CWnd;

class CClientDC : public CDC
{
public:
    explicit CClientDC(HWND hWnd);
    explicit CClientDC(const CWnd* pWnd);
    // The screen's DC; spelled out so that nullptr is not ambiguous.
    explicit CClientDC(std::nullptr_t) : CClientDC(static_cast<HWND>(nullptr)) {}
    ~CClientDC() override;
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

protected:
    HWND m_hWnd;

private:
    // Kept apart from m_hDC so that the DC goes back to the window even if
    // m_hDC was moved away or replaced.
    HDC m_hWindowDC;
    int m_nSavedDC = 0;
};
