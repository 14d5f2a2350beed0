#include "framework/CWnd.h"

#include "framework/ReportException.h"

#include <unordered_map>

namespace
{
// What the layer knows about the windows of one thread.
struct CThreadWindows
{
    std::unordered_map<HWND, CWnd*> objects;
    // The object CreateEx is creating a window for, until its creation hook
    // has bound it.
    CWnd* pCreating = nullptr;
    HHOOK hCreationHook = nullptr;
};

// Sent to each child of a per-monitor aware window once the window has taken
// the scale of the display it moved to (Windows 10 1703 and later; the
// headers name it only for those).
const UINT kDpiChangedAfterParent = 0x02E3;

CThreadWindows& ThisThread()
{
    thread_local CThreadWindows windows;
    return windows;
}

// The one list of notifications a parent offers to the object of the child
// they come from before handling them itself. Returns the child, or nullptr
// for a message that is not a child's notification.
HWND NotifyingChild(HWND hParent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM:
    {
        auto dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return dis->CtlType == ODT_MENU ? nullptr : dis->hwndItem;
    }
    case WM_MEASUREITEM:
    {
        auto mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return mis->CtlType == ODT_MENU ? nullptr : ::GetDlgItem(hParent, static_cast<int>(mis->CtlID));
    }
    case WM_COMPAREITEM:
        return reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_DELETEITEM:
        return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_PARENTNOTIFY:
        // Mouse notifications carry a point, not the child.
        if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY)
            return reinterpret_cast<HWND>(lParam);
        return nullptr;
    default:
        return nullptr;
    }
}

BOOL ReflectToChild(HWND hParent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    HWND hChild = NotifyingChild(hParent, message, wParam, lParam);
    if (hChild == nullptr || hChild == hParent)
        return FALSE;
    CWnd* pChild = CWnd::FromHandlePermanent(hChild);
    return pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

// Installs the thread's creation hook for the duration of one CreateEx.
class CCreationHook
{
public:
    CCreationHook(CWnd* pWnd, HOOKPROC proc)
    {
        CThreadWindows& thread = ThisThread();
        m_pPrevious = thread.pCreating;
        m_hPreviousHook = thread.hCreationHook;
        thread.pCreating = pWnd;
        thread.hCreationHook = ::SetWindowsHookEx(WH_CBT, proc, nullptr, ::GetCurrentThreadId());
    }
    ~CCreationHook()
    {
        CThreadWindows& thread = ThisThread();
        if (thread.hCreationHook != nullptr)
            ::UnhookWindowsHookEx(thread.hCreationHook);
        thread.pCreating = m_pPrevious;
        thread.hCreationHook = m_hPreviousHook;
    }
    CCreationHook(const CCreationHook&) = delete;
    CCreationHook& operator=(const CCreationHook&) = delete;

private:
    CWnd* m_pPrevious;
    HHOOK m_hPreviousHook;
};
}

CWnd::~CWnd()
{
    if (m_hWnd == nullptr)
        return;
    // Unbind first, so that the messages of the destruction never reach an
    // object that is half gone.
    HWND hWnd = m_hWnd;
    const bool bOwnsWindow = m_bOwnsWindow;
    Unbind();
    if (bOwnsWindow)
        ::DestroyWindow(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    const auto& objects = ThisThread().objects;
    auto it = objects.find(hWnd);
    return it != objects.end() ? it->second : nullptr;
}

void CWnd::Bind(HWND hWnd)
{
    CThreadWindows& thread = ThisThread();
    m_hWnd = hWnd;
    thread.objects[hWnd] = this;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
}

void CWnd::Unbind()
{
    ThisThread().objects.erase(m_hWnd);
    // Another subclass on top (a tool tip's) keeps its place in the chain;
    // the procedure is only given back while the layer's is the current one.
    auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC));
    if (current == &CWnd::StaticWindowProc)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    m_bOwnsWindow = false;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd != nullptr || !::IsWindow(hWnd) || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    m_hWnd = hWnd;
    PreSubclassWindow();
    Bind(hWnd);
    return TRUE;
}

