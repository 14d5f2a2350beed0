#include "target_entry/PathCombo.h"

#include "framework/AfxMessageBox.h"
#include "framework/CClientDC.h"

#include <algorithm>

namespace
{
// Sets a flag for the length of a scope and clears it again, also when the
// scope is left by an exception.
class CFlagScope
{
public:
    explicit CFlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CFlagScope() { m_flag = false; }
    CFlagScope(const CFlagScope&) = delete;
    CFlagScope& operator=(const CFlagScope&) = delete;

private:
    bool& m_flag;
};

// CB_SETEDITSEL reads an end of 0xFFFF as the end of the text.
constexpr int kEndOfText = -1;
}

CPathCombo::CPathCombo()
{
    // A thread whose COM apartment is already of another kind refuses OLE;
    // S_FALSE (already initialised) still counts once and is undone once.
    if (FAILED(::OleInitialize(nullptr)))
    {
        AfxMessageBox(_T("OLE initialization failed. Make sure that the OLE libraries are the correct version"),
                      MB_OK);
        return;
    }
    m_bOleInitialized = true;
}

CPathCombo::~CPathCombo()
{
    if (m_bOleInitialized)
        ::OleUninitialize();
}

BOOL CPathCombo::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case CB_ADDSTRING:
        *pResult = OnAddString(wParam, lParam);
        return TRUE;
    case CB_INSERTSTRING:
        *pResult = OnInsertString(wParam, lParam);
        return TRUE;
    default:
        return CComboBox::OnWndMsg(message, wParam, lParam, pResult);
    }
}

BOOL CPathCombo::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_EDITUPDATE)
    {
        OnEditUpdate();
        *pResult = 0;
        return TRUE;
    }
    return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CPathCombo::OnAddString(WPARAM, LPARAM lParam)
{
    return AddEntry(lParam);
}

LRESULT CPathCombo::OnInsertString(WPARAM, LPARAM lParam)
{
    return AddEntry(lParam);
}

LRESULT CPathCombo::AddEntry(LPARAM lParam)
{
    int nExisting = FindHistoryEntry(reinterpret_cast<LPCTSTR>(lParam));
    if (nExisting != CB_ERR)
        return nExisting;
    TrimHistory();
    // The platform appends or inserts as the message being handled asks.
    LRESULT result = Default();
    UpdateDroppedWidth();
    return result;
}

int CPathCombo::FindHistoryEntry(LPCTSTR pszPath)
{
    if (!m_bUniqueHistory)
        return CB_ERR;
    return FindString(-1, pszPath);
}

void CPathCombo::TrimHistory()
{
    if (m_nMaxHistory < 1)
        return;
    if (GetCount() >= m_nMaxHistory)
        DeleteString(static_cast<UINT>(m_nMaxHistory - 1));
}

void CPathCombo::UpdateDroppedWidth()
{
    const int nCount = GetCount();
    int nWidest = 0;

    CClientDC dc(m_hWnd);
    const int nSavedDC = dc.SaveDC();
    // Without a font of its own the control draws with the DC's default one.
    if (HFONT hFont = GetFont())
        dc.SelectObject(hFont);
    const int nScrollBarWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    for (int i = 0; i < nCount; ++i)
    {
        CString entry;
        GetLBText(i, entry);
        nWidest = std::max(nWidest, static_cast<int>(dc.GetTextExtent(entry).cx) + nScrollBarWidth);
    }
    dc.RestoreDC(nSavedDC);

    // An empty list sends 0, which the platform widens to the control's width.
    SetDroppedWidth(static_cast<UINT>(nWidest));
}

void CPathCombo::AddToHistory(LPCTSTR pszPath)
{
    const CString path(pszPath);
    CStringArray paths;
    paths.Add(path);
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        CString entry;
        GetLBText(i, entry);
        if (!m_bUniqueHistory || entry.Compare(path) != 0)
            paths.Add(entry);
    }

    ResetContent();
    int nToAdd = paths.GetSize();
    if (m_nMaxHistory >= 1)
        nToAdd = std::min(nToAdd, m_nMaxHistory);
    // Each add goes through the add rules, so an older entry that a newer
    // one above it begins with (ignoring case) is dropped here.
    for (int i = 0; i < nToAdd; ++i)
        AddString(paths[i]);
}

BOOL CPathCombo::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
        m_bAutoComplete = pMsg->wParam != VK_DELETE && pMsg->wParam != VK_BACK;
    return CComboBox::PreTranslateMessage(pMsg);
}

void CPathCombo::OnEditUpdate()
{
    if (!m_bAutoComplete || m_bCompleting)
        return;
    CFlagScope completing(m_bCompleting);
    CompleteFromHistory();
}

void CPathCombo::CompleteFromHistory()
{
    CString text;
    GetWindowText(text);
    const int nLength = text.GetLength();
    const DWORD dwSelection = GetEditSel();
    const bool bSelectionKnown = dwSelection != static_cast<DWORD>(CB_ERR);
    const int nStart = LOWORD(dwSelection);
    const int nEnd = HIWORD(dwSelection);

    // A match copies the whole entry into the edit field, so the typed part
    // takes the entry's letter case; a miss may have disturbed the text.
    if (SelectString(-1, text) == CB_ERR)
    {
        SetWindowText(text);
        if (bSelectionKnown)
            SetEditSel(nStart, nEnd);
    }

    // Typing inside the text keeps the caret where it was; typing at the end
    // highlights the completed tail, which the next character replaces.
    if (bSelectionKnown && nEnd < nLength)
        SetEditSel(nStart, nEnd);
    else
        SetEditSel(nLength, kEndOfText);
}

int CPathCombo::OnCreate(LPCREATESTRUCT)
{
    if (Default() == -1)
        return -1;
    // A control from a dialog template gets this from WS_EX_ACCEPTFILES.
    DragAcceptFiles(TRUE);
    return 0;
}
