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
LOGFONT UnderlinedFont()
{
    LOGFONT lf = {};
    lf.lfHeight = -17;
    lf.lfWeight = FW_BOLD;
    lf.lfUnderline = TRUE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyn(lf.lfFaceName, _T("Tahoma"), LF_FACESIZE);
    return lf;
}

TEST(CGdiObject, OwningObjectsDeleteTheirHandles)
{
    LOGFONT lf = UnderlinedFont();
    HGDIOBJ hPen = nullptr;
    HGDIOBJ hBrush = nullptr;
    HGDIOBJ hFont = nullptr;
    HGDIOBJ hBitmap = nullptr;
    {
        CPen pen(PS_SOLID, 0, RGB(1, 2, 3));
        CBrush brush(RGB(4, 5, 6));
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 32, nullptr));
        hPen = pen;
        hBrush = brush;
        hFont = font;
        hBitmap = bitmap;
        EXPECT_TRUE(pen.OwnsHandle());
        EXPECT_EQ(pen.GetObjectType(), static_cast<DWORD>(OBJ_PEN));
        EXPECT_EQ(brush.GetObjectType(), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(font.GetObjectType(), static_cast<DWORD>(OBJ_FONT));
        EXPECT_EQ(bitmap.GetObjectType(), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(::GetObjectType(hPen), 0u);
    EXPECT_EQ(::GetObjectType(hBrush), 0u);
    EXPECT_EQ(::GetObjectType(hFont), 0u);
    EXPECT_EQ(::GetObjectType(hBitmap), 0u);

    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(7, 8, 9)));
    HGDIOBJ hEarly = brush.m_hObject;
    EXPECT_TRUE(brush.DeleteObject());
    EXPECT_EQ(brush.m_hObject, nullptr);
    EXPECT_EQ(::GetObjectType(hEarly), 0u);
    EXPECT_FALSE(brush.DeleteObject()) << "nothing is left to delete";
}

