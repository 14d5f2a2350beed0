// CDialog on the real test dialog: the modal loop, its commands and return
// values, nested dialogs and their owners, reflection of real control
// notifications, pre-translation inside the modal loop, and exceptions.
#include "framework/CFileException.h"
#include "tests/framework/WindowTestDialog.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

using testsupport::DoModalScripted;
using testsupport::RunSoon;

namespace
{
HWND ComboEdit(const CTestDialog& dlg)
{
    return ::FindWindowEx(dlg.m_combo.m_hWnd, nullptr, _T("Edit"), nullptr);
}

// Posts a key press to a window as the keyboard would: down, then up.
void PostKey(HWND hWnd, UINT vk)
{
    ::PostMessage(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessage(hWnd, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
}
}

TEST(CDialogModal, RunsOnInitDialogOnceWithTheControlsBoundAndTheDialogShown)
{
    CTestDialog dlg;
    bool checked = false;
    INT_PTR result = DoModalScripted(dlg, [&] {
        EXPECT_EQ(dlg.m_nInitDialog, 1);
        EXPECT_EQ(dlg.m_combo.m_hWnd, dlg.GetDlgItem(IDC_TEST_COMBO));
        EXPECT_EQ(dlg.m_combo.m_nPreSubclassCount, 1);
        EXPECT_EQ(dlg.m_drawn.m_hWnd, dlg.GetDlgItem(IDC_TEST_DRAWN));
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
        EXPECT_EQ(::GetActiveWindow(), dlg.m_hWnd);
        checked = true;
        dlg.EndDialog(1234);
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(result, 1234) << "DoModal returns the value given to EndDialog";
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "the dialog window outlived DoModal";
    EXPECT_EQ(dlg.m_combo.m_hWnd, nullptr);
}

TEST(CDialogModal, TheEnterKeyReachesOnOKWhichSavesTheDataAndEndsWithIDOK)
{
    CTestDialog dlg;
    INT_PTR result = DoModalScripted(dlg, [&] {
        ::SetWindowText(dlg.m_combo.m_hWnd, _T("typed target"));
        ::SetFocus(dlg.GetDlgItem(IDC_TEST_CHECK));
        PostKey(::GetFocus(), VK_RETURN);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_nOK, 1);
    EXPECT_EQ(dlg.m_nCancel, 0);
    EXPECT_EQ(dlg.m_strText, CString(_T("typed target"))) << "OnOK did not save the data";
}

TEST(CDialogModal, TheEnterKeyInTheComboReachesOnOK)
{
    CTestDialog dlg;
    INT_PTR result = DoModalScripted(dlg, [&] { PostKey(ComboEdit(dlg), VK_RETURN); });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_nOK, 1);
}

TEST(CDialogModal, TheEscapeKeyReachesOnCancel)
{
    CTestDialog dlg;
    INT_PTR result = DoModalScripted(dlg, [&] { PostKey(ComboEdit(dlg), VK_ESCAPE); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_nCancel, 1);
    EXPECT_EQ(dlg.m_nOK, 0);
}

TEST(CDialogModal, TheCloseBoxAndTheSystemMenuCloseReachOnCancel)
{
    CTestDialog byClose;
    EXPECT_EQ(DoModalScripted(byClose, [&] { byClose.PostMessage(WM_CLOSE); }), IDCANCEL);
    EXPECT_EQ(byClose.m_nCancel, 1);

    CTestDialog bySysCommand;
    EXPECT_EQ(DoModalScripted(bySysCommand, [&] { bySysCommand.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }),
              IDCANCEL);
    EXPECT_EQ(bySysCommand.m_nCancel, 1);
}

TEST(CDialogModal, TheOKAndCancelButtonsReachOnOKAndOnCancel)
{
    CTestDialog okDlg;
    EXPECT_EQ(DoModalScripted(okDlg, [&] { ::SendMessage(okDlg.GetDlgItem(IDOK), BM_CLICK, 0, 0); }), IDOK);
    EXPECT_EQ(okDlg.m_nOK, 1);

    CTestDialog cancelDlg;
    EXPECT_EQ(DoModalScripted(cancelDlg, [&] { ::SendMessage(cancelDlg.GetDlgItem(IDCANCEL), BM_CLICK, 0, 0); }),
              IDCANCEL);
    EXPECT_EQ(cancelDlg.m_nCancel, 1);
}

TEST(CDialogModal, EndDialogDuringOnInitDialogEndsWithoutALoop)
{
    CTestDialog dlg;
    dlg.m_onInit = [&] { dlg.EndDialog(77); };
    EXPECT_EQ(dlg.DoModal(), 77);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(CDialogModal, AMissingTemplateGivesMinusOneAndLeavesTheOwnerEnabled)
{
    CTestDialog owner;
    ASSERT_TRUE(owner.Create(IDD_TEST_DIALOG));
    CDialog missing(9999, &owner);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(CDialogModal, TheOwnerIsDisabledWhileTheDialogRunsAndActiveAgainAfterwards)
{
    CTestDialog owner;
    ASSERT_TRUE(owner.Create(IDD_TEST_DIALOG));
    owner.ShowWindow(SW_SHOW);
    ::SetActiveWindow(owner.m_hWnd);
    ASSERT_EQ(::GetActiveWindow(), owner.m_hWnd);

    // No parent given: the thread's active window becomes the owner.
    CDialog nested(IDD_TEST_NESTED);
    bool checked = false;
    INT_PTR result = DoModalScripted(nested, [&] {
        EXPECT_EQ(::GetWindow(nested.m_hWnd, GW_OWNER), owner.m_hWnd);
        EXPECT_FALSE(owner.IsWindowEnabled()) << "the owner stays usable during the modal dialog";
        EXPECT_TRUE(nested.IsWindowVisible()) << "a template without WS_VISIBLE was not shown";
        checked = true;
        testsupport::PressDialogButton(nested.m_hWnd, IDOK);
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(::GetActiveWindow(), owner.m_hWnd);
}

TEST(CDialogModal, AGivenParentIsTheOwner)
{
    CTestDialog parent;
    ASSERT_TRUE(parent.Create(IDD_TEST_DIALOG));
    CDialog nested(IDD_TEST_NESTED, &parent);
    HWND hOwner = nullptr;
    BOOL bParentEnabled = TRUE;
    DoModalScripted(nested, [&] {
        hOwner = ::GetWindow(nested.m_hWnd, GW_OWNER);
        bParentEnabled = parent.IsWindowEnabled();
        nested.EndDialog(IDOK);
    });
    EXPECT_EQ(hOwner, parent.m_hWnd);
    EXPECT_FALSE(bParentEnabled);
    EXPECT_TRUE(parent.IsWindowEnabled());
}

TEST(CDialogModal, ANestedModalDialogRunsInsideTheFirstAndHandsBackToIt)
{
    CTestDialog outer;
    INT_PTR nestedResult = 0;
    bool nestedChecked = false;
    INT_PTR result = DoModalScripted(outer, [&] {
        CDialog nested(IDD_TEST_NESTED);
        nestedResult = DoModalScripted(nested, [&] {
            EXPECT_EQ(::GetWindow(nested.m_hWnd, GW_OWNER), outer.m_hWnd);
            EXPECT_FALSE(outer.IsWindowEnabled());
            EXPECT_EQ(::GetActiveWindow(), nested.m_hWnd);
            nestedChecked = true;
            PostKey(::GetFocus(), VK_RETURN);
        });
        EXPECT_TRUE(outer.IsWindowEnabled());
        EXPECT_EQ(::GetActiveWindow(), outer.m_hWnd);
        EXPECT_EQ(outer.m_nOK, 0) << "the nested dialog's Enter reached the outer dialog";
        // The outer loop goes on after the nested one ended.
        RunSoon([&] { PostKey(ComboEdit(outer), VK_ESCAPE); });
    });
    EXPECT_TRUE(nestedChecked);
    EXPECT_EQ(nestedResult, IDOK);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(outer.m_nCancel, 1);
}

TEST(CDialogModal, WmQuitEndsTheLoopAndIsPostedAgain)
{
    CTestDialog dlg;
    INT_PTR result = DoModalScripted(dlg, [] { ::PostQuitMessage(31); });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT was swallowed";
    EXPECT_EQ(msg.wParam, 31u);
}

TEST(CDialogModal, PreTranslateMessageSeesKeysPostedToTheCombosEditField)
{
    CTestDialog dlg;
    HWND hEdit = nullptr;
    DoModalScripted(dlg, [&] {
        hEdit = ComboEdit(dlg);
        ASSERT_NE(hEdit, nullptr);
        ::PostMessage(hEdit, WM_KEYDOWN, 'A', 1);
        RunSoon([&] { dlg.EndDialog(IDOK); });
    });
    ASSERT_EQ(dlg.m_combo.m_keyDowns.size(), 1u);
    EXPECT_EQ(dlg.m_combo.m_keyDowns[0].hwnd, hEdit);
    EXPECT_EQ(dlg.m_combo.m_keyDowns[0].wParam, static_cast<WPARAM>('A'));
}

TEST(CDialogModal, AMessageAControlConsumesInPreTranslateMessageGoesNoFurther)
{
    CTestDialog dlg;
    dlg.m_combo.m_nConsumeKey = VK_ESCAPE;
    INT_PTR result = DoModalScripted(dlg, [&] {
        PostKey(ComboEdit(dlg), VK_ESCAPE);
        RunSoon([&] {
            EXPECT_EQ(dlg.m_nCancel, 0) << "the dialog saw an Escape its combo consumed";
            EXPECT_TRUE(dlg.IsWindowVisible());
            dlg.EndDialog(5);
        });
    });
    EXPECT_EQ(result, 5);
    EXPECT_EQ(dlg.m_combo.m_keyDowns.size(), 1u);
}

TEST(CDialogReturnValues, AHandlersResultIsTheAnswerToTheSenderWithoutDwlpMsgResult)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    EXPECT_EQ(dlg.SendMessage(CTestDialog::kCustomMessage), CTestDialog::kCustomResult);
    EXPECT_EQ(::GetWindowLongPtr(dlg.m_hWnd, DWLP_MSGRESULT), 0);

    // A reflected WM_NOTIFY answered by the control.
    dlg.m_combo.m_nNotifyCode = NM_RETURN;
    dlg.m_combo.m_lNotifyResult = 314;
    NMHDR nm = {dlg.m_combo.m_hWnd, IDC_TEST_COMBO, NM_RETURN};
    EXPECT_EQ(dlg.SendMessage(WM_NOTIFY, IDC_TEST_COMBO, reinterpret_cast<LPARAM>(&nm)), 314);

    // A reflected colour message answered with the control's brush.
    HBRUSH hBrush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    dlg.m_label.m_hBrush = hBrush;
    HDC hDC = ::GetDC(dlg.m_label.m_hWnd);
    LRESULT answer = dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                     reinterpret_cast<LPARAM>(dlg.m_label.m_hWnd));
    ::ReleaseDC(dlg.m_label.m_hWnd, hDC);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), hBrush);
    EXPECT_EQ(dlg.m_label.m_nLastCtlColor, static_cast<UINT>(CTLCOLOR_STATIC));
}

TEST(CDialogReturnValues, ModelessEndDialogHidesTheDialogAndTheObjectDestroysIt)
{
    HWND hDlg = nullptr;
    {
        CTestDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
        EXPECT_FALSE(dlg.Create(IDD_TEST_DIALOG)) << "a second window for one object";
        hDlg = dlg.m_hWnd;
        EXPECT_TRUE(dlg.IsWindowVisible());
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        EXPECT_EQ(dlg.m_nCancel, 1);
        EXPECT_FALSE(dlg.IsWindowVisible());
        EXPECT_TRUE(::IsWindow(hDlg));
    }
    EXPECT_FALSE(::IsWindow(hDlg));
}

class CDialogReflection : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_TEST_DIALOG));
        m_dlg.ShowWindow(SW_SHOW);
        testsupport::PumpMessages();
        m_dlg.m_commands.clear();
    }
    CTestDialog m_dlg;
};

TEST_F(CDialogReflection, ATypedCharacterGivesTheComboItsEditUpdateAndTheDialogNone)
{
    HWND hEdit = ComboEdit(m_dlg);
    ASSERT_NE(hEdit, nullptr);
    ::SendMessage(hEdit, WM_CHAR, 'x', 1);
    EXPECT_EQ(m_dlg.m_combo.m_nEditUpdates, 1);
    EXPECT_FALSE(m_dlg.SawCommand(IDC_TEST_COMBO, CBN_EDITUPDATE));
    EXPECT_TRUE(m_dlg.SawCommand(IDC_TEST_COMBO, CBN_EDITCHANGE)) << "notifications the combo declines reach the dialog";

    m_dlg.m_combo.m_bTakeEditUpdate = FALSE;
    ::SendMessage(hEdit, WM_CHAR, 'y', 1);
    EXPECT_EQ(m_dlg.m_combo.m_nEditUpdates, 1);
    EXPECT_TRUE(m_dlg.SawCommand(IDC_TEST_COMBO, CBN_EDITUPDATE));
}

TEST_F(CDialogReflection, AClickGivesTheLabelItsStnClicked)
{
    HWND hLabel = m_dlg.m_label.m_hWnd;
    ::SendMessage(hLabel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessage(hLabel, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(m_dlg.m_label.m_nClicks, 1);
    EXPECT_FALSE(m_dlg.SawCommand(IDC_TEST_LABEL, STN_CLICKED));

    m_dlg.m_label.m_bTakeClicks = FALSE;
    ::SendMessage(hLabel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessage(hLabel, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(m_dlg.m_label.m_nClicks, 1);
    EXPECT_TRUE(m_dlg.SawCommand(IDC_TEST_LABEL, STN_CLICKED));
}

TEST_F(CDialogReflection, PaintingTheOwnerDrawnButtonCallsItsDrawItem)
{
    m_dlg.m_nDrawItems = 0;
    m_dlg.m_drawn.RedrawWindow();
    EXPECT_GE(m_dlg.m_drawn.m_nDrawn, 1);
    EXPECT_EQ(m_dlg.m_drawn.m_nLastCtlID, static_cast<UINT>(IDC_TEST_DRAWN));
    EXPECT_EQ(m_dlg.m_drawn.m_hLastItem, m_dlg.m_drawn.m_hWnd);
    EXPECT_EQ(m_dlg.m_nDrawItems, 0);

    m_dlg.m_drawn.m_bTakeDrawItem = FALSE;
    int drawnBefore = m_dlg.m_drawn.m_nDrawn;
    m_dlg.m_drawn.RedrawWindow();
    EXPECT_EQ(m_dlg.m_drawn.m_nDrawn, drawnBefore);
    EXPECT_GE(m_dlg.m_nDrawItems, 1);
}

TEST_F(CDialogReflection, PaintingTheLabelAsksItsCtlColorAndTheDialogOnlyWhenItDeclines)
{
    m_dlg.m_label.m_hBrush = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    m_dlg.m_nCtlColorStatic = 0;
    m_dlg.m_label.RedrawWindow();
    EXPECT_GE(m_dlg.m_label.m_nCtlColors, 1);
    EXPECT_EQ(m_dlg.m_label.m_nLastCtlColor, static_cast<UINT>(CTLCOLOR_STATIC));
    EXPECT_EQ(m_dlg.m_nCtlColorStatic, 0);

    m_dlg.m_label.m_hBrush = nullptr;
    m_dlg.m_label.RedrawWindow();
    EXPECT_GE(m_dlg.m_nCtlColorStatic, 1);
}

TEST(CDialogExceptions, AnExceptionInACommandHandlerIsShownAndTheModalDialogGoesOn)
{
    CTestDialog dlg;
    CFileException fileError(_T("C:\\Data\\report.doc"), ERROR_SHARING_VIOLATION);
    testsupport::MessageBoxSeen fileBox, runtimeBox;
    bool stillRunning = false;
    HWND hDlg = nullptr;
    INT_PTR result = DoModalScripted(dlg, [&] {
        hDlg = dlg.m_hWnd;
        HWND hPlain = dlg.GetDlgItem(IDC_TEST_PLAIN);

        dlg.m_onPlain = [&] { throw fileError; };
        auto box = testsupport::AnswerNextMessageBox(IDOK);
        ::SendMessage(hPlain, BM_CLICK, 0, 0);
        fileBox = *box;

        dlg.m_onPlain = [] { throw std::runtime_error("the volume went away"); };
        box = testsupport::AnswerNextMessageBox(IDOK);
        ::SendMessage(hPlain, BM_CLICK, 0, 0);
        runtimeBox = *box;

        stillRunning = ::IsWindow(dlg.m_hWnd) && dlg.IsWindowEnabled() && dlg.IsWindowVisible();
        // The loop still delivers the keyboard.
        PostKey(ComboEdit(dlg), VK_RETURN);
    });
    EXPECT_TRUE(fileBox.shown);
    EXPECT_EQ(fileBox.text, fileError.GetErrorMessage());
    EXPECT_EQ(fileBox.text.Find(_T("Cannot change the times of C:\\Data\\report.doc:\n")), 0);
    EXPECT_EQ(fileBox.hOwner, hDlg) << "the box is not owned by the dialog";
    EXPECT_TRUE(runtimeBox.shown);
    EXPECT_EQ(runtimeBox.text, CString(_T("An unexpected error occurred:\nthe volume went away")));
    EXPECT_TRUE(stillRunning);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_nOK, 1);
}

TEST(CDialogExceptions, AnExceptionInOnInitDialogIsShownAndTheDialogStillOpens)
{
    CTestDialog dlg;
    dlg.m_onInit = [] { throw std::runtime_error("no settings"); };
    auto box = testsupport::AnswerNextMessageBox(IDOK);
    INT_PTR result = DoModalScripted(dlg, [&] { dlg.EndDialog(IDCANCEL); });
    EXPECT_TRUE(box->shown);
    EXPECT_EQ(box->text, CString(_T("An unexpected error occurred:\nno settings")));
    EXPECT_EQ(result, IDCANCEL);
}

TEST(CDialogExceptions, AnExceptionInPreTranslateMessageIsShownAndTheLoopGoesOn)
{
    class CThrowingDialog : public CTestDialog
    {
    public:
        BOOL PreTranslateMessage(MSG* pMsg) override
        {
            if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F2)
                throw std::runtime_error("bad key");
            return CTestDialog::PreTranslateMessage(pMsg);
        }
    };
    CThrowingDialog dlg;
    std::shared_ptr<testsupport::MessageBoxSeen> box;
    INT_PTR result = DoModalScripted(dlg, [&] {
        box = testsupport::AnswerNextMessageBox(IDOK);
        PostKey(ComboEdit(dlg), VK_F2);
        // Once the box has come and gone, the dialog must still take keys.
        testsupport::RunWhen(
            [&] {
                if (!box->shown || testsupport::FindMessageBox() != nullptr)
                    return false;
                PostKey(ComboEdit(dlg), VK_ESCAPE);
                return true;
            },
            [] { ADD_FAILURE() << "the report of the exception never came and went"; });
    });
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->shown);
    EXPECT_EQ(box->text, CString(_T("An unexpected error occurred:\nbad key")));
    EXPECT_EQ(result, IDCANCEL);
}
