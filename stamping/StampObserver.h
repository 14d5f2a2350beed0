// What a stamping run tells of each item as it goes. The defaults suit a run
// that ends at the first failure and reports nothing else: a failure is
// thrown on, so it reaches whoever started the run.
#pragma once

#include "stamping/ItemTimes.h"
#include "stamping/StampFailure.h"

class CStampObserver
{
public:
    virtual ~CStampObserver() = default;

    // A walk is now in this folder: it began listing it, or came back to it
    // from a folder below. For showing where a long run is.
    virtual void Walking(LPCTSTR /*pszFolder*/) {}
    // The item got the new times (in a dry run: would have got them).
    virtual void Changed(LPCTSTR /*pszPath*/, const CItemTimes& /*before*/, const CItemTimes& /*after*/) {}
    // A read-only file left alone because read-only files may not be changed.
    virtual void SkippedReadOnly(LPCTSTR /*pszPath*/) {}
    // An item a journal names whose times were changed since its run: it is
    // not put back.
    virtual void ChangedSince(LPCTSTR /*pszPath*/) {}
    // An item that could not be read, listed or written, or that was left
    // writable. Returning goes on with the rest of the run.
    virtual void Failed(const CStampFailure& failure) { throw failure; }
};
