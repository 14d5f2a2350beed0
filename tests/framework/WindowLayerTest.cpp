// The window layer on the program's own dialogs: the exception boundary of
// window procedures and of the modal loop, and pre-translation in that loop.
#include "framework/CFileException.h"
#include "tests/main_window/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

#include <new>
#include <stdexcept>

using namespace testsupport;

namespace
{
// The About box's template with a handler that throws: OnInitDialog (0), the
// one for WM_APP (1), or the modal loop's pre-translation of F2 (2).
struct CThrowingBox : CDialog
{
    CThrowingBox(int nWhere, std::function<void()> thrower) : CDialog(IDD_ABOUTBOX), m_nWhere(nWhere), m_throw(thrower) {}
    BOOL OnInitDialog() override { return ThrowAt(0); }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        return ThrowAt(message == WM_APP ? 1 : -1) && CDialog::OnWndMsg(message, wParam, lParam, pResult);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return ThrowAt(pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F2 ? 2 : -1) && CDialog::PreTranslateMessage(pMsg);
    }
    BOOL ThrowAt(int nWhere) const
    {
        if (nWhere == m_nWhere)
            m_throw();
        return TRUE;
    }
    int m_nWhere;
    std::function<void()> m_throw;
};

class WindowLayerTest : public MainWindowTest
{
};
}

TEST_F(WindowLayerTest, AnExceptionEscapingAHandlerIsReportedAndTheDialogGoesOn)
{
    const CString fileError = _T("Cannot change the times of C:\\Data\\locked.txt:\n");     // then the system's reason
    const auto throwFileError = [] { throw CFileException(_T("C:\\Data\\locked.txt"), ERROR_ACCESS_DENIED); };
    const struct { int nWhere; std::function<void()> thrower; CString text; } cases[] = {
        {0, throwFileError, fileError}, {2, throwFileError, fileError},
        {1, [] { throw std::runtime_error("the disk is on fire"); }, _T("An unexpected error occurred:\nthe disk is on fire")},
        {1, [] { throw std::bad_alloc(); }, _T("There is not enough memory to complete the operation.")},
        {2, [] { throw 17; }, _T("An unexpected error occurred.")}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(&c - cases);
        CThrowingBox box(c.nWhere, c.thrower);
        auto seen = AnswerNextMessageBox();
        EXPECT_EQ(DoModalScripted(box, [&] {
            box.SendMessage(WM_APP);
            ::PostMessage(box.GetDlgItem(IDOK), WM_KEYDOWN, VK_F2, 1);
            // Once the report has come and gone, the box still takes keys.
            RunWhen([&] {
                return seen->shown && !FindMessageBox() && ::PostMessage(box.GetDlgItem(IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
            }, [] {});
        }, 5000), IDCANCEL);
        EXPECT_EQ(seen->text.Find(c.text), 0) << Narrow(seen->text);
        EXPECT_EQ(seen->text.GetLength() > c.text.GetLength(), c.text == fileError);
    }
}

// The main window's loop offers each message to the window it is for and
// its ancestors: Escape for the target's edit field, which has no object,
// reaches the dialog's keyboard handling; a key is handled only once.
TEST_F(WindowLayerTest, TheMainWindowsLoopGivesItTheKeysOfItsControlsOnce)
{
    CDorvaneDlg dlg;
    EXPECT_EQ(DoModalScripted(dlg, [&] {
        const HWND hEdit = ::FindWindowEx(dlg.m_comboPath.m_hWnd, nullptr, _T("Edit"), nullptr);
        ::PostMessage(hEdit, WM_CHAR, 'x', 1);
        RunSoon([&dlg, hEdit] {
            EXPECT_EQ(CWnd::GetWindowTextOf(dlg.m_comboPath.m_hWnd), _T("x"));
            ::PostMessage(hEdit, WM_KEYDOWN, VK_ESCAPE, 1);
        });
    }, 5000), IDCANCEL);
}
