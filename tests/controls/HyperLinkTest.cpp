// The hyperlink label: its colours and hand on the real About box, and the
// opening of its target through the shell or else the ".htm" class of the
// registry, whose command here starts link_recorder.exe, which records the
// command line it got.
#include "about/AboutDlg.h"
#include "framework/CWinApp.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace
{
// While it lives, a key of the test's own stands in for HKEY_CLASSES_ROOT in
// this process: ".htm" names the class, with this open command (REG_NONE: none).
struct HtmClass
{
    HtmClass(const CString& strClass, const CString& strCommand, DWORD dwType = REG_SZ, int nNull = 1)
    {
        ::RegCreateKeyEx(HKEY_CURRENT_USER, _T("Software\\DorvaneLinkTest"), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                         &m_hKey, nullptr);
        ::RegSetKeyValue(m_hKey, _T(".htm"), nullptr, REG_SZ, strClass.GetString(), (strClass.GetLength() + 1) * 2);
        if (dwType != REG_NONE)
            ::RegSetKeyValue(m_hKey, strClass + _T("\\shell\\open\\command"), nullptr, dwType, strCommand.GetString(),
                             (strCommand.GetLength() + nNull) * 2);
        EXPECT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_hKey), ERROR_SUCCESS);
    }
    ~HtmClass()
    {
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        ::RegCloseKey(m_hKey);
        ::RegDeleteTree(HKEY_CURRENT_USER, _T("Software\\DorvaneLinkTest"));
    }
    HKEY m_hKey = nullptr;
};

// A cursor's mask and hot spot; empty for a cursor that is gone.
std::vector<BYTE> LookOf(HCURSOR hCursor)
{
    ICONINFO info = {};
    std::vector<BYTE> look(4096);
    if (!::GetIconInfo(hCursor, &info))
        return {};
    look.resize(static_cast<size_t>(::GetBitmapBits(info.hbmMask, 4096, look.data())));
    look.insert(look.end(), {static_cast<BYTE>(info.xHotspot), static_cast<BYTE>(info.yHotspot)});
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return look;
}

class HyperLinkTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ::GetModuleFileName(nullptr, m_recorder, MAX_PATH);
        lstrcpy(_tcsrchr(m_recorder, _T('\\')), _T("\\link_recorder.exe"));
        ::SetEnvironmentVariable(_T("DORVANE_LINK_RECORD"), m_strRecord);
        ::SetEnvironmentVariable(_T("DORVANE_LINK_RECORDER"), m_recorder);
    }

    // The command line link_recorder.exe was started with, once it has run.
    CString Recorded() const
    {
        std::vector<TCHAR> text(40000);
        DWORD cbRead = 0;
        for (int nTry = 0; nTry < 250 && ::GetFileAttributes(m_strRecord) == INVALID_FILE_ATTRIBUTES; ++nTry)
            ::Sleep(20);
        HANDLE hFile = ::CreateFile(m_strRecord, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        ::ReadFile(hFile, text.data(), static_cast<DWORD>(text.size() * sizeof(TCHAR)), &cbRead, nullptr);
        ::CloseHandle(hFile);
        return CString(text.data(), static_cast<int>(cbRead / sizeof(TCHAR)));
    }

    TempDir m_temp;
    CString m_strRecord = m_temp / _T("command-line.txt");
    TCHAR m_recorder[MAX_PATH] = {};
};
}

