// An off-screen stand-in for a target DC during one paint. Draw into it with
// the target's own coordinates; when it goes, the finished image reaches the
// target in a single block transfer, so the intermediate steps never show.
// The area it covers is the target's clip box when it is made.
#pragma once

#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "framework/CRect.h"

class CMemDC : public CDC
{
public:
    explicit CMemDC(CDC* pDC);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

private:
    CBitmap m_bmpSurface;
    // The bitmap the fresh memory DC held, selected back before the surface
    // bitmap is deleted.
    HBITMAP m_hPrevBitmap = nullptr;
    CDC* m_pTargetDC;
    CRect m_rcArea;
};
