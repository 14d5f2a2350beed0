// Where the window program keeps the journals of its runs, so that Undo can
// take the last one back: a folder under the user's local application data
// (%LOCALAPPDATA%\Brannoch\Dorvane\Journal), one file a run, named by the
// run's start in UTC so that the names sort in the runs' order. It keeps the
// last kKept runs and never more than kMostBytes in all: the newest is never
// deleted, however large.
#pragma once

#include "framework/CString.h"

#include <vector>

class CJournalShelf
{
public:
    static constexpr size_t kKept = 10;
    static constexpr ULONGLONG kMostBytes = 100ull * 1024 * 1024;

    CJournalShelf();

    const CString& Folder() const { return m_strFolder; }
    // The path for a new run's journal, in the folder made if need be; false
    // with the reason in GetLastError.
    bool MakeRoomForRun(CString& strPath) const;
    // The journals there are, newest first.
    std::vector<CString> Journals() const;
    // Deletes the oldest beyond kKept, then the oldest while all of them
    // pass kMostBytes.
    void Prune() const;

private:
    struct CShelved
    {
        CString path;
        ULONGLONG bytes;
    };
    std::vector<CShelved> List() const;

    CString m_strFolder;
    DWORD m_dwFolderError = ERROR_SUCCESS;
};
