// Undo last Go!: puts back the times the newest journaled run replaced. It
// writes no journal of its own and touches only the items the journal names.
#include "main_window/DorvaneDlg.h"

#include "framework/CWinApp.h"
#include "framework/NumberFormat.h"
#include "main_window/JournalShelf.h"
#include "resources/resource.h"
#include "stamping/StampEngine.h"

namespace
{
// What an undo did, item by item, for its one message at the end.
class CUndoOutcome : public CStampObserver
{
public:
    void Changed(LPCTSTR, const CItemTimes&, const CItemTimes&) override { ++m_nPutBack; }
    void ChangedSince(LPCTSTR) override { ++m_nChangedSince; }
    void Failed(const CStampFailure& failure) override { Fail(failure.GetErrorMessage()); }
    void Fail(const CString& strWhy)
    {
        if (m_nFailed++ == 0)
            m_strFirstFailure = strWhy;
    }
    int Failures() const { return m_nFailed; }
    // bStopped: the run was stopped before the journal's end.
    CString Text(bool bStopped) const;

private:
    int m_nPutBack = 0;
    int m_nChangedSince = 0;
    int m_nFailed = 0;
    CString m_strFirstFailure;
};

CString CUndoOutcome::Text(bool bStopped) const
{
    CString text;
    text.Format(_T("Times put back: %s items.\nChanged since the run, and left alone: %s.\nFailed: %s."),
                FormatCount(m_nPutBack).GetString(), FormatCount(m_nChangedSince).GetString(), FormatCount(m_nFailed).GetString());
    if (m_nFailed > 0)
        text += _T("\n\nThe first failure: ") + m_strFirstFailure +
                _T("\n\nThe journal is kept, so that Undo can try the failed items again.");
    else if (bStopped)
        text += _T("\n\nStopped before the end: the journal is kept, so that Undo can put back the rest.");
    return text;
}

// "today at 14:02", or "on 2024-01-31 at 14:02": when the run started, in local time.
CString WhenText(Ticks started)
{
    SYSTEMTIME run = {}, today = {};
    CTime(FileTimeOf(started)).GetAsSystemTime(run);
    GetLocalTime(&today);
    CString when;
    if (run.wYear == today.wYear && run.wMonth == today.wMonth && run.wDay == today.wDay)
        when.Format(_T("today at %02d:%02d"), run.wHour, run.wMinute);
    else
        when.Format(_T("on %04d-%02d-%02d at %02d:%02d"), run.wYear, run.wMonth, run.wDay, run.wHour, run.wMinute);
    return when;
}

// What the confirmation names of a journal's run: its targets ("C:\Photos"),
// its items (a line each: a journal of a million is counted in a moment,
// where reading each item would keep the window from answering) and when
// it started.
struct CRunSummary
{
    CString targets;
    int nItems = 0;
    Ticks started = 0;
};

// ERROR_SUCCESS, or why the journal cannot be read.
DWORD Summarize(const CString& strJournal, CRunSummary& summary)
{
    CJournalReader journal(strJournal);
    summary.nItems = journal.SkipToEnd();
    for (const CString& target : journal.Targets())
        summary.targets += (summary.targets.IsEmpty() ? _T("") : _T(", ")) + target;
    summary.started = journal.Started();
    return journal.Error();
}

// "Put back the times of 12,345 items under C:\Photos changed today at 14:02?"
CString Question(const CRunSummary& run)
{
    return _T("Put back the times of ") + FormatCount(run.nItems) +
           (run.nItems == 1 ? _T(" item under ") : _T(" items under ")) + run.targets + _T(" changed ") +
           WhenText(run.started) + _T("?");
}
}

void CDorvaneDlg::OnUndoLastGo()
{
    // The menu item is greyed during a run; a keyboard shortcut is not.
    if (IsRunning())
        return;
    const CJournalShelf shelf;
    const std::vector<CString> journals = shelf.Journals();
    // Another copy of the program may have taken the last one back.
    if (journals.empty())
        return UpdateUndoItem();
    const CString& newest = journals.front();
    CRunSummary run;
    const DWORD dwError = Summarize(newest, run);
    if (dwError != ERROR_SUCCESS)
        return SetAsideUnreadable(newest, dwError);
    if (MessageBox(Question(run), AfxGetAppName(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    const auto outcome = std::make_shared<CUndoOutcome>();
    StartRun(
        [newest, outcome](CStampObserver& observer, const CStopRequest& stop) {
            CJournalReader journal(newest);
            CStampEngine engine(CStampOptions(), observer, nullptr, &stop);
            engine.PutBackAll(journal, [&](const CString& strLine) {
                outcome->Fail(strLine + _T(": ") + CStampFailure(strLine, ERROR_BAD_FORMAT).GetSystemReason());
            });
            if (journal.Error() != ERROR_SUCCESS)
                outcome->Fail(CStampFailure(newest, LONG(journal.Error())).GetErrorMessage());
        },
        outcome, _T("Putting back the times of the files under:"), run.targets,
        [this, newest, outcome](bool bStopped) {
            if (outcome->Failures() == 0 && !bStopped)
                DeleteFile(newest);
            UpdateUndoItem();
            MessageBox(outcome->Text(bStopped), AfxGetAppName(), MB_ICONINFORMATION);
        });
}

// A journal that cannot be read would stand in front of every older one for
// good: the user may set it aside, renamed so that the shelf no longer lists
// it, and Undo then takes back the run before it.
void CDorvaneDlg::SetAsideUnreadable(const CString& strJournal, DWORD dwError)
{
    const CString aside = strJournal + _T(".unreadable");
    if (MessageBox(_T("The journal \"") + strJournal + _T("\" cannot be read.\n") +
                       CStampFailure(strJournal, LONG(dwError)).GetSystemReason() +
                       _T("\n\nSet it aside, so that Undo can take back the run before it? It stays in its folder as \"") +
                       aside + _T("\"."),
                   AfxGetAppName(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    if (!MoveFile(strJournal, aside))
        MessageBox(_T("The journal \"") + strJournal + _T("\" cannot be set aside.\n") +
                       CStampFailure(strJournal, LONG(GetLastError())).GetSystemReason(),
                   AfxGetAppName(), MB_ICONEXCLAMATION);
    UpdateUndoItem();
}

void CDorvaneDlg::UpdateUndoItem()
{
    HMENU hSysMenu = GetSystemMenu(FALSE);
    if (hSysMenu != nullptr)
        EnableMenuItem(hSysMenu, IDM_UNDO_LAST_GO,
                       MF_BYCOMMAND | (IsRunning() || CJournalShelf().Journals().empty() ? MF_GRAYED : MF_ENABLED));
}
