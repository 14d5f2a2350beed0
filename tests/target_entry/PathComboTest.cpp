// The target combo in a real dialog under its real messages: the add rules
// of the history, AddToHistory, the drop-down width, the auto-completion
// driven by key presses through the modal loop, the OLE pairing and the
// drop target of a combo that creates its own window.
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/target_entry/ComboTestDialog.h"
#include "tests/target_entry/ComboTestResource.h"
#include "tests/support/ShortcutFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

using testsupport::DoModalScripted;
using testsupport::RunSoon;

namespace
{
using Entries = std::vector<CString>;

// The drop-down width the rules ask for, measured here with the control's
// own font: the widest entry plus a vertical scroll bar.
int MeasureDroppedWidth(HWND hCombo, const Entries& entries)
{
    HDC hdc = ::GetDC(hCombo);
    HGDIOBJ hOldFont = ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(::SendMessage(hCombo, WM_GETFONT, 0, 0)));
    int nWidest = 0;
    for (const CString& entry : entries)
    {
        SIZE size = {};
        ::GetTextExtentPoint32(hdc, entry, entry.GetLength(), &size);
        nWidest = std::max(nWidest, static_cast<int>(size.cx) + ::GetSystemMetrics(SM_CXVSCROLL));
    }
    ::SelectObject(hdc, hOldFont);
    ::ReleaseDC(hCombo, hdc);
    return nWidest;
}

int WindowWidth(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc.right - rc.left;
}

// Whether the platform's combo box takes a drop-down width narrower than the
// one it had, as Windows does. Wine 8 compares the new width with the list's
// current width instead of the control's, and falls back to the control's
// width, so a list made narrower once is as wide as the control.
bool PlatformNarrowsDroppedWidth(HWND hParent)
{
    HWND hCombo = ::CreateWindowEx(0, WC_COMBOBOX, nullptr, WS_CHILD | CBS_DROPDOWN, 0, 0, 100, 100, hParent,
                                   nullptr, ::GetModuleHandle(nullptr), nullptr);
    const int nWidth = WindowWidth(hCombo);
    ::SendMessage(hCombo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(nWidth + 200), 0);
    ::SendMessage(hCombo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(nWidth + 100), 0);
    const bool bNarrowed = ::SendMessage(hCombo, CB_GETDROPPEDWIDTH, 0, 0) == nWidth + 100;
    ::DestroyWindow(hCombo);
    return bNarrowed;
}

void AddEntries(CPathCombo& combo, const Entries& entries)
{
    for (const CString& entry : entries)
        ASSERT_GE(combo.AddString(entry), 0) << testsupport::Narrow(entry);
}

Entries NumberedPaths(int nFirst, int nCount)
{
    Entries paths;
    for (int i = nFirst; i < nFirst + nCount; ++i)
    {
        CString path;
        path.Format(_T("C:\\Stamp%03d.txt"), i);
        paths.push_back(path);
    }
    return paths;
}

class PathComboHistory : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_COMBO_TEST));
        testsupport::PumpMessages();
    }

    CComboTestDialog m_dlg;
    CPathCombo& m_combo = m_dlg.m_combo;
};
}

TEST_F(PathComboHistory, StartsWithTheTabledValuesAndAnEmptyList)
{
    EXPECT_EQ(m_combo.m_nMaxHistory, 10);
    EXPECT_TRUE(m_combo.m_bUniqueHistory);
    EXPECT_TRUE(m_combo.m_bAutoComplete);
    EXPECT_TRUE(m_combo.m_bAcceptFiles);
    EXPECT_TRUE(m_combo.m_bAcceptFolders);
    EXPECT_TRUE(m_combo.m_bOleInitialized);
    EXPECT_EQ(m_combo.GetCount(), 0);
}

