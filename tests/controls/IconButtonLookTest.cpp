// The icon button's face, read back pixel by pixel from what the button
// paints when asked (WM_PRINTCLIENT reaches DrawItem through the dialog's
// WM_DRAWITEM, as a real paint does).
#include "tests/controls/DibCanvas.h"
#include "tests/controls/IconButtonFixture.h"

#include <cstdlib>

namespace
{
COLORREF Sys(int nIndex)
{
    return ::GetSysColor(nIndex);
}

CPoint CentreOf(const CRect& rc)
{
    return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

// Text ink is not the layout cell: centres may differ by a few pixels.
constexpr int kInkSlack = 3;

class IconButtonLook : public IconButtonTest
{
protected:
    void SetUp() override
    {
        IconButtonTest::SetUp();
        ASSERT_NE(Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNFACE));
        ASSERT_NE(Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNFACE));
        ASSERT_NE(Sys(COLOR_3DDKSHADOW), Sys(COLOR_BTNSHADOW));
        // Placement 0 with caption on an 80 by 40 face: the icon at (3, 4),
        // its marker at (5, 6), the caption centred in x 35..80.
        m_dlg.m_btnGo.Resize(80, 40);
        ::SetFocus(m_dlg.m_btnClose.m_hWnd);
    }
};
}

TEST_F(IconButtonLook, NormalFaceHasNoEdgeTheNormalIconAndTheCaptionBesideIt)
{
    auto face = PaintedFace(m_dlg.m_btnGo.m_hWnd);
    const COLORREF crFace = Sys(COLOR_BTNFACE);
    EXPECT_EQ(face->CountIn(CRect(0, 0, 80, 40), RGB(255, 0, 255)), 0) << "every pixel is painted";
    for (POINT pt : {POINT{0, 0}, POINT{0, 20}, POINT{40, 0}, POINT{79, 20}, POINT{40, 39}, POINT{79, 39}})
        EXPECT_EQ(face->Pixel(pt.x, pt.y), crFace) << "no edge at " << pt.x << "," << pt.y;

    EXPECT_EQ(face->BoundsOf(kMarker), CRect(5, 6, 6, 7));
    EXPECT_EQ(face->Pixel(3, 4), kNormalIcon);
    EXPECT_EQ(face->Pixel(34, 35), kNormalIcon);
    EXPECT_EQ(face->Pixel(2, 4), crFace);
    EXPECT_EQ(face->Pixel(3, 3), crFace);
    EXPECT_EQ(face->CountIn(CRect(0, 0, 80, 40), kHotIcon), 0);

    CRect rcText = face->BoundsOf(Sys(COLOR_BTNTEXT));
    ASSERT_FALSE(rcText.IsRectEmpty()) << "the caption is drawn";
    EXPECT_GE(rcText.left, 35);
    EXPECT_NEAR(CentreOf(rcText).x, (35 + 80) / 2, kInkSlack);
    EXPECT_NEAR(CentreOf(rcText).y, 20, kInkSlack);
}

TEST_F(IconButtonLook, HotFaceHasRaisedEdgeAndTheHotIcon)
{
    ::SendMessage(m_dlg.m_btnGo.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(40, 20));
    ASSERT_TRUE(m_dlg.m_btnGo.m_bHot);
    auto face = PaintedFace(m_dlg.m_btnGo.m_hWnd);
    const COLORREF crHighlight = Sys(COLOR_BTNHIGHLIGHT);
    const COLORREF crShadow = Sys(COLOR_BTNSHADOW);
    EXPECT_EQ(face->Pixel(0, 0), crHighlight);
    EXPECT_EQ(face->Pixel(0, 20), crHighlight);
    EXPECT_EQ(face->Pixel(40, 0), crHighlight);
    EXPECT_EQ(face->Pixel(78, 0), crHighlight);
    EXPECT_EQ(face->Pixel(79, 0), crShadow);
    EXPECT_EQ(face->Pixel(79, 20), crShadow);
    EXPECT_EQ(face->Pixel(40, 39), crShadow);
    EXPECT_EQ(face->Pixel(0, 39), crShadow);
    EXPECT_EQ(face->Pixel(1, 20), Sys(COLOR_BTNFACE)) << "the edge is one pixel wide";
    EXPECT_EQ(face->BoundsOf(kMarker), CRect(5, 6, 6, 7)) << "hot is not pressed: no shift";
    EXPECT_EQ(face->Pixel(3, 4), kHotIcon);
    EXPECT_EQ(face->CountIn(CRect(0, 0, 80, 40), kNormalIcon), 0);

    m_dlg.m_btnGo.m_bFlatEdges = FALSE;
    auto edgeless = PaintedFace(m_dlg.m_btnGo.m_hWnd);
    EXPECT_EQ(edgeless->Pixel(0, 20), Sys(COLOR_BTNFACE));
    EXPECT_EQ(edgeless->Pixel(79, 20), Sys(COLOR_BTNFACE));
    EXPECT_EQ(edgeless->Pixel(3, 4), kHotIcon);
}

