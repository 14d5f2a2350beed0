#include "framework/AfxMessageBox.h"

#include "framework/CWinApp.h"

int AfxMessageBox(LPCTSTR lpszText, UINT nType)
{
    HWND owner = GetActiveWindow();
    if ((nType & MB_ICONMASK) == 0)
    {
        // Like the platform's class library: an OK box without an icon shows
        // the exclamation mark.
        if ((nType & MB_TYPEMASK) == MB_OK || (nType & MB_TYPEMASK) == MB_OKCANCEL)
            nType |= MB_ICONEXCLAMATION;
    }
    return MessageBox(owner, lpszText, AfxGetAppName(), nType);
}
