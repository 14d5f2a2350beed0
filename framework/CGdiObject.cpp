#include "framework/CGdiObject.h"

#include <utility>

CGdiObject::CGdiObject(CGdiObject&& other) noexcept
    : m_hObject(std::exchange(other.m_hObject, nullptr)),
      m_bOwnsHandle(std::exchange(other.m_bOwnsHandle, false))
{
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other)
    {
        DeleteObject();
        m_hObject = std::exchange(other.m_hObject, nullptr);
        m_bOwnsHandle = std::exchange(other.m_bOwnsHandle, false);
    }
    return *this;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    DeleteObject();
    if (hObject == nullptr)
        return FALSE;
    m_hObject = hObject;
    m_bOwnsHandle = true;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    m_bOwnsHandle = false;
    return std::exchange(m_hObject, nullptr);
}

BOOL CGdiObject::DeleteObject()
{
    const bool bOwned = m_bOwnsHandle;
    HGDIOBJ hObject = Detach();
    if (hObject == nullptr || !bOwned)
        return FALSE;
    return ::DeleteObject(hObject);
}

void CGdiObject::BorrowHandle(HGDIOBJ hObject)
{
    DeleteObject();
    m_hObject = hObject;
}
