#include "app/companion/CompanionRun.h"

#include "app/companion/TimeText.h"
#include "framework/CFileFind.h"
#include "stamping/LongPath.h"
#include "stamping/LastAccessKept.h"

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
    // One engine for the whole run: it changes each item once, however
    // the PATHs overlap.
    CStampEngine engine(m_line.StampOptions(), *this);
    for (const CString& path : m_line.m_paths)
    {
        if (HasWildcards(path))
            StampMatches(engine, path);
        else
            engine.StampTarget(path);
    }
    CString summary;
    summary.Format(_T("%d files %s, %d skipped (read-only), %d failed"), m_nChanged,
                   m_line.m_bDryRun ? _T("would change") : _T("changed"), m_nSkipped, m_nFailed);
    m_out.WriteLine(summary);
    return m_nFailed == 0 ? 0 : 1;
}

void CCompanionRun::Changed(LPCTSTR pszPath, const CItemTimes& before, const CItemTimes& after)
{
    ++m_nChanged;
    if (!m_line.m_bVerbose && !m_line.m_bDryRun)
        return;
    CString line(pszPath);
    for (int kind = 0; kind < kTimeKinds; ++kind)
        if (m_line.m_times[kind].IsChosen())
            line += CString(_T("  ")) + kTimeNames[kind] + _T(" ") + TimeText::LocalText(before.ticks[kind]) +
                    _T(" -> ") + TimeText::LocalText(after.ticks[kind]);
    m_out.WriteLine(line);
}

void CCompanionRun::SkippedReadOnly(LPCTSTR /*pszPath*/)
{
    ++m_nSkipped;
}

void CCompanionRun::Failed(const CStampFailure& failure)
{
    ++m_nFailed;
    // One line for each failure, the item and the reason, for scripts to
    // read. The message puts the reason on a line of its own: the line break
    // before it is the one to go, not one in the item's name.
    const CString message = failure.GetErrorMessage();
    const CString reason = failure.GetSystemReason();
    m_err.WriteLine(message.Left(message.GetLength() - reason.GetLength() - 1) + _T(" ") + reason);
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
