// The main window: the settings it loads while it opens and saves when it closes, the stamp command behind Go!,
// and the file picker and folder chooser beside the target, shown for real and answered from their modal loops.
#include "tests/main_window/MainWindowFixture.h"

#include "tests/support/ShortcutFile.h"
#include "tests/support/TimeChecks.h"
#include "tests/support/UnixSide.h"
#include "tests/support/WindowTestSupport.h"

#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

using namespace testsupport;

class SettingsTest : public MainWindowTest {
protected:
    static void Store(const CString& values) {    // "Name=value;...": after a quote text, else a number
        for (const CString& item : Split(values, _T(';'))) {
            CString name = item.Left(item.Find(_T('='))), value = item.Mid(name.GetLength() + 1);
            if (value[0] == _T('"'))
                WriteText(name, value.Mid(1));
            else
                WriteDword(name, static_cast<DWORD>(_tcstoi64(value, nullptr, 0)));
        }
    }
    // History; target; selected entry; date and time of day; the boxes created, modified, read-only.
    static CString State(const CDorvaneDlg& dlg) {
        SYSTEMTIME d = PickerTime(dlg, IDC_DATE), t = PickerTime(dlg, IDC_TIME);
        CString state;
        state.Format(_T("%s; %s; sel %d; %04d-%02d-%02d %02d:%02d:%02d; boxes %d%d%d"), History(dlg), ComboText(dlg),
                     static_cast<int>(dlg.m_comboPath.SendMessage(CB_GETCURSEL)), d.wYear, d.wMonth, d.wDay, t.wHour,
                     t.wMinute, t.wSecond, IsChecked(dlg, IDC_CHANGE_CREATED), IsChecked(dlg, IDC_CHANGE_MODIFIED),
                     IsChecked(dlg, IDC_READ_ONLY));
        return state;
    }
};

// What was stored shows, or its default where it cannot be read; what Close then saves shows at the next start.
TEST_F(SettingsTest, WhatIsStoredIsShownOrFallsBackToTheDefaultAndComesBackAfterClose) {
    const CString gone = _T("HistoryCount=3;File0=\"C:\\gone;File1=\"C:\\windows;File2=\"C:\\users;");
    const TCHAR defaults[] = _T("; ; sel -1; 1980-01-01 00:00:01; boxes 010");
    const TCHAR goneShown[] = _T("C:\\windows|C:\\users; C:\\gone; sel -1; 1980-01-01 00:00:01; boxes 010");
    const TCHAR goneReshown[] = _T("C:\\windows|C:\\users; C:\\windows; sel -1; 1980-01-01 00:00:01; boxes 010");
    const struct { const char* what; CString stored; LPCTSTR shown, reshown; } cases[] = {
        {"first run", _T(""), defaults, defaults},
        {"every value", _T("HistoryCount=3;File0=\"C:\\windows;File1=\"C:\\users;File2=\"C:\\Program Files;")
                        _T("HistorySelection=1;Year=2005;Month=6;Day=15;Hour=13;Minute=45;Second=10;")
                        _T("ChangeCreated=1;ChangeModified=0;ReadOnly=7"),
         _T("C:\\windows|C:\\users|C:\\Program Files; C:\\users; sel 1; 2005-06-15 13:45:10; boxes 101"), nullptr},
        {"a missing entry is left out but stays the target", gone, goneShown, goneReshown},
        {"the selection counts what loaded", gone + _T("HistorySelection=1"),
         _T("C:\\windows|C:\\users; C:\\users; sel 1; 1980-01-01 00:00:01; boxes 010"), nullptr},
        {"a selection past what loaded", gone + _T("HistorySelection=2"), goneShown, goneReshown},
        {"month 13", _T("Year=2005;Month=13;Day=1"), defaults, defaults},
        {"30 February", _T("Year=2005;Month=2;Day=30"), defaults, defaults},
        {"hour 24", _T("Year=2005;Month=6;Day=15;Hour=24"), defaults, defaults},
        {"year 0xFFFFFFFF", _T("Year=0xFFFFFFFF"), defaults, defaults},
        {"a count, a flag of the wrong type", _T("HistoryCount=\"1;File0=\"C:\\windows;ChangeCreated=\"1"), defaults,
         defaults},
        {"an entry of the wrong type", _T("HistoryCount=1;File0=5"), defaults, defaults},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClearSettings();
        Store(c.stored);
        CDorvaneDlg dlg, again;
        Open(dlg);
        EXPECT_EQ(State(dlg), c.shown);
        Click(dlg, IDCANCEL);
        Open(again);
        EXPECT_EQ(State(again), c.reshown != nullptr ? c.reshown : c.shown) << "after Close";
    }
}

