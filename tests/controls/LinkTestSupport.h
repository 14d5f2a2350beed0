// What the hyperlink label and About box tests read back from the real
// windows: geometry, the caption measured on its own, tool-tip texts, and
// the pixels a window shows on the screen.
#pragma once

#include "framework/CRect.h"
#include "framework/CSize.h"
#include "framework/CString.h"

#include <vector>

namespace linktest
{
// A window's rectangle in its parent's client coordinates.
CRect RectInParent(HWND hWnd);

// The extent of text in an underlined copy of the dialog's font, measured
// on a screen DC of its own.
CSize UnderlinedExtent(HWND hDlg, const CString& text);

// The tool tips of this thread that hold the tool (hWnd, nID).
std::vector<HWND> ToolTipsHolding(HWND hWnd, UINT_PTR nID);
// The text of the tool (hWnd, nID) in the tool tip that holds it.
CString ToolText(HWND hToolTip, HWND hWnd, UINT_PTR nID);

// The client area of a window as it shows on the screen now.
std::vector<COLORREF> ScreenPixels(HWND hWnd);
// How many of the pixels are exactly crColor.
int CountColor(const std::vector<COLORREF>& pixels, COLORREF crColor);

// True when both cursors show the same image with the same hot spot.
bool SameCursorImage(HCURSOR hFirst, HCURSOR hSecond);
}
