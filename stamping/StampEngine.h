// The stamping engine: gives files (and, when asked, folders) the chosen
// times, one item or a whole tree, and needs no window.
//
// Its guarantees: a time nobody chose is not written, so it keeps every tick
// it had; a read-only file is changed only when that is allowed, keeps every
// attribute it had and is not made writable on the way (where the platform
// insists, the bit comes off for the write and goes back, and a file it could
// not go back on is reported as such); a folder walk never follows a junction
// or folder link; one run changes each item at most once, however its targets
// overlap and however many hard links name it; paths of any length. What
// happens to each item goes to the observer, which decides whether a failure
// ends the run.
#pragma once

#include "framework/CHandle.h"
#include "framework/CString.h"
#include "stamping/FolderIdentity.h"
#include "stamping/Journal.h"
#include "stamping/StampObserver.h"
#include "stamping/TimeChoice.h"

#include <atomic>
#include <functional>

// What a run does to the items it meets.
struct CStampOptions
{
    // What becomes of each time, indexed by TimeKind; all left alone at first.
    CTimeChoice times[kTimeKinds];
    // Read-only files may be changed.
    bool bReadOnly = false;
    // In a tree, the folders get the times too, the top folder included.
    bool bFolders = false;
    // Nothing is written; the observer hears what would change.
    bool bDryRun = false;
};

// A request to end a run after the item it is at, made from any thread (a
// Stop button, Ctrl+C) while the run goes on in another.
class CStopRequest
{
public:
    void Request() { m_bRequested = true; }
    bool IsRequested() const { return m_bRequested; }

private:
    std::atomic<bool> m_bRequested{false};
};

// One engine is one run: it remembers what it has changed until it goes.
class CStampEngine
{
public:
    // With a journal, every item's line is written to it before the item
    // changes, and an item whose line could not be written is not changed.
    // Once pStop is requested, the engine starts no other item.
    CStampEngine(const CStampOptions& options, CStampObserver& observer, CJournalWriter* pJournal = nullptr,
                 const CStopRequest* pStop = nullptr);

    // A folder is walked: every file in it and in every folder below it. Any
    // other item is stamped as itself: a file, a shortcut or link as the file
    // it is.
    void StampTarget(const CString& strPath);

    // Gives a journaled item back the times the run replaced, read-only or
    // not (it was changed with permission), when the times the run changed
    // are still the ones it gave; only the options' dry run counts. To the
    // observer, an item that has its old times already (the run was stopped
    // between journaling and changing it) is changed; one whose changed
    // times are neither is changed since, and left alone; one with an old
    // time no file can be given (0) fails, keeping all its times.
    void PutBack(const CJournalEntry& entry);

    // Puts back every item the journal names, last first, until the
    // journal ends or the run is stopped; onMalformed hears each line that
    // is no item's, by its name. The caller reads journal.Error() after.
    void PutBackAll(CJournalReader& journal, const std::function<void(const CString& strLine)>& onMalformed);

    bool IsStopped() const { return m_pStop != nullptr && m_pStop->IsRequested(); }

private:
    class CFolderWalk;
    // What the engine needs to know of an item before it writes.
    struct CItemFacts
    {
        DWORD attributes;
        CItemTimes times;
    };
    // Who named the item: the targets themselves, or a walk.
    enum Naming
    {
        kNamed,
        kWalked
    };
    // Each takes the path in extended-length form.
    void Stamp(const CString& strPath, Naming naming);
    // Each false once the observer has heard why.
    bool ItemPath(const CString& strPath, CString& path);
    bool FactsOf(const CString& strPath, const CHandle& item, CItemFacts& facts);
    static bool ReadFacts(HANDLE hItem, CItemFacts& facts);
    bool WorkOutTimes(const CItemTimes& own, CItemTimes& after) const;
    bool IsNewToThisRun(const CString& strPath, HANDLE hItem, Naming naming);
    static bool HasOtherLinks(HANDLE hItem);
    bool IsInWalkedFolder(const CString& strPath);
    bool IsJournal(const CString& strPath) const;
    // False when the item did not get the times (the observer heard why).
    bool Journal(const CString& strPath, const CItemTimes& before, const CItemTimes& after);
    bool Write(const CString& strPath, HANDLE hItem, bool bWritable, const CItemFacts& facts,
               const CTimeChoice (&choices)[kTimeKinds], const CItemTimes& after);
    bool WriteWithReadOnlyOff(const CString& strPath, const CItemFacts& facts,
                              const CTimeChoice (&choices)[kTimeKinds], const CItemTimes& after);
    bool Fail(const CString& strPath, DWORD dwError, CStampFailure::Left left = CStampFailure::kTimesUnchanged);

    const CStampOptions m_options;
    // Anything to write: a time chosen, and not a dry run.
    const bool m_bWrites;
    CStampObserver& m_observer;
    CJournalWriter* const m_pJournal;
    const CStopRequest* const m_pStop;
    // Every folder walked in this run, and every item its targets named
    // directly. An item is known by its identity, not its path: another
    // spelling or an overlapping target is the same item.
    CFolderIdentity m_walked;
    CFolderIdentity m_named;
};