TEST_F(SettingsTest, AHandEditedHistoryCountReadsAtMostTenValues) {
    TempDir dir;
    CString all, name, folder;    // all: the folders, joined as History joins them; every name is as long
    for (int i = 0; i < 12; ++i) {
        name.Format(_T("File%d"), i);
        folder.Format(_T("%s\\h%02d"), dir.Path(), i);
        MakeFolder(folder);
        // The first without its terminator: it is read whole and no further.
        WriteRaw(name, REG_SZ, folder.GetString(), static_cast<DWORD>((folder.GetLength() + (i > 0)) * sizeof(TCHAR)));
        all += (i > 0 ? _T("|") : _T("")) + folder;
    }
    for (DWORD count : {DWORD(0x7FFFFFFF), DWORD(12), DWORD(5), DWORD(-3)}) {
        SCOPED_TRACE(count);
        WriteDword(_T("HistoryCount"), count);
        CDorvaneDlg dlg;
        Open(dlg);
        const int loaded = std::min(static_cast<int>(count), 10);
        EXPECT_EQ(History(dlg), all.Left(std::max(loaded * (folder.GetLength() + 1) - 1, 0)));
    }
}

// The entry that is the target itself, letter case aside, whatever was selected; the time boxes as clicked, where
// clearing the only ticked one ticks the other.
TEST_F(SettingsTest, CloseSavesTheEntryThatIsTheTargetAndTheBoxesAsClicked) {
    CDorvaneDlg dlg;
    Open(dlg);
    dlg.m_comboPath.AddString(_T("C:\\users"));
    dlg.m_comboPath.AddString(_T("C:\\windows\\system32"));
    for (int box : {IDC_CHANGE_MODIFIED, IDC_CHANGE_CREATED, IDC_CHANGE_MODIFIED, IDC_READ_ONLY})
        Click(dlg, box);
    const struct { LPCTSTR target; int selected, saved; } cases[] = {
        {_T("C:\\windows\\system32"), 0, 1}, {_T("C:\\USERS"), -1, 0}, {_T("C:\\windows\\sys"), 1, -1},
        {_T("C:\\typed"), 1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.target));
        dlg.m_comboPath.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(c.selected));
        SetComboText(dlg, c.target);
        Click(dlg, IDCANCEL);
        EXPECT_EQ(ReadDword(_T("HistorySelection")), static_cast<DWORD>(c.saved));
        EXPECT_EQ(*ReadDword(_T("ChangeCreated")) * 100 + *ReadDword(_T("ChangeModified")) * 10 + *ReadDword(_T("ReadOnly")),
                  101u) << "the boxes created, modified, read-only";
    }
}

class StampCommandTest : public MainWindowTest {    // the main window's combo gives the thread COM
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Open(m_dlg);
    }
    const std::uint64_t m_old = UnixToTicks(1000000000);    // 2001-09-09
    TempDir m_dir;
    CDorvaneDlg m_dlg;
};

