// CWnd over plain windows: binding, subclassing and its undoing, dispatch,
// Default, reflection, the pre-translation walk and exceptions at the window
// procedure.
#include "framework/CButton.h"
#include "framework/CComboBox.h"
#include "framework/CFileException.h"
#include "framework/CWnd.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace
{
const UINT kAnswered = WM_APP + 1;      // the object answers it with 42
const UINT kForwarded = WM_APP + 2;     // the object lets Default() handle it
const UINT kNested = WM_APP + 3;        // sends kForwarded to itself, then calls Default()
const UINT kThrow = WM_APP + 4;         // the handler throws m_throw
const UINT kUnknown = WM_APP + 5;       // the object does not handle it

// The original procedure of the test windows: records what reaches it and
// answers every message with 1000 + the message's offset from WM_APP.
std::vector<MSG> g_original;

LRESULT CALLBACK OriginalProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    g_original.push_back(msg);
    if (message >= WM_APP && message < WM_APP + 100)
        return 1000 + (message - WM_APP);
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

const TCHAR kClassName[] = _T("DorvaneWindowLayerTest");

void RegisterTestClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASS wc = {};
    wc.lpfnWndProc = &OriginalProc;
    wc.hInstance = ::GetModuleHandle(nullptr);
    wc.lpszClassName = kClassName;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    registered = ::RegisterClass(&wc) != 0;
}

bool OriginalSaw(HWND hWnd, UINT message)
{
    for (const MSG& msg : g_original)
        if (msg.hwnd == hWnd && msg.message == message)
            return true;
    return false;
}

// A window created without the layer, destroyed with the fixture.
class RawWindow
{
public:
    explicit RawWindow(HWND hParent = nullptr, DWORD dwStyle = WS_OVERLAPPEDWINDOW)
    {
        RegisterTestClass();
        m_hWnd = ::CreateWindowEx(0, kClassName, _T("raw"), dwStyle, 10, 10, 200, 100, hParent,
                                  nullptr, ::GetModuleHandle(nullptr), nullptr);
    }
    ~RawWindow()
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    RawWindow(const RawWindow&) = delete;
    RawWindow& operator=(const RawWindow&) = delete;
    HWND m_hWnd;
};

class CTestWnd : public CWnd
{
public:
    void PreSubclassWindow() override
    {
        ++m_nPreSubclass;
        m_hWndAtPreSubclass = m_hWnd;
        m_procAtPreSubclass = ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        m_seen.push_back(message);
        switch (message)
        {
        case kAnswered:
            *pResult = 42;
            return TRUE;
        case kForwarded:
            m_lastDefault = Default();
            *pResult = m_lastDefault;
            return TRUE;
        case kNested:
            ::SendMessage(m_hWnd, kForwarded, 7, 8);
            *pResult = Default();
            return TRUE;
        case kThrow:
            if (m_throw)
                m_throw();
            *pResult = 1;
            return TRUE;
        case WM_CREATE:
            m_createParam = reinterpret_cast<LPCREATESTRUCT>(lParam)->lpCreateParams;
            ++m_nCreate;
            break;
        default:
            break;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }

    bool Saw(UINT message) const
    {
        for (UINT m : m_seen)
            if (m == message)
                return true;
        return false;
    }

    int m_nPreSubclass = 0;
    HWND m_hWndAtPreSubclass = nullptr;
    LONG_PTR m_procAtPreSubclass = 0;
    std::vector<UINT> m_seen;
    LRESULT m_lastDefault = 0;
    int m_nCreate = 0;
    void* m_createParam = reinterpret_cast<void*>(1);
    std::function<void()> m_throw;
};

LONG_PTR OriginalProcValue()
{
    return reinterpret_cast<LONG_PTR>(&OriginalProc);
}

class CWndTest : public testing::Test
{
protected:
    void SetUp() override { g_original.clear(); }
};
}

TEST_F(CWndTest, SubclassRunsPreSubclassWindowWithTheHandleSetBeforeTheProcedureIsReplaced)
{
    RawWindow raw;
    CTestWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw.m_hWnd));

    EXPECT_EQ(wnd.m_nPreSubclass, 1);
    EXPECT_EQ(wnd.m_hWndAtPreSubclass, raw.m_hWnd);
    EXPECT_EQ(wnd.m_procAtPreSubclass, OriginalProcValue());
    EXPECT_EQ(wnd.m_hWnd, raw.m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw.m_hWnd), &wnd);
    EXPECT_NE(::GetWindowLongPtr(raw.m_hWnd, GWLP_WNDPROC), OriginalProcValue());
}

