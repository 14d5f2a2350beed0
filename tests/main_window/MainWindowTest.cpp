// The main window: the settings it loads while it opens and saves when it closes, the stamp command behind Go!,
// and the file picker and folder chooser beside the target, shown for real and answered from their modal loops.
#include "about/AboutDlg.h"
#include "framework/FileTimes.h"
#include "main_window/JournalShelf.h"
#include "stamping/Journal.h"
#include "tests/main_window/MainWindowFixture.h"

#include <dlgs.h>
#include <process.h>

using namespace testsupport;

struct SettingsTest : MainWindowTest {
    // History; target; selected entry; date and time of day; the boxes created, modified, read-only.
    static CString State(const CDorvaneDlg& dlg) {
        SYSTEMTIME d = PickerTime(dlg, IDC_DATE), t = PickerTime(dlg, IDC_TIME);
        CString state;
        state.Format(_T("%s; %s; sel %d; %04d-%02d-%02d %02d:%02d:%02d; boxes %d%d%d"), History(dlg), ComboText(dlg),
                     static_cast<int>(dlg.m_comboPath.SendMessage(CB_GETCURSEL)), d.wYear, d.wMonth, d.wDay, t.wHour,
                     t.wMinute, t.wSecond, IsDlgButtonChecked(dlg.m_hWnd, IDC_CHANGE_CREATED),
                     IsDlgButtonChecked(dlg.m_hWnd, IDC_CHANGE_MODIFIED), IsDlgButtonChecked(dlg.m_hWnd, IDC_READ_ONLY));
        return state;
    }
};

// A count of entries is read no further than the history's ten; h00 to h11 are folders in the current one.
TEST_F(SettingsTest, WhatIsStoredIsShownOrFallsBackToTheDefaultAndComesBackAfterClose) {
    TempDir dir;
    CString twelve, item;    // ";File0="h00" to ";File11="h11"
    for (int i = 0; i < 12; ++i) {
        item.Format(_T(";File%d=\"h%02d"), i, i);
        twelve += item;
        MakeFolder(dir / item.Mid(item.GetLength() - 3));
    }
    SetCurrentDirectory(dir.Path());
    const CString gone = _T("HistoryCount=3;File0=\"C:\\gone;File1=\"C:\\windows;File2=\"C:\\users;");
    const TCHAR defaults[] = _T("; ; sel -1; 1980-01-01 00:00:01; boxes 010");
    const TCHAR goneShown[] = _T("C:\\windows|C:\\users; C:\\gone; sel -1; 1980-01-01 00:00:01; boxes 010");
    const TCHAR goneReshown[] = _T("C:\\windows|C:\\users; C:\\windows; sel -1; 1980-01-01 00:00:01; boxes 010");
    const struct { const char* what; CString stored; LPCTSTR shown, reshown; } cases[] = {
        {"first run", _T(""), defaults, nullptr}, {"month 13", _T("Year=2005;Month=13;Day=1"), defaults, nullptr},
        {"every value", _T("HistoryCount=3;File0=\"C:\\windows;File1=\"C:\\users;File2=\"C:\\Program Files;")
                        _T("HistorySelection=1;Year=2005;Month=6;Day=15;Hour=13;Minute=45;Second=10;")
                        _T("ChangeCreated=1;ChangeModified=0;ReadOnly=7"),
         _T("C:\\windows|C:\\users|C:\\Program Files; C:\\users; sel 1; 2005-06-15 13:45:10; boxes 101"), nullptr},
        {"a missing entry is left out but stays the target", gone, goneShown, goneReshown},
        {"the selection counts what loaded", gone + _T("HistorySelection=1"),
         _T("C:\\windows|C:\\users; C:\\users; sel 1; 1980-01-01 00:00:01; boxes 010"), nullptr},
        {"a selection past what loaded", gone + _T("HistorySelection=2"), goneShown, goneReshown},
        {"year 0xFFFFFFFF", _T("Year=0xFFFFFFFF"), defaults, nullptr},
        {"a count and a flag as text", _T("HistoryCount=\"1;File0=\"C:\\windows;ChangeCreated=\"1"), defaults, nullptr},
        {"an entry of the wrong type", _T("HistoryCount=1;File0=5"), defaults, nullptr},
        {"a count far beyond ten", _T("HistoryCount=0x7FFFFFFF") + twelve,
         _T("h00|h01|h02|h03|h04|h05|h06|h07|h08|h09; h00; sel -1; 1980-01-01 00:00:01; boxes 010"),
         _T("h00|h01|h02|h03|h04|h05|h06|h07|h08|h09; h00; sel 0; 1980-01-01 00:00:01; boxes 010")},
        {"a negative count", _T("HistoryCount=-3") + twelve, defaults, nullptr},
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
        EXPECT_EQ(State(again), CString(c.reshown != nullptr ? c.reshown : c.shown)) << "after Close";
    }
    SetCurrentDirectory(dir / _T(".."));
    // No apartment is left: each combo undid its own OLE initialisation, the second's S_FALSE too.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    CoUninitialize();
}

