#include "tests/framework/WindowTestDialog.h"

#include <algorithm>

BOOL CRecordingCombo::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CComboBox::PreTranslateMessage(pMsg);
    m_keyDowns.push_back(*pMsg);
    if (m_nConsumeKey != 0 && pMsg->wParam == m_nConsumeKey)
        return TRUE;
    return CComboBox::PreTranslateMessage(pMsg);
}

BOOL CRecordingCombo::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_EDITUPDATE && m_bTakeEditUpdate)
    {
        ++m_nEditUpdates;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY && m_nNotifyCode != 0 &&
        reinterpret_cast<const NMHDR*>(lParam)->code == m_nNotifyCode)
    {
        *pResult = m_lNotifyResult;
        return TRUE;
    }
    return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CRecordingLabel::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED && m_bTakeClicks)
    {
        ++m_nClicks;
        *pResult = 0;
        return TRUE;
    }
    return CStatic::OnChildNotify(message, wParam, lParam, pResult);
}

HBRUSH CRecordingLabel::CtlColor(HDC, UINT nCtlColor)
{
    ++m_nCtlColors;
    m_nLastCtlColor = nCtlColor;
    return m_hBrush;
}

void CRecordingButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    ++m_nDrawn;
    m_nLastCtlID = lpDrawItemStruct->CtlID;
    m_hLastItem = lpDrawItemStruct->hwndItem;
}

BOOL CRecordingButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM && !m_bTakeDrawItem)
        return FALSE;
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CTestDialog::OnInitDialog()
{
    ++m_nInitDialog;
    CDialog::OnInitDialog();
    if (m_onInit)
        m_onInit();
    return TRUE;
}

void CTestDialog::OnOK()
{
    ++m_nOK;
    CDialog::OnOK();
}

void CTestDialog::OnCancel()
{
    ++m_nCancel;
    CDialog::OnCancel();
}

void CTestDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_TEST_COMBO, m_combo);
    DDX_Control(pDX, IDC_TEST_LABEL, m_label);
    DDX_Control(pDX, IDC_TEST_DRAWN, m_drawn);
    DDX_CBString(pDX, IDC_TEST_COMBO, m_strText);
    DDX_DateTimeCtrl(pDX, IDC_TEST_DATE, m_date);
    DDX_Check(pDX, IDC_TEST_CHECK, m_bCheck);
}

BOOL CTestDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case kCustomMessage:
        *pResult = kCustomResult;
        return TRUE;
    case WM_COMMAND:
        if (lParam != 0)
            m_commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        if (LOWORD(wParam) == IDC_TEST_PLAIN && HIWORD(wParam) == BN_CLICKED && m_onPlain)
        {
            m_onPlain();
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_DRAWITEM:
        ++m_nDrawItems;
        break;
    case WM_CTLCOLORSTATIC:
        ++m_nCtlColorStatic;
        break;
    default:
        break;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

bool CTestDialog::SawCommand(int nID, int nCode) const
{
    return std::find(m_commands.begin(), m_commands.end(), std::make_pair(nID, nCode)) != m_commands.end();
}
