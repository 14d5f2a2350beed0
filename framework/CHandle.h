// Holds a kernel handle (a file CreateFile opened, a process or a thread
// CreateProcess started) and closes it when it goes. The platform says "no
// handle" in two ways, null and INVALID_HANDLE_VALUE; neither is closed.
#pragma once

#include "framework/Win32.h"

class CHandle
{
public:
    explicit CHandle(HANDLE h) : m_h(h) {}
    ~CHandle() { if (IsOpen()) ::CloseHandle(m_h); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;

    bool IsOpen() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};