TEST_F(PathComboHistory, ARefusedAddReturnsTheExistingPositionAndLeavesListAndWidthAlone)
{
    AddEntries(m_combo, {_T("D:\\Other"), _T("C:\\Data\\a.txt")});
    const Entries before = m_dlg.GetEntries();
    // A width no measurement gives, so that any recomputation shows.
    m_combo.SetDroppedWidth(777);

    EXPECT_EQ(m_combo.AddString(_T("c:\\data")), 1) << "an existing entry begins with it, ignoring case";
    EXPECT_EQ(m_combo.AddString(_T("C:\\Data\\a.txt")), 1);
    EXPECT_EQ(m_combo.AddString(_T("d:\\OTHER")), 0);
    EXPECT_EQ(m_combo.InsertString(0, _T("C:\\DATA\\A")), 1);
    EXPECT_EQ(::SendMessage(m_combo.m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(_T("D"))), 0)
        << "the rules hold for any sender of the message";
    EXPECT_EQ(m_dlg.GetEntries(), before);
    EXPECT_EQ(m_combo.GetDroppedWidth(), 777);

    EXPECT_EQ(m_combo.AddString(_T("C:\\Data\\a.txt\\b")), 2) << "no entry begins with this one";
    EXPECT_NE(m_combo.GetDroppedWidth(), 777) << "an accepted add measures the entries again";
}

TEST_F(PathComboHistory, AnEntryMayBeginWithAnExistingOne)
{
    AddEntries(m_combo, {_T("C:\\Data")});
    EXPECT_EQ(m_combo.AddString(_T("C:\\Data\\a.txt")), 1);
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("C:\\Data"), _T("C:\\Data\\a.txt")}));
}

TEST_F(PathComboHistory, InsertStringPutsAnAcceptedEntryAtItsPosition)
{
    AddEntries(m_combo, {_T("C:\\Beta"), _T("C:\\Gamma")});
    EXPECT_EQ(m_combo.InsertString(1, _T("C:\\Alpha")), 1);
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("C:\\Beta"), _T("C:\\Alpha"), _T("C:\\Gamma")}));
}

TEST_F(PathComboHistory, AFullListLosesItsBottomEntryToEachAddOrInsert)
{
    m_combo.m_nMaxHistory = 3;
    AddEntries(m_combo, {_T("C:\\One"), _T("C:\\Two"), _T("C:\\Three")});

    EXPECT_EQ(m_combo.AddString(_T("C:\\Four")), 2);
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("C:\\One"), _T("C:\\Two"), _T("C:\\Four")}));

    EXPECT_EQ(m_combo.InsertString(0, _T("C:\\Five")), 0);
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("C:\\Five"), _T("C:\\One"), _T("C:\\Two")}));

    EXPECT_EQ(m_combo.AddString(_T("c:\\one")), 1) << "a refused add deletes nothing";
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("C:\\Five"), _T("C:\\One"), _T("C:\\Two")}));
}

TEST_F(PathComboHistory, TheDefaultLimitKeepsTenEntries)
{
    AddEntries(m_combo, NumberedPaths(0, 11));
    Entries expected = NumberedPaths(0, 9);
    expected.push_back(NumberedPaths(10, 1)[0]);
    EXPECT_EQ(m_dlg.GetEntries(), expected) << "the eleventh replaced the tenth";
}

TEST_F(PathComboHistory, ALimitBelowOneLiftsIt)
{
    m_combo.m_nMaxHistory = 0;
    AddEntries(m_combo, NumberedPaths(0, 25));
    EXPECT_EQ(m_combo.GetCount(), 25);
    m_combo.m_nMaxHistory = -3;
    AddEntries(m_combo, NumberedPaths(25, 1));
    EXPECT_EQ(m_dlg.GetEntries(), NumberedPaths(0, 26));
}

TEST_F(PathComboHistory, WithoutUniqueHistoryEveryTextIsAdded)
{
    m_combo.m_bUniqueHistory = FALSE;
    EXPECT_EQ(m_combo.AddString(_T("C:\\Data\\a.txt")), 0);
    EXPECT_EQ(m_combo.AddString(_T("c:\\data")), 1);
    EXPECT_EQ(m_combo.AddString(_T("C:\\Data\\a.txt")), 2);
}

