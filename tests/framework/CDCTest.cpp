#include "framework/CBitmap.h"
#include "framework/CBrush.h"
#include "framework/CClientDC.h"
#include "framework/CDC.h"
#include "framework/CFont.h"
#include "framework/CPen.h"
#include "tests/framework/GdiPrinters.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 128, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A 40 x 30 memory DC in the screen's colour format, painted white, so that
// what the wrappers draw can be read back pixel by pixel.
class Canvas : public ::testing::Test
{
protected:
    static const int kWidth = 40;
    static const int kHeight = 30;

    void SetUp() override
    {
        CClientDC screen(nullptr);
        ASSERT_TRUE(m_dc.CreateCompatibleDC(&screen));
        ASSERT_TRUE(m_bitmap.CreateCompatibleBitmap(&screen, kWidth, kHeight));
        m_hPrevBitmap = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, kWidth, kHeight, kWhite);
    }

    void TearDown() override { m_dc.SelectObject(m_hPrevBitmap); }

    int CountPixelsNot(COLORREF crColor) const
    {
        int nCount = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                nCount += m_dc.GetPixel(x, y) != crColor;
        return nCount;
    }

    LOGFONT GuiLogFont(LONG lfHeight) const
    {
        LOGFONT lf = {};
        ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        lf.lfHeight = lfHeight;
        return lf;
    }

    CBitmap m_bitmap;
    CDC m_dc;
    HBITMAP m_hPrevBitmap = nullptr;
};

TEST_F(Canvas, FillAndFrameLeaveRightAndBottomEdgesOut)
{
    CBrush red(kRed);
    CRect fill(5, 5, 15, 10);
    EXPECT_TRUE(m_dc.FillRect(fill, &red));
    EXPECT_EQ(m_dc.GetPixel(5, 5), kRed);
    EXPECT_EQ(m_dc.GetPixel(14, 9), kRed);
    EXPECT_EQ(m_dc.GetPixel(15, 9), kWhite);
    EXPECT_EQ(m_dc.GetPixel(14, 10), kWhite);
    EXPECT_EQ(m_dc.GetPixel(4, 5), kWhite);

    CBrush blue(kBlue);
    CRect frame(20, 5, 30, 15);
    EXPECT_TRUE(m_dc.FrameRect(frame, &blue));
    EXPECT_EQ(m_dc.GetPixel(20, 5), kBlue);
    EXPECT_EQ(m_dc.GetPixel(29, 14), kBlue);
    EXPECT_EQ(m_dc.GetPixel(25, 10), kWhite) << "a frame leaves its inside alone";
    EXPECT_EQ(m_dc.GetPixel(30, 10), kWhite);
    EXPECT_EQ(m_dc.GetPixel(25, 15), kWhite);

    m_dc.SetBkColor(kGreen);
    m_dc.FillSolidRect(0, 20, 3, 2, kRed);
    EXPECT_EQ(m_dc.GetPixel(2, 21), kRed);
    EXPECT_EQ(m_dc.GetPixel(3, 21), kWhite);
    EXPECT_EQ(m_dc.GetBkColor(), kGreen) << "FillSolidRect must leave the background colour";
}

TEST_F(Canvas, LinesStopShortOfTheirEndPointAndMoveToReportsWhereItWas)
{
    CPen blue(PS_SOLID, 0, kBlue);
    HPEN hPrevPen = m_dc.SelectObject(&blue);

    EXPECT_EQ(m_dc.MoveTo(2, 20), CPoint(0, 0));
    EXPECT_TRUE(m_dc.LineTo(12, 20));
    EXPECT_EQ(m_dc.GetPixel(2, 20), kBlue);
    EXPECT_EQ(m_dc.GetPixel(11, 20), kBlue);
    EXPECT_EQ(m_dc.GetPixel(12, 20), kWhite) << "LineTo does not paint its end point";
    EXPECT_TRUE(m_dc.LineTo(CPoint(12, 25)));
    EXPECT_EQ(m_dc.GetPixel(12, 24), kBlue);
    EXPECT_EQ(m_dc.GetPixel(12, 25), kWhite);
    EXPECT_EQ(m_dc.MoveTo(CPoint(0, 0)), CPoint(12, 25));

    EXPECT_EQ(m_dc.SelectObject(hPrevPen), static_cast<HGDIOBJ>(blue));
}

