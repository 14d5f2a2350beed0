// The journal of a stamping run: for every item, before it gets new times,
// its path, the three times it had and the times it is about to get, so that
// the run can be taken back (CStampEngine::PutBack), even one that was killed
// part-way.
//
// A UTF-8 text file a person can read and a script can parse:
//
//   #Dorvane journal<TAB>2024-01-31T12:00:00.0000000Z<TAB>C:\Photos<TAB>...
//   path<TAB>created<TAB>accessed<TAB>modified<TAB>new created<TAB>new accessed<TAB>new modified
//   C:\Photos\a.jpg<TAB>2019-...Z<TAB>2024-...Z<TAB>2020-...Z<TAB>-<TAB>-<TAB>2003-04-05T06:07:08.0000000Z
//
// The first line names the run: when it started and its targets; the second
// names the columns; then one line per item. Times are UTC, to the tick; a
// time the run does not change has "-" for its new value. A tab, a line
// break or a "%" in a path is written as "%" and two hex digits (%09, %0A,
// %0D, %25), a lone UTF-16 surrogate (which UTF-8 cannot carry) as "%u" and
// four, so that each item stays one line and each path opens the same item
// again. Paths are written as the engine used them, without the "\\?\" of a
// drive or a share; a path only Wine's "\\?\unix\" form can open keeps it.
#pragma once

#include "framework/CHandle.h"
#include "framework/CString.h"
#include "stamping/ItemTimes.h"

#include <string>
#include <vector>

// One item of the journal.
struct CJournalEntry
{
    CString path;
    CItemTimes before;
    CItemTimes after;
    // The kinds the run changed; the others have no new time.
    bool changed[kTimeKinds] = {};
};

// Writes a journal as the run goes. Each line goes to the file (WriteFile)
// before the item changes, so that it survives the program being killed; it
// is not flushed to the disk line by line (FlushFileBuffers would cost a disk
// write per item): what the system holds reaches the disk even if the
// program dies, and only a crash of the system itself can lose the last few.
class CJournalWriter
{
public:
    // Makes the file, which must not exist yet (an older journal may be the
    // only way back from its run), and writes the run's lines; Error() says
    // whether that worked.
    CJournalWriter(const CString& strPath, const std::vector<CString>& targets);
    CJournalWriter(const CJournalWriter&) = delete;
    CJournalWriter& operator=(const CJournalWriter&) = delete;

    DWORD Error() const { return m_dwError; }
    // The journal's own path as it was given, for its run to pass over.
    const CString& Path() const { return m_strPath; }
    // The item's line; false with the reason in GetLastError.
    bool Add(const CJournalEntry& entry);
    // The items written so far.
    int Items() const { return m_nItems; }

private:
    bool WriteText(const std::basic_string<TCHAR>& text);

    const CString m_strPath;
    // Each line is made in the same two buffers.
    std::basic_string<TCHAR> m_line;
    std::string m_bytes;
    CHandle m_file;
    DWORD m_dwError = ERROR_SUCCESS;
    int m_nItems = 0;
};

// Reads a journal line by line: what it keeps does not grow with the number
// of items.
class CJournalReader
{
public:
    // Opens the file and reads its first two lines; Error() says whether
    // that worked (ERROR_BAD_FORMAT for a file that is no journal).
    explicit CJournalReader(const CString& strPath);
    CJournalReader(const CJournalReader&) = delete;
    CJournalReader& operator=(const CJournalReader&) = delete;

    enum Result
    {
        kItem,          // entry holds the next item
        kMalformed,     // the line at LineNumber() is no item's
        kEnd            // no more lines; Error() says whether the file ended
    };
    Result Next(CJournalEntry& entry);
    // Reads on to the end without taking the lines apart, and says how many
    // there were: quick enough to count a journal's items before a question.
    int SkipToEnd();
    // Next gives the items from the last to the first from now on, each
    // line keeping its number: how a run is taken back. Call it before the
    // first Next.
    void FromLastToFirst();

    // What the first line names, for showing the run.
    Ticks Started() const { return m_started; }
    const std::vector<CString>& Targets() const { return m_targets; }
    // The line last read, for messages: "C:\run.txt, line 12".
    CString LineName() const;
    // ERROR_SUCCESS, or why the file could not be opened or read to its end.
    DWORD Error() const { return m_dwError; }

private:
    bool ReadLine(CString& strLine);
    bool TakeNextLine(std::string& bytes);
    bool TakeLastLine(std::string& bytes);
    bool ReadEarlierChunk();
    bool ReadHeader();

    const CString m_strPath;
    CHandle m_file;
    // Read first to last: the bytes read and not yet consumed start at
    // m_nNext. Read last to first: the buffer holds the part of the file
    // from m_nFrom that is still to be given, and the items begin at
    // m_nFirstItem.
    std::string m_buffer;
    size_t m_nNext = 0;
    bool m_bEnd = false;
    bool m_bBackward = false;
    LONGLONG m_nFrom = 0;
    LONGLONG m_nFirstItem = 0;
    DWORD m_dwError = ERROR_SUCCESS;
    int m_nLine = 0;
    Ticks m_started = 0;
    std::vector<CString> m_targets;
};
