// The target combo of the real main window: the rules of its history, completion driven by keys through the window's
// modal loop, and the files and folders dropped on it.
#include "tests/main_window/MainWindowFixture.h"

#include <algorithm>

using namespace testsupport;

struct PathComboTest : MainWindowTest {
    void SetUp() override { MainWindowTest::SetUp(); Open(m_dlg); }
    static void Fill(CPathCombo& combo, const CString& entries) {
        combo.ResetContent();
        for (const CString& entry : Split(entries, _T('|')))
            combo.AddString(entry);
    }
    static CString Selection(const CPathCombo& combo) {
        CString text;
        text.Format(_T("%d-%d"), LOWORD(combo.GetEditSel()), HIWORD(combo.GetEditSel()));
        return text;
    }
    // A real WM_DROPFILES with the shell's data (each name ended, then one more end), released when it returns.
    void Drop(const std::vector<CString>& names) {
        std::wstring list;
        for (const CString& name : names)
            list.append(name.GetString(), static_cast<size_t>(name.GetLength())).push_back(L'\0');
        HGLOBAL hDrop = GlobalAlloc(GHND, sizeof(DROPFILES) + (list.size() + 1) * sizeof(WCHAR));    // zero-filled
        auto drop = static_cast<DROPFILES*>(GlobalLock(hDrop));
        *drop = {sizeof(DROPFILES), {}, FALSE, TRUE};
        std::copy(list.begin(), list.end(), reinterpret_cast<WCHAR*>(drop + 1));
        GlobalUnlock(hDrop);
        m_combo.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop));
        EXPECT_EQ(GlobalFlags(hDrop), static_cast<UINT>(GMEM_INVALID_HANDLE)) << "the drop data was not released";
        EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr)) << "the drop damaged the heap";
    }
    CDorvaneDlg m_dlg;
    CPathCombo& m_combo = m_dlg.m_comboPath;
};

