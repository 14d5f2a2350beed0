// The one hover rule of the program's controls: a control lights up while
// the mouse is over it and a window of its thread is active. A window hears
// of the mouse only while the pointer is over it, so a lit control holds the
// mouse capture to see the move that leaves it; a capture lost while lit is
// taken back at the next move. A move with the left button down lights
// nothing (the press began elsewhere), and a press in progress keeps the
// capture until the button is let go.
//
// The control passes on its mouse moves and repaints whenever a call returns
// true, meaning the light changed; what it paints is its own business.
#pragma once

#include "framework/Win32.h"

#include <utility>

class CHoverTracker
{
public:
    bool IsHot() const { return m_bHot; }
    // point is in the control's client coordinates.
    bool OnMouseMove(HWND hWnd, UINT nFlags, POINT point);
    // Puts the light out and keeps the capture (the focus went, a click): the
    // light comes back once the mouse has left and come over it again.
    bool PutOut() { return std::exchange(m_bHot, false); }

private:
    bool m_bHot = false;
};
