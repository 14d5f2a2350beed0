// Dialog data exchange: moves values between a dialog's plain fields and
// its controls, in the direction m_bSaveAndValidate names. A dialog's
// DoDataExchange calls the DDX_ functions; CDialog::UpdateData runs it.
//
// A control id the dialog does not have is skipped: the field and the
// dialog stay as they are.
#pragma once

#include "framework/CString.h"
#include "framework/CTime.h"
#include "framework/CWnd.h"

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, bool bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control with this id in the dialog, or nullptr.
    HWND PrepareCtrl(int nIDC);

    bool m_bSaveAndValidate;    // true: controls -> fields; false: fields -> controls
    CWnd* m_pDlgWnd;
};

// Binds rControl to the control once: the first exchange subclasses it
// (running its PreSubclassWindow); later exchanges leave it alone.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// The text of a combo box. Saving reads the whole text, whatever its length.
// Loading makes the edit field show exactly value: a list entry that merely
// begins with it is never put in its place.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);

// A date and time picker. Saving takes the picker's local time when it holds
// one (GDT_VALID) and leaves value alone otherwise; loading shows value, and
// an invalid CTime leaves the picker as it is.
void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value);

// A check box: ticked (BST_CHECKED) is true, anything else false.
void DDX_Check(CDataExchange* pDX, int nIDC, bool& value);
