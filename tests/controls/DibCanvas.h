// A 32-bit top-down DIB selected into a memory DC of its own, for painting
// into and reading the pixels back exactly.
#pragma once

#include "framework/CRect.h"
#include "framework/Win32.h"

#include <memory>
#include <ostream>
#include <vector>

class DibCanvas
{
public:
    DibCanvas(int nWidth, int nHeight, COLORREF crFill);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC GetDC() const { return m_hDC; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    COLORREF Pixel(int x, int y) const;
    std::vector<COLORREF> Pixels() const;
    // The smallest rectangle holding every pixel of this colour (empty when
    // there is none), and the number of such pixels inside an area.
    CRect BoundsOf(COLORREF crColor) const;
    int CountIn(const RECT& rcArea, COLORREF crColor) const;

private:
    int m_nWidth;
    int m_nHeight;
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hPrevBitmap = nullptr;
    const DWORD* m_pBits = nullptr;
};

// The client area of a button as it paints itself on request (WM_PRINTCLIENT),
// on a canvas first filled with magenta so that unpainted pixels show.
std::unique_ptr<DibCanvas> PaintedFace(HWND hButton);

// Lets GoogleTest print a rectangle in its failure messages.
void PrintTo(const CRect& rc, std::ostream* os);
