// One run of the companion: each PATH of the command line stamped in turn
// (or, with --undo, each item of a journal put back), every item changed,
// skipped or failed counted, and the run going on past a failure, which is
// named on the error stream.
#pragma once

#include "app/companion/CommandLine.h"
#include "app/companion/ConsoleOutput.h"
#include "app/companion/ProgressLine.h"

class CCompanionRun : public CStampObserver
{
public:
    // A stop requested ends the run after the item it is at.
    CCompanionRun(const CCommandLine& line, const CConsoleOutput& out, const CConsoleOutput& err,
                  const CStopRequest& stop)
        : m_line(line), m_out(out), m_err(err), m_stop(stop), m_progress(err) {}

    // The exit status: 0 when nothing failed, 1 otherwise or when stopped.
    int Run();

    void Walking(LPCTSTR pszFolder) override;
    void Changed(LPCTSTR pszPath, const CItemTimes& before, const CItemTimes& after) override;
    void SkippedReadOnly(LPCTSTR pszPath) override;
    void ChangedSince(LPCTSTR pszPath) override;
    void Failed(const CStampFailure& failure) override;

private:
    // Every line goes out through these, the progress line taken away
    // first wherever it would mix with the line.
    void Print(const CString& strLine);
    void PrintError(const CString& strLine);
    void PrintChange(LPCTSTR pszPath, const CItemTimes& before, const CItemTimes& after);
    void StampPaths();
    void PutBack();
    // The journal could not be written or read: a failure of the run.
    void JournalFailed(const CString& strWhat, DWORD dwError);
    // Each item the pattern matches, as a PATH of its own.
    void StampMatches(CStampEngine& engine, const CString& strPattern);

    const CCommandLine& m_line;
    const CConsoleOutput& m_out;
    const CConsoleOutput& m_err;
    const CStopRequest& m_stop;
    CProgressLine m_progress;
    int m_nChanged = 0;
    int m_nSkipped = 0;
    int m_nFailed = 0;
};