TEST_F(CWndTest, SubclassRefusesASecondWindowAWindowBoundElsewhereAndNonWindows)
{
    RawWindow raw, other;
    CTestWnd wnd, rival;
    ASSERT_TRUE(wnd.SubclassWindow(raw.m_hWnd));

    EXPECT_FALSE(wnd.SubclassWindow(other.m_hWnd));
    EXPECT_FALSE(rival.SubclassWindow(raw.m_hWnd));
    EXPECT_FALSE(rival.SubclassWindow(nullptr));
    EXPECT_EQ(rival.m_hWnd, nullptr);
    EXPECT_EQ(rival.m_nPreSubclass, 0);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(other.m_hWnd), nullptr);
}

TEST_F(CWndTest, HandledMessagesReturnTheHandlersResultAndNeverReachTheOriginalProcedure)
{
    RawWindow raw;
    CTestWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw.m_hWnd));

    EXPECT_EQ(::SendMessage(raw.m_hWnd, kAnswered, 0, 0), 42);
    EXPECT_TRUE(wnd.Saw(kAnswered));
    EXPECT_FALSE(OriginalSaw(raw.m_hWnd, kAnswered));
}

TEST_F(CWndTest, UnhandledMessagesReachTheOriginalProcedureWithTheirParameters)
{
    RawWindow raw;
    CTestWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw.m_hWnd));

    EXPECT_EQ(::SendMessage(raw.m_hWnd, kUnknown, 11, 12), 1005);
    ASSERT_FALSE(g_original.empty());
    EXPECT_EQ(g_original.back().message, kUnknown);
    EXPECT_EQ(g_original.back().wParam, 11u);
    EXPECT_EQ(g_original.back().lParam, 12);
}

TEST_F(CWndTest, DefaultPassesTheMessageBeingHandledAlsoAfterANestedMessage)
{
    RawWindow raw;
    CTestWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw.m_hWnd));

    EXPECT_EQ(::SendMessage(raw.m_hWnd, kForwarded, 3, 4), 1002);
    ASSERT_FALSE(g_original.empty());
    EXPECT_EQ(g_original.back().wParam, 3u);
    EXPECT_EQ(g_original.back().lParam, 4);

    g_original.clear();
    EXPECT_EQ(::SendMessage(raw.m_hWnd, kNested, 5, 6), 1003);
    ASSERT_EQ(g_original.size(), 2u);
    EXPECT_EQ(g_original[0].message, kForwarded);
    EXPECT_EQ(g_original[0].wParam, 7u);
    EXPECT_EQ(g_original[1].message, kNested);
    EXPECT_EQ(g_original[1].wParam, 5u);
    EXPECT_EQ(g_original[1].lParam, 6);
}

TEST_F(CWndTest, DefaultOutsideAnyMessageDoesNothing)
{
    RawWindow raw;
    CTestWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw.m_hWnd));
    g_original.clear();
    EXPECT_EQ(wnd.Default(), 0);
    EXPECT_TRUE(g_original.empty());
}

TEST_F(CWndTest, UnsubclassGivesTheOriginalProcedureBackAndLeavesTheWindow)
{
    RawWindow raw;
    CTestWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw.m_hWnd));

    EXPECT_EQ(wnd.UnsubclassWindow(), raw.m_hWnd);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw.m_hWnd), nullptr);
    EXPECT_EQ(::GetWindowLongPtr(raw.m_hWnd, GWLP_WNDPROC), OriginalProcValue());
    EXPECT_TRUE(::IsWindow(raw.m_hWnd));
    EXPECT_EQ(::SendMessage(raw.m_hWnd, kAnswered, 0, 0), 1001);

    // The object can take a window over again.
    EXPECT_TRUE(wnd.SubclassWindow(raw.m_hWnd));
    EXPECT_EQ(::SendMessage(raw.m_hWnd, kAnswered, 0, 0), 42);
}

