// A device context and the drawing operations the program uses.
//
// Ownership: a CDC owns its DC only when it made it (CreateCompatibleDC); it
// then deletes it in DeleteDC or when it goes. CDC::Borrow wraps a DC that
// belongs to someone else (the hDC of a DRAWITEMSTRUCT) and never deletes it.
// The window DCs, CPaintDC and CClientDC, hand their DC back to the window
// instead. A CDC can be neither copied nor moved.
//
// Selections are not undone behind the caller's back: SelectObject returns
// the object it replaced, and whoever selects something selects that back
// before the DC goes (or brackets the work with SaveDC and RestoreDC). A GDI
// object still selected into a DC cannot be deleted.
#pragma once

#include "framework/CRect.h"
#include "framework/CString.h"

class CBitmap;
class CFont;
class CPen;
class CBrush;

class CDC
{
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Wraps a DC that stays its owner's.
    static CDC Borrow(HDC hDC) { return CDC(hDC); }

    // A memory DC compatible with pDC's device (the screen for nullptr),
    // owned by this object; a DC it owned before is deleted first.
    BOOL CreateCompatibleDC(const CDC* pDC);
    // Deletes an owned DC; FALSE, and nothing happens, for a borrowed one.
    BOOL DeleteDC();
    HDC GetSafeHdc() const { return m_hDC; }

    // State
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
    HPEN SelectObject(const CPen* pPen);
    HFONT SelectObject(const CFont* pFont);
    HBITMAP SelectObject(const CBitmap* pBitmap);
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    void SetWindowOrg(int x, int y) { ::SetWindowOrgEx(m_hDC, x, y, nullptr); }
    int GetClipBox(LPRECT pRect) const { return ::GetClipBox(m_hDC, pRect); }

    // Drawing
    BOOL FillRect(LPCRECT pRect, const CBrush* pBrush);
    BOOL FrameRect(LPCRECT pRect, const CBrush* pBrush);
    BOOL DrawFocusRect(LPCRECT pRect) { return ::DrawFocusRect(m_hDC, pRect); }
    void MoveTo(POINT point) { ::MoveToEx(m_hDC, point.x, point.y, nullptr); }
    BOOL LineTo(POINT point) { return ::LineTo(m_hDC, point.x, point.y); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, const CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);

    // Text. The text is const, so DrawText ignores DT_MODIFYSTRING.
    int DrawText(LPCTSTR pszText, int nCount, LPRECT pRect, UINT nFormat);
    SIZE GetTextExtent(const CString& strText) const;

    HDC m_hDC = nullptr;

private:
    explicit CDC(HDC hBorrowed) : m_hDC(hBorrowed) {}

    bool m_bOwnsDC = false;
};
