#include "framework/CBrush.h"
#include "framework/CClientDC.h"
#include "framework/CFont.h"
#include "framework/CPaintDC.h"
#include "framework/CWnd.h"
#include "tests/framework/GdiPrinters.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

std::function<void(HWND)> g_onPaint;

LRESULT CALLBACK PaintWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PAINT && g_onPaint)
    {
        g_onPaint(hWnd);
        return 0;
    }
    return ::DefWindowProc(hWnd, uMsg, wParam, lParam);
}

// A visible 60 x 40 white pop-up whose WM_PAINT runs g_onPaint. With
// CS_OWNDC its DC keeps its state between uses, so anything a wrapper leaves
// selected would still be there afterwards.
class PaintWindow
{
public:
    explicit PaintWindow(bool bOwnDC)
    {
        LPCTSTR pszClass = bOwnDC ? _T("DorvaneGdiOwnDC") : _T("DorvaneGdiCommonDC");
        WNDCLASS wc = {};
        wc.style = bOwnDC ? CS_OWNDC : 0;
        wc.lpfnWndProc = PaintWindowProc;
        wc.hInstance = ::GetModuleHandle(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = pszClass;
        ::RegisterClass(&wc);
        m_hWnd = ::CreateWindowEx(0, pszClass, _T(""), WS_POPUP | WS_VISIBLE, 0, 0, 60, 40,
                                  nullptr, nullptr, wc.hInstance, nullptr);
        ::UpdateWindow(m_hWnd);
    }
    ~PaintWindow()
    {
        ::DestroyWindow(m_hWnd);
        g_onPaint = nullptr;
    }
    PaintWindow(const PaintWindow&) = delete;
    PaintWindow& operator=(const PaintWindow&) = delete;

    HWND m_hWnd = nullptr;
};

// What a wrapper may leave behind on a DC that keeps its state.
struct DCState
{
    explicit DCState(HDC hDC)
        : hFont(::GetCurrentObject(hDC, OBJ_FONT)), crText(::GetTextColor(hDC))
    {
        ::GetWindowOrgEx(hDC, &origin);
    }
    HGDIOBJ hFont;
    COLORREF crText;
    POINT origin = {};
};

void ChangeState(CDC& dc, const CFont& font)
{
    dc.SelectObject(&font);
    dc.SetTextColor(kRed);
    dc.SetWindowOrg(3, 3);
}

void ExpectSameState(const DCState& before, const DCState& after)
{
    EXPECT_EQ(after.hFont, before.hFont) << "the font selected through the wrapper is still in";
    EXPECT_EQ(after.crText, before.crText);
    EXPECT_EQ(CPoint(after.origin), CPoint(before.origin));
}

// A window object that paints its client area red through CPaintDC(this).
class CRedWnd : public CWnd
{
public:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message != WM_PAINT)
            return CWnd::OnWndMsg(message, wParam, lParam, pResult);
        CPaintDC dc(this);
        m_rcPaint = dc.m_ps.rcPaint;
        dc.FillSolidRect(0, 0, 60, 40, kRed);
        *pResult = 0;
        return TRUE;
    }

    CRect m_rcPaint;
};

LOGFONT LargeFont()
{
    LOGFONT lf = {};
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfHeight = -30;
    return lf;
}