// Letter case aside, whatever was selected; clearing the only ticked time box ticks the other.
TEST_F(SettingsTest, CloseSavesTheEntryThatIsTheTargetAndTheBoxesAsClicked) {
    CDorvaneDlg dlg;
    Open(dlg);
    for (LPCTSTR entry : {_T("C:\\users"), _T("C:\\windows\\system32")})
        dlg.m_comboPath.AddString(entry);
    for (int box : {IDC_CHANGE_MODIFIED, IDC_CHANGE_CREATED, IDC_CHANGE_MODIFIED, IDC_READ_ONLY})
        Click(dlg, box);
    const struct { LPCTSTR target; int selected, saved; } cases[] = {{_T("C:\\windows\\system32"), 0, 1},
        {_T("C:\\USERS"), -1, 0}, {_T("C:\\windows\\sys"), 1, -1}, {_T("C:\\typed"), 1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.target));
        dlg.m_comboPath.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(c.selected));
        dlg.m_comboPath.SetWindowText(c.target);
        Click(dlg, IDCANCEL);
        EXPECT_EQ(ReadDword(_T("HistorySelection")), static_cast<DWORD>(c.saved));
        EXPECT_EQ(*ReadDword(_T("ChangeCreated")) * 100 + *ReadDword(_T("ChangeModified")) * 10 +
                      *ReadDword(_T("ReadOnly")), 101u) << "the boxes created, modified, read-only";
    }
}

