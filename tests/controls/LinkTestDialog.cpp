#include "tests/controls/LinkTestDialog.h"

#include "framework/DataExchange.h"
#include "tests/controls/LinkTestResource.h"
#include "tests/controls/LinkTestSupport.h"

#include <gtest/gtest.h>

namespace linktest
{
std::unique_ptr<CDialog> ShowLinkTestDialog()
{
    auto dlg = std::make_unique<CDialog>(IDD_LINK_TEST);
    EXPECT_TRUE(dlg->Create(IDD_LINK_TEST));
    ::SetWindowPos(dlg->m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg->ShowWindow(SW_SHOW);
    dlg->UpdateWindow();
    return dlg;
}

void BindLink(CDialog& dlg, int nID, CHyperLink& link)
{
    CDataExchange dx(&dlg, FALSE);
    DDX_Control(&dx, nID, link);
    ASSERT_EQ(link.m_hWnd, dlg.GetDlgItem(nID));
}

PaintedColours ColoursShown(HWND hLabel)
{
    std::vector<COLORREF> pixels = ScreenPixels(hLabel);
    return {CountColor(pixels, kLinkColour), CountColor(pixels, kVisitedColour), CountColor(pixels, kHoverColour)};
}
}
