// The off-screen surface on memory DCs whose pixels the tests read directly.
#include "controls/MemDC.h"
#include "framework/CBrush.h"
#include "tests/controls/DibCanvas.h"

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
const CRect kWhole(0, 0, 20, 20);

void FillRed(CDC& dc)
{
    CBrush brRed(kRed);
    dc.FillRect(kWhole, &brRed);
}
}

TEST(MemDC, DrawsOffScreenAndCopiesWhenItGoes)
{
    DibCanvas canvas(20, 20, kWhite);
    CDC target = CDC::Borrow(canvas.GetDC());
    {
        CMemDC surface(&target);
        EXPECT_NE(surface.m_hDC, target.m_hDC);
        FillRed(surface);
        EXPECT_EQ(canvas.Pixel(10, 10), kWhite) << "nothing reaches the target before the copy";
    }
    EXPECT_EQ(canvas.CountIn(kWhole, kRed), 400);
    EXPECT_EQ(::GetCurrentObject(canvas.GetDC(), OBJ_BITMAP), canvas.GetBitmap());
}

TEST(MemDC, CoversOnlyTheClipBoxAndLeavesTheRestAlone)
{
    DibCanvas canvas(20, 20, kWhite);
    ::IntersectClipRect(canvas.GetDC(), 5, 5, 15, 15);
    CDC target = CDC::Borrow(canvas.GetDC());
    {
        CMemDC surface(&target);
        FillRed(surface);
    }
    EXPECT_EQ(canvas.CountIn(CRect(5, 5, 15, 15), kRed), 100);
    EXPECT_EQ(canvas.CountIn(kWhole, kRed), 100);
    EXPECT_EQ(canvas.Pixel(4, 4), kWhite);
    EXPECT_EQ(canvas.Pixel(15, 15), kWhite);
}

TEST(MemDC, EmptyClipBoxLeavesTheTargetUnchanged)
{
    DibCanvas canvas(20, 20, kWhite);
    ::IntersectClipRect(canvas.GetDC(), 0, 0, 0, 0);
    CDC target = CDC::Borrow(canvas.GetDC());
    {
        CMemDC surface(&target);
        FillRed(surface);
    }
    EXPECT_EQ(canvas.CountIn(kWhole, kWhite), 400);
}

TEST(MemDC, TheAreasCornerInTargetCoordinatesLandsOnThatPixel)
{
    DibCanvas canvas(20, 20, kWhite);
    ::IntersectClipRect(canvas.GetDC(), 5, 7, 15, 15);
    CDC target = CDC::Borrow(canvas.GetDC());
    {
        CMemDC surface(&target);
        CBrush brWhite(kWhite);
        surface.FillRect(kWhole, &brWhite);
        surface.SetPixel(5, 7, kRed);
        surface.SetPixel(14, 14, kRed);
        EXPECT_EQ(surface.GetPixel(5, 7), kRed);
    }
    EXPECT_EQ(canvas.Pixel(5, 7), kRed);
    EXPECT_EQ(canvas.Pixel(14, 14), kRed) << "and the opposite corner on its pixel";
    EXPECT_EQ(canvas.CountIn(kWhole, kRed), 2);
}

TEST(MemDC, PrintingTargetIsDrawnDirectlyAndKeepsItsHandles)
{
    DibCanvas canvas(20, 20, kWhite);
    CDC target = CDC::Borrow(canvas.GetDC());
    target.m_bPrinting = TRUE;
    {
        CMemDC surface(&target);
        EXPECT_EQ(surface.m_hDC, canvas.GetDC());
        EXPECT_EQ(surface.m_hAttribDC, canvas.GetDC());
        EXPECT_TRUE(surface.IsPrinting());
        surface.SetPixel(3, 3, kRed);
        EXPECT_EQ(canvas.Pixel(3, 3), kRed) << "drawing shows at once";
        EXPECT_EQ(::GetCurrentObject(canvas.GetDC(), OBJ_BITMAP), canvas.GetBitmap()) << "no bitmap of its own";
    }
    EXPECT_EQ(::GetObjectType(canvas.GetDC()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(::GetCurrentObject(canvas.GetDC(), OBJ_BITMAP), canvas.GetBitmap());
    ::SetPixel(canvas.GetDC(), 4, 4, kRed);
    EXPECT_EQ(canvas.Pixel(4, 4), kRed) << "the target still draws";
}
