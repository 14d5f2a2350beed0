// Holds an open registry key and closes it when it goes.
#pragma once

#include "framework/Win32.h"

class RegKey
{
public:
    RegKey() = default;
    ~RegKey() { if (m_hKey != nullptr) ::RegCloseKey(m_hKey); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // The slot RegOpenKeyEx or RegCreateKeyEx fills.
    HKEY* operator&() { return &m_hKey; }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};