// The link colour at first; the hover colour at once while the pointer is
// over it, holding the capture to see it leave; the visited colour once a
// click opened the target, and a box over the About box saying why when it
// could not. Losing the focus ends the hover, not the capture. Its hand is a
// copy of its own: the help program's, else (always under Wine) the platform's.
TEST_F(HyperLinkTest, TheLabelShowsItsStateInColourAndAHandOfItsOwn)
{
    HtmClass htm(_T("Page"), _T("\"") + m_temp / _T("missing.exe\""));
    enum Step { kIn, kOut, kFar, kOpen, kFail, kLoseFocus, kNone };
    const struct { Step step; int nColour; bool bCaptured; } steps[] = {{kNone, 0, 0}, {kIn, 2, 1}, {kIn, 2, 1},
        {kOut, 0, 0}, {kOpen, 1, 0}, {kIn, 2, 1}, {kOut, 1, 0}, {kIn, 2, 1}, {kLoseFocus, 1, 1}, {kFar, 2, 1},
        {kFar, 1, 0}, {kFail, 0, 0}};
    const COLORREF colours[] = {RGB(0, 0, 238), RGB(85, 26, 139), RGB(238, 0, 0)};     // link, visited, hover
    TCHAR helpProgram[MAX_PATH] = {};
    ::GetWindowsDirectory(helpProgram, MAX_PATH);
    HMODULE hHelp = ::LoadLibrary(lstrcat(helpProgram, _T("\\winhlp32.exe")));
    HCURSOR hHand = hHelp ? ::LoadCursor(hHelp, MAKEINTRESOURCE(106)) : nullptr;
    hHand = hHand ? hHand : ::LoadCursor(nullptr, IDC_HAND);
    HCURSOR hShown = nullptr;
    auto box = std::make_unique<CAboutDlg>();
    DoModalScripted(*box, [&] {
        const HWND hLink = box->m_linkWeb.m_hWnd;
        const LPARAM points[] = {MAKELPARAM(1, 1), MAKELPARAM(-3, 1), MAKELPARAM(500, 500)};
        ::SetCursorPos(1270, 1010);     // far from the box in the screen's corner
        box->UpdateWindow();
        for (const auto& s : steps)
        {
            SCOPED_TRACE(&s - steps);
            auto seen = s.step == kFail ? AnswerNextMessageBox() : std::make_shared<MessageBoxSeen>();
            box->m_linkWeb.SetTarget(s.step == kOpen ? m_recorder : _T("dorvane-nowhere:page"));    // only a program opens
            if (s.step == kOpen || s.step == kFail)
            {
                ::SendMessage(hLink, WM_LBUTTONDOWN, MK_LBUTTON, 0);
                ::SendMessage(hLink, WM_LBUTTONUP, 0, 0);
            }
            if (s.step == kLoseFocus)
                ::SendMessage(hLink, WM_KILLFOCUS, 0, 0);
            if (s.step <= kFar)     // a move repaints at once, the rest when asked; a failure asks nothing
                ::SendMessage(hLink, WM_MOUSEMOVE, 0, points[s.step]);
            else
                ::RedrawWindow(hLink, nullptr, nullptr, s.step == kFail ? RDW_INVALIDATE | RDW_UPDATENOW : RDW_UPDATENOW);
            const Pixels shown = ClientPixels(hLink, true);
            for (int nColour = 0; nColour < 3; ++nColour)
                EXPECT_EQ(shown.Count(colours[nColour]) > 0, nColour == s.nColour) << "colour " << nColour;
            EXPECT_EQ(::GetCapture() == hLink, s.bCaptured);
            EXPECT_TRUE(s.step != kOpen || Recorded().Find(_T("link_recorder.exe")) >= 0);
            EXPECT_EQ(seen->text, s.step == kFail ? _T("Unable to open hyperlink:\n\nThe specified file was not found.") : _T(""));
            EXPECT_EQ(seen->hOwner, s.step == kFail ? box->m_hWnd : nullptr);
        }
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        EXPECT_TRUE(::SendMessage(hLink, WM_SETCURSOR, reinterpret_cast<WPARAM>(hLink), HTCLIENT));
        hShown = ::GetCursor();
        EXPECT_NE(hShown, hHand) << "the shared hand, not a copy of its own";
        EXPECT_EQ(LookOf(hShown), LookOf(hHand));
        box->EndDialog(IDOK);
    }, 8000);
    box.reset();
    EXPECT_TRUE(LookOf(hShown).empty()) << "the label's hand outlived it";
    if (hHelp)
        ::FreeLibrary(hHelp);
}

