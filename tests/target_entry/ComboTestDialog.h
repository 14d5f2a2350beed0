// The dialog the target combo's tests host it in (IDD_COMBO_TEST): the combo
// is bound to its control by data exchange, as the main window binds it.
#pragma once

#include "framework/CDialog.h"
#include "target_entry/PathCombo.h"

#include <utility>
#include <vector>

class CComboTestDialog : public CDialog
{
public:
    CComboTestDialog();

    void DoDataExchange(CDataExchange* pDX) override;

    // The combo's edit field.
    HWND GetEdit() const;
    // The history, top entry first.
    std::vector<CString> GetEntries() const;
    CString GetEditText() const;
    // The edit selection as (start, end), read with CB_GETEDITSEL.
    std::pair<int, int> GetEditSel() const;

    CPathCombo m_combo;
};
