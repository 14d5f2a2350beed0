// The target combo of the real main window: the rules of its history, the width of its list, completion driven by
// keys through the window's modal loop, its OLE pairing, and the files and folders dropped on it.
#include "tests/main_window/MainWindowFixture.h"

#include "tests/support/ShortcutFile.h"
#include "tests/support/TimeChecks.h"
#include "tests/support/WindowTestSupport.h"

#include <algorithm>
#include <functional>
#include <thread>

class PathComboTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Open(m_dlg);
    }
    static void Fill(CPathCombo& combo, const CString& entries)
    {
        combo.ResetContent();
        for (const CString& entry : Split(entries, _T('|')))
            combo.AddString(entry);
    }
    static CString Selection(const CPathCombo& combo)
    {
        CString text;
        text.Format(_T("%d-%d"), LOWORD(combo.GetEditSel()), HIWORD(combo.GetEditSel()));
        return text;
    }
    int DroppedWidth() const { return static_cast<int>(m_combo.SendMessage(CB_GETDROPPEDWIDTH)); }

    // A real WM_DROPFILES with drop data as the shell makes it: DROPFILES, then each name in UTF-16 and ended, the
    // list ended once more. The data must be released by the time the message returns.
    void Drop(const std::vector<CString>& names)
    {
        size_t chars = 1;
        for (const CString& name : names)
            chars += static_cast<size_t>(name.GetLength()) + 1;
        HGLOBAL hDrop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(WCHAR));
        auto drop = static_cast<DROPFILES*>(::GlobalLock(hDrop));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        auto next = reinterpret_cast<WCHAR*>(drop + 1);
        for (const CString& name : names)
            next = std::copy(name.GetString(), name.GetString() + name.GetLength(), next) + 1;
        ::GlobalUnlock(hDrop);
        m_combo.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop));
        EXPECT_EQ(::GlobalFlags(hDrop), static_cast<UINT>(GMEM_INVALID_HANDLE)) << "the drop data was not released";
        EXPECT_TRUE(::HeapValidate(::GetProcessHeap(), 0, nullptr)) << "the drop damaged the heap";
    }

    CDorvaneDlg m_dlg;
    CPathCombo& m_combo = m_dlg.m_comboPath;
};

TEST_F(PathComboTest, TheHistoryRefusesAnEntryThatBeginsAnotherAndLosesItsBottomEntryWhenFull)
{
    const CString nine = _T("C:\\A|C:\\B|C:\\C|C:\\D|C:\\E|C:\\F|C:\\G|C:\\H|C:\\I"), ten = nine + _T("|C:\\J");
    const int kAdd = -1, kToHistory = -2;  // or the position CB_INSERTSTRING is given
    const struct { int limit; CString before; int how; LPCTSTR text; int result; CString after; } cases[] = {
        {10, _T("D:\\Other|C:\\Data\\a.txt"), kAdd, _T("c:\\data"), 1, _T("D:\\Other|C:\\Data\\a.txt")},
        {10, _T("D:\\Other|C:\\Data\\a.txt"), 0, _T("d:\\OTHER"), 0, _T("D:\\Other|C:\\Data\\a.txt")},
        {10, _T("C:\\Data"), kAdd, _T("C:\\Data\\a.txt"), 1, _T("C:\\Data|C:\\Data\\a.txt")},
        {10, _T("C:\\Beta|C:\\Gamma"), 1, _T("C:\\Alpha"), 1, _T("C:\\Beta|C:\\Alpha|C:\\Gamma")},
        {3, _T("C:\\One|C:\\Two|C:\\Three"), kAdd, _T("C:\\Four"), 2, _T("C:\\One|C:\\Two|C:\\Four")},
        {3, _T("C:\\One|C:\\Two|C:\\Three"), 0, _T("C:\\Five"), 0, _T("C:\\Five|C:\\One|C:\\Two")},
        {3, _T("C:\\One|C:\\Two|C:\\Three"), kAdd, _T("c:\\one"), 0, _T("C:\\One|C:\\Two|C:\\Three")},
        {10, ten, kAdd, _T("C:\\K"), 9, nine + _T("|C:\\K")},
        {0, ten, kAdd, _T("C:\\K"), 10, ten + _T("|C:\\K")},
        {-3, ten, kAdd, _T("C:\\K"), 10, ten + _T("|C:\\K")},
        {10, _T("C:\\Alpha|C:\\Beta|C:\\Gamma"), kToHistory, _T("C:\\Gamma"), 0, _T("C:\\Gamma|C:\\Alpha|C:\\Beta")},
        {10, _T("C:\\Other|C:\\Data\\F.txt"), kToHistory, _T("c:\\data\\f.txt"), 0, _T("c:\\data\\f.txt|C:\\Other")},
        {10, _T("C:\\Other|C:\\Data"), kToHistory, _T("C:\\Data\\a.txt"), 0, _T("C:\\Data\\a.txt|C:\\Other")},
        {10, _T("C:\\Data\\a.txt"), kToHistory, _T("C:\\Data"), 0, _T("C:\\Data|C:\\Data\\a.txt")},
        {10, ten, kToHistory, _T("D:\\New"), 0, _T("D:\\New|") + nine},
        {0, ten + _T("|C:\\K"), kToHistory, _T("D:\\New"), 0, _T("D:\\New|") + ten + _T("|C:\\K")},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << testsupport::Narrow(c.text) << " into " << testsupport::Narrow(c.before));
        m_combo.m_nMaxHistory = 0;
        Fill(m_combo, c.before);
        m_combo.m_nMaxHistory = c.limit;
        if (c.how == kToHistory)
            m_combo.AddToHistory(c.text);
        else
            EXPECT_EQ(::SendMessage(m_combo.m_hWnd, c.how == kAdd ? CB_ADDSTRING : CB_INSERTSTRING,
                                    static_cast<WPARAM>(c.how), reinterpret_cast<LPARAM>(c.text)), c.result);
        EXPECT_EQ(History(m_dlg), c.after);
    }
}