TEST_F(PathComboTest, TheHistoryRefusesAnEntryThatBeginsAnotherAndLosesItsBottomEntryWhenFull) {
    const CString nine = _T("C:\\A|C:\\B|C:\\C|C:\\D|C:\\E|C:\\F|C:\\G|C:\\H|C:\\I"), ten = nine + _T("|C:\\J");
    const int kAdd = -1, kToHistory = -2;    // else the position CB_INSERTSTRING is given
    const struct { int limit; CString before; int how; LPCTSTR text; int result; CString after; } cases[] = {
        {10, _T("D:\\Other|C:\\Data\\a.txt"), kAdd, _T("c:\\data"), 1, _T("D:\\Other|C:\\Data\\a.txt")},
        {10, _T("D:\\Other|C:\\Data\\a.txt"), 0, _T("d:\\OTHER"), 0, _T("D:\\Other|C:\\Data\\a.txt")},
        {10, _T("C:\\Data"), kAdd, _T("C:\\Data\\a.txt"), 1, _T("C:\\Data|C:\\Data\\a.txt")},
        {3, _T("C:\\One|C:\\Two|C:\\Three"), kAdd, _T("C:\\Four"), 2, _T("C:\\One|C:\\Two|C:\\Four")},
        {3, _T("C:\\One|C:\\Two|C:\\Three"), 0, _T("C:\\Five"), 0, _T("C:\\Five|C:\\One|C:\\Two")},
        {3, _T("C:\\One|C:\\Two|C:\\Three"), kAdd, _T("c:\\one"), 0, _T("C:\\One|C:\\Two|C:\\Three")},
        {10, ten, kAdd, _T("C:\\K"), 9, nine + _T("|C:\\K")},
        {0, ten, kAdd, _T("C:\\K"), 10, ten + _T("|C:\\K")},
        {10, _T("C:\\Alpha|C:\\Beta|C:\\Gamma"), kToHistory, _T("C:\\Gamma"), 0, _T("C:\\Gamma|C:\\Alpha|C:\\Beta")},
        {10, _T("C:\\Other|C:\\Data\\F.txt"), kToHistory, _T("c:\\data\\f.txt"), 0, _T("c:\\data\\f.txt|C:\\Other")},
        {10, _T("C:\\Other|C:\\Data"), kToHistory, _T("C:\\Data\\a.txt"), 0, _T("C:\\Data\\a.txt|C:\\Other")},
        {10, _T("C:\\Data\\a.txt"), kToHistory, _T("C:\\Data"), 0, _T("C:\\Data|C:\\Data\\a.txt")},
        {10, ten, kToHistory, _T("D:\\New"), 0, _T("D:\\New|") + nine},
        {10, ten, kToHistory, _T("C:\\E"), 0, _T("C:\\E|C:\\A|C:\\B|C:\\C|C:\\D|C:\\F|C:\\G|C:\\H|C:\\I|C:\\J")},
        // Another letter case counts as another path against the limit, then the add rules drop the old spelling.
        {10, ten, kToHistory, _T("c:\\e"), 0, _T("c:\\e|C:\\A|C:\\B|C:\\C|C:\\D|C:\\F|C:\\G|C:\\H|C:\\I")},
        {0, ten + _T("|C:\\K"), kToHistory, _T("D:\\New"), 0, _T("D:\\New|") + ten + _T("|C:\\K")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << Narrow(c.text) << " into " << Narrow(c.before));
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

// Keys posted as the keyboard posts them: the modal loop offers each to the combo's PreTranslateMessage first.
TEST_F(PathComboTest, TypingCompletesFromTheHistoryUntilDeleteOrBackspace) {
    const LPCTSTR old = _T("Reports\\Old");
    const struct { LPCTSTR text; int start, end; UINT key; LPCTSTR after, sel; bool armed; } cases[] = {
        {_T(""), 0, 0, 'R', old, _T("1-11"), true}, {nullptr, 0, 0, 'E', old, _T("2-11"), true},
        {nullptr, 0, 0, 'N', _T("Ren"), _T("3-3"), true}, {_T("Rport"), 1, 1, 'E', old, _T("2-2"), true},
        {_T("Nts"), 1, 1, 'X', _T("Nxts"), _T("2-2"), true}, {_T(""), 0, 0, 'N', _T("Notes"), _T("1-5"), true},
        {nullptr, 0, 0, VK_BACK, _T("N"), _T("1-1"), false}, {nullptr, 0, 0, 'O', _T("Notes"), _T("2-5"), true},
        {_T("Repx"), 3, 3, VK_DELETE, _T("Rep"), _T("3-3"), false}, {nullptr, 0, 0, 'O', old, _T("4-11"), true},
        {_T("xyz"), 3, 3, VK_HOME, _T("xyz"), _T("0-0"), true}};
    CDorvaneDlg dlg;
    CPathCombo& combo = dlg.m_comboPath;
    std::function<void(size_t)> type = [&](size_t i) {
        if (i > 0) {
            const auto& c = cases[i - 1];
            SCOPED_TRACE(testing::Message() << "key " << i);
            EXPECT_EQ(ComboText(dlg) + _T(" ") + Selection(combo), CString(c.after) + _T(" ") + c.sel);
            EXPECT_EQ(combo.m_bAutoComplete, c.armed);
        }
        if (i == std::size(cases))
            return dlg.EndDialog(IDOK);
        if (cases[i].text != nullptr) {
            combo.SetWindowText(cases[i].text);
            combo.SetEditSel(cases[i].start, cases[i].end);
        }
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKey(cases[i].key, MAPVK_VK_TO_VSC)) << 16;
        PostMessage(GetFocus(), WM_KEYDOWN, cases[i].key, scan | 1);
        PostMessage(GetFocus(), WM_KEYUP, cases[i].key, scan | static_cast<LPARAM>(0xC0000001u));
        RunSoon([&, i] { type(i + 1); });
    };
    EXPECT_EQ(IDOK, DoModalScripted(dlg, [&] {
        Fill(combo, _T("Notes|Reports\\Old|Reports\\New"));
        ASSERT_TRUE(IsChild(combo.m_hWnd, GetFocus())) << "the edit field has the focus";
        type(0);
    }));
}

TEST_F(PathComboTest, TheFirstDroppedItemThatExistsBecomesTheTextAndTheHistoryStaysAsItWas) {
    TempDir dir;
    MakeFolder(dir / _T("Second"));
    const CString deep = BeyondMaxPath();
    MakeFolder(dir / deep);
    for (LPCTSTR file : {_T("first.txt"), _T("gone.txt")})
        WriteFile(dir / file, "not a shortcut");
    ASSERT_TRUE(CreateShortcut(dir / _T("To folder.lnk"), dir / _T("Second")));
    ASSERT_TRUE(CreateShortcut(dir / _T("To nothing.lnk"), dir / _T("gone.txt")));
    DeleteFile(dir / _T("gone.txt"));
    Fill(m_combo, _T("C:\\Earlier\\one.txt|C:\\Earlier\\two"));
    const CString history = History(m_dlg);
    auto expand = [&](const CString& name) {    // "*N": N characters naming nothing, though the first ten do
        const std::basic_string<TCHAR> xs(static_cast<size_t>(std::max(_ttoi(name.Mid(1)) - 11, 0)), _T('x'));
        return name[0] == _T('*') ? _T("C:\\windows\\") + CString(xs) : dir / name;
    };
    // A shortcut stands for what the path checks make of it (their tests try every kind).
    const struct { const char* what; LPCTSTR names, written; } cases[] = {
        {"of several items the first", _T("first.txt|Second|To folder.lnk"), _T("first.txt")},
        {"a shortcut to a folder", _T("To folder.lnk"), _T("Second")},
        {"a shortcut to nothing", _T("To nothing.lnk"), nullptr}, {"nothing that exists", _T("none.txt"), nullptr},
        {"65,535 characters first, read whole", _T("*65535|first.txt"), nullptr},
        {"65,546, which a 16-bit length cuts to \"C:\\windows\"", _T("*65546|first.txt"), nullptr},
        {"long names after the first", _T("first.txt|*65535|*70000"), _T("first.txt")},
        {"a folder beyond MAX_PATH, whole", deep, deep},
        {"longer than any path: Wine would cut it to \\\\?\\C:\\", _T("*32771"), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_combo.SetWindowText(_T("C:\\Before"));
        m_combo.SetEditSel(2, 5);
        std::vector<CString> names;
        for (const CString& name : Split(c.names, _T('|')))
            names.push_back(expand(name));
        Drop(names);
        const CString written = c.written != nullptr ? expand(c.written) : CString(_T("C:\\Before"));
        CString shown;    // the caret after the last character, nothing selected
        shown.Format(_T("%s %d-%d"), written, c.written ? written.GetLength() : 2, c.written ? written.GetLength() : 5);
        EXPECT_EQ(ComboText(m_dlg) + _T(" ") + Selection(m_combo), shown);
        EXPECT_EQ(History(m_dlg), history);
    }
    // Each drop reads two names of a million characters, 2 MB each: ten would leave 40 MB behind.
    auto committed = [] {
        SIZE_T total = 0;
        MEMORY_BASIC_INFORMATION info = {};
        for (auto p = static_cast<const BYTE*>(nullptr); VirtualQuery(p, &info, sizeof(info)); p += info.RegionSize)
            total += info.State == MEM_COMMIT && info.Type == MEM_PRIVATE ? info.RegionSize : 0;
        return total;
    };
    const SIZE_T start = committed();
    for (int i = 0; i < 10; ++i)
        Drop({expand(_T("*1048576")), expand(_T("*1048576"))});
    EXPECT_LT(committed(), start + 16 * 1024 * 1024) << "every name block is freed";
}

// Go! judges the target (is it a shortcut?) and, with only the modified time ticked, leaves its last-access time
// to the tick, though Linux's relatime moves a time this old at the first read. The history at start-up and a drop
// judge it as Go! does, through the path checks, whose test keeps every file's access time.
TEST_F(PathComboTest, JudgingATargetLeavesItsLastAccessTimeAlone) {
    TempDir dir;
    const std::uint64_t longAgo = 126256467061230000, written = longAgo - 10000000;    // 2001-02-03 04:05:06.123
    const CString file = MakeFile(dir / _T("plain.lnk"), 0, {written, written, longAgo});    // no shell link
    m_combo.SetWindowText(file);
    CheckDlgButton(m_dlg.m_hWnd, IDC_CHANGE_CREATED, BST_UNCHECKED);
    CheckDlgButton(m_dlg.m_hWnd, IDC_CHANGE_MODIFIED, BST_CHECKED);
    Go(m_dlg);
    EXPECT_NE(ReadTimes(file).lastWrite, written) << "not stamped";
    EXPECT_EQ(ReadTimes(file).lastAccess, longAgo);
}
