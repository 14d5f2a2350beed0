// The one line a long run keeps at the foot of the console: how many items
// it has dealt with and the folder it is in, drawn over itself. It shows
// only on a console, where a person watches; a file or a pipe gets nothing
// of it, so what scripts read stays as it was.
#pragma once

#include "app/companion/ConsoleOutput.h"

class CProgressLine
{
public:
    // Drawn on the error stream, and only when that is a console.
    explicit CProgressLine(const CConsoleOutput& err);
    CProgressLine(const CProgressLine&) = delete;
    CProgressLine& operator=(const CProgressLine&) = delete;

    void ItemDone();
    void Walking(LPCTSTR pszFolder);
    // Takes the line away, before any other text is written to the console.
    void Clear();

private:
    void DrawWhenDue();
    CString Text(int nWidth) const;

    const CConsoleOutput& m_err;
    const ULONGLONG m_ullStart;
    ULONGLONG m_ullDrawn = 0;
    int m_nItems = 0;
    CString m_strFolder;
    int m_nShown = 0;    // characters on the line now
};