// Refusals first: each message box is answered by the watch armed for its own case. A message comes in parts,
// each of which the box must say; a refused target has nothing stamped. Rows whose point this platform cannot show
// are left out, and the test then ends skipped, naming them.
TEST_F(MainWindowTest, GoGivesTheTargetTheChosenTimeOrRefusesItWithAMessage) {
    const std::uint64_t old = UnixToTicks(1000000000);    // 2001-09-09
    TempDir dir;
    CDorvaneDlg dlg;    // its combo gives the thread COM
    Open(dlg);
    HWND hDate = dlg.GetDlgItem(IDC_DATE);
    SYSTEMTIME range[2] = {};
    ASSERT_EQ(::SendMessage(hDate, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(TicksOf(CTime(range[0])), TicksOf(CTime(1601, 1, 2, 0, 0, 0))) << "a day inside what files hold";
    EXPECT_EQ(TicksOf(CTime(range[1])), TicksOf(CTime(9999, 12, 30, 23, 59, 59)));
    ::SendMessage(hDate, DTM_SETRANGE, 0, reinterpret_cast<LPARAM>(range));    // the command alone must refuse now
    const CString items = _T("target.txt|folder|folder\\inner.txt|to-folder.lnk|tree\\a");
    for (LPCTSTR file : {_T("target.txt"), _T("folder\\inner.txt"), _T("tree\\a"), _T("tree\\z")})
        MakeFile(dir / file);    // with its folder
    ASSERT_TRUE(CreateShortcut(dir / _T("to-folder.lnk"), dir / _T("folder")));
    // The folder lists "z", whose times cannot be written, after "a".
    const BusyFile busy(dir / _T("tree\\z"));
    TCHAR reason[256] = {};    // what Wine makes of "text file busy"
    FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_SHARING_VIOLATION, 0, reason, 256, nullptr);
    CheckDlgButton(dlg.m_hWnd, IDC_CHANGE_CREATED, BST_CHECKED);
    std::string unchecked;
    const SYSTEMTIME at = Local(2005, 6, 15, 13, 45, 10), midnight = Local(2000, 1, 1, 0, 0, 0);
    const struct { const char* what; LPCTSTR target; SYSTEMTIME date, time, when; LPCTSTR message, stamped; } cases[]{
        {"blanks", _T("  \t "), at, at, at, _T("You must specify a file or directory"), nullptr},
        {"no such target", _T("%s\\no"), at, at, at, _T("The file or folder \"%s\\no\" does not exist."), nullptr},
        {"before 1601 in UTC, east of Greenwich", _T("%s\\target.txt"), Local(1601, 1, 1, 0, 0, 0), midnight, at,
         _T("The chosen date and time cannot be given to a file: choose a date between the years 1601 and 9999."),
         nullptr},
        {"a file whose times cannot be written", _T("%s\\tree"), at, at, at, _T("%s\\tree\\z:|%s"), _T("tree\\a")},
        {"blanks around a file", _T(" %s\\target.txt \t"), at, at, at, nullptr, _T("target.txt")},
        {"a shortcut to a folder", _T("%s\\to-folder.lnk"), at, at, at, nullptr, _T("folder\\inner.txt")},
        {"02:30 though the time picker's own date skipped it", _T("%s\\target.txt"), Local(2024, 6, 15, 9, 9, 9),
         Local(2024, 10, 6, 2, 30, 0), Local(2024, 6, 15, 2, 30, 0), nullptr, _T("target.txt")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::uint64_t ticks = TicksOf(CTime(c.when));
        for (const CString& item : Split(items, _T('|')))
            WriteTimes(dir / item, {old, old, old});
        for (const auto& [id, time] : {std::make_pair(IDC_DATE, c.date), std::make_pair(IDC_TIME, c.time)})
            EXPECT_TRUE(SendDlgItemMessage(dlg.m_hWnd, id, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&time)));
        const char* unheld = PickerTime(dlg, IDC_DATE).wYear != c.date.wYear ? "Wine's date picker begins in 1752"
                             : !busy.IsMade() && CString(c.target) == _T("%s\\tree") ? "only Wine's Unix side makes it"
                                                                                        : nullptr;
        if (unheld != nullptr) {
            unchecked += std::string(c.what) + " (" + unheld + "); ";
            continue;
        }
        CString target, history = History(dlg), stamped, message;
        target.Format(c.target, dir.Path());
        auto box = c.message != nullptr ? AnswerNextMessageBox(IDOK) : nullptr;
        dlg.m_comboPath.SetWindowText(target);
        Go(dlg);
        for (const CString& item : Split(items, _T('|'))) {    // "?" marks a time neither old nor the chosen one
            const FileTimes times = ReadTimes(dir / item);
            const bool exact = times.lastWrite == ticks && (!PlatformKeepsCreationTime() || times.creation == ticks);
            if (times.lastWrite != old)
                stamped += (stamped.IsEmpty() ? _T("") : _T("|")) + item + (exact ? _T("") : _T("?"));
        }
        EXPECT_EQ(stamped, c.stamped != nullptr ? c.stamped : _T(""));
        EXPECT_TRUE(dlg.IsWindowVisible() && ::IsWindowEnabled(dlg.GetDlgItem(IDOK))) << "Go! is enabled again";
        EXPECT_NE(::GetCursor(), ::LoadCursor(nullptr, IDC_WAIT));
        target.Trim();
        if (c.stamped == nullptr)
            EXPECT_EQ(History(dlg), history) << "a refused target joins no history";
        else
            EXPECT_EQ(ComboText(dlg) + _T(" ") + Split(History(dlg), _T('|'))[0], target + _T(" ") + target)
                << "the text, and the history's top entry";
        if (box == nullptr)
            continue;
        message.Format(c.message, dir.Path(), CString(reason).TrimRight().GetString());
        for (const CString& part : Split(message, _T('|')))
            EXPECT_NE(box->text.Find(part), -1) << Narrow(box->text);
        EXPECT_EQ(box->caption + (box->hOwner == dlg.m_hWnd ? _T(", over the window") : _T("")),
                  _T("Dorvane, over the window"));
    }
    if (!unchecked.empty())
        GTEST_SKIP() << "not checked: " << unchecked;
}

// Go! journals its run and keeps ten journals, its own the newest; Undo asks, naming the target and the items, puts
// every time back to the tick and removes that journal. With no journal the menu item is greyed.
TEST_F(MainWindowTest, UndoLastGoPutsBackTheNewestRunAndRemovesItsJournal) {
    TempDir dir;
    for (int i = 0; i < 3; ++i)
        MakeFile(dir / CString(_T("abc")).Mid(i, 1), 0, OwnTimes(i));
    CDorvaneDlg dlg;
    Open(dlg);
    const auto greyed = [&] { return (GetMenuState(dlg.GetSystemMenu(FALSE), IDM_UNDO_LAST_GO, 0) & MF_GRAYED) != 0; };
    EXPECT_TRUE(greyed()) << "no journal";
    const CJournalShelf shelf;
    MakeFolder(shelf.Folder());    // a test before may have left none
    CString old;    // older runs' journals, made up: 11 and Go!'s make 12, of which the two oldest go
    for (int i = 0; i < 11; ++i)
        old.Format(_T("%s\\20000101-000000-000-%03d.txt"), shelf.Folder().GetString(), i), WriteFile(old);
    dlg.m_comboPath.SetWindowText(dir.Path());
    Go(dlg);
    const std::vector<CString> kept = shelf.Journals();
    ASSERT_EQ(kept.size(), 10u);
    EXPECT_EQ(kept[1], old);
    EXPECT_EQ(kept.back(), shelf.Folder() + _T("\\20000101-000000-000-002.txt"));
    EXPECT_NE(ReadTimes(dir / _T("a")).lastWrite, OwnTimes(0).lastWrite) << "Go! stamped";
    EXPECT_FALSE(greyed());
    MessageBoxSeen asked;
    std::shared_ptr<MessageBoxSeen> told;
    RunWhen([&] {    // the question, then the outcome
        HWND hBox = FindMessageBox();
        if (hBox != nullptr)
            asked.text = CWnd::GetWindowTextOf(::GetDlgItem(hBox, 0xFFFF)), PressDialogButton(hBox, IDYES),
            told = AnswerNextMessageBox(IDOK);
        return hBox != nullptr;
    }, [] {});
    dlg.SendMessage(WM_SYSCOMMAND, IDM_UNDO_LAST_GO);
    WaitForRun(dlg);
    EXPECT_EQ(asked.text.Find(_T("Put back the times of 3 items under ") + dir.Path() + _T(" changed today at ")), 0)
        << Narrow(asked.text);
    ASSERT_TRUE(told != nullptr);
    EXPECT_EQ(told->text, _T("Times put back: 3 items.\nChanged since the run, and left alone: 0.\nFailed: 0."));
    for (int i = 0; i < 3; ++i)
        ExpectTimes(dir / CString(_T("abc")).Mid(i, 1), OwnTimes(i));
    EXPECT_EQ(shelf.Journals().front(), old) << "the run's journal is gone";
    // A newer journal that cannot be read, set aside when the user says so, no longer stands in front of the others.
    const CString damaged = shelf.Folder() + _T("\\29990101-000000-000-000.txt");
    WriteFile(damaged, "not a journal\n");
    const auto setAside = AnswerNextMessageBox(IDYES);
    dlg.SendMessage(WM_SYSCOMMAND, IDM_UNDO_LAST_GO);
    EXPECT_EQ(setAside->text.Find(_T("The journal \"") + damaged + _T("\" cannot be read.")), 0) << Narrow(setAside->text);
    EXPECT_EQ(shelf.Journals().front(), old);
    EXPECT_TRUE(DeleteFile(damaged + _T(".unreadable"))) << "kept beside the others";
    // A Go! that changed nothing leaves no journal in front of the others (Undo takes back the run before), nor
    // costs the oldest of ten its place.
    old.Format(_T("%s\\20000101-000000-000-011.txt"), shelf.Folder().GetString()), WriteFile(old);
    ASSERT_EQ(shelf.Journals().size(), 10u);
    MakeFolder(dir / _T("empty"));
    dlg.m_comboPath.SetWindowText(dir / _T("empty"));
    Go(dlg);
    EXPECT_EQ(shelf.Journals().size(), 10u);
    EXPECT_EQ(shelf.Journals().front(), old);
}

// The progress window of the run going on, shown or not yet; nullptr when none is.
HWND ProgressWindow(const CDorvaneDlg& dlg) {
    for (HWND h = nullptr; (h = FindWindowEx(nullptr, h, WC_DIALOG, nullptr)) != nullptr;)
        if (GetWindow(h, GW_OWNER) == dlg.m_hWnd && GetDlgItem(h, IDC_PROGRESS_COUNT) != nullptr)
            return h;
    return nullptr;
}

bool In2005(const CString& path) {
    SYSTEMTIME written = {};
    FILETIME times = FileTimeOf(ReadTimes(path).lastWrite);
    return FileTimeToSystemTime(&times, &written) && written.wYear == 2005;
}

// A short run shows nothing. A long one shows its window after about a second; closing the main window asks
// first, and "No" lets the run go on; a second Go! starts nothing; Stop ends the run within 200 ms, all it did
// journaled.
TEST_F(MainWindowTest, ALongRunShowsItsProgressAndStopsWhenAsked) {
    TempDir dir;
    MakeFile(dir / _T("short\\a"));
    const int kFolders = 40;
    const ManyLinks many(dir / _T("long"), kFolders, 1000);
    if (!many.IsMade())
        GTEST_SKIP() << "only Wine's Unix side makes 40,000 names in a moment";
    CDorvaneDlg dlg;
    Open(dlg);
    const SYSTEMTIME in2005 = Local(2005, 6, 15, 13, 45, 10);
    SendDlgItemMessage(dlg.m_hWnd, IDC_DATE, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&in2005));
    bool shown = false;
    dlg.m_comboPath.SetWindowText(dir / _T("short"));
    for (Click(dlg, IDOK); dlg.IsRunning(); PumpMessages())
        shown = shown || IsWindowVisible(ProgressWindow(dlg));
    EXPECT_FALSE(shown) << "a short run shows nothing";
    EXPECT_TRUE(In2005(dir / _T("short\\a")));

    dlg.m_comboPath.SetWindowText(dir / _T("long"));
    const ULONGLONG started = GetTickCount64();
    HWND hProgress = nullptr;
    for (Click(dlg, IDOK); dlg.IsRunning() && !IsWindowVisible(hProgress = ProgressWindow(dlg));)
        PumpMessages(), MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    if (!dlg.IsRunning())
        GTEST_SKIP() << "40,000 names took less than a second here: no run to watch";
    EXPECT_GE(GetTickCount64() - started, 900u);
    EXPECT_EQ(CWnd::GetWindowTextOf(GetDlgItem(hProgress, IDC_PROGRESS_FOLDER)).Find(dir / _T("long\\")), 0);
    dlg.SendMessage(WM_SETCURSOR, WPARAM(dlg.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_APPSTARTING)) << "the pointer says work goes on";
    const auto asked = AnswerNextMessageBox(IDNO);
    dlg.SendMessage(WM_CLOSE);
    EXPECT_TRUE(asked->shown && dlg.IsRunning() && dlg.IsWindowVisible()) << "No lets the run go on";
    dlg.SendMessage(WM_COMMAND, IDOK);
    const ULONGLONG stopped = GetTickCount64();
    PressDialogButton(hProgress, IDCANCEL);
    WaitForRun(dlg);
    EXPECT_LE(GetTickCount64() - stopped, 200u);
    const std::vector<CString> journals = CJournalShelf().Journals();
    ASSERT_EQ(journals.size(), 2u) << "one for each Go! that ran";
    // The names of a folder are one file: it has the new time exactly when the journal names one of them.
    std::vector<int> journaled(kFolders + 1);
    CJournalReader journal(journals.front());
    for (CJournalEntry entry; journal.Next(entry) == CJournalReader::kItem;) {
        const CString folder = entry.path.Left(entry.path.ReverseFind(_T('\\')));
        ++journaled.at(_ttoi(folder.Mid(folder.ReverseFind(_T('\\')) + 1)));
    }
    CString stamped, named;
    for (int folder = 1; folder <= kFolders; ++folder) {
        CString name;
        name.Format(_T("long\\%d\\0"), folder);
        stamped += In2005(dir / name) ? _T("1") : _T("0");
        named += journaled[folder] > 0 ? _T("1") : _T("0");
    }
    EXPECT_EQ(stamped, named);
    EXPECT_NE(named.Find(_T("0")), -1) << "stopped before the end";
}

