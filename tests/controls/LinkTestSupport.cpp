#include "tests/controls/LinkTestSupport.h"

#include "framework/CWnd.h"

#include <algorithm>

namespace linktest
{
namespace
{
struct ToolSearch
{
    HWND hWnd;
    UINT_PTR nID;
    std::vector<HWND> found;
};

TOOLINFO ToolIdentity(HWND hWnd, UINT_PTR nID)
{
    TOOLINFO ti = {};
    ti.cbSize = TTTOOLINFO_V1_SIZE;
    ti.hwnd = hWnd;
    ti.uId = nID;
    return ti;
}

BOOL CALLBACK CollectToolTip(HWND hCandidate, LPARAM lParam)
{
    auto search = reinterpret_cast<ToolSearch*>(lParam);
    TCHAR className[64] = {};
    ::GetClassName(hCandidate, className, 64);
    if (lstrcmpi(className, TOOLTIPS_CLASS) != 0)
        return TRUE;
    TOOLINFO ti = ToolIdentity(search->hWnd, search->nID);
    if (::SendMessage(hCandidate, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&ti)))
        search->found.push_back(hCandidate);
    return TRUE;
}

// The bits of a cursor's mask and colour bitmaps.
std::vector<BYTE> BitmapBits(HBITMAP hBitmap)
{
    if (hBitmap == nullptr)
        return {};
    BITMAP bm = {};
    ::GetObject(hBitmap, sizeof(bm), &bm);
    std::vector<BYTE> bits(static_cast<size_t>(bm.bmWidthBytes) * static_cast<size_t>(bm.bmHeight));
    ::GetBitmapBits(hBitmap, static_cast<LONG>(bits.size()), bits.data());
    return bits;
}

struct CursorImage
{
    bool valid = false;
    POINT hotSpot = {};
    std::vector<BYTE> mask;
    std::vector<BYTE> colour;
};

CursorImage ImageOf(HCURSOR hCursor)
{
    CursorImage image;
    ICONINFO info = {};
    if (!::GetIconInfo(hCursor, &info))
        return image;
    image.valid = true;
    image.hotSpot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
    image.mask = BitmapBits(info.hbmMask);
    image.colour = BitmapBits(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    return image;
}
}

CRect RectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

CSize UnderlinedExtent(HWND hDlg, const CString& text)
{
    LOGFONT lf = {};
    ::GetObject(reinterpret_cast<HFONT>(::SendMessage(hDlg, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    lf.lfUnderline = TRUE;
    HFONT hFont = ::CreateFontIndirect(&lf);
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32(hDC, text, text.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    ::DeleteObject(hFont);
    return CSize(size);
}

std::vector<HWND> ToolTipsHolding(HWND hWnd, UINT_PTR nID)
{
    ToolSearch search = {hWnd, nID, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectToolTip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

CString ToolText(HWND hToolTip, HWND hWnd, UINT_PTR nID)
{
    const int kBufferLength = 4096;
    std::vector<TCHAR> buffer(kBufferLength + 1);
    TOOLINFO ti = ToolIdentity(hWnd, nID);
    ti.lpszText = buffer.data();
    ::SendMessage(hToolTip, TTM_GETTEXT, kBufferLength, reinterpret_cast<LPARAM>(&ti));
    return CString(buffer.data());
}

std::vector<COLORREF> ScreenPixels(HWND hWnd)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    std::vector<COLORREF> pixels;
    if (rc.IsRectEmpty())
        return pixels;

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = rc.Width();
    bmi.bmiHeader.biHeight = -rc.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hWndDC = ::GetDC(hWnd);
    HDC hMemDC = ::CreateCompatibleDC(hWndDC);
    HBITMAP hBitmap = ::CreateDIBSection(hWndDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    ::BitBlt(hMemDC, 0, 0, rc.Width(), rc.Height(), hWndDC, 0, 0, SRCCOPY);
    ::GdiFlush();
    const DWORD* pPixels = static_cast<const DWORD*>(pBits);
    for (int i = 0; i < rc.Width() * rc.Height(); ++i)
    {
        DWORD bgr = pPixels[i];
        pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    }
    ::SelectObject(hMemDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemDC);
    ::ReleaseDC(hWnd, hWndDC);
    return pixels;
}

int CountColor(const std::vector<COLORREF>& pixels, COLORREF crColor)
{
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), crColor));
}

bool SameCursorImage(HCURSOR hFirst, HCURSOR hSecond)
{
    CursorImage first = ImageOf(hFirst);
    CursorImage second = ImageOf(hSecond);
    return first.valid && second.valid && first.hotSpot.x == second.hotSpot.x &&
           first.hotSpot.y == second.hotSpot.y && first.mask == second.mask && first.colour == second.colour;
}
}