TEST_F(CWndTest, DestroyingTheWindowUnbindsTheObjectAfterTheOriginalProcedureSawNcDestroy)
{
    RawWindow raw;
    CTestWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw.m_hWnd));
    HWND hWnd = raw.m_hWnd;

    ASSERT_TRUE(::DestroyWindow(hWnd));
    EXPECT_TRUE(wnd.Saw(WM_NCDESTROY));
    EXPECT_TRUE(OriginalSaw(hWnd, WM_NCDESTROY));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(CWndTest, TheDestructorUnbindsButNeverDestroysAWindowItTookOver)
{
    RawWindow raw;
    {
        CTestWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(raw.m_hWnd));
    }
    EXPECT_TRUE(::IsWindow(raw.m_hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(raw.m_hWnd), nullptr);
    EXPECT_EQ(::GetWindowLongPtr(raw.m_hWnd, GWLP_WNDPROC), OriginalProcValue());
    EXPECT_EQ(::SendMessage(raw.m_hWnd, kAnswered, 0, 0), 1001);
}

namespace
{
WNDPROC g_beneathForeign = nullptr;
int g_foreignCalls = 0;

LRESULT CALLBACK ForeignSubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++g_foreignCalls;
    return ::CallWindowProc(g_beneathForeign, hWnd, message, wParam, lParam);
}
}

TEST_F(CWndTest, AnObjectGoingBeneathAnotherSubclassLeavesAWorkingChain)
{
    RawWindow raw;
    auto wnd = std::make_unique<CTestWnd>();
    ASSERT_TRUE(wnd->SubclassWindow(raw.m_hWnd));
    g_beneathForeign = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(raw.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignSubclassProc)));
    g_foreignCalls = 0;

    wnd.reset();

    // The other subclass still sits on top; the layer's procedure beneath it
    // forwards to the original one instead of calling the departed object.
    EXPECT_EQ(::SendMessage(raw.m_hWnd, kAnswered, 0, 0), 1001);
    EXPECT_EQ(g_foreignCalls, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw.m_hWnd), nullptr);

    // A new object takes the old place beneath the other subclass.
    CTestWnd again;
    ASSERT_TRUE(again.SubclassWindow(raw.m_hWnd));
    EXPECT_EQ(::SendMessage(raw.m_hWnd, kAnswered, 0, 0), 42);
    EXPECT_EQ(::SendMessage(raw.m_hWnd, kUnknown, 0, 0), 1005);
    EXPECT_EQ(g_foreignCalls, 3);
    EXPECT_EQ(::GetWindowLongPtr(raw.m_hWnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ForeignSubclassProc));
    ASSERT_TRUE(::DestroyWindow(raw.m_hWnd));
    EXPECT_TRUE(again.Saw(WM_NCDESTROY));
    EXPECT_TRUE(OriginalSaw(raw.m_hWnd, WM_NCDESTROY));
    EXPECT_EQ(again.m_hWnd, nullptr);
}

TEST_F(CWndTest, CreateExBindsBeforeWmCreateAndTheDestructorDestroysTheWindow)
{
    RegisterTestClass();
    HWND hWnd = nullptr;
    {
        CTestWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, kClassName, _T("created"), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                 nullptr));
        hWnd = wnd.m_hWnd;
        EXPECT_TRUE(wnd.Saw(WM_NCCREATE));
        EXPECT_EQ(wnd.m_nCreate, 1);
        EXPECT_EQ(wnd.m_createParam, nullptr);
        EXPECT_EQ(wnd.m_nPreSubclass, 0) << "nothing existed to take over";
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
        CString text;
        wnd.GetWindowText(text);
        EXPECT_EQ(text, CString(_T("created")));
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(CWndTest, CreateOfASystemControlBindsOnlyThatControlNotTheChildrenItMakes)
{
    RawWindow parent;
    CWnd parentWnd;
    ASSERT_TRUE(parentWnd.SubclassWindow(parent.m_hWnd));
    CTestWnd combo;
    ASSERT_TRUE(combo.Create(WC_COMBOBOX, nullptr, WS_VISIBLE | CBS_DROPDOWN, CRect(0, 0, 150, 100), &parentWnd,
                             77));
    EXPECT_EQ(combo.m_nCreate, 1);
    EXPECT_EQ(combo.GetDlgCtrlID(), 77);
    EXPECT_EQ(combo.GetParent(), parent.m_hWnd);
    HWND hEdit = ::FindWindowEx(combo.m_hWnd, nullptr, _T("Edit"), nullptr);
    ASSERT_NE(hEdit, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), nullptr);
}

