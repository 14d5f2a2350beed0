#include "app/companion/CompanionRun.h"

#include "app/companion/TimeText.h"
#include "framework/CFileFind.h"
#include "stamping/LongPath.h"
#include "stamping/LastAccessKept.h"

#include <memory>
#include <vector>

namespace
{
const LPCTSTR kTimeNames[kTimeKinds] = {_T("created"), _T("accessed"), _T("modified")};

// Wildcards count in the last part only: "\\?\" begins a path, it matches nothing.
bool HasWildcards(const CString& path)
{
    const CString last = path.Mid(path.ReverseFind(_T('\\')) + 1);
    return last.Find(_T('*')) >= 0 || last.Find(_T('?')) >= 0;
}
}

int CCompanionRun::Run()
{
    if (m_line.m_strUndo.IsEmpty())
        StampPaths();
    else
        PutBack();
    CString summary;
    summary.Format(_T("%d files %s, %d skipped (read-only), %d failed"), m_nChanged,
                   m_line.m_bDryRun ? _T("would change") : _T("changed"), m_nSkipped, m_nFailed);
    m_progress.Clear();
    if (m_stop.IsRequested())
        PrintError(_T("DorvaneCmd: stopped before the end of the run"));
    Print(summary);
    return m_nFailed == 0 && !m_stop.IsRequested() ? 0 : 1;
}

// A dry run writes no journal: it changes nothing to take back.
void CCompanionRun::StampPaths()
{
    std::unique_ptr<CJournalWriter> journal;
    if (!m_line.m_strJournal.IsEmpty() && !m_line.m_bDryRun)
    {
        std::vector<CString> targets;
        for (const CString& path : m_line.m_paths)
            targets.push_back(FromExtendedLengthPath(ToExtendedLengthPath(path)));
        journal = std::make_unique<CJournalWriter>(m_line.m_strJournal, targets);
        if (journal->Error() != ERROR_SUCCESS)
            return JournalFailed(_T("Cannot write the journal ") + FromExtendedLengthPath(m_line.m_strJournal),
                                 journal->Error());
    }
    // One engine for the whole run: it changes each item once, however
    // the PATHs overlap.
    CStampEngine engine(m_line.StampOptions(), *this, journal.get(), &m_stop);
    for (const CString& path : m_line.m_paths)
    {
        if (HasWildcards(path))
            StampMatches(engine, path);
        else
            engine.StampTarget(path);
    }
}

void CCompanionRun::PutBack()
{
    const CString name = FromExtendedLengthPath(m_line.m_strUndo);
    CJournalReader journal(m_line.m_strUndo);
    CStampEngine engine(m_line.StampOptions(), *this, nullptr, &m_stop);
    engine.PutBackAll(journal, [&](const CString& strLine) { JournalFailed(strLine, ERROR_BAD_FORMAT); });
    if (journal.Error() != ERROR_SUCCESS)
        JournalFailed(_T("Cannot read the journal ") + name, journal.Error());
}

void CCompanionRun::Print(const CString& strLine)
{
    if (m_out.IsConsole())
        m_progress.Clear();
    m_out.WriteLine(strLine);
}

void CCompanionRun::PrintError(const CString& strLine)
{
    m_progress.Clear();
    m_err.WriteLine(strLine);
}

void CCompanionRun::JournalFailed(const CString& strWhat, DWORD dwError)
{
    ++m_nFailed;
    PrintError(strWhat + _T(": ") + CStampFailure(strWhat, static_cast<LONG>(dwError)).GetSystemReason());
}

void CCompanionRun::Walking(LPCTSTR pszFolder)
{
    m_progress.Walking(pszFolder);
}

void CCompanionRun::Changed(LPCTSTR pszPath, const CItemTimes& before, const CItemTimes& after)
{
    ++m_nChanged;
    if (m_line.m_bVerbose || m_line.m_bDryRun)
        PrintChange(pszPath, before, after);
    m_progress.ItemDone();
}

void CCompanionRun::PrintChange(LPCTSTR pszPath, const CItemTimes& before, const CItemTimes& after)
{
    CString line(pszPath);
    for (int kind = 0; kind < kTimeKinds; ++kind)
        if (m_line.m_times[kind].IsChosen() || before.ticks[kind] != after.ticks[kind])
            line += CString(_T("  ")) + kTimeNames[kind] + _T(" ") + TimeText::LocalText(before.ticks[kind]) +
                    _T(" -> ") + TimeText::LocalText(after.ticks[kind]);
    Print(line);
}

void CCompanionRun::SkippedReadOnly(LPCTSTR /*pszPath*/)
{
    ++m_nSkipped;
    m_progress.ItemDone();
}

void CCompanionRun::ChangedSince(LPCTSTR pszPath)
{
    ++m_nSkipped;
    PrintError(CString(pszPath) + _T(": changed since the run, left alone"));
    m_progress.ItemDone();
}

void CCompanionRun::Failed(const CStampFailure& failure)
{
    ++m_nFailed;
    // One line for each failure, the item and the reason, for scripts to
    // read. The message puts the reason on a line of its own: the line break
    // before it is the one to go, not one in the item's name.
    const CString message = failure.GetErrorMessage();
    const CString reason = failure.GetSystemReason();
    PrintError(message.Left(message.GetLength() - reason.GetLength() - 1) + _T(" ") + reason);
    m_progress.ItemDone();
}

// All the matches are listed before the first is stamped: a listing is not
// to see the changes made while it runs.
void CCompanionRun::StampMatches(CStampEngine& engine, const CString& strPattern)
{
    const CString pattern = ToExtendedLengthPath(strPattern);
    std::vector<CString> matches;
    DWORD error = ERROR_SUCCESS;
    {
        const CLastAccessKept accessKept(pattern.Left(pattern.ReverseFind(_T('\\')) + 1));
        CFileFind finder;
        for (BOOL bMore = finder.FindFile(pattern); bMore;)
        {
            bMore = finder.FindNextFile();
            if (!finder.IsDots())
                matches.push_back(finder.GetFilePath());
        }
        error = finder.GetError();
    }
    if (error != ERROR_SUCCESS || matches.empty())
    {
        const DWORD reason = error != ERROR_SUCCESS ? error : ERROR_FILE_NOT_FOUND;
        Failed(CStampFailure(FromExtendedLengthPath(pattern), static_cast<LONG>(reason)));
    }
    for (const CString& match : matches)
        engine.StampTarget(match);
}
