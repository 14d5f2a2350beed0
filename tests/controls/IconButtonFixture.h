// The icon button tests' dialog, fresh for each test, inside one top-level
// window that stays up and active for the whole run.
//
// The dialog is a child of that window rather than a top-level window of its
// own: under Wine without a window manager, hiding or destroying a window
// that was ever active waits two seconds for the manager, and one such wait
// per test would be most of the run.
#pragma once

#include "tests/controls/ButtonTestDialog.h"
#include "tests/controls/ButtonTestResource.h"

#include <gtest/gtest.h>

class IconButtonTest : public ::testing::Test
{
protected:
    void SetUp() override;

    CButtonTestDialog m_dlg;
};

// The test icons: green for the hot look, blue for the normal one, each with
// a red marker pixel at (2, 2).
constexpr COLORREF kHotIcon = RGB(0, 255, 0);
constexpr COLORREF kNormalIcon = RGB(0, 0, 255);
constexpr COLORREF kMarker = RGB(255, 0, 0);