TEST(CGdiObject, BorrowedHandlesOutliveTheirWrappers)
{
    // The font a control hands out for WM_GETFONT belongs to whoever set it.
    LOGFONT lf = UnderlinedFont();
    HFONT hDialogFont = ::CreateFontIndirect(&lf);
    HWND hLabel = ::CreateWindowEx(0, _T("STATIC"), _T("Label"), WS_POPUP, 0, 0, 50, 20,
                                   nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hLabel, nullptr);
    ::SendMessage(hLabel, WM_SETFONT, reinterpret_cast<WPARAM>(hDialogFont), FALSE);
    {
        CFont font = CFont::Borrow(reinterpret_cast<HFONT>(::SendMessage(hLabel, WM_GETFONT, 0, 0)));
        EXPECT_EQ(static_cast<HFONT>(font), hDialogFont);
        EXPECT_FALSE(font.OwnsHandle());
        CClientDC dc(hLabel);
        HFONT hPrevious = dc.SelectObject(&font);
        EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_FONT), static_cast<HGDIOBJ>(hDialogFont));
        dc.SelectObject(hPrevious);
    }
    EXPECT_EQ(::GetObjectType(hDialogFont), static_cast<DWORD>(OBJ_FONT))
        << "a borrowed font must survive its wrapper";
    {
        CFont font = CFont::Borrow(hDialogFont);
        EXPECT_FALSE(font.DeleteObject());
        EXPECT_EQ(font.m_hObject, nullptr);
    }
    EXPECT_EQ(::GetObjectType(hDialogFont), static_cast<DWORD>(OBJ_FONT));
    ::DestroyWindow(hLabel);
    ::DeleteObject(hDialogFont);

    HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 1, 1));
    HPEN hPen = ::CreatePen(PS_SOLID, 0, RGB(1, 1, 1));
    HBITMAP hBitmap = ::CreateBitmap(2, 2, 1, 32, nullptr);
    {
        CBrush brush = CBrush::Borrow(hBrush);
        CPen pen = CPen::Borrow(hPen);
        CBitmap bitmap = CBitmap::Borrow(hBitmap);
        CBrush stock;
        EXPECT_TRUE(stock.CreateStockObject(NULL_BRUSH));
        EXPECT_FALSE(stock.OwnsHandle());
        EXPECT_EQ(static_cast<HBRUSH>(stock), ::GetStockObject(NULL_BRUSH));
    }
    EXPECT_EQ(::GetObjectType(hBrush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(::GetObjectType(hPen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(::GetObjectType(hBitmap), static_cast<DWORD>(OBJ_BITMAP));
    ::DeleteObject(hBrush);
    ::DeleteObject(hPen);
    ::DeleteObject(hBitmap);
}

TEST(CGdiObject, AttachDetachAndMovingHandOwnershipOver)
{
    HBRUSH hFirst = ::CreateSolidBrush(RGB(10, 0, 0));
    HBRUSH hSecond = ::CreateSolidBrush(RGB(20, 0, 0));
    {
        CBrush brush;
        EXPECT_TRUE(brush.Attach(hFirst));
        EXPECT_TRUE(brush.OwnsHandle());
        EXPECT_EQ(brush.Detach(), static_cast<HGDIOBJ>(hFirst));
        EXPECT_EQ(brush.m_hObject, nullptr);
        EXPECT_FALSE(brush.OwnsHandle());
    }
    ASSERT_EQ(::GetObjectType(hFirst), static_cast<DWORD>(OBJ_BRUSH)) << "Detach gives the handle up";
    {
        CBrush brush;
        brush.Attach(hFirst);
        brush.Attach(hSecond);
        EXPECT_EQ(::GetObjectType(hFirst), 0u) << "attaching over an owned handle deletes it";
    }
    EXPECT_EQ(::GetObjectType(hSecond), 0u);

    HGDIOBJ hMoved = nullptr;
    HGDIOBJ hReplaced = nullptr;
    {
        CPen target(PS_SOLID, 0, RGB(0, 0, 1));
        hReplaced = target;
        {
            CPen source(PS_SOLID, 0, RGB(0, 0, 2));
            hMoved = source;
            target = std::move(source);
            EXPECT_EQ(source.m_hObject, nullptr);
            EXPECT_FALSE(source.OwnsHandle());
        }
        EXPECT_EQ(::GetObjectType(hReplaced), 0u) << "a move replaces and deletes the old pen";
        EXPECT_EQ(::GetObjectType(hMoved), static_cast<DWORD>(OBJ_PEN));
        CPen third(std::move(target));
        EXPECT_EQ(third.m_hObject, hMoved);
        EXPECT_TRUE(third.OwnsHandle());
    }
    EXPECT_EQ(::GetObjectType(hMoved), 0u);
}

TEST(CGdiObject, FontsAndBitmapsDescribeThemselves)
{
    LOGFONT lf = UnderlinedFont();
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    LOGFONT back = {};
    EXPECT_EQ(font.GetLogFont(&back), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(back.lfHeight, -17);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfUnderline, TRUE);
    EXPECT_EQ(CString(back.lfFaceName), CString(_T("Tahoma")));
    EXPECT_EQ(CFont().GetLogFont(&back), 0);

    CBitmap plain;
    ASSERT_TRUE(plain.CreateBitmap(8, 4, 1, 32, nullptr));
    BITMAP info = {};
    ASSERT_NE(plain.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmWidth, 8);
    EXPECT_EQ(info.bmHeight, 4);
    EXPECT_EQ(info.bmBitsPixel, 32);

    CClientDC screen(nullptr);
    CBitmap onScreen;
    ASSERT_TRUE(onScreen.CreateCompatibleBitmap(&screen, 5, 3));
    onScreen.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel * info.bmPlanes,
              screen.GetDeviceCaps(BITSPIXEL) * screen.GetDeviceCaps(PLANES));

    // A fresh memory DC holds a one-bit bitmap, and its compatible bitmaps follow it.
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap mono;
    ASSERT_TRUE(mono.CreateCompatibleBitmap(&memory, 5, 3));
    mono.GetBitmap(&info);
    EXPECT_EQ(info.bmBitsPixel, 1);
}
}