TEST_F(PathComboHistory, AddToHistoryPutsThePathOnTopAndKeepsTheOthersInOrder)
{
    AddEntries(m_combo, {_T("C:\\Alpha"), _T("C:\\Beta"), _T("C:\\Gamma")});
    m_combo.SetWindowText(_T("C:\\Gamma"));

    m_combo.AddToHistory(_T("C:\\Gamma"));
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("C:\\Gamma"), _T("C:\\Alpha"), _T("C:\\Beta")}));
    EXPECT_EQ(m_dlg.GetEditText(), _T("")) << "the rebuild empties the edit field; the caller sets it again";

    m_combo.AddToHistory(_T("D:\\New"));
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("D:\\New"), _T("C:\\Gamma"), _T("C:\\Alpha"), _T("C:\\Beta")}));
}

TEST_F(PathComboHistory, AddToHistoryLeavesOnlyTheNewTextOfAPathThatDiffersInLetterCase)
{
    AddEntries(m_combo, {_T("C:\\Other"), _T("C:\\Data\\File.txt")});
    m_combo.AddToHistory(_T("c:\\data\\file.txt"));
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("c:\\data\\file.txt"), _T("C:\\Other")}));
}

TEST_F(PathComboHistory, AddToHistoryDropsAnOlderEntryTheNewPathBeginsWith)
{
    AddEntries(m_combo, {_T("C:\\Other"), _T("C:\\Data")});
    m_combo.AddToHistory(_T("C:\\Data\\a.txt"));
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("C:\\Data\\a.txt"), _T("C:\\Other")}));
}

TEST_F(PathComboHistory, AddToHistoryKeepsAnOlderEntryThatBeginsWithTheNewPath)
{
    AddEntries(m_combo, {_T("C:\\Data\\a.txt")});
    m_combo.AddToHistory(_T("C:\\Data"));
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("C:\\Data"), _T("C:\\Data\\a.txt")}));
}

TEST_F(PathComboHistory, AddToHistoryOnAFullListKeepsTheNineOnTopAndAnAppendReplacesTheBottom)
{
    const Entries ten = NumberedPaths(0, 10);
    AddEntries(m_combo, ten);

    m_combo.AddToHistory(_T("D:\\New"));
    Entries expected{_T("D:\\New")};
    expected.insert(expected.end(), ten.begin(), ten.begin() + 9);
    EXPECT_EQ(m_dlg.GetEntries(), expected);

    EXPECT_EQ(m_combo.AddString(_T("E:\\Picked")), 9);
    expected.back() = _T("E:\\Picked");
    EXPECT_EQ(m_dlg.GetEntries(), expected);
}

TEST_F(PathComboHistory, AddToHistoryWithTheLimitLiftedKeepsEveryEntry)
{
    m_combo.m_nMaxHistory = 0;
    const Entries twelve = NumberedPaths(0, 12);
    AddEntries(m_combo, twelve);
    m_combo.AddToHistory(_T("D:\\New"));
    Entries expected{_T("D:\\New")};
    expected.insert(expected.end(), twelve.begin(), twelve.end());
    EXPECT_EQ(m_dlg.GetEntries(), expected);
}

TEST_F(PathComboHistory, AddToHistoryWithoutUniqueHistoryKeepsEqualEntries)
{
    m_combo.m_bUniqueHistory = FALSE;
    AddEntries(m_combo, {_T("C:\\Alpha"), _T("C:\\Beta")});
    m_combo.AddToHistory(_T("C:\\Beta"));
    EXPECT_EQ(m_dlg.GetEntries(), (Entries{_T("C:\\Beta"), _T("C:\\Alpha"), _T("C:\\Beta")}));
}

TEST_F(PathComboHistory, TheDropDownListIsAsWideAsTheWidestEntryPlusAScrollBar)
{
    const Entries entries{_T("C:\\a"),
                          _T("C:\\A folder with a rather long name\\and a file with an even longer name.txt"),
                          _T("C:\\Medium sized\\name.txt")};
    AddEntries(m_combo, entries);
    const int nExpected = MeasureDroppedWidth(m_combo.m_hWnd, entries);
    ASSERT_GT(nExpected, WindowWidth(m_combo.m_hWnd)) << "the entries must be wider than the control";
    EXPECT_EQ(m_combo.GetDroppedWidth(), nExpected);
}

