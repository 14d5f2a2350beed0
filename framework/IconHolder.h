// Holds an icon that LoadImage made and destroys it when it goes or when
// another takes its place.
#pragma once

#include "framework/Win32.h"

class IconHolder
{
public:
    IconHolder() = default;
    explicit IconHolder(HICON hIcon) : m_hIcon(hIcon) {}
    ~IconHolder() { Reset(); }
    IconHolder(const IconHolder&) = delete;
    IconHolder& operator=(const IconHolder&) = delete;

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
