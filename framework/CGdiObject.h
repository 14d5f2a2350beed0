// The base of the GDI object wrappers: CPen, CBrush, CFont, CBitmap.
//
// Ownership: each object owns the handle it made and deletes it when it goes
// (or when it makes another). A handle that belongs to someone else (the font
// a control returns for WM_GETFONT) is used as the plain handle and never
// wrapped. The objects can be neither copied nor moved.
#pragma once

#include "framework/Win32.h"

class CGdiObject
{
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Read it; only Attach changes it.
    HGDIOBJ m_hObject = nullptr;

protected:
    // Takes ownership of hObject, deleting the handle held before. FALSE for
    // a NULL handle, which leaves the object empty.
    BOOL Attach(HGDIOBJ hObject)
    {
        DeleteObject();
        m_hObject = hObject;
        return hObject != nullptr;
    }

private:
    void DeleteObject()
    {
        if (m_hObject != nullptr)
            ::DeleteObject(m_hObject);
        m_hObject = nullptr;
    }
};
