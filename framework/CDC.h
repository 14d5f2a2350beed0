// A device context and the drawing operations the program uses.
//
// Ownership: a CDC owns its DC only when it made it (CreateCompatibleDC) or
// was given it with Attach; it then deletes it in DeleteDC or when it goes.
// CDC::Borrow wraps a DC that belongs to someone else (the hDC of a
// DRAWITEMSTRUCT, the DC of a control-colour message) and never deletes it.
// The window DCs, CPaintDC and CClientDC, hand their DC back to the window
// instead. A CDC cannot be copied; moving a plain CDC hands over the DC
// together with its ownership. The window DCs cannot be moved; a CDC moved
// out of one only borrows the DC, which the window DC still hands back.
//
// Selections are not undone behind the caller's back: SelectObject returns
// the object it replaced, and whoever selects something selects that back
// before the DC goes (or brackets the work with SaveDC and RestoreDC). A GDI
// object still selected into a DC cannot be deleted.
//
// m_hDC is where drawing and state changes go; GetTextExtent and
// GetDeviceCaps ask m_hAttribDC. Every DC this layer makes has the two equal;
// a subclass that sets them apart keeps them in step itself.
#pragma once

#include "framework/CPoint.h"
#include "framework/CRect.h"
#include "framework/CSize.h"
#include "framework/CString.h"

class CBitmap;
class CBrush;
class CFont;
class CPen;

class CDC
{
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    CDC(CDC&& other) noexcept;
    CDC& operator=(CDC&& other) noexcept;

    // Wraps a DC that stays its owner's.
    static CDC Borrow(HDC hDC);

    // Ownership
    // Takes ownership of hDC as both handles; a DC this object owned before is
    // deleted first. FALSE for a NULL handle, which leaves the object empty.
    BOOL Attach(HDC hDC);
    // Gives the DC up without deleting it and empties both handles.
    HDC Detach();
    // A memory DC compatible with pDC's device (the screen for nullptr),
    // owned by this object.
    BOOL CreateCompatibleDC(const CDC* pDC);
    // Deletes an owned DC; FALSE, and nothing happens, for a borrowed one.
    BOOL DeleteDC();
    bool OwnsDC() const { return m_bOwnsDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL IsPrinting() const { return m_bPrinting; }

    // State
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
    HPEN SelectObject(const CPen* pPen);
    HBRUSH SelectObject(const CBrush* pBrush);
    HFONT SelectObject(const CFont* pFont);
    HBITMAP SelectObject(const CBitmap* pBitmap);
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    HGDIOBJ SelectStockObject(int nIndex) { return ::SelectObject(m_hDC, ::GetStockObject(nIndex)); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    // Both return the origin that was in force before.
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint GetWindowOrg() const;

    // Clipping
    // Overridable, so that a DC standing in for another can answer for it.
    virtual int GetClipBox(LPRECT pRect) const { return ::GetClipBox(m_hDC, pRect); }
    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
    BOOL RectVisible(LPCRECT pRect) const { return ::RectVisible(m_hDC, pRect); }

    // Drawing
    BOOL FillRect(LPCRECT pRect, const CBrush* pBrush);
    // Leaves the background colour as it found it.
    void FillSolidRect(LPCRECT pRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    BOOL FrameRect(LPCRECT pRect, const CBrush* pBrush);
    BOOL DrawFocusRect(LPCRECT pRect) { return ::DrawFocusRect(m_hDC, pRect); }
    // Returns the position before the move.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, const CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);

    // Text. The text is const, so DrawText ignores DT_MODIFYSTRING.
    int DrawText(LPCTSTR pszText, int nCount, LPRECT pRect, UINT nFormat);
    int DrawText(const CString& strText, LPRECT pRect, UINT nFormat);
    BOOL TextOut(int x, int y, LPCTSTR pszText, int nCount) { return ::TextOut(m_hDC, x, y, pszText, nCount); }
    BOOL TextOut(int x, int y, const CString& strText) { return TextOut(x, y, strText, strText.GetLength()); }
    CSize GetTextExtent(LPCTSTR pszText, int nCount) const;
    CSize GetTextExtent(const CString& strText) const { return GetTextExtent(strText, strText.GetLength()); }

    // Device
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

private:
    bool m_bOwnsDC = false;
};
