// The stamp command: what Go! (and the Enter key) does.
#include "main_window/DorvaneDlg.h"

#include "framework/CWaitCursor.h"
#include "framework/CWinApp.h"
#include "framework/FileTimes.h"
#include "main_window/JournalShelf.h"
#include "resources/resource.h"
#include "stamping/LongPath.h"
#include "stamping/PathChecks.h"
#include "stamping/StampEngine.h"

#include <memory>

namespace
{
// A Go!'s journal, made and kept by the run. A run that changed nothing
// leaves none behind: Undo would have nothing to take back from it, and it
// would stand in front of the run before. (Should the empty one not go, Undo
// meets it and takes back its nothing.) Once a run has left one, the shelf
// is pruned: then the new journal counts with all it holds, and a run that
// changed nothing costs no older journal its place.
class CRunJournal
{
public:
    CRunJournal(const CJournalShelf& shelf, std::unique_ptr<CJournalWriter> writer)
        : m_shelf(shelf), m_writer(std::move(writer))
    {
    }
    ~CRunJournal()
    {
        const CString path = m_writer->Path();
        const bool bEmpty = m_writer->Items() == 0;
        m_writer.reset();
        if (bEmpty)
            DeleteFile(path);
        else
            m_shelf.Prune();
    }
    CRunJournal(const CRunJournal&) = delete;
    CRunJournal& operator=(const CRunJournal&) = delete;

    CJournalWriter* Writer() const { return m_writer.get(); }

private:
    const CJournalShelf m_shelf;
    std::unique_ptr<CJournalWriter> m_writer;
};

// The journal of a run about to stamp strTarget, on the shelf Undo reads;
// nullptr with the reason in dwError when it cannot be made.
std::shared_ptr<CRunJournal> StartJournal(const CJournalShelf& shelf, const CString& strTarget, DWORD& dwError)
{
    CString path;
    if (!shelf.MakeRoomForRun(path))
    {
        dwError = GetLastError();
        return nullptr;
    }
    auto writer = std::make_unique<CJournalWriter>(path, std::vector<CString>{
                                                             FromExtendedLengthPath(ToExtendedLengthPath(strTarget))});
    dwError = writer->Error();
    return dwError == ERROR_SUCCESS ? std::make_shared<CRunJournal>(shelf, std::move(writer)) : nullptr;
}
}

void CDorvaneDlg::OnOK()
{
    // The Enter key reaches here while Go! is greyed.
    if (IsRunning())
    {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    CWaitCursor wait;
    PutTimeOnChosenDate();
    UpdateData(TRUE);

    m_strPath.TrimLeft();
    m_strPath.TrimRight();
    if (m_strPath.IsEmpty())
    {
        MessageBox(_T("You must specify a file or directory"), AfxGetAppName(), MB_ICONEXCLAMATION);
        return;
    }

    // A target that is not there is said so: a mistyped path must not look
    // like a stamp that worked.
    if (!CPathCombo::PathExists(m_strPath))
    {
        wait.Restore();
        MessageBox(_T("The file or folder \"") + m_strPath + _T("\" does not exist."), AfxGetAppName(),
                   MB_ICONEXCLAMATION);
        return;
    }

    if (!ComposeStampTime())
    {
        wait.Restore();
        CString message;
        message.Format(_T("The chosen date and time cannot be given to a file: "
                          "choose a date between the years %d and %d."),
                       kFirstFileYear, kLastFileYear);
        MessageBox(message, AfxGetAppName(), MB_ICONEXCLAMATION);
        return;
    }

    // A run that could not be taken back is not started.
    const CString target = PathChecks::TargetOf(m_strPath);
    const CJournalShelf shelf;
    DWORD dwJournalError = ERROR_SUCCESS;
    std::shared_ptr<CRunJournal> journal = StartJournal(shelf, target, dwJournalError);
    if (!journal)
    {
        wait.Restore();
        const CString reason = CStampFailure(shelf.Folder(), LONG(dwJournalError)).GetSystemReason();
        MessageBox(_T("Nothing was changed: the journal that lets Undo take the run back cannot be made in \"") +
                       shelf.Folder() + _T("\".\n") + reason,
                   AfxGetAppName(), MB_ICONEXCLAMATION);
        return;
    }
    UpdateUndoItem();

    m_comboPath.AddToHistory(m_strPath);
    // Rebuilding the history empties the edit field.
    m_comboPath.SetWindowText(m_strPath);

    // A shortcut stands for the item it points to, as the path checks judge
    // it: its target is what gets the new time. That item is judged as it is,
    // without looking through it again: a shortcut to a shortcut stamps the
    // second shortcut, as dropping it would make it the target. The dialog
    // stamps one target at a time and the first failure ends it: the
    // engine's default observer throws it on, to be reported to the user
    // once the run has ended.
    const CStampOptions options = ChosenOptions();
    StartRun(
        [options, journal = std::move(journal), target](CStampObserver& observer, const CStopRequest& stop) {
            CStampEngine(options, observer, journal->Writer(), &stop).StampTarget(target);
        },
        std::make_shared<CStampObserver>(), _T("Changing the times of the files in:"), target, [](bool) {});
}

// The ticked times get the stamp time; the last-access time is left alone,
// and so are the folders' own times.
CStampOptions CDorvaneDlg::ChosenOptions() const
{
    // An invalid stamp time stays at tick 0, which the engine refuses.
    FILETIME stamp = {};
    m_stampTime.GetAsFileTime(stamp);
    CStampOptions options;
    if (m_bChangeCreated)
        options.times[kCreated] = CTimeChoice::At(TicksOf(stamp));
    if (m_bChangeModified)
        options.times[kModified] = CTimeChoice::At(TicksOf(stamp));
    options.bReadOnly = m_bReadOnly != FALSE;
    return options;
}

// The time picker holds a date of its own, the one it was last given, which
// nobody sees. Its time of day is read as a local time on that date, so were
// that a day the clocks change, an hour the change skips would read as
// another: the picker's date becomes the chosen date first.
void CDorvaneDlg::PutTimeOnChosenDate()
{
    SYSTEMTIME date;
    SYSTEMTIME time;
    HWND hDate = GetDlgItem(IDC_DATE);
    HWND hTime = GetDlgItem(IDC_TIME);
    if (::SendMessage(hDate, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) != GDT_VALID ||
        ::SendMessage(hTime, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID)
        return;
    time.wYear = date.wYear;
    time.wMonth = date.wMonth;
    time.wDay = date.wDay;
    time.wDayOfWeek = date.wDayOfWeek;
    ::SendMessage(hTime, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

// The new stamp time: the date from the date picker, the time of day from the
// time picker, in local time with the platform deciding about daylight saving
// from that date. False when the two do not make a time a file can hold.
bool CDorvaneDlg::ComposeStampTime()
{
    struct tm date;
    struct tm time;
    if (!m_date.GetLocalTm(&date) || !m_time.GetLocalTm(&time))
        return false;
    m_stampTime = CTime(date.tm_year + 1900, date.tm_mon + 1, date.tm_mday, time.tm_hour, time.tm_min,
                        time.tm_sec, -1);
    return m_stampTime.IsValid();
}
