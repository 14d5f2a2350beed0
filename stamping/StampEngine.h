// The stamping engine: gives files (and, when asked, folders) the chosen
// times, one item or a whole tree, and needs no window.
//
// Its guarantees: a time nobody chose is not written, so it keeps every tick
// it had; a read-only file is changed only when that is allowed, and ends
// read-only with every other attribute it had; a failed write puts back what
// was taken off; a folder walk never follows a junction or folder link and
// never enters a folder twice; paths of any length. What happens to each
// item goes to the observer, which decides whether a failure ends the run.
#pragma once

#include "framework/CString.h"
#include "stamping/StampObserver.h"
#include "stamping/TimeChoice.h"

class CStampEngine
{
public:
    explicit CStampEngine(CStampObserver& observer) : m_observer(observer) {}

    // What becomes of each time, indexed by TimeKind; all left alone at first.
    CTimeChoice m_times[kTimeKinds];
    // Read-only files may be changed.
    bool m_bReadOnly = false;
    // In a tree, the folders get the times too, the top folder included.
    bool m_bFolders = false;
    // Nothing is written; the observer hears what would change.
    bool m_bDryRun = false;

    // The item at the path, as itself: a file, a folder's own times, a
    // shortcut or link as the file it is.
    void StampItem(const CString& strPath);
    // Every file in the folder and in every folder below it.
    void StampTree(const CString& strFolder);

private:
    class CFolderWalk;
    // What the engine needs to know of an item before it writes: read by
    // path for a single item, taken from the folder listing in a walk.
    struct ItemFacts
    {
        DWORD attributes;
        ItemTimes times;
    };
    // Each takes the path in extended-length form.
    void Stamp(const CString& strPath, const ItemFacts& facts);
    // False when the item did not get the times (the observer heard why).
    bool Write(const CString& strPath, const ItemFacts& facts, const ItemTimes& after);
    bool Fail(const CString& strPath, DWORD dwError);

    CStampObserver& m_observer;
};