// Nothing is stamped that could not be taken back: a file where the journals' folder goes.
TEST_F(MainWindowTest, GoWhoseJournalCannotBeMadeChangesNothingAndSaysWhy) {
    TempDir dir;
    const CString file = MakeFile(dir / _T("a")), folder = CJournalShelf().Folder();
    RemoveDirectory(folder);
    MakeFile(folder);
    CDorvaneDlg dlg;
    Open(dlg);
    auto box = AnswerNextMessageBox(IDOK);
    dlg.m_comboPath.SetWindowText(file);
    Go(dlg);
    DeleteFile(folder);
    ExpectTimes(file, OwnTimes());
    EXPECT_EQ(box->text.Find(_T("Nothing was changed: the journal that lets Undo take the run back cannot be made in \"") +
                             folder + _T("\".\n")), 0) << Narrow(box->text);
}

// The file picker's name box: a combo box on Windows, an edit field on Wine.
HWND NameBox(HWND h) { return GetDlgItem(h, cmb13) ? GetDlgItem(h, cmb13) : GetDlgItem(h, edt1); }

// The chooser starts at the target without trailing blanks and separator; a choice outside the file system counts
// as none; a folder confirmed becomes the target, in place of the history's tenth entry. Windows refuses to open the
// file picker on a name that is no file name and the program opens it again without one, where Wine opens it on
// any name: one picker shows, and its cancel is not taken for a refusal.
TEST_F(MainWindowTest, EachPickerStartsAtTheTargetAndItsChoiceBecomesTheTarget) {
    TempDir dir;
    MakeFolder(dir / _T("Initial"));
    Sleep(20);    // Wine's chooser finds a folder by bytes holding its access time, which a first listing moves
    WIN32_FIND_DATA data;
    for (LPCTSTR folder : {_T("\\..\\*"), _T("\\*"), _T("\\Initial\\*")})
        FindClose(FindFirstFile(dir.Path() + folder, &data));
    CDorvaneDlg dlg;
    Open(dlg);
    for (const CString& entry : Split(_T("C:\\0|C:\\1|C:\\2|C:\\3|C:\\4|C:\\5|C:\\6|C:\\7|C:\\8|C:\\9"), _T('|')))
        dlg.m_comboPath.AddString(entry);
    dlg.m_btnGo.EnableWindow(FALSE);
    // Clicks the button; answer gets each picker that shows (one left open 10 s is cancelled). Returns how many.
    const auto pick = [&dlg](int nButton, const std::function<void(HWND)>& answer) {
        auto shown = std::make_shared<std::vector<HWND>>();
        auto done = std::make_shared<bool>(false);
        RunWhen([=] {
            HWND hPicker = *done ? nullptr : FindMessageBox();
            if (hPicker != nullptr && (shown->empty() || shown->back() != hPicker))
                answer(shown->emplace_back(hPicker));
            return *done;
        }, [] { PressDialogButton(FindMessageBox(), IDCANCEL); });
        Click(dlg, nButton);
        *done = true;
        return static_cast<int>(shown->size());
    };
    // The target; the history; whether the caret is after the target; whether Go! is enabled.
    const auto state = [&dlg] {
        const CString text = ComboText(dlg);
        const bool atEnd = dlg.m_comboPath.GetEditSel() == DWORD(MAKELONG(text.GetLength(), text.GetLength()));
        return text + _T("; ") + History(dlg) + (atEnd ? _T("; caret at end") : _T("")) +
               (::IsWindowEnabled(dlg.GetDlgItem(IDOK)) ? _T("; Go!") : _T(""));
    };
    dlg.m_comboPath.SetWindowText(dir / _T("Initial\\ \t "));
    CString before = state();
    EXPECT_EQ(pick(IDC_CHOOSE_FOLDER, [](HWND hChooser) {
        EXPECT_EQ(CWnd::GetWindowTextOf(GetDlgItem(hChooser, 0x3742)), _T("Choose a folder"));
        EXPECT_EQ(GetWindow(hChooser, GW_OWNER), nullptr) << "no owner: the main window stays usable";
        LPITEMIDLIST computer = nullptr;
        SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
        ::SendMessage(hChooser, BFFM_SETSELECTION, FALSE, reinterpret_cast<LPARAM>(computer));
        CoTaskMemFree(computer);
        PressDialogButton(hChooser, IDOK);
    }), 1);
    EXPECT_EQ(state(), before);
    dlg.m_comboPath.SetWindowText(dir / _T("Initial/  "));
    EXPECT_EQ(pick(IDC_CHOOSE_FOLDER, [](HWND h) { PressDialogButton(h, IDOK); }), 1);
    const CString initial = dir / _T("Initial");
    EXPECT_EQ(state(), initial + _T("; C:\\0|C:\\1|C:\\2|C:\\3|C:\\4|C:\\5|C:\\6|C:\\7|C:\\8|") + initial +
                           _T("; caret at end; Go!"));
    dlg.m_btnGo.EnableWindow(FALSE);
    dlg.m_comboPath.SetWindowText(dir / _T("half <typed> |"));
    before = state();
    EXPECT_EQ(pick(IDC_SELECT_FILE, [](HWND hPicker) {
        EXPECT_EQ(CWnd::GetWindowTextOf(hPicker), _T("Select file"));
        const CString name = CWnd::GetWindowTextOf(NameBox(hPicker));
        EXPECT_TRUE(name.IsEmpty() || (RunningUnderWine() && name == _T("half <typed> |"))) << Narrow(name);
        EXPECT_EQ(::SendMessage(GetDlgItem(hPicker, cmb1), CB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(CWnd::GetWindowTextOf(GetDlgItem(hPicker, cmb1)), _T("All Files (*.*) "));
        SetWindowText(NameBox(hPicker), _T("other.txt"));
        PressDialogButton(hPicker, IDCANCEL);
    }), 1);
    EXPECT_EQ(state(), before);
}

// The height of the rows painted in other colours than the face; a button's edges, its outer ring, do not count.
int InkHeight(const Pixels& p) {
    int top = p.cy, bottom = 0;
    for (int y = 1; y < p.cy - 1; ++y)
        for (int x = 1; x < p.cx - 1; ++x)
            if (p.At(x, y) != GetSysColor(COLOR_BTNFACE) && p.At(x, y) != RGB(255, 0, 255))
                top = std::min(top, y), bottom = y + 1;
    return std::max(0, bottom - top);
}

// An icon button's icon, taller than its caption, shows as tall as the image made for 32 px at 96 DPI scaled to the
// DPI. Wine takes LogPixels as a process starts: the test runs itself at each DPI (Windows, at sign-in: the current).
TEST_F(MainWindowTest, IconButtonsDrawTheirIconsForTheDisplayScale) {
    const std::string asked = GetEnv("DORVANE_TEST_DPI");
    for (DWORD dpi : {192, 144, 96}) {    // the prefix is left at 96, Wine's default
        if (!asked.empty() || !RunningUnderWine())
            break;
        RegSetKeyValue(HKEY_CURRENT_USER, _T("Control Panel\\Desktop"), _T("LogPixels"), REG_DWORD, &dpi, 4);
        _putenv(("DORVANE_TEST_DPI=" + std::to_string(dpi)).c_str());
        EXPECT_EQ(_spawnl(_P_WAIT, _pgmptr, "-", "--gtest_brief=1", "--gtest_filter=*ForTheDisplayScale", nullptr), 0);
    }
    CDorvaneDlg dlg;
    Open(dlg);
    const int dpi = static_cast<int>(dlg.GetDpi()), nSize = MulDiv(32, dpi, 96);
    ASSERT_TRUE(asked.empty() || dpi == std::stoi(asked)) << dpi << " DPI: the process did not take LogPixels";
    const struct { const char* name; int nID, nIconID; } buttons[] = {{"Go!", IDOK, IDI_TICK}, {"Close", IDCANCEL,
        IDI_CROSS}, {"About", IDC_ABOUT, IDI_INFO_DARK}, {"file", IDC_SELECT_FILE, IDI_DOCUMENT}, {"folder",
        IDC_CHOOSE_FOLDER, IDI_FOLDER}};
    for (const auto& b : buttons) {    // the image centred as the button centres it, cut off where the button ends
        const Pixels face = ClientPixels(dlg.GetDlgItem(b.nID));
        HANDLE h = LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(b.nIconID), IMAGE_ICON, nSize, nSize, LR_SHARED);
        const Pixels image(face.cx, face.cy, [&](HDC dc) {
            DrawIconEx(dc, 0, (face.cy - nSize) / 2, HICON(h), 0, 0, 0, GetSysColorBrush(COLOR_BTNFACE), DI_NORMAL); });
        EXPECT_EQ(InkHeight(face), InkHeight(image)) << b.name << " at " << dpi << " DPI";
    }
    // The program's icon, 32 px at 96 DPI (16 in the caption), in the main window and the About box, each of which
    // loads it again for a display of another scale.
    const auto width = [](LRESULT hIcon) { return ShapeOf(reinterpret_cast<HICON>(hIcon))[0]; };
    const UINT other = dpi == 96 ? 192 : 96;
    const int nOther = MulDiv(32, static_cast<int>(other), 96);
    const auto moveTo = [other](CWnd& wnd) {
        RECT rc = {};
        GetWindowRect(wnd.m_hWnd, &rc);
        wnd.SendMessage(WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&rc));
    };
    const auto icons = [&] {    // the small one at twice its size
        return std::make_pair(width(dlg.SendMessage(WM_GETICON, ICON_BIG)),
                              width(dlg.SendMessage(WM_GETICON, ICON_SMALL)) * 2);
    };
    EXPECT_EQ(icons(), std::make_pair(nSize, nSize));
    moveTo(dlg);
    EXPECT_EQ(icons(), std::make_pair(nOther, nOther));
    CAboutDlg box;
    DoModalScripted(box, [&] {
        const auto shown = [&] { return width(SendDlgItemMessage(box.m_hWnd, IDC_ABOUT_ICON, STM_GETICON, 0, 0)); };
        EXPECT_EQ(shown(), nSize);
        moveTo(box);
        EXPECT_EQ(shown(), nOther);
        box.EndDialog(IDOK);
    });
}