TEST_F(PathComboHistory, TheWidthIsMeasuredAgainOnlyWhenAnEntryIsAdded)
{
    const CString longEntry = _T("C:\\A folder with a rather long name\\and a file with an even longer name.txt");
    const CString mediumEntry = _T("C:\\A folder of medium length\\with a file of medium length.txt");
    AddEntries(m_combo, {mediumEntry, longEntry});
    const int nLongWidth = m_combo.GetDroppedWidth();

    m_combo.DeleteString(1);
    EXPECT_EQ(m_combo.GetDroppedWidth(), nLongWidth) << "deleting leaves the width as it was";
    m_combo.ResetContent();
    EXPECT_EQ(m_combo.GetDroppedWidth(), nLongWidth) << "clearing leaves the width as it was";

    AddEntries(m_combo, {mediumEntry});
    const int nMediumWidth = MeasureDroppedWidth(m_combo.m_hWnd, {mediumEntry});
    ASSERT_GT(nMediumWidth, WindowWidth(m_combo.m_hWnd));
    if (PlatformNarrowsDroppedWidth(m_dlg.m_hWnd))
        EXPECT_EQ(m_combo.GetDroppedWidth(), nMediumWidth) << "the add measured the one entry left";
    else
        std::printf("narrower width not checked: this platform's combo box keeps no width narrower "
                    "than the one it had\n");
    AddEntries(m_combo, {longEntry});
    EXPECT_EQ(m_combo.GetDroppedWidth(), MeasureDroppedWidth(m_combo.m_hWnd, {mediumEntry, longEntry}))
        << "the add measured every entry again";
}

TEST_F(PathComboHistory, AnEmptyListOpensAsWideAsTheControl)
{
    EXPECT_EQ(m_combo.GetDroppedWidth(), WindowWidth(m_combo.m_hWnd));
    // Narrow entries ask for less than the control; the platform widens it.
    AddEntries(m_combo, {_T("a")});
    EXPECT_EQ(m_combo.GetDroppedWidth(), WindowWidth(m_combo.m_hWnd));
}

