#include "controls/HyperLink.h"

#include "framework/CClientDC.h"

#include <memory>
#include <type_traits>

namespace
{
// The one tool of a label's tool tip.
const UINT_PTR kTipToolID = 1;

// The hand cursor of the Windows help program, copied so that the copy
// outlives the program's module; NULL where the program or its cursor is
// missing.
HCURSOR CopyHelpProgramCursor()
{
    UINT nSize = ::GetWindowsDirectory(nullptr, 0);
    if (nSize == 0)
        return nullptr;
    CString strPath;
    UINT nLength = ::GetWindowsDirectory(strPath.GetBuffer(static_cast<int>(nSize)), nSize);
    if (nLength == 0 || nLength >= nSize)
        return nullptr;
    strPath.ReleaseBuffer(static_cast<int>(nLength));
    strPath += _T("\\winhlp32.exe");

    using ModuleHolder = std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&::FreeLibrary)>;
    ModuleHolder module(::LoadLibrary(strPath), &::FreeLibrary);
    if (!module)
        return nullptr;
    HCURSOR hCursor = ::LoadCursor(module.get(), MAKEINTRESOURCE(106));
    return hCursor != nullptr ? ::CopyIcon(hCursor) : nullptr;
}
}

CHyperLink::~CHyperLink()
{
    if (m_hHandCursor == nullptr)
        return;
    // The platform refuses to destroy the cursor it is showing, which the
    // copy still is when the pointer was last over the label.
    if (::GetCursor() == m_hHandCursor)
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    ::DestroyCursor(m_hHandCursor);
}

void CHyperLink::SetTarget(CString strTarget)
{
    m_strTarget = strTarget;
    if (!::IsWindow(m_hWnd))
        return;
    FitToText();
    m_toolTip.UpdateTipText(m_strTarget, m_hWnd, kTipToolID);
}

void CHyperLink::SetVisited(bool bVisited)
{
    m_bVisited = bVisited;
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void CHyperLink::PreSubclassWindow()
{
    // A static control reports clicks to its parent only with SS_NOTIFY.
    ModifyStyle(0, SS_NOTIFY);

    CString strCaption;
    GetWindowText(strCaption);
    if (m_strTarget.IsEmpty())
        m_strTarget = strCaption;
    GetWindowText(strCaption);
    if (strCaption.IsEmpty())
        SetWindowText(m_strTarget);

    // A static control without a font of its own draws with the system font.
    HFONT hFont = GetFont();
    if (hFont == nullptr)
        hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONT lf = {};
    ::GetObject(hFont, sizeof(lf), &lf);
    lf.lfUnderline = TRUE;
    m_fontLink.CreateFontIndirect(&lf);
    SetFont(m_fontLink, TRUE);

    FitToText();
    LoadHandCursor();

    CRect rcClient;
    GetClientRect(&rcClient);
    m_toolTip.Create(this, 0);
    m_toolTip.AddTool(m_hWnd, m_strTarget, &rcClient, kTipToolID);

    CStatic::PreSubclassWindow();
}

BOOL CHyperLink::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

BOOL CHyperLink::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED)
    {
        OnClicked();
        *pResult = 0;
        return TRUE;
    }
    return CStatic::OnChildNotify(message, wParam, lParam, pResult);
}

HBRUSH CHyperLink::CtlColor(HDC hDC, UINT /*nCtlColor*/)
{
    COLORREF crText = m_crLink;
    if (m_hover.IsHot())
        crText = m_crHover;
    else if (m_bVisited)
        crText = m_crVisited;
    ::SetTextColor(hDC, crText);
    // The dialog's background shows behind the caption.
    ::SetBkMode(hDC, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CHyperLink::OnSetCursor(HWND /*hWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    if (m_hHandCursor == nullptr)
        return FALSE;
    ::SetCursor(m_hHandCursor);
    return TRUE;
}

void CHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    if (m_hover.OnMouseMove(m_hWnd, nFlags, point))
        RedrawNow();
}

void CHyperLink::OnKillFocus(HWND /*hNewWnd*/)
{
    Default();
    if (m_hover.PutOut())
        Invalidate();
}

void CHyperLink::FitToText()
{
    if (!::IsWindow(m_hWnd))
        return;

    CRect rc;
    GetWindowRect(&rc);
    if (HWND hParent = GetParent())
        ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rc), 2);

    const SIZE size = MeasureCaption();
    const DWORD dwStyle = GetStyle();

    // Centring divides the difference evenly, truncating toward zero, so an
    // odd difference leaves the label one pixel off the caption's size.
    if (dwStyle & SS_CENTERIMAGE)
    {
        int dy = (rc.Height() - size.cy) / 2;
        rc.top += dy;
        rc.bottom -= dy;
    }
    else
    {
        rc.bottom = rc.top + size.cy;
    }

    // Single bits of the style, in this order: SS_CENTER is 1, SS_RIGHT is 2.
    if (dwStyle & SS_CENTER)
    {
        int dx = (rc.Width() - size.cx) / 2;
        rc.left += dx;
        rc.right -= dx;
    }
    else if (dwStyle & SS_RIGHT)
    {
        rc.left = rc.right - size.cx;
    }
    else
    {
        rc.right = rc.left + size.cx;
    }

    SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER);
}

void CHyperLink::LoadHandCursor()
{
    if (m_hHandCursor != nullptr)
        return;
    m_hHandCursor = CopyHelpProgramCursor();
    // Where the help program has no hand cursor the platform's own serves;
    // the label keeps a copy of it too, so that it always owns what it holds.
    if (m_hHandCursor == nullptr)
    {
        if (HCURSOR hHand = ::LoadCursor(nullptr, IDC_HAND))
            m_hHandCursor = ::CopyIcon(hHand);
    }
}

SIZE CHyperLink::MeasureCaption()
{
    CString strCaption;
    GetWindowText(strCaption);
    CClientDC dc(m_hWnd);
    HFONT hOldFont = dc.SelectObject(&m_fontLink);
    SIZE size = dc.GetTextExtent(strCaption);
    dc.SelectObject(hOldFont);
    return size;
}

void CHyperLink::RedrawNow()
{
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}
