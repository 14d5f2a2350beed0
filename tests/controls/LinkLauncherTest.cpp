// The link launcher driven for real: the shell, a ".htm" class registered in
// the test's own registry whose open command starts link_recorder.exe (which
// records the command line it got), and the real message boxes.
#include "controls/HyperLink.h"
#include "framework/CWinApp.h"
#include "tests/controls/HtmClassRegistration.h"
#include "tests/controls/LinkTestDialog.h"
#include "tests/controls/LinkTestResource.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using linktest::BindLink;
using linktest::ColoursShown;
using linktest::PaintedColours;
using linktest::ShowLinkTestDialog;

namespace
{
// A URL of a scheme nobody has registered: the shell cannot open it.
const LPCTSTR kUnopenable = _T("dorvane-nowhere:page");
const LPCTSTR kTestClass = _T("DorvaneLinkTest.Page");
const LPCTSTR kHeading = _T("Unable to open hyperlink:\n\n");

INT_PTR Code(HINSTANCE hResult)
{
    return reinterpret_cast<INT_PTR>(hResult);
}

INT_PTR ShellResult(LPCTSTR pszTarget)
{
    return Code(::ShellExecute(nullptr, _T("open"), pszTarget, nullptr, nullptr, SW_SHOW));
}

CString Quoted(const CString& text)
{
    return _T("\"") + text + _T("\"");
}

CString FolderOfThisProgram()
{
    std::vector<TCHAR> path(32768);
    DWORD nLength = ::GetModuleFileName(nullptr, path.data(), static_cast<DWORD>(path.size()));
    CString strPath(path.data(), static_cast<int>(nLength));
    return strPath.Left(strPath.ReverseFind(_T('\\')));
}

// Closes a message box that turns up while the action runs, and fails.
bool g_bUnexpectedBox = false;
void CALLBACK CloseUnexpectedBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND hBox = testsupport::FindMessageBox())
    {
        g_bUnexpectedBox = true;
        testsupport::PressDialogButton(hBox, IDOK);
    }
}

void ExpectNoMessageBox(const std::function<void()>& action)
{
    g_bUnexpectedBox = false;
    UINT_PTR nTimer = ::SetTimer(nullptr, 0, 100, &CloseUnexpectedBox);
    action();
    ::KillTimer(nullptr, nTimer);
    EXPECT_FALSE(g_bUnexpectedBox) << "a message box was shown";
}

void Click(HWND hLabel)
{
    ::SendMessage(hLabel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    ::SendMessage(hLabel, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

class LinkLauncherTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_strRecorder = FolderOfThisProgram() + _T("\\link_recorder.exe");
        ASSERT_NE(::GetFileAttributes(m_strRecorder), INVALID_FILE_ATTRIBUTES) << "link_recorder.exe is missing";
        m_strRecord = m_temp / _T("command-line.txt");
        ::SetEnvironmentVariable(_T("DORVANE_LINK_RECORD"), m_strRecord);
    }

    void TearDown() override
    {
        ::SetEnvironmentVariable(_T("DORVANE_LINK_RECORD"), nullptr);
    }

    // The command line link_recorder.exe was started with; empty when it
    // has not run within ten seconds.
    CString RecordedCommandLine() const
    {
        for (int nTry = 0; nTry < 200; ++nTry)
        {
            HANDLE hFile = ::CreateFile(m_strRecord, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            if (hFile != INVALID_HANDLE_VALUE)
            {
                std::vector<TCHAR> text(::GetFileSize(hFile, nullptr) / sizeof(TCHAR) + 1);
                DWORD cbRead = 0;
                ::ReadFile(hFile, text.data(), static_cast<DWORD>((text.size() - 1) * sizeof(TCHAR)), &cbRead,
                           nullptr);
                ::CloseHandle(hFile);
                return CString(text.data(), static_cast<int>(cbRead / sizeof(TCHAR)));
            }
            ::Sleep(50);
        }
        return CString();
    }

    bool Recorded() const
    {
        return ::GetFileAttributes(m_strRecord) != INVALID_FILE_ATTRIBUTES;
    }

    testsupport::TempDir m_temp;
    CString m_strRecorder;
    CString m_strRecord;
};
}

TEST_F(LinkLauncherTest, TheShellCannotOpenTheTestTarget)
{
    INT_PTR nShell = ShellResult(kUnopenable);
    EXPECT_LE(nShell, 32) << "the fallback tests need a target the shell fails on";
}

TEST_F(LinkLauncherTest, ATargetTheShellOpensNeverReachesTheFallback)
{
    HtmClassRegistration htm(kTestClass);
    htm.SetOpenCommand(Quoted(m_strRecorder) + _T(" -fallback \"%1\""));

    INT_PTR nResult = Code(CHyperLink::OpenTarget(m_strRecorder, SW_SHOW));
    EXPECT_GT(nResult, 32);
    CString strCommandLine = RecordedCommandLine();
    EXPECT_NE(strCommandLine.Find(_T("link_recorder")), -1) << testsupport::Narrow(strCommandLine);
    EXPECT_EQ(strCommandLine.Find(_T("-fallback")), -1) << "the shell opened it itself";
}

// The command is cut where the placeholder begins and a blank and the
// target, unquoted, follow: a quoted placeholder after a blank leaves two
// blanks, an unquoted one loses what followed it, none gets the target
// appended.
TEST_F(LinkLauncherTest, TheFallbackPutsTheTargetInPlaceOfThePlaceholder)
{
    struct Case
    {
        LPCTSTR arguments;
        LPCTSTR expectedArguments;
    };
    const Case cases[] = {
        {_T(" -page \"%1\""), _T(" -page  dorvane-nowhere:page")},
        {_T(" -page \"%1\" -trailing"), _T(" -page  dorvane-nowhere:page")},
        {_T(" %1 -trailing --more"), _T("  dorvane-nowhere:page")},
        {_T(" -new-window"), _T(" -new-window dorvane-nowhere:page")},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testsupport::Narrow(c.arguments));
        ::DeleteFile(m_strRecord);
        HtmClassRegistration htm(kTestClass);
        htm.SetOpenCommand(Quoted(m_strRecorder) + c.arguments);

        INT_PTR nResult = Code(CHyperLink::OpenTarget(kUnopenable, SW_SHOW));
        EXPECT_GT(nResult, 32);
        EXPECT_EQ(RecordedCommandLine(), Quoted(m_strRecorder) + c.expectedArguments);
    }
}