TEST(CPaintDC, PaintsOnlyTheInvalidPartAndValidatesIt)
{
    PaintWindow window(false);
    ASSERT_NE(window.m_hWnd, nullptr);
    CRect rcPaint;
    CRect rcClip;
    bool bSameHandle = false;
    g_onPaint = [&](HWND hWnd) {
        CPaintDC dc(hWnd);
        rcPaint = dc.m_ps.rcPaint;
        dc.GetClipBox(rcClip);
        bSameHandle = dc.m_hDC == dc.m_ps.hdc && dc.m_hAttribDC == dc.m_ps.hdc;
        EXPECT_FALSE(dc.OwnsDC());
        dc.FillSolidRect(0, 0, 60, 40, kRed);
    };

    CRect invalid(10, 10, 20, 20);
    ::InvalidateRect(window.m_hWnd, invalid, FALSE);
    ::UpdateWindow(window.m_hWnd);

    EXPECT_EQ(rcPaint, invalid);
    EXPECT_EQ(rcClip, invalid);
    EXPECT_TRUE(bSameHandle);
    EXPECT_FALSE(::GetUpdateRect(window.m_hWnd, nullptr, FALSE));
    CClientDC check(window.m_hWnd);
    EXPECT_EQ(check.GetPixel(15, 15), kRed);
    EXPECT_EQ(check.GetPixel(19, 19), kRed);
    EXPECT_EQ(check.GetPixel(20, 20), kWhite) << "painting outside the invalid part is clipped";
    EXPECT_EQ(check.GetPixel(5, 5), kWhite);
}

TEST(CClientDC, DrawsInClientCoordinatesAndGivesTheDCBack)
{
    PaintWindow window(false);
    ASSERT_NE(window.m_hWnd, nullptr);
    {
        CClientDC dc(window.m_hWnd);
        EXPECT_NE(dc.m_hDC, nullptr);
        EXPECT_FALSE(dc.OwnsDC());
        EXPECT_EQ(::WindowFromDC(dc.m_hDC), window.m_hWnd);
        CRect box;
        dc.GetClipBox(box);
        EXPECT_EQ(box, CRect(0, 0, 60, 40));
        dc.FillSolidRect(0, 0, 2, 2, kRed);
    }
    CClientDC check(window.m_hWnd);
    EXPECT_EQ(check.GetPixel(1, 1), kRed);
    EXPECT_EQ(check.GetPixel(2, 2), kWhite);

    CClientDC screen(nullptr);
    CRect box;
    screen.GetClipBox(box);
    EXPECT_EQ(box, CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
}

TEST(CWindowDCs, PutBackWhateverWasSelectedThroughThem)
{
    PaintWindow window(true);
    ASSERT_NE(window.m_hWnd, nullptr);
    LOGFONT lf = LargeFont();
    CFont large;
    ASSERT_TRUE(large.CreateFontIndirect(&lf));

    HDC hOwnDC = ::GetDC(window.m_hWnd);
    const DCState before(hOwnDC);
    ::ReleaseDC(window.m_hWnd, hOwnDC);

    {
        CClientDC dc(window.m_hWnd);
        ASSERT_EQ(dc.m_hDC, hOwnDC) << "a CS_OWNDC window always hands out its own DC";
        ChangeState(dc, large);
    }
    ExpectSameState(before, DCState(hOwnDC));

    bool bPainted = false;
    g_onPaint = [&](HWND hWnd) {
        CPaintDC dc(hWnd);
        EXPECT_EQ(dc.m_hDC, hOwnDC);
        ChangeState(dc, large);
        bPainted = true;
    };
    ::InvalidateRect(window.m_hWnd, nullptr, FALSE);
    ::UpdateWindow(window.m_hWnd);
    ASSERT_TRUE(bPainted);
    ExpectSameState(before, DCState(hOwnDC));
}

TEST(CWindowDCs, TakeTheWindowFromAWindowObject)
{
    PaintWindow window(false);
    ASSERT_NE(window.m_hWnd, nullptr);
    CRedWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(window.m_hWnd));

    CRect invalid(0, 0, 5, 5);
    wnd.InvalidateRect(invalid, FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.m_rcPaint, invalid);
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE));

    CClientDC dc(&wnd);
    EXPECT_EQ(::WindowFromDC(dc.m_hDC), wnd.m_hWnd);
    EXPECT_EQ(dc.GetPixel(4, 4), kRed);
    EXPECT_EQ(dc.GetPixel(5, 5), kWhite);

    const CWnd* pNoWindow = nullptr;
    CClientDC screen(pNoWindow);
    CRect box;
    screen.GetClipBox(box);
    EXPECT_EQ(box, CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)))
        << "no window means the screen";
    wnd.UnsubclassWindow();
}
}