TEST_F(Canvas, WindowOriginShiftsWhereLogicalPointsLand)
{
    EXPECT_EQ(m_dc.SetWindowOrg(10, 5), CPoint(0, 0));
    EXPECT_EQ(m_dc.GetWindowOrg(), CPoint(10, 5));
    m_dc.FillSolidRect(10, 5, 2, 1, kRed);
    EXPECT_EQ(m_dc.GetPixel(10, 5), kRed) << "reading uses the same logical coordinates";

    EXPECT_EQ(m_dc.SetWindowOrg(CPoint(0, 0)), CPoint(10, 5));
    EXPECT_EQ(m_dc.GetPixel(0, 0), kRed);
    EXPECT_EQ(m_dc.GetPixel(1, 0), kRed);
    EXPECT_EQ(m_dc.GetPixel(2, 0), kWhite);
    EXPECT_EQ(m_dc.GetPixel(10, 5), kWhite);
}

TEST_F(Canvas, SelectObjectHandsBackWhatItReplaced)
{
    CPen pen(PS_SOLID, 0, kRed);
    CBrush brush(kRed);
    CFont font;
    LOGFONT lf = GuiLogFont(-20);
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    CBitmap other;
    ASSERT_TRUE(other.CreateCompatibleBitmap(&m_dc, 2, 2));

    HDC hDC = m_dc.GetSafeHdc();
    HGDIOBJ hDefaultPen = ::GetCurrentObject(hDC, OBJ_PEN);
    HGDIOBJ hDefaultBrush = ::GetCurrentObject(hDC, OBJ_BRUSH);
    HGDIOBJ hDefaultFont = ::GetCurrentObject(hDC, OBJ_FONT);

    HPEN hPrevPen = m_dc.SelectObject(&pen);
    HBRUSH hPrevBrush = m_dc.SelectObject(&brush);
    HFONT hPrevFont = m_dc.SelectObject(&font);
    HBITMAP hPrevBitmap = m_dc.SelectObject(&other);
    EXPECT_EQ(hPrevPen, hDefaultPen);
    EXPECT_EQ(hPrevBrush, hDefaultBrush);
    EXPECT_EQ(hPrevFont, hDefaultFont);
    EXPECT_EQ(hPrevBitmap, static_cast<HBITMAP>(m_bitmap));
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), pen.m_hObject);
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_FONT), font.m_hObject);

    EXPECT_EQ(m_dc.SelectObject(hPrevPen), pen.m_hObject);
    EXPECT_EQ(m_dc.SelectObject(hPrevBrush), brush.m_hObject);
    EXPECT_EQ(m_dc.SelectObject(hPrevFont), font.m_hObject);
    EXPECT_EQ(m_dc.SelectObject(hPrevBitmap), other.m_hObject);
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), hDefaultPen);
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_FONT), hDefaultFont);

    EXPECT_EQ(m_dc.SelectStockObject(NULL_BRUSH), hDefaultBrush);
    EXPECT_EQ(m_dc.SelectObject(hDefaultBrush), ::GetStockObject(NULL_BRUSH));
}

