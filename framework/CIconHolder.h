// Holds an icon that LoadImage made and destroys it when it goes or when
// another takes its place.
#pragma once

#include "framework/Win32.h"

class CIconHolder
{
public:
    CIconHolder() = default;
    ~CIconHolder() { Reset(); }
    CIconHolder(const CIconHolder&) = delete;
    CIconHolder& operator=(const CIconHolder&) = delete;

    void Reset(HICON hIcon = nullptr)
    {
        if (m_hIcon != nullptr)
            ::DestroyIcon(m_hIcon);
        m_hIcon = hIcon;
    }
    HICON Get() const { return m_hIcon; }

private:
    HICON m_hIcon = nullptr;
};

// The image of the program's icon resource nIconID made for exactly that
// size: the icon files hold one for each common scale, so the platform
// stretches one only at a scale they lack. None for an id of 0.
inline HICON LoadIconImage(int nIconID, int nWidth, int nHeight)
{
    if (nIconID == 0)
        return nullptr;
    return static_cast<HICON>(::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(nIconID), IMAGE_ICON,
                                          nWidth, nHeight, LR_DEFAULTCOLOR));
}
