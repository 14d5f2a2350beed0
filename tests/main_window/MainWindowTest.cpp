// The main window itself: its check boxes, its system menu, and the ways it
// closes.
#include "tests/main_window/MainWindowFixture.h"

#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

#include <functional>

namespace
{
void Click(const CDorvaneDlg& dlg, int nID)
{
    ::SendMessage(dlg.GetDlgItem(nID), BM_CLICK, 0, 0);
}
}

TEST_F(MainWindowTest, OneOfTheTwoTimeBoxesAlwaysStaysTicked)
{
    CDorvaneDlg dlg;
    Open(dlg);
    ASSERT_FALSE(IsChecked(dlg, IDC_CHANGE_CREATED));
    ASSERT_TRUE(IsChecked(dlg, IDC_CHANGE_MODIFIED));

    // Clearing the only ticked box moves the tick to the other one.
    Click(dlg, IDC_CHANGE_MODIFIED);
    EXPECT_TRUE(IsChecked(dlg, IDC_CHANGE_CREATED));
    EXPECT_FALSE(IsChecked(dlg, IDC_CHANGE_MODIFIED));
    Click(dlg, IDC_CHANGE_CREATED);
    EXPECT_FALSE(IsChecked(dlg, IDC_CHANGE_CREATED));
    EXPECT_TRUE(IsChecked(dlg, IDC_CHANGE_MODIFIED));

    // While the other stays ticked, a box just toggles.
    Click(dlg, IDC_CHANGE_CREATED);
    EXPECT_TRUE(IsChecked(dlg, IDC_CHANGE_CREATED));
    EXPECT_TRUE(IsChecked(dlg, IDC_CHANGE_MODIFIED));
    Click(dlg, IDC_CHANGE_MODIFIED);
    EXPECT_TRUE(IsChecked(dlg, IDC_CHANGE_CREATED));
    EXPECT_FALSE(IsChecked(dlg, IDC_CHANGE_MODIFIED));

    // The read-only box is free.
    Click(dlg, IDC_READ_ONLY);
    EXPECT_TRUE(IsChecked(dlg, IDC_READ_ONLY));
    Click(dlg, IDC_READ_ONLY);
    EXPECT_FALSE(IsChecked(dlg, IDC_READ_ONLY));
}

TEST_F(MainWindowTest, TheSystemMenuEndsWithTheAboutEntryBelowASeparator)
{
    CDorvaneDlg dlg;
    Open(dlg);
    HMENU menu = GetSystemMenu(dlg.m_hWnd, FALSE);
    ASSERT_NE(menu, nullptr);
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    TCHAR text[64] = {};
    GetMenuString(menu, count - 1, text, 64, MF_BYPOSITION);
    EXPECT_EQ(CString(text), CString(_T("&About Dorvane...")));
    EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
}

TEST_F(MainWindowTest, TheWindowShowsTheProgramsIconsAndTipsForEveryControl)
{
    CDorvaneDlg dlg;
    Open(dlg);
    EXPECT_NE(::SendMessage(dlg.m_hWnd, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(::SendMessage(dlg.m_hWnd, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(dlg.m_toolTip.GetToolCount(), 11);
    CString tip;
    dlg.m_toolTip.GetText(tip, &dlg.m_btnGo);
    EXPECT_EQ(tip, CString(_T("Applies the new timestamp to the chosen file or folder")));
    // Go! has lost its default-button style to the owner-drawn one, as
    // every icon button has.
    EXPECT_EQ(dlg.m_btnGo.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(MainWindowTest, EveryWayOfClosingSavesTheSettingsAsCloseDoes)
{
    const struct
    {
        const char* how;
        std::function<void(CDorvaneDlg&)> close;
    } ways[] = {
        {"Close button", [](CDorvaneDlg& dlg) { testsupport::PressDialogButton(dlg.m_hWnd, IDCANCEL); }},
        {"Escape key",
         [](CDorvaneDlg& dlg) {
             HWND focus = ::GetFocus();
             ::PostMessage(focus != nullptr ? focus : dlg.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         }},
        {"close box", [](CDorvaneDlg& dlg) { ::PostMessage(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [](CDorvaneDlg& dlg) { ::PostMessage(dlg.m_hWnd, WM_CLOSE, 0, 0); }},
    };
    for (const auto& way : ways)
    {
        ClearSettings();
        CDorvaneDlg dlg;
        INT_PTR result = testsupport::DoModalScripted(dlg, [&] {
            SetChecked(dlg, IDC_READ_ONLY, true);
            way.close(dlg);
        });
        EXPECT_EQ(result, IDCANCEL) << way.how;
        EXPECT_EQ(ReadDword(_T("ReadOnly")), 1u) << way.how;
        EXPECT_EQ(ReadDword(_T("ChangeModified")), 1u) << way.how;
        EXPECT_EQ(ReadDword(_T("HistoryCount")), 0u) << way.how;
        EXPECT_TRUE(ReadDword(_T("Window-X")).has_value()) << way.how;
    }
}