LRESULT CALLBACK CWnd::CreationHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CThreadWindows& thread = ThisThread();
    if (nCode == HCBT_CREATEWND && thread.pCreating != nullptr)
    {
        // The first window created after CreateEx started is its window;
        // windows its creation makes in turn (a combo's edit field) are not.
        CWnd* pWnd = thread.pCreating;
        thread.pCreating = nullptr;
        pWnd->Bind(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenuOrID)
{
    if (m_hWnd != nullptr)
        return FALSE;
    HWND hWnd;
    {
        CCreationHook hook(this, &CWnd::CreationHookProc);
        hWnd = ::CreateWindowEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                                hWndParent, hMenuOrID, ::GetModuleHandle(nullptr), nullptr);
    }
    if (hWnd == nullptr)
        return FALSE;
    if (m_hWnd == nullptr)
        Bind(hWnd);
    m_bOwnsWindow = true;
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectToChild(m_hWnd, message, wParam, lParam, &result))
        return result;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    *pResult = 0;
    switch (message)
    {
    case WM_CREATE:
        *pResult = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), CPoint(lParam));
        return TRUE;
    case WM_SETCURSOR:
        *pResult = OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        return TRUE;
    case WM_QUERYDRAGICON:
        *pResult = reinterpret_cast<LRESULT>(OnQueryDragIcon());
        return TRUE;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return TRUE;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), reinterpret_cast<LPCRECT>(lParam));
        return TRUE;
    case kDpiChangedAfterParent:
        OnDpiChangedAfterParent();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* pResult)
{
    if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC)
        return FALSE;
    HBRUSH hBrush = CtlColor(reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX);
    if (hBrush == nullptr)
        return FALSE;
    *pResult = reinterpret_cast<LRESULT>(hBrush);
    return TRUE;
}

HBRUSH CWnd::CtlColor(HDC, UINT)
{
    return nullptr;
}

LRESULT CWnd::Default()
{
    if (m_pCurrentMessage == nullptr)
        return 0;
    return DefWindowProc(m_pCurrentMessage->message, m_pCurrentMessage->wParam, m_pCurrentMessage->lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper == nullptr)
        return ::DefWindowProc(m_hWnd, message, wParam, lParam);
    return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CCurrentMessage current = {message, wParam, lParam};
    const CCurrentMessage* pOuter = m_pCurrentMessage;
    m_pCurrentMessage = &current;
    LRESULT result = 0;
    try
    {
        result = WindowProc(message, wParam, lParam);
    }
    catch (...)
    {
        ReportException();
    }
    m_pCurrentMessage = pOuter;
    if (message == WM_NCDESTROY && m_hWnd != nullptr)
        Unbind();
    return result;
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd->Dispatch(message, wParam, lParam);
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr;)
    {
        if (CWnd* pWnd = FromHandlePermanent(hWnd))
        {
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (hWnd == hWndStop || (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            break;
        hWnd = ::GetParent(hWnd);
    }
    return FALSE;
}

UINT CWnd::GetDpi() const
{
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    // Through void(*)() since a FARPROC cast to another function type warns.
    static const auto pGetDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandle(_T("user32.dll")), "GetDpiForWindow")));
    if (pGetDpiForWindow != nullptr)
    {
        if (UINT nDpi = pGetDpiForWindow(m_hWnd))
            return nDpi;
    }
    HDC hDC = ::GetDC(m_hWnd);
    const int nDpi = ::GetDeviceCaps(hDC, LOGPIXELSY);
    ::ReleaseDC(m_hWnd, hDC);
    return nDpi > 0 ? static_cast<UINT>(nDpi) : 96;
}

CString CWnd::GetWindowTextOf(HWND hWnd)
{
    // The buffer is sized from the length, and the text cut to what the read
    // delivered, should the text have changed in between.
    int nLength = ::GetWindowTextLength(hWnd);
    CString text;
    int nRead = ::GetWindowText(hWnd, text.GetBuffer(nLength), nLength + 1);
    text.ReleaseBuffer(nRead);
    return text;
}