// Refusals first: each message box is answered by the watch armed for its own case. A message comes in parts,
// each of which the box must say; a refused target has nothing stamped.
TEST_F(StampCommandTest, TheTargetGetsTheChosenTimeOrIsRefusedWithAMessage) {
    HWND hDate = m_dlg.GetDlgItem(IDC_DATE);
    SYSTEMTIME range[2] = {};
    ASSERT_EQ(::SendMessage(hDate, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(CTime(range[0]), CTime(1601, 1, 2, 0, 0, 0)) << "the first day every time zone can give a file";
    EXPECT_EQ(CTime(range[1]), CTime(9999, 12, 30, 23, 59, 59)) << "the last";
    ::SendMessage(hDate, DTM_SETRANGE, 0, reinterpret_cast<LPARAM>(range));    // the command alone must refuse now
    const CString items = _T("target.txt|folder|folder\\inner.txt|to-file.lnk|to-folder.lnk|to-shortcut.lnk|tree\\a");
    MakeFolder(m_dir / _T("folder"));
    MakeFolder(m_dir / _T("tree"));
    for (LPCTSTR file : {_T("target.txt"), _T("folder\\inner.txt"), _T("tree\\a"), _T("tree\\z"), _T("p")})
        WriteFile(m_dir / file);
    ASSERT_TRUE(CreateShortcut(m_dir / _T("to-file.lnk"), m_dir / _T("target.txt")));
    ASSERT_TRUE(CreateShortcut(m_dir / _T("to-folder.lnk"), m_dir / _T("folder")));
    ASSERT_TRUE(CreateShortcut(m_dir / _T("to-shortcut.lnk"), m_dir / _T("to-folder.lnk")));
    // The folder lists "z", whose times cannot be written, after "a".
    std::optional<BusyFile> busy;
    if (UnixSideAvailable())
        busy.emplace(m_dir / _T("tree\\z"));
    HANDLE hBusy = ::CreateFile(m_dir / _T("tree\\z"), FILE_WRITE_ATTRIBUTES, 7, nullptr, OPEN_EXISTING, 0, nullptr);
    TCHAR reason[256] = {};
    ::FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, reason, 256,
                    nullptr);
    ::CloseHandle(hBusy);
    SetChecked(m_dlg, IDC_CHANGE_CREATED, true);
    const SYSTEMTIME at = Local(2005, 6, 15, 13, 45, 10), midnight = Local(2000, 1, 1, 0, 0, 0);
    const struct { const char* what; LPCTSTR target; SYSTEMTIME date, time, when; LPCTSTR message, stamped; } cases[] = {
        {"blanks", _T("  \t "), at, at, at, _T("You must specify a file or directory"), nullptr},
        {"no such target", _T("%s\\no"), at, at, at, _T("The file or folder \"%s\\no\" does not exist."), nullptr},
        {"before 1601 in UTC, east of Greenwich", _T("%s\\target.txt"), Local(1601, 1, 1, 0, 0, 0), midnight, at,
         _T("The chosen date and time cannot be given to a file: choose a date between the years 1601 and 9999."),
         nullptr},
        {"a file whose times cannot be written", _T("%s\\tree"), at, at, at, _T("%s\\tree\\z:|%s"), _T("tree\\a")},
        {"blanks around a file", _T(" %s\\target.txt \t"), at, at, at, nullptr, _T("target.txt")},
        {"a folder: its files, not itself", _T("%s\\folder\\"), at, at, at, nullptr, _T("folder\\inner.txt")},
        {"a shortcut to a file", _T("%s\\to-file.lnk"), at, at, at, nullptr, _T("target.txt")},
        {"a shortcut to a folder", _T("%s\\to-folder.lnk"), at, at, at, nullptr, _T("folder\\inner.txt")},
        {"a shortcut to a shortcut", _T("%s\\to-shortcut.lnk"), at, at, at, nullptr, _T("to-folder.lnk")},
        {"02:30 though the time picker's own date skipped it", _T("%s\\target.txt"), Local(2024, 6, 15, 9, 9, 9),
         Local(2024, 10, 6, 2, 30, 0), Local(2024, 6, 15, 2, 30, 0), nullptr, _T("target.txt")},
        {"the last second the date picker offers", _T("%s\\target.txt"), Local(9999, 12, 30, 1, 1, 1),
         Local(2000, 1, 1, 23, 59, 59), Local(9999, 12, 30, 23, 59, 59), nullptr, _T("target.txt")},
        {"the first second the date picker offers", _T("%s\\target.txt"), Local(1601, 1, 2, 1, 1, 1), midnight,
         Local(1601, 1, 2, 0, 0, 0), nullptr, _T("target.txt")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::uint64_t ticks = TicksOf(CTime(c.when));
        for (const CString& item : Split(items, _T('|')))
            WriteTimes(m_dir / item, {m_old, m_old, m_old});
        WriteTimes(m_dir / _T("p"), {ticks, ticks, ticks});    // can the file system hold it?
        SetPickerTime(m_dlg, IDC_DATE, c.date);
        SetPickerTime(m_dlg, IDC_TIME, c.time);
        const char* unheld = PickerTime(m_dlg, IDC_DATE).wYear != c.date.wYear ? "Wine's date picker begins in 1752"
                             : ReadTimes(m_dir / _T("p")).lastWrite != ticks ? "the file system ends sooner (ext4: 2446)"
                             : _tcscmp(c.target, _T("%s\\tree")) == 0 && !busy ? "only Wine's Unix side makes it"
                                                                                : nullptr;
        if (unheld != nullptr && std::printf("[   NOTE   ] %s: not checked, %s\n", c.what, unheld))
            continue;
        CString target, history = History(m_dlg), stamped, message;
        target.Format(c.target, m_dir.Path());
        auto box = c.message != nullptr ? AnswerNextMessageBox(IDOK) : nullptr;
        SetComboText(m_dlg, target);
        Click(m_dlg, IDOK);
        for (const CString& item : Split(items, _T('|'))) {    // "?" marks a time neither old nor the chosen one
            const FileTimes times = ReadTimes(m_dir / item);
            const bool exact = times.lastWrite == ticks && (!PlatformKeepsCreationTime() || times.creation == ticks);
            if (times.lastWrite != m_old)
                stamped += (stamped.IsEmpty() ? _T("") : _T("|")) + item + (exact ? _T("") : _T("?"));
        }
        EXPECT_EQ(stamped, c.stamped != nullptr ? c.stamped : _T(""));
        EXPECT_TRUE(m_dlg.IsWindowVisible() && ::IsWindowEnabled(m_dlg.GetDlgItem(IDOK))) << "Go! is enabled again";
        EXPECT_NE(::GetCursor(), ::LoadCursor(nullptr, IDC_WAIT));
        target.Trim();
        if (c.stamped == nullptr)
            EXPECT_EQ(History(m_dlg), history) << "a refused target joins no history";
        else
            EXPECT_EQ(ComboText(m_dlg) + _T(" ") + Split(History(m_dlg), _T('|'))[0], target + _T(" ") + target)
                << "the text, and the history's top entry";
        if (box == nullptr)
            continue;
        message.Format(c.message, m_dir.Path(), CString(reason).TrimRight().GetString());
        for (const CString& part : Split(message, _T('|')))
            EXPECT_NE(box->text.Find(part), -1) << Narrow(box->text);
        EXPECT_EQ(box->caption, _T("Dorvane"));
        EXPECT_EQ(box->hOwner, m_dlg.m_hWnd);
    }
}

class PickersTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        MakeFolder(m_dir / _T("Initial"));
        WriteFile(m_dir / _T("picked.txt"));
        // Wine's chooser finds a folder by identifier bytes that hold its last-access time, which the first listing
        // after a change may move: the new folders are listed once beforehand.
        Sleep(20);
        WIN32_FIND_DATA data;
        for (LPCTSTR folder : {_T("\\..\\*"), _T("\\*"), _T("\\Initial\\*")})
            FindClose(FindFirstFile(m_dir.Path() + folder, &data));
        Open(m_dlg);
        for (TCHAR c = _T('0'); c <= _T('9'); ++c)
            m_dlg.m_comboPath.AddString(CString(_T("C:\\")) + c);
        m_dlg.m_btnGo.EnableWindow(FALSE);
    }
    // Clicks the button with this target; answer gets each picker that shows, and one still open after 10 s is
    // cancelled. Returns how many showed.
    int Pick(int nButton, LPCTSTR target, const std::function<void(HWND)>& answer) {
        SetComboText(m_dlg, target);
        auto shown = std::make_shared<std::vector<HWND>>();
        auto done = std::make_shared<bool>(false);
        RunWhen([=] {
            HWND hPicker = *done ? nullptr : FindMessageBox();
            if (hPicker != nullptr && (shown->empty() || shown->back() != hPicker))
                answer(shown->emplace_back(hPicker));
            return *done;
        }, [] { PressDialogButton(FindMessageBox(), IDCANCEL); });
        Click(m_dlg, nButton);
        *done = true;
        return static_cast<int>(shown->size());
    }
    // The target; the history; whether the caret is after the target; whether Go! is enabled.
    CString State() {
        const CString text = ComboText(m_dlg);
        const bool atEnd = m_dlg.m_comboPath.GetEditSel() == DWORD(MAKELONG(text.GetLength(), text.GetLength()));
        return text + _T("; ") + History(m_dlg) + (atEnd ? _T("; caret at end") : _T("")) +
               (::IsWindowEnabled(m_dlg.GetDlgItem(IDOK)) ? _T("; Go!") : _T(""));
    }
    static HWND NameBox(HWND hPicker) {    // a combo box on Windows, an edit field on Wine
        return GetDlgItem(hPicker, cmb13) != nullptr ? GetDlgItem(hPicker, cmb13) : GetDlgItem(hPicker, edt1);
    }
    TempDir m_dir;
    CDorvaneDlg m_dlg;
};

