// Shows the hourglass for as long as the object lives, also when an error
// passes through the scope that made it.
#pragma once

#include "framework/Win32.h"

class CWaitCursor
{
public:
    CWaitCursor() : m_hPrevious(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { Restore(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Ends the wait early.
    void Restore()
    {
        if (m_bActive)
            SetCursor(m_hPrevious);
        m_bActive = false;
    }

private:
    HCURSOR m_hPrevious;
    bool m_bActive = true;
};