TEST_F(IconButtonLook, PressedMovesIconAndCaptionOnePixelAndSinksTheEdge)
{
    auto normal = PaintedFace(m_dlg.m_btnGo.m_hWnd);
    // The hot face colour shows that a press takes the hot look even when the
    // mouse is not over the button.
    m_dlg.m_btnGo.m_clrHotBack = RGB(200, 220, 240);
    ::SendMessage(m_dlg.m_btnGo.m_hWnd, BM_SETSTATE, TRUE, 0);
    ASSERT_FALSE(m_dlg.m_btnGo.m_bHot);
    auto pressed = PaintedFace(m_dlg.m_btnGo.m_hWnd);
    ::SendMessage(m_dlg.m_btnGo.m_hWnd, BM_SETSTATE, FALSE, 0);

    EXPECT_EQ(pressed->BoundsOf(kMarker), CRect(6, 7, 7, 8));
    EXPECT_EQ(pressed->Pixel(4, 5), kHotIcon);
    EXPECT_EQ(pressed->CountIn(CRect(0, 0, 80, 40), kNormalIcon), 0);
    CRect rcText = normal->BoundsOf(Sys(COLOR_BTNTEXT));
    ASSERT_FALSE(rcText.IsRectEmpty());
    rcText.OffsetRect(1, 1);
    EXPECT_EQ(pressed->BoundsOf(Sys(COLOR_BTNTEXT)), rcText);

    const COLORREF crHighlight = Sys(COLOR_BTNHIGHLIGHT);
    const COLORREF crShadow = Sys(COLOR_BTNSHADOW);
    EXPECT_EQ(pressed->Pixel(0, 20), crShadow);
    EXPECT_EQ(pressed->Pixel(40, 0), crShadow);
    EXPECT_EQ(pressed->Pixel(79, 20), crHighlight);
    EXPECT_EQ(pressed->Pixel(40, 39), crHighlight);
    EXPECT_EQ(pressed->Pixel(70, 3), RGB(200, 220, 240));

    m_dlg.m_btnGo.ResetHotBackColor(FALSE);
    EXPECT_EQ(m_dlg.m_btnGo.GetHotBackColor(), Sys(COLOR_BTNFACE));
}

TEST_F(IconButtonLook, DisabledDrawsIconAndCaptionGreyed)
{
    m_dlg.m_btnGo.EnableWindow(FALSE);
    auto face = PaintedFace(m_dlg.m_btnGo.m_hWnd);
    const CRect rcAll(0, 0, 80, 40);
    EXPECT_EQ(face->CountIn(rcAll, kNormalIcon), 0);
    EXPECT_EQ(face->CountIn(rcAll, kHotIcon), 0);
    EXPECT_EQ(face->CountIn(rcAll, kMarker), 0);
    const CRect rcIcon(3, 4, 35, 36);
    EXPECT_GT(rcIcon.Width() * rcIcon.Height() - face->CountIn(rcIcon, Sys(COLOR_BTNFACE)), 0)
        << "the icon's silhouette is drawn";
    const CRect rcCaption(35, 0, 80, 40);
    EXPECT_EQ(face->CountIn(rcCaption, Sys(COLOR_BTNTEXT)), 0);
    EXPECT_GT(face->CountIn(rcCaption, Sys(COLOR_BTNSHADOW)), 0) << "the caption is embossed";
}

TEST_F(IconButtonLook, FlatButtonShowsNoFocus)
{
    auto unfocused = PaintedFace(m_dlg.m_btnGo.m_hWnd);
    ::SetFocus(m_dlg.m_btnGo.m_hWnd);
    ASSERT_NE(m_dlg.m_btnGo.GetState() & BST_FOCUS, 0u);
    auto focused = PaintedFace(m_dlg.m_btnGo.m_hWnd);
    EXPECT_TRUE(focused->Pixels() == unfocused->Pixels());
}

