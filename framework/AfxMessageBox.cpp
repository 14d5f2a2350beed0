#include "framework/AfxMessageBox.h"

#include "framework/CWinApp.h"

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT /*nIDHelp*/)
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

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}
