// Holds one COM interface pointer and releases it when it goes.
#pragma once

#include "framework/Win32.h"

template <typename T>
class CComPtr
{
public:
    CComPtr() = default;
    ~CComPtr() { if (m_p) m_p->Release(); }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;

    T* operator->() const { return m_p; }
    // The slot that CoCreateInstance or QueryInterface fills; for an empty
    // holder only, so nothing it held is lost.
    void** Out() { return reinterpret_cast<void**>(&m_p); }

private:
    T* m_p = nullptr;
};