TEST_F(LinkLauncherTest, TheFallbackReadsCommandsStoredWithoutNullAndExpandsEnvironmentStrings)
{
    {
        SCOPED_TRACE("a value stored without its terminating null");
        HtmClassRegistration htm(kTestClass);
        htm.SetOpenCommand(Quoted(m_strRecorder) + _T(" -raw \"%1\""), REG_SZ, false);
        EXPECT_GT(Code(CHyperLink::OpenTarget(kUnopenable, SW_SHOW)), 32);
        EXPECT_EQ(RecordedCommandLine(), Quoted(m_strRecorder) + _T(" -raw  dorvane-nowhere:page"));
    }
    {
        SCOPED_TRACE("an environment string");
        ::DeleteFile(m_strRecord);
        ::SetEnvironmentVariable(_T("DORVANE_LINK_RECORDER"), m_strRecorder);
        HtmClassRegistration htm(kTestClass);
        htm.SetOpenCommand(_T("\"%DORVANE_LINK_RECORDER%\" -expanded \"%1\""), REG_EXPAND_SZ);
        EXPECT_GT(Code(CHyperLink::OpenTarget(kUnopenable, SW_SHOW)), 32);
        EXPECT_EQ(RecordedCommandLine(), Quoted(m_strRecorder) + _T(" -expanded  dorvane-nowhere:page"));
        ::SetEnvironmentVariable(_T("DORVANE_LINK_RECORDER"), nullptr);
    }
}

// Far beyond the 260 characters of a class name or a registry value and the
// 520 of a command line that the launcher was once limited to. (Wine 8's
// shell itself fails on targets from about 990 characters on, so the
// target stays below that.)
TEST_F(LinkLauncherTest, LongClassNamesCommandsAndTargetsArePassedWhole)
{
    const CString strClass = CString(_T("DorvaneLinkTest.Long\\")) + CString(_T('c'), 200) + _T("\\") +
                             CString(_T('d'), 200) + _T("\\") + CString(_T('e'), 200);
    const CString strArgument = _T(" -") + CString(_T('a'), 3000);
    const CString strTarget = CString(_T("dorvane-nowhere:")) + CString(_T('q'), 880);
    ASSERT_LE(ShellResult(strTarget), 32);

    HtmClassRegistration htm(strClass);
    htm.SetOpenCommand(Quoted(m_strRecorder) + strArgument + _T(" \"%1\""));
    EXPECT_GT(Code(CHyperLink::OpenTarget(strTarget, SW_SHOW)), 32);
    EXPECT_EQ(RecordedCommandLine(), Quoted(m_strRecorder) + strArgument + _T("  ") + strTarget);

    CString strRead;
    EXPECT_EQ(CHyperLink::ReadRegDefault(HKEY_CLASSES_ROOT, _T(".htm"), strRead), ERROR_SUCCESS);
    EXPECT_EQ(strRead, strClass);
}