TEST_F(CWndTest, CreateExFailureLeavesTheObjectUnbound)
{
    CTestWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, _T("NoSuchWindowClassHere"), nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

namespace
{
class CReflectingParent : public CWnd
{
public:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        m_seen.push_back(message);
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    bool Saw(UINT message) const
    {
        for (UINT m : m_seen)
            if (m == message)
                return true;
        return false;
    }
    std::vector<UINT> m_seen;
};

class CReflectedChild : public CWnd
{
public:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        m_offered.push_back(message);
        if (m_bTake)
        {
            *pResult = 99;
            return TRUE;
        }
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    BOOL m_bTake = TRUE;
    std::vector<UINT> m_offered;
};
}

TEST_F(CWndTest, EveryControlNotificationIsOfferedToTheChildFirst)
{
    RawWindow parentRaw;
    RawWindow childRaw(parentRaw.m_hWnd, WS_CHILD | WS_VISIBLE);
    ::SetWindowLongPtr(childRaw.m_hWnd, GWLP_ID, 55);
    CReflectingParent parent;
    CReflectedChild child;
    ASSERT_TRUE(parent.SubclassWindow(parentRaw.m_hWnd));
    ASSERT_TRUE(child.SubclassWindow(childRaw.m_hWnd));
    HWND hParent = parentRaw.m_hWnd, hChild = childRaw.m_hWnd;
    auto lChild = reinterpret_cast<LPARAM>(hChild);

    NMHDR nm = {hChild, 55, NM_CLICK};
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 55;
    dis.hwndItem = hChild;
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_COMBOBOX;
    mis.CtlID = 55;
    COMPAREITEMSTRUCT cis = {};
    cis.CtlType = ODT_COMBOBOX;
    cis.hwndItem = hChild;
    DELETEITEMSTRUCT delis = {};
    delis.CtlType = ODT_COMBOBOX;
    delis.hwndItem = hChild;

    struct Case
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Case cases[] = {
        {WM_COMMAND, MAKEWPARAM(55, BN_CLICKED), lChild},
        {WM_NOTIFY, 55, reinterpret_cast<LPARAM>(&nm)},
        {WM_DRAWITEM, 55, reinterpret_cast<LPARAM>(&dis)},
        {WM_MEASUREITEM, 55, reinterpret_cast<LPARAM>(&mis)},
        {WM_COMPAREITEM, 55, reinterpret_cast<LPARAM>(&cis)},
        {WM_DELETEITEM, 55, reinterpret_cast<LPARAM>(&delis)},
        {WM_CTLCOLORSTATIC, 0, lChild},
        {WM_CTLCOLORBTN, 0, lChild},
        {WM_CTLCOLOREDIT, 0, lChild},
        {WM_CTLCOLORLISTBOX, 0, lChild},
        {WM_CTLCOLORSCROLLBAR, 0, lChild},
        {WM_HSCROLL, SB_LINEDOWN, lChild},
        {WM_VSCROLL, SB_LINEDOWN, lChild},
        {WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 55), lChild},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.message);
        child.m_bTake = TRUE;
        child.m_offered.clear();
        parent.m_seen.clear();
        EXPECT_EQ(::SendMessage(hParent, c.message, c.wParam, c.lParam), 99);
        EXPECT_EQ(child.m_offered, std::vector<UINT>{c.message});
        EXPECT_FALSE(parent.Saw(c.message)) << "the parent saw a notification its child took";

        child.m_bTake = FALSE;
        child.m_offered.clear();
        ::SendMessage(hParent, c.message, c.wParam, c.lParam);
        EXPECT_EQ(child.m_offered, std::vector<UINT>{c.message});
        EXPECT_TRUE(parent.Saw(c.message)) << "the parent missed a notification its child declined";
    }
}

TEST_F(CWndTest, MessagesThatAreNoChildsNotificationAreNotReflected)
{
    RawWindow parentRaw;
    RawWindow childRaw(parentRaw.m_hWnd, WS_CHILD | WS_VISIBLE);
    CReflectingParent parent;
    CReflectedChild child;
    ASSERT_TRUE(parent.SubclassWindow(parentRaw.m_hWnd));
    ASSERT_TRUE(child.SubclassWindow(childRaw.m_hWnd));
    HWND hParent = parentRaw.m_hWnd;

    ::SendMessage(hParent, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);                 // a menu command
    ::SendMessage(hParent, WM_HSCROLL, SB_LINEDOWN, 0);                          // the window's own bar
    ::SendMessage(hParent, WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0), MAKELPARAM(5, 5));
    DRAWITEMSTRUCT menu = {};
    menu.CtlType = ODT_MENU;
    menu.hwndItem = childRaw.m_hWnd;
    ::SendMessage(hParent, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&menu));
    EXPECT_TRUE(child.m_offered.empty());
    EXPECT_TRUE(parent.Saw(WM_COMMAND));
    EXPECT_TRUE(parent.Saw(WM_HSCROLL));
    EXPECT_TRUE(parent.Saw(WM_DRAWITEM));
}