TEST_F(IconButtonLook, ClassicButtonHasRaisedEdgeAndAFocusFrame)
{
    CTestIconButton& btn = m_dlg.m_btnClose;
    btn.m_bFlat = FALSE;
    btn.m_bShowCaption = FALSE;
    btn.Resize(60, 30);
    ::SetFocus(m_dlg.m_btnGo.m_hWnd);
    const COLORREF crFace = Sys(COLOR_BTNFACE);
    const COLORREF crHighlight = Sys(COLOR_BTNHIGHLIGHT);
    const COLORREF crLight = Sys(COLOR_3DLIGHT);
    const COLORREF crShadow = Sys(COLOR_BTNSHADOW);
    const COLORREF crDark = Sys(COLOR_3DDKSHADOW);

    auto plain = PaintedFace(btn.m_hWnd);
    EXPECT_EQ(plain->Pixel(0, 15), crHighlight);
    EXPECT_EQ(plain->Pixel(30, 0), crHighlight);
    EXPECT_EQ(plain->Pixel(1, 15), crLight);
    EXPECT_EQ(plain->Pixel(30, 1), crLight);
    EXPECT_EQ(plain->Pixel(59, 15), crDark);
    EXPECT_EQ(plain->Pixel(30, 29), crDark);
    EXPECT_EQ(plain->Pixel(58, 15), crShadow);
    EXPECT_EQ(plain->Pixel(30, 28), crShadow);
    EXPECT_EQ(plain->Pixel(2, 15), crFace);
    EXPECT_EQ(plain->CountIn(CRect(3, 3, 57, 27), crFace), 54 * 24) << "no focus rectangle";

    ::SetFocus(btn.m_hWnd);
    auto focused = PaintedFace(btn.m_hWnd);
    for (POINT pt : {POINT{0, 15}, POINT{30, 0}, POINT{59, 15}, POINT{30, 29}, POINT{0, 0}, POINT{59, 29}})
        EXPECT_EQ(focused->Pixel(pt.x, pt.y), RGB(0, 0, 0)) << "black frame at " << pt.x << "," << pt.y;
    EXPECT_EQ(focused->Pixel(1, 15), crHighlight);
    EXPECT_EQ(focused->Pixel(2, 15), crLight);
    EXPECT_EQ(focused->Pixel(58, 15), crDark);
    EXPECT_EQ(focused->Pixel(57, 15), crShadow);
    // The focus rectangle's dots lie on x 4 and 55, y 4 and 25: 4 pixels in.
    EXPECT_GT(56 - 4 - focused->CountIn(CRect(4, 4, 56, 5), crFace), 0);
    EXPECT_GT(56 - 4 - focused->CountIn(CRect(4, 25, 56, 26), crFace), 0);
    EXPECT_GT(26 - 4 - focused->CountIn(CRect(4, 4, 5, 26), crFace), 0);
    EXPECT_GT(26 - 4 - focused->CountIn(CRect(55, 4, 56, 26), crFace), 0);
    EXPECT_EQ(focused->CountIn(CRect(3, 3, 57, 4), crFace), 54);
    EXPECT_EQ(focused->CountIn(CRect(3, 3, 4, 27), crFace), 24);
    EXPECT_EQ(focused->CountIn(CRect(5, 5, 55, 25), crFace), 50 * 20);

    ::SetFocus(m_dlg.m_btnGo.m_hWnd);
    ::SendMessage(btn.m_hWnd, BM_SETSTATE, TRUE, 0);
    auto pressed = PaintedFace(btn.m_hWnd);
    ::SendMessage(btn.m_hWnd, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(pressed->Pixel(0, 15), crShadow);
    EXPECT_EQ(pressed->Pixel(59, 15), crShadow);
    EXPECT_EQ(pressed->Pixel(30, 0), crShadow);
    EXPECT_EQ(pressed->Pixel(30, 29), crShadow);
    EXPECT_EQ(pressed->Pixel(1, 15), crFace);
}

TEST_F(IconButtonLook, CaptionlessButtonCentresItsIcon)
{
    CTestIconButton& btn = m_dlg.m_btnBrowse;
    btn.Resize(40, 36);
    auto face = PaintedFace(btn.m_hWnd);
    EXPECT_EQ(face->BoundsOf(kMarker), CRect(6, 4, 7, 5));
    EXPECT_EQ(face->Pixel(4, 2), kHotIcon) << "one icon serves the normal look too";
    EXPECT_EQ(face->Pixel(35, 33), kHotIcon);
    EXPECT_EQ(face->Pixel(3, 2), Sys(COLOR_BTNFACE));
    EXPECT_EQ(face->Pixel(36, 2), Sys(COLOR_BTNFACE));
    EXPECT_EQ(face->Pixel(4, 1), Sys(COLOR_BTNFACE));
    EXPECT_EQ(face->Pixel(4, 34), Sys(COLOR_BTNFACE));
    EXPECT_EQ(face->CountIn(CRect(0, 0, 40, 36), Sys(COLOR_BTNTEXT)), 0);

    btn.m_nIconPlacement = 1;
    EXPECT_EQ(PaintedFace(btn.m_hWnd)->BoundsOf(kMarker), CRect(6, 4, 7, 5))
        << "above an empty caption the icon is centred both ways";
}

TEST_F(IconButtonLook, IconLargerThanTheButtonMovesByHalfTheExcessTruncated)
{
    CTestIconButton& btn = m_dlg.m_btnBrowse;
    // An excess of 3 moves the icon 1 pixel left and up, not 2.
    btn.Resize(29, 29);
    auto face = PaintedFace(btn.m_hWnd);
    EXPECT_EQ(face->BoundsOf(kMarker), CRect(1, 1, 2, 2));
    EXPECT_EQ(face->Pixel(0, 0), kHotIcon);
    // Excesses of 2 and 5: 1 pixel left, 2 up.
    btn.Resize(30, 27);
    EXPECT_EQ(PaintedFace(btn.m_hWnd)->BoundsOf(kMarker), CRect(1, 0, 2, 1));
}

TEST_F(IconButtonLook, IconAboveTheCaptionTouchesTheTop)
{
    CTestIconButton& btn = m_dlg.m_btnGo;
    btn.m_nIconPlacement = 1;
    btn.Resize(80, 60);
    auto face = PaintedFace(btn.m_hWnd);
    EXPECT_EQ(face->BoundsOf(kMarker), CRect(26, 2, 27, 3));
    EXPECT_EQ(face->Pixel(24, 0), kNormalIcon);
    CRect rcText = face->BoundsOf(Sys(COLOR_BTNTEXT));
    ASSERT_FALSE(rcText.IsRectEmpty());
    EXPECT_GE(rcText.top, 32);
    EXPECT_NEAR(CentreOf(rcText).x, 40, kInkSlack);
    EXPECT_NEAR(CentreOf(rcText).y, (32 + 60) / 2, kInkSlack);
}

TEST_F(IconButtonLook, OtherPlacementLeavesTheIconAtTheCornerAndCentresTheCaption)
{
    CTestIconButton& btn = m_dlg.m_btnGo;
    btn.m_nIconPlacement = 2;
    auto face = PaintedFace(btn.m_hWnd);
    EXPECT_EQ(face->BoundsOf(kMarker), CRect(2, 2, 3, 3));
    EXPECT_EQ(face->Pixel(0, 0), kNormalIcon);
    CRect rcText = face->BoundsOf(Sys(COLOR_BTNTEXT));
    ASSERT_FALSE(rcText.IsRectEmpty());
    EXPECT_NEAR(CentreOf(rcText).x, 40, kInkSlack);
    EXPECT_NEAR(CentreOf(rcText).y, 20, kInkSlack);
}

TEST_F(IconButtonLook, CaptionWithoutIconIsCentredAndItsAmpersandUnderlines)
{
    CTestIconButton& btn = m_dlg.m_btnClose;
    btn.Resize(80, 40);
    ASSERT_EQ(btn.m_hHotIcon, nullptr);
    auto face = PaintedFace(btn.m_hWnd);
    CRect rcClose = face->BoundsOf(Sys(COLOR_BTNTEXT));
    ASSERT_FALSE(rcClose.IsRectEmpty());
    EXPECT_NEAR(CentreOf(rcClose).x, 40, kInkSlack);
    EXPECT_NEAR(CentreOf(rcClose).y, 20, kInkSlack);

    btn.SetWindowText(_T("Go"));
    CRect rcPlain = PaintedFace(btn.m_hWnd)->BoundsOf(Sys(COLOR_BTNTEXT));
    btn.SetWindowText(_T("&Go"));
    CRect rcPrefixed = PaintedFace(btn.m_hWnd)->BoundsOf(Sys(COLOR_BTNTEXT));
    EXPECT_GT(rcPrefixed.bottom, rcPlain.bottom) << "the G is underlined";
    EXPECT_LE(std::abs(rcPrefixed.Width() - rcPlain.Width()), 2) << "no ampersand is drawn";

    btn.m_bShowCaption = FALSE;
    EXPECT_EQ(PaintedFace(btn.m_hWnd)->CountIn(CRect(0, 0, 80, 40), Sys(COLOR_BTNFACE)), 80 * 40);
}
