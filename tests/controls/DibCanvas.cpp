#include "tests/controls/DibCanvas.h"

#include <algorithm>

DibCanvas::DibCanvas(int nWidth, int nHeight, COLORREF crFill)
    : m_nWidth(nWidth), m_nHeight(nHeight)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<const DWORD*>(pBits);
    m_hDC = ::CreateCompatibleDC(nullptr);
    m_hPrevBitmap = ::SelectObject(m_hDC, m_hBitmap);
    HBRUSH hBrush = ::CreateSolidBrush(crFill);
    RECT rc = {0, 0, nWidth, nHeight};
    ::FillRect(m_hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
}

DibCanvas::~DibCanvas()
{
    ::SelectObject(m_hDC, m_hPrevBitmap);
    ::DeleteDC(m_hDC);
    ::DeleteObject(m_hBitmap);
}

COLORREF DibCanvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight || m_pBits == nullptr)
        return CLR_INVALID;
    ::GdiFlush();
    DWORD bgrx = m_pBits[y * m_nWidth + x];
    return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
}

std::vector<COLORREF> DibCanvas::Pixels() const
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x)
            pixels.push_back(Pixel(x, y));
    return pixels;
}

CRect DibCanvas::BoundsOf(COLORREF crColor) const
{
    CRect rcBounds;
    bool bFound = false;
    for (int y = 0; y < m_nHeight; ++y)
    {
        for (int x = 0; x < m_nWidth; ++x)
        {
            if (Pixel(x, y) != crColor)
                continue;
            if (!bFound)
                rcBounds.SetRect(x, y, x + 1, y + 1);
            rcBounds.left = std::min<LONG>(rcBounds.left, x);
            rcBounds.top = std::min<LONG>(rcBounds.top, y);
            rcBounds.right = std::max<LONG>(rcBounds.right, x + 1);
            rcBounds.bottom = std::max<LONG>(rcBounds.bottom, y + 1);
            bFound = true;
        }
    }
    return rcBounds;
}

int DibCanvas::CountIn(const RECT& rcArea, COLORREF crColor) const
{
    int nCount = 0;
    for (int y = rcArea.top; y < rcArea.bottom; ++y)
        for (int x = rcArea.left; x < rcArea.right; ++x)
            nCount += Pixel(x, y) == crColor ? 1 : 0;
    return nCount;
}

std::unique_ptr<DibCanvas> PaintedFace(HWND hButton)
{
    RECT rcClient = {};
    ::GetClientRect(hButton, &rcClient);
    auto canvas = std::make_unique<DibCanvas>(rcClient.right, rcClient.bottom, RGB(255, 0, 255));
    ::SendMessage(hButton, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->GetDC()), PRF_CLIENT);
    return canvas;
}

void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}