// The chooser starts at the target without trailing blanks and separator; a choice outside the file system counts
// as none; a folder confirmed becomes the target, in place of the history's tenth entry. Windows refuses to open the
// file picker on a name that is no file name, and the program opens it again without one; Wine opens it on any
// name. Either way one picker shows, and a cancel is not taken for a refusal.
TEST_F(PickersTest, EachPickerStartsAtTheTargetAndItsChoiceBecomesTheTarget) {
    const CString nine = _T("; C:\\0|C:\\1|C:\\2|C:\\3|C:\\4|C:\\5|C:\\6|C:\\7|C:\\8|");
    SetComboText(m_dlg, m_dir / _T("Initial\\ \t "));
    CString before = State();
    EXPECT_EQ(Pick(IDC_CHOOSE_FOLDER, m_dir / _T("Initial\\ \t "), [](HWND hChooser) {
        EXPECT_EQ(CWnd::GetWindowTextOf(GetDlgItem(hChooser, 0x3742)), _T("Choose a folder"));
        EXPECT_EQ(GetWindow(hChooser, GW_OWNER), nullptr) << "no owner: the main window stays usable";
        LPITEMIDLIST computer = nullptr;
        SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
        ::SendMessage(hChooser, BFFM_SETSELECTION, FALSE, reinterpret_cast<LPARAM>(computer));
        CoTaskMemFree(computer);
        PressDialogButton(hChooser, IDOK);
    }), 1);
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Pick(IDC_CHOOSE_FOLDER, m_dir / _T("Initial/  "), [](HWND h) { PressDialogButton(h, IDOK); }), 1);
    EXPECT_EQ(State(), m_dir / _T("Initial") + nine + m_dir / _T("Initial") + _T("; caret at end; Go!"));
    m_dlg.m_btnGo.EnableWindow(FALSE);
    SetComboText(m_dlg, m_dir / _T("half <typed> |"));
    before = State();
    EXPECT_EQ(Pick(IDC_SELECT_FILE, m_dir / _T("half <typed> |"), [](HWND hPicker) {
        EXPECT_EQ(CWnd::GetWindowTextOf(hPicker), _T("Select file"));
        const CString name = CWnd::GetWindowTextOf(NameBox(hPicker));
        EXPECT_TRUE(name.IsEmpty() || (RunningUnderWine() && name == _T("half <typed> |"))) << Narrow(name);
        EXPECT_EQ(::SendMessage(GetDlgItem(hPicker, cmb1), CB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(CWnd::GetWindowTextOf(GetDlgItem(hPicker, cmb1)), _T("All Files (*.*) "));
        SetWindowText(NameBox(hPicker), _T("other.txt"));
        PressDialogButton(hPicker, IDCANCEL);
    }), 1);
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Pick(IDC_SELECT_FILE, m_dir / _T("picked.txt"), [](HWND hPicker) {
        EXPECT_EQ(CWnd::GetWindowTextOf(NameBox(hPicker)), _T("picked.txt"));
        PressDialogButton(hPicker, IDOK);
    }), 1);
    EXPECT_EQ(State(), m_dir / _T("picked.txt") + nine + m_dir / _T("picked.txt") + _T("; caret at end; Go!"));
}