namespace
{
// Posts one key press to hWnd as the keyboard would: down, then up. The
// modal loop offers both to PreTranslateMessage and translates the key-down
// into the character the edit field receives.
void PostKey(HWND hWnd, UINT vk)
{
    const LPARAM lScan = static_cast<LPARAM>(::MapVirtualKey(vk, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessage(hWnd, WM_KEYDOWN, vk, lScan | 1);
    ::PostMessage(hWnd, WM_KEYUP, vk, lScan | static_cast<LPARAM>(0xC0000001u));
}

// Runs the steps one after another from the running message loop; each
// starts when every message the step before it caused has been handled.
void RunSteps(std::vector<std::function<void()>> steps, size_t nNext = 0)
{
    if (nNext == steps.size())
        return;
    RunSoon([steps = std::move(steps), nNext]() mutable {
        steps[nNext]();
        RunSteps(std::move(steps), nNext + 1);
    });
}

using Selection = std::pair<int, int>;

// The history of the auto-completion cases, with the focus in the edit
// field, which then shows text with the selection (nStart, nEnd).
void PrepareTyping(CComboTestDialog& dlg, LPCTSTR pszText, int nStart, int nEnd)
{
    AddEntries(dlg.m_combo, {_T("Notes"), _T("Reports\\Old"), _T("Reports\\New")});
    ::SetFocus(dlg.GetEdit());
    dlg.m_combo.SetWindowText(pszText);
    dlg.m_combo.SetEditSel(nStart, nEnd);
}

// Runs the steps while the test dialog is modal; the last step ends it.
void RunTyping(CComboTestDialog& dlg, std::vector<std::function<void()>> steps)
{
    steps.push_back([&dlg] { dlg.EndDialog(IDOK); });
    EXPECT_EQ(DoModalScripted(dlg, [&] { RunSteps(std::move(steps)); }), IDOK);
}
}

TEST(PathComboAutoComplete, TypingAtTheEndCompletesToTheFirstMatchAndSelectsTheAddedTail)
{
    CComboTestDialog dlg;
    RunTyping(dlg, {
        [&] {
            PrepareTyping(dlg, _T(""), 0, 0);
            PostKey(dlg.GetEdit(), 'R');
        },
        [&] {
            EXPECT_EQ(dlg.GetEditText(), _T("Reports\\Old")) << "the typed part takes the entry's letter case";
            EXPECT_EQ(dlg.GetEditSel(), Selection(1, 11));
            PostKey(dlg.GetEdit(), 'E');
        },
        [&] {
            EXPECT_EQ(dlg.GetEditText(), _T("Reports\\Old")) << "the character replaced the selected tail";
            EXPECT_EQ(dlg.GetEditSel(), Selection(2, 11));
            PostKey(dlg.GetEdit(), 'N');
        },
        [&] {
            EXPECT_EQ(dlg.GetEditText(), _T("Ren"));
            EXPECT_EQ(dlg.GetEditSel(), Selection(3, 3)) << "a miss leaves the caret at the end";
        },
    });
}

TEST(PathComboAutoComplete, TypingInTheMiddleCompletesButKeepsTheCaret)
{
    CComboTestDialog dlg;
    RunTyping(dlg, {
        [&] {
            PrepareTyping(dlg, _T("Rport"), 1, 1);
            PostKey(dlg.GetEdit(), 'E');
        },
        [&] {
            EXPECT_EQ(dlg.GetEditText(), _T("Reports\\Old"));
            EXPECT_EQ(dlg.GetEditSel(), Selection(2, 2)) << "the tail is not highlighted";
            dlg.m_combo.SetWindowText(_T("Nts"));
            dlg.m_combo.SetEditSel(1, 1);
            PostKey(dlg.GetEdit(), 'X');
        },
        [&] {
            EXPECT_EQ(dlg.GetEditText(), _T("Nxts"));
            EXPECT_EQ(dlg.GetEditSel(), Selection(2, 2)) << "a miss puts the caret back";
        },
    });
}

TEST(PathComboAutoComplete, BackspaceLeavesTheTextAsTheUserMadeItUntilTheNextKey)
{
    CComboTestDialog dlg;
    RunTyping(dlg, {
        [&] {
            PrepareTyping(dlg, _T(""), 0, 0);
            PostKey(dlg.GetEdit(), 'N');
        },
        [&] {
            ASSERT_EQ(dlg.GetEditText(), _T("Notes"));
            PostKey(dlg.GetEdit(), VK_BACK);
        },
        [&] {
            EXPECT_FALSE(dlg.m_combo.m_bAutoComplete);
            EXPECT_EQ(dlg.GetEditText(), _T("N")) << "still a match, but not completed after Backspace";
            EXPECT_EQ(dlg.GetEditSel(), Selection(1, 1));
            PostKey(dlg.GetEdit(), 'O');
        },
        [&] {
            EXPECT_TRUE(dlg.m_combo.m_bAutoComplete);
            EXPECT_EQ(dlg.GetEditText(), _T("Notes")) << "the next key arms the completion again";
            EXPECT_EQ(dlg.GetEditSel(), Selection(2, 5));
        },
    });
}

TEST(PathComboAutoComplete, DeleteLeavesTheTextAsTheUserMadeItUntilTheNextKey)
{
    CComboTestDialog dlg;
    RunTyping(dlg, {
        [&] {
            PrepareTyping(dlg, _T("Repx"), 3, 3);
            PostKey(dlg.GetEdit(), VK_DELETE);
        },
        [&] {
            EXPECT_FALSE(dlg.m_combo.m_bAutoComplete);
            EXPECT_EQ(dlg.GetEditText(), _T("Rep")) << "still a match, but not completed after Delete";
            EXPECT_EQ(dlg.GetEditSel(), Selection(3, 3));
            PostKey(dlg.GetEdit(), 'O');
        },
        [&] {
            EXPECT_EQ(dlg.GetEditText(), _T("Reports\\Old"));
            EXPECT_EQ(dlg.GetEditSel(), Selection(4, 11));
        },
    });
}

TEST(PathComboAutoComplete, KeysReachTheEditFieldThroughPreTranslateMessageUnconsumed)
{
    CComboTestDialog dlg;
    RunTyping(dlg, {
        [&] {
            PrepareTyping(dlg, _T("xyz"), 3, 3);
            PostKey(dlg.GetEdit(), VK_HOME);
        },
        [&] {
            EXPECT_TRUE(dlg.m_combo.m_bAutoComplete) << "any key but Delete and Backspace arms it";
            EXPECT_EQ(dlg.GetEditSel(), Selection(0, 0)) << "the edit field handled the key itself";
            PostKey(dlg.GetEdit(), VK_BACK);
        },
        [&] {
            EXPECT_FALSE(dlg.m_combo.m_bAutoComplete);
            EXPECT_EQ(dlg.GetEditText(), _T("xyz")) << "Backspace at the start deletes nothing";
        },
    });
}

namespace
{
// Stands in front of the combo's window procedure and reports an edit
// update after each change the completion makes to the text or selection,
// as Windows may do. The depth shows whether a completion ran inside
// another one.
class NestedEditUpdates
{
public:
    explicit NestedEditUpdates(HWND hCombo) : m_hCombo(hCombo)
    {
        s_pActive = this;
        m_pfnNext = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(hCombo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NestedEditUpdates::WindowProc)));
    }
    ~NestedEditUpdates()
    {
        ::SetWindowLongPtr(m_hCombo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnNext));
        s_pActive = nullptr;
    }
    NestedEditUpdates(const NestedEditUpdates&) = delete;
    NestedEditUpdates& operator=(const NestedEditUpdates&) = delete;

