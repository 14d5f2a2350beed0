// A combo box control, spoken to through its messages. Positions are 0-based;
// CB_ERR (-1) means "none" or failure, CB_ERRSPACE (-2) lack of memory.
#pragma once

#include "framework/CWnd.h"

class CComboBox : public CWnd
{
public:
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }

    // The whole text of an entry, whatever its length; empty for a position
    // the list does not have, which then also returns CB_ERR.
    int GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const
    { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex))); }

    int AddString(LPCTSTR lpszString)
    { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString))); }
    // Returns the number of entries left.
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }

    // Search after nStartAfter (-1: from the top), wrapping round: the first
    // entry that begins with the text, ignoring case (FindString), or that
    // equals it, ignoring case (FindStringExact). SelectString also copies
    // the found entry into the edit field and selects it.
    int FindString(int nStartAfter, LPCTSTR lpszString) const
    {
        return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(nStartAfter),
                                            reinterpret_cast<LPARAM>(lpszString)));
    }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
    {
        return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                            reinterpret_cast<LPARAM>(lpszFind)));
    }
    int SelectString(int nStartAfter, LPCTSTR lpszString)
    {
        return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter),
                                            reinterpret_cast<LPARAM>(lpszString)));
    }

    // Start in the low word, end in the high word; CB_ERR without an edit field.
    DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
    // An end of -1 means the end of the text, a start of -1 removes the selection.
    BOOL SetEditSel(int nStartChar, int nEndChar)
    { return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar))); }

    int SetDroppedWidth(UINT nWidth) { return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, nWidth)); }
};
