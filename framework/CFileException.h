// A failed file operation: which file, and the system's error code. What the
// failure means to the user is for the program to say; this only gives the
// system's own wording of the reason.
#pragma once

#include "framework/CException.h"

class CFileException : public CException
{
public:
    CFileException(const CString& strFileName, LONG lOsError)
        : m_strFileName(strFileName), m_lOsError(lOsError) {}

    // "Access is denied." and the like, in the system's language; a number
    // where the system has no text for the code.
    CString GetSystemReason() const;

    CString m_strFileName;
    LONG m_lOsError;
};
