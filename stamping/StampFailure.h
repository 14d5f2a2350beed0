// A file or folder that did not get its new times, or got them and lost its
// read-only bit: it could not be read, listed or written, or its read-only
// bit could not be put back. Says so in the words the user sees.
#pragma once

#include "framework/CFileException.h"

class CStampFailure : public CFileException
{
public:
    // What the item was left with.
    enum Left
    {
        kTimesUnchanged,
        kNewTimesButWritable,
        kOldTimesButWritable
    };
    CStampFailure(const CString& strFileName, LONG lOsError, Left left = kTimesUnchanged)
        : CFileException(strFileName, lOsError), m_left(left) {}

    // "Cannot change the times of C:\x.txt:\nAccess is denied.", or
    // "C:\x.txt got its new times but is no longer read-only:\n...".
    CString GetErrorMessage() const override;

private:
    Left m_left;
};
