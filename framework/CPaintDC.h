// The DC of a WM_PAINT handler: BeginPaint when it is made, EndPaint when it
// goes. The DC's state is saved after BeginPaint and restored before
// EndPaint, so whatever the handler selected or changed is put back even on a
// window whose DC keeps its state (CS_OWNDC, CS_CLASSDC).
#pragma once

#include "framework/CDC.h"

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(HWND hWnd);
    ~CPaintDC() override;
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps = {};
    int m_nSavedDC = 0;
};
