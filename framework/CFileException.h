// A failed file operation: which file, and the system's error code.
#pragma once

#include "framework/CException.h"

class CFileException : public CException
{
public:
    CFileException(const CString& strFileName, LONG lOsError)
        : m_strFileName(strFileName), m_lOsError(lOsError) {}

    // "Cannot change the times of C:\x.txt: Access denied." with the system's
    // own wording of the error.
    CString GetErrorMessage() const override;

    CString m_strFileName;
    LONG m_lOsError;
};
