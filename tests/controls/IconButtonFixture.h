// The icon button tests' dialog, fresh and active for each test.
#pragma once

#include "tests/controls/ButtonTestDialog.h"
#include "tests/controls/ButtonTestResource.h"
#include "tests/support/WindowTestSupport.h"

#include <gtest/gtest.h>

class IconButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The real pointer rests far from the dialog, so that no mouse move
        // of its own reaches a button holding the capture.
        ::SetCursorPos(1270, 1010);
        ASSERT_TRUE(m_dlg.Create(IDD_BUTTON_TEST));
        ::SetForegroundWindow(m_dlg.m_hWnd);
        testsupport::PumpMessages();
        ASSERT_EQ(::GetActiveWindow(), m_dlg.m_hWnd);
    }

    CButtonTestDialog m_dlg;
};

// The test icons: green for the hot look, blue for the normal one, each with
// a red marker pixel at (2, 2).
constexpr COLORREF kHotIcon = RGB(0, 255, 0);
constexpr COLORREF kNormalIcon = RGB(0, 0, 255);
constexpr COLORREF kMarker = RGB(255, 0, 0);