TEST_F(Canvas, RestoreDCPutsBackTheSavedFontAndColours)
{
    LOGFONT lfSmall = GuiLogFont(-11);
    LOGFONT lfLarge = GuiLogFont(-24);
    CFont small;
    CFont large;
    ASSERT_TRUE(small.CreateFontIndirect(&lfSmall));
    ASSERT_TRUE(large.CreateFontIndirect(&lfLarge));

    HFONT hPrevFont = m_dc.SelectObject(&small);
    m_dc.SetTextColor(kBlue);
    int nSaved = m_dc.SaveDC();
    ASSERT_NE(nSaved, 0);
    m_dc.SelectObject(&large);
    m_dc.SetTextColor(kRed);
    m_dc.SetWindowOrg(4, 4);

    EXPECT_TRUE(m_dc.RestoreDC(nSaved));
    EXPECT_EQ(::GetCurrentObject(m_dc.m_hDC, OBJ_FONT), small.m_hObject);
    EXPECT_EQ(m_dc.GetTextColor(), kBlue);
    EXPECT_EQ(m_dc.GetWindowOrg(), CPoint(0, 0));

    m_dc.SelectObject(hPrevFont);
}

TEST_F(Canvas, ClipBoxFollowsTheClipRegionInLogicalCoordinates)
{
    CRect box;
    EXPECT_EQ(m_dc.GetClipBox(box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, kWidth, kHeight));

    HRGN hClip = ::CreateRectRgn(5, 6, 20, 25);
    ::SelectClipRgn(m_dc.m_hDC, hClip);
    ::DeleteObject(hClip);

    EXPECT_EQ(m_dc.GetClipBox(box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(5, 6, 20, 25));
    EXPECT_FALSE(m_dc.PtVisible(4, 6));
    EXPECT_TRUE(m_dc.PtVisible(CPoint(5, 6)));
    EXPECT_FALSE(m_dc.RectVisible(CRect(20, 0, 30, 5)));
    EXPECT_TRUE(m_dc.RectVisible(CRect(0, 0, 6, 7)));

    m_dc.FillSolidRect(0, 0, kWidth, kHeight, kRed);
    EXPECT_EQ(m_dc.GetPixel(5, 6), kRed);
    EXPECT_EQ(m_dc.GetPixel(19, 24), kRed);
    EXPECT_EQ(m_dc.GetPixel(4, 6), kWhite) << "drawing outside the clip box is discarded";
    EXPECT_EQ(m_dc.GetPixel(20, 24), kWhite);

    // The origin's logical point lands on device pixel (0, 0).
    m_dc.SetWindowOrg(5, 6);
    EXPECT_EQ(m_dc.GetClipBox(box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 12, 25, 31));
    m_dc.SetWindowOrg(0, 0);

    ::SelectClipRgn(m_dc.m_hDC, nullptr);
}

TEST_F(Canvas, DrawTextMeasuresLikeTheTextExtentAndDrawsOnlyWhenAsked)
{
    LOGFONT lf = GuiLogFont(-16);
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    HFONT hPrevFont = m_dc.SelectObject(&font);
    const CString text(_T("Go & Close"));

    CSize extent = m_dc.GetTextExtent(text);
    SIZE platform = {};
    ASSERT_TRUE(::GetTextExtentPoint32(m_dc.m_hDC, text, text.GetLength(), &platform));
    EXPECT_EQ(extent, CSize(platform));
    EXPECT_EQ(m_dc.GetTextExtent(_T("Go & Close"), 2), m_dc.GetTextExtent(CString(_T("Go"))));
    ASSERT_GT(extent.cx, 0);

    CRect measured(3, 4, 3, 4);
    int nHeight = m_dc.DrawText(text, measured, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    EXPECT_EQ(measured, CRect(CPoint(3, 4), extent));
    EXPECT_EQ(nHeight, extent.cy);
    EXPECT_EQ(CountPixelsNot(kWhite), 0) << "DT_CALCRECT measures without drawing";

    CRect prefixed(0, 0, 0, 0);
    m_dc.DrawText(_T("&Go"), -1, prefixed, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(prefixed.Width(), m_dc.GetTextExtent(CString(_T("Go"))).cx)
        << "the ampersand marks a mnemonic and takes no room";

    m_dc.SetTextColor(RGB(0, 0, 0));
    m_dc.SetBkMode(TRANSPARENT);
    CRect drawn(measured);
    m_dc.DrawText(text, drawn, DT_SINGLELINE | DT_NOPREFIX);
    const int nInked = CountPixelsNot(kWhite);
    EXPECT_GT(nInked, 0);
    m_dc.FillSolidRect(measured, kWhite);
    EXPECT_EQ(CountPixelsNot(kWhite), 0) << "the text stays inside its measured rectangle";

    m_dc.SelectObject(hPrevFont);
}

TEST(CDCOwnership, AnOwnedDCIsDeletedAndABorrowedOneIsNot)
{
    HDC hOwned = nullptr;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        hOwned = dc.GetSafeHdc();
        EXPECT_TRUE(dc.OwnsDC());
        EXPECT_EQ(dc.m_hAttribDC, hOwned);
        EXPECT_EQ(::GetObjectType(hOwned), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(::GetObjectType(hOwned), 0u) << "the owning CDC deletes its DC";

    HDC hForeign = ::CreateCompatibleDC(nullptr);
    {
        CDC dc = CDC::Borrow(hForeign);
        EXPECT_FALSE(dc.OwnsDC());
        EXPECT_EQ(dc.m_hDC, hForeign);
        EXPECT_EQ(dc.m_hAttribDC, hForeign);
        EXPECT_FALSE(dc.DeleteDC()) << "a borrowed DC is not the wrapper's to delete";
        EXPECT_EQ(dc.m_hDC, hForeign);
    }
    EXPECT_EQ(::GetObjectType(hForeign), static_cast<DWORD>(OBJ_MEMDC));
    ::DeleteDC(hForeign);
}

TEST(CDCOwnership, AttachDetachAndMovingHandOwnershipOver)
{
    HDC hFirst = ::CreateCompatibleDC(nullptr);
    {
        CDC dc;
        EXPECT_TRUE(dc.Attach(hFirst));
        EXPECT_TRUE(dc.OwnsDC());
        EXPECT_EQ(dc.Detach(), hFirst);
        EXPECT_EQ(dc.m_hDC, nullptr);
        EXPECT_EQ(dc.m_hAttribDC, nullptr);
        EXPECT_FALSE(dc.OwnsDC());
    }
    ASSERT_EQ(::GetObjectType(hFirst), static_cast<DWORD>(OBJ_MEMDC)) << "Detach gives the DC up";

    HDC hSecond = ::CreateCompatibleDC(nullptr);
    {
        CDC dc;
        dc.Attach(hFirst);
        dc.Attach(hSecond);
        EXPECT_EQ(::GetObjectType(hFirst), 0u) << "attaching over an owned DC deletes it";
        EXPECT_FALSE(dc.Attach(nullptr));
        EXPECT_EQ(::GetObjectType(hSecond), 0u);
        EXPECT_EQ(dc.m_hDC, nullptr);
    }

    HDC hMoved = nullptr;
    {
        CDC target;
        {
            CDC source;
            source.CreateCompatibleDC(nullptr);
            source.m_bPrinting = TRUE;
            hMoved = source.m_hDC;
            target = std::move(source);
            EXPECT_EQ(source.m_hDC, nullptr);
            EXPECT_FALSE(source.OwnsDC());
        }
        EXPECT_EQ(::GetObjectType(hMoved), static_cast<DWORD>(OBJ_MEMDC));
        EXPECT_EQ(target.m_hDC, hMoved);
        EXPECT_TRUE(target.OwnsDC());
        EXPECT_TRUE(target.IsPrinting());

        CDC third(std::move(target));
        EXPECT_EQ(third.m_hDC, hMoved);
        EXPECT_TRUE(third.OwnsDC());
    }
    EXPECT_EQ(::GetObjectType(hMoved), 0u);
}
}
