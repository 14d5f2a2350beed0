// The base of the GDI object wrappers: CPen, CBrush, CFont, CBitmap.
//
// Ownership: an object that makes its handle (a Create function, a creating
// constructor) or is given one with Attach owns it, and deletes it in
// DeleteObject or when it goes. A handle that belongs to someone else (the
// font a control returns for WM_GETFONT) is wrapped with the derived class's
// Borrow; such an object never deletes it. The objects cannot be copied; moving one hands over the handle
// together with its ownership.
//
// m_hObject is public for reading; change it only through Attach, Detach and
// the Create functions, which keep the ownership in step.
#pragma once

#include "framework/Win32.h"

class CGdiObject
{
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept;
    CGdiObject& operator=(CGdiObject&& other) noexcept;

    // Ownership
    // Takes ownership of hObject; a handle this object owned before is deleted
    // first. FALSE for a NULL handle, which leaves the object empty.
    BOOL Attach(HGDIOBJ hObject);
    // Gives the handle up without deleting it.
    HGDIOBJ Detach();
    // Deletes the handle if it is owned; a borrowed one is only let go, and
    // the result is then FALSE.
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID pObject) const { return ::GetObject(m_hObject, nCount, pObject); }

    HGDIOBJ m_hObject = nullptr;

protected:
    // For the derived classes' Borrow: wraps a handle that stays its owner's.
    void BorrowHandle(HGDIOBJ hObject);

private:
    bool m_bOwnsHandle = false;
};