TEST_F(HyperLinkTest, TheFallbackRunsTheRegisteredCommandWithTheTargetInPlaceOfItsPlaceholder)
{
    WriteFile(m_temp / _T("not-a-program.exe"), "plain text");
    const CString rec = _T("\"") + CString(m_recorder) + _T("\"");
    const CString target = _T("dorvane-nowhere:page");
    // Far beyond the 260 characters of a class name or value and the 520 of a
    // command line once allowed (Wine's shell fails on targets from about 990).
    const CString longArgument = _T(" -") + CString(_T('a'), 3000);
    const CString longTarget = target + CString(_T('q'), 880);
    const CString longClass = CString(_T('c'), 200) + _T("\\") + CString(_T('d'), 200) + _T("\\") + CString(_T('e'), 200);
    const struct { CString command; INT_PTR result; CString recorded; DWORD dwType; int nNull; CString target; CString cls; }
        cases[] = {    // any success reads as 33
            // Cut where a quoted "%1", else a bare %1, begins; then a blank and the target.
            {rec + _T(" -page \"%1\""), 33, rec + _T(" -page  ") + target, REG_SZ, 1, target, _T("Page")},
            {rec + _T(" -page \"%1\" -trailing"), 33, rec + _T(" -page  ") + target, REG_SZ, 1, target, _T("Page")},
            {rec + _T(" %1 -trailing --more"), 33, rec + _T("  ") + target, REG_SZ, 1, target, _T("Page")},
            {rec + _T(" -new-window"), 33, rec + _T(" -new-window ") + target, REG_SZ, 1, target, _T("Page")},
            {rec + _T(" -raw \"%1\""), 33, rec + _T(" -raw  ") + target, REG_SZ, 0, target, _T("Page")},     // no null
            {_T("\"%DORVANE_LINK_RECORDER%\" \"%1\""), 33, rec + _T("  ") + target, REG_EXPAND_SZ, 1, target, _T("Page")},
            {rec + longArgument + _T(" \"%1\""), 33, rec + longArgument + _T("  ") + longTarget, REG_SZ, 1, longTarget,
             longClass},
            {rec + _T(" -fallback"), 33, rec, REG_SZ, 1, m_recorder, _T("Page")},     // the shell runs a program itself
            // WinExec's codes for commands that cannot run; without one, the shell's code stands.
            {_T("\"") + m_temp / _T("missing.exe\""), ERROR_FILE_NOT_FOUND, {}, REG_SZ, 1, target, _T("Page")},
            {_T("\"") + m_temp / _T("not-a-program.exe\""), ERROR_BAD_FORMAT, {}, REG_SZ, 1, target, _T("Page")},
            {_T("   "), SE_ERR_ASSOCINCOMPLETE, {}, REG_SZ, 1, target, _T("Page")},
            {rec + CString(_T('a'), 32800), SE_ERR_OOM, {}, REG_SZ, 1, target, _T("Page")},
            {{}, SE_ERR_NOASSOC, {}, REG_NONE, 1, target, _T("Page")}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(&c - cases);
        HtmClass htm(c.cls, c.command, c.dwType, c.nNull);
        EXPECT_EQ(std::min<INT_PTR>(reinterpret_cast<INT_PTR>(CHyperLink::OpenTarget(c.target, SW_SHOW)), 33), c.result);
        EXPECT_EQ(c.recorded.IsEmpty() ? CString() : Recorded(), c.recorded);
    }
    EXPECT_EQ(::GetFileAttributes(m_strRecord), INVALID_FILE_ATTRIBUTES) << "a command that cannot run ran";
}

TEST_F(HyperLinkTest, EachLaunchErrorIsNamedInTheApplicationsMessageBox)
{
    const std::pair<int, LPCTSTR> cases[] = {
        {0, _T("The operating system is out\nof memory or resources.")}, {1, _T("Unknown Error (1) occurred.")},
        {2, _T("The specified file was not found.")}, {3, _T("The specified path was not found.")},
        {5, _T("The operating system denied\naccess to the specified file.")},
        {8, _T("There was not enough memory to complete the operation.")},
        {11, _T("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).")},
        {26, _T("A sharing violation occurred. ")}, {27, _T("The filename association is\nincomplete or invalid.")},
        {28, _T("The DDE transaction could not\nbe completed because the request timed out.")},
        {29, _T("The DDE transaction failed.")},
        {30, _T("The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.")},
        {31, _T("There is no application associated\nwith the given filename extension.")},
        {32, _T("The specified dynamic-link library was not found.")}, {-5, _T("Unknown Error (-5) occurred.")},
        {33, _T("Unknown Error (33) occurred.")}};
    for (const auto& c : cases)
    {
        auto seen = AnswerNextMessageBox();
        CHyperLink::ShowLaunchError(c.first);
        EXPECT_EQ(seen->text, CString(_T("Unable to open hyperlink:\n\n")) + c.second);
        EXPECT_EQ(seen->caption, AfxGetAppName());
    }
}