TEST_F(LinkLauncherTest, WithoutAnOpenCommandTheShellsCodeIsReturned)
{
    const INT_PTR nShell = ShellResult(kUnopenable);
    {
        SCOPED_TRACE("a class without an open command");
        HtmClassRegistration htm(kTestClass);
        EXPECT_EQ(Code(CHyperLink::OpenTarget(kUnopenable, SW_SHOW)), nShell);
    }
    {
        SCOPED_TRACE("an open command key without a value");
        HtmClassRegistration htm(kTestClass);
        htm.SetEmptyCommandKey();
        EXPECT_EQ(Code(CHyperLink::OpenTarget(kUnopenable, SW_SHOW)), nShell);
    }
    {
        SCOPED_TRACE("a \".htm\" class that does not exist");
        HtmClassRegistration htm(_T("DorvaneLinkTest.Missing\\Nowhere"));
        EXPECT_EQ(Code(CHyperLink::OpenTarget(kUnopenable, SW_SHOW)), nShell);
    }
    CString strUntouched = _T("untouched");
    EXPECT_NE(CHyperLink::ReadRegDefault(HKEY_CLASSES_ROOT, _T("DorvaneLinkTest.Missing"), strUntouched),
              ERROR_SUCCESS);
    EXPECT_EQ(strUntouched, _T("untouched"));
    EXPECT_FALSE(Recorded());
}

TEST_F(LinkLauncherTest, NoHtmClassAtAllReturnsTheShellsCode)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyEx(HKEY_CLASSES_ROOT, _T(".htm"), 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS)
    {
        ::RegCloseKey(hKey);
        GTEST_SKIP() << "this system registers \".htm\" itself; its handler must not be started by a test";
    }
    EXPECT_EQ(Code(CHyperLink::OpenTarget(kUnopenable, SW_SHOW)), ShellResult(kUnopenable));
}

// The codes WinExec gives for a program that cannot start, an empty
// command, and a command line longer than a program can be given.
TEST_F(LinkLauncherTest, ACommandThatCannotRunGivesItsCode)
{
    testsupport::WriteFile(m_temp / _T("not-a-program.exe"), "plain text, not a program");
    struct Case
    {
        CString command;
        CString target;
        INT_PTR expected;
    };
    const Case cases[] = {
        {Quoted(m_temp / _T("missing.exe")) + _T(" \"%1\""), kUnopenable, ERROR_FILE_NOT_FOUND},
        {Quoted(m_temp / _T("not-a-program.exe")) + _T(" \"%1\""), kUnopenable, ERROR_BAD_FORMAT},
        {_T("   "), kUnopenable, SE_ERR_ASSOCINCOMPLETE},
        {Quoted(m_strRecorder) + _T(" -") + CString(_T('a'), 32800) + _T(" \"%1\""), kUnopenable, SE_ERR_OOM},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testsupport::Narrow(c.command));
        HtmClassRegistration htm(kTestClass);
        htm.SetOpenCommand(c.command);
        EXPECT_EQ(Code(CHyperLink::OpenTarget(c.target, SW_SHOW)), c.expected);
    }
    EXPECT_FALSE(Recorded());
}

TEST(LinkLauncherErrorTest, EveryCodeIsNamedInTheApplicationsMessageBox)
{
    struct Case
    {
        int nCode;
        LPCTSTR text;
    };
    const Case cases[] = {
        {0, _T("The operating system is out\nof memory or resources.")},
        {1, _T("Unknown Error (1) occurred.")},
        {2, _T("The specified file was not found.")},
        {3, _T("The specified path was not found.")},
        {5, _T("The operating system denied\naccess to the specified file.")},
        {8, _T("There was not enough memory to complete the operation.")},
        {11, _T("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).")},
        {26, _T("A sharing violation occurred. ")},
        {27, _T("The filename association is\nincomplete or invalid.")},
        {28, _T("The DDE transaction could not\nbe completed because the request timed out.")},
        {29, _T("The DDE transaction failed.")},
        {30, _T("The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.")},
        {31, _T("There is no application associated\nwith the given filename extension.")},
        {32, _T("The specified dynamic-link library was not found.")},
        {-5, _T("Unknown Error (-5) occurred.")},
        {33, _T("Unknown Error (33) occurred.")},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nCode);
        auto box = testsupport::AnswerNextMessageBox(IDOK);
        CHyperLink::ShowLaunchError(c.nCode);
        ASSERT_TRUE(box->shown);
        EXPECT_EQ(box->text, CString(kHeading) + c.text);
        EXPECT_EQ(box->caption, AfxGetAppName());
    }
}