TEST_F(PathComboTest, TheListIsAsWideAsItsWidestEntryPlusAScrollBarMeasuredAtEachAdd)
{
    const CString longEntry = _T("C:\\A folder with a rather long name\\and a file with an even longer name.txt");
    CRect rc;
    m_combo.GetWindowRect(&rc);
    HDC hdc = ::GetDC(m_combo.m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(m_combo.SendMessage(WM_GETFONT)));
    SIZE size = {};
    ::GetTextExtentPoint32(hdc, longEntry, longEntry.GetLength(), &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(m_combo.m_hWnd, hdc);
    Fill(m_combo, _T("C:\\a"));
    EXPECT_EQ(DroppedWidth(), rc.Width()) << "narrow entries: the platform widens the list to the control";
    m_combo.AddString(longEntry);
    EXPECT_EQ(DroppedWidth(), size.cx + ::GetSystemMetrics(SM_CXVSCROLL));
    m_combo.SetDroppedWidth(static_cast<UINT>(rc.Width() + 1));
    const int set = DroppedWidth();  // Wine gives the control's width: it narrows a list no further
    m_combo.AddString(_T("c:\\A"));
    EXPECT_EQ(DroppedWidth(), set) << "a refused entry measures nothing";
    m_combo.AddString(_T("C:\\Medium\\name.txt"));
    EXPECT_EQ(DroppedWidth(), size.cx + ::GetSystemMetrics(SM_CXVSCROLL)) << "an accepted entry measures them all";
}

// Each key is posted as the keyboard posts it; the modal loop offers it to PreTranslateMessage, which reaches the
// combo through its edit field, before the edit field gets it. Enter, at the end, runs the stamp command.
TEST_F(PathComboTest, TypingCompletesFromTheHistoryUntilDeleteOrBackspace)
{
    testsupport::TempDir dir;
    const CString file = dir / _T("file.txt");
    testsupport::WriteFile(file);
    const struct { LPCTSTR text; int start, end; UINT key; LPCTSTR after, sel; bool armed; } cases[] = {
        {_T(""), 0, 0, 'R', _T("Reports\\Old"), _T("1-11"), true}, {nullptr, 0, 0, 'E', _T("Reports\\Old"), _T("2-11"), true},
        {nullptr, 0, 0, 'N', _T("Ren"), _T("3-3"), true}, {_T("Rport"), 1, 1, 'E', _T("Reports\\Old"), _T("2-2"), true},
        {_T("Nts"), 1, 1, 'X', _T("Nxts"), _T("2-2"), true}, {_T(""), 0, 0, 'N', _T("Notes"), _T("1-5"), true},
        {nullptr, 0, 0, VK_BACK, _T("N"), _T("1-1"), false}, {nullptr, 0, 0, 'O', _T("Notes"), _T("2-5"), true},
        {_T("Repx"), 3, 3, VK_DELETE, _T("Rep"), _T("3-3"), false}, {nullptr, 0, 0, 'O', _T("Reports\\Old"), _T("4-11"), true},
        {_T("xyz"), 3, 3, VK_HOME, _T("xyz"), _T("0-0"), true}, {nullptr, 0, 0, VK_BACK, _T("xyz"), _T("0-0"), false},
        {file, 0, 0, VK_RETURN, file, nullptr, true},
    };
    CDorvaneDlg dlg;
    std::function<void(size_t)> type = [&](size_t i) {
        if (i > 0)
        {
            const auto& c = cases[i - 1];
            SCOPED_TRACE(testing::Message() << "key " << i);
            EXPECT_EQ(ComboText(dlg), c.after);
            EXPECT_EQ(Selection(dlg.m_comboPath), c.sel != nullptr ? CString(c.sel) : Selection(dlg.m_comboPath));
            EXPECT_EQ(dlg.m_comboPath.m_bAutoComplete, c.armed);
        }
        if (i == std::size(cases))
            return dlg.EndDialog(IDOK);
        if (cases[i].text != nullptr)
        {
            SetComboText(dlg, cases[i].text);
            dlg.m_comboPath.SetEditSel(cases[i].start, cases[i].end);
        }
        const LPARAM scan = static_cast<LPARAM>(::MapVirtualKey(cases[i].key, MAPVK_VK_TO_VSC)) << 16;
        ::PostMessage(::GetFocus(), WM_KEYDOWN, cases[i].key, scan | 1);
        ::PostMessage(::GetFocus(), WM_KEYUP, cases[i].key, scan | static_cast<LPARAM>(0xC0000001u));
        testsupport::RunSoon([&, i] { type(i + 1); });
    };
    EXPECT_EQ(IDOK, testsupport::DoModalScripted(dlg, [&] {
        Fill(dlg.m_comboPath, _T("Notes|Reports\\Old|Reports\\New"));
        ASSERT_TRUE(::IsChild(dlg.m_comboPath.m_hWnd, ::GetFocus())) << "the edit field has the focus";
        type(0);
    }));
    EXPECT_EQ(testsupport::ReadTimes(file).lastWrite, testsupport::TicksOf(CTime(1980, 1, 1, 0, 0, 1)));
}

TEST_F(PathComboTest, TheFirstDroppedItemThatExistsBecomesTheTextAndTheHistoryStaysAsItWas)
{
    testsupport::TempDir dir;
    CString deep = dir.Path();
    while (deep.GetLength() < 300)
        deep += _T("\\A folder name of some forty characters");
    testsupport::MakeFolder(deep);
    for (const CString& file : {dir / _T("first.txt"), dir / _T("gone.txt"), dir / _T("fake.lnk"), deep + _T("\\f")})
        testsupport::WriteFile(file, "not a shortcut");
    testsupport::MakeFolder(dir / _T("Second"));
    ASSERT_TRUE(testsupport::CreateShortcut(dir / _T("To folder.lnk"), dir / _T("Second")));
    ASSERT_TRUE(testsupport::CreateShortcut(dir / _T("To file.lnk"), dir / _T("first.txt")));
    ASSERT_TRUE(testsupport::CreateShortcut(dir / _T("Inner.lnk"), dir / _T("gone.txt")));
    ASSERT_TRUE(testsupport::CreateShortcut(dir / _T("Outer.lnk"), dir / _T("Inner.lnk")));
    ASSERT_TRUE(testsupport::CreateShortcutToVirtualItem(dir / _T("Computer.lnk")));
    ::DeleteFile(dir / _T("gone.txt"));
    Fill(m_combo, _T("C:\\Earlier\\one.txt|C:\\Earlier\\two"));
    const CString history = History(m_dlg);
    const int width = DroppedWidth();
    // "*N" is a name of N characters that names nothing, "~" a file deeper than 260 characters.
    auto expand = [&](const CString& name) {
        return name[0] == _T('*') ? _T("C:\\") + CString(_T('x'), _ttoi(name.Mid(1)) - 3)
               : name == _T("~") ? deep + _T("\\f") : dir / name;
    };
    const struct { const char* what; LPCTSTR names, written; } cases[] = {
        {"of several items the first", _T("first.txt|Second|To file.lnk"), _T("first.txt")},
        {"a folder", _T("Second"), _T("Second")},
        {"a shortcut to a folder", _T("To folder.lnk"), _T("Second")},
        {"a shortcut to a file", _T("To file.lnk"), _T("first.txt")},
        {"a shortcut to a shortcut: the inner one, as the file it is", _T("Outer.lnk"), _T("Inner.lnk")},
        {"a shortcut to nothing", _T("Inner.lnk"), nullptr},
        {"a shortcut without a file-system path", _T("Computer.lnk"), _T("Computer.lnk")},
        {"a file named like a shortcut", _T("fake.lnk"), _T("fake.lnk")},
        {"a path over 260 characters", _T("~"), _T("~")},
        {"nothing that exists", _T("none.txt"), nullptr},
        {"no item at all", _T(""), nullptr},
        {"65,535 characters first, read whole", _T("*65535|first.txt"), nullptr},
        {"70,000 characters first", _T("*70000|first.txt"), nullptr},
        {"long names after the first", _T("first.txt|*65535|*70000"), _T("first.txt")},
        {"longer than any path: Wine would cut it to \\\\?\\C:\\", _T("*32771"), nullptr},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        SetComboText(m_dlg, _T("C:\\Before"));
        m_combo.SetEditSel(2, 5);
        std::vector<CString> names;
        for (const CString& name : Split(c.names, _T('|')))
            names.push_back(expand(name));
        Drop(names);
        const CString written = c.written != nullptr ? expand(c.written) : CString(_T("C:\\Before"));
        CString sel;
        sel.Format(_T("%d-%d"), c.written ? written.GetLength() : 2, c.written ? written.GetLength() : 5);
        EXPECT_EQ(ComboText(m_dlg), written);
        EXPECT_EQ(Selection(m_combo), sel) << "the caret after the last character, nothing selected";
        EXPECT_EQ(History(m_dlg), history);
        EXPECT_EQ(DroppedWidth(), width);
    }
    // Each of these drops reads two names of a million characters, 2 MB each: ten would leave 40 MB behind.
    auto committed = [] {
        SIZE_T total = 0;
        MEMORY_BASIC_INFORMATION info = {};
        for (auto p = static_cast<const BYTE*>(nullptr); ::VirtualQuery(p, &info, sizeof(info)); p += info.RegionSize)
            total += info.State == MEM_COMMIT && info.Type == MEM_PRIVATE ? info.RegionSize : 0;
        return total;
    };
    const SIZE_T before = committed();
    for (int i = 0; i < 10; ++i)
        Drop({expand(_T("*1048576")), expand(_T("*1048576"))});
    EXPECT_LT(committed(), before + 16 * 1024 * 1024) << "every name block is freed";
}

TEST(PathComboOle, EachComboInitialisesOleOnceAndAFailureIsReportedAndNotUndone)
{
    // COM's answer to one more initialisation, undone at once: S_OK when the thread has no apartment left.
    auto probe = [] {
        HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(hr))
            ::CoUninitialize();
        return hr;
    };
    std::vector<HRESULT> probes;
    std::thread([&] {
        probes.push_back(probe());
        {
            CPathCombo first;
            probes.push_back(probe());
            {
                CPathCombo second;
                probes.push_back(probe());
            }
            probes.push_back(probe());
        }
        probes.push_back(probe());
    }).join();
    EXPECT_EQ(probes, (std::vector<HRESULT>{S_OK, S_FALSE, S_FALSE, S_FALSE, S_OK}));
    std::shared_ptr<testsupport::MessageBoxSeen> box;
    HRESULT after = E_FAIL;
    BOOL initialized = TRUE;
    std::thread([&] {
        ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // OLE wants the other kind of apartment
        box = testsupport::AnswerNextMessageBox(IDOK);
        initialized = CPathCombo().m_bOleInitialized;
        after = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // S_FALSE: the thread's own is still there
        ::CoUninitialize();
        ::CoUninitialize();
    }).join();
    EXPECT_EQ(box->text, _T("OLE initialization failed. Make sure that the OLE libraries are the correct version"));
    EXPECT_FALSE(initialized);
    EXPECT_EQ(after, S_FALSE);
}
