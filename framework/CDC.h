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
// m_hDC is where drawing and state changes go; GetTextExtent asks
// m_hAttribDC. Every DC this layer makes has the two equal;
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
    HDC GetSafeHdc() const { return m_hDC; }

    // State
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
    HPEN SelectObject(const CPen* pPen);
    HBRUSH SelectObject(const CBrush* pBrush);
    HFONT SelectObject(const CFont* pFont);
    HBITMAP SelectObject(const CBitmap* pBitmap);
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    // Returns the origin that was in force before.
    CPoint SetWindowOrg(int x, int y);

    // Clipping
    // Overridable, so that a DC standing in for another can answer for it.
    virtual int GetClipBox(LPRECT pRect) const { return ::GetClipBox(m_hDC, pRect); }

    // Drawing
    BOOL FillRect(LPCRECT pRect, const CBrush* pBrush);
    BOOL FrameRect(LPCRECT pRect, const CBrush* pBrush);
    BOOL DrawFocusRect(LPCRECT pRect) { return ::DrawFocusRect(m_hDC, pRect); }
    // Returns the position before the move.
    CPoint MoveTo(POINT point);
    BOOL LineTo(POINT point) { return ::LineTo(m_hDC, point.x, point.y); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, const CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);

    // Text. The text is const, so DrawText ignores DT_MODIFYSTRING.
    int DrawText(LPCTSTR pszText, int nCount, LPRECT pRect, UINT nFormat);
    int DrawText(const CString& strText, LPRECT pRect, UINT nFormat);
    CSize GetTextExtent(LPCTSTR pszText, int nCount) const;
    CSize GetTextExtent(const CString& strText) const { return GetTextExtent(strText, strText.GetLength()); }

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

private:
    bool m_bOwnsDC = false;
};