TEST_F(CWndTest, ADrawItemOfAnOwnerDrawnButtonReachesItsDrawItem)
{
    class CDrawnButton : public CButton
    {
    public:
        void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
        {
            ++m_nDrawn;
            m_nItemID = lpDIS->CtlID;
        }
        int m_nDrawn = 0;
        UINT m_nItemID = 0;
    };
    RawWindow parentRaw(nullptr, WS_POPUP | WS_VISIBLE);
    CReflectingParent parent;
    ASSERT_TRUE(parent.SubclassWindow(parentRaw.m_hWnd));
    CDrawnButton button;
    ASSERT_TRUE(button.Create(_T("Drawn"), WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 80, 30), &parent, 66));

    button.RedrawWindow();
    EXPECT_GE(button.m_nDrawn, 1);
    EXPECT_EQ(button.m_nItemID, 66u);
    EXPECT_FALSE(parent.Saw(WM_DRAWITEM));
}

TEST_F(CWndTest, PreTranslationWalksFromTheTargetUpToTheStopWindow)
{
    class CPreTranslating : public CWnd
    {
    public:
        BOOL PreTranslateMessage(MSG* pMsg) override
        {
            m_pLog->push_back(this);
            return pMsg->message == m_nConsume;
        }
        std::vector<CWnd*>* m_pLog = nullptr;
        UINT m_nConsume = 0;
    };
    RawWindow top;
    RawWindow middle(top.m_hWnd, WS_CHILD);
    RawWindow bottom(middle.m_hWnd, WS_CHILD);       // has no object
    RawWindow owned(top.m_hWnd, WS_POPUP);           // a top-level window owned by top
    std::vector<CWnd*> log;
    CPreTranslating topWnd, middleWnd, ownedWnd;
    for (CPreTranslating* p : {&topWnd, &middleWnd, &ownedWnd})
        p->m_pLog = &log;
    ASSERT_TRUE(topWnd.SubclassWindow(top.m_hWnd));
    ASSERT_TRUE(middleWnd.SubclassWindow(middle.m_hWnd));
    ASSERT_TRUE(ownedWnd.SubclassWindow(owned.m_hWnd));

    MSG msg = {};
    msg.hwnd = bottom.m_hWnd;
    msg.message = WM_KEYDOWN;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
    EXPECT_EQ(log, (std::vector<CWnd*>{&middleWnd, &topWnd}));

    log.clear();
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(middle.m_hWnd, &msg));
    EXPECT_EQ(log, std::vector<CWnd*>{&middleWnd}) << "the walk went past its stop window";

    log.clear();
    middleWnd.m_nConsume = WM_KEYDOWN;
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
    EXPECT_EQ(log, std::vector<CWnd*>{&middleWnd}) << "the walk went on after a window consumed the message";

    log.clear();
    msg.hwnd = owned.m_hWnd;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(nullptr, &msg));
    EXPECT_EQ(log, std::vector<CWnd*>{&ownedWnd}) << "the walk left the top-level window";

    log.clear();
    msg.hwnd = nullptr;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
    EXPECT_TRUE(log.empty());
}

namespace
{
// Sends kThrow to a window whose handler throws, answering the message box
// that reports it; returns what the box showed.
testsupport::MessageBoxSeen ThrowInsideHandler(CTestWnd& wnd, std::function<void()> thrower)
{
    wnd.m_throw = std::move(thrower);
    auto box = testsupport::AnswerNextMessageBox(IDOK);
    LRESULT result = ::SendMessage(wnd.m_hWnd, kThrow, 0, 0);
    EXPECT_EQ(result, 0) << "a message whose handler threw answers 0";
    EXPECT_TRUE(box->shown) << "no message box reported the exception";
    return *box;
}
}

