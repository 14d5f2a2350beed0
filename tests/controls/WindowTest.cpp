// The window layer, the program's controls and its About box, on the real main window and About box. A link's
// target opens through the shell or else the registry's ".htm" class: here link_recorder.exe, which records it.
#include "about/AboutDlg.h"
#include "stamping/StampFailure.h"
#include "tests/main_window/MainWindowFixture.h"

#include <new>
#include <set>
#include <stdexcept>

using namespace testsupport;

namespace
{
const LPCTSTR kRecorderKey = _T("Software\\DorvaneLinkRecorder");
const LPCTSTR kClassesKey = _T("Software\\DorvaneLinkClasses");     // stands in for HKEY_CLASSES_ROOT

// The About box's template with a handler that throws: OnInitDialog (0), the
// one for WM_APP (1), or the modal loop's pre-translation of F2 (2).
struct CThrowingBox : CDialog
{
    CThrowingBox(int nWhere, std::function<void()> thrower)
        : CDialog(IDD_ABOUTBOX), m_nWhere(nWhere), m_throw(std::move(thrower)) {}
    BOOL OnInitDialog() override { return ThrowAt(0); }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        return ThrowAt(message == WM_APP ? 1 : -1) && CDialog::OnWndMsg(message, wParam, lParam, pResult);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        const bool bF2 = pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F2;
        return ThrowAt(bF2 ? 2 : -1) && CDialog::PreTranslateMessage(pMsg);
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

class WindowTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ::SetCursorPos(1270, 1010);     // far away: no move of the real pointer reaches a window
        ::GetModuleFileName(nullptr, m_recorder, MAX_PATH);
        lstrcpy(_tcsrchr(m_recorder, _T('\\')), _T("\\link_recorder.exe"));
        ::SetEnvironmentVariable(_T("DORVANE_LINK_RECORDER"), m_recorder);
        ::RegCreateKeyEx(HKEY_CURRENT_USER, kClassesKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hClasses, nullptr);
        ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_hClasses), ERROR_SUCCESS);
    }
    void TearDown() override
    {
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        ::RegCloseKey(m_hClasses);
        ::RegDeleteTree(HKEY_CURRENT_USER, kClassesKey);
        ::RegDeleteKey(HKEY_CURRENT_USER, kRecorderKey);
        MainWindowTest::TearDown();
    }
    // Classes where ".htm" names the class and its open command (REG_NONE: none).
    void RegisterHtm(const CString& strClass, const CString& strCommand, DWORD dwType = REG_SZ, int nNull = 1)
    {
        ::RegDeleteTree(m_hClasses, nullptr);
        ::RegSetKeyValue(m_hClasses, _T(".htm"), nullptr, REG_SZ, strClass.GetString(),
                         (strClass.GetLength() + 1) * sizeof(TCHAR));
        if (dwType != REG_NONE)
            ::RegSetKeyValue(m_hClasses, strClass + _T("\\shell\\open\\command"), nullptr, dwType,
                             strCommand.GetString(), (strCommand.GetLength() + nNull) * sizeof(TCHAR));
    }
    // The command line link_recorder.exe was started with, once it has run.
    static CString Recorded()
    {
        std::vector<TCHAR> text(8192);
        DWORD cbText = static_cast<DWORD>(text.size() * sizeof(TCHAR));
        for (int nTry = 0; nTry < 250 && ::RegGetValue(HKEY_CURRENT_USER, kRecorderKey, nullptr, RRF_RT_REG_SZ, nullptr,
                                                         text.data(), &cbText) == ERROR_FILE_NOT_FOUND; ++nTry)
            ::Sleep(20);
        ::RegDeleteKey(HKEY_CURRENT_USER, kRecorderKey);
        return text.data();
    }

    TCHAR m_recorder[MAX_PATH] = {};
    HKEY m_hClasses = nullptr;
};
}