    int m_nReported = 0;
    int m_nDeepest = 0;

private:
    // Deep enough to show a missing guard without running out of stack.
    static constexpr int kDepthLimit = 4;

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        NestedEditUpdates& self = *s_pActive;
        LRESULT result = ::CallWindowProc(self.m_pfnNext, hWnd, message, wParam, lParam);
        if (message != CB_SELECTSTRING && message != WM_SETTEXT && message != CB_SETEDITSEL)
            return result;
        ++self.m_nDepth;
        self.m_nDeepest = std::max(self.m_nDeepest, self.m_nDepth);
        if (self.m_nDepth <= kDepthLimit)
        {
            ++self.m_nReported;
            ::SendMessage(::GetParent(hWnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hWnd), CBN_EDITUPDATE),
                          reinterpret_cast<LPARAM>(hWnd));
        }
        --self.m_nDepth;
        return result;
    }

    static NestedEditUpdates* s_pActive;
    HWND m_hCombo;
    WNDPROC m_pfnNext = nullptr;
    int m_nDepth = 0;
};

NestedEditUpdates* NestedEditUpdates::s_pActive = nullptr;
}

TEST_F(PathComboHistory, EditUpdatesReportedForTheCompletionsOwnChangesAreNotCompletedAgain)
{
    AddEntries(m_combo, {_T("Notes"), _T("Reports\\Old")});
    NestedEditUpdates updates(m_combo.m_hWnd);
    ::SendMessage(m_dlg.GetEdit(), WM_CHAR, 'r', 1);

    EXPECT_GT(updates.m_nReported, 0) << "the stand-in reported no edit update";
    EXPECT_EQ(updates.m_nDeepest, 1) << "a completion ran inside another one";
    EXPECT_EQ(m_dlg.GetEditText(), _T("Reports\\Old"));
    EXPECT_EQ(m_dlg.GetEditSel(), Selection(1, 11));
    EXPECT_TRUE(m_combo.m_bAutoComplete) << "completing does not disarm it";
}

namespace
{
// COM's answer to one more initialisation of the calling thread as a
// single-threaded apartment, undone at once: S_OK when the thread had none,
// S_FALSE when it had one already.
HRESULT ProbeApartment()
{
    HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(hr))
        ::CoUninitialize();
    return hr;
}

// Runs body on a thread of its own, whose COM state no other test touched.
void OnFreshThread(const std::function<void()>& body)
{
    std::thread thread(body);
    thread.join();
}
}

