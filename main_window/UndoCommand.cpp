// Undo last Go!: puts back the times the newest journaled run replaced. It
// writes no journal of its own and touches only the items the journal names.
#include "main_window/DorvaneDlg.h"

#include "framework/CWaitCursor.h"
#include "framework/CWinApp.h"
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
    CString Text() const;

private:
    int m_nPutBack = 0;
    int m_nChangedSince = 0;
    int m_nFailed = 0;
    CString m_strFirstFailure;
};

// 12345 as "12,345".
CString Grouped(int nCount)
{
    CString digits;
    digits.Format(_T("%d"), nCount);
    CString grouped;
    for (int nAt = 0; nAt < digits.GetLength(); ++nAt)
    {
        if (nAt > 0 && (digits.GetLength() - nAt) % 3 == 0)
            grouped += _T(",");
        grouped += digits.Mid(nAt, 1);
    }
    return grouped;
}

CString CUndoOutcome::Text() const
{
    CString text;
    text.Format(_T("Times put back: %s items.\nChanged since the run, and left alone: %s.\nFailed: %s."),
                Grouped(m_nPutBack).GetString(), Grouped(m_nChangedSince).GetString(), Grouped(m_nFailed).GetString());
    if (m_nFailed > 0)
        text += _T("\n\nThe first failure: ") + m_strFirstFailure +
                _T("\n\nThe journal is kept, so that Undo can try the failed items again.");
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

// The confirmation: "Put back the times of 12,345 items under C:\Photos changed today at 14:02?".
// Empty with the reason in dwError when the journal cannot be read.
CString Question(const CString& strJournal, DWORD& dwError)
{
    CJournalReader journal(strJournal);
    int nItems = 0;
    CJournalEntry entry;
    for (auto result = journal.Next(entry); result != CJournalReader::kEnd; result = journal.Next(entry))
        nItems += result == CJournalReader::kItem ? 1 : 0;
    dwError = journal.Error();
    if (dwError != ERROR_SUCCESS)
        return CString();
    CString targets;
    for (const CString& target : journal.Targets())
        targets += (targets.IsEmpty() ? _T("") : _T(", ")) + target;
    return _T("Put back the times of ") + Grouped(nItems) + (nItems == 1 ? _T(" item under ") : _T(" items under ")) +
           targets + _T(" changed ") + WhenText(journal.Started()) + _T("?");
}
}

void CDorvaneDlg::OnUndoLastGo()
{
    const CJournalShelf shelf;
    const std::vector<CString> journals = shelf.Journals();
    // Another copy of the program may have taken the last one back.
    if (journals.empty())
        return UpdateUndoItem();
    const CString& newest = journals.front();
    DWORD dwError = ERROR_SUCCESS;
    const CString question = Question(newest, dwError);
    if (dwError != ERROR_SUCCESS)
    {
        MessageBox(_T("The journal \"") + newest + _T("\" cannot be read.\n") +
                       CStampFailure(newest, LONG(dwError)).GetSystemReason(),
                   AfxGetAppName(), MB_ICONEXCLAMATION);
        return;
    }
    if (MessageBox(question, AfxGetAppName(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    CWaitCursor wait;
    CUndoOutcome outcome;
    {
        CJournalReader journal(newest);
        CStampEngine engine(CStampOptions(), outcome);
        engine.PutBackAll(journal, [&](const CString& strLine) {
            outcome.Fail(strLine + _T(": ") + CStampFailure(strLine, ERROR_BAD_FORMAT).GetSystemReason());
        });
        if (journal.Error() != ERROR_SUCCESS)
            outcome.Fail(CStampFailure(newest, LONG(journal.Error())).GetErrorMessage());
    }
    if (outcome.Failures() == 0)
        DeleteFile(newest);
    UpdateUndoItem();
    wait.Restore();
    MessageBox(outcome.Text(), AfxGetAppName(), MB_ICONINFORMATION);
}

void CDorvaneDlg::UpdateUndoItem()
{
    HMENU hSysMenu = GetSystemMenu(FALSE);
    if (hSysMenu != nullptr)
        EnableMenuItem(hSysMenu, IDM_UNDO_LAST_GO,
                       MF_BYCOMMAND | (CJournalShelf().Journals().empty() ? MF_GRAYED : MF_ENABLED));
}
