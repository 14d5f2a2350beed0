#include "framework/CComboBox.h"

int CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLength = GetLBTextLen(nIndex);
    if (nLength == CB_ERR)
    {
        rString.Empty();
        return CB_ERR;
    }
    int nRead = static_cast<int>(
        SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(rString.GetBuffer(nLength))));
    rString.ReleaseBuffer(nRead == CB_ERR ? 0 : nRead);
    return nRead;
}