// A successful click repaints the label in the visited colour without a
// message; it clears the hover but keeps the capture.
TEST_F(LinkLauncherTest, ASuccessfulClickMarksTheLabelVisited)
{
    auto dlg = ShowLinkTestDialog();
    CHyperLink link;
    link.SetTarget(m_strRecorder);
    BindLink(*dlg, IDC_LINK_LEFT, link);
    ::SendMessage(link.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    ASSERT_GT(ColoursShown(link.m_hWnd).hover, 0);

    ExpectNoMessageBox([&] { Click(link.m_hWnd); });
    EXPECT_FALSE(RecordedCommandLine().IsEmpty()) << "the shell started the target";
    link.UpdateWindow();
    PaintedColours seen = ColoursShown(link.m_hWnd);
    EXPECT_GT(seen.visited, 0);
    EXPECT_EQ(seen.link, 0);
    EXPECT_EQ(seen.hover, 0);
    EXPECT_EQ(CWnd::GetCapture(), link.m_hWnd);
}

// A failed click beeps, names the failure in the application's message box
// owned by the active dialog, and the label, visited before, shows the link
// colour from its next repaint on.
TEST_F(LinkLauncherTest, AFailedClickShowsTheErrorAndTurnsTheLabelBackToTheLinkColour)
{
    auto dlg = ShowLinkTestDialog();
    CHyperLink link;
    link.SetTarget(m_strRecorder);
    BindLink(*dlg, IDC_LINK_LEFT, link);
    ExpectNoMessageBox([&] { Click(link.m_hWnd); });
    link.UpdateWindow();
    ASSERT_GT(ColoursShown(link.m_hWnd).visited, 0);

    HtmClassRegistration htm(kTestClass);
    htm.SetOpenCommand(Quoted(m_temp / _T("missing.exe")) + _T(" \"%1\""));
    link.SetTarget(kUnopenable);
    auto box = testsupport::AnswerNextMessageBox(IDOK);
    Click(link.m_hWnd);
    ASSERT_TRUE(box->shown);
    EXPECT_EQ(box->text, CString(kHeading) + _T("The specified file was not found."));
    EXPECT_EQ(box->caption, AfxGetAppName());
    EXPECT_EQ(box->hOwner, dlg->m_hWnd);

    link.RedrawWindow();
    PaintedColours seen = ColoursShown(link.m_hWnd);
    EXPECT_GT(seen.link, 0);
    EXPECT_EQ(seen.visited, 0);
}

// A command line that cannot be built (longer than a program can be given)
// or names nothing to run is reported in the same message box.
TEST_F(LinkLauncherTest, ACommandLineThatCannotBeBuiltIsReportedInTheSameBox)
{
    struct Case
    {
        CString command;
        LPCTSTR text;
    };
    const Case cases[] = {
        {Quoted(m_strRecorder) + _T(" -") + CString(_T('a'), 32800) + _T(" \"%1\""),
         _T("There was not enough memory to complete the operation.")},
        {_T(" "), _T("The filename association is\nincomplete or invalid.")},
    };
    auto dlg = ShowLinkTestDialog();
    CHyperLink link;
    link.SetTarget(kUnopenable);
    BindLink(*dlg, IDC_LINK_LEFT, link);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testsupport::Narrow(c.text));
        HtmClassRegistration htm(kTestClass);
        htm.SetOpenCommand(c.command);
        auto box = testsupport::AnswerNextMessageBox(IDOK);
        Click(link.m_hWnd);
        ASSERT_TRUE(box->shown);
        EXPECT_EQ(box->text, CString(kHeading) + c.text);
    }
    EXPECT_FALSE(Recorded());
}

TEST_F(LinkLauncherTest, AFailureWithoutFallbackNamesTheShellsCode)
{
    auto dlg = ShowLinkTestDialog();
    CHyperLink link;
    link.SetTarget(kUnopenable);
    BindLink(*dlg, IDC_LINK_LEFT, link);
    HtmClassRegistration htm(kTestClass);
    const INT_PTR nShell = ShellResult(kUnopenable);
    ASSERT_EQ(nShell, SE_ERR_NOASSOC) << "the text below is the one for the shell's code";

    auto box = testsupport::AnswerNextMessageBox(IDOK);
    Click(link.m_hWnd);
    ASSERT_TRUE(box->shown);
    EXPECT_EQ(box->text, CString(kHeading) + _T("There is no application associated\nwith the given filename extension."));
}
