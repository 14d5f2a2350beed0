// The hyperlink label tests' dialog (IDD_LINK_TEST) and what they read back
// from the labels on it.
#pragma once

#include "controls/HyperLink.h"
#include "framework/CDialog.h"

#include <memory>

namespace linktest
{
const COLORREF kLinkColour = RGB(0, 0, 238);
const COLORREF kVisitedColour = RGB(85, 26, 139);
const COLORREF kHoverColour = RGB(238, 0, 0);

// The test dialog, shown in the screen's top-left corner, away from where
// the pointer rests, so that no real mouse move reaches a label.
std::unique_ptr<CDialog> ShowLinkTestDialog();

// Binds the label as the dialog's data exchange does.
void BindLink(CDialog& dlg, int nID, CHyperLink& link);

// How many pixels of each of the three colours the label shows on screen.
struct PaintedColours
{
    int link;
    int visited;
    int hover;
};
PaintedColours ColoursShown(HWND hLabel);
}