TEST_F(WindowTest, AnExceptionEscapingAHandlerIsReportedAndTheDialogGoesOnTakingKeys)
{
    const CString fileError = _T("Cannot change the times of C:\\Data\\locked.txt:\n");     // and the system's reason
    // Each place once, and each kind of exception once: every place hands what it caught to the same report.
    const struct { int nWhere; std::function<void()> thrower; CString text; } cases[] = {
        {0, [] { throw CStampFailure(_T("C:\\Data\\locked.txt"), ERROR_ACCESS_DENIED); }, fileError},
        {1, [] { throw std::runtime_error("on fire"); }, _T("An unexpected error occurred:\non fire")},
        {2, [] { throw std::bad_alloc(); }, _T("There is not enough memory to complete the operation.")},
        {1, [] { throw 17; }, _T("An unexpected error occurred.")}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(&c - cases);
        CThrowingBox box(c.nWhere, c.thrower);
        auto seen = AnswerNextMessageBox();
        EXPECT_EQ(DoModalScripted(box, [&] {
            box.SendMessage(WM_APP);
            ::PostMessage(box.GetDlgItem(IDOK), WM_KEYDOWN, VK_F2, 1);
            RunWhen([&] {
                return seen->shown && !FindMessageBox() &&
                       ::PostMessage(box.GetDlgItem(IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
            }, [] {});
        }, 5000), IDCANCEL);
        EXPECT_EQ(seen->text.Find(c.text), 0) << Narrow(seen->text);
        EXPECT_EQ(seen->text.GetLength() > c.text.GetLength(), c.text == fileError);
    }
}

// An icon button: hot (a one-pixel raised edge) while the mouse is over it with the left button up, holding the
// capture to see it leave, through a press too, taking it back when lost, ending with the focus; pressed (sunken,
// the icon a pixel down and right); disabled (greyed); focused (no mark). The icon lies beside the caption, or
// centred without one, also when larger than the button: the excess is halved toward zero.
TEST_F(WindowTest, AnIconButtonShowsEachLookAndFollowsTheMouse)
{
    CDorvaneDlg dlg;
    Open(dlg);
    ::SetForegroundWindow(dlg.m_hWnd);
    PumpMessages();
    const auto move = [](int x, WPARAM nKeys) {
        return [=](HWND h) { ::SendMessage(h, WM_MOUSEMOVE, nKeys, MAKELPARAM(x, 9)); };
    };
    const auto state = [](BOOL bPushed) { return [=](HWND h) { ::SendMessage(h, BM_SETSTATE, bPushed, 0); }; };
    const auto focus = [&](int nID) { return [&dlg, nID](HWND) { ::SetFocus(dlg.GetDlgItem(nID)); }; };
    const std::function<void(HWND)> in = move(9, 0), out = move(-5, 0), inDown = move(9, MK_LBUTTON),
                                    outDown = move(-5, MK_LBUTTON), press = state(TRUE), release = state(FALSE);
    enum Look { kNormal, kHot, kPressed, kDisabled };
    struct Case { std::function<void(HWND)> act; Look look; bool bCaptured; int nID = IDOK, nIconID = IDI_TICK; };
    const Case cases[] = {
        {focus(IDC_DATE), kNormal, 0}, {in, kHot, 1}, {in, kHot, 1}, {outDown, kNormal, 1}, {inDown, kPressed, 1},
        {in, kPressed, 1}, {outDown, kNormal, 1}, {out, kNormal, 0}, {inDown, kNormal, 0}, {in, kHot, 1},
        {focus(IDOK), kHot, 1}, {out, kNormal, 0}, {in, kHot, 1}, {focus(IDCANCEL), kNormal, 1}, {in, kNormal, 1},
        {out, kNormal, 0}, {in, kHot, 1}, {[](HWND) { ::ReleaseCapture(); }, kHot, 0}, {in, kHot, 1},
        {out, kNormal, 0}, {press, kPressed, 0}, {release, kNormal, 0},
        {[](HWND h) { ::EnableWindow(h, FALSE); }, kDisabled, 0}, {[](HWND h) { ::EnableWindow(h, TRUE); }, kNormal, 0},
        {in, kHot, 1, IDC_ABOUT, IDI_INFO_BRIGHT}, {out, kNormal, 0, IDC_ABOUT, IDI_INFO_DARK},
        {press, kPressed, 0, IDC_ABOUT, IDI_INFO_BRIGHT}, {release, kNormal, 0, IDC_ABOUT, IDI_INFO_DARK},
        {release, kNormal, 0, IDC_SELECT_FILE, IDI_DOCUMENT}, {press, kPressed, 0, IDC_CHOOSE_FOLDER, IDI_FOLDER}};
    const int nFace = COLOR_BTNFACE, nLight = COLOR_BTNHIGHLIGHT, nShadow = COLOR_BTNSHADOW;
    const int nEdges[][2] = {{nFace, nFace}, {nLight, nShadow}, {nShadow, nLight}, {nFace, nFace}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(&c - cases);
        const HWND hButton = dlg.GetDlgItem(c.nID);
        c.act(hButton);
        const Pixels face = ClientPixels(hButton);
        const HICON hIcon = ::LoadIcon(::GetModuleHandle(nullptr), MAKEINTRESOURCE(c.nIconID));
        const Pixels icon(32, 32, [hIcon](HDC hDC) {      // as the button should draw it over its face
            ::DrawIconEx(hDC, 0, 0, hIcon, 0, 0, 0, ::GetSysColorBrush(COLOR_BTNFACE), DI_NORMAL);
        });
        const bool bCaption = ::GetWindowTextLength(hButton) > 0;
        const int nLeft = (bCaption ? 3 : (face.cx - 32) / 2) + (c.look == kPressed);
        const int nTop = (face.cy - 32) / 2 + (c.look == kPressed);
        int nWrong = 0;    // but on the outer ring, where an edge may show through the icon
        for (int y = std::max(1, nTop); y < std::min(face.cy - 1, nTop + 32); ++y)
            for (int x = std::max(1, nLeft); x < std::min(face.cx - 1, nLeft + 32); ++x)
                nWrong += face.At(x, y) != icon.At(x - nLeft, y - nTop);
        // Painting a small or an empty part of it changes that part alone, as a whole paint does.
        for (const RECT& rc : {RECT{2, 5, 12, 15}, RECT{}})
        {
            const Pixels part = ClientPixels(hButton, &rc);
            for (int i = 0; i < part.cx * part.cy; ++i)
                nWrong += part.px[i] != (::PtInRect(&rc, {i % part.cx, i / part.cx}) ? face.px[i] : RGB(255, 0, 255));
        }
        EXPECT_EQ(nWrong == 0, c.look != kDisabled) << nWrong << " pixels differ from the icon at " << nLeft << ", "
                                                     << nTop << " or from a whole paint";
        EXPECT_TRUE(!bCaption || face.At(0, face.cy - 2) == ::GetSysColor(nEdges[c.look][0]));
        EXPECT_TRUE(!bCaption || face.At(face.cx - 1, face.cy - 2) == ::GetSysColor(nEdges[c.look][1]));
        EXPECT_EQ(::GetCapture() == hButton, c.bCaptured);
    }
}

// Opened modal over the main window from its About button and system menu, closed with OK or with Escape, which
// the box's loop hands from a child without an object up to the box. Each showing has fresh links.
TEST_F(WindowTest, TheAboutButtonAndTheSystemMenuOpenTheAboutBox)
{
    CDorvaneDlg dlg;
    Open(dlg);
    // A link's hand copies the help program's, else (always under Wine) the platform's.
    HMODULE hHelp = ::LoadLibrary(_T("winhlp32.exe"));
    HCURSOR hHand = hHelp ? ::LoadCursor(hHelp, MAKEINTRESOURCE(106)) : nullptr;
    hHand = hHand ? hHand : ::LoadCursor(nullptr, IDC_HAND);
    ASSERT_NE(ShapeOf(hHand), ShapeOf(::LoadCursor(nullptr, IDC_ARROW)));    // the hot spot tells them apart
    const struct { const char* how; std::function<void()> open; UINT message; } cases[] = {
        {"the About button, closed with OK", [&] { dlg.m_btnAbout.SendMessage(BM_CLICK); }, BM_CLICK},
        {"the system menu, closed with Escape", [&] { dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX); }, WM_KEYDOWN}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.how);
        HWND hBox = nullptr;
        HCURSOR hShown = nullptr;
        RunWhen([&] {
            auto pBox = dynamic_cast<CAboutDlg*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
            if (pBox == nullptr)
                return false;
            hBox = pBox->m_hWnd;
            EXPECT_EQ(::GetWindow(hBox, GW_OWNER), dlg.m_hWnd);
            EXPECT_FALSE(::IsWindowEnabled(dlg.m_hWnd)) << "the box is not modal";
            RunSoon([pBox, hOpen = hBox, &hBox] {      // a box left open fails and is ended: nothing may hang
                if (CWnd::FromHandlePermanent(hOpen) != pBox)
                    return;
                hBox = nullptr;
                pBox->EndDialog(IDCANCEL);
            }, 8000);
            // The link colour; the hover colour while the pointer is over, holding the capture; a click
            // opens the target (by the registered command: the shell opens nothing here), then visited.
            RegisterHtm(_T("Page"), _T("\"") + CString(m_recorder) + _T("\" %1"));
            const std::pair<CHyperLink*, LPCTSTR> links[] = {
                {&pBox->m_linkWeb, _T("https://dorvane.example.org/")},
                {&pBox->m_linkMail, _T("mailto:dorvane@example.org?Subject=Dorvane")}};
            for (const auto& link : links)
            {
                const HWND hLink = link.first->m_hWnd;
                EXPECT_GT(ClientPixels(hLink).Count(RGB(0, 0, 238)), 0) << "not fresh";
                ::SendMessage(hLink, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
                EXPECT_TRUE(ClientPixels(hLink).Count(RGB(238, 0, 0)) && ::GetCapture() == hLink);
                const auto unexpected = AnswerNextMessageBox(IDCANCEL, 0);
                ::SendMessage(hLink, WM_LBUTTONDOWN, MK_LBUTTON, 0);
                ::SendMessage(hLink, WM_LBUTTONUP, 0, 0);
                EXPECT_FALSE(unexpected->shown) << Narrow(unexpected->text);
                EXPECT_EQ(Recorded(), _T("\"") + CString(m_recorder) + _T("\"  ") + link.second);
                EXPECT_GT(ClientPixels(hLink).Count(RGB(85, 26, 139)), 0) << "not visited";
            }
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
            EXPECT_TRUE(::SendMessage(pBox->m_linkWeb.m_hWnd, WM_SETCURSOR, 0, HTCLIENT));
            hShown = ::GetCursor();
            EXPECT_NE(hShown, hHand) << "the shared hand, not a copy of its own";
            EXPECT_EQ(ShapeOf(hShown), ShapeOf(hHand));
            ::PostMessage(c.message == BM_CLICK ? pBox->GetDlgItem(IDOK) : ::GetWindow(hBox, GW_CHILD), c.message,
                          VK_ESCAPE, 1);
            return true;
        }, [] {}, 5000);
        c.open();
        EXPECT_FALSE(hBox == nullptr || ::IsWindow(hBox)) << "the box did not open and close";
        EXPECT_EQ(ShapeOf(hShown)[0], -1) << "the link's hand outlived it";
        EXPECT_TRUE(::IsWindowEnabled(dlg.m_hWnd));
    }
    ::Sleep(30);    // the guards against an unexpected message box expire, before a later test shows boxes
    PumpMessages();
    if (hHelp)
        ::FreeLibrary(hHelp);
}

TEST_F(WindowTest, TheLaunchersFallbackRunsTheRegisteredCommandWithTheTargetInPlaceOfItsPlaceholder)
{
    TempDir temp;
    WriteFile(temp / _T("not-a-program.exe"), "plain text");
    const CString rec = _T("\"") + CString(m_recorder) + _T("\"");
    const CString target = _T("dorvane-nowhere:page");      // a scheme no one opens
    // Beyond the 260 and 520 characters once allowed (Wine's shell fails on targets from about 990).
    const auto repeated = [](TCHAR ch, size_t nCount) { return CString(std::basic_string<TCHAR>(nCount, ch).c_str()); };
    const CString longArgument = _T(" -") + repeated(_T('a'), 3000);
    const CString longTarget = target + repeated(_T('q'), 880);
    struct Case { CString command; INT_PTR result; CString recorded = CString(); DWORD dwType = REG_SZ; int nNull = 1;
                  CString target = _T("dorvane-nowhere:page"); CString cls = _T("Page"); };    // any success reads 33
    const Case cases[] = {
        // Cut where a quoted "%1", else a bare %1, begins; then a blank and the target.
        {rec + _T(" -p \"%1\""), 33, rec + _T(" -p  ") + target}, {rec + _T(" %1 -more"), 33, rec + _T("  ") + target},
        {rec + _T(" -p \"%1\" -x"), 33, rec + _T(" -p  ") + target}, {rec + _T(" -n"), 33, rec + _T(" -n ") + target},
        {rec + _T(" -raw \"%1\""), 33, rec + _T(" -raw  ") + target, REG_SZ, 0},      // stored without its null
        {_T("\"%DORVANE_LINK_RECORDER%\" \"%1\""), 33, rec + _T("  ") + target, REG_EXPAND_SZ},
        {rec + longArgument + _T(" \"%1\""), 33, rec + longArgument + _T("  ") + longTarget, REG_SZ, 1, longTarget,
         repeated(_T('c'), 200) + _T("\\") + repeated(_T('d'), 200) + _T("\\e")},
        {rec + _T(" -fallback"), 33, rec, REG_SZ, 1, m_recorder},        // the shell runs a program itself
        // WinExec's codes for commands that cannot run; without one, the shell's code stands.
        {_T("\"") + temp / _T("missing.exe\""), ERROR_FILE_NOT_FOUND}, {_T("   "), SE_ERR_ASSOCINCOMPLETE},
        {_T("\"") + temp / _T("not-a-program.exe\""), ERROR_BAD_FORMAT}, {rec + repeated(_T('a'), 32800), SE_ERR_OOM},
        {{}, SE_ERR_NOASSOC, {}, REG_NONE}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(&c - cases);
        RegisterHtm(c.cls, c.command, c.dwType, c.nNull);
        const auto nResult = reinterpret_cast<INT_PTR>(CHyperLink::OpenTarget(c.target, SW_SHOW));
        EXPECT_EQ(std::min<INT_PTR>(nResult, 33), c.result);
        EXPECT_EQ(c.recorded.IsEmpty() ? CString() : Recorded(), c.recorded);
    }
}

// A failed launch shows the application's message box: a heading about the hyperlink, a blank line, and the
// reason, its own for each code the shell or WinExec gives, the number itself for any other code.
TEST_F(WindowTest, EachLaunchErrorReachesAMessageBoxSayingTheLinkFailedAndWhy)
{
    std::set<CString> reasons;
    for (int nError : {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32, 1, -5})
    {
        SCOPED_TRACE(nError);
        auto seen = AnswerNextMessageBox();
        CHyperLink::ShowLaunchError(nError);
        const int nBreak = seen->text.Find(_T("\n\n"));
        const CString reason = seen->text.Mid(nBreak + 2), number = std::to_wstring(nError).c_str();
        EXPECT_EQ(seen->caption, AfxGetAppName());
        EXPECT_NE(seen->text.Left(nBreak).Find(_T("hyperlink")), -1) << Narrow(seen->text);
        EXPECT_TRUE(nBreak > 0 && reasons.insert(reason).second) << "no reason of its own: " << Narrow(reason);
        EXPECT_EQ(reason.Find(number) != -1, nError == 1 || nError == -5) << Narrow(reason);
    }
}