TEST_F(CWndTest, AnExceptionEscapingAHandlerIsReportedAndTheWindowGoesOn)
{
    RawWindow raw(nullptr, WS_POPUP | WS_VISIBLE);
    CTestWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw.m_hWnd));
    ::SetActiveWindow(raw.m_hWnd);

    CFileException fileError(_T("C:\\Data\\locked.txt"), ERROR_ACCESS_DENIED);
    auto seen = ThrowInsideHandler(wnd, [&] { throw fileError; });
    EXPECT_EQ(seen.text, fileError.GetErrorMessage());
    const CString prefix = _T("Cannot change the times of C:\\Data\\locked.txt:\n");
    EXPECT_EQ(seen.text.Find(prefix), 0);
    EXPECT_GT(seen.text.GetLength(), prefix.GetLength()) << "the system's text of the error is missing";
    EXPECT_EQ(seen.hOwner, raw.m_hWnd) << "the box is owned by the active window";

    seen = ThrowInsideHandler(wnd, [] { throw std::runtime_error("the disk is on fire"); });
    EXPECT_EQ(seen.text, CString(_T("An unexpected error occurred:\nthe disk is on fire")));

    seen = ThrowInsideHandler(wnd, [] { throw 17; });
    EXPECT_EQ(seen.text, CString(_T("An unexpected error occurred.")));

    EXPECT_EQ(::SendMessage(raw.m_hWnd, kAnswered, 0, 0), 42) << "the window stopped working";
    EXPECT_EQ(wnd.m_hWnd, raw.m_hWnd);
}

TEST_F(CWndTest, ThinWrappersSpeakToTheirWindow)
{
    RawWindow parentRaw(nullptr, WS_OVERLAPPEDWINDOW);
    RawWindow childRaw(parentRaw.m_hWnd, WS_CHILD | WS_VISIBLE);
    CWnd parent, child;
    ASSERT_TRUE(parent.SubclassWindow(parentRaw.m_hWnd));
    ASSERT_TRUE(child.SubclassWindow(childRaw.m_hWnd));

    EXPECT_EQ(child.GetParent(), parent.m_hWnd);
    EXPECT_EQ(child.GetOwner(), parent.m_hWnd) << "a child without an owner names its parent";
    RawWindow popup(parent.m_hWnd, WS_POPUP);
    CWnd popupWnd;
    ASSERT_TRUE(popupWnd.SubclassWindow(popup.m_hWnd));
    EXPECT_EQ(popupWnd.GetOwner(), parent.m_hWnd);

    child.MoveWindow(5, 6, 70, 40);
    CRect client;
    child.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 70, 40));
    CRect window;
    child.GetWindowRect(&window);
    CRect mapped = window;
    parent.ScreenToClient(&mapped);
    EXPECT_EQ(mapped, CRect(5, 6, 75, 46));
    parent.ClientToScreen(&mapped);
    EXPECT_EQ(mapped, window);
    child.MoveWindow(CRect(1, 2, 31, 42));
    child.GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(30, 40));

    CString longText(_T('x'), 5000);
    parent.SetWindowText(longText);
    CString text;
    parent.GetWindowText(text);
    EXPECT_EQ(text, longText);
    EXPECT_EQ(parent.GetWindowTextLength(), 5000);

    EXPECT_TRUE(parent.ModifyStyle(0, WS_DISABLED));
    EXPECT_FALSE(parent.IsWindowEnabled());
    EXPECT_FALSE(parent.ModifyStyle(0, WS_DISABLED)) << "nothing changed";
    EXPECT_TRUE(parent.ModifyStyle(WS_DISABLED, 0));
    EXPECT_TRUE(parent.IsWindowEnabled());
    EXPECT_TRUE(parent.ModifyStyleEx(0, WS_EX_ACCEPTFILES));
    EXPECT_NE(parent.GetExStyle() & WS_EX_ACCEPTFILES, 0u);
    parent.DragAcceptFiles(FALSE);
    EXPECT_EQ(parent.GetExStyle() & WS_EX_ACCEPTFILES, 0u);

    child.EnableWindow(FALSE);
    EXPECT_FALSE(child.IsWindowEnabled());
    child.EnableWindow(TRUE);
    parent.ShowWindow(SW_SHOW);
    EXPECT_TRUE(child.IsWindowVisible());
    EXPECT_NE(parent.GetSystemMenu(FALSE), nullptr);

    HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    child.SetFont(hFont, FALSE);
    EXPECT_EQ(child.GetFont(), nullptr) << "the test window class keeps no font";

    HICON hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    parent.SetIcon(hIcon, TRUE);
    EXPECT_EQ(reinterpret_cast<HICON>(parent.SendMessage(WM_GETICON, ICON_BIG)), hIcon);

    child.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), child.m_hWnd);
    CWnd::ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(child.GetSafeHwnd(), childRaw.m_hWnd);
    EXPECT_TRUE(child.PostMessage(kAnswered));
    testsupport::PumpMessages();
}