TEST(PathComboOle, EachObjectInitialisesOleOnceAndUninitialisesItWhenItGoes)
{
    HRESULT hrBefore = E_FAIL, hrWithOne = E_FAIL, hrWithTwo = E_FAIL, hrWithFirstOnly = E_FAIL,
            hrAfter = E_FAIL;
    BOOL bFirst = FALSE, bSecond = FALSE;
    OnFreshThread([&] {
        hrBefore = ProbeApartment();
        {
            CPathCombo first;
            bFirst = first.m_bOleInitialized;
            hrWithOne = ProbeApartment();
            {
                CPathCombo second;
                bSecond = second.m_bOleInitialized;
                hrWithTwo = ProbeApartment();
            }
            hrWithFirstOnly = ProbeApartment();
        }
        hrAfter = ProbeApartment();
    });
    EXPECT_EQ(hrBefore, S_OK);
    EXPECT_TRUE(bFirst);
    EXPECT_EQ(hrWithOne, S_FALSE);
    EXPECT_TRUE(bSecond) << "S_FALSE from OleInitialize counts too";
    EXPECT_EQ(hrWithTwo, S_FALSE);
    EXPECT_EQ(hrWithFirstOnly, S_FALSE) << "the second object undid only its own initialisation";
    EXPECT_EQ(hrAfter, S_OK) << "the thread has no apartment left";
}

TEST(PathComboOle, ShortcutsResolveExactlyWhileAComboLives)
{
    testsupport::TempDir dir;
    testsupport::MakeFolder(dir / _T("Target"));
    CString resolvedWhileAlive, resolvedAfter;
    bool bCreated = false;
    OnFreshThread([&] {
        {
            CPathCombo combo;
            bCreated = testsupport::CreateShortcut(dir / _T("Target.lnk"), dir / _T("Target"));
            resolvedWhileAlive = CPathCombo::ResolveShortcut(dir / _T("Target.lnk"));
        }
        resolvedAfter = CPathCombo::ResolveShortcut(dir / _T("Target.lnk"));
    });
    ASSERT_TRUE(bCreated);
    EXPECT_EQ(resolvedWhileAlive.CompareNoCase(dir / _T("Target")), 0) << testsupport::Narrow(resolvedWhileAlive);
    EXPECT_EQ(resolvedAfter, _T("")) << "OLE was still initialised after the combo went";
}

TEST(PathComboOle, AFailedInitialisationIsReportedAndNotUndone)
{
    std::shared_ptr<testsupport::MessageBoxSeen> seen;
    HRESULT hrMultiThreaded = E_FAIL, hrAfter = E_FAIL;
    BOOL bInitialized = TRUE;
    OnFreshThread([&] {
        // OLE needs a single-threaded apartment; this thread already has the
        // other kind, so OleInitialize fails.
        hrMultiThreaded = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        seen = testsupport::AnswerNextMessageBox(IDOK);
        {
            CPathCombo combo;
            bInitialized = combo.m_bOleInitialized;
        }
        hrAfter = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(hrAfter))
            ::CoUninitialize();
        ::CoUninitialize();
    });
    ASSERT_EQ(hrMultiThreaded, S_OK);
    ASSERT_TRUE(seen->shown) << "no message box";
    EXPECT_EQ(seen->text, _T("OLE initialization failed. Make sure that the OLE libraries are the correct version"));
    EXPECT_FALSE(bInitialized);
    EXPECT_EQ(hrAfter, S_FALSE) << "the combo uninitialised an apartment it had not initialised";
}

TEST_F(PathComboHistory, AComboThatCreatesItsOwnWindowIsADropTarget)
{
    const RECT rc = {10, 40, 200, 140};
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
    CPathCombo created;
    ASSERT_TRUE(created.Create(dwStyle, rc, &m_dlg, 2000));
    EXPECT_NE(created.GetExStyle() & WS_EX_ACCEPTFILES, 0u);
    EXPECT_NE(::FindWindowEx(created.m_hWnd, nullptr, _T("Edit"), nullptr), nullptr);
    AddEntries(created, {_T("C:\\Data\\a.txt")});
    EXPECT_EQ(created.AddString(_T("c:\\data")), 0) << "its own window follows the add rules";

    CComboBox plain;
    ASSERT_TRUE(plain.Create(dwStyle, rc, &m_dlg, 2001));
    EXPECT_EQ(plain.GetExStyle() & WS_EX_ACCEPTFILES, 0u) << "the platform's combo alone is no drop target";
}
